// The sheet's table operations: add, delete, merge and split on cell
// rectangles, and the naming helpers.
#include "tests/sheet/SheetTestGrid.h"

#include "sheet/UndoAction.h"

using namespace sheettest;

namespace
{

// Every refusal leaves cells, selection and undo list as they were.
void ExpectRefusedUnchanged(CSheet& sheet, BOOL bResult, const SheetSnap& before,
                            int nUndoBefore, POSITION posBefore)
{
    SCOPED_TRACE("refused operation");
    EXPECT_FALSE(bResult);
    ExpectSameSheet(before, Snapshot(sheet));
    EXPECT_EQ(nUndoBefore, CountUndo(sheet));
    EXPECT_EQ(posBefore, sheet.m_posUndo);
}

} // namespace

// ---------------------------------------------------------------------------
// Names

TEST(TableOpsNames, NextColumnNameCountsInBase26)
{
    CSheet sheet;
    char sz[16];
    sheet.NextColumnName(sz, sizeof(sz));
    EXPECT_STREQ("", sz);

    MakeGrid(sheet, 1, 3);
    sheet.NextColumnName(sz, sizeof(sz));
    EXPECT_STREQ("D", sz);

    MakeGrid(sheet, 1, 26);
    sheet.NextColumnName(sz, sizeof(sz));
    EXPECT_STREQ("AA", sz);

    // Longer letters win over greater ones; AZ rolls over to BA.
    MakeGrid(sheet, 1, 2);
    sheet.m_cells[0].m_strName = "Y7";
    sheet.m_cells[1].m_strName = "AZ1";
    sheet.NextColumnName(sz, sizeof(sz));
    EXPECT_STREQ("BA", sz);
    sheet.m_cells[1].m_strName = "ZZ3";
    sheet.NextColumnName(sz, sizeof(sz));
    EXPECT_STREQ("AAA", sz);
}

TEST(TableOpsNames, BuffersAreBoundedAndTerminated)
{
    CSheet sheet;
    MakeGrid(sheet, 1, 26);
    char sz[4] = { 'x', 'x', 'x', 'x' };
    sheet.NextColumnName(sz, 2);
    EXPECT_STREQ("A", sz);
    EXPECT_EQ('x', sz[2]);

    sheet.m_cells[0].m_strName = "A123456";
    char szRow[4];
    sheet.NextRowNumber(szRow, sizeof(szRow));
    EXPECT_STREQ("123", szRow);
}

TEST(TableOpsNames, RowNumbersAndColumnMaximum)
{
    CSheet sheet;
    char sz[16];
    sheet.NextRowNumber(sz, sizeof(sz));
    EXPECT_STREQ("1", sz);

    MakeGrid(sheet, 3, 2);
    sheet.NextRowNumber(sz, sizeof(sz));
    EXPECT_STREQ("4", sz);

    sheet.m_cells[1].m_strName = "B17";
    sheet.m_cells[0].m_strName = "AB40";
    char szLetters[8] = "B$";
    int nMax = -1;
    sheet.GetMaxRowOfColumn(szLetters, nMax);
    EXPECT_STREQ("B", szLetters);       // the caller's buffer is stripped
    EXPECT_EQ(17, nMax);                 // AB40 is another column

    strcpy(szLetters, "Q");
    sheet.GetMaxRowOfColumn(szLetters, nMax);
    EXPECT_EQ(0, nMax);
}

// ---------------------------------------------------------------------------
// Add Column / Add Row

