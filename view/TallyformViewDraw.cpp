// The sheet view's painting: double-buffered cells, borders, page breaks
// and the selection marks, and the XOR feedback of a border drag.
#include "view/TallyformView.h"

#include <vector>

#include "framework/windows/GdiObject.h"
#include "framework/windows/ScopedGdi.h"
#include "sheet/CellDraw.h"
#include "sheet/CellPainter.h"
#include "sheet/document/TallyformDoc.h"

namespace {

// Extra device pixels painted around the repaint area.
const int kPaintMargin = 10;

// TRUE when the two rectangles share an area, as IntersectRect tells, but
// without a call per cell.
inline BOOL Meets(const RECT& rcCell, const RECT& rcClip)
{
    return rcCell.left < rcCell.right && rcCell.top < rcCell.bottom
        && rcClip.left < rcClip.right && rcClip.top < rcClip.bottom
        && rcCell.left < rcClip.right && rcClip.left < rcCell.right
        && rcCell.top < rcClip.bottom && rcClip.top < rcCell.bottom;
}

// Gives the memory DC the paint DC's mapping, moved so that the device
// point ptCorner lands on the bitmap's (0, 0).  The extents are copied as
// the paint DC holds them (isotropic ones already evened out) under
// MM_ANISOTROPIC: the same mapping, set at a few microseconds a call where
// each change in isotropic mode costs Wine about 0.3 ms.
void CopyMapping(CDC& dcFrom, CDC& dcTo, POINT ptCorner)
{
    CPoint ptViewport = dcFrom.GetViewportOrg();
    dcTo.SetViewportOrg(ptViewport.x - ptCorner.x, ptViewport.y - ptCorner.y);
    dcTo.SetWindowOrg(dcFrom.GetWindowOrg());
    if (dcFrom.GetMapMode() == MM_TEXT)
        return;
    dcTo.SetMapMode(MM_ANISOTROPIC);
    dcTo.SetWindowExt(dcFrom.GetWindowExt());
    dcTo.SetViewportExt(dcFrom.GetViewportExt());
}

// Back to device units: MM_TEXT first, so that the origins change cheaply.
void ResetMapping(CDC& dc)
{
    dc.SetMapMode(MM_TEXT);
    dc.SetViewportOrg(0, 0);
    dc.SetWindowOrg(0, 0);
}

// The cell rectangle with left <= right and top <= bottom.
CRect Normalized(const RECT& rc)
{
    CRect r(rc);
    r.NormalizeRect();
    return r;
}

} // namespace

void CTallyformView::OnDraw(CDC* pDC)
{
    CRect rcClip;
    pDC->GetClipBox(&rcClip);
    CRect rcDevice(rcClip);
    pDC->LPtoDP(&rcDevice);
    rcDevice.NormalizeRect();
    rcDevice.InflateRect(kPaintMargin, kPaintMargin);

    BOOL bPrinting = pDC->IsPrinting();
    CDC dcMemory;
    CBitmap bitmap;
    CDC* pDrawDC = pDC;
    CBitmap* pOldBitmap = NULL;
    if (!bPrinting && dcMemory.CreateCompatibleDC(pDC) &&
        bitmap.CreateCompatibleBitmap(pDC, rcDevice.Width(), rcDevice.Height()))
    {
        pOldBitmap = dcMemory.SelectObject(&bitmap);
        dcMemory.PatBlt(0, 0, rcDevice.Width(), rcDevice.Height(), WHITENESS);
        CopyMapping(*pDC, dcMemory, rcDevice.TopLeft());
        dcMemory.SetBrushOrg(rcDevice.left % 8, rcDevice.top % 8);
        pDrawDC = &dcMemory;
    }

    DrawCells(pDrawDC, rcClip);
    if (m_bShowPageBreaks && !bPrinting)
        DrawPageBreaks(pDrawDC);
    if (!bPrinting)
        DrawSelectionMarks(pDrawDC);

    if (pDrawDC == &dcMemory)
    {
        ResetMapping(*pDC);
        ResetMapping(dcMemory);
        pDC->BitBlt(rcDevice.left, rcDevice.top, rcDevice.Width(), rcDevice.Height(), &dcMemory,
                    0, 0, SRCCOPY);
        dcMemory.SelectObject(pOldBitmap);
    }
}

void CTallyformView::DrawCells(CDC* pDC, const CRect& rcClip)
{
    CSheet* pSheet = GetSheet();
    if (pSheet == NULL)
        return;
    const CCellArray& cells = pSheet->m_cells;
    std::vector<const CCell*> shown;
    for (INT_PTR i = 0; i < cells.GetSize(); ++i)
        if (Meets(cells[i].m_rect, rcClip))
            shown.push_back(&cells[i]);
    CCellPainter painter(*pSheet, pDC);
    // Borders come after all contents, so no background covers a neighbour's border.
    for (const CCell* pCell : shown)
        painter.DrawCell(*pCell);
    for (const CCell* pCell : shown)
        painter.DrawCellBorder(*pCell, m_bShowCellFrame);
}

void CTallyformView::DrawSelectionMarks(CDC* pDC)
{
    CSheet* pSheet = GetSheet();
    if (pSheet == NULL || pSheet->m_cells.GetSize() == 0)
        return;
    for (INT_PTR i = 0; i < pSheet->m_arrSel.GetSize(); ++i)
        DrawCellMark(pDC, (int)pSheet->m_arrSel[i]);
}

void CTallyformView::DrawCellMark(CDC* pDC, int nCell)
{
    CSheet* pSheet = GetSheet();
    if (pSheet == NULL || nCell < 0 || nCell >= pSheet->m_cells.GetSize())
        return;
    const CCell& cell = pSheet->m_cells[nCell];
    if (nCell == pSheet->m_nCurCell)
        DrawFocusFrame(pDC, cell);
    else
    {
        CRect rc = Normalized(cell.m_rect);
        pDC->InvertRect(&rc);
    }
}

void CTallyformView::RedrawCell(CDC* pDC, int nCell)
{
    CSheet* pSheet = GetSheet();
    if (pSheet == NULL || nCell < 0 || nCell >= pSheet->m_cells.GetSize())
        return;
    pSheet->DrawCell(pDC, pSheet->m_cells[nCell]);
    pSheet->DrawCellBorder(pDC, pSheet->m_cells[nCell], m_bShowCellFrame);
}

void CTallyformView::DrawDragLine(CDC* pDC, int nPos, BOOL bVertical)
{
    CSheet* pSheet = GetSheet();
    if (pSheet == NULL)
        return;
    CPen pen;
    if (!pen.CreatePen(PS_DOT, 1, RGB(0, 0, 0)))
        return;
    CScopedSelectObject select(*pDC, pen);
    int nOldRop = pDC->SetROP2(R2_NOT);
    int nOldBk = pDC->SetBkMode(TRANSPARENT);
    const RECT& rc = pSheet->m_rcBounds;
    if (bVertical)
    {
        pDC->MoveTo(nPos, rc.top);
        pDC->LineTo(nPos, rc.bottom);
    }
    else
    {
        pDC->MoveTo(rc.left, nPos);
        pDC->LineTo(rc.right, nPos);
    }
    pDC->SetBkMode(nOldBk);
    pDC->SetROP2(nOldRop);
}
