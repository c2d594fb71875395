#include <climits>

#include "tests/support/Gtest.h"
#include "shell/PointSizeText.h"

namespace {

TEST(PointSizeTextTest, SizesShowRoundedToHalfPoints)
{
    EXPECT_STREQ("10", (LPCTSTR)TwipsToPointText(200));
    EXPECT_STREQ("10.5", (LPCTSTR)TwipsToPointText(210));
    // (205 + 5) / 10 = 21 half points.
    EXPECT_STREQ("10.5", (LPCTSTR)TwipsToPointText(205));
    EXPECT_STREQ("10", (LPCTSTR)TwipsToPointText(204));
    EXPECT_STREQ("0", (LPCTSTR)TwipsToPointText(0));
    EXPECT_STREQ("1638", (LPCTSTR)TwipsToPointText(32760));
    EXPECT_STREQ("", (LPCTSTR)TwipsToPointText(-1));
}

TEST(PointSizeTextTest, TextReadsAsTwipsOrAsEmptyOrInvalid)
{
    EXPECT_EQ(210, ParseSizeTwips("10.5"));
    EXPECT_EQ(205, ParseSizeTwips("10.26"));
    EXPECT_EQ(240, ParseSizeTwips(" \t12\t "));
    EXPECT_EQ(SIZE_TEXT_EMPTY, ParseSizeTwips(""));
    EXPECT_EQ(SIZE_TEXT_EMPTY, ParseSizeTwips(" \t "));
    EXPECT_EQ(SIZE_TEXT_EMPTY, ParseSizeTwips(NULL));
    EXPECT_EQ(SIZE_TEXT_INVALID, ParseSizeTwips("abc"));
    EXPECT_EQ(SIZE_TEXT_INVALID, ParseSizeTwips("12pt"));
    EXPECT_EQ(SIZE_TEXT_INVALID, ParseSizeTwips("1 2"));
    EXPECT_EQ(SIZE_TEXT_INVALID, ParseSizeTwips("nan"));
    EXPECT_EQ(0, ParseSizeTwips("-3"));
    // Fits the four-character field but no int.
    EXPECT_EQ(INT_MAX, ParseSizeTwips("1e99"));
}

TEST(PointSizeTextTest, OnlySizesFromOneToOneThousandSixHundredPointsApply)
{
    EXPECT_FALSE(IsApplicableTwips(ParseSizeTwips("0.5")));
    EXPECT_FALSE(IsApplicableTwips(ParseSizeTwips("2000")));
    EXPECT_FALSE(IsApplicableTwips(ParseSizeTwips("abc")));
    EXPECT_FALSE(IsApplicableTwips(ParseSizeTwips("")));
    EXPECT_FALSE(IsApplicableTwips(ParseSizeTwips("1e99")));
    EXPECT_TRUE(IsApplicableTwips(ParseSizeTwips("1")));
    EXPECT_TRUE(IsApplicableTwips(ParseSizeTwips("1638")));
    EXPECT_FALSE(IsApplicableTwips(ParseSizeTwips("1638.05")));
    EXPECT_FALSE(IsApplicableTwips(19));
}

} // namespace
