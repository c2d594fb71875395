// The libraries' UTF-8 texts of spreadsheet parts in the system's code
// page, and back.
#pragma once

#include <vector>

#include "engines/dao/SourceTable.h"
#include "framework/core/String.h"

// UTF-8 text in the system's code page; a character the code page lacks
// becomes '?'.
CString AnsiFromUtf8(const char* pszUtf8, int nLength = -1);

// The field names and values of the tables (not the tables' names) from
// UTF-8, as the workbook reader gives them, to the system's code page, as
// the programs' documents hold them.
void SourceTextsFromUtf8(std::vector<CSourceTable>& tables);