TEST(TableOpsAdd, ColumnAtTheRightEdge)
{
    CSheet sheet;
    MakeGrid(sheet, 2, 3);              // right-most cells end at x = 240
    Select(sheet, { "C1" });
    ASSERT_TRUE(sheet.AddColumn(-1, -1));

    ASSERT_EQ(8, sheet.m_cells.GetSize());
    for (const char* pszName : { "D1", "D2" })
    {
        const CCell& c = Cell(sheet, pszName);
        EXPECT_EQ(240, c.m_rect.left);
        EXPECT_EQ(320, c.m_rect.right);
        EXPECT_EQ(CELL_TEXT, c.m_nType);
        // The label of the neighbour it was made from (C1, C2).
        EXPECT_EQ(std::string("C") + (pszName + 1), (LPCSTR)c.m_strValue);
        // The right edge line moved out to the new column.
        EXPECT_EQ(CELL_LINE_THIN, c.m_nRightEdge);
    }
    EXPECT_EQ(6, Cell(sheet, "D1").m_nTabIndex);   // old count + sequence - 1
    EXPECT_EQ(7, Cell(sheet, "D2").m_nTabIndex);
    EXPECT_EQ(0, Cell(sheet, "D1").m_rect.top);
    EXPECT_EQ(CELL_LINE_NONE, Cell(sheet, "C1").m_nRightEdge);
    // Nothing else moved.
    EXPECT_EQ(160, Cell(sheet, "C2").m_rect.left);
    EXPECT_EQ(240, Cell(sheet, "C2").m_rect.right);
    // The new column is selected and its top cell is current.
    EXPECT_EQ(2, sheet.m_arrSel.GetSize());
    EXPECT_STREQ("D1", sheet.m_cells[sheet.m_nCurCell].m_strName);
}

TEST(TableOpsAdd, ColumnBesideASpanningCellWidensIt)
{
    CSheet sheet;
    MakeGrid(sheet, 2, 3);
    // B1 spans the second and third columns.
    sheet.m_cells[1].m_rect.right = 240;
    sheet.m_cells.RemoveAt(2);
    Select(sheet, { "B2" });
    ASSERT_TRUE(sheet.AddColumn(-1, -1));

    EXPECT_EQ(320, Cell(sheet, "B1").m_rect.right);     // widened, no neighbour
    EXPECT_EQ(240, Cell(sheet, "C2").m_rect.left);      // moved right
    EXPECT_EQ(320, Cell(sheet, "C2").m_rect.right);
    ASSERT_EQ(6, sheet.m_cells.GetSize());              // one new cell
    const CCell& added = Cell(sheet, "D1");
    EXPECT_EQ(160, added.m_rect.left);
    EXPECT_EQ(240, added.m_rect.right);
    EXPECT_EQ(30, added.m_rect.top);
    // The widened cell is selected first, then the new one; B1 (top 0) is current.
    ASSERT_EQ(2, sheet.m_arrSel.GetSize());
    EXPECT_STREQ("B1", sheet.m_cells[sheet.m_arrSel[0]].m_strName);
    EXPECT_STREQ("D1", sheet.m_cells[sheet.m_arrSel[1]].m_strName);
    EXPECT_STREQ("B1", sheet.m_cells[sheet.m_nCurCell].m_strName);
    Settle(sheet);
    ExpectTiling(sheet);
}

TEST(TableOpsAdd, ColumnWithoutSelectionFollowsTheGreatestLeftEdge)
{
    CSheet sheet;
    MakeGrid(sheet, 2, 3);
    sheet.m_arrSel.RemoveAll();
    ASSERT_TRUE(sheet.AddColumn(-1, -1));
    EXPECT_EQ(240, Cell(sheet, "D1").m_rect.left);
    EXPECT_EQ(320, Cell(sheet, "D2").m_rect.right);

    // A point inside a cell picks that cell's column.
    MakeGrid(sheet, 2, 3);
    ASSERT_TRUE(sheet.AddColumn(90, 40));
    EXPECT_EQ(160, Cell(sheet, "D1").m_rect.left);
    EXPECT_EQ(240, Cell(sheet, "C1").m_rect.left);
}

TEST(TableOpsAdd, ExtentIsTheSelectionsUnion)
{
    CSheet sheet;
    MakeGrid(sheet, 2, 3);
    Select(sheet, { "A1", "B1" });
    ASSERT_TRUE(sheet.AddColumn(-1, -1));
    EXPECT_EQ(160, Cell(sheet, "D1").m_rect.left);
    EXPECT_EQ(320, Cell(sheet, "D1").m_rect.right);
    EXPECT_EQ(320, Cell(sheet, "C1").m_rect.left);
}

