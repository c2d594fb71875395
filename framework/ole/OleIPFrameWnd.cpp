#include "framework/ole/OleIPFrameWnd.h"

#include "framework/core/MessageSink.h"
#include "framework/docview/View.h"
#include "framework/docview/WinApp.h"
#include "framework/ole/OleResizeBar.h"
#include "framework/ole/OleServerDoc.h"
#include "framework/windows/WndMessageMap.h"

IMPLEMENT_DYNCREATE(COleIPFrameWnd, CFrameWnd)

BEGIN_MESSAGE_MAP(COleIPFrameWnd, CFrameWnd)
    ON_WM_DESTROY()
END_MESSAGE_MAP()

COleIPFrameWnd::COleIPFrameWnd()
    : m_lpFrame(NULL), m_lpDocFrame(NULL), m_frameInfo(), m_bUIShown(FALSE), m_hMenuInPlace(NULL),
      m_hMenuShared(NULL), m_hOleMenu(NULL), m_menuWidths(), m_rectPos(0, 0, 0, 0)
{
}

COleIPFrameWnd::~COleIPFrameWnd()
{
    DestroySharedMenu();
    ReleaseContainer();
    if (m_hMenuInPlace != NULL)
        ::DestroyMenu(m_hMenuInPlace);
}

void COleIPFrameWnd::SetContainer(IOleInPlaceFrame* lpFrame, IOleInPlaceUIWindow* lpDocFrame,
                                  const OLEINPLACEFRAMEINFO& frameInfo)
{
    ReleaseContainer();
    m_lpFrame = lpFrame;
    m_lpDocFrame = lpDocFrame;
    if (m_lpFrame != NULL)
        m_lpFrame->AddRef();
    if (m_lpDocFrame != NULL)
        m_lpDocFrame->AddRef();
    m_frameInfo = frameInfo;
}

void COleIPFrameWnd::ReleaseContainer()
{
    if (m_lpDocFrame != NULL)
        m_lpDocFrame->Release();
    if (m_lpFrame != NULL)
        m_lpFrame->Release();
    m_lpDocFrame = NULL;
    m_lpFrame = NULL;
}

BOOL COleIPFrameWnd::OnCreateControlBars(CWnd*, CWnd*)
{
    return TRUE;
}

COleServerDoc* COleIPFrameWnd::GetServerDoc()
{
    return dynamic_cast<COleServerDoc*>(GetActiveDocument());
}

BOOL COleIPFrameWnd::ShowUserInterface(IOleInPlaceActiveObject* pActiveObject)
{
    if (m_bUIShown || m_lpFrame == NULL)
        return m_bUIShown;
    HWND hWndFrame = NULL;
    if (FAILED(m_lpFrame->GetWindow(&hWndFrame)) || hWndFrame == NULL)
        return FALSE;
    HWND hWndDoc = NULL;
    if (m_lpDocFrame != NULL && FAILED(m_lpDocFrame->GetWindow(&hWndDoc)))
        hWndDoc = NULL;
    m_wndContainerFrame.Attach(hWndFrame);
    if (hWndDoc != NULL && hWndDoc != hWndFrame)
        m_wndContainerDoc.Attach(hWndDoc);
    if (!OnCreateControlBars(&m_wndContainerFrame,
                             m_wndContainerDoc.m_hWnd != NULL ? &m_wndContainerDoc : NULL))
    {
        HideUserInterface();
        return FALSE;
    }
    m_bUIShown = TRUE;

    CString strTitle;
    if (COleServerDoc* pDoc = GetServerDoc())
        strTitle = pDoc->GetTitle();
    WCHAR szName[256] = L"";
    ::MultiByteToWideChar(CP_ACP, 0, strTitle, -1, szName, 256);
    m_lpFrame->SetActiveObject(pActiveObject, szName);
    if (m_lpDocFrame != NULL)
    {
        m_lpDocFrame->SetActiveObject(pActiveObject, szName);
        m_lpDocFrame->SetBorderSpace(NULL);
    }
    RepositionContainerBars();
    if (!BuildSharedMenu())
        m_lpFrame->SetMenu(NULL, NULL, m_hWnd);
    return TRUE;
}

