#include "tests/support/Gtest.h"

#include "engines/common/ReportDataRules.h"
#include "sheet/Cell.h"

#include <string.h>

TEST(ReportDataRules, NearZeroReadsTheLeadingNumber)
{
    EXPECT_TRUE(NearZeroText("0"));
    EXPECT_TRUE(NearZeroText("0.000001"));
    EXPECT_TRUE(NearZeroText("-0.000009"));
    EXPECT_TRUE(NearZeroText("abc"));
    EXPECT_TRUE(NearZeroText(""));
    EXPECT_TRUE(NearZeroText(NULL));
    EXPECT_FALSE(NearZeroText("0.00001"));
    EXPECT_FALSE(NearZeroText("-0.00001"));
    EXPECT_FALSE(NearZeroText("  12abc"));
    EXPECT_FALSE(NearZeroText("1e-3"));
}

TEST(ReportDataRules, MissingValuesByMode)
{
    EXPECT_STREQ("0", MissingValueText(0));
    EXPECT_STREQ("", MissingValueText(1));
    EXPECT_STREQ("NULL", MissingValueText(2));
    EXPECT_STREQ("NULL", MissingValueText(-7));

    EXPECT_TRUE(IsMissingValue(0, "0.0"));
    EXPECT_FALSE(IsMissingValue(0, "5"));
    EXPECT_TRUE(IsMissingValue(1, ""));
    EXPECT_FALSE(IsMissingValue(1, "0"));
    EXPECT_FALSE(IsMissingValue(2, ""));
    EXPECT_FALSE(IsMissingValue(2, "0"));
    EXPECT_TRUE(IsMissingValue(2, "NULL"));
    EXPECT_FALSE(IsMissingValue(2, "null"));
    EXPECT_TRUE(IsMissingValue(9, "NULL"));
}

TEST(ReportDataRules, KeyFilterQuotesCodesAndReadsFieldsWithABound)
{
    CCell cell;
    cell.SetType(CELL_NUMERIC);
    CopyCode(cell.m_szOrgCode, sizeof(cell.m_szOrgCode), "O'K");
    CopyCode(cell.m_szPeriodCode, sizeof(cell.m_szPeriodCode), "2005030000000");
    CopyCode(cell.m_szRowItemCode, sizeof(cell.m_szRowItemCode), "R''");
    cell.m_szColItemCode[0] = '\0';
    cell.m_nLine = 12;
    cell.m_nCurType = 0x102;
    EXPECT_STREQ("FD_OrgCode='O''K' And FD_Time='2005030000000' And FD_RowItemCode='R''''' And "
                 "FD_ColItemCode='========' And FD_Line=12 And FD_CurType=2",
                 BuildCellKeyFilter(cell));
    EXPECT_EQ(2, CellCurrencyKey(cell));

    // Fields filled to the last byte, without a terminator, stop at their end.
    memset(cell.m_szOrgCode, 'A', sizeof(cell.m_szOrgCode));
    memset(cell.m_szPeriodCode, '1', sizeof(cell.m_szPeriodCode));
    memset(cell.m_szColItemCode, 'C', sizeof(cell.m_szColItemCode));
    EXPECT_STREQ("AAAAAAAAA", CellOrgCode(cell));
    EXPECT_STREQ("11111111111111", CellPeriodCode(cell));
    EXPECT_STREQ("CCCCCCCCC", CellColItemKey(cell));
}
