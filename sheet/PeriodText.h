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

// The code page of the system's Chinese texts: the ten-day period text and
// the messages with a full-width comma or question mark.
const UINT CHINESE_CODE_PAGE = 936;

// The code page of the text PeriodCodeToText gives for a period type: the
// ten-day text is in the Chinese code page (936) whatever the system's, the
// others are in the system's (CP_ACP).  Drawn or shown, the text is turned
// into UTF-16 from this code page.
UINT PeriodTextCodePage(int type);

// Today's code of a period type.
CString GetCurrentPeriodCode(int type);
