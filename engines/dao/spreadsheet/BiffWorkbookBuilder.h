// Builds the BIFF record stream of a workbook holding source tables, one
// worksheet per table with the column names in its first row.  BIFF2 to
// BIFF4 (Excel 2.1 to 4.0) hold a lone worksheet and are the whole file;
// BIFF5 (Excel 5.0 and 95) and BIFF8 (Excel 97) are a workbook whose stream
// goes into a compound file.  Whether the tables fit the version is the
// writer's to judge, from the tables and the facts the builder gathers of
// their rows as it writes them.
// Built on a workbook read (KeepFrom), the new one keeps that workbook's
// globals (fonts, number formats, cell formats, names...) and the sheets
// of the tables still as the file holds them (m_bAsInFile) record for
// record; a sheet rebuilt from its table keeps its column widths and
// window settings.
#pragma once

#include <vector>

#include "engines/dao/SourceTable.h"
#include "engines/dao/spreadsheet/BiffStringTable.h"
#include "engines/dao/spreadsheet/BiffWorkbookParts.h"
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
        // The sheet's records were copied from the workbook read.
        BOOL bKept = FALSE;
    };

    explicit CBiffWorkbookBuilder(int nBiffVersion);
    // Builds on the workbook read, when it is of the builder's version and
    // has a sheet for each table (table i its sheet i); it must outlive
    // Build.
    void KeepFrom(const CBiffWorkbookParts& read) { m_pRead = &read; }

    // Builds the records of the whole workbook (up to BIFF4: of its first
    // table), each table's rows taken from m_rows or from its row reader;
    // FALSE with the reader's reason when its rows cannot be read.  The
    // builder is used once.
    BOOL Build(const std::vector<CSourceTable>& tables, CString& strReason);
    std::vector<BYTE>& GetBytes() { return m_stream.GetBytes(); }
    // One for each table built.
    const std::vector<CSheetFacts>& GetFacts() const { return m_facts; }
    // TRUE when Build kept the workbook read, and with it its sheet names.
    BOOL IsBuiltOnRead() const { return m_pRead != NULL; }

    // The characters a cell of the version holds: bytes of the code page up
    // to BIFF5, UTF-16 units in BIFF8.
    static int MaxCellText(int nBiffVersion);
    static BOOL IsLongerThanCell(const CString& strText, int nBiffVersion);

private:
    // A stream position in a copied sheet, written again once the sheet's
    // place in the new stream is known.
    struct CPositionPatch
    {
        size_t nAt;       // of the field, in the stream of the sheets
        DWORD nInSheet;   // what it points at, from the sheet's start
        size_t nSheet;
    };

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
    // The widths of the columns that the table gives one.
    void PutColumnWidths(const std::vector<int>& widths);
    // Returns where the count of rows goes.
    size_t PutDimensions(WORD nColumns);
    void PatchDimensionRows(size_t nAt, DWORD nRows);
    void PutWindow2(BOOL bFirstSheet);
    void BeginCell(WORD wBiff2Id, WORD wId, DWORD nRow, WORD nColumn, WORD wXf);
    void PutNumber(DWORD nRow, WORD nColumn, double dValue);
    void PutLabel(DWORD nRow, WORD nColumn, const CString& strText, WORD wXf);
    void PutCell(DWORD nRow, WORD nColumn, const CSourceValue& value, CSheetFacts& facts);
    BOOL PutSheet(const CSourceTable& table, BOOL bFirstSheet, const CBiffSheetPart* pRead, CString& strReason);
    void BeginOnRead(const CBiffWorkbookParts& read);
    void PutReadSheet(const CBiffSheetPart& sheet, size_t nSheet, std::vector<CPositionPatch>& patches);
    // Copies the records of the sheet read whose ids are listed, outside
    // its embedded charts; FALSE when there was none.
    BOOL PutReadRecords(const CBiffSheetPart& sheet, const std::vector<WORD>& ids);
    // The cell format of each cell of the first row of the sheet read (0
    // where there is none).
    std::vector<WORD> ReadFirstRowXfs(const CBiffSheetPart& sheet) const;
    // The globals read, with the sheets' entries and the strings new;
    // returns where each sheet's position goes.
    std::vector<size_t> PutReadGlobals(const CBiffStringTable& strings);
    void PutRecordCopy(const BYTE* pRecord, size_t nSize);
    void PutByteString(const CString& strText, BOOL bWordLength);
    void PutUnicodeString(const CString& strText);

    const int m_nVersion;
    WORD m_wCellXf;
    // Of the texts of byte strings (up to BIFF5).
    UINT m_nTextCodePage = CP_ACP;
    const CBiffWorkbookParts* m_pRead = NULL;
    CSheetRecordStream m_stream;
    CBiffStringTable m_strings;
    std::vector<CSheetFacts> m_facts;
};
