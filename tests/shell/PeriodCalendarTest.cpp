#include "tests/support/Gtest.h"
#include "shell/PeriodCalendar.h"
#include "sheet/ReportPeriod.h"

#include <string>

namespace {

std::string Str(const CString& s)
{
    return std::string((LPCTSTR)s, s.GetLength());
}

CPeriodCalendar Loaded(const char* code, int type)
{
    CPeriodCalendar calendar;
    calendar.Load(code, type);
    return calendar;
}

void ExpectThirteenDigits(const CPeriodCalendar& calendar)
{
    CString code = calendar.GetSelectedCode();
    EXPECT_EQ(13, code.GetLength()) << Str(code);
    EXPECT_EQ(std::string::npos, Str(code).find_first_not_of("0123456789")) << Str(code);
}

// A code of a year followed by the other nine digits.
std::string YearCode(int year, const char* rest)
{
    char code[64];
    snprintf(code, sizeof(code), "%04d%s", year, rest);
    return code;
}

const int ALL_TYPES[] = { PERIOD_TENDAY, PERIOD_HALFYEAR, PERIOD_YEAR, PERIOD_QUARTER,
                          PERIOD_MONTH, PERIOD_WEEK, PERIOD_DAY };

}

TEST(PeriodCalendar, LoadReadsEveryGroupWhateverTheType)
{
    // year 2024, half 2, quarter 3, month 07, ten-day 2, week 28, day 15
    CPeriodCalendar calendar = Loaded("2024230722815", PERIOD_YEAR);
    EXPECT_EQ(2024, calendar.m_period.m_nYear);
    EXPECT_EQ(2, calendar.m_period.m_nHalf);
    EXPECT_EQ(3, calendar.m_period.m_nQuarter);
    EXPECT_EQ(7, calendar.m_period.m_nMonth);
    EXPECT_EQ(2, calendar.m_period.m_nTenDay);
    EXPECT_EQ(28, calendar.m_period.m_nWeek);
    EXPECT_EQ(15, calendar.m_period.m_nDay);
    EXPECT_EQ("2024000000000", Str(calendar.GetSelectedCode()));
}

TEST(PeriodCalendar, GroupsWithoutDigitsGiveZero)
{
    CPeriodCalendar calendar = Loaded("abcd2x07xxxxx", PERIOD_MONTH);
    EXPECT_EQ(0, calendar.m_period.m_nYear);
    EXPECT_EQ(2, calendar.m_period.m_nHalf);
    EXPECT_EQ(0, calendar.m_period.m_nQuarter);
    EXPECT_EQ(7, calendar.m_period.m_nMonth);
    EXPECT_EQ(0, calendar.m_period.m_nDay);
    EXPECT_EQ("0000000700000", Str(calendar.GetSelectedCode()));
}

TEST(PeriodCalendar, PageOpensOnARealPeriod)
{
    // A year code shown on a day page: month and day 0 become 1 January.
    EXPECT_EQ("2024000100001", Str(Loaded("2024000000000", PERIOD_DAY).GetSelectedCode()));
    // Day 31 of April, and February 30 of a leap year, are cut to the month.
    EXPECT_EQ("2024000400030", Str(Loaded("2024000400031", PERIOD_DAY).GetSelectedCode()));
    EXPECT_EQ("2024000200029", Str(Loaded("2024000200030", PERIOD_DAY).GetSelectedCode()));
    EXPECT_EQ("2024001200000", Str(Loaded("2024009900000", PERIOD_MONTH).GetSelectedCode()));
    EXPECT_EQ("2024040000000", Str(Loaded("2024090000000", PERIOD_QUARTER).GetSelectedCode()));
    EXPECT_EQ("2024100000000", Str(Loaded("2024000000000", PERIOD_HALFYEAR).GetSelectedCode()));
    EXPECT_EQ("2024000130000", Str(Loaded("2024000070000", PERIOD_TENDAY).GetSelectedCode()));
    // A short code reads what it has.
    EXPECT_EQ("1999000000000", Str(Loaded("1999", PERIOD_YEAR).GetSelectedCode()));
    EXPECT_EQ("0000000100001", Str(Loaded("", PERIOD_DAY).GetSelectedCode()));
}

