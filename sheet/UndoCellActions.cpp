// Undo records of property changes (Cell Define) and border drags (Move).
// The standard headers go first: windows.h defines min and max as macros.
#include <vector>

#include "sheet/UndoAction.h"
#include "sheet/Sheet.h"

// ---------------------------------------------------------------------------
// Cell Define

CCellDefineAction::CCellDefineAction()
{
    SetKind(UNDO_CELLDEFINE);
}

void CCellDefineAction::RecordBefore(CSheet* pSheet)
{
    m_pSheet = pSheet;
    SetKind(UNDO_CELLDEFINE);
    CUIntArray arrValid;
    m_cellsBefore.RemoveAll();
    m_rectsLive.clear();
    for (INT_PTR i = 0; i < m_arrIndices.GetSize(); ++i)
    {
        UINT n = m_arrIndices[i];
        if (n >= (UINT)pSheet->m_cells.GetSize())
            continue;
        arrValid.Add(n);
        m_cellsBefore.Add(pSheet->m_cells[n]);
        m_rectsLive.push_back(pSheet->m_cells[n].m_rect);
    }
    m_arrIndices.Copy(arrValid);
}

void CCellDefineAction::RecordAfter()
{
    m_cellsAfter.RemoveAll();
    if (m_pSheet == NULL)
        return;
    for (INT_PTR i = 0; i < m_arrIndices.GetSize(); ++i)
    {
        UINT n = m_arrIndices[i];
        if (n < (UINT)m_pSheet->m_cells.GetSize())
            m_cellsAfter.Add(m_pSheet->m_cells[n]);
        else
            m_cellsAfter.Add(m_cellsBefore[i]);
        if (i < (INT_PTR)m_rectsLive.size())
            m_rectsLive[(size_t)i] = m_cellsAfter[i].m_rect;
    }
}

// The live cell and the recorded copy trade places.  The live cell is found
// at its recorded index when its rectangle still matches, else by its
// rectangle, since later operations and sorting may have moved it in the
// array.  Other cells' tab indices are never touched: the change never
// touched them either.
void CCellDefineAction::Exchange()
{
    if (m_pSheet == NULL)
        return;
    CCellArray& cells = m_pSheet->m_cells;
    INT_PTR nCount = m_cellsBefore.GetSize();
    if ((INT_PTR)m_rectsLive.size() != nCount || m_arrIndices.GetSize() != nCount)
        return;
    std::vector<int> targets((size_t)nCount, -1);
    CCellLocator* pLocator = NULL;
    for (INT_PTR i = 0; i < nCount; ++i)
    {
        const RECT& rcLive = m_rectsLive[(size_t)i];
        UINT n = m_arrIndices[i];
        if (n < (UINT)cells.GetSize() && EqualRect(&cells[n].m_rect, &rcLive))
        {
            targets[(size_t)i] = (int)n;
            continue;
        }
        if (pLocator == NULL)
            pLocator = new CCellLocator(cells);
        targets[(size_t)i] = pLocator->FindRect(rcLive);
    }
    delete pLocator;

    for (INT_PTR i = 0; i < nCount; ++i)
    {
        int n = targets[(size_t)i];
        if (n < 0)
            continue;
        CCell scratch(cells[n]);
        cells[n] = m_cellsBefore[i];
        m_cellsBefore[i] = scratch;
        m_rectsLive[(size_t)i] = cells[n].m_rect;
        m_arrIndices[i] = (UINT)n;
    }
}

void CCellDefineAction::Undo()
{
    Exchange();
}

void CCellDefineAction::Redo()
{
    Exchange();
}

// ---------------------------------------------------------------------------
// Move

CMoveBorderAction::CMoveBorderAction()
    : m_bOneLine(1), m_nDirection(0), m_nOldPos(0), m_nNewPos(0), m_nCurSel(-1),
      m_bExact(FALSE)
{
    SetKind(UNDO_MOVE);
}

void CMoveBorderAction::Record(CSheet* pSheet)
{
    m_pSheet = pSheet;
    SetKind(UNDO_MOVE);
    m_nDirection = pSheet->m_nBorderClass == HIT_HORIZONTAL_BORDER ? 1 : 0;
    m_bOneLine = pSheet->m_nMoveKind == 2 ? 0 : 1;

    m_cellsSelBefore.RemoveAll();
    m_nCurSel = -1;
    for (INT_PTR i = 0; i < pSheet->m_arrSel.GetSize(); ++i)
    {
        UINT n = pSheet->m_arrSel[i];
        if (n >= (UINT)pSheet->m_cells.GetSize())
            continue;
        if ((LONG)n == pSheet->m_nCurCell && m_nCurSel < 0)
            m_nCurSel = (int)m_cellsSelBefore.GetSize();
        m_cellsSelBefore.Add(pSheet->m_cells[n]);
    }

    // The old line is where the first cell ending on it ends: that is the
    // edge the drag moves; without one, the current cell's.
    const CCell* pLine = NULL;
    if (pSheet->m_arrBorderB.GetSize() > 0 &&
        pSheet->m_arrBorderB[0] < (UINT)pSheet->m_cells.GetSize())
        pLine = &pSheet->m_cells[pSheet->m_arrBorderB[0]];
    else
        pLine = pSheet->GetCurCell();
    if (pLine != NULL)
        m_nOldPos = m_nDirection == 0 ? pLine->m_rect.right : pLine->m_rect.bottom;
    m_nNewPos = m_nDirection == 0 ? pSheet->m_ptLastPointer.x : pSheet->m_ptLastPointer.y;

    m_arrEdges.RemoveAll();
    m_rectsAtRecord.clear();
    m_rectsBefore.clear();
    m_rectsAfter.clear();
    m_bExact = FALSE;
    INT_PTR nCount = pSheet->m_cells.GetSize();
    m_rectsAtRecord.reserve((size_t)nCount);
    if (!m_bOneLine)
        m_arrEdges.SetSize(nCount * 2);
    for (INT_PTR i = 0; i < nCount; ++i)
    {
        const RECT& rc = pSheet->m_cells[i].m_rect;
        m_rectsAtRecord.push_back(rc);
        if (!m_bOneLine)
        {
            m_arrEdges[i * 2] = m_nDirection == 0 ? rc.left : rc.top;
            m_arrEdges[i * 2 + 1] = m_nDirection == 0 ? rc.right : rc.bottom;
        }
    }
}

