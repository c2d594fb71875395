#include "tests/support/Gtest.h"
#include "shell/PeriodCalendar.h"

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

std::string Selected(const char* code, int type)
{
    return Str(Loaded(code, type).GetSelectedCode());
}

std::string WeekCode(int year, int week)
{
    char code[64];
    snprintf(code, sizeof(code), "%04d00000%02d00", year, week);
    return code;
}

}

TEST(PeriodCalendar, LoadReadsEveryGroupAndOpensOnARealPeriod)
{
    // year 2024, half 2, quarter 3, month 07, ten-day 2, week 28, day 15
    CPeriodCalendar calendar = Loaded("2024230722815", PERIOD_YEAR);
    const CReportPeriod& p = calendar.m_period;
    EXPECT_EQ(2024, p.m_nYear);
    EXPECT_EQ(2, p.m_nHalf);
    EXPECT_EQ(3, p.m_nQuarter);
    EXPECT_EQ(7, p.m_nMonth);
    EXPECT_EQ(2, p.m_nTenDay);
    EXPECT_EQ(28, p.m_nWeek);
    EXPECT_EQ(15, p.m_nDay);
    // Groups without digits give 0.
    EXPECT_EQ("0000000700000", Selected("abcd2x07xxxxx", PERIOD_MONTH));
    // A code of another type or a damaged one opens on the nearest real
    // period of the page.
    EXPECT_EQ("2024000100001", Selected("2024000000000", PERIOD_DAY));
    EXPECT_EQ("2024000200029", Selected("2024000200030", PERIOD_DAY));
    EXPECT_EQ("2024001200000", Selected("2024009900000", PERIOD_MONTH));
    EXPECT_EQ("2024040000000", Selected("2024090000000", PERIOD_QUARTER));
    EXPECT_EQ("2024100000000", Selected("2024000000000", PERIOD_HALFYEAR));
    EXPECT_EQ("0000000100001", Selected("", PERIOD_DAY));
}

TEST(PeriodCalendar, DayGridOfFebruary2024)
{
    CPeriodCalendar calendar = Loaded("2024000200010", PERIOD_DAY);
    EXPECT_EQ(29, calendar.GetDaysInMonth());
    EXPECT_EQ(4, calendar.GetFirstDayOffset());   // Thursday, the fifth column
    for (int i = 0; i < CALENDAR_DAY_CELLS; ++i)
    {
        int expected = i < 4 ? 28 + i : (i < 33 ? i - 3 : i - 32);
        EXPECT_EQ(expected, calendar.GetDayNumber(i)) << i;
        EXPECT_EQ(i < 4 ? -1 : (i < 33 ? 0 : 1), calendar.GetDayMonthOffset(i)) << i;
    }
    EXPECT_EQ(4 + 10 - 1, calendar.GetSelectedCell());
    // January's cells before come from December.
    calendar = Loaded("2025000100001", PERIOD_DAY);
    EXPECT_EQ(3, calendar.GetFirstDayOffset());
    EXPECT_EQ(31, calendar.GetDayNumber(2));
}

TEST(PeriodCalendar, StepsStopAtYearZeroAnd9999)
{
    CPeriodCalendar calendar = Loaded("9998000300000", PERIOD_MONTH);
    EXPECT_TRUE(calendar.StepArrow(TRUE));
    EXPECT_FALSE(calendar.StepArrow(TRUE));
    EXPECT_EQ("9999000300000", Str(calendar.GetSelectedCode()));
    EXPECT_EQ("9999", Str(calendar.GetYearText()));
    calendar = Loaded("0001030000000", PERIOD_QUARTER);
    EXPECT_TRUE(calendar.StepArrow(FALSE));
    EXPECT_FALSE(calendar.StepArrow(FALSE));
    EXPECT_EQ("0000030000000", Str(calendar.GetSelectedCode()));

    // Month steps cross years and cut the day to the month.
    calendar = Loaded("2024000300031", PERIOD_DAY);
    EXPECT_TRUE(calendar.StepArrow(FALSE));
    EXPECT_EQ("2024000200029", Str(calendar.GetSelectedCode()));
    calendar = Loaded("2024000100031", PERIOD_DAY);
    EXPECT_TRUE(calendar.StepMonth(FALSE));
    EXPECT_EQ("2023001200031", Str(calendar.GetSelectedCode()));
    EXPECT_FALSE(Loaded("9999001200031", PERIOD_DAY).StepArrow(TRUE));
    calendar = Loaded("0000000110000", PERIOD_TENDAY);
    EXPECT_FALSE(calendar.StepArrow(FALSE));
    EXPECT_EQ("0000000110000", Str(calendar.GetSelectedCode()));
}

