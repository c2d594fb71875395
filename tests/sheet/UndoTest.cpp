// Undo records and the sheet's undo list: each record's Undo and Redo give
// back exactly the states around its change.
#include <random>

#include "tests/sheet/SheetTestGrid.h"

#include "sheet/UndoAction.h"

using namespace sheettest;

namespace
{

// Applies the callers' follow-up and checks that Undo gives back `before`
// and Redo `after`.
void ExpectUndoRedo(CSheet& sheet, const SheetSnap& before, const SheetSnap& after,
                    bool bCompareSelection = true)
{
    ASSERT_NE(nullptr, sheet.Undo());
    Settle(sheet);
    {
        SCOPED_TRACE("after Undo");
        ExpectSameSheet(before, Snapshot(sheet), bCompareSelection);
    }
    ASSERT_NE(nullptr, sheet.Redo());
    Settle(sheet);
    {
        SCOPED_TRACE("after Redo");
        ExpectSameSheet(after, Snapshot(sheet), bCompareSelection);
    }
}

} // namespace

// ---------------------------------------------------------------------------
// The list

TEST(UndoList, PositionRules)
{
    CSheet sheet;
    MakeGrid(sheet, 3, 3);
    EXPECT_FALSE(sheet.CanUndo());
    EXPECT_FALSE(sheet.CanRedo());
    EXPECT_EQ(nullptr, sheet.Undo());
    EXPECT_EQ(nullptr, sheet.Redo());

    ASSERT_TRUE(sheet.AddRow(-1, -1));
    Settle(sheet);
    ASSERT_TRUE(sheet.AddColumn(-1, -1));
    Settle(sheet);
    EXPECT_EQ(2, CountUndo(sheet));
    EXPECT_TRUE(sheet.CanUndo());
    EXPECT_FALSE(sheet.CanRedo());          // the current record is the last
    EXPECT_EQ(nullptr, sheet.Redo());

    CUndoAction* pSecond = sheet.Undo();
    ASSERT_NE(nullptr, pSecond);
    EXPECT_EQ(UNDO_ADDCOLUMN, pSecond->m_nKind);
    CUndoAction* pFirst = sheet.Undo();
    ASSERT_NE(nullptr, pFirst);
    EXPECT_EQ(UNDO_ADDROW, pFirst->m_nKind);
    // Undoing the first record leaves no current record.
    EXPECT_EQ(nullptr, sheet.m_posUndo);
    EXPECT_FALSE(sheet.CanUndo());
    EXPECT_EQ(pFirst, sheet.GetRedoAction());
    // Redo then starts again from the first record.
    EXPECT_EQ(pFirst, sheet.Redo());
    EXPECT_EQ(pFirst, sheet.GetUndoAction());
    EXPECT_EQ(pSecond, sheet.GetRedoAction());
}

TEST(UndoList, NewRecordDiscardsTheUndoneOnes)
{
    CSheet sheet;
    MakeGrid(sheet, 3, 3);
    for (int i = 0; i < 3; ++i)
    {
        ASSERT_TRUE(sheet.AddRow(-1, -1));
        Settle(sheet);
    }
    sheet.Undo();
    Settle(sheet);
    sheet.Undo();
    Settle(sheet);
    ASSERT_EQ(3, CountUndo(sheet));
    ASSERT_TRUE(sheet.AddColumn(-1, -1));
    EXPECT_EQ(2, CountUndo(sheet));
    EXPECT_EQ(UNDO_ADDCOLUMN, sheet.GetUndoAction()->m_nKind);
    EXPECT_FALSE(sheet.CanRedo());

    // With everything undone, a new record replaces the whole list.
    sheet.Undo();
    sheet.Undo();
    ASSERT_EQ(nullptr, sheet.m_posUndo);
    sheet.DiscardRedoActions();
    EXPECT_EQ(0, CountUndo(sheet));
}

