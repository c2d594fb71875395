// The libraries' UTF-8 texts of spreadsheet cells in the system's code
// page.
#pragma once

#include "framework/core/String.h"

// UTF-8 text in the system's code page; a character the code page lacks
// becomes its default character.
CString AnsiFromUtf8(const char* pszUtf8, int nLength = -1);
// As AnsiFromUtf8, into strText, in the buffer it has when that is large
// enough (a text of ASCII characters only is the same in both).
void SetAnsiFromUtf8(CString& strText, const char* pszUtf8, int nLength);
