// Page breaks of a sheet: the grid of General, the bordered edges of
// Optimize, the bounds of Manual, the page table and the widening of a
// printed page for borders on its edges.
#include <vector>

#include "tests/support/Gtest.h"
#include "tests/sheet/SheetGrid.h"
#include "sheet/PageLayout.h"

namespace
{

std::vector<int> Breaks(const CDWordArray& arr)
{
    std::vector<int> v;
    for (INT_PTR i = 0; i < arr.GetSize(); ++i)
        v.push_back((int)arr[i]);
    return v;
}

void SetBreaks(CDWordArray& arr, std::vector<int> v)
{
    arr.SetSize((INT_PTR)v.size());
    for (size_t i = 0; i < v.size(); ++i)
        arr[(INT_PTR)i] = (DWORD)v[i];
}

// No page of the table is taller or wider than a page (plus the 2 units the
// last row and column reach past the extent).
void ExpectPagesFit(const CSheet& sheet, SIZE sizePage)
{
    CArray<CRect, const CRect&> pages;
    BuildPageTable(sheet, pages);
    for (INT_PTR i = 0; i < pages.GetSize(); ++i)
    {
        SCOPED_TRACE(testing::Message() << "page " << i + 1);
        EXPECT_LE(pages[i].Height(), sizePage.cy + 2 + sheet.m_nHeaderBand);
        EXPECT_LE(pages[i].Width(), sizePage.cx + 2);
        EXPECT_GT(pages[i].Height(), 0);
    }
}

// The grid's cells without any border.
void ClearEdges(CSheet& sheet)
{
    for (INT_PTR i = 0; i < sheet.m_cells.GetSize(); ++i)
    {
        CCell& cell = sheet.m_cells[i];
        cell.m_nLeftEdge = cell.m_nTopEdge = cell.m_nRightEdge = cell.m_nBottomEdge = CELL_LINE_NONE;
    }
}

// A grid of rows x 1 cells 10 units high whose cells at the given tops
// carry a top border, and no others.
void MakeColumn(CSheet& sheet, int rows, std::vector<int> borderedTops)
{
    sheettest::MakeGrid(sheet, rows, 1, 50, 10);
    ClearEdges(sheet);
    for (INT_PTR i = 0; i < sheet.m_cells.GetSize(); ++i)
        for (int top : borderedTops)
            if (sheet.m_cells[i].m_rect.top == top)
                sheet.m_cells[i].m_nTopEdge = CELL_LINE_THIN;
}

TEST(PageLayout, GeneralGridCountsWholePagesAndOffsetsRowsByTheHeaderBand)
{
    CSheet sheet;
    sheettest::MakeGrid(sheet, 10, 4, 50, 20);      // 200 x 200
    sheet.m_nPageLayout = PAGE_LAYOUT_GENERAL;
    ASSERT_TRUE(ComputeSheetPageBreaks(sheet, CSize(100, 100)));
    EXPECT_EQ(Breaks(sheet.m_arrBreaksA), (std::vector<int>{ 0, 100 }));
    EXPECT_EQ(Breaks(sheet.m_arrBreaksB), (std::vector<int>{ 0, 100 }));

    // One unit more than two pages needs a third.
    sheet.m_cells[39].m_rect.bottom = 201;
    sheet.m_cells[39].m_rect.right = 201;
    sheet.UpdateBoundingRect();
    ASSERT_TRUE(ComputeSheetPageBreaks(sheet, CSize(100, 100)));
    EXPECT_EQ(Breaks(sheet.m_arrBreaksA), (std::vector<int>{ 0, 100, 200 }));
    EXPECT_EQ(Breaks(sheet.m_arrBreaksB), (std::vector<int>{ 0, 100, 200 }));

    sheet.m_nHeaderBand = 40;
    ASSERT_TRUE(ComputeSheetPageBreaks(sheet, CSize(100, 100)));
    EXPECT_EQ(Breaks(sheet.m_arrBreaksA), (std::vector<int>{ 0, 140, 240 }));

    // Pages row by row; the last row and column reach past the extent by 2.
    CArray<CRect, const CRect&> pages;
    BuildPageTable(sheet, pages);
    ASSERT_EQ(pages.GetSize(), 9);
    EXPECT_EQ(pages[0], CRect(0, 0, 100, 140));
    EXPECT_EQ(pages[2], CRect(200, 0, 203, 140));
    EXPECT_EQ(pages[8], CRect(200, 240, 203, 203));
}

TEST(PageLayout, OptimizeMovesBreaksUpToBorderedEdgesAndKeepsPagesWithinAPage)
{
    CSheet sheet;
    // Only the first cell bordered: the General grid stays.
    MakeColumn(sheet, 30, { 0 });
    sheet.m_nPageLayout = -1;
    ASSERT_TRUE(ComputeSheetPageBreaks(sheet, CSize(100, 100)));
    EXPECT_EQ(sheet.m_nPageLayout, PAGE_LAYOUT_OPTIMIZE);
    EXPECT_EQ(Breaks(sheet.m_arrBreaksA), (std::vector<int>{ 0, 100, 200 }));

    // An edge 20 above the first break takes it; the next window ends 20
    // earlier, so an edge at 190 is out of it, and pages follow until the
    // extent is covered.
    MakeColumn(sheet, 30, { 80, 190 });
    ASSERT_TRUE(ComputeSheetPageBreaks(sheet, CSize(100, 100)));
    EXPECT_EQ(Breaks(sheet.m_arrBreaksA), (std::vector<int>{ 0, 80, 180, 190, 290 }));
    ExpectPagesFit(sheet, CSize(100, 100));

    // A shift that reaches a whole page (130 at the third break) inserts a
    // row of pages, whose window ends a page below the break before it.
    MakeColumn(sheet, 50, { 60, 110, 170 });
    ASSERT_TRUE(ComputeSheetPageBreaks(sheet, CSize(100, 100)));
    EXPECT_EQ(Breaks(sheet.m_arrBreaksA), (std::vector<int>{ 0, 60, 110, 170, 270, 370, 470 }));
    ExpectPagesFit(sheet, CSize(100, 100));
}

TEST(PageLayout, ManualBreaksAreBoundedToAPageAndFollowTheExtent)
{
    CSheet sheet;
    MakeColumn(sheet, 50, {});                      // 500 high
    sheet.m_nPageLayout = PAGE_LAYOUT_MANUAL;
    SetBreaks(sheet.m_arrBreaksA, { 0, 150, 190 });
    SetBreaks(sheet.m_arrBreaksB, { 0 });
    ASSERT_TRUE(ComputeSheetPageBreaks(sheet, CSize(100, 100)));
    // 150 is pulled up to a page below 0; the sheet below 190 gets pages.
    EXPECT_EQ(Breaks(sheet.m_arrBreaksA), (std::vector<int>{ 0, 100, 190, 290, 390, 490 }));
    EXPECT_EQ(sheet.m_nPageLayout, PAGE_LAYOUT_MANUAL);

    // Breaks far below a shrunken sheet go, never the first.
    MakeColumn(sheet, 5, {});                       // 50 high
    SetBreaks(sheet.m_arrBreaksA, { 0, 100, 200, 300 });
    ASSERT_TRUE(ComputeSheetPageBreaks(sheet, CSize(100, 100)));
    EXPECT_EQ(Breaks(sheet.m_arrBreaksA), (std::vector<int>{ 0, 100 }));

    // A template without manual breaks starts at 0.
    sheet.m_arrBreaksA.RemoveAll();
    sheet.m_arrBreaksB.RemoveAll();
    ASSERT_TRUE(ComputeSheetPageBreaks(sheet, CSize(100, 100)));
    EXPECT_EQ(Breaks(sheet.m_arrBreaksA), (std::vector<int>{ 0 }));
    EXPECT_EQ(Breaks(sheet.m_arrBreaksB), (std::vector<int>{ 0 }));
}

TEST(PageLayout, APageWithoutRoomOrASheetWithoutCellsLeavesTheBreaksAlone)
{
    CSheet sheet;
    MakeColumn(sheet, 10, {});
    SetBreaks(sheet.m_arrBreaksA, { 0, 40 });
    for (LONG nMode : { (LONG)PAGE_LAYOUT_GENERAL, (LONG)PAGE_LAYOUT_OPTIMIZE, (LONG)PAGE_LAYOUT_MANUAL })
    {
        sheet.m_nPageLayout = nMode;
        EXPECT_FALSE(ComputeSheetPageBreaks(sheet, CSize(100, 0)));
        EXPECT_FALSE(ComputeSheetPageBreaks(sheet, CSize(0, 100)));
        EXPECT_FALSE(ComputeSheetPageBreaks(sheet, CSize(100, -30)));
    }
    EXPECT_EQ(Breaks(sheet.m_arrBreaksA), (std::vector<int>{ 0, 40 }));
    CSheet empty;
    EXPECT_FALSE(ComputeSheetPageBreaks(empty, CSize(100, 100)));
}

TEST(PageLayout, CandidateListsGatherBorderedEdgesAndFindTheLastInAWindow)
{
    CSheet sheet;
    sheettest::MakeGrid(sheet, 3, 3, 50, 20);
    ClearEdges(sheet);
    sheet.m_cells[7].m_nTopEdge = CELL_LINE_THIN;   // y 40, 50 wide
    sheet.m_cells[8].m_nTopEdge = CELL_LINE_THIN;   // y 40 again
    sheet.m_cells[3].m_nTopEdge = CELL_LINE_THIN;   // y 20
    sheet.m_cells[5].m_nLeftEdge = CELL_LINE_THIN;  // x 100, 20 high
    CBreakList rows, cols;
    CollectBreakCandidates(sheet, rows, cols);
    ASSERT_EQ(rows.GetSize(), 3);
    EXPECT_EQ(rows[0].nPos, 0);
    EXPECT_EQ(rows[1].nPos, 20);
    EXPECT_EQ(rows[2].nPos, 40);
    EXPECT_EQ(rows[2].nValue, 100);
    ASSERT_EQ(cols.GetSize(), 2);
    EXPECT_EQ(cols[1].nPos, 100);
    EXPECT_EQ(cols[1].nValue, 20);

    EXPECT_EQ(FindBreakInRange(rows, 0, 40), 40);
    EXPECT_EQ(FindBreakInRange(rows, 20, 39), 0);
    EXPECT_EQ(FindBreakInRange(rows, 20, 20), 0);
    // Entry 0 is never a break.
    EXPECT_EQ(FindBreakInRange(rows, -10, 10), 0);
    EXPECT_FALSE(AddToBreakEntry(rows, 30, 5));
    EXPECT_TRUE(AddToBreakEntry(rows, 20, 5));
    EXPECT_EQ(rows[1].nValue, 55);
}

TEST(PageLayout, APrintedPageGrowsForBordersOnItsEdges)
{
    CSheet sheet;
    sheettest::MakeGrid(sheet, 2, 4, 50, 20);
    ClearEdges(sheet);
    CRect rcPage(100, 0, 200, 40);
    WidenPageForBorders(sheet, rcPage);
    EXPECT_EQ(rcPage, CRect(100, 0, 200, 40));

    // A thick right border on the break prints whole on the page right of it.
    sheet.m_cells[1].m_nRightEdge = CELL_LINE_THICK;
    sheet.m_cells[5].m_nRightEdge = CELL_LINE_THIN;
    sheet.m_cells[3].m_nLeftEdge = CELL_LINE_THIN;
    rcPage = CRect(100, 0, 150, 20);
    WidenPageForBorders(sheet, rcPage);
    EXPECT_EQ(rcPage, CRect(97, 0, 151, 20));
}

TEST(PageLayout, ADroppedBreakMovesTheBreaksAfterItOrLeavesBeyondTheEdge)
{
    CDWordArray rows;
    SetBreaks(rows, { 0, 300, 600 });
    // Dragged 40 down: it and every later break follow.
    ASSERT_TRUE(DropPageBreak(rows, 1, 340, 900, 400));
    EXPECT_EQ(Breaks(rows), (std::vector<int>{ 0, 340, 640 }));
    // Dragged up far enough, the last break ends more than a page above the
    // edge and one page more follows.
    ASSERT_TRUE(DropPageBreak(rows, 1, 200, 1000, 300));
    EXPECT_EQ(Breaks(rows), (std::vector<int>{ 0, 200, 500, 800 }));
    // Dropped beyond the sheet's edge, the dragged break goes, not the last.
    ASSERT_TRUE(DropPageBreak(rows, 2, 1000, 1000, 300));
    EXPECT_EQ(Breaks(rows), (std::vector<int>{ 0, 200, 800 }));
    // The only break below the bottom goes too; entry 0 is no break.
    SetBreaks(rows, { 0, 300 });
    ASSERT_TRUE(DropPageBreak(rows, 1, 700, 500, 400));
    EXPECT_EQ(Breaks(rows), (std::vector<int>{ 0 }));
    EXPECT_FALSE(DropPageBreak(rows, 0, 100, 500, 400));
    EXPECT_FALSE(DropPageBreak(rows, 1, 100, 500, 400));
}

} // namespace
