#include "tests/support/Gtest.h"
#include "sheet/ReportPeriod.h"

#include <climits>
#include <string>

namespace {

const int ALL_TYPES[] = { PERIOD_TENDAY, PERIOD_HALFYEAR, PERIOD_YEAR, PERIOD_QUARTER,
                          PERIOD_MONTH, PERIOD_WEEK, PERIOD_DAY };

std::string Str(const CString& s)
{
    return std::string((LPCTSTR)s, s.GetLength());
}

std::string Stepped(const char* code, int type, int next, int previous = 0)
{
    CReportPeriod period(code, type);
    if (next)
        period.Next(next);
    if (previous)
        period.Previous(previous);
    return Str(period.GetCode());
}

// Win32's own calendar as the independent reference for dates from 1601.
ULONGLONG DayNumber(int year, int month, int day)
{
    SYSTEMTIME st = {};
    st.wYear = (WORD)year;
    st.wMonth = (WORD)month;
    st.wDay = (WORD)day;
    FILETIME ft;
    EXPECT_TRUE(SystemTimeToFileTime(&st, &ft)) << year << "-" << month << "-" << day;
    ULARGE_INTEGER u;
    u.LowPart = ft.dwLowDateTime;
    u.HighPart = ft.dwHighDateTime;
    return u.QuadPart / (10000000ULL * 86400ULL);
}

SYSTEMTIME DateOfDayNumber(ULONGLONG dayNumber)
{
    ULARGE_INTEGER u;
    u.QuadPart = dayNumber * 10000000ULL * 86400ULL;
    FILETIME ft = { u.LowPart, u.HighPart };
    SYSTEMTIME st = {};
    EXPECT_TRUE(FileTimeToSystemTime(&ft, &st));
    return st;
}

void ExpectCode13Digits(const CString& code)
{
    ASSERT_EQ(PERIOD_CODE_LENGTH, code.GetLength()) << Str(code);
    for (int i = 0; i < PERIOD_CODE_LENGTH; ++i)
        EXPECT_TRUE(code[i] >= '0' && code[i] <= '9') << Str(code);
}

}

// ---------------------------------------------------------------- calendar

TEST(PeriodCalendar, LeapYears)
{
    EXPECT_TRUE(IsLeapYear(2024));
    EXPECT_FALSE(IsLeapYear(2023));
    EXPECT_TRUE(IsLeapYear(2000));
    EXPECT_FALSE(IsLeapYear(1900));
    EXPECT_FALSE(IsLeapYear(2100));
    EXPECT_TRUE(IsLeapYear(2400));
    EXPECT_TRUE(IsLeapYear(0));
    EXPECT_TRUE(IsLeapYear(9996));
    EXPECT_FALSE(IsLeapYear(9999));
    // Divisible by 400, but outside the calendar.
    EXPECT_FALSE(IsLeapYear(10000));
    EXPECT_FALSE(IsLeapYear(12000));
}

TEST(PeriodCalendar, DaysInMonthAndItsDomain)
{
    EXPECT_EQ(29, DaysInMonth(2024, 2));
    EXPECT_EQ(28, DaysInMonth(1900, 2));
    EXPECT_EQ(31, DaysInMonth(9999, 12));
    EXPECT_EQ(-1, DaysInMonth(10000, 1));
    EXPECT_EQ(-1, DaysInMonth(2023, 0));
    EXPECT_EQ(-1, DaysInMonth(2023, 13));
    EXPECT_EQ(365, DaysBeforeMonth(13));
}

TEST(PeriodCalendar, DaysInMonthMatchesWin32Calendar)
{
    for (int year = 1601; year <= 9999; year += (year < 2100 ? 1 : 37))
    {
        for (int month = 1; month <= 12; ++month)
        {
            ULONGLONG first = DayNumber(year, month, 1);
            ULONGLONG next = month == 12 ? DayNumber(year + 1 <= 30827 ? year + 1 : year, 1, 1)
                                         : DayNumber(year, month + 1, 1);
            ASSERT_EQ((int)(next - first), DaysInMonth(year, month)) << year << "-" << month;
        }
    }
}

