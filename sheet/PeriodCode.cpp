#include "sheet/PeriodCode.h"

namespace {

// Cumulative day counts of a common year before each month; the last entry
// closes December.
const int g_daysBefore[13] = { 0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334, 365 };

}

BOOL IsPeriodType(int type)
{
    return type >= PERIOD_TENDAY && type <= PERIOD_DAY;
}

BOOL IsLeapYear(int year)
{
    if (year > PERIOD_LAST_YEAR)
        return FALSE;
    return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
}

int DaysInMonth(int year, int month)
{
    if (year > PERIOD_LAST_YEAR || month < 1 || month > 12)
        return -1;
    int days = g_daysBefore[month] - g_daysBefore[month - 1];
    if (month == 2 && IsLeapYear(year))
        ++days;
    return days;
}

int DaysBeforeMonth(int month)
{
    if (month < 1)
        month = 1;
    if (month > 13)
        month = 13;
    return g_daysBefore[month - 1];
}

int DayOfWeek(int year, int month, int day)
{
    // Negative years are outside the calendar as much as those above 9999.
    if (year < 0 || year > PERIOD_LAST_YEAR || month < 1 || month > 12 || day < 1 || day > 31)
        return -1;
    int count = 365 * year + year / 4 - year / 100 + year / 400 + g_daysBefore[month - 1] + day;
    if (month < 3 && IsLeapYear(year))
        --count;
    // The count is 0 only for 1 January of year 0; a floored remainder keeps
    // that day a Saturday instead of -1.
    return ((count - 1) % 7 + 7) % 7;
}
