// The windowless geometry of the sheet view's mouse: hit tests, the cells
// and range of a border drag, snapping, and applying the drag.
#include <vector>

#include "tests/support/Gtest.h"
#include "tests/sheet/SheetGrid.h"

#include "framework/windows/Geometry.h"
#include "sheet/BorderDrag.h"

namespace {

std::vector<UINT> Items(const CUIntArray& list)
{
    std::vector<UINT> v;
    for (INT_PTR i = 0; i < list.GetSize(); ++i)
        v.push_back(list[i]);
    return v;
}

void Select(CSheet& sheet, std::vector<UINT> cells)
{
    sheet.m_arrSel.RemoveAll();
    for (UINT n : cells)
        sheet.m_arrSel.Add(n);
    sheet.m_nCurCell = cells.empty() ? -1 : (LONG)cells[0];
}

CBorderDragRange Press(CSheet& sheet, int nClass, int x, int y)
{
    sheet.m_nBorderClass = nClass;
    return CollectBorderCells(sheet, x, y);
}

} // namespace

TEST(BorderDragHitTest, RightAndBottomEdgesBelongToTheNeighbour)
{
    CSheet sheet;
    EXPECT_EQ(-1, HitTestCell(sheet, 10, 10));
    sheettest::MakeGrid(sheet, 2, 2);
    EXPECT_EQ(0, HitTestCell(sheet, 0, 0));
    EXPECT_EQ(0, HitTestCell(sheet, 79, 29));
    EXPECT_EQ(1, HitTestCell(sheet, 80, 0));
    EXPECT_EQ(2, HitTestCell(sheet, 0, 30));
    EXPECT_EQ(-1, HitTestCell(sheet, 160, 10));
    EXPECT_EQ(-1, HitTestCell(sheet, -1, 10));
    // Overlapping cells: the first in array order.
    sheet.m_cells[3].m_rect = sheet.m_cells[0].m_rect;
    EXPECT_EQ(0, HitTestCell(sheet, 5, 5));
}

TEST(BorderDragCollect, WithoutSelectionTheWholeLineMoves)
{
    CSheet sheet;
    sheettest::MakeGrid(sheet, 3, 3);
    CBorderDragRange range = Press(sheet, HIT_VERTICAL_BORDER, 81, 40);
    EXPECT_EQ(2, sheet.m_nMoveKind);
    EXPECT_EQ((std::vector<UINT>{ 1, 4, 7 }), Items(sheet.m_arrBorderA));
    EXPECT_EQ((std::vector<UINT>{ 0, 3, 6 }), Items(sheet.m_arrBorderB));
    // Lower: the greatest left of list B (0, below 6: no margin); upper:
    // three times the sheet's right, less 5.
    EXPECT_EQ(0, range.nMin);
    EXPECT_EQ(3 * 240 - 5, range.nMax);

    range = Press(sheet, HIT_HORIZONTAL_BORDER, 100, 60);
    EXPECT_EQ((std::vector<UINT>{ 6, 7, 8 }), Items(sheet.m_arrBorderA));
    EXPECT_EQ((std::vector<UINT>{ 3, 4, 5 }), Items(sheet.m_arrBorderB));
    EXPECT_EQ(30 + 5, range.nMin);
    EXPECT_EQ(3 * 90 - 5, range.nMax);
}

TEST(BorderDragCollect, AStraddlingCellHoldsTheLowerBound)
{
    CSheet sheet;
    sheettest::MakeGrid(sheet, 2, 3);
    // A2 and B2 merged: 0..160 straddles the line at 80.
    sheet.m_cells[3].m_rect.right = 160;
    sheet.m_cells[4].m_rect = CRect(500, 500, 501, 501);
    sheet.m_cells[0].m_rect.left = 20;
    CBorderDragRange range = Press(sheet, HIT_VERTICAL_BORDER, 80, 10);
    EXPECT_EQ(2, sheet.m_nMoveKind);
    // Greatest left of list B is 20; the straddling cell's 0 - 5 does not raise it.
    EXPECT_EQ(20 + 5, range.nMin);
    sheet.m_cells[3].m_rect.left = 40;
    range = Press(sheet, HIT_VERTICAL_BORDER, 80, 10);
    EXPECT_EQ(40 - 5 + 5, range.nMin);
}

TEST(BorderDragCollect, ABorderWithNothingBeyondItGoes395Further)
{
    CSheet sheet;
    sheettest::MakeGrid(sheet, 2, 2);
    Select(sheet, { 3 });
    CBorderDragRange range = Press(sheet, HIT_VERTICAL_BORDER, 160, 40);
    // Nothing on the far side to match: the selected segment moves alone.
    EXPECT_EQ(1, sheet.m_nMoveKind);
    EXPECT_EQ(std::vector<UINT>{}, Items(sheet.m_arrBorderA));
    EXPECT_EQ(std::vector<UINT>{ 3 }, Items(sheet.m_arrBorderB));
    EXPECT_EQ(160 + 395, range.nMax);
    EXPECT_EQ(80 + 5, range.nMin);
    ASSERT_TRUE(CanApplyBorderMove(sheet, 300));
    ApplyBorderMove(sheet, 300);
    EXPECT_EQ(300, sheet.m_cells[3].m_rect.right);
    EXPECT_EQ(160, sheet.m_cells[1].m_rect.right);
    EXPECT_EQ(300, sheet.m_rcBounds.right);

    range = Press(sheet, HIT_HORIZONTAL_BORDER, 100, 60);
    EXPECT_EQ(1, sheet.m_nMoveKind);
    EXPECT_EQ(60 + 145, range.nMax);
    EXPECT_EQ(30 + 5, range.nMin);
}