void COleIPFrameWnd::HideUserInterface()
{
    if (m_bUIShown && m_lpFrame != NULL)
    {
        m_lpFrame->SetMenu(NULL, NULL, m_hWnd);
        m_lpFrame->SetActiveObject(NULL, NULL);
        if (m_lpDocFrame != NULL)
            m_lpDocFrame->SetActiveObject(NULL, NULL);
    }
    m_bUIShown = FALSE;
    DestroySharedMenu();
    // The bars go with their windows; what the derived frame made it
    // destroys in its own OnDestroy, the rest goes here.
    CWinApp* pApp = AfxGetApp();
    while (!m_listContainerBars.IsEmpty())
    {
        CControlBar* pBar = static_cast<CControlBar*>(m_listContainerBars.RemoveHead());
        if (pApp != NULL)
            pApp->RemoveIdleUpdateWindow(pBar->GetSafeHwnd());
        if (pBar->GetSafeHwnd() != NULL)
            pBar->DestroyWindow();
    }
    m_wndContainerDoc.Detach();
    m_wndContainerFrame.Detach();
}

void COleIPFrameWnd::AddContainerBar(CControlBar* pBar)
{
    m_listContainerBars.AddTail(pBar);
    // The bar is not below the program's main window: the idle time
    // updates its buttons from this frame's route all the same.
    if (CWinApp* pApp = AfxGetApp())
        pApp->AddIdleUpdateWindow(pBar->GetSafeHwnd());
}

void COleIPFrameWnd::RepositionContainerBars()
{
    if (m_lpFrame == NULL || m_wndContainerFrame.m_hWnd == NULL)
        return;
    BORDERWIDTHS widths = { 0, 0, 0, 0 };
    POSITION pos = m_listContainerBars.GetHeadPosition();
    while (pos != NULL)
    {
        CControlBar* pBar = static_cast<CControlBar*>(m_listContainerBars.GetNext(pos));
        if (pBar->GetSafeHwnd() != NULL && pBar->IsVisible())
            widths.top += pBar->CalcFixedLayout(FALSE, TRUE).cy;
    }
    RECT rectBorder;
    if (widths.top == 0 || FAILED(m_lpFrame->GetBorder(&rectBorder))
        || FAILED(m_lpFrame->RequestBorderSpace(&widths)))
    {
        // No room offered: the bars stay hidden and the container keeps
        // its border.
        m_lpFrame->SetBorderSpace(widths.top == 0 ? &widths : NULL);
        pos = m_listContainerBars.GetHeadPosition();
        while (pos != NULL && widths.top != 0)
            static_cast<CControlBar*>(m_listContainerBars.GetNext(pos))->ShowWindow(SW_HIDE);
        return;
    }
    m_lpFrame->SetBorderSpace(&widths);
    int y = rectBorder.top;
    pos = m_listContainerBars.GetHeadPosition();
    while (pos != NULL)
    {
        CControlBar* pBar = static_cast<CControlBar*>(m_listContainerBars.GetNext(pos));
        if (pBar->GetSafeHwnd() == NULL || !pBar->IsVisible())
            continue;
        int cy = pBar->CalcFixedLayout(FALSE, TRUE).cy;
        ::SetWindowPos(pBar->m_hWnd, HWND_TOP, rectBorder.left, y, rectBorder.right - rectBorder.left,
                       cy, SWP_NOACTIVATE);
        y += cy;
    }
}

BOOL COleIPFrameWnd::BuildSharedMenu()
{
    DestroySharedMenu();
    if (m_hMenuInPlace == NULL)
        m_hMenuInPlace = ::LoadMenuA(AfxGetResourceHandle(), MAKEINTRESOURCEA(m_nIDHelp));
    if (m_hMenuInPlace == NULL || m_lpFrame == NULL)
        return FALSE;
    m_hMenuShared = ::CreateMenu();
    m_menuWidths = OLEMENUGROUPWIDTHS();
    if (m_hMenuShared == NULL || FAILED(m_lpFrame->InsertMenus(m_hMenuShared, &m_menuWidths)))
    {
        DestroySharedMenu();
        return FALSE;
    }
    // The server's pop-ups: the first ones make its edit group after the
    // container's file group, the last one its help group at the end.
    int nCount = ::GetMenuItemCount(m_hMenuInPlace);
    UINT nPos = (UINT)m_menuWidths.width[0];
    for (int i = 0; i < nCount; ++i)
    {
        char szText[128] = "";
        ::GetMenuStringA(m_hMenuInPlace, i, szText, sizeof(szText), MF_BYPOSITION);
        HMENU hPopup = ::GetSubMenu(m_hMenuInPlace, i);
        BOOL bHelp = i == nCount - 1 && nCount > 1;
        UINT nAt = bHelp ? (UINT)-1 : nPos++;
        if (!::InsertMenuA(m_hMenuShared, nAt, MF_BYPOSITION | MF_POPUP, (UINT_PTR)hPopup, szText))
        {
            DestroySharedMenu();
            return FALSE;
        }
        if (bHelp)
            m_menuWidths.width[5] = 1;
        else
            ++m_menuWidths.width[1];
    }
    m_hOleMenu = ::OleCreateMenuDescriptor(m_hMenuShared, &m_menuWidths);
    if (m_hOleMenu == NULL || FAILED(m_lpFrame->SetMenu(m_hMenuShared, m_hOleMenu, m_hWnd)))
    {
        DestroySharedMenu();
        return FALSE;
    }
    return TRUE;
}

