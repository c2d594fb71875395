// The run-mode tab order and arrow-key neighbours over sheets whose tab
// indices have gaps, repeats and zeros.
#include "tests/support/Gtest.h"

#include <vector>

#include <windows.h>

#include "view/CellTabOrder.h"

namespace
{

int AddCell(CSheet& sheet, int nType, int nTab, int x, int y, int cx = 50, int cy = 20)
{
    CCell cell;
    cell.SetType(nType);
    cell.m_pSheet = &sheet;
    cell.m_nTabIndex = nTab;
    SetRect(&cell.m_rect, x, y, x + cx, y + cy);
    return (int)sheet.m_cells.Add(cell);
}

int AddNumber(CSheet& sheet, int nTab, int x, int y)
{
    const int n = AddCell(sheet, CELL_NUMERIC, nTab, x, y);
    sheet.m_cells[n].m_nValueType = 0;
    return n;
}

} // namespace

TEST(EntryCells, TypesThatTakeDataEntry)
{
    CCell cell;
    cell.SetType(CELL_NUMERIC);
    cell.m_nValueType = 0;
    EXPECT_TRUE(IsEntryCell(cell, FALSE));
    cell.m_nValueType = 1;
    EXPECT_TRUE(IsEntryCell(cell, FALSE));
    cell.m_nValueType = 2;
    EXPECT_FALSE(IsEntryCell(cell, TRUE));
    cell.SetType(CELL_TEXT);
    EXPECT_FALSE(IsEntryCell(cell, TRUE));
    cell.m_bDynamic = 1;
    EXPECT_TRUE(IsEntryCell(cell, FALSE));
    cell.SetType(CELL_REPORTDATE);
    EXPECT_TRUE(IsEntryCell(cell, FALSE));
    for (int nType : { CELL_ORGAN, CELL_ORGANCODE })
    {
        cell.SetType(nType);
        EXPECT_FALSE(IsEntryCell(cell, FALSE));
        EXPECT_TRUE(IsEntryCell(cell, TRUE));
    }
    for (int nType : { CELL_NORMAL, CELL_FORMULA, CELL_PICTURE })
    {
        cell.SetType(nType);
        EXPECT_FALSE(IsEntryCell(cell, TRUE));
    }
}

TEST(TabOrder, SortsByTabIndexAndPutsUnnumberedCellsLast)
{
    CSheet sheet;
    const int a = AddNumber(sheet, 30, 0, 0);
    const int b = AddNumber(sheet, 0, 50, 0);
    const int c = AddNumber(sheet, 7, 100, 0);
    const int d = AddNumber(sheet, 30, 150, 0);
    const int e = AddCell(sheet, CELL_NORMAL, 0, 200, 0);
    CCellTabOrder order;
    order.Build(sheet, FALSE);
    EXPECT_EQ(3, order.TabbedCount());
    EXPECT_EQ((std::vector<int>{ c, a, d, b, e }), order.Order());
    EXPECT_EQ((std::vector<int>{ a, b, c, d }), order.EntryCells());
}

TEST(TabOrder, TabFollowsGappedIndicesAndWraps)
{
    // Tab indices 2, 9 and 40 on a sheet of three cells: taking the index as
    // a position would read past the order.
    CSheet sheet;
    const int first = AddNumber(sheet, 40, 0, 0);
    const int second = AddNumber(sheet, 2, 50, 0);
    const int third = AddNumber(sheet, 9, 100, 0);
    CCellTabOrder order;
    order.Build(sheet, FALSE);
    EXPECT_EQ(third, order.NextCell(sheet, second, FALSE));
    EXPECT_EQ(first, order.NextCell(sheet, third, FALSE));
    EXPECT_EQ(second, order.NextCell(sheet, first, FALSE));
}

TEST(TabOrder, RepeatedIndicesEachGetTheirTurn)
{
    CSheet sheet;
    const int a = AddNumber(sheet, 5, 0, 0);
    const int b = AddNumber(sheet, 5, 50, 0);
    const int c = AddNumber(sheet, 5, 100, 0);
    CCellTabOrder order;
    order.Build(sheet, FALSE);
    EXPECT_EQ(b, order.NextCell(sheet, a, FALSE));
    EXPECT_EQ(c, order.NextCell(sheet, b, FALSE));
    EXPECT_EQ(a, order.NextCell(sheet, c, FALSE));
}

TEST(TabOrder, SkipsCellsThatTakeNoEntry)
{
    CSheet sheet;
    const int a = AddNumber(sheet, 1, 0, 0);
    AddCell(sheet, CELL_FORMULA, 2, 50, 0);
    const int organ = AddCell(sheet, CELL_ORGAN, 3, 100, 0);
    const int d = AddNumber(sheet, 4, 150, 0);
    CCellTabOrder order;
    order.Build(sheet, FALSE);
    EXPECT_EQ(d, order.NextCell(sheet, a, FALSE));
    // Tab tests each cell again: with the organizations open the name cell
    // takes entry although it did not at the switch.
    EXPECT_EQ(organ, order.NextCell(sheet, a, TRUE));
}