TEST(BorderDragCollect, SegmentsMatchTheOtherSideOrAreRefused)
{
    CSheet sheet;
    sheettest::MakeGrid(sheet, 3, 2);
    // B1 spans the first two rows; A1 and A2 selected.
    sheet.m_cells[1].m_rect.bottom = 60;
    sheet.m_cells[3].m_rect = CRect(400, 400, 401, 401);
    Select(sheet, { 0, 2 });
    Press(sheet, HIT_VERTICAL_BORDER, 80, 10);
    EXPECT_EQ(1, sheet.m_nMoveKind);
    EXPECT_EQ((std::vector<UINT>{ 0, 2 }), Items(sheet.m_arrBorderB));
    EXPECT_EQ(std::vector<UINT>{ 1 }, Items(sheet.m_arrBorderA));

    // Only A1 selected: B1 reaches beyond it, so no sequence ends there.
    Select(sheet, { 0 });
    Press(sheet, HIT_VERTICAL_BORDER, 80, 10);
    EXPECT_EQ(-1, sheet.m_nMoveKind);
    EXPECT_FALSE(CanApplyBorderMove(sheet, 100));

    // A selected cell on the line but not at the pointer: the whole line.
    Select(sheet, { 4 });
    Press(sheet, HIT_VERTICAL_BORDER, 80, 10);
    EXPECT_EQ(2, sheet.m_nMoveKind);
}

TEST(BorderDragCollect, SelectedCellsOnBothSidesGrowToMatchingRuns)
{
    CSheet sheet;
    sheettest::MakeGrid(sheet, 3, 2);
    // Selected: A1 (left side) and B1, B2 (right side, 0..60).
    Select(sheet, { 0, 1, 3 });
    Press(sheet, HIT_VERTICAL_BORDER, 80, 10);
    EXPECT_EQ(1, sheet.m_nMoveKind);
    // The left side grows by A2 to cover 0..60.
    EXPECT_EQ((std::vector<UINT>{ 0, 2 }), Items(sheet.m_arrBorderB));
    EXPECT_EQ((std::vector<UINT>{ 1, 3 }), Items(sheet.m_arrBorderA));
}

TEST(BorderDragSnap, SnapsToTheFirstEdgeWithinTolerance)
{
    CSheet sheet;
    sheettest::MakeGrid(sheet, 2, 3);
    POINT pt = { 83, 10 };
    EXPECT_TRUE(SnapToCellEdge(sheet, &pt, FALSE, 5));
    EXPECT_EQ(80, pt.x);
    pt = { 77, 40 };
    EXPECT_TRUE(SnapToCellEdge(sheet, &pt, FALSE, 5));
    EXPECT_EQ(80, pt.x);
    pt = { 120, 10 };
    EXPECT_FALSE(SnapToCellEdge(sheet, &pt, FALSE, 5));
    EXPECT_EQ(120, pt.x);
    pt = { 100, 33 };
    EXPECT_TRUE(SnapToCellEdge(sheet, &pt, TRUE, 5));
    EXPECT_EQ(30, pt.y);
    // Never near the origin.
    pt = { 5, 31 };
    EXPECT_FALSE(SnapToCellEdge(sheet, &pt, TRUE, 5));
    pt = { 79, 5 };
    EXPECT_FALSE(SnapToCellEdge(sheet, &pt, FALSE, 5));
    EXPECT_FALSE(SnapToCellEdge(sheet, NULL, FALSE, 5));
}

TEST(BorderDragApply, WholeLineShiftsEverythingBeyondIt)
{
    CSheet sheet;
    sheettest::MakeGrid(sheet, 2, 3);
    Press(sheet, HIT_VERTICAL_BORDER, 160, 10);
    ASSERT_TRUE(CanApplyBorderMove(sheet, 150));
    ApplyBorderMove(sheet, 150);
    EXPECT_EQ(150, sheet.m_cells[1].m_rect.right);
    EXPECT_EQ(150, sheet.m_cells[2].m_rect.left);
    EXPECT_EQ(230, sheet.m_cells[2].m_rect.right);
    EXPECT_EQ(230, sheet.m_cells[5].m_rect.right);
    EXPECT_EQ(80, sheet.m_cells[1].m_rect.left);
    EXPECT_EQ(230, sheet.m_rcBounds.right);
    EXPECT_FALSE(CanApplyBorderMove(sheet, 151));
}

TEST(BorderDragApply, StaleOrOutOfRangeListsApplyNothing)
{
    CSheet sheet;
    sheettest::MakeGrid(sheet, 2, 2);
    Press(sheet, HIT_VERTICAL_BORDER, 80, 10);
    sheet.m_cells.SetSize(1);
    EXPECT_FALSE(CanApplyBorderMove(sheet, 120));
    ApplyBorderMove(sheet, 120);
    EXPECT_EQ(80, sheet.m_cells[0].m_rect.right);
    sheet.m_nBorderClass = HIT_NONE;
    EXPECT_FALSE(CanApplyBorderMove(sheet, 120));
}
