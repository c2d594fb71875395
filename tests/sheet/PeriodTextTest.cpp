#include "tests/support/Gtest.h"
#include "sheet/PeriodText.h"
#include "sheet/PeriodCode.h"

#include <string>

namespace {

std::string Str(const CString& s)
{
    return std::string((LPCTSTR)s, s.GetLength());
}

std::string Words(int value) { return Str(NumberToText(value, NUMERAL_WORDS, FALSE)); }

std::string Text(const char* code, int type, int style = NUMERAL_DECIMAL)
{
    return Str(PeriodCodeToText(code, type, style));
}

}

TEST(PeriodText, NumbersAndMonths)
{
    EXPECT_EQ("5", Words(5));
    EXPECT_EQ("Ten", Words(10));
    EXPECT_EQ("Ten5", Words(15));
    EXPECT_EQ("2Ten", Words(20));
    EXPECT_EQ("3Ten1", Words(31));
    EXPECT_EQ("1Hundred5", Words(105));
    // Only a 1 that leads in the tens place loses its digit word.
    EXPECT_EQ("1Hundred1Ten5", Words(115));
    EXPECT_EQ("", Words(0));
    EXPECT_EQ("Ten5", Words(-15));
    EXPECT_EQ("2004", Str(NumberToText(-2004, NUMERAL_WORDS, TRUE)));
    EXPECT_EQ("", Str(NumberToText(0, 7, TRUE)));
    EXPECT_EQ("-15", Str(NumberToText(-15, NUMERAL_DECIMAL, TRUE)));
    EXPECT_EQ("0", Str(NumberToText(0, NUMERAL_DECIMAL, FALSE)));

    EXPECT_EQ("December", Str(MonthName(12)));
    EXPECT_EQ("January", Str(MonthName(0)));
    EXPECT_EQ("January", Str(MonthName(13)));
}

TEST(PeriodText, EveryTypeInBothStyles)
{
    struct Case { const char* code; int type; const char* decimal; const char* words; };
    const Case cases[] = {
        { "2024000000000", PERIOD_YEAR, "2024", "2024" },
        { "2024100000000", PERIOD_HALFYEAR, "2024-1-6", "2024-1-6" },
        { "2024030000000", PERIOD_QUARTER, "2024-Q3", "2024-Q3" },
        { "2024000300000", PERIOD_MONTH, "March,2024", "March,2024" },
        { "2024000001100", PERIOD_WEEK, "2024-11 Week", "2024-Ten1 Week" },
        { "2024000300015", PERIOD_DAY, "March 15,2024", "March Ten5,2024" },
        // Year, month and part of the month in the GB2312 code page.
        { "2024001220000", PERIOD_TENDAY, "2024\xC4\xEA" "12\xD4\xC2\xD6\xD0\xD1\xAE",
          "2024\xC4\xEA" "Ten2\xD4\xC2\xD6\xD0\xD1\xAE" },
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.code);
        EXPECT_EQ(c.decimal, Text(c.code, c.type, NUMERAL_DECIMAL));
        EXPECT_EQ(c.words, Text(c.code, c.type, NUMERAL_WORDS));
    }
}

TEST(PeriodText, EdgeCodes)
{
    // Any digit but 1 in the half-year place is the second half.
    EXPECT_EQ("2024-7-12", Text("2024200000000", PERIOD_HALFYEAR));
    EXPECT_EQ("2024-7-12", Text("2024900000000", PERIOD_HALFYEAR));
    EXPECT_EQ("2024\xC4\xEA" "3\xD4\xC2\xC9\xCF\xD1\xAE", Text("2024000310000", PERIOD_TENDAY));
    EXPECT_EQ("2024\xC4\xEA" "3\xD4\xC2\xCF\xC2\xD1\xAE", Text("2024000330000", PERIOD_TENDAY));
    // A fourth ten-day number has no name.
    EXPECT_EQ("2024\xC4\xEA" "3\xD4\xC2\xD1\xAE", Text("2024000340000", PERIOD_TENDAY));
    // Another length or no period type gives no text.
    EXPECT_EQ("", Text("", PERIOD_DAY));
    EXPECT_EQ("", Text("202400030001", PERIOD_DAY));
    EXPECT_EQ("", Text("20240003000150", PERIOD_DAY));
    EXPECT_EQ("", Text("2024000300015", 5));
}
