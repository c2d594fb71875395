#include "shell/app/ChildFrame.h"

#include "framework/windows/CmdUI.h"
#include "framework/windows/WndMessageMap.h"
#include "SheetViewIds.h"
#include "ShellIds.h"

IMPLEMENT_DYNCREATE(CChildFrame, CMDIChildWnd)

BEGIN_MESSAGE_MAP(CChildFrame, CMDIChildWnd)
    ON_WM_CREATE()
    ON_COMMAND(ID_VIEW_SHOW_RULERS, OnViewShowRulers)
    ON_UPDATE_COMMAND_UI(ID_VIEW_SHOW_RULERS, OnUpdateViewShowRulers)
END_MESSAGE_MAP()

CChildFrame::CChildFrame() : m_bShowRulers(TRUE) {}

CChildFrame::~CChildFrame() {}

int CChildFrame::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CMDIChildWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    // A ruler that cannot be made leaves the frame without it.
    m_wndHorzRuler.Create(this, IDD_HORZ_RULER, CBRS_TOP, IDD_HORZ_RULER);
    m_wndVertRuler.Create(this, IDD_VERT_RULER, CBRS_LEFT, IDD_VERT_RULER);
    // The horizontal ruler's corner square is as wide as the ruler is high
    // and must meet the vertical ruler; the templates' dialog units give
    // the two the same size only for some fonts, so the pixels decide.
    if (m_wndHorzRuler.m_hWnd != NULL && m_wndVertRuler.m_hWnd != NULL)
    {
        CRect rcCorner, rcVert;
        m_wndHorzRuler.GetClientRect(&rcCorner);
        m_wndVertRuler.GetWindowRect(&rcVert);
        m_wndVertRuler.m_sizeDefault.cx += rcCorner.Height() - rcVert.Width();
    }
    return 0;
}

void CChildFrame::OnViewShowRulers()
{
    m_bShowRulers = !m_bShowRulers;
    ShowControlBar(&m_wndHorzRuler, m_bShowRulers, FALSE);
    ShowControlBar(&m_wndVertRuler, m_bShowRulers, FALSE);
}

void CChildFrame::OnUpdateViewShowRulers(CCmdUI* pCmdUI)
{
    pCmdUI->SetCheck(m_bShowRulers ? 1 : 0);
}

void CChildFrame::TrackRulerCursor(int x, int y)
{
    if (m_wndHorzRuler.m_hWnd != NULL)
        m_wndHorzRuler.ShowCursorLine(x);
    if (m_wndVertRuler.m_hWnd != NULL)
        m_wndVertRuler.ShowCursorLine(y);
}

void CChildFrame::TrackRulerCursor(POINT pt)
{
    TrackRulerCursor(pt.x, pt.y);
}

void CChildFrame::RedrawHorzRuler()
{
    if (m_wndHorzRuler.m_hWnd == NULL)
        return;
    m_wndHorzRuler.Invalidate(TRUE);
    m_wndHorzRuler.UpdateWindow();
}

void CChildFrame::RedrawVertRuler()
{
    if (m_wndVertRuler.m_hWnd == NULL)
        return;
    m_wndVertRuler.Invalidate(TRUE);
    m_wndVertRuler.UpdateWindow();
}

void CChildFrame::RedrawRulers(BOOL bHorz, BOOL bVert)
{
    if (bHorz)
        RedrawHorzRuler();
    if (bVert)
        RedrawVertRuler();
}