TEST(PeriodCalendar, DayOfWeekKnownDates)
{
    EXPECT_EQ(4, DayOfWeek(2004, 1, 1));   // Thursday
    EXPECT_EQ(0, DayOfWeek(2006, 1, 1));   // Sunday
    EXPECT_EQ(6, DayOfWeek(2005, 1, 1));   // Saturday
    EXPECT_EQ(1, DayOfWeek(1, 1, 1));      // Monday, proleptic calendar
    EXPECT_EQ(5, DayOfWeek(9999, 12, 31));
}

TEST(PeriodCalendar, DayOfWeekAtTheStartOfYearZero)
{
    // Year 0 is a leap year of 366 days before the Monday 1 January 0001.
    EXPECT_EQ(6, DayOfWeek(0, 1, 1));
    EXPECT_EQ(0, DayOfWeek(0, 1, 2));
    EXPECT_EQ(0, DayOfWeek(0, 12, 31));
}

TEST(PeriodCalendar, DayOfWeekRefusesOutsideItsDomain)
{
    EXPECT_EQ(-1, DayOfWeek(10000, 1, 1));
    EXPECT_EQ(-1, DayOfWeek(-1, 12, 31));
    EXPECT_EQ(-1, DayOfWeek(2024, 0, 1));
    EXPECT_EQ(-1, DayOfWeek(2024, 13, 1));
    EXPECT_EQ(-1, DayOfWeek(2024, 1, 0));
    EXPECT_EQ(-1, DayOfWeek(2024, 1, 32));
}

TEST(PeriodCalendar, DayOfWeekMatchesWin32Calendar)
{
    for (int year = 1601; year <= 9999; year += (year < 2100 ? 1 : 13))
    {
        for (int month = 1; month <= 12; ++month)
        {
            for (int day = 1; day <= DaysInMonth(year, month); day += (year < 2100 ? 1 : 9))
            {
                SYSTEMTIME st = DateOfDayNumber(DayNumber(year, month, day));
                ASSERT_EQ((int)st.wDayOfWeek, DayOfWeek(year, month, day))
                    << year << "-" << month << "-" << day;
            }
        }
    }
}

TEST(PeriodCalendar, PeriodTypes)
{
    for (int type : ALL_TYPES)
        EXPECT_TRUE(IsPeriodType(type)) << type;
    EXPECT_FALSE(IsPeriodType(-3));
    EXPECT_FALSE(IsPeriodType(5));
}

// ------------------------------------------------------------- week number

TEST(PeriodWeek, ExamplesOfTheWeekRule)
{
    EXPECT_EQ(53, CReportPeriod::GetWeekOfYear(2004, 1, 1));
    EXPECT_EQ(1, CReportPeriod::GetWeekOfYear(2004, 1, 4));
    EXPECT_EQ(2, CReportPeriod::GetWeekOfYear(2004, 1, 11));
    EXPECT_EQ(1, CReportPeriod::GetWeekOfYear(2006, 1, 1));
    EXPECT_EQ(2, CReportPeriod::GetWeekOfYear(2006, 1, 7));
    EXPECT_EQ(1, CReportPeriod::GetWeekOfYear(2001, 12, 29));
    EXPECT_EQ(11, CReportPeriod::GetWeekOfYear(2024, 3, 15));
    EXPECT_EQ(52, CReportPeriod::GetWeekOfYear(2005, 1, 1));
    EXPECT_EQ(1, CReportPeriod::GetWeekOfYear(2005, 1, 2));
}

TEST(PeriodWeek, WeeksInYear2000To2030)
{
    for (int year = 2000; year <= 2030; ++year)
    {
        bool long_year = year == 2003 || year == 2008 || year == 2014 || year == 2020 || year == 2025;
        EXPECT_EQ(long_year ? 53 : 52, CReportPeriod::GetWeeksInYear(year)) << year;
    }
}

// A new week starts on Sunday in years that begin on Thursday to Saturday
// and on Saturday in the others (not ISO 8601).
TEST(PeriodWeek, WeeksTurnOnTheYearsWeekday)
{
    for (int year = 1996; year <= 2033; ++year)
    {
        int turnDay = DayOfWeek(year, 1, 1) > 3 ? 0 : 6;
        SCOPED_TRACE(year);
        for (int month = 2; month <= 11; ++month)
        {
            for (int day = 1; day <= DaysInMonth(year, month); ++day)
            {
                int prevMonth = day > 1 ? month : month - 1;
                int prevDay = day > 1 ? day - 1 : DaysInMonth(year, prevMonth);
                int week = CReportPeriod::GetWeekOfYear(year, month, day);
                int before = CReportPeriod::GetWeekOfYear(year, prevMonth, prevDay);
                if (DayOfWeek(year, month, day) == turnDay)
                    ASSERT_EQ(before + 1, week) << month << "-" << day;
                else
                    ASSERT_EQ(before, week) << month << "-" << day;
            }
        }
    }
}

