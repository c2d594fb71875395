#ifndef EDITOR_BUILD

#include "shell/app/InPlaceFrame.h"

#include "framework/windows/WndMessageMap.h"
#include "ShellIds.h"

IMPLEMENT_DYNCREATE(CInPlaceFrame, COleIPFrameWnd)

BEGIN_MESSAGE_MAP(CInPlaceFrame, COleIPFrameWnd)
    ON_WM_CREATE()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CInPlaceFrame::CInPlaceFrame() {}

CInPlaceFrame::~CInPlaceFrame() {}

int CInPlaceFrame::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (COleIPFrameWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    if (!m_wndResizeBar.Create(this, WS_CHILD | WS_VISIBLE, AFX_IDW_RESIZE_BAR))
        return -1;
    // Drops on the sheet are refused politely rather than passed to the
    // container below.
    m_dropTarget.Register(this);
    return 0;
}

BOOL CInPlaceFrame::OnCreateControlBars(CWnd* pWndFrame, CWnd*)
{
    if (!m_wndToolBar.CreateEx(pWndFrame, TBSTYLE_FLAT,
                               WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_GRIPPER | CBRS_TOOLTIPS
                                   | CBRS_FLYBY | CBRS_SIZE_DYNAMIC,
                               CRect(0, 0, 0, 0), AFX_IDW_TOOLBAR)
        || !m_wndToolBar.LoadToolBar(IDR_SERVER_INPLACE))
        return FALSE;
    // The bar lives on the container's frame; its commands come here.
    m_wndToolBar.SetOwner(this);
    m_wndToolBar.EnableDocking(CBRS_ALIGN_ANY);
    AddContainerBar(&m_wndToolBar);
    return TRUE;
}

void CInPlaceFrame::OnDestroy()
{
    m_wndResizeBar.DestroyWindow();
    m_dropTarget.Revoke();
    COleIPFrameWnd::OnDestroy();
}

#endif
