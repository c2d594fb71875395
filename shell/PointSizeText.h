// Font sizes in twips (1/20 point) as the Format bar shows and reads them.
#pragma once

#include "framework/core/String.h"

// The sizes the Format bar applies, in twips.
const int FORMATBAR_MIN_TWIPS = 20;
const int FORMATBAR_MAX_TWIPS = 32760;
// What ParseSizeTwips gives for an empty text and for text after the number.
const int SIZE_TEXT_EMPTY = -1;
const int SIZE_TEXT_INVALID = -2;

// Rounded to half points: "10" for 200 twips, "10.5" for 210; "" when negative.
CString TwipsToPointText(int nTwips);
// Blanks and tabs around the text are skipped; a negative number reads 0, a
// number too large for any font reads INT_MAX, else the points times 20.
int ParseSizeTwips(LPCTSTR lpszText);
// Within FORMATBAR_MIN_TWIPS..FORMATBAR_MAX_TWIPS.
inline bool IsApplicableTwips(int nTwips)
{
    return nTwips >= FORMATBAR_MIN_TWIPS && nTwips <= FORMATBAR_MAX_TWIPS;
}
