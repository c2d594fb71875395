// Undo records of the sheet.  Each record holds whole cell copies, never
// pointers into the live cell array, and takes the sheet back (Undo) or
// forward again (Redo).  A record is applied only to the state it left
// behind: the undo list is linear, so Undo always meets the state right
// after the change and Redo the state right before it.
#pragma once

// windows.h may already have defined min and max as macros.
#pragma push_macro("min")
#pragma push_macro("max")
#undef min
#undef max
#include <vector>
#pragma pop_macro("max")
#pragma pop_macro("min")

#include "framework/core/Array.h"
#include "framework/core/String.h"
#include "sheet/Cell.h"

class CSheet;

// Kinds of undo record.
enum
{
    UNDO_MERGE = 1,
    UNDO_SPLIT = 2,
    UNDO_CELLDEFINE = 5,
    UNDO_MOVE = 6,
    UNDO_ADDROW = 7,
    UNDO_DELETEROW = 8,
    UNDO_ADDCOLUMN = 9,
    UNDO_DELETECOLUMN = 10
};

// String ids of the record names.
#define IDS_UNDO_DELETECOLUMN 401
#define IDS_UNDO_MOVE 402
#define IDS_UNDO_MERGE 403
#define IDS_UNDO_SPLIT 404
#define IDS_UNDO_CELLDEFINE 405
#define IDS_UNDO_ADDROW 420
#define IDS_UNDO_DELETEROW 421
#define IDS_UNDO_ADDCOLUMN 428

// Finds cells of an array by their rectangle or their top-left corner.
// Built once over the array, then each look-up is a binary search.
class CCellLocator
{
public:
    explicit CCellLocator(const CCellArray& cells);

    // First cell (lowest index) with this left and top, or -1.
    int FindCorner(LONG left, LONG top) const;
    // First cell with exactly this rectangle, or -1.
    int FindRect(const RECT& rc) const;

private:
    struct Entry
    {
        LONG left, top, right, bottom;
        int index;
    };
    std::vector<Entry> m_entries;
    const Entry* LowerBound(LONG left, LONG top) const;
};

// Where the current cell stood: its corner, or none.
struct CUndoCursor
{
    BOOL bHas;
    POINT pt;

    CUndoCursor() : bHas(FALSE) { pt.x = pt.y = 0; }
    void Save(CSheet* pSheet);
    // Makes the cell at the saved corner current (none when not found).
    void Restore(CSheet* pSheet) const;
};

class CUndoAction
{
public:
    // Slot order: Redo, Undo, destructor.
    virtual void Redo();
    virtual void Undo();
    virtual ~CUndoAction();

    CSheet* m_pSheet;
    CString m_strName;
    int m_nKind;
    int m_bRecomputeExtent;     // the caller recomputes the bounding rectangle

    // Sets the kind and loads the matching name.
    void SetKind(int nKind);

protected:
    CUndoAction();

private:
    CUndoAction(const CUndoAction&) = delete;
    CUndoAction& operator=(const CUndoAction&) = delete;
};

// The name text of a record kind: the string table's, or the built-in one.
CString UndoActionName(int nKind);

// Cell Define: a change of cell properties, undone and redone by exchanging
// the live cells with the recorded copies.
class CCellDefineAction : public CUndoAction
{
public:
    CCellDefineAction();
    void Redo() override;
    void Undo() override;

    // Copies the cells at m_arrIndices (filled by the caller) as they are
    // before the change.  Indices outside the array are dropped.  The redo
    // tail is discarded only when the record is appended (AddUndoAction),
    // so a change that ends up doing nothing can drop its record and keep it.
    void RecordBefore(CSheet* pSheet);
    // Copies the same cells once the change is applied.
    void RecordAfter();

    CUIntArray m_arrIndices;
    CCellArray m_cellsBefore;
    CCellArray m_cellsAfter;

private:
    void Exchange();
    std::vector<RECT> m_rectsLive;      // where each recorded cell is now
};

// Move: a dragged cell border (one line) or a resized table grid.
class CMoveBorderAction : public CUndoAction
{
public:
    CMoveBorderAction();
    void Redo() override;
    void Undo() override;

    // Before the drag is applied: direction (m_nBorderClass), form
    // (m_nMoveKind), the old line (first cell of m_arrBorderB), the new one
    // (m_ptLastPointer) and copies of the selection.
    void Record(CSheet* pSheet);
    // Once the drag is applied, before the cells are reordered: the
    // selection after it and the cells whose edges moved.  With it, Undo and
    // Redo restore every moved rectangle exactly; without it they fall back
    // to moving the edges that lie on the old or new line.
    void RecordAfter();

