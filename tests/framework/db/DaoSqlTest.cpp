#include "framework/db/DaoSql.h"
#include "tests/support/Gtest.h"

TEST(DaoSql, SplitsASimpleSelect)
{
    CDaoSqlParts parts = DaoSplitSelect("select * from [ss_datalist] Where a='x where y' order by b, c;");
    ASSERT_TRUE(parts.m_bSimple);
    EXPECT_STREQ("*", parts.m_strSelectList);
    EXPECT_STREQ("from [ss_datalist]", parts.m_strFrom);
    EXPECT_STREQ("a='x where y'", parts.m_strWhere);
    EXPECT_STREQ("b, c", parts.m_strOrderBy);
    EXPECT_STREQ("[ss_datalist]", parts.m_strTable);
}

TEST(DaoSql, SubqueriesAndJoinsAreNoUpdatableTable)
{
    CDaoSqlParts parts = DaoSplitSelect(
        "SELECT FD_Code FROM ss_organ WHERE FD_Code IN (select distinct FD_OrgCode from x where y=1 order by 1)");
    ASSERT_TRUE(parts.m_bSimple);
    EXPECT_STREQ("ss_organ", parts.m_strTable);
    EXPECT_STREQ("", parts.m_strOrderBy);
    EXPECT_STREQ("", DaoSplitSelect("SELECT * FROM a, b WHERE a.k=b.k").m_strTable);
    EXPECT_STREQ("", DaoSplitSelect("SELECT * FROM a INNER JOIN b ON a.k=b.k").m_strTable);
    EXPECT_STREQ("", DaoSplitSelect("SELECT DISTINCT k FROM a").m_strTable);
    EXPECT_STREQ("", DaoSplitSelect("SELECT * FROM a alias").m_strTable);
    EXPECT_FALSE(DaoSplitSelect("SELECT k, count(*) FROM a GROUP BY k").m_bSimple);
    EXPECT_FALSE(DaoSplitSelect("SELECT 1").m_bSimple);
    EXPECT_FALSE(DaoSplitSelect("DELETE FROM a").m_bSimple);
    // A column named like a keyword does not split the statement.
    EXPECT_STREQ("a", DaoSplitSelect("SELECT FD_Order, [where] FROM a").m_strTable);
}

TEST(DaoSql, TellsTableNamesFromStatements)
{
    EXPECT_TRUE(DaoIsTableName("ss_Organ"));
    EXPECT_TRUE(DaoIsTableName("  [ss data]  "));
    EXPECT_TRUE(DaoIsTableName("Sheet1$"));
    EXPECT_FALSE(DaoIsTableName("Select * From ss_Organ"));
    EXPECT_FALSE(DaoIsTableName("select"));
    EXPECT_FALSE(DaoIsTableName(""));
    EXPECT_STREQ("ss data", DaoUnquoteName("[ss data]"));
    EXPECT_STREQ("a\"b", DaoUnquoteName("\"a\"\"b\""));
    EXPECT_STREQ("plain", DaoUnquoteName(" plain "));
}

TEST(DaoSql, TurnsDaoWildcardsIntoSqliteOnes)
{
    EXPECT_STREQ("FD_Name LIKE 'ab%'", DaoLikeToSqlite("FD_Name LIKE 'ab*'"));
    EXPECT_STREQ("x like  \"a_c\"", DaoLikeToSqlite("x like  \"a?c\""));
    // Text outside the pattern is left alone, and every LIKE is handled.
    EXPECT_STREQ("a='*?' And b Like '%x' Or c LIKE '_'",
                 DaoLikeToSqlite("a='*?' And b Like '*x' Or c LIKE '?'"));
    // Literal % and _ are escaped, and so is the escape character itself.
    EXPECT_STREQ("k LIKE '5\\%\\_\\\\%' ESCAPE '\\'", DaoLikeToSqlite("k LIKE '5%_\\*'"));
    // A doubled quote inside the pattern does not end it.
    EXPECT_STREQ("n LIKE 'O''H%'", DaoLikeToSqlite("n LIKE 'O''H*'"));
    // LIKE inside a literal or a name, and LIKE at the end, are no patterns.
    EXPECT_STREQ("a='x LIKE *' AND UNLIKE='*'", DaoLikeToSqlite("a='x LIKE *' AND UNLIKE='*'"));
    EXPECT_STREQ("a LIKE", DaoLikeToSqlite("a LIKE"));
    EXPECT_STREQ("a LIKE 'open%", DaoLikeToSqlite("a LIKE 'open*"));
}

TEST(DaoSql, ParameterizeTakesOutTextAndNumberLiterals)
{
    std::vector<CDaoSqlLiteral> literals;
    EXPECT_STREQ("FD_OrgCode=? And FD_Line=? And FD_X=-? And FD_Y<>?",
                 DaoParameterize("FD_OrgCode='O''K' And FD_Line=12 And FD_X=-2.5 And FD_Y<>''", literals));
    ASSERT_EQ(4u, literals.size());
    EXPECT_EQ(CDaoSqlLiteral::text, literals[0].m_kind);
    EXPECT_STREQ("O'K", literals[0].m_strText);
    EXPECT_EQ(CDaoSqlLiteral::integer, literals[1].m_kind);
    EXPECT_STREQ("12", literals[1].m_strText);
    EXPECT_EQ(CDaoSqlLiteral::real, literals[2].m_kind);
    EXPECT_STREQ("2.5", literals[2].m_strText);
    EXPECT_STREQ("", literals[3].m_strText);

    // Names, quoted names, blobs and numbers written with letters stay.
    EXPECT_STREQ("FD_Code2=? And [FD 3]=? And \"x'y\"=X'00' And k=0x1F And r=1e5 Is Null",
                 DaoParameterize("FD_Code2='a' And [FD 3]=4 And \"x'y\"=X'00' And k=0x1F And r=1e5 Is Null",
                                 literals));
    EXPECT_EQ(2u, literals.size());
    // A literal without its closing quote is left for SQLite to refuse.
    EXPECT_STREQ("a=? And b='open", DaoParameterize("a=1 And b='open", literals));
    EXPECT_EQ(1u, literals.size());
    EXPECT_STREQ("a=? And b='x''", DaoParameterize("a=1 And b='x''", literals));
}
