// The libraries' UTF-8 texts of spreadsheet parts in the system's code
// page.
#pragma once

#include "framework/core/String.h"

// UTF-8 text in the system's code page; a character the code page lacks
// becomes '?'.
CString AnsiFromUtf8(const char* pszUtf8, int nLength = -1);