TEST(TableOpsAdd, NewCellsGetAFreshContent)
{
    CSheet sheet;
    MakeGrid(sheet, 1, 2);
    CCell& b1 = sheet.m_cells[1];
    b1.SetType(CELL_NUMERIC);
    b1.m_nFormulaRefs = 2;
    b1.m_nBalanceRefs = 1;
    b1.m_strValue = "42";
    b1.m_strAnalysis = "@x";
    b1.m_crBack = RGB(1, 2, 3);
    ASSERT_TRUE(sheet.AddColumn(-1, -1));
    const CCell& c = Cell(sheet, "C1");
    EXPECT_EQ(CELL_TEXT, c.m_nType);
    EXPECT_EQ(0, c.m_bDynamic);          // not the first byte of "========"
    EXPECT_EQ(0, c.m_nFormulaRefs);
    EXPECT_EQ(0, c.m_nBalanceRefs);
    EXPECT_TRUE(c.m_strValue.IsEmpty());
    EXPECT_TRUE(c.m_strAnalysis.IsEmpty());
    EXPECT_EQ(RGB(1, 2, 3), c.m_crBack);  // the look is kept
}

TEST(TableOpsAdd, RowNamesSkipOneNumberAndTabIndicesCount)
{
    CSheet sheet;
    MakeGrid(sheet, 3, 3);               // largest row number 3
    sheet.m_arrSel.RemoveAll();
    ASSERT_TRUE(sheet.AddRow(-1, -1));
    ASSERT_EQ(12, sheet.m_cells.GetSize());
    EXPECT_EQ(1, Cell(sheet, "A5").m_nTabIndex);
    EXPECT_EQ(2, Cell(sheet, "B6").m_nTabIndex);
    EXPECT_EQ(3, Cell(sheet, "C7").m_nTabIndex);
    EXPECT_EQ(90, Cell(sheet, "B6").m_rect.top);
    EXPECT_EQ(120, Cell(sheet, "B6").m_rect.bottom);
    EXPECT_STREQ("A5", sheet.m_cells[sheet.m_nCurCell].m_strName);
    // The bottom edge line moved down to the new row.
    EXPECT_EQ(CELL_LINE_NONE, Cell(sheet, "A3").m_nBottomEdge);
    EXPECT_EQ(CELL_LINE_THIN, Cell(sheet, "A5").m_nBottomEdge);
}

TEST(TableOpsAdd, RowInTheMiddleMovesTheRowsBelow)
{
    CSheet sheet;
    MakeGrid(sheet, 3, 2);
    Select(sheet, { "A1" });
    ASSERT_TRUE(sheet.AddRow(-1, -1));
    EXPECT_EQ(30, Cell(sheet, "A5").m_rect.top);
    EXPECT_EQ(60, Cell(sheet, "A2").m_rect.top);
    EXPECT_EQ(120, Cell(sheet, "B3").m_rect.bottom);
    // A1 had no bottom line, so nothing was taken from it.
    EXPECT_EQ(CELL_LINE_NONE, Cell(sheet, "A1").m_nBottomEdge);
    Settle(sheet);
    ExpectTiling(sheet);
}

TEST(TableOpsAdd, EmptySheetIsRefused)
{
    CSheet sheet;
    EXPECT_FALSE(sheet.AddRow(-1, -1));
    EXPECT_FALSE(sheet.AddColumn(-1, -1));
    EXPECT_EQ(0, CountUndo(sheet));
}

TEST(TableOpsAdd, StaleSelectionIndicesAreIgnored)
{
    CSheet sheet;
    MakeGrid(sheet, 2, 2);
    sheet.m_arrSel.RemoveAll();
    sheet.m_arrSel.Add(99);
    sheet.m_arrSel.Add(0);
    sheet.m_arrSel.Add(0);
    ASSERT_TRUE(sheet.AddColumn(-1, -1));
    // The reference was A1 alone: the new column sits at 80..160.
    EXPECT_EQ(80, Cell(sheet, "C1").m_rect.left);
    EXPECT_EQ(160, Cell(sheet, "C1").m_rect.right);
}

// ---------------------------------------------------------------------------
// Delete Columns / Delete Row

