#include "tests/support/Gtest.h"

#include "engines/dao/DaoWildcards.h"

namespace
{

CString Converted(LPCSTR lpszText)
{
    CString strText(lpszText);
    ModiFilter(strText);
    return strText;
}

} // namespace

TEST(ModiFilter, PatternsAfterLikeTakeDaoWildcards)
{
    EXPECT_STREQ("FD_Name LIKE 'ab*'", Converted("FD_Name LIKE 'ab%'"));
    EXPECT_STREQ("FD_Code like 'a?c'", Converted("FD_Code like 'a_c'"));
    EXPECT_STREQ("FD_Code LiKe   \"x*y?\"", Converted("FD_Code LiKe   \"x%y_\""));
    EXPECT_STREQ("FD_Name LIKE '*A?' And FD_Code LIKE 'B*' Or FD_X='5%'",
                 Converted("FD_Name LIKE '%A_' And FD_Code LIKE 'B%' Or FD_X='5%'"));
}

TEST(ModiFilter, TextOutsideThePatternsStays)
{
    EXPECT_STREQ("FD_Rate='5%' And FD_Code_2 = 'a_b'", Converted("FD_Rate='5%' And FD_Code_2 = 'a_b'"));
    EXPECT_STREQ("select FD_Code from ss_item where FD_Name LIKE 'A*' order by FD_Search_Code",
                 Converted("select FD_Code from ss_item where FD_Name LIKE 'A%' order by FD_Search_Code"));
    // LIKE as part of a word, or with no space before it, is no operator.
    EXPECT_STREQ("FD_UNLIKE='a%'", Converted("FD_UNLIKE='a%'"));
}

TEST(ModiFilter, QuotesAndEndsOfText)
{
    // A doubled quote belongs to the pattern.
    EXPECT_STREQ("FD_Name LIKE 'O''H*' And FD_Code='x_'", Converted("FD_Name LIKE 'O''H%' And FD_Code='x_'"));
    // A pattern without its closing quote runs to the end.
    EXPECT_STREQ("FD_Name LIKE 'ab*?", Converted("FD_Name LIKE 'ab%_"));
    EXPECT_STREQ("FD_Name LIKE ", Converted("FD_Name LIKE "));
    EXPECT_STREQ("FD_Name LIKE    ", Converted("FD_Name LIKE    "));
    EXPECT_STREQ("", Converted(""));
}

TEST(ModiFilter, LikeInsideUserTextIsNoOperator)
{
    // A name holding " like " stays as typed, and so does all after it.
    EXPECT_STREQ("FD_Name='Stores like ours_north' And FD_Code_2='a_%'",
                 Converted("FD_Name='Stores like ours_north' And FD_Code_2='a_%'"));
    EXPECT_STREQ("FD_Name='Shops like this' And FD_Code LIKE 'S*?' Or FD_Search_Code='x%'",
                 Converted("FD_Name='Shops like this' And FD_Code LIKE 'S%_' Or FD_Search_Code='x%'"));
    EXPECT_STREQ("[Costs like this_year] LIKE '*'", Converted("[Costs like this_year] LIKE '%'"));
}
