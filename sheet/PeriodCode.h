// Report period codes: the period types, the code's fixed width and the
// calendar functions the period arithmetic and the calendar controls share.
//
// A period code is 13 decimal digits: year (4), half year (1), quarter (1),
// month (2), ten-day part of the month (1), week of the year (2) and day of
// the month (2).  Only the groups of the code's own period type carry a
// value; the other positions are '0'.
#pragma once

#include "framework/core/Base.h"

// PeriodType values.
enum
{
    PERIOD_TENDAY = -2,   // ten-day part of a month
    PERIOD_HALFYEAR = -1,
    PERIOD_YEAR = 0,
    PERIOD_QUARTER = 1,
    PERIOD_MONTH = 2,
    PERIOD_WEEK = 3,
    PERIOD_DAY = 4
};

// Characters of a period code, and the size of the char array that holds one.
const int PERIOD_CODE_LENGTH = 13;
const int PERIOD_CODE_SIZE = PERIOD_CODE_LENGTH + 1;

// Years above this are outside the calendar.
const int PERIOD_LAST_YEAR = 9999;

// TRUE for -2 .. 4.
BOOL IsPeriodType(int type);

// FALSE above year 9999.
BOOL IsLeapYear(int year);

// -1 above year 9999 or for a month outside 1..12.
int DaysInMonth(int year, int month);

// 0 = Sunday .. 6 = Saturday; -1 outside years 0..9999, months 1..12 and
// days 1..31.
int DayOfWeek(int year, int month, int day);

// Days of a common year before the given month (1..13; 13 gives 365).
int DaysBeforeMonth(int month);