TEST(UndoList, KindsNamesAndExtentFlags)
{
    CSheet sheet;
    MakeGrid(sheet, 4, 4);
    auto check = [&](BOOL bOk, int nKind, const char* pszName, int bExtent) {
        ASSERT_TRUE(bOk);
        CUndoAction* p = sheet.GetUndoAction();
        ASSERT_NE(nullptr, p);
        EXPECT_EQ(nKind, p->m_nKind);
        EXPECT_STREQ(pszName, p->m_strName);
        EXPECT_EQ(bExtent, p->m_bRecomputeExtent);
        EXPECT_EQ(&sheet, p->m_pSheet);
        Settle(sheet);
    };
    // Each on a fresh grid with B2 selected.
    auto fresh = [&]() {
        sheet.DeleteAllUndoActions();
        MakeGrid(sheet, 4, 4);
        Select(sheet, { "B2" });
    };
    fresh();
    check(sheet.AddRow(-1, -1), UNDO_ADDROW, "Add Row", 1);
    fresh();
    check(sheet.AddColumn(-1, -1), UNDO_ADDCOLUMN, "Add Column", 1);
    fresh();
    check(sheet.DeleteRow(-1, -1), UNDO_DELETEROW, "Delete Row", 1);
    fresh();
    check(sheet.DeleteColumns(-1, -1), UNDO_DELETECOLUMN, "Delete Columns", 1);
    fresh();
    Select(sheet, { "C3", "D3" });
    check(sheet.MergeCells(-1, -1), UNDO_MERGE, "Merge", 0);
    fresh();
    check(sheet.SplitCell(-1, -1, 2, 2, FALSE), UNDO_SPLIT, "Split", 0);
    EXPECT_STREQ("Cell Define", CCellDefineAction().m_strName);
    EXPECT_STREQ("Move", CMoveBorderAction().m_strName);
}

TEST(UndoList, OperationWithoutRecordDropsTheList)
{
    CSheet sheet;
    MakeGrid(sheet, 3, 3);
    ASSERT_TRUE(sheet.AddRow(-1, -1));
    Settle(sheet);
    ASSERT_EQ(1, CountUndo(sheet));
    ASSERT_TRUE(sheet.AddColumn(-1, -1, FALSE));
    EXPECT_EQ(0, CountUndo(sheet));
    EXPECT_EQ(nullptr, sheet.m_posUndo);
}

// ---------------------------------------------------------------------------
// Records of the table operations

TEST(UndoTable, MergeUndoSelectsTheMergedCells)
{
    CSheet sheet;
    MakeGrid(sheet, 3, 3);
    Select(sheet, { "B2", "C2", "B3", "C3" });
    sheet.m_nCurCell = Find(sheet, "C3");
    SheetSnap before = Snapshot(sheet);
    ASSERT_TRUE(sheet.MergeCells(-1, -1));
    Settle(sheet);
    SheetSnap after = Snapshot(sheet);
    ASSERT_NE(nullptr, sheet.Undo());
    Settle(sheet);
    SheetSnap undone = Snapshot(sheet);
    EXPECT_EQ((std::vector<std::string>{ "B2", "C2", "B3", "C3" }), undone.selection);
    EXPECT_EQ("C3", undone.current);
    ExpectSameSheet(before, undone);
    ASSERT_NE(nullptr, sheet.Redo());
    Settle(sheet);
    ExpectSameSheet(after, Snapshot(sheet));
}

TEST(UndoTable, AddRowUndoRestoresTheExactEdgeLine)
{
    CSheet sheet;
    MakeGrid(sheet, 2, 2);
    // A thick line under A1 and none under B1.
    Select(sheet, { "A1" });
    sheet.m_cells[0].m_nBottomEdge = CELL_LINE_THICK;
    SheetSnap before = Snapshot(sheet);
    ASSERT_TRUE(sheet.AddRow(-1, -1));
    Settle(sheet);
    EXPECT_EQ(CELL_LINE_NONE, Cell(sheet, "A1").m_nBottomEdge);
    SheetSnap after = Snapshot(sheet);
    ExpectUndoRedo(sheet, before, after);
    sheet.Undo();
    Settle(sheet);
    EXPECT_EQ(CELL_LINE_THICK, Cell(sheet, "A1").m_nBottomEdge);
    EXPECT_EQ(CELL_LINE_NONE, Cell(sheet, "B1").m_nBottomEdge);

    // Without a line under the reference cell, nothing is taken or given.
    MakeGrid(sheet, 2, 2);
    sheet.DeleteAllUndoActions();
    Select(sheet, { "B1" });
    sheet.m_cells[0].m_nBottomEdge = CELL_LINE_DOT;
    before = Snapshot(sheet);
    ASSERT_TRUE(sheet.AddRow(-1, -1));
    Settle(sheet);
    EXPECT_EQ(CELL_LINE_DOT, Cell(sheet, "A1").m_nBottomEdge);
    after = Snapshot(sheet);
    ExpectUndoRedo(sheet, before, after);
}

