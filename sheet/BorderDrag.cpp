#include "sheet/BorderDrag.h"

#include <stdlib.h>

namespace {

// Where a cell starts and ends along the border, and its edges across it.
struct CAxis
{
    BOOL bVertical;     // the border is a vertical line

    LONG Start(const RECT& rc) const { return bVertical ? rc.top : rc.left; }
    LONG End(const RECT& rc) const { return bVertical ? rc.bottom : rc.right; }
    LONG Near(const RECT& rc) const { return bVertical ? rc.left : rc.top; }
    LONG Far(const RECT& rc) const { return bVertical ? rc.right : rc.bottom; }
};

BOOL Contains(const CUIntArray& list, UINT n)
{
    for (INT_PTR i = 0; i < list.GetSize(); ++i)
        if (list[i] == n)
            return TRUE;
    return FALSE;
}

BOOL IsSelected(const CSheet& sheet, UINT n)
{
    return Contains(sheet.m_arrSel, n);
}

// Inserts cell n after the last entry that does not start later.
void InsertAlong(const CSheet& sheet, const CAxis& axis, CUIntArray& list, UINT n)
{
    LONG nStart = axis.Start(sheet.m_cells[n].m_rect);
    INT_PTR nAt = list.GetSize();
    while (nAt > 0 && axis.Start(sheet.m_cells[list[nAt - 1]].m_rect) > nStart)
        --nAt;
    list.InsertAt(nAt, n);
}

struct CSpan
{
    LONG nStart;
    LONG nEnd;
};

// Runs of a sorted list: a run ends where the next cell begins after the
// cells so far have ended.
void CutIntoRuns(const CSheet& sheet, const CAxis& axis, const CUIntArray& list,
                 CArray<CSpan, const CSpan&>& runs)
{
    runs.RemoveAll();
    for (INT_PTR i = 0; i < list.GetSize(); ++i)
    {
        const RECT& rc = sheet.m_cells[list[i]].m_rect;
        if (runs.GetSize() > 0 && axis.Start(rc) <= runs[runs.GetSize() - 1].nEnd)
        {
            CSpan& run = runs[runs.GetSize() - 1];
            if (axis.End(rc) > run.nEnd)
                run.nEnd = axis.End(rc);
            continue;
        }
        CSpan run = { axis.Start(rc), axis.End(rc) };
        runs.Add(run);
    }
}

// Appends to target the cells of full from the one starting at span's
// start through the one ending at its end (both within 2 units); FALSE
// when there is no such sequence.
BOOL AppendMatching(CSheet& sheet, const CAxis& axis, const CUIntArray& full, CSpan span,
                    CUIntArray& target)
{
    INT_PTR nFirst = -1, nLast = -1;
    for (INT_PTR i = 0; i < full.GetSize() && nFirst < 0; ++i)
        if (labs(span.nStart - axis.Start(sheet.m_cells[full[i]].m_rect)) < 2)
            nFirst = i;
    for (INT_PTR i = 0; i < full.GetSize() && nLast < 0; ++i)
        if (labs(span.nEnd - axis.End(sheet.m_cells[full[i]].m_rect)) < 2)
            nLast = i;
    // A border with no cell on the other side has nothing to move along.
    if (full.GetSize() == 0)
        return TRUE;
    if (nFirst < 0 || nLast < 0 || nLast < nFirst)
        return FALSE;
    for (INT_PTR i = nFirst; i <= nLast; ++i)
        if (!Contains(target, full[i]))
            InsertAlong(sheet, axis, target, full[i]);
    return TRUE;
}

// The segment of the selected cells on the border: working lists A' and B'
// grown until both sides of the segment match, or refused.
void CollectSegment(CSheet& sheet, const CAxis& axis)
{
    CUIntArray& selA = sheet.m_arrBorderSelA;
    CUIntArray& selB = sheet.m_arrBorderSelB;
    CArray<CSpan, const CSpan&> runsA, runsB;
    CutIntoRuns(sheet, axis, selA, runsA);
    CutIntoRuns(sheet, axis, selB, runsB);
    BOOL bOk = TRUE;
    if (selB.GetSize() == 0)
    {
        for (INT_PTR i = 0; i < runsA.GetSize(); ++i)
            bOk = AppendMatching(sheet, axis, sheet.m_arrBorderB, runsA[i], selB) && bOk;
    }
    else if (selA.GetSize() == 0)
    {
        for (INT_PTR i = 0; i < runsB.GetSize(); ++i)
            bOk = AppendMatching(sheet, axis, sheet.m_arrBorderA, runsB[i], selA) && bOk;
    }
    else
    {
        for (INT_PTR b = 0; b < runsB.GetSize(); ++b)
            for (INT_PTR a = 0; a < runsA.GetSize(); ++a)
            {
                CSpan rb = runsB[b], ra = runsA[a];
                if (rb.nStart > ra.nStart)
                    bOk = AppendMatching(sheet, axis, sheet.m_arrBorderB,
                                         CSpan{ ra.nStart, rb.nStart }, selB) && bOk;
                if (ra.nStart > rb.nStart)
                    bOk = AppendMatching(sheet, axis, sheet.m_arrBorderA,
                                         CSpan{ rb.nStart, ra.nStart }, selA) && bOk;
                if (rb.nEnd < ra.nEnd)
                    bOk = AppendMatching(sheet, axis, sheet.m_arrBorderB,
                                         CSpan{ rb.nEnd, ra.nEnd }, selB) && bOk;
                if (ra.nEnd < rb.nEnd)
                    bOk = AppendMatching(sheet, axis, sheet.m_arrBorderA,
                                         CSpan{ ra.nEnd, rb.nEnd }, selA) && bOk;
            }
    }
    if (!bOk)
        sheet.m_nMoveKind = -1;
    sheet.m_arrBorderA.Copy(selA);
    sheet.m_arrBorderB.Copy(selB);
}

} // namespace