void COleIPFrameWnd::DestroySharedMenu()
{
    if (m_hOleMenu != NULL)
        ::OleDestroyMenuDescriptor(m_hOleMenu);
    m_hOleMenu = NULL;
    if (m_hMenuShared != NULL)
    {
        // The pop-ups stay with the in-place menu; the container takes its
        // own out.
        if (m_lpFrame != NULL)
            m_lpFrame->RemoveMenus(m_hMenuShared);
        for (int i = ::GetMenuItemCount(m_hMenuShared) - 1; i >= 0; --i)
            ::RemoveMenu(m_hMenuShared, i, MF_BYPOSITION);
        ::DestroyMenu(m_hMenuShared);
    }
    m_hMenuShared = NULL;
}

void COleIPFrameWnd::RepositionFrame(LPCRECT lpPosRect, LPCRECT lpClipRect)
{
    m_rectPos = *lpPosRect;
    CRect rect = m_rectPos;
    if (GetDlgItem(AFX_IDW_RESIZE_BAR) != NULL)
        rect.InflateRect(COleResizeBar::kBorderWidth, COleResizeBar::kBorderWidth);
    ::SetWindowPos(m_hWnd, NULL, rect.left, rect.top, rect.Width(), rect.Height(),
                   SWP_NOZORDER | SWP_NOACTIVATE);
    // Only the part inside the visible rectangle shows.
    CRect rectClip;
    if (!rectClip.IntersectRect(&rect, lpClipRect) || rectClip != rect)
    {
        rectClip.OffsetRect(-rect.left, -rect.top);
        ::SetWindowRgn(m_hWnd, ::CreateRectRgnIndirect(&rectClip), TRUE);
    }
    else
        ::SetWindowRgn(m_hWnd, NULL, TRUE);
}

void COleIPFrameWnd::OnResizeBarTracked(const CRect& rectFrame)
{
    CRect rect = rectFrame;
    rect.DeflateRect(COleResizeBar::kBorderWidth, COleResizeBar::kBorderWidth);
    if (COleServerDoc* pDoc = GetServerDoc())
        pDoc->RequestPositionChange(rect);
}

void COleIPFrameWnd::RecalcLayout()
{
    CRect rect;
    GetClientRect(&rect);
    CWnd* pResizeBar = GetDlgItem(AFX_IDW_RESIZE_BAR);
    if (pResizeBar != NULL)
    {
        ::SetWindowPos(pResizeBar->m_hWnd, HWND_BOTTOM, rect.left, rect.top, rect.Width(),
                       rect.Height(), SWP_NOACTIVATE);
        rect.DeflateRect(COleResizeBar::kBorderWidth, COleResizeBar::kBorderWidth);
    }
    CWnd* pPane = GetDlgItem(AFX_IDW_PANE_FIRST);
    if (pPane != NULL)
        ::SetWindowPos(pPane->m_hWnd, HWND_TOP, rect.left, rect.top, rect.Width(), rect.Height(),
                       SWP_NOACTIVATE);
}

BOOL COleIPFrameWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    if (CFrameWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    CWinApp* pApp = AfxGetApp();
    return pApp != NULL && pApp->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

BOOL COleIPFrameWnd::PreTranslateMessage(MSG* pMsg)
{
    if (CFrameWnd::PreTranslateMessage(pMsg))
        return TRUE;
    // Keys the server has no use for may be the container's.
    if (pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST && m_bUIShown
        && m_lpFrame != NULL && m_frameInfo.haccel != NULL)
        return ::OleTranslateAccelerator(m_lpFrame, &m_frameInfo, pMsg) == S_OK;
    return FALSE;
}

void COleIPFrameWnd::OnDestroy()
{
    HideUserInterface();
    CFrameWnd::OnDestroy();
    if (m_hMenuInPlace != NULL)
        ::DestroyMenu(m_hMenuInPlace);
    m_hMenuInPlace = NULL;
}