TEST(PeriodWeek, ResultStaysInRangeForAnyInput)
{
    const int years[] = { INT_MIN, -5, 0, 1, 2024, 9998, 9999, 10000, INT_MAX };
    const int months[] = { INT_MIN, -1, 0, 1, 2, 12, 13, INT_MAX };
    const int days[] = { INT_MIN, -1, 0, 1, 31, 32, INT_MAX };
    for (int y : years)
        for (int m : months)
            for (int d : days)
            {
                int week = CReportPeriod::GetWeekOfYear(y, m, d);
                EXPECT_TRUE(week >= 1 && week <= 53) << y << " " << m << " " << d << " -> " << week;
            }
    EXPECT_EQ(52, CReportPeriod::GetWeeksInYear(10000));
    int lastWeeks = CReportPeriod::GetWeeksInYear(9999);
    EXPECT_TRUE(lastWeeks == 52 || lastWeeks == 53);
}

// ---------------------------------------------------- codes, set and read

TEST(PeriodCode, FormatOfEveryTypeFor15March2024)
{
    EXPECT_EQ("2024000320000", Str(CReportPeriod::GetCodeForDate(PERIOD_TENDAY, 2024, 3, 15)));
    EXPECT_EQ("2024100000000", Str(CReportPeriod::GetCodeForDate(PERIOD_HALFYEAR, 2024, 3, 15)));
    EXPECT_EQ("2024000000000", Str(CReportPeriod::GetCodeForDate(PERIOD_YEAR, 2024, 3, 15)));
    EXPECT_EQ("2024010000000", Str(CReportPeriod::GetCodeForDate(PERIOD_QUARTER, 2024, 3, 15)));
    EXPECT_EQ("2024000300000", Str(CReportPeriod::GetCodeForDate(PERIOD_MONTH, 2024, 3, 15)));
    EXPECT_EQ("2024000001100", Str(CReportPeriod::GetCodeForDate(PERIOD_WEEK, 2024, 3, 15)));
    EXPECT_EQ("2024000300015", Str(CReportPeriod::GetCodeForDate(PERIOD_DAY, 2024, 3, 15)));
}

TEST(PeriodCode, ParsesOnlyTheGroupsOfItsType)
{
    // Every group filled: each type must read its own positions only.
    const char* code = "2024241231537";
    CReportPeriod day(code, PERIOD_DAY);
    EXPECT_EQ(2024, day.m_nYear);
    EXPECT_EQ(12, day.m_nMonth);
    EXPECT_EQ(37, day.m_nDay);
    EXPECT_EQ(0, day.m_nHalf);
    EXPECT_EQ(0, day.m_nWeek);
    EXPECT_EQ("2024001200037", Str(day.GetCode()));

    CReportPeriod tenDay(code, PERIOD_TENDAY);
    EXPECT_EQ(12, tenDay.m_nMonth);
    EXPECT_EQ(3, tenDay.m_nTenDay);
    EXPECT_EQ("2024001230000", Str(tenDay.GetCode()));

    EXPECT_EQ("2024200000000", Str(CReportPeriod(code, PERIOD_HALFYEAR).GetCode()));
    EXPECT_EQ("2024040000000", Str(CReportPeriod(code, PERIOD_QUARTER).GetCode()));
    EXPECT_EQ("2024001200000", Str(CReportPeriod(code, PERIOD_MONTH).GetCode()));
    EXPECT_EQ("2024000001500", Str(CReportPeriod(code, PERIOD_WEEK).GetCode()));
    EXPECT_EQ("2024000000000", Str(CReportPeriod(code, PERIOD_YEAR).GetCode()));
    EXPECT_EQ(PERIOD_WEEK, CReportPeriod(code, PERIOD_WEEK).m_nPeriodType);
}