TEST(TableOpsDelete, ColumnClosesTheGapAndMovesTheEdgeLine)
{
    CSheet sheet;
    MakeGrid(sheet, 2, 3);
    Select(sheet, { "C1" });
    ASSERT_TRUE(sheet.DeleteColumns(-1, -1));
    ASSERT_EQ(4, sheet.m_cells.GetSize());
    EXPECT_LT(Find(sheet, "C1"), 0);
    EXPECT_LT(Find(sheet, "C2"), 0);
    // The deleted column had a right edge line: its left neighbours get one.
    EXPECT_EQ(CELL_LINE_THIN, Cell(sheet, "B1").m_nRightEdge);
    EXPECT_EQ(CELL_LINE_THIN, Cell(sheet, "B2").m_nRightEdge);
    // The origin cell is current and the only selected one.
    ASSERT_EQ(1, sheet.m_arrSel.GetSize());
    EXPECT_STREQ("A1", sheet.m_cells[sheet.m_arrSel[0]].m_strName);
    EXPECT_EQ((LONG)sheet.m_arrSel[0], sheet.m_nCurCell);
}

TEST(TableOpsDelete, InnerColumnMovesTheRestLeft)
{
    CSheet sheet;
    MakeGrid(sheet, 2, 3);
    Select(sheet, { "A2" });
    ASSERT_TRUE(sheet.DeleteColumns(-1, -1));
    EXPECT_EQ(0, Cell(sheet, "B1").m_rect.left);
    EXPECT_EQ(80, Cell(sheet, "C2").m_rect.left);
    // A1 had no right edge line, and there is no left neighbour to get one.
    Settle(sheet);
    ExpectTiling(sheet);
}

TEST(TableOpsDelete, SpanningCellsShrinkAndCutCellsEndOnTheBand)
{
    CSheet sheet;
    MakeGrid(sheet, 3, 3);
    // A1 spans all three columns; B2 spans the second and third.
    sheet.m_cells[0].m_rect.right = 240;
    sheet.m_cells[4].m_rect.right = 240;
    std::vector<char> remove(9, 0);
    remove[1] = remove[2] = remove[5] = 1;
    RemoveFlaggedCells(sheet.m_cells, remove);
    Select(sheet, { "C3" });
    ASSERT_TRUE(sheet.DeleteColumns(-1, -1));
    // Both end on the band's right line: they are cut back to its left one.
    EXPECT_EQ(160, Cell(sheet, "A1").m_rect.right);
    EXPECT_EQ(160, Cell(sheet, "B2").m_rect.right);
    EXPECT_EQ(80, Cell(sheet, "B2").m_rect.left);
    Settle(sheet);
    ExpectTiling(sheet);
}

TEST(TableOpsDelete, PartialColumnIsRefused)
{
    CSheet sheet;
    MakeGrid(sheet, 2, 3);
    // A1 ends inside the second column.
    sheet.m_cells[0].m_rect.right = 120;
    sheet.m_cells[1].m_rect.left = 120;
    Select(sheet, { "B2" });
    SheetSnap before = Snapshot(sheet);
    ExpectRefusedUnchanged(sheet, sheet.DeleteColumns(-1, -1), before, 0, NULL);
}

TEST(TableOpsDelete, CellStartingInsideTheBandIsRefused)
{
    CSheet sheet;
    MakeGrid(sheet, 2, 3);
    // B1 starts inside the first column and ends on its right line, with a
    // gap where A1 was: cutting it back to the band's left would invert it.
    SetRect(&sheet.m_cells[1].m_rect, 40, 0, 80, 30);
    sheet.m_cells.RemoveAt(0);
    Select(sheet, { "A2" });
    SheetSnap before = Snapshot(sheet);
    ExpectRefusedUnchanged(sheet, sheet.DeleteColumns(-1, -1), before, 0, NULL);
}

