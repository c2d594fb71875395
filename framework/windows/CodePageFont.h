// Fonts for texts of a code page other than the system's.
#pragma once

#include <windows.h>

// Makes the font description fit a text of the code page: the code page's
// character set and, when the asked face lacks that set, an installed face
// that has it together with the ASCII letters and digits (some faces of a
// far-eastern set have no Latin glyphs, and the text mixes both).  The
// system's code page (CP_ACP) leaves the description as it is.
void AfxFitFontToCodePage(LOGFONTA& lf, UINT nCodePage);

// Whether the font selected into the DC has a glyph for every character of
// the text (control characters such as line breaks count as missing).
BOOL AfxSelectedFontHasGlyphs(HDC hDC, LPCWSTR lpszText, int nLength);
