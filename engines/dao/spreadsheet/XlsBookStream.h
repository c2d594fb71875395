// A workbook as the native reader (xlsreader) tells it: its facts and its
// sheets' shapes at once, then the cells of the sheets' rows as they are
// asked for, read from the reader's output while it writes them.  Whatever
// the output holds is checked before it is believed.
#pragma once

#include <stdint.h>

#include <string>
#include <vector>

#include "engines/dao/SourceTable.h"
#include "engines/dao/spreadsheet/XlsReaderProcess.h"

// The message naming the workbook for a FreeXL result other than FREEXL_OK.
CString FreeXlMessage(const CString& strPath, int nResult);

// A sheet as the reader told it before its cells.
struct CXlsSheetShape
{
    std::string m_strName;               // UTF-8
    unsigned m_nRecords = 0;             // the rows below the first, up to the last that holds a value
    std::vector<CSourceValue> m_header;  // the first row, one value a column
};

class CXlsBookStream
{
public:
    // strPath names the workbook in messages.
    explicit CXlsBookStream(const CString& strPath) : m_strPath(strPath) {}

    // Starts the reader on the file (a Unix path) and reads the workbook's
    // BIFF version and its sheets' shapes; FALSE with a message naming the
    // workbook when it cannot be read.
    BOOL Open(const CString& strUnixPath, int& nVersion, std::vector<CXlsSheetShape>& shapes, CString& strError);
    // Fills row (one value a column of the sheet, NULL where empty) with
    // the cells of row nRow of sheet nSheet, the rows asked for in order.
    // FALSE with the reason when the cells cannot be read.
    BOOL ReadRow(size_t nSheet, unsigned nRow, std::vector<CSourceValue>& row, CString& strReason);
    // Reads the output up to the end of the sheet's cells, or to its very
    // end (the reader then has ended well); FALSE with the reason when the
    // output fails on the way.
    BOOL ReadPast(size_t nSheet, bool bToEnd, CString& strReason);

private:
    struct CSheetCells
    {
        std::string m_bytes;  // cell records not read yet, from m_nAt
        size_t m_nAt = 0;
        bool m_bWhole = false;  // every cell of the sheet has come
        unsigned m_nRecords = 0;
        uint32_t m_nColumns = 0;
        int64_t m_nLastPlace = -1;  // row and column of the last cell, as one number
    };

    // Makes nCount bytes of the output ready at m_nInputAt; false at its end.
    bool Need(size_t nCount);
    bool Take(void* p, size_t nCount);
    template<class T>
    bool Get(T& value)
    {
        return Take(&value, sizeof(value));
    }
    bool GetText(std::string& text);
    bool PeekTag(char& chTag);
    // Reads the next record of the output: a cell goes to the buffer of the
    // sheet whose cells are coming.  false at the end of the output or when
    // it fails (m_strFailure set).
    bool PullRecord();
    // Reads the place of a cell record after its tag, checked against the
    // sheet and the cell before.
    bool PullPlace(CSheetCells& sheet, uint32_t& nRow, uint16_t& nColumn);
    // Takes the place as the sheet's latest: false when it is out of order
    // or beyond the sheet.
    bool TakePlace(CSheetCells& sheet, uint32_t nRow, uint16_t nColumn);
    // Reads the cells of row nRow of the sheet whose cells are coming that
    // stand whole in what was read of the output, up to the first of a
    // later row (bRowRead then set); false when they are damaged.
    bool ReadCellsInPlace(CSheetCells& sheet, unsigned nRow, std::vector<CSourceValue>& row, bool& bRowRead);
    // Reads the value of a cell record after its place.
    bool PullValue(char chTag, CSourceValue& value);
    // Keeps the cell record, read up to its value, in the sheet's buffer.
    bool KeepCell(char chTag, uint32_t nRow, uint16_t nColumn, CSheetCells& sheet);
    // Ends the reading with the failure (the first one stays): false.
    bool Fail(const CString& strFailure);
    // Fails for a record that does not belong where it stands: FreeXL's
    // failure told by the reader, or damage.
    bool FailOn(char chTag);
    bool FailDamaged();

    CString m_strPath;
    CXlsReaderRun m_run;
    std::string m_input;
    size_t m_nInputAt = 0;
    std::vector<CSheetCells> m_sheets;
    size_t m_nStarted = 0;  // sheets whose cells have begun to come
    bool m_bEnded = false;
    CString m_strFailure;
};
