#include "tests/support/Gtest.h"

#include "view/ItemSelection.h"

TEST(ItemSelection, EntriesShowTheCodeInEightCharactersThenTheName)
{
    EXPECT_STREQ("101       Wages", (LPCSTR)FormatItemListEntry("101", "Wages"));
    // A ten-character code is cut to eight in the list.
    EXPECT_STREQ("10203040  Long", (LPCSTR)FormatItemListEntry("1020304050", "Long"));
    EXPECT_STREQ("12345678  Exact", (LPCSTR)FormatItemListEntry("12345678", "Exact"));
}

TEST(ItemSelection, CodeNameFormGoesBothWays)
{
    EXPECT_STREQ("101-Wages and salaries",
                 (LPCSTR)ItemEntryToCodeName(FormatItemListEntry("101", "Wages and salaries")));
    CString strCode, strName;
    SplitCodeName("101-Wages", strCode, strName);
    EXPECT_STREQ("101", (LPCSTR)strCode);
    EXPECT_STREQ("Wages", (LPCSTR)strName);
    SplitCodeName("NoDash", strCode, strName);
    EXPECT_STREQ("NoDash", (LPCSTR)strCode);
    EXPECT_STREQ("", (LPCSTR)strName);
}

TEST(ItemSelection, TextTooLongForItsModeRunsNoQuery)
{
    EXPECT_TRUE(IsSearchTextUsable(ITEM_SEARCH_CODE, "123456789"));
    EXPECT_FALSE(IsSearchTextUsable(ITEM_SEARCH_CODE, "1234567890"));
    EXPECT_TRUE(IsSearchTextUsable(ITEM_SEARCH_SEARCHCODE, "12345678"));
    EXPECT_FALSE(IsSearchTextUsable(ITEM_SEARCH_SEARCHCODE, "123456789"));
    EXPECT_TRUE(IsSearchTextUsable(ITEM_SEARCH_NAME, "a name longer than any code"));
}

TEST(ItemSelection, OnlyAnExtensionOfTheFailedTextIsSkipped)
{
    CItemNoMatch noMatch;
    noMatch.Remember(ITEM_SEARCH_CODE, "10");
    EXPECT_TRUE(noMatch.Covers(ITEM_SEARCH_CODE, "105"));
    // Deleting back, another text of any length, or another mode: query.
    EXPECT_FALSE(noMatch.Covers(ITEM_SEARCH_CODE, "1"));
    EXPECT_FALSE(noMatch.Covers(ITEM_SEARCH_CODE, "10"));
    EXPECT_FALSE(noMatch.Covers(ITEM_SEARCH_CODE, "2000"));
    EXPECT_FALSE(noMatch.Covers(ITEM_SEARCH_NAME, "105"));
    noMatch.Forget();
    EXPECT_FALSE(noMatch.Covers(ITEM_SEARCH_CODE, "105"));
}

TEST(ItemSelection, SearchFilterQuotesTheTypedText)
{
    EXPECT_STREQ("FD_Code LIKE '10%'", (LPCSTR)ItemSearchFilter(ITEM_SEARCH_CODE, "10"));
    EXPECT_STREQ("FD_Name LIKE 'O''Brien%'", (LPCSTR)ItemSearchFilter(ITEM_SEARCH_NAME, "O'Brien"));
    EXPECT_STREQ("FD_SearchCode", (LPCSTR)ItemSearchSort(ITEM_SEARCH_SEARCHCODE, 0));
    EXPECT_STREQ("", (LPCSTR)ItemSearchSort(ITEM_SEARCH_CODE, 26));
}
