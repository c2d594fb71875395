#include "engines/dao/spreadsheet/XlsWorkbookFile.h"

#include <string.h>

#include <memory>

#include "engines/dao/SourceNumbers.h"
#include "engines/dao/spreadsheet/CellText.h"
#include "engines/dao/spreadsheet/FreeXlCells.h"
#include "engines/dao/spreadsheet/SheetCellGrid.h"
#include "engines/dao/spreadsheet/SheetFileIo.h"
#include "framework/db/DaoDatabase.h"
#include "framework/db/DBText.h"

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

// The sheet's name as a table name, in UTF-8 as FreeXL gives it: BIFF2 to
// BIFF4 name no sheet, and their one sheet takes the file's name.
CString SheetTableName(const void* pHandle, unsigned short nSheet, int nBiffVersion, const CString& strPath)
{
    if (nBiffVersion <= 4)
        return DBTextToDriver(SheetFileTitle(strPath));
    const char* pszName = NULL;
    if (freexl_get_worksheet_name(pHandle, nSheet, &pszName) != FREEXL_OK || pszName == NULL)
        return CString();
    return pszName;
}

// The workbook FreeXL has open, shared by the readers of its sheets; one
// sheet is selected at a time.
struct CXlsOpenBook
{
    CString m_strPath;
    CFreeXlHandle m_handle;
    int m_nSelected = -1;

    int Select(unsigned short nSheet)
    {
        if (m_nSelected == (int)nSheet)
            return FREEXL_OK;
        int nResult = freexl_select_active_worksheet(m_handle, nSheet);
        m_nSelected = nResult == FREEXL_OK ? (int)nSheet : -1;
        return nResult;
    }
};

BOOL HoldsValue(const FreeXL_CellValue& value)
{
    switch (value.type)
    {
    case FREEXL_CELL_INT:
    case FREEXL_CELL_DOUBLE:
    case FREEXL_CELL_TEXT:
    case FREEXL_CELL_SST_TEXT:
    case FREEXL_CELL_DATE:
    case FREEXL_CELL_DATETIME:
    case FREEXL_CELL_TIME:
        return TRUE;
    default:
        return FALSE;
    }
}

// Sets the value to the cell's, keeping its text's buffer: numbers are
// flagged, dates and times come as their text, other cells are NULL.
void SetCellValue(CSourceValue& value, const FreeXL_CellValue& cell)
{
    value.m_bNull = !HoldsValue(cell);
    value.m_bNumber = cell.type == FREEXL_CELL_INT || cell.type == FREEXL_CELL_DOUBLE;
    if (cell.type == FREEXL_CELL_INT)
        SetSourceNumberText(value.m_strText, cell.value.int_value);
    else if (cell.type == FREEXL_CELL_DOUBLE)
        SetSourceNumberText(value.m_strText, cell.value.double_value);
    else if (!value.m_bNull)
        SetSourceText(value.m_strText, cell.value.text_value, (int)strlen(cell.value.text_value));
    else
        SetSourceText(value.m_strText, "", 0);
}

// The records of one worksheet, read from the open workbook row by row.
class CXlsSheetRows : public CSourceRowReader
{
public:
    CXlsSheetRows(const std::shared_ptr<CXlsOpenBook>& pBook, unsigned short nSheet, unsigned nRecords,
                  unsigned short nColumns)
        : m_pBook(pBook), m_nSheet(nSheet), m_nRecords(nRecords), m_nColumns(nColumns)
    {
    }

    BOOL Next(std::vector<CSourceValue>& row, CString& strReason) override
    {
        if (m_nNext >= m_nRecords)
            return FALSE;
        const unsigned nRow = ++m_nNext;  // below the row of names
        int nResult = m_pBook->Select(m_nSheet);
        row.resize(m_nColumns);
        for (unsigned short nColumn = 0; nColumn < m_nColumns && nResult == FREEXL_OK; ++nColumn)
        {
            FreeXL_CellValue cell;
            nResult = freexl_get_cell_value(m_pBook->m_handle, nRow, nColumn, &cell);
            if (nResult == FREEXL_OK)
                SetCellValue(row[nColumn], cell);
        }
        if (nResult == FREEXL_OK)
            return TRUE;
        m_nNext = m_nRecords;
        strReason = FreeXlMessage(m_pBook->m_strPath, nResult);
        return FALSE;
    }

private:
    std::shared_ptr<CXlsOpenBook> m_pBook;
    const unsigned short m_nSheet;
    const unsigned m_nRecords;
    const unsigned short m_nColumns;
    unsigned m_nNext = 0;
};

