#include "engines/dao/spreadsheet/XlsWorkbookFile.h"

#include <freexl.h>
#include <string.h>

#include <memory>
#include <string>
#include <utility>

#include "engines/dao/SourceNumbers.h"
#include "engines/dao/spreadsheet/CellText.h"
#include "engines/dao/spreadsheet/XlsCellStream.h"
#include "engines/dao/spreadsheet/XlsReaderProcess.h"
#include "engines/dao/spreadsheet/SheetCellGrid.h"
#include "engines/dao/spreadsheet/SheetFileIo.h"
#include "framework/db/DaoDatabase.h"

namespace
{

CString DamagedMessage(const CString& strPath)
{
    return strPath + " is damaged or cut short and cannot be read.";
}

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
        return DamagedMessage(strPath);
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

// Reads the records of the reader's output, each read checked against
// what is left of it.
class CCellCursor
{
public:
    CCellCursor(const std::string& stream, size_t nAt, size_t nEnd) : m_pStream(&stream), m_nAt(nAt), m_nEnd(nEnd) {}

    template<class T>
    bool Get(T& value)
    {
        if (m_nEnd - m_nAt < sizeof(T))
            return false;
        memcpy(&value, m_pStream->data() + m_nAt, sizeof(T));
        m_nAt += sizeof(T);
        return true;
    }

    bool GetText(const char*& p, uint32_t& nLength)
    {
        if (!Get(nLength) || m_nEnd - m_nAt < nLength || nLength > 0x7fffffff)
            return false;
        p = m_pStream->data() + m_nAt;
        m_nAt += nLength;
        return true;
    }

    // The tag of the next record, without taking it; 0 at the end.
    char Peek() const { return m_nAt < m_nEnd ? (*m_pStream)[m_nAt] : 0; }
    size_t At() const { return m_nAt; }
    bool AtEnd() const { return m_nAt == m_nEnd; }

private:
    const std::string* m_pStream;
    size_t m_nAt;
    size_t m_nEnd;
};

BOOL IsCellTag(char chTag)
{
    return chTag == xlscells::TAG_INTEGER || chTag == xlscells::TAG_DOUBLE || chTag == xlscells::TAG_TEXT;
}

// Reads one cell record into value: numbers flagged, dates and times as
// their text.  false when the record is cut short.
bool GetCell(CCellCursor& cursor, uint32_t& nRow, uint16_t& nColumn, CSourceValue& value)
{
    char chTag = 0;
    if (!cursor.Get(chTag) || !cursor.Get(nRow) || !cursor.Get(nColumn))
        return false;
    value.m_bNull = false;
    value.m_bNumber = chTag != xlscells::TAG_TEXT;
    if (chTag == xlscells::TAG_INTEGER)
    {
        int32_t nValue = 0;
        if (!cursor.Get(nValue))
            return false;
        SetSourceNumberText(value.m_strText, nValue);
        return true;
    }
    if (chTag == xlscells::TAG_DOUBLE)
    {
        double dValue = 0;
        if (!cursor.Get(dValue))
            return false;
        SetSourceNumberText(value.m_strText, dValue);
        return true;
    }
    const char* p = NULL;
    uint32_t nLength = 0;
    if (!cursor.GetText(p, nLength))
        return false;
    SetSourceText(value.m_strText, p, (int)nLength);
    return true;
}

void SetNull(CSourceValue& value)
{
    value.m_bNull = true;
    value.m_bNumber = false;
    SetSourceText(value.m_strText, "", 0);
}

// The reader's output for a workbook, shared by the readers of its sheets.
struct CXlsBookCells
{
    std::string m_stream;
};

// Where a sheet's cells stand in the reader's output, and their shape.
struct CXlsSheetCells
{
    CString m_strName;
    size_t m_nBegin = 0;
    size_t m_nEnd = 0;
    unsigned m_nRecords = 0;  // rows below the names, up to the last that holds a value
    std::vector<CSourceValue> m_header;  // the first row, NULL where empty
};

// The records of one worksheet, read from the reader's output row by row.
class CXlsSheetRows : public CSourceRowReader
{
public:
    CXlsSheetRows(const std::shared_ptr<CXlsBookCells>& pBook, const CXlsSheetCells& sheet)
        : m_pBook(pBook), m_cursor(pBook->m_stream, sheet.m_nBegin, sheet.m_nEnd), m_nRecords(sheet.m_nRecords),
          m_nColumns(sheet.m_header.size())
    {
    }