TEST(PeriodCalendar, DayGridOfFebruary2024)
{
    CPeriodCalendar calendar = Loaded("2024000200010", PERIOD_DAY);
    EXPECT_EQ(29, calendar.GetDaysInMonth());
    EXPECT_EQ(4, calendar.GetFirstDayOffset());   // Thursday, the fifth column
    const int before[4] = { 28, 29, 30, 31 };
    for (int i = 0; i < 4; ++i)
    {
        EXPECT_EQ(before[i], calendar.GetDayNumber(i));
        EXPECT_EQ(-1, calendar.GetDayMonthOffset(i));
    }
    for (int day = 1; day <= 29; ++day)
    {
        EXPECT_EQ(day, calendar.GetDayNumber(3 + day));
        EXPECT_EQ(0, calendar.GetDayMonthOffset(3 + day));
    }
    for (int i = 33; i < CALENDAR_DAY_CELLS; ++i)
    {
        EXPECT_EQ(i - 32, calendar.GetDayNumber(i));
        EXPECT_EQ(1, calendar.GetDayMonthOffset(i));
    }
    EXPECT_EQ(4 + 10 - 1, calendar.GetSelectedCell());
}

TEST(PeriodCalendar, DayGridFollowsWin32Weekdays)
{
    // Win32's own calendar as the reference for the first weekday.
    for (int year : { 1601, 1900, 2000, 2023, 2100, 9999 })
    {
        for (int month = 1; month <= 12; ++month)
        {
            SCOPED_TRACE(testing::Message() << year << "-" << month);
            SYSTEMTIME st = {};
            st.wYear = (WORD)year;
            st.wMonth = (WORD)month;
            st.wDay = 1;
            FILETIME ft;
            ASSERT_TRUE(SystemTimeToFileTime(&st, &ft));
            ASSERT_TRUE(FileTimeToSystemTime(&ft, &st));
            char rest[16];
            snprintf(rest, sizeof(rest), "00%02d00001", month);
            CPeriodCalendar calendar = Loaded(YearCode(year, rest).c_str(), PERIOD_DAY);
            EXPECT_EQ(st.wDayOfWeek, calendar.GetFirstDayOffset());
            // The cells before the month count down to the last day of the
            // month before.
            int first = calendar.GetFirstDayOffset();
            if (first > 0)
            {
                int before = month == 1 ? 31 : DaysInMonth(year, month - 1);
                EXPECT_EQ(before, calendar.GetDayNumber(first - 1));
            }
        }
    }
}

TEST(PeriodCalendar, YearStepsStopAtZeroAnd9999)
{
    CPeriodCalendar calendar = Loaded("9998000300000", PERIOD_MONTH);
    EXPECT_TRUE(calendar.StepArrow(TRUE));
    EXPECT_EQ(9999, calendar.m_period.m_nYear);
    EXPECT_FALSE(calendar.StepArrow(TRUE));
    EXPECT_EQ(9999, calendar.m_period.m_nYear);
    EXPECT_EQ("9999", Str(calendar.GetYearText()));
    EXPECT_EQ("9999000300000", Str(calendar.GetSelectedCode()));

    calendar = Loaded("0001030000000", PERIOD_QUARTER);
    EXPECT_TRUE(calendar.StepArrow(FALSE));
    EXPECT_EQ(0, calendar.m_period.m_nYear);
    EXPECT_FALSE(calendar.StepArrow(FALSE));
    EXPECT_EQ("0000030000000", Str(calendar.GetSelectedCode()));
}

