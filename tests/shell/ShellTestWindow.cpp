#include "tests/shell/ShellTestWindow.h"

BEGIN_MESSAGE_MAP(CShellTestWindow, CWnd)
    ON_WM_LBUTTONDOWN()
END_MESSAGE_MAP()

CShellTestWindow::CShellTestWindow()
{
    CreateEx(0, AfxRegisterWndClass(0, NULL, (HBRUSH)(COLOR_BTNFACE + 1)), "shell test",
             WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50, 50, 420, 300, NULL, NULL);
    UpdateWindow();
}

CShellTestWindow::~CShellTestWindow()
{
    DestroyWindow();
}

BOOL CShellTestWindow::OnNotify(WPARAM, LPARAM lParam, LRESULT* pResult)
{
    const NMHDR* pNMHDR = reinterpret_cast<const NMHDR*>(lParam);
    m_notifications.push_back({ pNMHDR->code, pNMHDR->idFrom, pNMHDR->hwndFrom });
    *pResult = 0;
    return TRUE;
}

BOOL CShellTestWindow::OnCommand(WPARAM wParam, LPARAM lParam)
{
    // Only what the control did not take for itself reaches the parent.
    if (CWnd::OnCommand(wParam, lParam))
        return TRUE;
    if (lParam != 0)
        m_commandCodes.push_back(HIWORD(wParam));
    return FALSE;
}

void CShellTestWindow::OnLButtonDown(UINT, CPoint)
{
    ++m_nClicks;
}

void PumpMessages()
{
    MSG msg;
    while (::PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE))
    {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
}

void PumpFor(DWORD nMilliseconds)
{
    DWORD dwStart = ::GetTickCount();
    while (::GetTickCount() - dwStart < nMilliseconds)
    {
        PumpMessages();
        ::Sleep(5);
    }
}
