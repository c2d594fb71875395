// The sheet as a one-page PDF file: one sheet unit is one PDF unit and the
// page has the sheet's own extent.  Each cell is drawn as the screen shows
// it: background, picture, the text of the display mode in one of the four
// standard Helvetica faces, and its edges as black lines whose width is the
// line style's code.
#pragma once

#include "framework/core/String.h"

class CSheet;

// Writes the sheet to pszPath (a Windows path).  On failure returns FALSE
// with the reason in strError and leaves no file behind; nothing of the
// sheet changes either way.
BOOL WriteSheetPdf(const CSheet& sheet, LPCSTR pszPath, CString& strError);
