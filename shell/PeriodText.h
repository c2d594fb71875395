// Display text of report period codes, as the period field, the sheet
// renderer and the analysis pages show them.
#pragma once

#include "framework/core/String.h"

// Numeral styles of the period text.
enum
{
    NUMERAL_WORDS = 0,   // numbers built from digit and place words
    NUMERAL_DECIMAL = 1  // numbers written with "%d"
};

// Style 1: "%d".  Any other style: the absolute value in words; digit by
// digit, or with place words (15 gives "Ten5").  Zero gives "".
CString NumberToText(int value, int style, BOOL digitByDigit);

// "January" .. "December"; "January" outside 1..12.
CString MonthName(int month);

// The text of a 13-character code of a period type; "" for any other
// length or type.
CString PeriodCodeToText(CString code, int type, int style);

// Today's code of a period type.
CString GetCurrentPeriodCode(int type);