TEST(PeriodCalendar, PickingCells)
{
    struct Case { const char* code; int type; int cell; const char* picked; };
    const Case cases[] = {
        { "2024000000000", PERIOD_QUARTER, 2, "2024030000000" },
        { "2024000000000", PERIOD_HALFYEAR, 1, "2024200000000" },
        { "2024000000000", PERIOD_MONTH, 11, "2024001200000" },
        { "2024000500000", PERIOD_TENDAY, 2, "2024000530000" },
        // Days of the months before and after move the month first.
        { "2024000200010", PERIOD_DAY, 1, "2024000100029" },
        { "2024000200010", PERIOD_DAY, 41, "2024000300009" },
        { "2024000200010", PERIOD_DAY, 32, "2024000200029" },
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(testing::Message() << c.code << " cell " << c.cell);
        CPeriodCalendar calendar = Loaded(c.code, c.type);
        EXPECT_TRUE(calendar.PickCell(c.cell));
        EXPECT_EQ(c.picked, Str(calendar.GetSelectedCode()));
    }
    EXPECT_FALSE(Loaded("2024000000000", PERIOD_QUARTER).PickCell(4));
    // Days before year 0 and after 9999 are ignored.
    CPeriodCalendar calendar = Loaded("0000000100005", PERIOD_DAY);
    ASSERT_GT(calendar.GetFirstDayOffset(), 0);
    EXPECT_FALSE(calendar.PickCell(0));
    calendar = Loaded("9999001200005", PERIOD_DAY);
    EXPECT_FALSE(calendar.PickCell(CALENDAR_DAY_CELLS - 1));
    EXPECT_EQ("9999001200005", Str(calendar.GetSelectedCode()));
}

TEST(PeriodCalendar, Week53OnlyInYearsThatHaveIt)
{
    int seen[2] = { 0, 0 };
    for (int year = 1990; year <= 2040; ++year)
    {
        SCOPED_TRACE(year);
        BOOL bHas53 = CReportPeriod::GetWeeksInYear(year) == 53;
        ++seen[bHas53];
        CPeriodCalendar calendar = Loaded(WeekCode(year, 53).c_str(), PERIOD_WEEK);
        EXPECT_EQ(bHas53, calendar.IsCellOffered(52));
        EXPECT_EQ(bHas53, calendar.PickCell(52));
        EXPECT_EQ(bHas53 ? 53 : 52, calendar.m_period.m_nWeek);
        // A year step into a year of 52 weeks leaves week 53.
        if (bHas53 && CReportPeriod::GetWeeksInYear(year + 1) == 52)
        {
            EXPECT_TRUE(calendar.StepArrow(TRUE));
            EXPECT_EQ(WeekCode(year + 1, 52), Str(calendar.GetSelectedCode()));
        }
    }
    EXPECT_GT(seen[0], 0);
    EXPECT_GT(seen[1], 0);
}

TEST(PeriodCalendar, YearKeypad)
{
    CPeriodCalendar calendar = Loaded("2024000000000", PERIOD_YEAR);
    for (int digit : { 1, 9, 8, 7, 6 })
        calendar.TypeDigit(digit);
    // The fifth digit is ignored.
    EXPECT_EQ("1987", Str(calendar.GetYearText()));
    calendar.DeleteYearDigit();
    EXPECT_EQ("0198000000000", Str(calendar.GetSelectedCode()));
    calendar.ClearYear();
    EXPECT_EQ("", Str(calendar.GetYearText()));
    EXPECT_EQ("0000000000000", Str(calendar.GetSelectedCode()));
    // An arrow step empties what was typed.
    calendar.TypeDigit(2);
    EXPECT_TRUE(calendar.StepArrow(TRUE));
    EXPECT_EQ("", Str(calendar.GetYearText()));
    EXPECT_EQ("0003000000000", Str(calendar.GetSelectedCode()));
}

TEST(PeriodCalendar, EveryCodeHasThirteenDigits)
{
    // Each page run to both ends of the calendar, every cell picked on the way.
    for (int type = PERIOD_TENDAY; type <= PERIOD_DAY; ++type)
    {
        for (const char* start : { "0000000000000", "0005111111111", "9999242123153", "" })
        {
            SCOPED_TRACE(testing::Message() << type << " from " << start);
            CPeriodCalendar calendar = Loaded(start, type);
            for (int i = 0; i < 60; ++i)
            {
                calendar.StepArrow(i >= 30);
                for (int cell = 0; cell < calendar.GetCellCount(); ++cell)
                {
                    CPeriodCalendar picked = calendar;
                    picked.PickCell(cell);
                    std::string code = Str(picked.GetSelectedCode());
                    ASSERT_EQ(13u, code.size()) << code;
                    ASSERT_EQ(std::string::npos, code.find_first_not_of("0123456789")) << code;
                }
            }
        }
    }
}