int HitTestCell(const CSheet& sheet, int x, int y)
{
    for (INT_PTR i = 0; i < sheet.m_cells.GetSize(); ++i)
    {
        const RECT& rc = sheet.m_cells[i].m_rect;
        if (rc.left <= x && x < rc.right && rc.top <= y && y < rc.bottom)
            return (int)i;
    }
    return -1;
}

CBorderDragRange CollectBorderCells(CSheet& sheet, int x, int y)
{
    CAxis axis = { sheet.m_nBorderClass != HIT_HORIZONTAL_BORDER };
    LONG nPos = axis.bVertical ? x : y;
    LONG nAlong = axis.bVertical ? y : x;
    sheet.m_nMoveKind = 1;
    sheet.m_arrBorderA.RemoveAll();
    sheet.m_arrBorderB.RemoveAll();
    sheet.m_arrBorderSelA.RemoveAll();
    sheet.m_arrBorderSelB.RemoveAll();

    const INT_PTR nCount = sheet.m_cells.GetSize();
    for (INT_PTR i = 0; i < nCount; ++i)
    {
        const RECT& rc = sheet.m_cells[i].m_rect;
        if (labs(nPos - axis.Near(rc)) < 3)
            InsertAlong(sheet, axis, sheet.m_arrBorderA, (UINT)i);
        if (labs(nPos - axis.Far(rc)) < 3)
            InsertAlong(sheet, axis, sheet.m_arrBorderB, (UINT)i);
    }

    // A selected cell on the border under the pointer moves only its segment.
    BOOL bSegment = FALSE;
    const CUIntArray* lists[2] = { &sheet.m_arrBorderA, &sheet.m_arrBorderB };
    CUIntArray* working[2] = { &sheet.m_arrBorderSelA, &sheet.m_arrBorderSelB };
    for (int k = 0; k < 2; ++k)
        for (INT_PTR i = 0; i < lists[k]->GetSize(); ++i)
        {
            UINT n = (*lists[k])[i];
            if (!IsSelected(sheet, n))
                continue;
            working[k]->Add(n);
            const RECT& rc = sheet.m_cells[n].m_rect;
            if (axis.Start(rc) <= nAlong && nAlong <= axis.End(rc))
                bSegment = TRUE;
        }
    if (bSegment)
        CollectSegment(sheet, axis);
    else
    {
        sheet.m_arrBorderSelA.RemoveAll();
        sheet.m_arrBorderSelB.RemoveAll();
        sheet.m_nMoveKind = 2;
    }

    CBorderDragRange range = { 1, 0 };
    for (INT_PTR i = 0; i < sheet.m_arrBorderB.GetSize(); ++i)
    {
        LONG nNear = axis.Near(sheet.m_cells[sheet.m_arrBorderB[i]].m_rect);
        if (i == 0 || nNear > range.nMin)
            range.nMin = nNear;
    }
    if (sheet.m_nMoveKind == 2)
        for (INT_PTR i = 0; i < nCount; ++i)
        {
            const RECT& rc = sheet.m_cells[i].m_rect;
            if (axis.Near(rc) < nPos - 2 && axis.Far(rc) > nPos + 2 && axis.Near(rc) - 5 > range.nMin)
                range.nMin = axis.Near(rc) - 5;
        }
    if (sheet.m_nMoveKind == 2)
        range.nMax = 3 * (axis.bVertical ? sheet.m_rcBounds.right : sheet.m_rcBounds.bottom);
    else if (sheet.m_arrBorderA.GetSize() == 0)
        range.nMax = nPos + (axis.bVertical ? 400 : 150);
    else
        for (INT_PTR i = 0; i < sheet.m_arrBorderA.GetSize(); ++i)
        {
            LONG nFar = axis.Far(sheet.m_cells[sheet.m_arrBorderA[i]].m_rect);
            if (i == 0 || nFar < range.nMax)
                range.nMax = nFar;
        }
    range.nMax -= 5;
    if (range.nMin >= 6)
        range.nMin += 5;
    return range;
}

