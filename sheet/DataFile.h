// Data files: the figures filled into a template, saved without a database.
// A temporary data file (.kvt) holds the data alone; a shared data file
// (.kvs) also names the reporting organization and the report period.
// Both are plain little-endian bytes: magic, the shared header, template
// code, title, one record per saved cell and, last, the offset of the first
// record.
#pragma once

#include <vector>

#include "framework/core/String.h"
#include "sheet/Cell.h"
#include "sheet/Sheet.h"

class CFile;

#define DATAFILE_TEMPORARY 0x4455        // .kvt
#define DATAFILE_SHARED 0x5255           // .kvs
#define DATAFILE_PERIOD_MAX 13           // longest period code a file may hold

// One saved cell: a dynamic text cell (type 1) or a numeric cell (type 2,
// with its item codes).
struct CDataRecord
{
    CDataRecord();

    LONG m_nType;
    CString m_strName;
    char m_szRowItemCode[CELL_CODE_LEN];
    char m_szColItemCode[CELL_CODE_LEN];
    CString m_strValue;
};

class CDataFile
{
public:
    explicit CDataFile(WORD wMagic = DATAFILE_TEMPORARY);

    BOOL IsShared() const { return m_wMagic == DATAFILE_SHARED; }

    // Takes the template code, the title and a record for every saved cell
    // of the sheet: dynamic text cells, and numeric cells whose value type
    // is 0 or 1, in cell-array order.
    void CollectFromSheet(const CSheet& sheet);
    // The shared header: the organization code is cut to 8 characters and
    // the period code to DATAFILE_PERIOD_MAX.
    void SetReportInformation(LPCSTR pszOrgCode, LPCSTR pszOrgName, DWORD dwNumeralStyle,
                              LPCSTR pszPeriodCode);

    // The file's bytes, written to file in one piece (CFileException on a
    // write failure).
    void Write(CFile& file) const;
    // Reads a whole file from its start.  FALSE, with *this unchanged, for an
    // unknown magic or any damage: a length beyond the file or its field, a
    // record of another type, bytes left over, or a final offset that is not
    // the position of the first record.  CFileException when reading fails.
    BOOL Read(CFile& file);

    WORD m_wMagic;
    char m_szOrgCode[CELL_CODE_LEN];
    CString m_strOrgName;
    DWORD m_dwNumeralStyle;
    CString m_strPeriodCode;
    char m_szTemplateCode[SHEET_CODE_LEN];
    CString m_strTitle;
    std::vector<CDataRecord> m_records;
};

// TRUE for a cell whose value belongs to the filled-in report rather than
// to the template: a numeric, calculate, dynamic text, organization,
// organization-code or report-date cell.
BOOL IsReportDataCell(const CCell& cell);

// Empties the data of the sheet: the value texts of the numeric, calculate
// and dynamic text cells; with bKeyCells also those of the organization and
// organization-code cells and the period codes of the report-date cells.
// TRUE when the sheet has such a cell.
BOOL ClearSheetData(CSheet& sheet, BOOL bKeyCells);

// Puts a loaded file into the sheet, whose data was cleared: the shared
// header into the key cells, then each record into the cell of its name
// and type (other records are skipped).
void ApplyDataFile(CSheet& sheet, const CDataFile& data);

// The numeric cells whose item codes the file's records would change: their
// count, and the first as "cell: row/column becomes row/column".
int DescribeItemCodeChanges(CSheet& sheet, const CDataFile& data, CString& strFirst);

// Adds the file's figures to the numeric cells of plain-number value type
// by cell name, each sum stored with "%.4f"; an empty or non-numeric text
// counts as 0.
void AddDataFileValues(CSheet& sheet, const CDataFile& data);
