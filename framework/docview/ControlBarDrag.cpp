// Dragging a bar: the gripper of a docked bar or the caption of a mini
// frame starts it; the bar follows as an outline and, on release, docks on
// the side of its frame under the cursor or floats where it was let go.
#include "framework/docview/ControlBar.h"

#include "framework/docview/DockBar.h"
#include "framework/docview/FrameWnd.h"

namespace
{
// How far from an empty side the cursor still docks there.
const int kDockZone = 12;

const UINT kDockBarIDs[] = { AFX_IDW_DOCKBAR_TOP, AFX_IDW_DOCKBAR_BOTTOM, AFX_IDW_DOCKBAR_LEFT,
                             AFX_IDW_DOCKBAR_RIGHT };

// The area of a side's dock bar in which a dropped bar docks (screen).
CRect DockZone(CDockBar* pDockBar)
{
    CRect rect;
    pDockBar->GetWindowRect(&rect);
    DWORD dwAlign = pDockBar->GetBarStyle() & CBRS_ALIGN_ANY;
    if (dwAlign & CBRS_ALIGN_TOP)
        rect.bottom += kDockZone;
    else if (dwAlign & CBRS_ALIGN_BOTTOM)
        rect.top -= kDockZone;
    else if (dwAlign & CBRS_ALIGN_LEFT)
        rect.right += kDockZone;
    else
        rect.left -= kDockZone;
    return rect;
}
}

void CControlBar::StartDrag(CPoint ptScreen)
{
    if (m_pDockSite == NULL || m_hWnd == NULL)
        return;
    m_bDragging = TRUE;
    m_ptDragStart = ptScreen;
    CWnd* pMoved = IsFloating() ? static_cast<CWnd*>(GetParentFrame()) : this;
    pMoved->GetWindowRect(&m_rectDragStart);
    m_rectDragShown.SetRectEmpty();
    SetCapture();
    DrawDragRect();
}

void CControlBar::DrawDragRect()
{
    // The outline is drawn twice in the same place to take it away.
    HDC hDC = ::GetDC(NULL);
    if (hDC == NULL)
        return;
    if (!m_rectDragShown.IsRectEmpty())
        ::DrawFocusRect(hDC, &m_rectDragShown);
    ::ReleaseDC(NULL, hDC);
}

LRESULT CControlBar::OnNcLButtonDown(WPARAM, LPARAM lParam)
{
    CPoint point((int)(short)LOWORD(lParam), (int)(short)HIWORD(lParam));
    CRect rectWindow;
    GetWindowRect(&rectWindow);
    CRect rectGrip = rectWindow;
    if (m_rectBorder.left > m_rectBorder.right)
        rectGrip.right = rectGrip.left + m_rectBorder.left;
    else
        rectGrip.bottom = rectGrip.top + m_rectBorder.top;
    if ((m_dwStyle & CBRS_GRIPPER) && m_pDockBar != NULL && m_dwDockStyle != 0 &&
        rectGrip.PtInRect(point))
    {
        StartDrag(point);
        return 0;
    }
    return Default();
}

void CControlBar::OnMouseMove(UINT nFlags, CPoint point)
{
    if (!m_bDragging)
    {
        CWnd::OnMouseMove(nFlags, point);
        return;
    }
    ClientToScreen(&point);
    DrawDragRect();
    m_rectDragShown = m_rectDragStart;
    m_rectDragShown.OffsetRect(point - m_ptDragStart);
    DrawDragRect();
}

void CControlBar::OnLButtonUp(UINT nFlags, CPoint point)
{
    if (!m_bDragging)
    {
        CWnd::OnLButtonUp(nFlags, point);
        return;
    }
    ClientToScreen(&point);
    EndDrag(point);
}

LRESULT CControlBar::OnCaptureChanged(WPARAM, LPARAM)
{
    // Capture taken away (another window, Esc in a menu) ends the drag
    // where it began.
    if (m_bDragging)
    {
        DrawDragRect();
        m_rectDragShown.SetRectEmpty();
        m_bDragging = FALSE;
    }
    return Default();
}

void CControlBar::EndDrag(CPoint ptScreen)
{
    if (!m_bDragging)
        return;
    DrawDragRect();
    m_rectDragShown.SetRectEmpty();
    m_bDragging = FALSE;
    if (GetCapture() == this)
        ReleaseCapture();
    CFrameWnd* pFrame = m_pDockSite;
    if (pFrame == NULL || ptScreen == m_ptDragStart)
        return;
    CRect rectDrop = m_rectDragStart;
    rectDrop.OffsetRect(ptScreen - m_ptDragStart);
    for (UINT nID : kDockBarIDs)
    {
        CControlBar* pFound = pFrame->GetControlBar(nID);
        if (pFound == NULL || !pFound->IsKindOf(RUNTIME_CLASS(CDockBar)))
            continue;
        CDockBar* pDockBar = static_cast<CDockBar*>(pFound);
        if (!(m_dwDockStyle & pDockBar->GetBarStyle() & CBRS_ALIGN_ANY) ||
            !DockZone(pDockBar).PtInRect(ptScreen))
            continue;
        // The row is the one under the cursor, the place where the bar's
        // leading edge was let go.
        CRect rectPlace(rectDrop.left, ptScreen.y, rectDrop.right, ptScreen.y + 1);
        if (pDockBar->GetBarStyle() & CBRS_ORIENT_VERT)
            rectPlace = CRect(ptScreen.x, rectDrop.top, ptScreen.x + 1, rectDrop.bottom);
        pFrame->DockControlBar(this, pDockBar, &rectPlace);
        return;
    }
    pFrame->FloatControlBar(this, rectDrop.TopLeft());
}