TEST(PeriodCalendar, MonthStepsCrossYearsAndCutTheDay)
{
    CPeriodCalendar calendar = Loaded("2024000300031", PERIOD_DAY);
    EXPECT_TRUE(calendar.StepArrow(FALSE));
    EXPECT_EQ("2024000200029", Str(calendar.GetSelectedCode()));
    EXPECT_EQ(29, calendar.GetDaysInMonth());
    EXPECT_TRUE(calendar.StepMonth(FALSE));
    EXPECT_TRUE(calendar.StepMonth(FALSE));
    EXPECT_EQ("2023001200029", Str(calendar.GetSelectedCode()));
    EXPECT_TRUE(calendar.StepMonth(TRUE));
    EXPECT_EQ("2024000100029", Str(calendar.GetSelectedCode()));

    calendar = Loaded("9999001200031", PERIOD_DAY);
    EXPECT_FALSE(calendar.StepArrow(TRUE));
    EXPECT_EQ("9999001200031", Str(calendar.GetSelectedCode()));
    calendar = Loaded("0000000110000", PERIOD_TENDAY);
    EXPECT_FALSE(calendar.StepArrow(FALSE));
    EXPECT_EQ("0000000110000", Str(calendar.GetSelectedCode()));
}

TEST(PeriodCalendar, PickingCells)
{
    CPeriodCalendar calendar = Loaded("2024000000000", PERIOD_QUARTER);
    EXPECT_TRUE(calendar.PickCell(2));
    EXPECT_EQ("2024030000000", Str(calendar.GetSelectedCode()));
    EXPECT_FALSE(calendar.PickCell(4));

    calendar = Loaded("2024000000000", PERIOD_HALFYEAR);
    EXPECT_TRUE(calendar.PickCell(1));
    EXPECT_EQ("2024200000000", Str(calendar.GetSelectedCode()));

    calendar = Loaded("2024000000000", PERIOD_MONTH);
    EXPECT_TRUE(calendar.PickCell(11));
    EXPECT_EQ("2024001200000", Str(calendar.GetSelectedCode()));

    calendar = Loaded("2024000500000", PERIOD_TENDAY);
    EXPECT_TRUE(calendar.PickCell(2));
    EXPECT_EQ("2024000530000", Str(calendar.GetSelectedCode()));

    // Day cells of the months before and after move the month first.
    calendar = Loaded("2024000200010", PERIOD_DAY);
    EXPECT_TRUE(calendar.PickCell(1));
    EXPECT_EQ("2024000100029", Str(calendar.GetSelectedCode()));
    calendar = Loaded("2024000200010", PERIOD_DAY);
    EXPECT_TRUE(calendar.PickCell(CALENDAR_DAY_CELLS - 1));
    EXPECT_EQ("2024000300009", Str(calendar.GetSelectedCode()));
    calendar = Loaded("2024000200010", PERIOD_DAY);
    EXPECT_TRUE(calendar.PickCell(4 + 28));
    EXPECT_EQ("2024000200029", Str(calendar.GetSelectedCode()));
}

TEST(PeriodCalendar, DaysOutsideTheCalendarAreIgnored)
{
    // 1 January of year 0 is a Saturday: six cells of the December before.
    CPeriodCalendar calendar = Loaded("0000000100005", PERIOD_DAY);
    ASSERT_GT(calendar.GetFirstDayOffset(), 0);
    EXPECT_FALSE(calendar.PickCell(0));
    EXPECT_EQ("0000000100005", Str(calendar.GetSelectedCode()));

    calendar = Loaded("9999001200005", PERIOD_DAY);
    EXPECT_EQ(1, calendar.GetDayMonthOffset(CALENDAR_DAY_CELLS - 1));
    EXPECT_FALSE(calendar.PickCell(CALENDAR_DAY_CELLS - 1));
    EXPECT_EQ("9999001200005", Str(calendar.GetSelectedCode()));
}

