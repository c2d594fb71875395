// One table of a text or HTML data source as it is moved between the
// source files and the temporary database: column names from the header,
// rows of text values, and which values are NULL.
#pragma once

#include <string>
#include <vector>

#include "framework/core/String.h"

struct CSourceValue
{
    CString m_strText;
    bool m_bNull = true;
    bool m_bNumber = false;  // the source cell held a number
};

struct CSourceTable
{
    CString m_strName;
    std::vector<CString> m_columns;
    std::vector<std::vector<CSourceValue>> m_rows;
};

// Reads a comma-separated table whose first line names the columns.
// Quoted fields may hold commas, doubled quotes and line breaks; an empty
// unquoted field is NULL, a quoted empty field is the empty text.  FALSE
// with the reason when the text is no such table.
BOOL ParseCsvTable(const CString& strText, CSourceTable& table, CString& strError);
// The table as comma-separated text that ParseCsvTable reads back as it is.
CString CsvTableText(const CSourceTable& table);

// Reads every <table> of an HTML document: the first row names the columns,
// the caption names the table ("Table1", "Table2", ... without one).
BOOL ParseHtmlTables(const CString& strText, std::vector<CSourceTable>& tables, CString& strError);
// One HTML document holding all the tables, each under its caption.
CString HtmlDocumentText(const std::vector<CSourceTable>& tables);
