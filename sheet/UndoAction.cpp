// The standard headers go first: windows.h defines min and max as macros.
#include <algorithm>
#include <vector>

#include "sheet/UndoAction.h"
#include "sheet/Sheet.h"

namespace
{

struct KindName
{
    int nKind;
    UINT nID;
    LPCSTR pszText;
};

const KindName kKindNames[] = {
    { UNDO_MERGE, IDS_UNDO_MERGE, "Merge" },
    { UNDO_SPLIT, IDS_UNDO_SPLIT, "Split" },
    { UNDO_CELLDEFINE, IDS_UNDO_CELLDEFINE, "Cell Define" },
    { UNDO_MOVE, IDS_UNDO_MOVE, "Move" },
    { UNDO_ADDROW, IDS_UNDO_ADDROW, "Add Row" },
    { UNDO_DELETEROW, IDS_UNDO_DELETEROW, "Delete Row" },
    { UNDO_ADDCOLUMN, IDS_UNDO_ADDCOLUMN, "Add Column" },
    { UNDO_DELETECOLUMN, IDS_UNDO_DELETECOLUMN, "Delete Columns" },
};

void SelectAll(CSheet* pSheet, int nFirst, int nLast)
{
    pSheet->m_arrSel.RemoveAll();
    for (int i = nFirst; i < nLast; ++i)
        pSheet->m_arrSel.Add((UINT)i);
}

RECT UnionOf(const CCellArray& cells)
{
    RECT rc;
    SetRectEmpty(&rc);
    for (INT_PTR i = 0; i < cells.GetSize(); ++i)
    {
        const RECT& r = cells[i].m_rect;
        if (i == 0)
        {
            rc = r;
            continue;
        }
        if (r.left < rc.left) rc.left = r.left;
        if (r.top < rc.top) rc.top = r.top;
        if (r.right > rc.right) rc.right = r.right;
        if (r.bottom > rc.bottom) rc.bottom = r.bottom;
    }
    return rc;
}

// Removes every live cell that overlaps rc.
void RemoveOverlapping(CSheet* pSheet, const RECT& rc)
{
    CCellArray& cells = pSheet->m_cells;
    std::vector<char> remove((size_t)cells.GetSize(), 0);
    for (INT_PTR i = 0; i < cells.GetSize(); ++i)
        remove[(size_t)i] = RectsOverlap(cells[i].m_rect, rc) ? 1 : 0;
    RemoveFlaggedCells(cells, remove);
}

} // namespace

// ---------------------------------------------------------------------------
// Shared helpers

BOOL RectsOverlap(const RECT& a, const RECT& b)
{
    LONG l = a.left > b.left ? a.left : b.left;
    LONG r = a.right < b.right ? a.right : b.right;
    LONG t = a.top > b.top ? a.top : b.top;
    LONG bt = a.bottom < b.bottom ? a.bottom : b.bottom;
    return l < r && t < bt;
}

// Keeps the order of the remaining cells; assignment keeps their strings
// and picture references consistent.
void RemoveFlaggedCells(CCellArray& cells, const std::vector<char>& remove)
{
    INT_PTR nCount = cells.GetSize();
    INT_PTR w = 0;
    for (INT_PTR i = 0; i < nCount; ++i)
    {
        if (i < (INT_PTR)remove.size() && remove[(size_t)i])
            continue;
        if (w != i)
            cells[w] = cells[i];
        ++w;
    }
    if (w != nCount)
        cells.SetSize(w);
}

int AppendSheetCell(CSheet* pSheet, const CCell& cell)
{
    // Add only reads its argument.
    int nIndex = (int)pSheet->m_cells.Add(const_cast<CCell&>(cell));
    pSheet->m_cells[nIndex].m_pSheet = pSheet;
    return nIndex;
}

void SelectByCorner(CSheet* pSheet, const CCellArray& copies)
{
    pSheet->m_arrSel.RemoveAll();
    if (copies.GetSize() == 0)
        return;
    CCellLocator locator(pSheet->m_cells);
    for (INT_PTR i = 0; i < copies.GetSize(); ++i)
    {
        const RECT& rc = copies[i].m_rect;
        int n = locator.FindRect(rc);
        if (n < 0)
            n = locator.FindCorner(rc.left, rc.top);
        if (n >= 0)
            pSheet->m_arrSel.Add((UINT)n);
    }
}

CCellLocator::CCellLocator(const CCellArray& cells)
{
    m_entries.resize((size_t)cells.GetSize());
    for (INT_PTR i = 0; i < cells.GetSize(); ++i)
    {
        const RECT& rc = cells[i].m_rect;
        Entry& e = m_entries[(size_t)i];
        e.left = rc.left;
        e.top = rc.top;
        e.right = rc.right;
        e.bottom = rc.bottom;
        e.index = (int)i;
    }
    std::sort(m_entries.begin(), m_entries.end(), [](const Entry& a, const Entry& b) {
        if (a.left != b.left)
            return a.left < b.left;
        if (a.top != b.top)
            return a.top < b.top;
        return a.index < b.index;
    });
}

