// A filled report as one worksheet of an Excel workbook, and back.  The
// worksheet's first row (the table's column names) names the template, the
// period and the organization; below it each cell's shown text stands at
// the cell's place in the sheet's grid (CSheetGridMap), numbers as numbers.
#pragma once

#include "engines/dao/SourceTable.h"
#include "sheet/Sheet.h"

// What the first row of a report's worksheet names.
struct CReportWorksheetKeys
{
    CString m_strTemplate;      // the template code
    CString m_strPeriod;        // the period code
    CString m_strOrgCode;
    CString m_strOrgName;
};

// The template's name as a worksheet name: the characters a sheet name
// cannot hold become blanks, and it is cut to 31 bytes without splitting a
// character; a template without a usable name is named by its code, one
// without a usable code "Report".
CString ReportWorksheetName(const CSheet& sheet);
// The file name Export to Excel proposes: the worksheet name without the
// characters a file name cannot hold, and ".xls".
CString ReportWorkbookFileName(const CSheet& sheet);

// The worksheet of the sheet's report, named after the template (in the
// system's code page), its cells' texts in UTF-8 as the workbook writer
// takes them.
CSourceTable MakeReportWorksheet(const CSheet& sheet, const CReportWorksheetKeys& keys);

// The keys a worksheet's first row names; FALSE when it names no template.
BOOL ReadReportWorksheetKeys(const CSourceTable& table, CReportWorksheetKeys& keys);

// The first place, in the order a reader meets them, where the worksheet's
// layout differs from the sheet's: the labels of the first row, then the
// text of each label cell of the template at its grid place ("A5 holds
// 'Staff' where this template has 'Sales'", in the system's code page);
// empty when they agree.  The first row's names are taken as they stand,
// the cells below as the workbook's UTF-8.
CString ReportWorksheetDifference(const CSheet& sheet, const CSourceTable& table);

// The value of a worksheet at a grid position (counted below the first
// row), or NULL when the worksheet holds none there.
const CSourceValue* ReportWorksheetValue(const CSourceTable& table, int nRow, int nColumn);

// The address a spreadsheet program shows for a grid position: "A2" for
// the first row and column of the grid, as the first row names the report
// (row -1 is that first row).
CString ReportWorksheetAddress(int nRow, int nColumn);

// Whether an import takes the cell's value from its grid position: a
// numeric cell holding a number or a text, and a dynamic Text cell.
BOOL IsImportedFigureCell(const CCell& cell);

// The text typed input would store in such a cell for a worksheet value
// (NULL or an empty cell gives the empty text); FALSE when typed input
// would refuse it: a numeric cell of numbers takes no other text.
BOOL ImportedFigureText(const CCell& cell, const CSourceValue* pValue, CString& strText);