    BOOL Next(std::vector<CSourceValue>& row, CString& strReason) override
    {
        if (m_nNext >= m_nRecords)
            return FALSE;
        const unsigned nRow = ++m_nNext;  // below the row of names
        row.resize(m_nColumns);
        for (CSourceValue& value : row)
            SetNull(value);
        // The output was checked whole when the workbook was opened: the
        // cells come row by row, within the sheet's columns.
        while (IsCellTag(m_cursor.Peek()))
        {
            CCellCursor next = m_cursor;
            uint32_t nCellRow = 0;
            uint16_t nColumn = 0;
            if (!GetCell(next, nCellRow, nColumn, m_scratch))
                break;
            if (nCellRow > nRow)
                return TRUE;
            if (nCellRow == nRow && nColumn < m_nColumns)
                std::swap(row[nColumn], m_scratch);
            m_cursor = next;
        }
        return TRUE;
    }

private:
    std::shared_ptr<CXlsBookCells> m_pBook;
    CCellCursor m_cursor;
    const unsigned m_nRecords;
    const size_t m_nColumns;
    unsigned m_nNext = 0;
    CSourceValue m_scratch;
};

// Reads a sheet's cells after its TAG_SHEET record: where they stand,
// the first row and the count of records.  A cell out of order or beyond
// any sheet is damage.
bool ReadSheetCells(CCellCursor& cursor, CXlsSheetCells& sheet)
{
    sheet.m_nBegin = cursor.At();
    uint32_t nLastRow = 0, nPreviousRow = 0;
    int nPreviousColumn = -1;
    CSourceValue value;
    while (IsCellTag(cursor.Peek()))
    {
        uint32_t nRow = 0;
        uint16_t nColumn = 0;
        if (!GetCell(cursor, nRow, nColumn, value))
            return false;
        if (nRow >= CSheetCellGrid::MAX_ROWS || nColumn >= CSheetCellGrid::MAX_COLUMNS)
            return false;
        if (nRow < nPreviousRow || (nRow == nPreviousRow && (int)nColumn <= nPreviousColumn))
            return false;
        nPreviousRow = nRow;
        nPreviousColumn = nColumn;
        nLastRow = nRow;
        if (nColumn >= sheet.m_header.size())
        {
            size_t nOld = sheet.m_header.size();
            sheet.m_header.resize(nColumn + 1);
            for (size_t i = nOld; i < sheet.m_header.size(); ++i)
                SetNull(sheet.m_header[i]);
        }
        if (nRow == 0)
            std::swap(sheet.m_header[nColumn], value);
    }
    sheet.m_nEnd = cursor.At();
    sheet.m_nRecords = nLastRow;
    return true;
}

// The workbook as the reader told it: its version and sheets, or the
// message why it cannot be read.
BOOL ReadBookCells(const CString& strPath, const std::string& stream, int& nVersion,
                   std::vector<CXlsSheetCells>& sheets, CString& strError)
{
    CCellCursor cursor(stream, 0, stream.size());
    uint32_t nMagic = 0;
    char chTag = 0;
    if (!cursor.Get(nMagic) || nMagic != xlscells::STREAM_MAGIC || !cursor.Get(chTag))
        chTag = xlscells::TAG_DAMAGED;
    int32_t nResult = FREEXL_OK;
    if (chTag == xlscells::TAG_FAILED && cursor.Get(nResult) && cursor.AtEnd())
    {
        strError = nResult == FREEXL_OK ? DamagedMessage(strPath) : FreeXlMessage(strPath, nResult);
        return FALSE;
    }
    uint32_t nBiff = 0, nPassword = 0, nSheets = 0;
    if (chTag != xlscells::TAG_BOOK || !cursor.Get(nBiff) || !cursor.Get(nPassword) || !cursor.Get(nSheets))
    {
        strError = DamagedMessage(strPath);
        return FALSE;
    }
    if (nPassword == FREEXL_BIFF_OBFUSCATED)
    {
        strError = strPath + " is protected by a password and cannot be read.";
        return FALSE;
    }
    std::vector<CXlsSheetCells> read;
    while (cursor.Get(chTag) && chTag == xlscells::TAG_SHEET && read.size() < nSheets)
    {
        const char* pName = NULL;
        uint32_t nLength = 0;
        read.emplace_back();
        if (!cursor.GetText(pName, nLength) || !ReadSheetCells(cursor, read.back()))
            break;
        read.back().m_strName = nBiff <= 4 ? SheetFileTitle(strPath) : AnsiFromUtf8(pName, (int)nLength);
    }
    if (chTag == xlscells::TAG_FAILED && cursor.Get(nResult) && cursor.AtEnd())
    {
        strError = nResult == FREEXL_OK ? DamagedMessage(strPath) : FreeXlMessage(strPath, nResult);
        return FALSE;
    }
    if (chTag != xlscells::TAG_END || !cursor.AtEnd() || read.size() != nSheets)
    {
        strError = DamagedMessage(strPath);
        return FALSE;
    }
    nVersion = (int)nBiff;
    sheets = std::move(read);
    return TRUE;
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
    if (strUnixPath.IsEmpty())
    {
        strError = strPath + " was not found.";
        return FALSE;
    }
    // FreeXL reads the file in a process of its own: a workbook damaged so
    // that FreeXL runs off its memory ends that process, not this one.
    std::shared_ptr<CXlsBookCells> pBook = std::make_shared<CXlsBookCells>();
    std::string strProgram;
    XlsReaderEnd end = RunXlsReader((LPCSTR)strUnixPath, pBook->m_stream, strProgram);
    if (end == XlsReaderEnd::NOT_STARTED)
    {
        strError = strPath + " cannot be read: the workbook reader " + CString(strProgram.c_str())
                   + " is missing or cannot be started.";
        return FALSE;
    }
    int nVersion = 0;
    std::vector<CXlsSheetCells> sheets;
    if (end != XlsReaderEnd::EXITED)
    {
        strError = DamagedMessage(strPath);
        return FALSE;
    }
    if (!ReadBookCells(strPath, pBook->m_stream, nVersion, sheets, strError))
        return FALSE;
    std::vector<CSourceTable> read;
    std::vector<std::unique_ptr<CSourceRowReader>> sheetRows;
    for (const CXlsSheetCells& sheet : sheets)
    {
        CSourceTable table;
        table.m_strName = sheet.m_strName;
        for (size_t nColumn = 0; nColumn < sheet.m_header.size(); ++nColumn)
            table.m_columns.push_back(SheetColumnName(table.m_columns, &sheet.m_header[nColumn], nColumn));
        if (!table.m_columns.empty())
        {
            sheetRows.emplace_back(new CXlsSheetRows(pBook, sheet));
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
