// Builds the BIFF record stream of a workbook holding source tables, one
// worksheet per table with the column names in its first row.  BIFF2 to
// BIFF4 (Excel 2.1 to 4.0) hold a lone worksheet and are the whole file;
// BIFF5 (Excel 5.0 and 95) and BIFF8 (Excel 97) are a workbook whose stream
// goes into a compound file.  Whether the tables fit the version is the
// writer's to judge, from the tables and the facts the builder gathers of
// their rows as it writes them.
#pragma once

#include <vector>

#include "engines/dao/SourceTable.h"
#include "engines/dao/spreadsheet/BiffStringTable.h"
#include "engines/dao/spreadsheet/SheetRecordStream.h"

class CBiffWorkbookBuilder
{
public:
    // What the rows of a sheet turned out to hold.
    struct CSheetFacts
    {
        size_t nRows = 0;
        // A value written as text has more characters than a cell holds.
        BOOL bLongText = FALSE;
    };

    explicit CBiffWorkbookBuilder(int nBiffVersion);

    // Builds the records of the whole workbook (up to BIFF4: of its first
    // table), each table's rows taken from m_rows or from its row reader;
    // FALSE with the reader's reason when its rows cannot be read.  The
    // builder is used once.
    BOOL Build(const std::vector<CSourceTable>& tables, CString& strReason);
    std::vector<BYTE>& GetBytes() { return m_stream.GetBytes(); }
    // One for each table built.
    const std::vector<CSheetFacts>& GetFacts() const { return m_facts; }

    // The characters a cell of the version holds: bytes of the code page up
    // to BIFF5, UTF-16 units in BIFF8.
    static int MaxCellText(int nBiffVersion);
    static BOOL IsLongerThanCell(const CString& strText, int nBiffVersion);

private:
    void PutBof(WORD wType);
    void PutEof();
    void PutCodePage();
    void PutWindow1();
    void PutFont();
    void PutGeneralFormat();
    void PutXf(BOOL bStyle);
    void PutNormalStyle();
    void PutFormats();
    // A sheet's entry in the globals; returns where its position goes.
    size_t PutBoundSheet(const CString& strName);
    // Returns where the count of rows goes.
    size_t PutDimensions(WORD nColumns);
    void PatchDimensionRows(size_t nAt, DWORD nRows);
    void PutWindow2(BOOL bFirstSheet);
    void BeginCell(WORD wBiff2Id, WORD wId, DWORD nRow, WORD nColumn);
    void PutNumber(DWORD nRow, WORD nColumn, double dValue);
    void PutLabel(DWORD nRow, WORD nColumn, const CString& strText);
    void PutCell(DWORD nRow, WORD nColumn, const CSourceValue& value, CSheetFacts& facts);
    BOOL PutSheet(const CSourceTable& table, BOOL bFirstSheet, CString& strReason);
    void PutByteString(const CString& strText, BOOL bWordLength);
    void PutUnicodeString(const CString& strText);

    const int m_nVersion;
    const WORD m_wCellXf;
    CSheetRecordStream m_stream;
    CBiffStringTable m_strings;
    std::vector<CSheetFacts> m_facts;
};