TEST(UndoTable, DeleteUndoRestoresCutCellsAndNeighbours)
{
    CSheet sheet;
    MakeGrid(sheet, 3, 4);
    // A1 spans columns A..C, B2 spans B..C; the band is column B.
    sheet.m_cells[0].m_rect.right = 240;
    sheet.m_cells[5].m_rect.right = 240;
    std::vector<char> remove(12, 0);
    remove[1] = remove[2] = remove[6] = 1;
    RemoveFlaggedCells(sheet.m_cells, remove);
    sheet.m_cells[0].m_nRightEdge = CELL_LINE_DASHDOT;
    Select(sheet, { "B3" });
    SheetSnap before = Snapshot(sheet);
    ASSERT_TRUE(sheet.DeleteColumns(-1, -1));
    Settle(sheet);
    ExpectTiling(sheet);
    EXPECT_EQ(160, Cell(sheet, "A1").m_rect.right);     // spanned the band
    EXPECT_EQ(80, Cell(sheet, "B2").m_rect.left);       // started on the band
    EXPECT_EQ(160, Cell(sheet, "B2").m_rect.right);
    SheetSnap after = Snapshot(sheet);
    ExpectUndoRedo(sheet, before, after);
}

TEST(UndoTable, SplitUndoFromAPointLeavesNoSelection)
{
    CSheet sheet;
    MakeGrid(sheet, 2, 2);
    sheet.m_arrSel.RemoveAll();
    sheet.m_nCurCell = 3;
    SheetSnap before = Snapshot(sheet);
    ASSERT_TRUE(sheet.SplitCell(100, 40, 3, 3, FALSE));
    Settle(sheet);
    SheetSnap after = Snapshot(sheet);
    EXPECT_EQ(12u, after.cells.size());
    ExpectUndoRedo(sheet, before, after);
}

// ---------------------------------------------------------------------------
// Cell Define and Move

TEST(UndoCellDefine, ExchangeRestoresBothStates)
{
    CSheet sheet;
    MakeGrid(sheet, 2, 2);
    SheetSnap before = Snapshot(sheet);
    CCellDefineAction* pAction = new CCellDefineAction;
    pAction->m_arrIndices.Add(1);
    pAction->RecordBefore(&sheet);
    sheet.m_cells[1].m_strValue = "changed";
    sheet.m_cells[1].m_nTabIndex = 99;
    sheet.m_cells[1].m_crBack = RGB(9, 9, 9);
    pAction->RecordAfter();
    sheet.AddUndoAction(pAction);
    SheetSnap after = Snapshot(sheet);

    ASSERT_NE(nullptr, sheet.Undo());
    // The other cells' tab indices stay: the change never moved them.
    ExpectSameSheet(before, Snapshot(sheet));
    ASSERT_NE(nullptr, sheet.Redo());
    ExpectSameSheet(after, Snapshot(sheet));
    // Twice through Undo and Redo gives the same states again.
    sheet.Undo();
    ExpectSameSheet(before, Snapshot(sheet));
    sheet.Redo();
    ExpectSameSheet(after, Snapshot(sheet));
}

TEST(UndoCellDefine, FindsItsCellAfterTheArrayMoved)
{
    CSheet sheet;
    MakeGrid(sheet, 2, 2);
    CCellDefineAction* pAction = new CCellDefineAction;
    pAction->m_arrIndices.Add(0);
    pAction->m_arrIndices.Add(77);       // not a cell: dropped
    pAction->RecordBefore(&sheet);
    EXPECT_EQ(1, pAction->m_arrIndices.GetSize());
    sheet.m_cells[0].m_strValue = "new";
    pAction->RecordAfter();
    sheet.AddUndoAction(pAction);
    sheet.SwapCells(0, 3);
    ASSERT_NE(nullptr, sheet.Undo());
    EXPECT_STREQ("A1", Cell(sheet, "A1").m_strValue);
    EXPECT_STREQ("B2", Cell(sheet, "B2").m_strValue);
}

