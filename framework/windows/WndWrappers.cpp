// CWnd's thin wrappers of the Win32 window calls.
#include "framework/windows/Wnd.h"

#include "framework/core/MessageSink.h"

CWnd* CWnd::GetParent() const
{
    return FromHandle(::GetParent(m_hWnd));
}

CWnd* CWnd::GetOwner() const
{
    if (m_hWndOwner != NULL)
        return FromHandle(m_hWndOwner);
    HWND hOwner = ::GetWindow(m_hWnd, GW_OWNER);
    return FromHandle(hOwner != NULL ? hOwner : ::GetParent(m_hWnd));
}

void CWnd::SetOwner(CWnd* pOwnerWnd)
{
    m_hWndOwner = pOwnerWnd->GetSafeHwnd();
}

CWnd* CWnd::GetTopLevelParent() const
{
    if (m_hWnd == NULL)
        return NULL;
    HWND hWnd = m_hWnd;
    while (::GetWindowLongA(hWnd, GWL_STYLE) & WS_CHILD)
    {
        HWND hParent = ::GetParent(hWnd);
        if (hParent == NULL)
            break;
        hWnd = hParent;
    }
    return FromHandle(hWnd);
}

CWnd* CWnd::GetSafeOwner(CWnd* pParent)
{
    HWND hWnd = pParent->GetSafeHwnd();
    if (hWnd == NULL)
        hWnd = ::GetActiveWindow();
    if (hWnd == NULL)
        return NULL;
    return FromHandle(hWnd)->GetTopLevelParent();
}

CWnd* CWnd::GetDescendantWindow(int nID, BOOL bOnlyPerm) const
{
    for (HWND hChild = ::GetWindow(m_hWnd, GW_CHILD); hChild != NULL;
         hChild = ::GetWindow(hChild, GW_HWNDNEXT))
    {
        if (::GetDlgCtrlID(hChild) == nID)
        {
            CWnd* pWnd = bOnlyPerm ? FromHandlePermanent(hChild) : FromHandle(hChild);
            if (pWnd != NULL)
                return pWnd;
        }
        CWnd* pFound = FromHandle(hChild)->GetDescendantWindow(nID, bOnlyPerm);
        if (pFound != NULL)
            return pFound;
    }
    return NULL;
}

void CWnd::SendMessageToDescendants(UINT message, WPARAM wParam, LPARAM lParam, BOOL bDeep,
                                    BOOL bOnlyPerm)
{
    for (HWND hChild = ::GetWindow(m_hWnd, GW_CHILD); hChild != NULL;
         hChild = ::GetWindow(hChild, GW_HWNDNEXT))
    {
        if (bOnlyPerm)
        {
            CWnd* pWnd = FromHandlePermanent(hChild);
            if (pWnd != NULL)
                AfxCallWndProc(pWnd, hChild, message, wParam, lParam);
        }
        else
        {
            ::SendMessageA(hChild, message, wParam, lParam);
        }
        if (bDeep && ::GetWindow(hChild, GW_CHILD) != NULL)
            FromHandle(hChild)->SendMessageToDescendants(message, wParam, lParam, bDeep, bOnlyPerm);
    }
}

CWnd* CWnd::GetDlgItem(int nID) const
{
    return FromHandle(::GetDlgItem(m_hWnd, nID));
}

int CWnd::GetDlgCtrlID() const
{
    return ::GetDlgCtrlID(m_hWnd);
}

CWnd* CWnd::GetNextDlgTabItem(CWnd* pWndCtl, BOOL bPrevious) const
{
    return FromHandle(::GetNextDlgTabItem(m_hWnd, pWndCtl->GetSafeHwnd(), bPrevious));
}

void CWnd::SetWindowText(LPCSTR lpszString)
{
    ::SetWindowTextA(m_hWnd, lpszString);
}

