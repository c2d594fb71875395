// The picture a disabled button shows: its own image in light greys.
#pragma once

#include <windows.h>

// A 32-bit copy of hSource in which every pixel's brightness becomes a
// lighter grey, so that the picture keeps its shape; pixels of
// crTransparent stay as they are.  NULL on failure; the caller deletes it.
HBITMAP AfxCreateDisabledBitmap(HBITMAP hSource, COLORREF crTransparent);
