// Builds the BIFF record stream of a workbook holding source tables, one
// worksheet per table with the column names in its first row.  BIFF2 to
// BIFF4 (Excel 2.1 to 4.0) hold a lone worksheet and are the whole file;
// BIFF5 (Excel 5.0 and 95) and BIFF8 (Excel 97) are a workbook whose stream
// goes into a compound file.  The tables must fit the version (see
// XlsVersionMisfit).
#pragma once

#include <vector>

#include "engines/dao/SourceTable.h"
#include "engines/dao/spreadsheet/BiffStringTable.h"
#include "engines/dao/spreadsheet/SheetRecordStream.h"

class CBiffWorkbookBuilder
{
public:
    explicit CBiffWorkbookBuilder(int nBiffVersion);

    // The records of the whole workbook; the builder is used once.
    std::vector<BYTE>& Build(const std::vector<CSourceTable>& tables);

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
    void PutDimensions(DWORD nRows, WORD nColumns);
    void PutWindow2(BOOL bFirstSheet);
    void BeginCell(WORD wBiff2Id, WORD wId, DWORD nRow, WORD nColumn);
    void PutNumber(DWORD nRow, WORD nColumn, double dValue);
    void PutLabel(DWORD nRow, WORD nColumn, const CString& strText);
    void PutCell(DWORD nRow, WORD nColumn, const CSourceValue& value);
    void PutSheet(const CSourceTable& table, BOOL bFirstSheet);
    void PutByteString(const CString& strText, BOOL bWordLength);
    void PutUnicodeString(const CString& strText);

    const int m_nVersion;
    const WORD m_wCellXf;
    CSheetRecordStream m_stream;
    CBiffStringTable m_strings;
};
