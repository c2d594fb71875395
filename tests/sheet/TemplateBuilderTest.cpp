// The standard headers come first: windows.h defines min and max macros.
#include <string.h>

#include <string>

#include "tests/support/Gtest.h"
#include "tests/sheet/SheetTestGrid.h"
#include "sheet/TemplateBuilder.h"

namespace
{

// Ten units per character, so widths are easy to predict.
class FixedMeasure : public CTextMeasure
{
public:
    int TextWidth(LPCSTR pszText) override { return 10 * (int)strlen(pszText); }
};

void AddItems(CStringList& list, const char* pszPrefix, int nCount)
{
    for (int i = 1; i <= nCount; ++i)
    {
        CString entry;
        entry.Format("%s%d  Item name %d", pszPrefix, i, i);
        list.AddTail(entry);
    }
}

int CountType(const CSheet& sheet, int nType)
{
    int n = 0;
    for (INT_PTR i = 0; i < sheet.m_cells.GetSize(); ++i)
        n += sheet.m_cells[i].m_nType == nType;
    return n;
}

} // namespace

TEST(TemplateBuilderNames, LettersThenRowNumber)
{
    EXPECT_STREQ("A1", MakeCellName(0, 0));
    EXPECT_STREQ("AB5", MakeCellName(4, 27));
    EXPECT_STREQ("Z1", MakeCellName(0, 25));
    EXPECT_STREQ("AA1", MakeCellName(0, 26));
    EXPECT_STREQ("ZZ1", MakeCellName(0, 701));
    EXPECT_STREQ("AAA1", MakeCellName(0, 702));
}

TEST(TemplateBuilderGrid, TwoRowsThirtyColumns)
{
    CSheet sheet;
    BuildTextGrid(sheet, 2, 30);
    ASSERT_EQ(60, sheet.m_cells.GetSize());
    EXPECT_STREQ("AA1", sheet.m_cells[26].m_strName);
    EXPECT_STREQ("AD2", sheet.m_cells[59].m_strName);
    sheet.UpdateBoundingRect();
    EXPECT_EQ(2400, sheet.m_rcBounds.right);
    EXPECT_EQ(60, sheet.m_rcBounds.bottom);
    const CCell& last = sheet.m_cells[59];
    EXPECT_EQ(CELL_TEXT, last.m_nType);
    EXPECT_EQ(0, last.m_nTabIndex);
    EXPECT_EQ(CELL_LINE_THIN, last.m_nRightEdge);
    EXPECT_EQ(CELL_LINE_THIN, last.m_nBottomEdge);
    EXPECT_EQ(CELL_LINE_NONE, sheet.m_cells[0].m_nRightEdge);
    EXPECT_EQ(CELL_LINE_NONE, sheet.m_cells[29].m_nBottomEdge);
    EXPECT_EQ(CELL_LINE_THIN, sheet.m_cells[29].m_nRightEdge);
    RECT r = { 80 * 3, 30, 80 * 4, 60 };
    EXPECT_TRUE(EqualRect(&r, &sheet.m_cells[33].m_rect));
}

