#include "framework/db/SqlText.h"
#include "tests/support/Gtest.h"

TEST(SqlText, KeywordsAreFoundOnlyAtTheStatementsOwnLevel)
{
    CString sql = "select a from t where b='x where y' and c in (select d from u where e=1) order  by a";
    EXPECT_EQ(16, SqlFindKeyword(sql, "WHERE"));
    EXPECT_EQ(-1, SqlFindKeyword(sql, "WHERE", 17));
    EXPECT_EQ(sql.Find("order"), SqlFindKeyword(sql, "ORDER BY"));
    // Part of a longer word is no keyword.
    EXPECT_EQ(-1, SqlFindKeyword("select nowhere from t", "WHERE"));
    EXPECT_EQ(-1, SqlFindKeyword("select [where] from t", "WHERE"));
}

TEST(SqlText, ConditionJoinsTheWhereClauseOrStandsBeforeTheNextClause)
{
    EXPECT_STREQ("select * from t WHERE a=1", SqlAddCondition("select * from t", "a=1"));
    EXPECT_STREQ("select * from t WHERE (b=2 or c=3) And (a=1) ORDER BY b",
                 SqlAddCondition("select * from t where b=2 or c=3 ORDER BY b", "a=1"));
    EXPECT_STREQ("select k, count(*) from t WHERE a=1 group by k",
                 SqlAddCondition("select k, count(*) from t group by k", "a=1"));
    EXPECT_STREQ("select * from t WHERE (x='a where b') And (y=1)",
                 SqlAddCondition("select * from t where x='a where b'", "y=1"));
    EXPECT_STREQ("select * from t", SqlAddCondition("select * from t", ""));
}

TEST(SqlText, BracketsGoButQuotedTextStays)
{
    EXPECT_STREQ("Select * From ss_datalist Where FD_Code='[x]'",
                 SqlStripBrackets("Select * From [ss_datalist] Where [FD_Code]='[x]'"));
    EXPECT_STREQ("a 'it''s [b]' c", SqlStripBrackets("a 'it''s [b]' [c]"));
}

TEST(SqlText, OnlyASingleTableSelectIsUpdatable)
{
    EXPECT_STREQ("ss_Organ", SqlSingleTable("select * from ss_Organ where FD_Code='a'"));
    EXPECT_STREQ("ss_Organ", SqlSingleTable("SELECT FD_Name FROM ss_Organ ORDER BY FD_Name"));
    EXPECT_STREQ("", SqlSingleTable("select * from a, b where a.x=b.x"));
    EXPECT_STREQ("", SqlSingleTable("select a.x from a inner join b on a.x=b.x"));
    EXPECT_STREQ("", SqlSingleTable("select distinct x from a"));
    EXPECT_STREQ("", SqlSingleTable("select x, count(*) from a group by x"));
    EXPECT_STREQ("", SqlSingleTable("select 1"));
    EXPECT_STREQ("t", SqlSingleTable("select * from t where x in (select y from u, v)"));
}

TEST(SqlText, StatementOrTableName)
{
    EXPECT_TRUE(SqlIsStatement("  select 1"));
    EXPECT_TRUE(SqlIsStatement("{call p}"));
    EXPECT_FALSE(SqlIsStatement("[ss_datalist]"));
    EXPECT_FALSE(SqlIsStatement("selection"));
}
