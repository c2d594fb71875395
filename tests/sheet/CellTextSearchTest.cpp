// Search and replace in the cells' value texts: where the search starts and
// wraps, letter case, and replacing every occurrence.
#include "tests/support/Gtest.h"
#include "tests/sheet/SheetGrid.h"

#include "sheet/CellTextSearch.h"

namespace
{
CString Replaced(LPCSTR pszText, LPCSTR pszFind, LPCSTR pszBy, BOOL bMatchCase)
{
    CString strText = pszText;
    CCellTextSearch(pszFind, bMatchCase).Replace(strText, pszBy);
    return strText;
}
} // namespace

TEST(CellTextSearch, FindsFromTheStartAndWrapsRound)
{
    CSheet sheet;
    sheettest::MakeGrid(sheet, 2, 3);    // A1 B1 C1 / A2 B2 C2
    sheet.m_cells[0].m_strValue = "Total sales";
    sheet.m_cells[4].m_strValue = "sales tax";
    const CCellTextSearch search("SALES", FALSE);
    EXPECT_EQ(0, search.FindCell(sheet, 0));
    EXPECT_EQ(4, search.FindCell(sheet, 1));
    // From past the last cell (the last one selected) it starts again at the first.
    EXPECT_EQ(0, search.FindCell(sheet, 5));
    EXPECT_EQ(0, search.FindCell(sheet, 6));
    EXPECT_EQ(-1, CCellTextSearch("SALES", TRUE).FindCell(sheet, 0));
    EXPECT_EQ(-1, CCellTextSearch("", FALSE).FindCell(sheet, 0));
}

TEST(CellTextSearch, ReplacesEveryOccurrence)
{
    // With letter case only the exact form; without it every form, and the
    // text around the matches is kept as it was.
    EXPECT_STREQ("AB x Ab", Replaced("AB ab Ab", "ab", "x", TRUE));
    EXPECT_STREQ("x x x", Replaced("AB ab Ab", "ab", "x", FALSE));
    EXPECT_STREQ("New 1-New-New.", Replaced("Old 1-old-OLD.", "old", "New", FALSE));
    // A replacement that holds the search text is not searched again.
    EXPECT_STREQ("aaaa", Replaced("aA", "a", "aa", FALSE));
    EXPECT_STREQ("Q1 Q2 q3", Replaced("Q1 Q2 q3", "Q4", "x", FALSE));
    CString strText = "no match";
    EXPECT_FALSE(CCellTextSearch("zz", FALSE).Replace(strText, "x"));
    EXPECT_STREQ("no match", strText);
}