TEST(PeriodCode, SetCodeZeroesFieldsAndKeepsTheStoredCode)
{
    CReportPeriod period("2024000300015", PERIOD_DAY);
    period.SetCode("2023000100002", PERIOD_MONTH);
    EXPECT_EQ(2023, period.m_nYear);
    EXPECT_EQ(1, period.m_nMonth);
    EXPECT_EQ(0, period.m_nDay);
    EXPECT_EQ(PERIOD_DAY, period.m_nPeriodType);
    period.SetCode("", PERIOD_DAY);
    EXPECT_EQ(0, period.m_nYear);
    EXPECT_EQ(0, period.m_nMonth);
    // A short text reads what it holds, nothing past its end.
    period.SetCode("2024000", PERIOD_DAY);
    EXPECT_EQ(2024, period.m_nYear);
    EXPECT_EQ(0, period.m_nMonth);
    period.SetCode(NULL, PERIOD_DAY);
    EXPECT_EQ(0, period.m_nYear);
}

TEST(PeriodCode, WrongLengthGivesEmptyCodeAlsoAfterStepping)
{
    CReportPeriod shortCode("202400030001", PERIOD_DAY);
    EXPECT_TRUE(shortCode.GetCode().IsEmpty());
    shortCode.Next(1);
    EXPECT_TRUE(shortCode.GetCode().IsEmpty());
    shortCode.Previous(3);
    EXPECT_TRUE(shortCode.GetCode().IsEmpty());

    EXPECT_TRUE(CReportPeriod("20240003000150", PERIOD_DAY).GetCode().IsEmpty());
    EXPECT_TRUE(CReportPeriod("", PERIOD_DAY).GetCode().IsEmpty());
    EXPECT_TRUE(CReportPeriod(NULL, PERIOD_DAY).GetCode().IsEmpty());
}

TEST(PeriodCode, WrongLengthLeavesFieldsAsTheyWere)
{
    CReportPeriod period("2024000300015", PERIOD_DAY);
    period.SetPeriod("2023", PERIOD_MONTH);
    EXPECT_EQ(PERIOD_MONTH, period.m_nPeriodType);
    EXPECT_EQ(2024, period.m_nYear);
    EXPECT_EQ(15, period.m_nDay);
    EXPECT_TRUE(period.GetCode().IsEmpty());
    period.SetPeriod("2023000700000", PERIOD_MONTH);
    EXPECT_EQ("2023000700000", Str(period.GetCode()));
}

TEST(PeriodCode, UnterminatedFieldIsNotReadPastItsEnd)
{
    struct
    {
        char szCode[PERIOD_CODE_SIZE];
        char szNext[8];
    } record;
    memcpy(record.szCode, "20240003000150", PERIOD_CODE_SIZE);   // 14 digits, no '\0'
    memcpy(record.szNext, "9999999", 8);
    CReportPeriod period(record.szCode, PERIOD_DAY);
    EXPECT_TRUE(period.GetCode().IsEmpty());
    EXPECT_EQ('\0', period.m_szCode[0]);
}

TEST(PeriodCode, NonDigitsStopTheConversionOfTheirGroup)
{
    // Month group " 3" starts with a blank: 0.  Day group "1x": 1.
    CReportPeriod period("202400 30001x", PERIOD_DAY);
    EXPECT_EQ(2024, period.m_nYear);
    EXPECT_EQ(0, period.m_nMonth);
    EXPECT_EQ(1, period.m_nDay);
    EXPECT_EQ("2024000000001", Str(period.GetCode()));
    // A sign is not a digit either.
    CReportPeriod signedMonth("202400-100000", PERIOD_MONTH);
    EXPECT_EQ(0, signedMonth.m_nMonth);
    EXPECT_EQ("2024000000000", Str(signedMonth.GetCode()));
    CReportPeriod letters("abcd000300015", PERIOD_DAY);
    EXPECT_EQ(0, letters.m_nYear);
    EXPECT_EQ("0000000300015", Str(letters.GetCode()));
}

TEST(PeriodCode, NoPeriodTypeGivesEmptyCodeAndDoesNotStep)
{
    CReportPeriod period("2024000300015", 7);
    EXPECT_EQ(0, period.m_nYear);
    EXPECT_EQ(0, period.m_nMonth);
    EXPECT_TRUE(period.GetCode().IsEmpty());
    period.m_nYear = 2024;
    period.m_nMonth = 3;
    period.Next(1).Previous(2).Next(40);
    EXPECT_EQ(2024, period.m_nYear);
    EXPECT_EQ(3, period.m_nMonth);
    EXPECT_TRUE(CReportPeriod::GetCodeForDate(5, 2024, 3, 15).IsEmpty());
    EXPECT_TRUE(CReportPeriod::GetCodeForDate(-3, 2024, 3, 15).IsEmpty());
    EXPECT_TRUE(CReportPeriod::GetCurrentCode(5).IsEmpty());
}