BOOL SnapToCellEdge(const CSheet& sheet, POINT* pPoint, BOOL bHorizontal, int nTolerance)
{
    if (pPoint == NULL || pPoint->x < 6 || pPoint->y < 6)
        return FALSE;
    for (INT_PTR i = 0; i < sheet.m_cells.GetSize(); ++i)
    {
        const RECT& rc = sheet.m_cells[i].m_rect;
        LONG& nMoved = bHorizontal ? pPoint->y : pPoint->x;
        LONG nAcross = bHorizontal ? pPoint->x : pPoint->y;
        LONG nLo = bHorizontal ? rc.top : rc.left;
        LONG nHi = bHorizontal ? rc.bottom : rc.right;
        if (!(bHorizontal ? (rc.left <= nAcross && nAcross <= rc.right)
                          : (rc.top <= nAcross && nAcross <= rc.bottom)))
            continue;
        if (labs(nMoved - nLo) <= nTolerance)
        {
            nMoved = nLo;
            return TRUE;
        }
        if (labs(nMoved - nHi) <= nTolerance)
        {
            nMoved = nHi;
            return TRUE;
        }
    }
    return FALSE;
}

BOOL CanApplyBorderMove(const CSheet& sheet, int nPos)
{
    if (sheet.m_nBorderClass != HIT_VERTICAL_BORDER && sheet.m_nBorderClass != HIT_HORIZONTAL_BORDER)
        return FALSE;
    if (sheet.m_nMoveKind < 0 || sheet.m_arrBorderB.GetSize() == 0)
        return FALSE;
    for (INT_PTR k = 0; k < 2; ++k)
    {
        const CUIntArray& list = k == 0 ? sheet.m_arrBorderA : sheet.m_arrBorderB;
        for (INT_PTR i = 0; i < list.GetSize(); ++i)
            if (list[i] >= (UINT)sheet.m_cells.GetSize())
                return FALSE;
    }
    CAxis axis = { sheet.m_nBorderClass == HIT_VERTICAL_BORDER };
    return labs(axis.Far(sheet.m_cells[sheet.m_arrBorderB[0]].m_rect) - nPos) >= 2;
}

void ApplyBorderMove(CSheet& sheet, int nPos)
{
    if (!CanApplyBorderMove(sheet, nPos))
        return;
    CAxis axis = { sheet.m_nBorderClass == HIT_VERTICAL_BORDER };
    if (sheet.m_nMoveKind == 1)
    {
        for (INT_PTR i = 0; i < sheet.m_arrBorderB.GetSize(); ++i)
        {
            RECT& rc = sheet.m_cells[sheet.m_arrBorderB[i]].m_rect;
            (axis.bVertical ? rc.right : rc.bottom) = nPos;
        }
        for (INT_PTR i = 0; i < sheet.m_arrBorderA.GetSize(); ++i)
        {
            RECT& rc = sheet.m_cells[sheet.m_arrBorderA[i]].m_rect;
            (axis.bVertical ? rc.left : rc.top) = nPos;
        }
        // A segment on the sheet's outer edge moves the extent with it.
        sheet.UpdateBoundingRect();
        return;
    }
    // The whole line: everything beyond it shifts, the line itself moves.
    LONG nOld = axis.Far(sheet.m_cells[sheet.m_arrBorderB[0]].m_rect);
    LONG nShift = nPos - nOld;
    LONG nFarthest = 0;
    for (INT_PTR i = 0; i < sheet.m_cells.GetSize(); ++i)
    {
        RECT& rc = sheet.m_cells[i].m_rect;
        LONG* edges[2] = { axis.bVertical ? &rc.left : &rc.top,
                           axis.bVertical ? &rc.right : &rc.bottom };
        for (int e = 0; e < 2; ++e)
        {
            if (*edges[e] > nOld)
                *edges[e] += nShift;
            if (labs(*edges[e] - nOld) < 2)
                *edges[e] = nPos;
        }
        if (i == 0 || *edges[1] > nFarthest)
            nFarthest = *edges[1];
    }
    (axis.bVertical ? sheet.m_rcBounds.right : sheet.m_rcBounds.bottom) = nFarthest;
}
