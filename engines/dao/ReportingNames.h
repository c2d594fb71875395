// The table and column names of the reporting database, for file sources
// whose format cuts names short (a dBase file name of 8 characters, a
// field name of 10) and for telling a source that lacks a table, or a
// table that lacks a column, the programs read.
#pragma once

#include <vector>

#include "framework/core/String.h"

// The reporting table whose name begins with the cut name, when there is
// exactly one; otherwise the name as it is.
CString FullReportingTableName(const CString& strName);
// Gives each cut column name of a reporting table its full name: the
// table's column at the same place when its name begins with the cut one,
// else the only column whose name does.
void RestoreReportingColumns(const CString& strTable, std::vector<CString>& columns);
// The first reporting table that none of the tables is named; "" when all
// are there.
CString MissingReportingTable(const std::vector<CString>& tables);
// TRUE for a column of a reporting table that holds codes or names, which
// are texts even where they are all digits (the period codes).  The report
// data table's value column is no such column: it holds figures.
BOOL IsReportingTextColumn(const CString& strTable, const CString& strColumn);
// The first column of the reporting table that the columns lack; "" when
// none is missing or the table is no reporting table.
CString MissingReportingColumn(const CString& strTable, const std::vector<CString>& columns);