TEST(UndoCellDefine, BeforeCopyAloneKeepsTheRedoTail)
{
    CSheet sheet;
    MakeGrid(sheet, 2, 2);
    ASSERT_TRUE(sheet.AddRow(-1, -1));
    Settle(sheet);
    sheet.Undo();
    Settle(sheet);
    // A change that finds nothing to do records its before copies and is
    // then dropped: the undone record can still be redone.
    CCellDefineAction* pAction = new CCellDefineAction;
    pAction->m_arrIndices.Add(0);
    pAction->RecordBefore(&sheet);
    delete pAction;
    EXPECT_TRUE(sheet.CanRedo());
}

TEST(UndoMove, OneLineDragRoundTrip)
{
    CSheet sheet;
    MakeGrid(sheet, 2, 3);
    Select(sheet, { "A1", "A2" });
    SheetSnap before = Snapshot(sheet);
    // The vertical line at x = 80 dragged to x = 100.
    sheet.m_nBorderClass = HIT_VERTICAL_BORDER;
    sheet.m_nMoveKind = 1;
    sheet.m_arrBorderB.RemoveAll();
    sheet.m_arrBorderA.RemoveAll();
    sheet.m_arrBorderB.Add((UINT)Find(sheet, "A1"));
    sheet.m_arrBorderB.Add((UINT)Find(sheet, "A2"));
    sheet.m_arrBorderA.Add((UINT)Find(sheet, "B1"));
    sheet.m_arrBorderA.Add((UINT)Find(sheet, "B2"));
    sheet.m_ptLastPointer.x = 100;
    CMoveBorderAction* pAction = new CMoveBorderAction;
    pAction->Record(&sheet);
    EXPECT_EQ(1, pAction->m_bOneLine);
    EXPECT_EQ(80, pAction->m_nOldPos);
    EXPECT_EQ(100, pAction->m_nNewPos);
    for (INT_PTR i = 0; i < sheet.m_arrBorderB.GetSize(); ++i)
        sheet.m_cells[sheet.m_arrBorderB[i]].m_rect.right = 100;
    for (INT_PTR i = 0; i < sheet.m_arrBorderA.GetSize(); ++i)
        sheet.m_cells[sheet.m_arrBorderA[i]].m_rect.left = 100;
    pAction->RecordAfter();
    EXPECT_EQ(4, pAction->m_cellsMoved.GetSize());
    sheet.AddUndoAction(pAction);
    SheetSnap after = Snapshot(sheet);
    // Sorting or other records may move the cells in the array meanwhile.
    sheet.SwapCells(0, 5);
    ASSERT_NE(nullptr, sheet.Undo());
    SheetSnap undone = Snapshot(sheet);
    EXPECT_EQ(80, Cell(sheet, "A1").m_rect.right);
    EXPECT_EQ(80, Cell(sheet, "B2").m_rect.left);
    Settle(sheet);
    ExpectSameSheet(before, Snapshot(sheet));
    ASSERT_NE(nullptr, sheet.Redo());
    EXPECT_EQ(100, Cell(sheet, "A2").m_rect.right);
    EXPECT_EQ(100, Cell(sheet, "B1").m_rect.left);
    EXPECT_EQ(after.selection, Snapshot(sheet).selection);
}

TEST(UndoMove, GridResizeExchangesTheEdgePairs)
{
    CSheet sheet;
    MakeGrid(sheet, 2, 2);
    sheet.m_nBorderClass = HIT_HORIZONTAL_BORDER;
    sheet.m_nMoveKind = 2;
    sheet.m_arrBorderB.RemoveAll();
    sheet.m_arrBorderB.Add(0);
    sheet.m_ptLastPointer.y = 50;
    SheetSnap before = Snapshot(sheet);
    CMoveBorderAction* pAction = new CMoveBorderAction;
    pAction->Record(&sheet);
    EXPECT_EQ(0, pAction->m_bOneLine);
    EXPECT_EQ(8, pAction->m_arrEdges.GetSize());
    // The line at y = 30 moves to 50: the second row shifts down by 20.
    for (INT_PTR i = 0; i < sheet.m_cells.GetSize(); ++i)
    {
        RECT& rc = sheet.m_cells[i].m_rect;
        if (rc.top >= 30) rc.top += 20;
        if (rc.bottom >= 30) rc.bottom += 20;
    }
    // The view left the after-copies to the record's own fallback.
    sheet.AddUndoAction(pAction);
    SheetSnap after = Snapshot(sheet);
    sheet.Undo();
    ExpectSameSheet(before, Snapshot(sheet), false);
    sheet.Redo();
    ExpectSameSheet(after, Snapshot(sheet), false);
}

