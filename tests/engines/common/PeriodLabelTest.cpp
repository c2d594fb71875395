// Period labels of the overwrite question and the progress percent text.
#include "tests/support/Gtest.h"

#include "engines/common/EngineProgressDlg.h"
#include "engines/common/PeriodLabel.h"

TEST(PeriodLabel, EachPartOfTheCode)
{
    EXPECT_STREQ("March,2005", PeriodLabelText("2005000300000"));
    EXPECT_STREQ("15March,2005", PeriodLabelText("2005000300015"));
    EXPECT_STREQ("12 Week,2005", PeriodLabelText("2005000001200"));
    EXPECT_STREQ("Jan-Jun,2005", PeriodLabelText("2005100000000"));
    EXPECT_STREQ("Jul-Dec,2005", PeriodLabelText("2005200000000"));
    EXPECT_STREQ("Q1,2005", PeriodLabelText("2005010000000"));
    EXPECT_STREQ("December,1999", PeriodLabelText("1999001200000"));
    // The ten-day digit is not shown.
    EXPECT_STREQ("January,2005", PeriodLabelText("2005000120000"));
}

TEST(PeriodLabel, OutOfRangeFieldsAndLengths)
{
    EXPECT_STREQ("", PeriodLabelText("200500030000"));
    EXPECT_STREQ("", PeriodLabelText("20050003000000"));
    EXPECT_STREQ("", PeriodLabelText(""));
    // Day 32, week 54, month 13, quarter 5, half 3 and year 0 show nothing.
    EXPECT_STREQ("2005", PeriodLabelText("2005351305432"));
    EXPECT_STREQ("7", PeriodLabelText("0000000000007"));
    EXPECT_STREQ("", PeriodLabelText("0000000000000"));
}

TEST(ProgressPercent, TextOfAPosition)
{
    EXPECT_STREQ("0%", ProgressPercentText(0, 0, 100));
    EXPECT_STREQ("45%", ProgressPercentText(45, 0, 100));
    EXPECT_STREQ("100%", ProgressPercentText(100, 0, 100));
    EXPECT_STREQ("50%", ProgressPercentText(15, 10, 20));
    // Beyond the upper bound the text wraps, as the bar's own arithmetic does.
    EXPECT_STREQ("10%", ProgressPercentText(110, 0, 100));
    // An empty range divides by nothing.
    EXPECT_STREQ("0%", ProgressPercentText(5, 7, 7));
}