const CCellLocator::Entry* CCellLocator::LowerBound(LONG left, LONG top) const
{
    auto it = std::lower_bound(m_entries.begin(), m_entries.end(), 0,
        [left, top](const Entry& e, int) {
            return e.left < left || (e.left == left && e.top < top);
        });
    if (it == m_entries.end() || it->left != left || it->top != top)
        return NULL;
    return &*it;
}

int CCellLocator::FindCorner(LONG left, LONG top) const
{
    const Entry* p = LowerBound(left, top);
    return p != NULL ? p->index : -1;
}

int CCellLocator::FindRect(const RECT& rc) const
{
    const Entry* p = LowerBound(rc.left, rc.top);
    if (p == NULL)
        return -1;
    const Entry* pEnd = m_entries.data() + m_entries.size();
    for (; p != pEnd && p->left == rc.left && p->top == rc.top; ++p)
        if (p->right == rc.right && p->bottom == rc.bottom)
            return p->index;
    return -1;
}

void CUndoCursor::Save(CSheet* pSheet)
{
    CCell* pCell = pSheet->GetCurCell();
    bHas = pCell != NULL;
    if (pCell != NULL)
    {
        pt.x = pCell->m_rect.left;
        pt.y = pCell->m_rect.top;
    }
}

void CUndoCursor::Restore(CSheet* pSheet) const
{
    pSheet->m_nCurCell = -1;
    if (!bHas)
        return;
    for (INT_PTR i = 0; i < pSheet->m_cells.GetSize(); ++i)
    {
        const RECT& rc = pSheet->m_cells[i].m_rect;
        if (rc.left == pt.x && rc.top == pt.y)
        {
            pSheet->m_nCurCell = (LONG)i;
            return;
        }
    }
}

CString UndoActionName(int nKind)
{
    for (const KindName& k : kKindNames)
    {
        if (k.nKind != nKind)
            continue;
        CString str;
        if (!str.LoadString(k.nID) || str.IsEmpty())
            str = k.pszText;
        return str;
    }
    return CString();
}

// ---------------------------------------------------------------------------
// CUndoAction

CUndoAction::CUndoAction() : m_pSheet(NULL), m_nKind(0), m_bRecomputeExtent(0)
{
}

CUndoAction::~CUndoAction()
{
}

void CUndoAction::Redo()
{
}

void CUndoAction::Undo()
{
}

void CUndoAction::SetKind(int nKind)
{
    m_nKind = nKind;
    m_strName = UndoActionName(nKind);
}

// ---------------------------------------------------------------------------
// Merge

CMergeAction::CMergeAction()
{
    SetKind(UNDO_MERGE);
}

void CMergeAction::Undo()
{
    if (m_pSheet == NULL)
        return;
    CCellArray& cells = m_pSheet->m_cells;
    const RECT& rcMerged = m_cellMerged.m_rect;
    INT_PTR nFound = -1;
    for (INT_PTR i = 0; i < cells.GetSize() && nFound < 0; ++i)
        if (EqualRect(&cells[i].m_rect, &rcMerged))
            nFound = i;
    for (INT_PTR i = 0; i < cells.GetSize() && nFound < 0; ++i)
        if (cells[i].m_rect.left == rcMerged.left && cells[i].m_rect.top == rcMerged.top)
            nFound = i;
    if (nFound >= 0)
        cells.RemoveAt(nFound);
    int nFirst = (int)cells.GetSize();
    for (INT_PTR i = 0; i < m_cellsMerged.GetSize(); ++i)
        AppendSheetCell(m_pSheet, m_cellsMerged[i]);
    SelectAll(m_pSheet, nFirst, (int)cells.GetSize());
    m_cursor.Restore(m_pSheet);
}

void CMergeAction::Redo()
{
    if (m_pSheet == NULL)
        return;
    RemoveOverlapping(m_pSheet, m_cellMerged.m_rect);
    int n = AppendSheetCell(m_pSheet, m_cellMerged);
    m_pSheet->m_arrSel.RemoveAll();
    m_pSheet->m_arrSel.Add((UINT)n);
    m_pSheet->m_nCurCell = n;
}

// ---------------------------------------------------------------------------
// Split

CSplitAction::CSplitAction() : m_bNoSelection(FALSE)
{
    SetKind(UNDO_SPLIT);
}