// ---------------------------------------------------------------------------
// Random sequences of table operations

namespace
{

struct Walker
{
    CSheet& sheet;
    std::mt19937 rng;

    Walker(CSheet& s, unsigned seed) : sheet(s), rng(seed) {}

    int Rand(int n) { return (int)(rng() % (unsigned)n); }

    int RandomCell() { return Rand((int)sheet.m_cells.GetSize()); }

    void RandomSelection(int& x, int& y)
    {
        x = y = -1;
        sheet.m_arrSel.RemoveAll();
        int nCount = (int)sheet.m_cells.GetSize();
        if (nCount == 0)
            return;
        switch (Rand(6))
        {
        case 0:
            if (Rand(2))
            {
                const RECT& rc = sheet.m_cells[RandomCell()].m_rect;
                x = rc.left + Rand(rc.right - rc.left);
                y = rc.top + Rand(rc.bottom - rc.top);
            }
            break;
        case 1:
            sheet.m_arrSel.Add((UINT)RandomCell());
            break;
        case 2:
        case 3:
        {
            // Every cell inside the union of two random cells.
            RECT rc;
            UnionRect(&rc, &sheet.m_cells[RandomCell()].m_rect, &sheet.m_cells[RandomCell()].m_rect);
            for (int i = 0; i < nCount; ++i)
            {
                RECT rcIn;
                const RECT& r = sheet.m_cells[i].m_rect;
                IntersectRect(&rcIn, &r, &rc);
                if (EqualRect(&rcIn, &r))
                    sheet.m_arrSel.Add((UINT)i);
            }
            if (Rand(2) && sheet.m_arrSel.GetSize() > 1)
            {
                UINT n = sheet.m_arrSel[0];
                sheet.m_arrSel.RemoveAt(0);
                sheet.m_arrSel.Add(n);
            }
            break;
        }
        case 4:
        {
            LONG top = sheet.m_cells[RandomCell()].m_rect.top;
            for (int i = 0; i < nCount; ++i)
                if (sheet.m_cells[i].m_rect.top == top)
                    sheet.m_arrSel.Add((UINT)i);
            break;
        }
        default:
        {
            LONG left = sheet.m_cells[RandomCell()].m_rect.left;
            for (int i = 0; i < nCount; ++i)
                if (sheet.m_cells[i].m_rect.left == left)
                    sheet.m_arrSel.Add((UINT)i);
            break;
        }
        }
        sheet.m_nCurCell = Rand(4) == 0 ? -1 : RandomCell();
    }

    // A property change of the selected cells, recorded as the view does.
    BOOL CellDefine()
    {
        if (sheet.m_arrSel.GetSize() == 0)
            return FALSE;
        CCellDefineAction* pAction = new CCellDefineAction;
        pAction->m_arrIndices.Copy(sheet.m_arrSel);
        pAction->RecordBefore(&sheet);
        int nStamp = Rand(1000);
        for (INT_PTR i = 0; i < sheet.m_arrSel.GetSize(); ++i)
        {
            CCell& cell = sheet.m_cells[sheet.m_arrSel[i]];
            cell.m_strValue.Format("define %d", nStamp);
            cell.m_nTabIndex += 1000;
            cell.m_nLeftEdge = (BYTE)Rand(5);
        }
        pAction->RecordAfter();
        sheet.AddUndoAction(pAction);
        return TRUE;
    }