TEST(TemplateBuilderItems, FiveRowItemsThreeColumnItemsTwoGroups)
{
    CSheet sheet;
    strcpy(sheet.m_szTitle, "Balance");
    AddItems(sheet.m_lstWizRowItems, "R", 5);
    AddItems(sheet.m_lstWizColItems, "C", 3);
    FixedMeasure measure;
    BuildItemTemplate(sheet, TRUE, 2, measure);

    ASSERT_EQ(53, sheet.m_cells.GetSize());
    // "Item name 1" is 11 characters: 110 units of text and 8 on each side
    // for names and data columns.
    const int nGroup = 80 + 126 + 3 * 126;
    const int W = 2 * nGroup;
    const CCell& title = sheet.m_cells[0];
    EXPECT_STREQ("Balance", title.m_strValue);
    EXPECT_EQ(W, title.m_rect.right);
    EXPECT_EQ(-27, title.m_logFont.lfHeight);
    EXPECT_STREQ("MS Sans Serif", title.m_logFont.lfFaceName);
    EXPECT_EQ(CELL_ORGAN, sheet.m_cells[2].m_nType);
    EXPECT_EQ(CELL_ORGANCODE, sheet.m_cells[4].m_nType);
    EXPECT_EQ(CELL_REPORTDATE, sheet.m_cells[6].m_nType);
    EXPECT_STREQ("F2", sheet.m_cells[6].m_strName);
    EXPECT_EQ(5 * W / 6, sheet.m_cells[6].m_rect.left);
    EXPECT_EQ(CELL_LINE_NONE, sheet.m_cells[3].m_nLeftEdge);

    // Group 1 starts at column F (5 columns per group) in the heading row 3.
    const CCell& heading = sheettest::Cell(sheet, "H3");
    EXPECT_STREQ("Item name 1", heading.m_strValue);
    EXPECT_EQ(nGroup + 80 + 126, heading.m_rect.left);
    // Row 5 of group 1 (the second row) holds item 5, its last row none.
    const CCell& code = sheettest::Cell(sheet, "F5");
    EXPECT_STREQ("R5", code.m_strValue);
    const CCell& data = sheettest::Cell(sheet, "J5");
    EXPECT_EQ(CELL_NUMERIC, data.m_nType);
    EXPECT_STREQ("R5", data.m_szRowItemCode);
    EXPECT_STREQ("C3", data.m_szColItemCode);
    EXPECT_EQ(CELL_LINE_THIN, data.m_nRightEdge);
    for (const char* pszName : { "F6", "G6", "H6", "I6", "J6" })
    {
        EXPECT_EQ(CELL_NORMAL, sheettest::Cell(sheet, pszName).m_nType) << pszName;
        EXPECT_EQ(CELL_LINE_THIN, sheettest::Cell(sheet, pszName).m_nBottomEdge) << pszName;
    }
    EXPECT_EQ(15, CountType(sheet, CELL_NUMERIC));
    // Tab indexes 1..15 in creation order: group 0 first.
    EXPECT_EQ(1, sheettest::Cell(sheet, "C4").m_nTabIndex);
    EXPECT_EQ(15, data.m_nTabIndex);

    // Footer on row 7, below the last grid row (105 + 3 x 30).
    const CCell& editor = sheet.m_cells[47];
    EXPECT_STREQ("A7", editor.m_strName);
    EXPECT_STREQ("Editor:", editor.m_strValue);
    EXPECT_EQ(195, editor.m_rect.top);
    EXPECT_EQ(0, editor.m_bDynamic);
    EXPECT_EQ(1, sheet.m_cells[48].m_bDynamic);
    EXPECT_EQ(5 * W / 6, sheet.m_cells[52].m_rect.left);
    EXPECT_EQ(75, sheet.m_nHeaderBand);
    EXPECT_EQ(30, sheet.m_nTailBand);
}

TEST(TemplateBuilderItems, ColumnItemsDownSwapTheCodes)
{
    CSheet sheet;
    AddItems(sheet.m_lstWizRowItems, "R", 2);
    AddItems(sheet.m_lstWizColItems, "C", 3);
    FixedMeasure measure;
    BuildItemTemplate(sheet, FALSE, 1, measure);
    // Column items run down: 3 rows, 2 data columns.
    ASSERT_EQ((3 + 1) * (2 + 2) + 13, sheet.m_cells.GetSize());
    const CCell& data = sheettest::Cell(sheet, "D6");
    EXPECT_STREQ("C3", data.m_szColItemCode);
    EXPECT_STREQ("R2", data.m_szRowItemCode);
    EXPECT_STREQ("Double click to input title.", sheet.m_cells[0].m_strValue);
}

TEST(TemplateBuilderItems, MoreGroupsThanItemsAndEmptyGroups)
{
    CSheet sheet;
    AddItems(sheet.m_lstWizRowItems, "R", 2);
    FixedMeasure measure;
    BuildItemTemplate(sheet, TRUE, 5, measure);
    // One group per item; an empty column list still gives one data column.
    EXPECT_EQ((1 + 1) * (1 + 2) * 2 + 13, sheet.m_cells.GetSize());

    // 5 items in 4 groups: 2 rows each, the last group has no item at all.
    CSheet four;
    AddItems(four.m_lstWizRowItems, "R", 5);
    AddItems(four.m_lstWizColItems, "C", 1);
    BuildItemTemplate(four, TRUE, 4, measure);
    ASSERT_EQ((2 + 1) * 3 * 4 + 13, four.m_cells.GetSize());
    EXPECT_EQ(5, CountType(four, CELL_NUMERIC));
    for (const char* pszName : { "J4", "K4", "L4", "J5", "K5", "L5" })
        EXPECT_EQ(CELL_NORMAL, sheettest::Cell(four, pszName).m_nType) << pszName;
    four.UpdateBoundingRect();
    sheettest::ExpectTiling(four);
}