TEST(TableOpsDelete, RefusalKeepsTheRedoTail)
{
    CSheet sheet;
    MakeGrid(sheet, 2, 3);
    Select(sheet, { "A1" });
    ASSERT_TRUE(sheet.AddRow(-1, -1));
    Settle(sheet);
    ASSERT_NE(nullptr, sheet.Undo());
    Settle(sheet);
    sheet.m_cells[0].m_rect.right = 120;
    sheet.m_cells[1].m_rect.left = 120;
    Select(sheet, { "B2" });
    SheetSnap before = Snapshot(sheet);
    ExpectRefusedUnchanged(sheet, sheet.DeleteColumns(-1, -1), before, 1, NULL);
    EXPECT_TRUE(sheet.CanRedo());
}

TEST(TableOpsDelete, FewCellsOrTheLastColumnAreRefused)
{
    CSheet sheet;
    EXPECT_FALSE(sheet.DeleteRow(-1, -1));
    MakeGrid(sheet, 1, 1);
    EXPECT_FALSE(sheet.DeleteColumns(-1, -1));
    // Two cells in one column: deleting the column would remove both.
    MakeGrid(sheet, 2, 1);
    SheetSnap before = Snapshot(sheet);
    ExpectRefusedUnchanged(sheet, sheet.DeleteColumns(-1, -1), before, 0, NULL);
    // Deleting a row of it is fine.
    EXPECT_TRUE(sheet.DeleteRow(-1, -1));
    ASSERT_EQ(1, sheet.m_cells.GetSize());
    EXPECT_STREQ("A1", sheet.m_cells[0].m_strName);
}

TEST(TableOpsDelete, RowWithoutOriginCellKeepsValidIndices)
{
    CSheet sheet;
    MakeGrid(sheet, 3, 2);
    for (INT_PTR i = 0; i < sheet.m_cells.GetSize(); ++i)
        OffsetRect(&sheet.m_cells[i].m_rect, 10, 10);
    Select(sheet, { "A3", "B3" });
    ASSERT_TRUE(sheet.DeleteRow(-1, -1));
    ASSERT_EQ(4, sheet.m_cells.GetSize());
    ASSERT_EQ(1, sheet.m_arrSel.GetSize());
    EXPECT_LT(sheet.m_arrSel[0], 4u);
    EXPECT_EQ((LONG)sheet.m_arrSel[0], sheet.m_nCurCell);
    // The bottom edge line of the deleted row passes to the row above.
    EXPECT_EQ(CELL_LINE_THIN, Cell(sheet, "A2").m_nBottomEdge);
}

// ---------------------------------------------------------------------------
// Merge

TEST(TableOpsMerge, BlockBecomesOneCell)
{
    CSheet sheet;
    MakeGrid(sheet, 3, 3);
    Select(sheet, { "B2", "C2", "B3", "C3" });
    ASSERT_TRUE(sheet.MergeCells(-1, -1));
    ASSERT_EQ(6, sheet.m_cells.GetSize());
    const CCell& merged = sheet.m_cells[5];
    EXPECT_STREQ("B2", merged.m_strName);
    RECT rcBlock = { 80, 30, 240, 90 };
    EXPECT_TRUE(EqualRect(&rcBlock, &merged.m_rect));
    EXPECT_EQ(6, merged.m_nTabIndex);               // cells left + 1
    EXPECT_EQ(CELL_LINE_THIN, merged.m_nRightEdge);  // from C2
    EXPECT_EQ(CELL_LINE_THIN, merged.m_nBottomEdge); // from B3
    EXPECT_EQ(5, sheet.m_nCurCell);
    ASSERT_EQ(1, sheet.m_arrSel.GetSize());
    EXPECT_EQ(5u, sheet.m_arrSel[0]);
    Settle(sheet);
    ExpectTiling(sheet);
}

TEST(TableOpsMerge, OverlappingUnselectedCellIsRefused)
{
    CSheet sheet;
    MakeGrid(sheet, 2, 2);
    // A1 and B2 touch diagonally; their union covers B1 and A2 as well.
    Select(sheet, { "A1", "B2" });
    SheetSnap before = Snapshot(sheet);
    ExpectRefusedUnchanged(sheet, sheet.MergeCells(-1, -1), before, 0, NULL);
}

