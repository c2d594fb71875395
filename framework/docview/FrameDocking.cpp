// The frame's side of the control bars: its list of bars, the dock bars on
// its sides, floating bars in mini frames, and the layout around the pane.
#include "framework/docview/DockBar.h"
#include "framework/docview/FrameWnd.h"
#include "framework/docview/MiniDockFrame.h"
#include "framework/windows/CmdUI.h"

namespace
{
struct DockSide
{
    DWORD dwAlign;
    UINT nID;
};

// The order the sides are offered to a bar and laid out: the top and bottom
// strips span the frame, the side strips fill between them.
const DockSide kDockSides[] = {
    { CBRS_ALIGN_TOP, AFX_IDW_DOCKBAR_TOP },
    { CBRS_ALIGN_BOTTOM, AFX_IDW_DOCKBAR_BOTTOM },
    { CBRS_ALIGN_LEFT, AFX_IDW_DOCKBAR_LEFT },
    { CBRS_ALIGN_RIGHT, AFX_IDW_DOCKBAR_RIGHT },
};
}

void CFrameWnd::AddControlBar(CControlBar* pBar)
{
    if (m_listControlBars.Find(pBar) == NULL)
        m_listControlBars.AddTail(pBar);
}

void CFrameWnd::RemoveControlBar(CControlBar* pBar)
{
    POSITION pos = m_listControlBars.Find(pBar);
    if (pos != NULL)
        m_listControlBars.RemoveAt(pos);
}

CControlBar* CFrameWnd::GetControlBar(UINT nID) const
{
    for (POSITION pos = m_listControlBars.GetHeadPosition(); pos != NULL;)
    {
        CControlBar* pBar = static_cast<CControlBar*>(m_listControlBars.GetNext(pos));
        if (pBar->m_hWnd != NULL && (UINT)pBar->GetDlgCtrlID() == nID)
            return pBar;
    }
    return NULL;
}

void CFrameWnd::EnableDocking(DWORD dwDockStyle)
{
    for (const DockSide& side : kDockSides)
    {
        if (!(dwDockStyle & side.dwAlign) || GetControlBar(side.nID) != NULL)
            continue;
        CDockBar* pDockBar = new CDockBar;
        pDockBar->m_bAutoDelete = TRUE;
        if (!pDockBar->Create(this, side.dwAlign, side.nID))
            delete pDockBar;
    }
}

void CFrameWnd::DockControlBar(CControlBar* pBar, UINT nDockBarID, LPCRECT lpRect)
{
    CDockBar* pDockBar = NULL;
    for (const DockSide& side : kDockSides)
    {
        if (nDockBarID != 0 ? nDockBarID != side.nID : !(pBar->m_dwDockStyle & side.dwAlign))
            continue;
        CControlBar* pFound = GetControlBar(side.nID);
        if (pFound != NULL && pFound->IsKindOf(RUNTIME_CLASS(CDockBar)))
        {
            pDockBar = static_cast<CDockBar*>(pFound);
            break;
        }
    }
    // A side without a dock bar (docking not enabled there) leaves the bar be.
    if (pDockBar != NULL)
        DockControlBar(pBar, pDockBar, lpRect);
}

void CFrameWnd::DockControlBar(CControlBar* pBar, CDockBar* pDockBar, LPCRECT lpRect)
{
    if (pBar == NULL || pBar->m_hWnd == NULL || pDockBar == NULL)
        return;
    if (pBar->m_pDockSite == NULL)
    {
        pBar->m_pDockSite = this;
        AddControlBar(pBar);
    }
    pDockBar->DockControlBar(pBar, lpRect);
}