    BOOL RandomOperation(int x, int y)
    {
        switch (Rand(7))
        {
        case 6: return CellDefine();
        case 0: return sheet.AddRow(x, y);
        case 1: return sheet.AddColumn(x, y);
        case 2: return sheet.DeleteRow(x, y);
        case 3: return sheet.DeleteColumns(x, y);
        case 4: return sheet.MergeCells(x, y);
        default: return sheet.SplitCell(x, y, 1 + Rand(3), 1 + Rand(3), Rand(2));
        }
    }
};

void RunRandomWalk(unsigned seed, int nSteps)
{
    SCOPED_TRACE(testing::Message() << "seed " << seed);
    SIZE_T nBlocksBefore = PictureBlockLiveCount();
    {
        CSheet sheet;
        MakeGrid(sheet, 20, 10);
        MixCellTypes(sheet);
        Walker walk(sheet, seed);
        SheetSnap original = Snapshot(sheet);
        // Record r takes the sheet from befores[r] to afters[r]; the two
        // differ from the neighbouring records' states only in the
        // selection each operation was given.  A property change leaves
        // the selection alone, so its states compare by the cells.
        std::vector<SheetSnap> befores, afters;
        std::vector<bool> withSelection;
        int nDone = 0;                   // records applied (the undo position)
        int nRecorded = 0;
        for (int step = 0; step < nSteps; ++step)
        {
            SCOPED_TRACE(testing::Message() << "step " << step);
            int x, y;
            walk.RandomSelection(x, y);
            SheetSnap before = Snapshot(sheet);
            int nUndo = CountUndo(sheet);
            POSITION pos = sheet.m_posUndo;
            BOOL bOk = walk.RandomOperation(x, y);
            if (!bOk || (CountUndo(sheet) == nUndo && sheet.m_posUndo == pos))
            {
                // Refused, or a merge with nothing to do: no change, no record.
                ExpectSameSheet(before, Snapshot(sheet));
                ASSERT_EQ(nUndo, CountUndo(sheet));
                ASSERT_EQ(pos, sheet.m_posUndo);
                continue;
            }
            Settle(sheet);
            ExpectTiling(sheet);
            if (testing::Test::HasFatalFailure())
                return;
            SheetSnap after = Snapshot(sheet);
            // The record replaced the redo tail.
            ASSERT_EQ(nDone + 1, CountUndo(sheet));
            befores.resize((size_t)nDone);
            afters.resize((size_t)nDone);
            withSelection.resize((size_t)nDone);
            befores.push_back(before);
            afters.push_back(after);
            withSelection.push_back(sheet.GetUndoAction()->m_nKind != UNDO_CELLDEFINE);
            ExpectUndoRedo(sheet, before, after, withSelection.back());
            if (testing::Test::HasFatalFailure())
                return;
            ++nDone;
            ++nRecorded;

            // Now and then walk back a few steps, and either come forward
            // again or leave them undone for the next record to discard.
            if (walk.Rand(4) == 0)
            {
                int nBack = 1 + walk.Rand(3);
                for (int k = 0; k < nBack && nDone > 0; ++k)
                {
                    ASSERT_NE(nullptr, sheet.Undo());
                    Settle(sheet);
                    --nDone;
                    SCOPED_TRACE(testing::Message() << "walked back to " << nDone);
                    ExpectSameSheet(befores[(size_t)nDone], Snapshot(sheet), withSelection[(size_t)nDone]);
                    ExpectTiling(sheet);
                }
                if (walk.Rand(2))
                {
                    while (sheet.Redo() != NULL)
                    {
                        Settle(sheet);
                        ExpectSameSheet(afters[(size_t)nDone], Snapshot(sheet), withSelection[(size_t)nDone]);
                        ++nDone;
                    }
                    ASSERT_EQ(afters.size(), (size_t)nDone);
                }
            }
            if (testing::Test::HasFatalFailure())
                return;
        }
        // Everything back to the start, then forward to the end.
        while (sheet.Undo() != NULL)
        {
            Settle(sheet);
            --nDone;
            ASSERT_GE(nDone, 0);
            ExpectSameSheet(befores[(size_t)nDone], Snapshot(sheet), withSelection[(size_t)nDone]);
        }
        ASSERT_EQ(0, nDone);
        {
            SCOPED_TRACE("all undone");
            ExpectSameSheet(original, Snapshot(sheet), false);
        }
        while (sheet.Redo() != NULL)
        {
            Settle(sheet);
            ExpectSameSheet(afters[(size_t)nDone], Snapshot(sheet), withSelection[(size_t)nDone]);
            ++nDone;
        }
        ASSERT_EQ(afters.size(), (size_t)nDone);
        // The walk must exercise the operations, not mostly their refusals.
        EXPECT_GE(nRecorded, nSteps / 3);
    }
    // The sheet and its records released every picture reference.
    EXPECT_EQ(nBlocksBefore, PictureBlockLiveCount());
}

} // namespace

TEST(UndoRandom, TwentySeedsOfThirtySteps)
{
    for (unsigned seed = 1; seed <= 20; ++seed)
    {
        RunRandomWalk(seed, 30);
        if (HasFatalFailure())
            return;
    }
}
