// The pieces of summing that need no database: the keyword search of the
// selection SQL and the exact currency arithmetic.
#include <string.h>

#include "tests/support/Gtest.h"
#include "tests/support/MessageBoxRecorder.h"

#include "framework/core/Exception.h"
#include "framework/core/OleVariant.h"
#include "reporting/CyValueList.h"
#include "reporting/SqlKeyword.h"

namespace
{

TEST(FindSqlKeyword, FindsTheKeywordOutsideLiteralsAndBracketedNames)
{
    const char kPlain[] = "Select * From ss_datalist where FD_OrgCode='A'";
    EXPECT_EQ((int)(strstr(kPlain, " where") - kPlain), FindSqlKeyword(kPlain, " WHERE"));
    EXPECT_EQ(-1, FindSqlKeyword("Select * From ss_datalist", " WHERE"));
    // Inside a quoted name, also after a doubled quote.
    EXPECT_EQ(-1, FindSqlKeyword("Select * From t Join o On o.n=' where it''s'", " WHERE"));
    const char kAfterLiteral[] = "Select * From t Join o On o.n='it''s where' Where x=1";
    EXPECT_EQ((int)(strstr(kAfterLiteral, " Where x") - kAfterLiteral), FindSqlKeyword(kAfterLiteral, " WHERE"));
    // Inside a bracketed column name, also one with a doubled bracket.
    EXPECT_EQ(-1, FindSqlKeyword("Select [a where b] From t", " WHERE"));
    const char kAfterName[] = "Select [a]]b where] From t WHERE x=1";
    EXPECT_EQ((int)(strstr(kAfterName, " WHERE x") - kAfterName), FindSqlKeyword(kAfterName, " WHERE"));
}

TEST(CurrencyText, DecimalPointIsAlwaysAPointAndBadTextRaisesTheStatus)
{
    EXPECT_EQ(15000, StrToCurrency("1.5").int64);
    EXPECT_EQ(-1, StrToCurrency("-0.0001").int64);
    EXPECT_STREQ("1.5", CurrencyToStr(StrToCurrency("1.50")));
    for (const char* text : {"1,5", "five", "1.5.5"})
    {
        SCODE sc = S_OK;
        try
        {
            StrToCurrency(text);
        }
        catch (COleException* e)
        {
            sc = e->m_sc;
            e->Delete();
        }
        EXPECT_EQ(DISP_E_TYPEMISMATCH, sc) << text;
    }
}

TEST(CyValueList, AnOverflowingSumIsToldAndGivesNoText)
{
    MessageBoxRecorder recorder;
    CCyValueList values;
    CURRENCY big;
    big.int64 = 0x7000000000000000LL;
    values.Add(big);
    values.Add(big);
    EXPECT_STREQ("", values.FormatValues());
    EXPECT_EQ("Data overflow,ensure the number in correct unit.", recorder.LastText());
    values.RemoveAll();
    EXPECT_STREQ("0", values.FormatValues());
}

TEST(CyValueList, NumbersAndNullsOfFieldValues)
{
    CURRENCY cy;
    EXPECT_FALSE(VariantToCurrency(COleVariant(), cy));
    COleVariant null;
    V_VT(&null) = VT_NULL;
    EXPECT_FALSE(VariantToCurrency(null, cy));
    ASSERT_TRUE(VariantToCurrency(COleVariant(2.25), cy));
    EXPECT_EQ(22500, cy.int64);
    ASSERT_TRUE(VariantToCurrency(COleVariant((long)7), cy));
    EXPECT_EQ(70000, cy.int64);
    ASSERT_TRUE(VariantToCurrency(COleVariant("3.5", VT_BSTRT), cy));
    EXPECT_EQ(35000, cy.int64);
}

} // namespace