TEST(PeriodCode, YearsBelow1000KeepThirteenDigits)
{
    EXPECT_EQ("0999000300005", Stepped("0999000300005", PERIOD_DAY, 0));
    EXPECT_EQ("0999000300006", Stepped("0999000300005", PERIOD_DAY, 1));
    EXPECT_EQ("0005010000000", Stepped("0004040000000", PERIOD_QUARTER, 1));
    EXPECT_EQ("0000000100000", Stepped("0000000200000", PERIOD_MONTH, 0, 1));
    EXPECT_EQ("0042000000000", Stepped("0042000000000", PERIOD_YEAR, 0));
}

TEST(PeriodCode, FieldsThatDoNotFitAreRefused)
{
    CReportPeriod period("2024000300015", PERIOD_DAY);
    period.m_nYear = 12345;
    EXPECT_TRUE(period.GetCode().IsEmpty());
    period.m_nYear = -1;
    EXPECT_TRUE(period.GetCode().IsEmpty());
    period.m_nYear = 2024;
    period.m_nDay = 100;
    EXPECT_TRUE(period.GetCode().IsEmpty());
}

// ------------------------------------------------------- today's code

TEST(PeriodToday, TenDayPartAndWeekYearCarry)
{
    EXPECT_EQ("2023000530000", Str(CReportPeriod::GetCodeForDate(PERIOD_TENDAY, 2023, 5, 31)));
    EXPECT_EQ("2023000310000", Str(CReportPeriod::GetCodeForDate(PERIOD_TENDAY, 2023, 3, 10)));
    EXPECT_EQ("2023000320000", Str(CReportPeriod::GetCodeForDate(PERIOD_TENDAY, 2023, 3, 20)));
    EXPECT_EQ("2023000330000", Str(CReportPeriod::GetCodeForDate(PERIOD_TENDAY, 2023, 3, 21)));
    EXPECT_EQ("2005000000100", Str(CReportPeriod::GetCodeForDate(PERIOD_WEEK, 2005, 1, 2)));
    EXPECT_EQ("2004000005200", Str(CReportPeriod::GetCodeForDate(PERIOD_WEEK, 2005, 1, 1)));
    EXPECT_EQ("2003000005300", Str(CReportPeriod::GetCodeForDate(PERIOD_WEEK, 2004, 1, 1)));
    EXPECT_EQ("2002000000100", Str(CReportPeriod::GetCodeForDate(PERIOD_WEEK, 2001, 12, 29)));
    // Only the week type carries the year.
    EXPECT_EQ("2001001200029", Str(CReportPeriod::GetCodeForDate(PERIOD_DAY, 2001, 12, 29)));
    EXPECT_EQ("2005000000000", Str(CReportPeriod::GetCodeForDate(PERIOD_YEAR, 2005, 1, 1)));
}

TEST(PeriodToday, HalfAndQuarterBoundaries)
{
    EXPECT_EQ("2024100000000", Str(CReportPeriod::GetCodeForDate(PERIOD_HALFYEAR, 2024, 6, 30)));
    EXPECT_EQ("2024200000000", Str(CReportPeriod::GetCodeForDate(PERIOD_HALFYEAR, 2024, 7, 1)));
    EXPECT_EQ("2024020000000", Str(CReportPeriod::GetCodeForDate(PERIOD_QUARTER, 2024, 4, 1)));
    EXPECT_EQ("2024040000000", Str(CReportPeriod::GetCodeForDate(PERIOD_QUARTER, 2024, 12, 31)));
}

TEST(PeriodToday, DatesOutsideTheCalendarAreRefused)
{
    EXPECT_TRUE(CReportPeriod::GetCodeForDate(PERIOD_DAY, 2023, 2, 29).IsEmpty());
    EXPECT_TRUE(CReportPeriod::GetCodeForDate(PERIOD_DAY, 2023, 13, 1).IsEmpty());
    EXPECT_TRUE(CReportPeriod::GetCodeForDate(PERIOD_DAY, 10000, 1, 1).IsEmpty());
    EXPECT_TRUE(CReportPeriod::GetCodeForDate(PERIOD_DAY, -1, 1, 1).IsEmpty());
    // The week of 31 December 9999 would belong to year 10000.
    int lastWeek = CReportPeriod::GetWeekOfYear(9999, 12, 31);
    CString code = CReportPeriod::GetCodeForDate(PERIOD_WEEK, 9999, 12, 31);
    if (lastWeek == 1)
        EXPECT_TRUE(code.IsEmpty()) << Str(code);
    else
        ExpectCode13Digits(code);
}

