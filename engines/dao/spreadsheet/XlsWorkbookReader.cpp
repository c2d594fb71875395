#include "engines/dao/spreadsheet/XlsWorkbookFile.h"

#include <freexl.h>
#include <string.h>

#include <memory>

#include "engines/dao/spreadsheet/XlsBookStream.h"
#include "engines/dao/spreadsheet/SheetCellGrid.h"
#include "engines/dao/spreadsheet/SheetFileIo.h"
#include "framework/db/DaoDatabase.h"
#include "framework/db/DBText.h"

namespace
{

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

// The records of one worksheet, read from the reader's output row by row;
// the last sheet's reader reads the output to its end, so that a reader
// that fails after the cells fails them too.
class CXlsSheetRows : public CSourceRowReader
{
public:
    CXlsSheetRows(const std::shared_ptr<CXlsBookStream>& pBook, size_t nSheet, unsigned nRecords, bool bLast)
        : m_pBook(pBook), m_nSheet(nSheet), m_nRecords(nRecords), m_bLast(bLast)
    {
    }

    BOOL Next(std::vector<CSourceValue>& row, CString& strReason) override
    {
        if (m_bDone)
            return FALSE;
        if (m_nNext < m_nRecords && m_pBook->ReadRow(m_nSheet, ++m_nNext, row, strReason))
            return TRUE;
        m_bDone = true;
        if (strReason.IsEmpty())
            m_pBook->ReadPast(m_nSheet, m_bLast, strReason);
        return FALSE;
    }

private:
    std::shared_ptr<CXlsBookStream> m_pBook;
    const size_t m_nSheet;
    const unsigned m_nRecords;
    const bool m_bLast;
    unsigned m_nNext = 0;  // rows below the row of names read
    bool m_bDone = false;
};

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
    if (strUnixPath.IsEmpty())
    {
        strError = strPath + " was not found.";
        return FALSE;
    }
    // FreeXL reads the file in a process of its own: a workbook damaged so
    // that FreeXL runs off its memory ends that process, not this one.
    std::shared_ptr<CXlsBookStream> pBook = std::make_shared<CXlsBookStream>(strPath);
    int nVersion = 0;
    std::vector<CXlsSheetShape> shapes;
    if (!pBook->Open(strUnixPath, nVersion, shapes, strError))
        return FALSE;
    size_t nLastWithColumns = shapes.size();
    for (size_t i = 0; i < shapes.size(); ++i)
        if (!shapes[i].m_header.empty())
            nLastWithColumns = i;
    // Without a sheet to read, the output is read to its end now.
    if (nLastWithColumns == shapes.size() && !pBook->ReadPast(0, true, strError))
        return FALSE;
    std::vector<CSourceTable> read;
    std::vector<std::unique_ptr<CSourceRowReader>> sheetRows;
    for (size_t i = 0; i < shapes.size(); ++i)
    {
        const CXlsSheetShape& shape = shapes[i];
        CSourceTable table;
        // Named in UTF-8, as the texts are.
        table.m_strName = nVersion <= 4 ? DBTextToDriver(SheetFileTitle(strPath))
                                        : CString(shape.m_strName.c_str(), (int)shape.m_strName.size());
        for (size_t nColumn = 0; nColumn < shape.m_header.size(); ++nColumn)
            table.m_columns.push_back(SheetColumnName(table.m_columns, &shape.m_header[nColumn], nColumn));
        if (!table.m_columns.empty())
        {
            sheetRows.emplace_back(new CXlsSheetRows(pBook, i, shape.m_nRecords, i == nLastWithColumns));
            table.m_pRowReader = sheetRows.back().get();
        }
        read.push_back(std::move(table));
    }
    tables = std::move(read);
    for (std::unique_ptr<CSourceRowReader>& pRows : sheetRows)
        readers.push_back(std::move(pRows));
    nBiffVersion = nVersion;
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