TEST(TableOpsMerge, TouchingCellsAreNotCounted)
{
    CSheet sheet;
    MakeGrid(sheet, 2, 3);
    Select(sheet, { "A1", "B1" });
    EXPECT_TRUE(sheet.MergeCells(-1, -1));
    EXPECT_EQ(5, sheet.m_cells.GetSize());
}

TEST(TableOpsMerge, OneCellOrNoCells)
{
    CSheet sheet;
    EXPECT_FALSE(sheet.MergeCells(-1, -1));
    MakeGrid(sheet, 2, 2);
    Select(sheet, { "B1" });
    SheetSnap before = Snapshot(sheet);
    EXPECT_TRUE(sheet.MergeCells(-1, -1));
    ExpectSameSheet(before, Snapshot(sheet));
    EXPECT_EQ(0, CountUndo(sheet));
}

TEST(TableOpsMerge, CellUnderThePointLendsItsContent)
{
    CSheet sheet;
    MakeGrid(sheet, 1, 3);
    Select(sheet, { "A1", "B1" });
    ASSERT_TRUE(sheet.MergeCells(100, 10));
    EXPECT_STREQ("B1", sheet.m_cells[sheet.m_nCurCell].m_strName);
    // An unselected cell under the point does not.
    MakeGrid(sheet, 1, 3);
    Select(sheet, { "A1", "B1" });
    ASSERT_TRUE(sheet.MergeCells(200, 10));
    EXPECT_STREQ("A1", sheet.m_cells[sheet.m_nCurCell].m_strName);
}

// ---------------------------------------------------------------------------
// Split

TEST(TableOpsSplit, WidthsSpreadTheRemainder)
{
    CSheet sheet;
    MakeGrid(sheet, 1, 1, 100, 30);
    Select(sheet, { "A1" });
    ASSERT_TRUE(sheet.SplitCell(-1, -1, 1, 3, FALSE));
    ASSERT_EQ(3, sheet.m_cells.GetSize());
    EXPECT_EQ(33, sheet.m_cells[0].m_rect.right - sheet.m_cells[0].m_rect.left);
    EXPECT_EQ(33, sheet.m_cells[1].m_rect.right - sheet.m_cells[1].m_rect.left);
    EXPECT_EQ(34, sheet.m_cells[2].m_rect.right - sheet.m_cells[2].m_rect.left);
    EXPECT_EQ(100, sheet.m_cells[2].m_rect.right);

    // 101 units: no one-unit gap between the sub-cells.
    MakeGrid(sheet, 1, 1, 101, 31);
    Select(sheet, { "A1" });
    ASSERT_TRUE(sheet.SplitCell(-1, -1, 3, 3, FALSE));
    Settle(sheet);
    ExpectTiling(sheet);
    RECT rcAll = { 0, 0, 101, 31 };
    EXPECT_TRUE(EqualRect(&rcAll, &sheet.m_rcBounds));
}

TEST(TableOpsSplit, NamesTypesEdgesAndSelection)
{
    CSheet sheet;
    MakeGrid(sheet, 2, 2);
    CCell& b2 = sheet.m_cells[3];
    b2.SetType(CELL_NUMERIC);
    b2.m_strValue = "7";
    b2.m_nBottomEdge = CELL_LINE_THICK;
    Select(sheet, { "B2" });
    ASSERT_TRUE(sheet.SplitCell(-1, -1, 2, 2, FALSE));
    ASSERT_EQ(7, sheet.m_cells.GetSize());
    // B's largest row number among the other cells is 1: B2..B5.
    const char* names[] = { "B2", "B3", "B4", "B5" };
    for (int k = 0; k < 4; ++k)
        EXPECT_STREQ(names[k], sheet.m_cells[3 + k].m_strName);
    EXPECT_EQ(CELL_NUMERIC, Cell(sheet, "B2").m_nType);
    EXPECT_STREQ("7", Cell(sheet, "B2").m_strValue);
    EXPECT_EQ(CELL_NORMAL, Cell(sheet, "B3").m_nType);
    EXPECT_TRUE(Cell(sheet, "B3").m_strValue.IsEmpty());
    // The split cell's right and bottom lines stay on the outside only.
    EXPECT_EQ(CELL_LINE_NONE, Cell(sheet, "B2").m_nRightEdge);
    EXPECT_EQ(CELL_LINE_THIN, Cell(sheet, "B3").m_nRightEdge);
    EXPECT_EQ(CELL_LINE_NONE, Cell(sheet, "B2").m_nBottomEdge);
    EXPECT_EQ(CELL_LINE_THICK, Cell(sheet, "B4").m_nBottomEdge);
    EXPECT_EQ(4, Cell(sheet, "B5").m_nTabIndex);    // all keep the tab index
    EXPECT_EQ(4, sheet.m_arrSel.GetSize());
    EXPECT_STREQ("B2", sheet.m_cells[sheet.m_nCurCell].m_strName);
    Settle(sheet);
    ExpectTiling(sheet);
}