TEST(PeriodToday, CurrentCodeIsTodaysPeriod)
{
    for (int type : ALL_TYPES)
    {
        SYSTEMTIME before, after;
        CString code;
        do
        {
            GetLocalTime(&before);
            code = CReportPeriod::GetCurrentCode(type);
            GetLocalTime(&after);
        } while (before.wDay != after.wDay);
        EXPECT_EQ(Str(CReportPeriod::GetCodeForDate(type, after.wYear, after.wMonth, after.wDay)), Str(code));
        ExpectCode13Digits(code);
    }
}

// ------------------------------------------------------------ stepping

TEST(PeriodStep, DayAcrossMonthAndLeapDay)
{
    EXPECT_EQ("2023000300001", Stepped("2023000200028", PERIOD_DAY, 1));
    EXPECT_EQ("2024000200029", Stepped("2024000200028", PERIOD_DAY, 1));
    EXPECT_EQ("2024000300001", Stepped("2024000200029", PERIOD_DAY, 1));
    EXPECT_EQ("2024000200029", Stepped("2024000300001", PERIOD_DAY, 0, 1));
    EXPECT_EQ("2023000200028", Stepped("2023000300001", PERIOD_DAY, 0, 1));
    EXPECT_EQ("2023001200031", Stepped("2024000100001", PERIOD_DAY, 0, 1));
    EXPECT_EQ("2025000100001", Stepped("2024001200031", PERIOD_DAY, 1));
    EXPECT_EQ("2025000100001", Stepped("2024000100001", PERIOD_DAY, 366));
    EXPECT_EQ("2024000100001", Stepped("2025000100001", PERIOD_DAY, 0, 366));
}

TEST(PeriodStep, DayStepsFollowTheWin32Calendar)
{
    CReportPeriod period("1999001200025", PERIOD_DAY);
    ULONGLONG dayNumber = DayNumber(1999, 12, 25);
    for (int i = 0; i < 3000; ++i)
    {
        period.Next(1);
        SYSTEMTIME st = DateOfDayNumber(++dayNumber);
        char szExpected[32];
        wsprintfA(szExpected, "%04d00%02d000%02d", st.wYear, st.wMonth, st.wDay);
        ASSERT_EQ(std::string(szExpected), Str(period.GetCode())) << "step " << i;
    }
    for (int i = 0; i < 3000; ++i)
        period.Previous(1);
    EXPECT_EQ("1999001200025", Str(period.GetCode()));
}

TEST(PeriodStep, QuarterHalfAndTenDayExamples)
{
    EXPECT_EQ("2024040000000", Stepped("2023030000000", PERIOD_QUARTER, 5));
    EXPECT_EQ("2024000120000", Stepped("2023001220000", PERIOD_TENDAY, 3));
    EXPECT_EQ("2024000110000", Stepped("2023001230000", PERIOD_TENDAY, 1));
    EXPECT_EQ("2023001230000", Stepped("2024000110000", PERIOD_TENDAY, 0, 1));
    EXPECT_EQ("2024100000000", Stepped("2023200000000", PERIOD_HALFYEAR, 1));
    EXPECT_EQ("2023200000000", Stepped("2024100000000", PERIOD_HALFYEAR, 0, 1));
    EXPECT_EQ("2023040000000", Stepped("2024010000000", PERIOD_QUARTER, 0, 1));
    EXPECT_EQ("2024000100000", Stepped("2023001200000", PERIOD_MONTH, 1));
    EXPECT_EQ("2023001200000", Stepped("2024000100000", PERIOD_MONTH, 0, 1));
    EXPECT_EQ("2026000200000", Stepped("2023001200000", PERIOD_MONTH, 26));
    EXPECT_EQ("2030000000000", Stepped("2024000000000", PERIOD_YEAR, 6));
    EXPECT_EQ("2018000000000", Stepped("2024000000000", PERIOD_YEAR, 0, 6));
}