    BYTE m_bOneLine;            // 1 one border line, 0 the whole grid
    int m_nDirection;           // 0 vertical line (left/right), 1 horizontal
    LONG m_nOldPos;
    LONG m_nNewPos;
    CArray<LONG, LONG> m_arrEdges;      // grid form: two edges per cell
    CCellArray m_cellsSelBefore;
    CCellArray m_cellsSelAfter;
    CCellArray m_cellsMoved;
    int m_nCurSel;              // selection entry of the current cell, -1 none

private:
    void Apply(BOOL bRedo);
    void RebuildSelection(const CCellArray& cells);

    // Every cell's rectangle when Record ran, and the pairs that changed
    // (before, after) once RecordAfter ran.
    std::vector<RECT> m_rectsAtRecord;
    std::vector<RECT> m_rectsBefore;
    std::vector<RECT> m_rectsAfter;
    BOOL m_bExact;
};

// Merge: the selected cells made into one.
class CMergeAction : public CUndoAction
{
public:
    CMergeAction();
    void Redo() override;
    void Undo() override;

    CCellArray m_cellsMerged;   // the cells that were merged, selection order
    CCell m_cellMerged;         // the cell they became
    CUndoCursor m_cursor;       // current cell before the merge
};

// Split: cells replaced by grids of sub-cells.
class CSplitAction : public CUndoAction
{
public:
    CSplitAction();
    void Redo() override;
    void Undo() override;

    CCellArray m_cellsBefore;
    CCellArray m_cellsAfter;
    CUndoCursor m_cursor;       // current cell before the split
    CUndoCursor m_cursorAfter;  // and after it
    BOOL m_bNoSelection;        // the split cell was taken from a point

private:
    void Replace(const CCellArray& cellsIn);
};

// Add Row and Add Column.
class CInsertRowColAction : public CUndoAction
{
public:
    CInsertRowColAction();
    void Redo() override;
    void Undo() override;

    BOOL IsColumn() const { return m_nKind == UNDO_ADDCOLUMN; }

    CCellArray m_cellsInserted;
    CCellArray m_cellsSelBefore;
    CUndoCursor m_cursor;
    BOOL m_bHadEdge;            // the cells on the line lost their edge line
    LONG m_nLine;               // x (column) or y (row) of the insertion line
    LONG m_nExtent;             // width or height of the new column or row
};

// Delete Row and Delete Columns.
class CDeleteRowColAction : public CUndoAction
{
public:
    CDeleteRowColAction();
    void Redo() override;
    void Undo() override;

    BOOL IsColumn() const { return m_nKind == UNDO_DELETECOLUMN; }

    CCellArray m_cellsDeleted;
    CCellArray m_cellsSelBefore;
    CCellArray m_cellsCut;      // cells the deletion changed, as they were
    CUndoCursor m_cursor;
    BOOL m_bHadEdge;            // the neighbour gets a thin edge line
    LONG m_nFrom;               // the deleted band, left/top ...
    LONG m_nTo;                 // ... to right/bottom
};

// Shared by the table operations and their records (SheetTable.cpp).

// Inserts a column (or row) at the line nLine, nExtent wide, appending
// cellsNew; the selection and the current cell follow the insertion.
void ApplyInsertion(CSheet* pSheet, BOOL bColumn, LONG nLine, LONG nExtent,
                    BOOL bClearEdges, const CCellArray& cellsNew);
// Takes an insertion back: removes the inserted cells and closes the gap.
void RevertInsertion(CSheet* pSheet, BOOL bColumn, LONG nLine, LONG nExtent,
                     BOOL bClearEdges, const CCellArray& cellsInserted);
// FALSE when the band [nFrom, nTo) is not a whole column (or row) of cells.
BOOL CanDeleteBand(const CCellArray& cells, BOOL bColumn, LONG nFrom, LONG nTo);
// Removes the band; fills the deleted cells and the cut cells as they were.
void ApplyDeletion(CSheet* pSheet, BOOL bColumn, LONG nFrom, LONG nTo, BOOL bEdge,
                   CCellArray* pDeleted, CCellArray* pCut);
// Takes a deletion back.
void RevertDeletion(CSheet* pSheet, BOOL bColumn, LONG nFrom, LONG nTo,
                    const CCellArray& cellsDeleted, const CCellArray& cellsCut);

// Removes the flagged cells, keeping the order of the rest; the selection
// and the current cell are left for the caller to set.
void RemoveFlaggedCells(CCellArray& cells, const std::vector<char>& remove);
// Appends a copy owned by the sheet; returns its index.
int AppendSheetCell(CSheet* pSheet, const CCell& cell);
// Selects the cells that match the copies by their top-left corner, in the
// copies' order.
void SelectByCorner(CSheet* pSheet, const CCellArray& copies);
// TRUE when the two rectangles share a non-empty area.
BOOL RectsOverlap(const RECT& a, const RECT& b);