// Both ways the area is the union of the cells before the split: the
// sub-cells tile exactly that area and nothing else overlaps it.
void CSplitAction::Replace(const CCellArray& cellsIn)
{
    RemoveOverlapping(m_pSheet, UnionOf(m_cellsBefore));
    int nFirst = (int)m_pSheet->m_cells.GetSize();
    for (INT_PTR i = 0; i < cellsIn.GetSize(); ++i)
        AppendSheetCell(m_pSheet, cellsIn[i]);
    SelectAll(m_pSheet, nFirst, (int)m_pSheet->m_cells.GetSize());
}

void CSplitAction::Undo()
{
    if (m_pSheet == NULL)
        return;
    Replace(m_cellsBefore);
    if (m_bNoSelection)
        m_pSheet->m_arrSel.RemoveAll();
    m_cursor.Restore(m_pSheet);
}

void CSplitAction::Redo()
{
    if (m_pSheet == NULL)
        return;
    Replace(m_cellsAfter);
    m_cursorAfter.Restore(m_pSheet);
}

// ---------------------------------------------------------------------------
// Add Row / Add Column

CInsertRowColAction::CInsertRowColAction() : m_bHadEdge(FALSE), m_nLine(0), m_nExtent(0)
{
    SetKind(UNDO_ADDROW);
    m_bRecomputeExtent = 1;
}

void CInsertRowColAction::Undo()
{
    if (m_pSheet == NULL)
        return;
    RevertInsertion(m_pSheet, IsColumn(), m_nLine, m_nExtent, m_bHadEdge, m_cellsInserted);
    SelectByCorner(m_pSheet, m_cellsSelBefore);
    m_cursor.Restore(m_pSheet);
}

void CInsertRowColAction::Redo()
{
    if (m_pSheet == NULL)
        return;
    ApplyInsertion(m_pSheet, IsColumn(), m_nLine, m_nExtent, m_bHadEdge, m_cellsInserted);
}

// ---------------------------------------------------------------------------
// Delete Row / Delete Columns

CDeleteRowColAction::CDeleteRowColAction() : m_bHadEdge(FALSE), m_nFrom(0), m_nTo(0)
{
    SetKind(UNDO_DELETEROW);
    m_bRecomputeExtent = 1;
}

void CDeleteRowColAction::Undo()
{
    if (m_pSheet == NULL)
        return;
    RevertDeletion(m_pSheet, IsColumn(), m_nFrom, m_nTo, m_cellsDeleted, m_cellsCut);
    SelectByCorner(m_pSheet, m_cellsSelBefore);
    m_cursor.Restore(m_pSheet);
}

void CDeleteRowColAction::Redo()
{
    if (m_pSheet == NULL)
        return;
    ApplyDeletion(m_pSheet, IsColumn(), m_nFrom, m_nTo, m_bHadEdge, NULL, NULL);
}

// ---------------------------------------------------------------------------
// The sheet's undo list

void CSheet::DiscardRedoActions()
{
    while (!m_lstUndo.IsEmpty() && m_lstUndo.GetTailPosition() != m_posUndo)
        delete static_cast<CUndoAction*>(m_lstUndo.RemoveTail());
}

void CSheet::DeleteAllUndoActions()
{
    while (!m_lstUndo.IsEmpty())
        delete static_cast<CUndoAction*>(m_lstUndo.RemoveTail());
    m_posUndo = NULL;
}

void CSheet::AddUndoAction(CUndoAction* pAction)
{
    if (pAction == NULL)
        return;
    DiscardRedoActions();
    pAction->m_pSheet = this;
    m_posUndo = m_lstUndo.AddTail(pAction);
}

CUndoAction* CSheet::GetUndoAction() const
{
    if (m_posUndo == NULL)
        return NULL;
    return static_cast<CUndoAction*>(m_lstUndo.GetAt(m_posUndo));
}

CUndoAction* CSheet::GetRedoAction() const
{
    POSITION pos = m_posUndo;
    if (pos == NULL)
        pos = m_lstUndo.GetHeadPosition();
    else
        m_lstUndo.GetNext(pos);
    if (pos == NULL)
        return NULL;
    return static_cast<CUndoAction*>(m_lstUndo.GetAt(pos));
}

CUndoAction* CSheet::Undo()
{
    if (m_posUndo == NULL)
        return NULL;
    POSITION pos = m_posUndo;
    CUndoAction* pAction = static_cast<CUndoAction*>(m_lstUndo.GetPrev(pos));
    pAction->Undo();
    m_posUndo = pos;
    return pAction;
}

CUndoAction* CSheet::Redo()
{
    POSITION pos = m_posUndo;
    if (pos == NULL)
        pos = m_lstUndo.GetHeadPosition();
    else
        m_lstUndo.GetNext(pos);
    if (pos == NULL)
        return NULL;
    m_posUndo = pos;
    CUndoAction* pAction = static_cast<CUndoAction*>(m_lstUndo.GetAt(pos));
    pAction->Redo();
    return pAction;
}
