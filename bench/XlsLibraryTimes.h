// What the Excel source's file libraries alone take for the rows of the
// report data table: FreeXL reading every cell, and the workbook writer
// writing them.  The yardstick beside which the DAO engine's opening and
// write-back of an Excel source are timed.
#pragma once

#include <vector>

#include "engines/dao/SourceTable.h"

// Report data rows (organization, period, row item, column item, line,
// currency type as text or numbers as the columns hold them, the value a
// number), split into sheets of at most 50,000 rows: an Excel 97 sheet
// holds 65,535 below its field names.
std::vector<CSourceTable> XlsBenchReportTables(int nRows);

// Milliseconds the writer takes to write the tables as an Excel 97 file;
// -1 when it fails (the message goes to the standard error).
double TimeXlsWrite(const CString& strPath, const std::vector<CSourceTable>& tables);

// Milliseconds FreeXL takes to open the file and fetch every cell of every
// sheet, without turning them into tables; nCells counts the cells holding
// a value.  -1 when FreeXL fails.
double TimeFreeXlRead(const CString& strPath, long& nCells);
