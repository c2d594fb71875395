// The tables of an HTML document: read from it, and put back into it in
// place of the rows they had, the rest of the document left as it was.
#pragma once

#include <vector>

#include "engines/dao/SourceTable.h"

// Reads every <table> of the document: the first row names the columns,
// the caption names the table ("Table1", "Table2", ... without one).
// Entities are decoded; names and texts come as UTF-8.  A document the
// parser had to repair (damaged, or cut short) is refused with the reason.
BOOL ParseHtmlTables(const CString& strText, std::vector<CSourceTable>& tables, CString& strError);
// The document with the rows of each of the tables (found by name) replaced
// by the table's header and rows; title, headings, other text and the
// document's encoding stay.  FALSE when a table is no longer there or the
// document now needs repair.
BOOL ReplaceHtmlTables(const CString& strDocument, const std::vector<CSourceTable>& tables, CString& strResult,
                       CString& strError);
