// Conversions between spreadsheet cell contents and the texts of a source
// table: numbers to the shortest text that reads back as the same number,
// and the libraries' UTF-8 texts to the system's code page.
#pragma once

#include "framework/core/String.h"

// "42" for 42.0, "0.1" for 0.1, "1e+20" for 1e20: the shortest of the
// printf forms that reads back as exactly dValue.
CString NumberCellText(double dValue);
// TRUE when the whole text is a plain decimal number (sign, digits, point,
// exponent: no blanks, hexadecimal, infinity or NaN), with its value.
BOOL ParseNumberCellText(const CString& strText, double& dValue);
// UTF-8 text in the system's code page; a character the code page lacks
// becomes its default character.
CString AnsiFromUtf8(const char* pszUtf8, int nLength = -1);