TEST(PeriodCalendar, Week53OnlyInYearsThatHaveIt)
{
    int seen52 = 0, seen53 = 0;
    for (int year = 1990; year <= 2040; ++year)
    {
        SCOPED_TRACE(year);
        CPeriodCalendar calendar = Loaded(YearCode(year, "000005300").c_str(), PERIOD_WEEK);
        BOOL bHas53 = CReportPeriod::GetWeeksInYear(year) == 53;
        (bHas53 ? seen53 : seen52)++;
        EXPECT_TRUE(calendar.IsCellOffered(51));
        EXPECT_EQ(bHas53, calendar.IsCellOffered(52));
        EXPECT_EQ(bHas53, calendar.PickCell(52));
        EXPECT_EQ(bHas53 ? 53 : 52, calendar.m_period.m_nWeek);
        // Week 53 is a period of that year: the week of some day in it.
        if (bHas53)
        {
            CString expected = CReportPeriod::GetCodeForDate(PERIOD_WEEK, year, 12, 28);
            EXPECT_EQ(Str(expected), Str(calendar.GetSelectedCode()));
        }
    }
    EXPECT_GT(seen52, 0);
    EXPECT_GT(seen53, 0);
}

TEST(PeriodCalendar, YearStepCutsWeek53)
{
    int year53 = 2000;
    while (CReportPeriod::GetWeeksInYear(year53) != 53 || CReportPeriod::GetWeeksInYear(year53 + 1) != 52)
        ++year53;
    CPeriodCalendar calendar = Loaded(YearCode(year53, "000005300").c_str(), PERIOD_WEEK);
    ASSERT_EQ(53, calendar.m_period.m_nWeek);
    EXPECT_TRUE(calendar.StepArrow(TRUE));
    EXPECT_EQ(52, calendar.m_period.m_nWeek);
    EXPECT_FALSE(calendar.IsCellOffered(52));
}

TEST(PeriodCalendar, YearKeypad)
{
    CPeriodCalendar calendar = Loaded("2024000000000", PERIOD_YEAR);
    EXPECT_EQ("", Str(calendar.GetYearText()));
    for (int digit : { 1, 9, 8, 7, 6 })
        calendar.TypeDigit(digit);
    // The fifth digit is ignored.
    EXPECT_EQ("1987", Str(calendar.GetYearText()));
    EXPECT_EQ("1987000000000", Str(calendar.GetSelectedCode()));
    calendar.DeleteYearDigit();
    EXPECT_EQ(198, calendar.m_period.m_nYear);
    EXPECT_EQ("0198000000000", Str(calendar.GetSelectedCode()));
    calendar.DeleteYearDigit();
    calendar.DeleteYearDigit();
    calendar.DeleteYearDigit();
    calendar.DeleteYearDigit();
    EXPECT_EQ(0, calendar.m_period.m_nYear);
    calendar.TypeDigit(5);
    calendar.ClearYear();
    EXPECT_EQ("", Str(calendar.GetYearText()));
    EXPECT_EQ("0000000000000", Str(calendar.GetSelectedCode()));
    // An arrow step empties what was typed.
    calendar.TypeDigit(2);
    EXPECT_TRUE(calendar.StepArrow(TRUE));
    EXPECT_EQ("", Str(calendar.GetYearText()));
    EXPECT_EQ(3, calendar.m_period.m_nYear);
}

TEST(PeriodCalendar, EveryCodeHasThirteenDigits)
{
    // Run each page to both ends of the calendar and pick every cell on the
    // way: no code may come out shorter or longer.
    for (int type : ALL_TYPES)
    {
        for (const char* start : { "0000000000000", "0005111111111", "9999242123153", "" })
        {
            SCOPED_TRACE(testing::Message() << type << " from " << start);
            CPeriodCalendar calendar = Loaded(start, type);
            ExpectThirteenDigits(calendar);
            for (int i = 0; i < 30; ++i)
            {
                calendar.StepArrow(FALSE);
                ExpectThirteenDigits(calendar);
            }
            for (int cell = 0; cell < calendar.GetCellCount(); ++cell)
            {
                CPeriodCalendar picked = calendar;
                picked.PickCell(cell);
                ExpectThirteenDigits(picked);
            }
            for (int i = 0; i < 30; ++i)
            {
                calendar.StepArrow(TRUE);
                ExpectThirteenDigits(calendar);
            }
        }
    }
}
