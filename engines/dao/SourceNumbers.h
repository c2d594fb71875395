// Numbers as the file sources hold them: which texts are numbers, and the
// text a number read from a file is given.  Shared by the engine's table
// formats and the worksheet files (compiled into the spreadsheet_files
// library, which the engine links).
#pragma once

#include "framework/core/String.h"

// TRUE when the whole text is a finite decimal number ("-12", "3.50",
// "1e5"): no blanks, hexadecimal, infinity or NaN; its value in dValue.
BOOL ParseSourceNumber(const CString& strText, double& dValue);
// TRUE when the text is a number as SourceNumberText writes it, so that
// turning it into a number and back changes nothing a user typed: "001",
// "+1", "1.50", "1e5" and codes of more digits than a double holds stay
// texts.
BOOL IsPlainNumber(const CString& strText);
// The shortest text that reads back as the same double ("12.5", "3",
// "1e+20"); "0" for both zeros.
CString SourceNumberText(double dValue);
// As SourceNumberText, into strText, in the buffer it has when that is
// large enough.
void SetSourceNumberText(CString& strText, double dValue);