int CWnd::GetWindowText(LPSTR lpszStringBuf, int nMaxCount) const
{
    return ::GetWindowTextA(m_hWnd, lpszStringBuf, nMaxCount);
}

void CWnd::GetWindowText(CString& rString) const
{
    int nLen = ::GetWindowTextLengthA(m_hWnd);
    LPSTR p = rString.GetBuffer(nLen + 1);
    int nGot = ::GetWindowTextA(m_hWnd, p, nLen + 1);
    rString.ReleaseBuffer(nGot);
}

int CWnd::GetWindowTextLength() const
{
    return ::GetWindowTextLengthA(m_hWnd);
}

void CWnd::SetDlgItemText(int nID, LPCSTR lpszString)
{
    ::SetDlgItemTextA(m_hWnd, nID, lpszString);
}

int CWnd::GetDlgItemText(int nID, CString& rString) const
{
    rString.Empty();
    HWND hWnd = ::GetDlgItem(m_hWnd, nID);
    if (hWnd != NULL)
        FromHandle(hWnd)->GetWindowText(rString);
    return rString.GetLength();
}

void CWnd::GetClientRect(LPRECT lpRect) const
{
    ::GetClientRect(m_hWnd, lpRect);
}

void CWnd::GetWindowRect(LPRECT lpRect) const
{
    ::GetWindowRect(m_hWnd, lpRect);
}

void CWnd::ScreenToClient(LPPOINT lpPoint) const
{
    ::ScreenToClient(m_hWnd, lpPoint);
}

void CWnd::ScreenToClient(LPRECT lpRect) const
{
    ::MapWindowPoints(NULL, m_hWnd, reinterpret_cast<LPPOINT>(lpRect), 2);
}

void CWnd::ClientToScreen(LPPOINT lpPoint) const
{
    ::ClientToScreen(m_hWnd, lpPoint);
}

void CWnd::ClientToScreen(LPRECT lpRect) const
{
    ::MapWindowPoints(m_hWnd, NULL, reinterpret_cast<LPPOINT>(lpRect), 2);
}

void CWnd::MoveWindow(int x, int y, int nWidth, int nHeight, BOOL bRepaint)
{
    ::MoveWindow(m_hWnd, x, y, nWidth, nHeight, bRepaint);
}

void CWnd::MoveWindow(LPCRECT lpRect, BOOL bRepaint)
{
    MoveWindow(lpRect->left, lpRect->top, lpRect->right - lpRect->left,
               lpRect->bottom - lpRect->top, bRepaint);
}

BOOL CWnd::SetWindowPos(const CWnd* pWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags)
{
    return ::SetWindowPos(m_hWnd, pWndInsertAfter->GetSafeHwnd(), x, y, cx, cy, nFlags);
}

void CWnd::Invalidate(BOOL bErase)
{
    ::InvalidateRect(m_hWnd, NULL, bErase);
}

void CWnd::InvalidateRect(LPCRECT lpRect, BOOL bErase)
{
    ::InvalidateRect(m_hWnd, lpRect, bErase);
}

void CWnd::ValidateRect(LPCRECT lpRect)
{
    ::ValidateRect(m_hWnd, lpRect);
}

void CWnd::UpdateWindow()
{
    ::UpdateWindow(m_hWnd);
}

BOOL CWnd::RedrawWindow(LPCRECT lpRectUpdate, HRGN hrgnUpdate, UINT flags)
{
    return ::RedrawWindow(m_hWnd, lpRectUpdate, hrgnUpdate, flags);
}

BOOL CWnd::ShowWindow(int nCmdShow)
{
    return ::ShowWindow(m_hWnd, nCmdShow);
}

BOOL CWnd::IsWindowVisible() const
{
    return ::IsWindowVisible(m_hWnd);
}

BOOL CWnd::EnableWindow(BOOL bEnable)
{
    return ::EnableWindow(m_hWnd, bEnable);
}

BOOL CWnd::IsWindowEnabled() const
{
    return ::IsWindowEnabled(m_hWnd);
}

