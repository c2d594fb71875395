// Cell drawing helpers outside the sheet: the focus frame, the placement of
// an unstretched picture and the conversion of a bitmap into the two global
// blocks of a picture cell.  The cells themselves are drawn by CCellPainter
// (CellPainter.h).
#pragma once

#include "sheet/Cell.h"

class CDC;
class CSheet;

// The code page of the cell's display text: the Chinese one for the period
// text of a ten-day report, the system's for any other.
UINT CellTextCodePage(const CSheet& sheet, const CCell& cell);

// Top-left corner of a text of the given extent inside the cell, by its
// alignment codes, kept off the edges by a small inset; unknown codes place
// the text as middle and centre do.
POINT CellTextOrigin(const CCell& cell, SIZE sizeText);

// Inverts three nested focus rectangles inside the cell; a second call
// removes them again.
void DrawFocusFrame(CDC* pDC, const CCell& cell);

// Places a picture that is not stretched: rcDest starts as the cell
// rectangle, rcSource as the whole picture.  Both become the drawn size,
// the destination moved by the cell's alignment, the source at (0, 0).
// Nothing changes for a stretched picture or a cell without both blocks.
void FitPictureRect(const CCell& cell, RECT& rcDest, RECT& rcSource);

// Converts a bitmap (not selected into any DC) into a header block with
// its colour table and a pixel block, read through pDC.  Each block has one
// picture-block reference, which passes to the cell that takes it.  On
// failure the user is told "Failed to get picture object.", nothing stays
// allocated and both blocks are NULL.
BOOL BitmapToDib(CDC* pDC, HBITMAP hBitmap, HGLOBAL& hDibInfo, HGLOBAL& hDibBits);