void CFrameWnd::FloatControlBar(CControlBar* pBar, CPoint point, DWORD dwStyle)
{
    if (pBar == NULL || pBar->m_hWnd == NULL)
        return;
    CDockBar* pOld = pBar->m_pDockBar;
    if (pOld != NULL && pOld->m_bFloating && pOld->GetDockedCount() == 1 &&
        (pOld->m_dwStyle & dwStyle & CBRS_ALIGN_ANY) != 0)
    {
        CFrameWnd* pMiniFrame = pOld->GetParentFrame();
        pMiniFrame->SetWindowPos(NULL, point.x, point.y, 0, 0,
                                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        pMiniFrame->RecalcLayout();
        pMiniFrame->UpdateWindow();
        return;
    }
    if (pBar->m_dwStyle & CBRS_SIZE_DYNAMIC)
    {
        dwStyle |= CBRS_SIZE_DYNAMIC;
        if (dwStyle & CBRS_ORIENT_VERT)
            dwStyle = (dwStyle & ~CBRS_ALIGN_ANY) | CBRS_ALIGN_TOP;
    }
    CMiniDockFrameWnd* pMiniFrame = new CMiniDockFrameWnd;
    if (!pMiniFrame->Create(this, dwStyle))
    {
        delete pMiniFrame;
        return;
    }
    // A bar that cannot dock again has no close box: closed, it would be
    // gone for good.  The style is settled before the frame first shows.
    if (pBar->m_dwDockStyle == 0)
        pMiniFrame->ModifyStyle(WS_SYSMENU, 0, SWP_FRAMECHANGED);
    pMiniFrame->SetWindowPos(NULL, point.x, point.y, 0, 0,
                             SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    if (pBar->m_hWndOwner == NULL)
        pBar->SetOwner(this);
    if (pBar->m_pDockSite == NULL)
    {
        pBar->m_pDockSite = this;
        AddControlBar(pBar);
    }
    pMiniFrame->m_wndDockBar.DockControlBar(pBar, NULL);
    pMiniFrame->RecalcLayout();
    if (pBar->IsVisible())
        pMiniFrame->ShowWindow(SW_SHOWNA);
    RecalcLayout();
}

void CFrameWnd::ShowControlBar(CControlBar* pBar, BOOL bShow, BOOL)
{
    if (pBar == NULL || pBar->m_hWnd == NULL)
        return;
    // The layout is redone at once whether or not a delay was asked for:
    // the result is the same and no state waits for the next idle time.
    pBar->ShowWindow(bShow ? SW_SHOWNOACTIVATE : SW_HIDE);
    if (pBar->IsFloating())
    {
        CFrameWnd* pMiniFrame = pBar->m_pDockBar->GetParentFrame();
        if (pMiniFrame != NULL)
        {
            if (pBar->m_pDockBar->GetDockedVisibleCount() > 0)
            {
                pMiniFrame->RecalcLayout();
                pMiniFrame->ShowWindow(SW_SHOWNA);
            }
            else
            {
                pMiniFrame->ShowWindow(SW_HIDE);
            }
        }
    }
    RecalcLayout();
}

void CFrameWnd::RepositionBars(CRect& rect)
{
    // The frame's own bars (a status bar, bars never docked) lie outermost.
    for (POSITION pos = m_listControlBars.GetHeadPosition(); pos != NULL;)
    {
        CControlBar* pBar = static_cast<CControlBar*>(m_listControlBars.GetNext(pos));
        if (pBar->m_hWnd != NULL && !pBar->IsKindOf(RUNTIME_CLASS(CDockBar)) &&
            ::GetParent(pBar->m_hWnd) == m_hWnd)
            pBar->PositionInLayout(rect);
    }
    for (const DockSide& side : kDockSides)
    {
        CControlBar* pDockBar = GetControlBar(side.nID);
        if (pDockBar != NULL && ::GetParent(pDockBar->m_hWnd) == m_hWnd)
            pDockBar->PositionInLayout(rect);
    }
}

void CFrameWnd::UpdateFloatingBars(BOOL bDisableIfNoHndler)
{
    for (POSITION pos = m_listControlBars.GetHeadPosition(); pos != NULL;)
    {
        CControlBar* pBar = static_cast<CControlBar*>(m_listControlBars.GetNext(pos));
        if (pBar->m_hWnd != NULL && pBar->IsFloating())
            pBar->SendMessage(WM_IDLEUPDATECMDUI, (WPARAM)bDisableIfNoHndler);
    }
}

void CFrameWnd::DetachControlBars()
{
    while (!m_listControlBars.IsEmpty())
    {
        CControlBar* pBar = static_cast<CControlBar*>(m_listControlBars.RemoveHead());
        pBar->m_pDockSite = NULL;
    }
}

BOOL CFrameWnd::OnBarCheck(UINT nID)
{
    CControlBar* pBar = GetControlBar(nID);
    if (pBar == NULL)
        return FALSE;
    ShowControlBar(pBar, (pBar->GetStyle() & WS_VISIBLE) == 0, FALSE);
    return TRUE;
}

void CFrameWnd::OnUpdateControlBarMenu(CCmdUI* pCmdUI)
{
    CControlBar* pBar = GetControlBar(pCmdUI->m_nID);
    if (pBar == NULL)
    {
        // No such bar here: the item is left to the rest of the route.
        pCmdUI->ContinueRouting();
        return;
    }
    pCmdUI->Enable(TRUE);
    pCmdUI->SetCheck((pBar->GetStyle() & WS_VISIBLE) != 0);
}