BOOL CWnd::IsChild(const CWnd* pWnd) const
{
    return ::IsChild(m_hWnd, pWnd->GetSafeHwnd());
}

CWnd* CWnd::SetFocus()
{
    return FromHandle(::SetFocus(m_hWnd));
}

CWnd* CWnd::GetFocus()
{
    return FromHandle(::GetFocus());
}

CWnd* CWnd::SetCapture()
{
    return FromHandle(::SetCapture(m_hWnd));
}

CWnd* CWnd::GetCapture()
{
    return FromHandle(::GetCapture());
}

BOOL CWnd::ReleaseCapture()
{
    return ::ReleaseCapture();
}

UINT_PTR CWnd::SetTimer(UINT_PTR nIDEvent, UINT nElapse,
                        void (CALLBACK* lpfnTimer)(HWND, UINT, UINT_PTR, DWORD))
{
    return ::SetTimer(m_hWnd, nIDEvent, nElapse, lpfnTimer);
}

BOOL CWnd::KillTimer(UINT_PTR nIDEvent)
{
    return ::KillTimer(m_hWnd, nIDEvent);
}

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) const
{
    return ::SendMessageA(m_hWnd, message, wParam, lParam);
}

BOOL CWnd::PostMessage(UINT message, WPARAM wParam, LPARAM lParam) const
{
    return ::PostMessageA(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::SendDlgItemMessage(int nID, UINT message, WPARAM wParam, LPARAM lParam) const
{
    return ::SendDlgItemMessageA(m_hWnd, nID, message, wParam, lParam);
}

DWORD CWnd::GetStyle() const
{
    return (DWORD)::GetWindowLongA(m_hWnd, GWL_STYLE);
}

DWORD CWnd::GetExStyle() const
{
    return (DWORD)::GetWindowLongA(m_hWnd, GWL_EXSTYLE);
}

namespace {
BOOL ModifyLong(HWND hWnd, int nIndex, DWORD dwRemove, DWORD dwAdd, UINT nFlags)
{
    DWORD dwOld = (DWORD)::GetWindowLongA(hWnd, nIndex);
    DWORD dwNew = (dwOld & ~dwRemove) | dwAdd;
    if (dwOld == dwNew)
        return FALSE;
    ::SetWindowLongA(hWnd, nIndex, (LONG)dwNew);
    if (nFlags != 0)
        ::SetWindowPos(hWnd, NULL, 0, 0, 0, 0,
                       SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | nFlags);
    return TRUE;
}
}

BOOL CWnd::ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags)
{
    return ModifyLong(m_hWnd, GWL_STYLE, dwRemove, dwAdd, nFlags);
}

BOOL CWnd::ModifyStyleEx(DWORD dwRemove, DWORD dwAdd, UINT nFlags)
{
    return ModifyLong(m_hWnd, GWL_EXSTYLE, dwRemove, dwAdd, nFlags);
}

void CWnd::SetFont(CFont* pFont, BOOL bRedraw)
{
    ::SendMessageA(m_hWnd, WM_SETFONT, reinterpret_cast<WPARAM>(pFont != NULL ? pFont->m_hObject : NULL), bRedraw);
}

CFont* CWnd::GetFont() const
{
    HFONT hFont = reinterpret_cast<HFONT>(::SendMessageA(m_hWnd, WM_GETFONT, 0, 0));
    return hFont != NULL ? CFont::FromHandle(hFont) : NULL;
}

CDC* CWnd::GetDC()
{
    HDC hDC = ::GetDC(m_hWnd);
    return hDC != NULL ? CDC::FromHandle(hDC) : NULL;
}

CDC* CWnd::GetWindowDC()
{
    HDC hDC = ::GetWindowDC(m_hWnd);
    return hDC != NULL ? CDC::FromHandle(hDC) : NULL;
}

int CWnd::ReleaseDC(CDC* pDC)
{
    return ::ReleaseDC(m_hWnd, pDC->GetSafeHdc());
}

void CWnd::CenterWindow(CWnd* pAlternateOwner)
{
    HWND hWndCenter = pAlternateOwner->GetSafeHwnd();
    if (hWndCenter == NULL)
        hWndCenter = (GetStyle() & WS_CHILD) ? ::GetParent(m_hWnd) : ::GetWindow(m_hWnd, GW_OWNER);
    RECT rcDlg, rcArea, rcCenter;
    ::GetWindowRect(m_hWnd, &rcDlg);
    if (GetStyle() & WS_CHILD)
    {
        HWND hParent = ::GetParent(m_hWnd);
        ::GetClientRect(hParent, &rcArea);
        if (hWndCenter == hParent)
            rcCenter = rcArea;
        else
        {
            ::GetWindowRect(hWndCenter, &rcCenter);
            ::MapWindowPoints(NULL, hParent, reinterpret_cast<LPPOINT>(&rcCenter), 2);
        }
        ::MapWindowPoints(NULL, hParent, reinterpret_cast<LPPOINT>(&rcDlg), 2);
    }
    else
    {
        MONITORINFO mi = {};
        mi.cbSize = sizeof(mi);
        HMONITOR hMon = ::MonitorFromWindow(hWndCenter != NULL ? hWndCenter : m_hWnd,
                                            MONITOR_DEFAULTTOPRIMARY);
        ::GetMonitorInfoA(hMon, &mi);
        rcArea = mi.rcWork;
        if (hWndCenter != NULL && ::IsWindowVisible(hWndCenter) && !::IsIconic(hWndCenter))
            ::GetWindowRect(hWndCenter, &rcCenter);
        else
            rcCenter = rcArea;
    }
    int cx = rcDlg.right - rcDlg.left;
    int cy = rcDlg.bottom - rcDlg.top;
    int x = (rcCenter.left + rcCenter.right - cx) / 2;
    int y = (rcCenter.top + rcCenter.bottom - cy) / 2;
    // Keep the window inside the work area (or the parent's client area).
    if (x + cx > rcArea.right)
        x = rcArea.right - cx;
    if (x < rcArea.left)
        x = rcArea.left;
    if (y + cy > rcArea.bottom)
        y = rcArea.bottom - cy;
    if (y < rcArea.top)
        y = rcArea.top;
    ::SetWindowPos(m_hWnd, NULL, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

CWnd* CWnd::GetWindow(UINT nCmd) const
{
    return FromHandle(::GetWindow(m_hWnd, nCmd));
}

CWnd* CWnd::GetTopWindow() const
{
    return FromHandle(::GetTopWindow(m_hWnd));
}

CWnd* CWnd::GetActiveWindow()
{
    return FromHandle(::GetActiveWindow());
}

CWnd* CWnd::SetActiveWindow()
{
    return FromHandle(::SetActiveWindow(m_hWnd));
}

BOOL CWnd::SetForegroundWindow()
{
    return ::SetForegroundWindow(m_hWnd);
}

BOOL CWnd::BringWindowToTop()
{
    return ::BringWindowToTop(m_hWnd);
}

void CWnd::DrawMenuBar()
{
    ::DrawMenuBar(m_hWnd);
}

int CWnd::GetScrollPos(int nBar) const
{
    return ::GetScrollPos(m_hWnd, nBar);
}

int CWnd::SetScrollPos(int nBar, int nPos, BOOL bRedraw)
{
    return ::SetScrollPos(m_hWnd, nBar, nPos, bRedraw);
}

void CWnd::GetScrollRange(int nBar, LPINT lpMinPos, LPINT lpMaxPos) const
{
    ::GetScrollRange(m_hWnd, nBar, lpMinPos, lpMaxPos);
}

void CWnd::SetScrollRange(int nBar, int nMinPos, int nMaxPos, BOOL bRedraw)
{
    ::SetScrollRange(m_hWnd, nBar, nMinPos, nMaxPos, bRedraw);
}

BOOL CWnd::GetScrollInfo(int nBar, LPSCROLLINFO lpScrollInfo, UINT nMask) const
{
    lpScrollInfo->cbSize = sizeof(SCROLLINFO);
    lpScrollInfo->fMask = nMask;
    return ::GetScrollInfo(m_hWnd, nBar, lpScrollInfo);
}

BOOL CWnd::SetScrollInfo(int nBar, LPSCROLLINFO lpScrollInfo, BOOL bRedraw)
{
    lpScrollInfo->cbSize = sizeof(SCROLLINFO);
    ::SetScrollInfo(m_hWnd, nBar, lpScrollInfo, bRedraw);
    return TRUE;
}

void CWnd::ShowScrollBar(UINT nBar, BOOL bShow)
{
    ::ShowScrollBar(m_hWnd, (int)nBar, bShow);
}

void CWnd::ScrollWindow(int xAmount, int yAmount, LPCRECT lpRect, LPCRECT lpClipRect)
{
    ::ScrollWindow(m_hWnd, xAmount, yAmount, lpRect, lpClipRect);
}

void CWnd::CheckDlgButton(int nIDButton, UINT nCheck)
{
    ::CheckDlgButton(m_hWnd, nIDButton, nCheck);
}

UINT CWnd::IsDlgButtonChecked(int nIDButton) const
{
    return ::IsDlgButtonChecked(m_hWnd, nIDButton);
}

void CWnd::CheckRadioButton(int nIDFirstButton, int nIDLastButton, int nIDCheckButton)
{
    ::CheckRadioButton(m_hWnd, nIDFirstButton, nIDLastButton, nIDCheckButton);
}

UINT CWnd::GetDlgItemInt(int nID, BOOL* lpTrans, BOOL bSigned) const
{
    return ::GetDlgItemInt(m_hWnd, nID, lpTrans, bSigned);
}

void CWnd::SetDlgItemInt(int nID, UINT nValue, BOOL bSigned)
{
    ::SetDlgItemInt(m_hWnd, nID, nValue, bSigned);
}

namespace
{
// The window a message box of hWnd belongs to: its top-level window, or the
// modal dialog that window is disabled for.  A box owned by a child would
// enable the child's disabled top-level window when it closes (Wine), and
// the dialog would fall behind it.
HWND MessageOwnerOf(HWND hWnd)
{
    HWND hTop = hWnd != NULL ? ::GetAncestor(hWnd, GA_ROOT) : NULL;
    if (hTop == NULL || ::IsWindowEnabled(hTop))
        return hTop;
    HWND hPopup = ::GetLastActivePopup(hTop);
    return hPopup != NULL && ::IsWindowEnabled(hPopup) ? hPopup : hTop;
}
}

int CWnd::MessageBox(LPCSTR lpszText, LPCSTR lpszCaption, UINT nType)
{
    LPCSTR lpszTitle = lpszCaption != NULL ? lpszCaption : AfxGetMessageCaption();
    HWND hOwner = MessageOwnerOf(m_hWnd);
    AFX_MESSAGE_SINK pfnSink = AfxGetMessageSink();
    if (pfnSink != NULL)
        return pfnSink(hOwner, lpszText, lpszTitle, nType);
    return ::MessageBoxA(hOwner, lpszText, lpszTitle, nType);
}

CWnd::CWnd(HWND hWndPosition) : m_hWnd(hWndPosition), m_pfnSuper(NULL), m_hWndOwner(NULL)
{
}

const CWnd CWnd::wndTop(HWND_TOP);
const CWnd CWnd::wndBottom(HWND_BOTTOM);
const CWnd CWnd::wndTopMost(HWND_TOPMOST);
const CWnd CWnd::wndNoTopMost(HWND_NOTOPMOST);
