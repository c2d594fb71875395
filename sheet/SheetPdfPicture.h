// A picture cell as the screen draws it, as rows of RGB bytes for a PDF
// image.
#pragma once

#include <vector>

#include "sheet/Cell.h"

class CSheet;

// Draws the cell's background and picture at one pixel per sheet unit and
// returns the pixels top row first, three bytes (red, green, blue) each.
// FALSE when the cell has no valid picture or the drawing surface cannot
// be made.
BOOL RenderPictureCell(const CSheet& sheet, const CCell& cell, std::vector<unsigned char>& rgb);