// Names the table's columns from the sheet's first row and counts its
// records: the rows below, up to the last row that holds a value.  A sheet
// without any value has no columns.  A FreeXL result other than
// FREEXL_OK when the cells cannot be read.
int ReadSheetShape(CXlsOpenBook& book, unsigned short nSheet, CSourceTable& table, unsigned& nRecords)
{
    nRecords = 0;
    unsigned nLastRow = 0;
    unsigned short nUsedColumns = 0;
    int nResult = book.Select(nSheet);
    if (nResult == FREEXL_OK)
        nResult = ForEachFreeXlCell(book.m_handle, nSheet,
                                    [&](unsigned nRow, unsigned nColumn, const FreeXL_CellValue& cell) {
                                        if (!HoldsValue(cell))
                                            return true;
                                        // Beyond any sheet: the file is damaged.
                                        if (nRow >= CSheetCellGrid::MAX_ROWS || nColumn >= CSheetCellGrid::MAX_COLUMNS)
                                            return false;
                                        nLastRow = nRow;
                                        if (nColumn >= nUsedColumns)
                                            nUsedColumns = (unsigned short)(nColumn + 1);
                                        return true;
                                    });
    for (unsigned short nColumn = 0; nColumn < nUsedColumns && nResult == FREEXL_OK; ++nColumn)
    {
        FreeXL_CellValue cell;
        nResult = freexl_get_cell_value(book.m_handle, 0, nColumn, &cell);
        CSourceValue header;
        if (nResult == FREEXL_OK)
            SetCellValue(header, cell);
        table.m_columns.push_back(SheetColumnName(table.m_columns, &header, nColumn));
    }
    nRecords = nLastRow;
    return nResult;
}

} // namespace

BOOL OpenXlsWorkbook(const CString& strPath, std::vector<CSourceTable>& tables,
                     std::vector<std::unique_ptr<CSourceRowReader>>& readers, int& nBiffVersion, CString& strError)
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
    std::shared_ptr<CXlsOpenBook> pBook = std::make_shared<CXlsOpenBook>();
    pBook->m_strPath = strPath;
    int nResult = strUnixPath.IsEmpty() ? FREEXL_FILE_NOT_FOUND : freexl_open(strUnixPath, &pBook->m_handle);
    unsigned int nVersion = 0, nPassword = 0, nSheets = 0;
    if (nResult == FREEXL_OK)
        nResult = freexl_get_info(pBook->m_handle, FREEXL_BIFF_VERSION, &nVersion);
    if (nResult == FREEXL_OK)
        nResult = freexl_get_info(pBook->m_handle, FREEXL_BIFF_PASSWORD, &nPassword);
    if (nResult == FREEXL_OK)
        nResult = freexl_get_info(pBook->m_handle, FREEXL_BIFF_SHEET_COUNT, &nSheets);
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
    std::vector<std::unique_ptr<CSourceRowReader>> sheetRows;
    for (unsigned int nSheet = 0; nSheet < nSheets; ++nSheet)
    {
        CSourceTable table;
        unsigned nRecords = 0;
        nResult = ReadSheetShape(*pBook, (unsigned short)nSheet, table, nRecords);
        if (nResult != FREEXL_OK)
        {
            strError = FreeXlMessage(strPath, nResult);
            return FALSE;
        }
        table.m_strName = SheetTableName(pBook->m_handle, (unsigned short)nSheet, (int)nVersion, strPath);
        if (!table.m_columns.empty())
        {
            sheetRows.emplace_back(
                new CXlsSheetRows(pBook, (unsigned short)nSheet, nRecords, (unsigned short)table.m_columns.size()));
            table.m_pRowReader = sheetRows.back().get();
        }
        read.push_back(std::move(table));
    }
    tables = std::move(read);
    for (std::unique_ptr<CSourceRowReader>& pRows : sheetRows)
        readers.push_back(std::move(pRows));
    nBiffVersion = (int)nVersion;
    return TRUE;
}

BOOL ReadXlsWorkbook(const CString& strPath, std::vector<CSourceTable>& tables, int& nBiffVersion,
                     CString& strError)
{
    std::vector<CSourceTable> read;
    std::vector<std::unique_ptr<CSourceRowReader>> readers;
    int nVersion = 0;
    if (!OpenXlsWorkbook(strPath, read, readers, nVersion, strError) || !HoldSourceRows(read, strError))
        return FALSE;
    tables = std::move(read);
    nBiffVersion = nVersion;
    return TRUE;
}