TEST(PeriodStep, WeekAcrossYearEnds)
{
    EXPECT_EQ("2020000005300", Stepped("2020000005200", PERIOD_WEEK, 1));
    EXPECT_EQ("2021000000100", Stepped("2020000005200", PERIOD_WEEK, 2));
    EXPECT_EQ("2020000005300", Stepped("2021000000100", PERIOD_WEEK, 0, 1));
    EXPECT_EQ("2021000005200", Stepped("2022000000100", PERIOD_WEEK, 0, 1));
    EXPECT_EQ("2022000000100", Stepped("2021000005200", PERIOD_WEEK, 1));
    // 52 + 53 weeks from week 1 of 2019 is week 1 of 2021.
    EXPECT_EQ("2021000000100", Stepped("2019000000100", PERIOD_WEEK, 105));
    EXPECT_EQ("2019000000100", Stepped("2021000000100", PERIOD_WEEK, 0, 105));
}

// Whole years of weeks: stepping by one from week 1 of 2000 meets every week
// of every year exactly once.
TEST(PeriodStep, WeekWalkMeetsEveryWeek)
{
    CReportPeriod period("2000000000100", PERIOD_WEEK);
    for (int year = 2000; year <= 2030; ++year)
    {
        for (int week = 1; week <= CReportPeriod::GetWeeksInYear(year); ++week)
        {
            ASSERT_EQ(year, period.m_nYear);
            ASSERT_EQ(week, period.m_nWeek);
            period.Next(1);
        }
    }
    EXPECT_EQ("2031000000100", Str(period.GetCode()));
}

// Next(n) equals n single steps, Previous(n) undoes it, and every step
// raises the code as text, for every type.
TEST(PeriodStep, ManyStepsEqualSingleStepsAndReverse)
{
    const char* starts[] = { "1999001230000", "1999200000000", "1999000000000", "1999040000000",
                             "1999001200000", "2003000005300", "1999001200031" };
    const int counts[] = { 1, 2, 7, 11, 40, 53, 120, 400 };
    for (int i = 0; i < 7; ++i)
    {
        int type = ALL_TYPES[i];
        SCOPED_TRACE(type);
        for (int n : counts)
        {
            CReportPeriod single(starts[i], type);
            CString previous = single.GetCode();
            for (int k = 0; k < n; ++k)
            {
                single.Next(1);
                CString code = single.GetCode();
                ASSERT_GT(Str(code), Str(previous));
                previous = code;
            }
            CReportPeriod jump(starts[i], type);
            jump.Next(n);
            ASSERT_EQ(Str(single.GetCode()), Str(jump.GetCode())) << "n=" << n;
            jump.Previous(n);
            ASSERT_EQ(starts[i], Str(jump.GetCode())) << "n=" << n;
        }
    }
}

TEST(PeriodStep, NonPositiveCountsChangeNothing)
{
    for (int type : ALL_TYPES)
    {
        CReportPeriod period("2024241231537", type);
        CString before = period.GetCode();
        for (int n : { 0, -1, -5, INT_MIN })
        {
            period.Next(n);
            period.Previous(n);
        }
        EXPECT_EQ(Str(before), Str(period.GetCode())) << type;
    }
}

// ------------------------------------------------------------ saturation

TEST(PeriodSaturation, UpperEnd)
{
    EXPECT_EQ("9998001200000", Stepped("9998001200000", PERIOD_MONTH, 1));
    EXPECT_EQ("9999000000000", Stepped("9990000000000", PERIOD_YEAR, 100));
    EXPECT_EQ("9999000000000", Stepped("9999000000000", PERIOD_YEAR, 1));
    EXPECT_EQ("9998001230000", Stepped("9998001230000", PERIOD_TENDAY, 1));
    EXPECT_EQ("9998200000000", Stepped("9998200000000", PERIOD_HALFYEAR, 1));
    EXPECT_EQ("9998040000000", Stepped("9998040000000", PERIOD_QUARTER, 1));
    EXPECT_EQ("9998001200031", Stepped("9998001200031", PERIOD_DAY, 1));
    EXPECT_EQ("9998001200031", Stepped("9998001200030", PERIOD_DAY, 5));
    EXPECT_EQ("9998000005200", Stepped("9998000005200", PERIOD_WEEK, 1));
    EXPECT_EQ("9998000005200", Stepped("9998000005100", PERIOD_WEEK, 60));
    // A year-9999 code steps back to the stop, never into year 10000.
    EXPECT_EQ("9998001200000", Stepped("9999000300000", PERIOD_MONTH, 1));
    EXPECT_EQ("9999000300002", Stepped("9999000300001", PERIOD_DAY, 1));
}

