// Numbers as the file sources hold them: which texts are numbers, and the
// text a number read from a file is given.
#pragma once

#include "framework/core/String.h"

// TRUE when the whole text is a decimal number ("-12", "3.50", "1e5"),
// without spaces; its value in dValue.
BOOL ParseSourceNumber(const CString& strText, double& dValue);
// TRUE when the text is a number written the plain way, so that turning
// it into a number and back changes nothing a user typed: no leading
// zeros ("001" stays text), no leading "+", no trailing point.
BOOL IsPlainNumber(const CString& strText);
// The shortest text that reads back as the same double ("12.5", "3", "1e+20").
CString SourceNumberText(double dValue);