// The drag moves edges only, so the array order is the one Record saw.
void CMoveBorderAction::RecordAfter()
{
    if (m_pSheet == NULL)
        return;
    CSheet* pSheet = m_pSheet;
    m_cellsSelAfter.RemoveAll();
    for (INT_PTR i = 0; i < pSheet->m_arrSel.GetSize(); ++i)
    {
        UINT n = pSheet->m_arrSel[i];
        if (n < (UINT)pSheet->m_cells.GetSize())
            m_cellsSelAfter.Add(pSheet->m_cells[n]);
    }
    m_cellsMoved.RemoveAll();
    m_rectsBefore.clear();
    m_rectsAfter.clear();
    INT_PTR nCount = pSheet->m_cells.GetSize();
    if ((size_t)nCount != m_rectsAtRecord.size())
        return;
    for (INT_PTR i = 0; i < nCount; ++i)
    {
        const RECT& rcNow = pSheet->m_cells[i].m_rect;
        if (EqualRect(&rcNow, &m_rectsAtRecord[(size_t)i]))
            continue;
        m_rectsBefore.push_back(m_rectsAtRecord[(size_t)i]);
        m_rectsAfter.push_back(rcNow);
        m_cellsMoved.Add(pSheet->m_cells[i]);
    }
    m_rectsAtRecord.clear();
    m_rectsAtRecord.shrink_to_fit();
    m_bExact = TRUE;
}

void CMoveBorderAction::RebuildSelection(const CCellArray& cells)
{
    SelectByCorner(m_pSheet, cells);
    m_pSheet->m_nCurCell = -1;
    if (m_nCurSel >= 0 && m_nCurSel < (int)m_pSheet->m_arrSel.GetSize())
        m_pSheet->m_nCurCell = (LONG)m_pSheet->m_arrSel[m_nCurSel];
}

void CMoveBorderAction::Apply(BOOL bRedo)
{
    CCellArray& cells = m_pSheet->m_cells;
    if (m_bExact)
    {
        // Every moved cell is found first and changed after, so a cell that
        // takes another's old rectangle is not matched twice.
        const std::vector<RECT>& from = bRedo ? m_rectsBefore : m_rectsAfter;
        const std::vector<RECT>& to = bRedo ? m_rectsAfter : m_rectsBefore;
        CCellLocator locator(cells);
        std::vector<int> targets(from.size());
        for (size_t k = 0; k < from.size(); ++k)
            targets[k] = locator.FindRect(from[k]);
        for (size_t k = 0; k < from.size(); ++k)
            if (targets[k] >= 0)
                cells[targets[k]].m_rect = to[k];
    }
    else if (!m_bOneLine)
    {
        for (INT_PTR i = 0; i < cells.GetSize() && i * 2 + 1 < m_arrEdges.GetSize(); ++i)
        {
            RECT& rc = cells[i].m_rect;
            LONG& lo = m_nDirection == 0 ? rc.left : rc.top;
            LONG& hi = m_nDirection == 0 ? rc.right : rc.bottom;
            LONG nLo = lo, nHi = hi;
            lo = m_arrEdges[i * 2];
            hi = m_arrEdges[i * 2 + 1];
            m_arrEdges[i * 2] = nLo;
            m_arrEdges[i * 2 + 1] = nHi;
        }
    }
    else
    {
        LONG nFrom = bRedo ? m_nOldPos : m_nNewPos;
        LONG nTo = bRedo ? m_nNewPos : m_nOldPos;
        for (INT_PTR k = 0; k < m_cellsMoved.GetSize(); ++k)
        {
            RECT& rcCopy = m_cellsMoved[k].m_rect;
            for (INT_PTR i = 0; i < cells.GetSize(); ++i)
            {
                RECT& rc = cells[i].m_rect;
                if (!((rc.left == rcCopy.left && rc.top == rcCopy.top) ||
                      (rc.right == rcCopy.right && rc.bottom == rcCopy.bottom)))
                    continue;
                LONG* edges[2] = { m_nDirection == 0 ? &rc.left : &rc.top,
                                   m_nDirection == 0 ? &rc.right : &rc.bottom };
                LONG* copyEdges[2] = { m_nDirection == 0 ? &rcCopy.left : &rcCopy.top,
                                       m_nDirection == 0 ? &rcCopy.right : &rcCopy.bottom };
                for (int e = 0; e < 2; ++e)
                {
                    if (*edges[e] == nFrom)
                        *edges[e] = nTo;
                    if (*copyEdges[e] == nFrom)
                        *copyEdges[e] = nTo;
                }
                break;
            }
        }
    }
    RebuildSelection(bRedo ? m_cellsSelAfter : m_cellsSelBefore);
}

void CMoveBorderAction::Undo()
{
    if (m_pSheet != NULL)
        Apply(FALSE);
}

void CMoveBorderAction::Redo()
{
    if (m_pSheet != NULL)
        Apply(TRUE);
}