TEST(PeriodSaturation, HugeCountsStopAtTheEnds)
{
    const char* lastCodes[] = { "9998001230000", "9998200000000", "9999000000000", "9998040000000",
                                "9998001200000", "9998000005200", "9998001200031" };
    const char* firstCodes[] = { "0000000110000", "0000100000000", "0000000000000", "0000010000000",
                                 "0000000100000", "0000000000100", "0000000100001" };
    for (int i = 0; i < 7; ++i)
    {
        int type = ALL_TYPES[i];
        CString start = CReportPeriod::GetCodeForDate(type, 2024, 3, 15);
        EXPECT_EQ(lastCodes[i], Stepped(start, type, INT_MAX)) << type;
        EXPECT_EQ(firstCodes[i], Stepped(start, type, 0, INT_MAX)) << type;
    }
}

TEST(PeriodSaturation, LowerEnd)
{
    EXPECT_EQ("0000000110000", Stepped("0000000110000", PERIOD_TENDAY, 0, 1));
    EXPECT_EQ("0000000110000", Stepped("0001000110000", PERIOD_TENDAY, 0, 36 + 5));
    EXPECT_EQ("0000100000000", Stepped("0000100000000", PERIOD_HALFYEAR, 0, 1));
    EXPECT_EQ("0000000000000", Stepped("0003000000000", PERIOD_YEAR, 0, 4));
    EXPECT_EQ("0000010000000", Stepped("0000030000000", PERIOD_QUARTER, 0, 3));
    EXPECT_EQ("0000000100000", Stepped("0000000100000", PERIOD_MONTH, 0, 1));
    EXPECT_EQ("0000000000100", Stepped("0000000000100", PERIOD_WEEK, 0, 1));
    EXPECT_EQ("0000000100001", Stepped("0000000100001", PERIOD_DAY, 0, 1));
    // Year 0 is a leap year: the last day of year 0 is its 366th.
    EXPECT_EQ("0000001200031", Stepped("0001000100001", PERIOD_DAY, 0, 1));
    EXPECT_EQ("0000000100001", Stepped("0001000100001", PERIOD_DAY, 0, 366));
    EXPECT_EQ("0000000100001", Stepped("0001000100001", PERIOD_DAY, 0, 367));
}

// ---------------------------------------------------- damaged codes

TEST(PeriodDamaged, MonthOutsideTheYearStepsIntoIt)
{
    // Month group 00 and 50 from damaged codes.
    EXPECT_EQ("2023001200031", Stepped("2024000000001", PERIOD_DAY, 0, 1));
    EXPECT_EQ("2024001100030", Stepped("2024005000001", PERIOD_DAY, 0, 1));
    EXPECT_EQ("2025000100001", Stepped("2024005000031", PERIOD_DAY, 1));
    EXPECT_EQ("2023001230000", Stepped("2024000010000", PERIOD_TENDAY, 0, 1));
    EXPECT_EQ("2024000120000", Stepped("2024000010000", PERIOD_TENDAY, 1));
    EXPECT_EQ("2025000110000", Stepped("2024009930000", PERIOD_TENDAY, 1));
    EXPECT_EQ("2024000100000", Stepped("2024000000000", PERIOD_MONTH, 1));
    EXPECT_EQ("2023001200000", Stepped("2024000000000", PERIOD_MONTH, 0, 1));
}

TEST(PeriodDamaged, AnyCodeStepsToThirteenDigits)
{
    const char* damaged[] = { "0000000000000", "9999999999999", "2024990999999", "20249x9x9x9x9",
                              "------ ------", "9999001200031", "0000000000001" };
    for (const char* code : damaged)
    {
        for (int type : ALL_TYPES)
        {
            SCOPED_TRACE(std::string(code) + " type " + std::to_string(type));
            for (int n : { 1, 2, 40, 400 })
            {
                CReportPeriod forward(code, type);
                ExpectCode13Digits(forward.Next(n).GetCode());
                CReportPeriod back(code, type);
                ExpectCode13Digits(back.Previous(n).GetCode());
            }
        }
    }
}