TEST(TableOpsSplit, MergeFirstSplitsTheUnion)
{
    CSheet sheet;
    MakeGrid(sheet, 2, 3);
    Select(sheet, { "A1", "B1", "A2", "B2" });
    ASSERT_TRUE(sheet.SplitCell(-1, -1, 1, 4, TRUE));
    // C1 and C2 stay; four sub-cells 40 wide over the 160 x 60 block.
    ASSERT_EQ(6, sheet.m_cells.GetSize());
    for (int k = 0; k < 4; ++k)
    {
        const CCell& c = sheet.m_cells[2 + k];
        EXPECT_EQ(40 * k, c.m_rect.left);
        EXPECT_EQ(60, c.m_rect.bottom);
    }
    // The union's bottom line comes from A2.
    EXPECT_EQ(CELL_LINE_THIN, sheet.m_cells[2].m_nBottomEdge);
    Settle(sheet);
    ExpectTiling(sheet);

    // Without merge-first every selected cell is split on its own.
    MakeGrid(sheet, 2, 3);
    Select(sheet, { "A1", "B1" });
    ASSERT_TRUE(sheet.SplitCell(-1, -1, 1, 2, FALSE));
    EXPECT_EQ(8, sheet.m_cells.GetSize());
    EXPECT_STREQ("A3", sheet.m_cells[4].m_strName);
    EXPECT_STREQ("B3", sheet.m_cells[6].m_strName);
}

TEST(TableOpsSplit, RefusedCases)
{
    CSheet sheet;
    EXPECT_FALSE(sheet.SplitCell(-1, -1, 2, 2, FALSE));
    MakeGrid(sheet, 2, 2, 2, 30);
    sheet.m_arrSel.RemoveAll();
    SheetSnap before = Snapshot(sheet);
    // Empty selection and no point.
    ExpectRefusedUnchanged(sheet, sheet.SplitCell(-1, -1, 2, 2, FALSE), before, 0, NULL);
    // Sub-cells narrower than one unit.
    Select(sheet, { "A1" });
    before = Snapshot(sheet);
    ExpectRefusedUnchanged(sheet, sheet.SplitCell(-1, -1, 1, 3, FALSE), before, 0, NULL);
    ExpectRefusedUnchanged(sheet, sheet.SplitCell(-1, -1, 0, 1, FALSE), before, 0, NULL);
    // Union overlapping an unselected cell.
    Select(sheet, { "A1", "B2" });
    before = Snapshot(sheet);
    ExpectRefusedUnchanged(sheet, sheet.SplitCell(-1, -1, 1, 1, TRUE), before, 0, NULL);
    // A point inside a cell splits that cell.
    sheet.m_arrSel.RemoveAll();
    EXPECT_TRUE(sheet.SplitCell(1, 40, 3, 2, FALSE));
    EXPECT_EQ(9, sheet.m_cells.GetSize());
}

TEST(TableOpsSplit, UnsplitCurrentCellStaysCurrent)
{
    CSheet sheet;
    MakeGrid(sheet, 2, 2);
    sheet.m_arrSel.RemoveAll();
    sheet.m_arrSel.Add(0);
    sheet.m_nCurCell = 3;                // B2, not split
    ASSERT_TRUE(sheet.SplitCell(-1, -1, 2, 1, FALSE));
    EXPECT_STREQ("B2", sheet.m_cells[sheet.m_nCurCell].m_strName);
}
