#include "framework/docview/MiniDockFrame.h"

#include <algorithm>

#include "framework/windows/ScopedGdi.h"

IMPLEMENT_DYNAMIC(CMiniDockFrameWnd, CFrameWnd)

BEGIN_MESSAGE_MAP(CMiniDockFrameWnd, CFrameWnd)
    ON_WM_CLOSE()
    ON_MESSAGE(WM_NCLBUTTONDOWN, OnNcLButtonDown)
END_MESSAGE_MAP()

CMiniDockFrameWnd::CMiniDockFrameWnd() : m_wndDockBar(TRUE), m_bInRecalc(FALSE)
{
}

BOOL CMiniDockFrameWnd::Create(CFrameWnd* pDockSite, DWORD dwBarStyle)
{
    LPCSTR lpszClass = AfxRegisterWndClass(0, ::LoadCursorA(NULL, IDC_ARROW),
                                           reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
    DWORD dwStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
    // Until it is made, a failing frame stays the caller's to delete.
    m_bInCreate = TRUE;
    BOOL bCreated = CreateEx(WS_EX_TOOLWINDOW, lpszClass, "", dwStyle, 0, 0, 0, 0,
                             pDockSite->GetSafeHwnd(), NULL);
    if (bCreated && !m_wndDockBar.Create(this, dwBarStyle, AFX_IDW_DOCKBAR_FLOAT))
    {
        DestroyWindow();
        bCreated = FALSE;
    }
    m_bInCreate = FALSE;
    return bCreated;
}

void CMiniDockFrameWnd::RecalcLayout()
{
    if (m_wndDockBar.m_hWnd == NULL || m_bInRecalc)
        return;
    m_bInRecalc = TRUE;
    CSize size = m_wndDockBar.LayoutBars(32767, TRUE);
    // The caption is the first bar's title.
    if (m_wndDockBar.m_arrBars.GetSize() > 0)
    {
        CString strTitle;
        static_cast<CWnd*>(m_wndDockBar.m_arrBars[0])->GetWindowText(strTitle);
        m_strTitle = strTitle;
        CString strOld;
        GetWindowText(strOld);
        if (strOld != strTitle)
            SetWindowText(strTitle);
    }
    // A bar narrower than its title gets a frame as wide as the title.
    size.cx = std::max<int>(size.cx, CaptionWidth());
    m_wndDockBar.SetWindowPos(NULL, 0, 0, size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE);
    CRect rect(0, 0, size.cx, size.cy);
    ::AdjustWindowRectEx(&rect, GetStyle(), FALSE, GetExStyle());
    SetWindowPos(NULL, 0, 0, rect.Width(), rect.Height(),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    m_bInRecalc = FALSE;
}

int CMiniDockFrameWnd::CaptionWidth()
{
    NONCLIENTMETRICSA metrics = {};
    metrics.cbSize = sizeof(metrics);
    if (!::SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0))
        return 0;
    CScopedGdiObject font(::CreateFontIndirectA(&metrics.lfSmCaptionFont));
    CClientDC dc(this);
    SIZE sizeText = { 0, 0 };
    {
        CScopedSelectObject select(dc.m_hDC, font.Get());
        ::GetTextExtentPoint32A(dc.m_hDC, m_strTitle, m_strTitle.GetLength(), &sizeText);
    }
    // Room on both sides of the text, and for the close box when there is one.
    int cx = sizeText.cx + 4 * ::GetSystemMetrics(SM_CXEDGE);
    if (GetStyle() & WS_SYSMENU)
        cx += ::GetSystemMetrics(SM_CXSMSIZE);
    return cx;
}

void CMiniDockFrameWnd::OnClose()
{
    // Closing hides the bars; they stay their frame's.
    for (INT_PTR i = m_wndDockBar.m_arrBars.GetSize() - 1; i >= 0; --i)
    {
        CControlBar* pBar = static_cast<CControlBar*>(m_wndDockBar.m_arrBars[i]);
        if (pBar != NULL && pBar->m_pDockSite != NULL)
            pBar->m_pDockSite->ShowControlBar(pBar, FALSE, FALSE);
    }
    ShowWindow(SW_HIDE);
}

LRESULT CMiniDockFrameWnd::OnNcLButtonDown(WPARAM wParam, LPARAM lParam)
{
    CControlBar* pBar = m_wndDockBar.GetDockedCount() == 1
        ? static_cast<CControlBar*>(m_wndDockBar.m_arrBars[0]) : NULL;
    if (wParam != HTCAPTION || pBar == NULL || pBar->m_dwDockStyle == 0)
        return Default();
    pBar->StartDrag(CPoint((int)(short)LOWORD(lParam), (int)(short)HIWORD(lParam)));
    return 0;
}
