#include "engines/dao/spreadsheet/XlsWorkbookFile.h"

#include <string.h>


#include "engines/dao/spreadsheet/CellText.h"
#include "engines/dao/spreadsheet/FreeXlCells.h"
#include "engines/dao/spreadsheet/SheetCellGrid.h"
#include "engines/dao/spreadsheet/SheetFileIo.h"
#include "framework/db/DaoDatabase.h"

namespace
{

// Closes the FreeXL handle on scope exit, as FreeXL asks even after a
// failed open.
class CFreeXlHandle
{
public:
    CFreeXlHandle() = default;
    ~CFreeXlHandle() { freexl_close(m_pHandle); }
    CFreeXlHandle(const CFreeXlHandle&) = delete;
    CFreeXlHandle& operator=(const CFreeXlHandle&) = delete;

    const void** operator&() { return &m_pHandle; }
    operator const void*() const { return m_pHandle; }

private:
    const void* m_pHandle = NULL;
};

CString FreeXlMessage(const CString& strPath, int nResult)
{
    switch (nResult)
    {
    case FREEXL_INVALID_CFBF_HEADER:
    case FREEXL_CFBF_INVALID_SIGNATURE:
    case FREEXL_BIFF_INVALID_BOF:
    case FREEXL_BIFF_WORKBOOK_NOT_FOUND:
        return strPath + " is not an Excel workbook.";
    case FREEXL_INSUFFICIENT_MEMORY:
        return "There is not enough memory to read " + strPath + ".";
    case FREEXL_UNSUPPORTED_CHARSET:
        return strPath + " is written in a character set that cannot be read.";
    default:
        return strPath + " is damaged or cut short and cannot be read.";
    }
}

// A compound file (BIFF5 and BIFF8) or a BIFF2 to BIFF4 worksheet, which
// starts with its BOF record.
BOOL IsXlsFileHead(const BYTE* pHead, UINT nHead)
{
    static const BYTE COMPOUND_FILE[8] = {0xD0, 0xCF, 0x11, 0xE0, 0xA1, 0xB1, 0x1A, 0xE1};
    if (nHead >= sizeof(COMPOUND_FILE) && memcmp(pHead, COMPOUND_FILE, sizeof(COMPOUND_FILE)) == 0)
        return TRUE;
    const BYTE bHigh = nHead >= 4 ? pHead[1] : 0xFF;
    return pHead[0] == 0x09 && (bHigh == 0x00 || bHigh == 0x02 || bHigh == 0x04);
}

// The sheet's name as a table name: BIFF2 to BIFF4 name no sheet, and
// their one sheet takes the file's name.
CString SheetTableName(const void* pHandle, unsigned short nSheet, int nBiffVersion, const CString& strPath)
{
    if (nBiffVersion <= 4)
        return SheetFileTitle(strPath);
    const char* pszName = NULL;
    if (freexl_get_worksheet_name(pHandle, nSheet, &pszName) != FREEXL_OK || pszName == NULL)
        return CString();
    return AnsiFromUtf8(pszName);
}

// Puts a cell into the grid; FALSE when it lies beyond any sheet.
BOOL KeepCell(CSheetCellGrid& grid, unsigned nRow, unsigned nColumn, const FreeXL_CellValue& value)
{
    switch (value.type)
    {
    case FREEXL_CELL_INT:
        return grid.SetNumber(nRow, nColumn, value.value.int_value);
    case FREEXL_CELL_DOUBLE:
        return grid.SetNumber(nRow, nColumn, value.value.double_value);
    case FREEXL_CELL_TEXT:
    case FREEXL_CELL_SST_TEXT:
    case FREEXL_CELL_DATE:
    case FREEXL_CELL_DATETIME:
    case FREEXL_CELL_TIME:
        return grid.SetText(nRow, nColumn, AnsiFromUtf8(value.value.text_value));
    default:
        return TRUE;
    }
}

} // namespace

BOOL ReadXlsWorkbook(const CString& strPath, std::vector<CSourceTable>& tables, int& nBiffVersion,
                     CString& strError)
{
    BYTE head[8];
    UINT nHead = 0;
    if (!ReadSheetFileHead(strPath, head, sizeof(head), nHead, strError))
        return FALSE;
    if (!IsXlsFileHead(head, nHead))
    {
        strError = FreeXlMessage(strPath, FREEXL_INVALID_CFBF_HEADER);
        return FALSE;
    }
    CString strUnixPath = DaoUnixPath(strPath);
    CFreeXlHandle handle;
    int nResult = strUnixPath.IsEmpty() ? FREEXL_FILE_NOT_FOUND : freexl_open(strUnixPath, &handle);
    unsigned int nVersion = 0, nPassword = 0, nSheets = 0;
    if (nResult == FREEXL_OK)
        nResult = freexl_get_info(handle, FREEXL_BIFF_VERSION, &nVersion);
    if (nResult == FREEXL_OK)
        nResult = freexl_get_info(handle, FREEXL_BIFF_PASSWORD, &nPassword);
    if (nResult == FREEXL_OK)
        nResult = freexl_get_info(handle, FREEXL_BIFF_SHEET_COUNT, &nSheets);
    if (nResult != FREEXL_OK)
    {
        strError = FreeXlMessage(strPath, nResult);
        return FALSE;
    }
    if (nPassword == FREEXL_BIFF_OBFUSCATED)
    {
        strError = strPath + " is protected by a password and cannot be read.";
        return FALSE;
    }
    std::vector<CSourceTable> read;
    for (unsigned int nSheet = 0; nSheet < nSheets; ++nSheet)
    {
        CSheetCellGrid grid;
        nResult = ForEachFreeXlCell(handle, (unsigned short)nSheet,
                                    [&grid](unsigned nRow, unsigned nColumn, const FreeXL_CellValue& value) {
                                        return KeepCell(grid, nRow, nColumn, value) != FALSE;
                                    });
        if (nResult != FREEXL_OK)
        {
            strError = FreeXlMessage(strPath, nResult);
            return FALSE;
        }
        read.push_back(grid.TakeTable(SheetTableName(handle, (unsigned short)nSheet, (int)nVersion, strPath)));
    }
    tables = std::move(read);
    nBiffVersion = (int)nVersion;
    return TRUE;
}