TEST(TabOrder, SkipsFiguresTheDatabaseComputes)
{
    // An analysis report: two figures with analysis references, one typed
    // figure beside them.
    CSheet sheet;
    sheet.m_nKind = SHEET_KIND_ANALYSIS;
    const int computed = AddNumber(sheet, 1, 0, 0);
    const int typed = AddNumber(sheet, 2, 50, 0);
    const int last = AddNumber(sheet, 3, 100, 0);
    sheet.m_cells[computed].m_strAnalysis = "@Organ#1&Time#1";
    sheet.m_cells[last].m_strAnalysis = "@Organ#2&Time#1";
    sheet.m_cells[typed].m_strAnalysis = "Organ#1";
    CCellTabOrder order;
    order.Build(sheet, FALSE);
    EXPECT_EQ((std::vector<int>{ typed }), order.EntryCells());
    EXPECT_EQ(typed, order.FirstEntryCell(sheet, FALSE));
    EXPECT_EQ(typed, order.NextCell(sheet, typed, FALSE));
    EXPECT_EQ(-1, order.FindCellInDirection(sheet, typed, VK_RIGHT));
    // On an ordinary template the same formulas compute nothing.
    sheet.m_nKind = 0;
    order.Build(sheet, FALSE);
    EXPECT_EQ((std::vector<int>{ computed, typed, last }), order.EntryCells());
    EXPECT_EQ(last, order.NextCell(sheet, typed, FALSE));
}

TEST(TabOrder, ALoneEntryCellComesBackToItself)
{
    CSheet sheet;
    AddCell(sheet, CELL_NORMAL, 1, 0, 0);
    const int only = AddNumber(sheet, 2, 50, 0);
    CCellTabOrder order;
    order.Build(sheet, FALSE);
    EXPECT_EQ(only, order.NextCell(sheet, only, FALSE));
}

TEST(TabOrder, NoMoveFromUnnumberedOrUnknownCells)
{
    CSheet sheet;
    const int a = AddNumber(sheet, 1, 0, 0);
    const int zero = AddNumber(sheet, 0, 50, 0);
    CCellTabOrder order;
    order.Build(sheet, FALSE);
    EXPECT_EQ(-1, order.NextCell(sheet, zero, FALSE));
    EXPECT_EQ(-1, order.NextCell(sheet, -1, FALSE));
    EXPECT_EQ(-1, order.NextCell(sheet, 2, FALSE));
    // A cell numbered after the order was built is not in it.
    sheet.m_cells[zero].m_nTabIndex = 8;
    EXPECT_EQ(-1, order.NextCell(sheet, zero, FALSE));
    EXPECT_EQ(a, order.NextCell(sheet, a, FALSE));
}

TEST(TabOrder, AnOrderOlderThanTheSheetNeverReadsPastIt)
{
    CSheet sheet;
    const int a = AddNumber(sheet, 1, 0, 0);
    AddNumber(sheet, 2, 50, 0);
    AddNumber(sheet, 3, 100, 0);
    CCellTabOrder order;
    order.Build(sheet, FALSE);
    sheet.m_cells.SetSize(1);
    EXPECT_EQ(a, order.NextCell(sheet, a, FALSE));
    EXPECT_EQ(a, order.FirstEntryCell(sheet, FALSE));
    EXPECT_EQ(-1, order.FindCellInDirection(sheet, a, VK_RIGHT));
}

TEST(TabOrder, FirstEntryCellWalksTheWholeOrder)
{
    CSheet sheet;
    AddCell(sheet, CELL_NORMAL, 1, 0, 0);
    const int unnumbered = AddNumber(sheet, 0, 50, 0);
    CCellTabOrder order;
    order.Build(sheet, FALSE);
    EXPECT_EQ(unnumbered, order.FirstEntryCell(sheet, FALSE));
    CSheet empty;
    order.Build(empty, FALSE);
    EXPECT_EQ(-1, order.FirstEntryCell(empty, FALSE));
}

TEST(ArrowNeighbour, NearestEntryCellInLine)
{
    // A 3 x 3 grid of 50 x 20 numeric cells; the middle row's right cell
    // is a formula cell, which takes no entry.
    CSheet sheet;
    int grid[3][3];
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c)
            grid[r][c] = AddNumber(sheet, 0, c * 50, r * 20);
    sheet.m_cells[grid[1][2]].SetType(CELL_FORMULA);
    sheet.UpdateBoundingRect();
    CCellTabOrder order;
    order.Build(sheet, FALSE);
    const int centre = grid[1][1];
    EXPECT_EQ(grid[1][0], order.FindCellInDirection(sheet, centre, VK_LEFT));
    EXPECT_EQ(grid[0][1], order.FindCellInDirection(sheet, centre, VK_UP));
    EXPECT_EQ(grid[2][1], order.FindCellInDirection(sheet, centre, VK_DOWN));
    EXPECT_EQ(-1, order.FindCellInDirection(sheet, centre, VK_RIGHT));
    // At the sheet's right edge nothing lies further right.
    EXPECT_EQ(-1, order.FindCellInDirection(sheet, grid[0][2], VK_RIGHT));
    EXPECT_EQ(-1, order.FindCellInDirection(sheet, centre, VK_TAB));
}

TEST(ArrowNeighbour, CloserCentreWinsAtTheSameGap)
{
    // A tall cell on the left; to its right two cells at the same gap, the
    // lower one nearer the tall cell's centre.
    CSheet sheet;
    const int tall = AddCell(sheet, CELL_NUMERIC, 0, 0, 0, 50, 60);
    const int upper = AddNumber(sheet, 0, 60, 0);
    const int lower = AddNumber(sheet, 0, 60, 20);
    const int further = AddNumber(sheet, 0, 55, 40);
    sheet.UpdateBoundingRect();
    CCellTabOrder order;
    order.Build(sheet, FALSE);
    EXPECT_EQ(further, order.FindCellInDirection(sheet, tall, VK_RIGHT));
    sheet.m_cells[further].m_rect.left = 60;
    sheet.m_cells[further].m_rect.right = 110;
    EXPECT_EQ(lower, order.FindCellInDirection(sheet, tall, VK_RIGHT));
    (void)upper;
}
