#include "view/CellPick.h"

#include "framework/docview/WinApp.h"
#include "view/TallyformView.h"

namespace
{
// The picking state is the thread's: the hook is installed for the user
// interface thread only.
HHOOK g_hPickHook = NULL;
HWND g_hPickDialog = NULL;

// The dialog itself, one of its controls, or a window two levels below it.
BOOL BelongsToDialog(HWND hWnd)
{
    if (g_hPickDialog == NULL || hWnd == NULL)
        return FALSE;
    if (hWnd == g_hPickDialog || ::IsChild(g_hPickDialog, hWnd))
        return TRUE;
    HWND hParent = ::GetParent(hWnd);
    return hParent != NULL && (hParent == g_hPickDialog || ::GetParent(hParent) == g_hPickDialog);
}

WPARAM LiveKeyFlags()
{
    WPARAM wFlags = 0;
    if (::GetKeyState(VK_CONTROL) < 0)
        wFlags |= MK_CONTROL;
    if (::GetKeyState(VK_SHIFT) < 0)
        wFlags |= MK_SHIFT;
    if (::GetKeyState(VK_LBUTTON) < 0 || ::GetKeyState(VK_RBUTTON) < 0)
        wFlags |= MK_LBUTTON;
    return wFlags;
}

BOOL IsBlockedPress(WPARAM wMessage)
{
    switch (wMessage)
    {
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_NCLBUTTONDOWN:
    case WM_NCRBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK:
        return TRUE;
    default:
        return FALSE;
    }
}

LRESULT CALLBACK CellPickMouseProc(int nCode, WPARAM wParam, LPARAM lParam)
{
    if (nCode < 0)
        return ::CallNextHookEx(g_hPickHook, nCode, wParam, lParam);
    const MOUSEHOOKSTRUCT* pMouse = reinterpret_cast<const MOUSEHOOKSTRUCT*>(lParam);
    if (BelongsToDialog(pMouse->hwnd))
        return ::CallNextHookEx(g_hPickHook, nCode, wParam, lParam);
    HWND hView = GetCellPickViewWindow();
    if (hView != NULL && pMouse->hwnd == hView)
    {
        // The view gets plain moves, presses and releases again, posted
        // with its own coordinates and the keys as they are now; every
        // other mouse message for it goes nowhere.
        if (wParam == WM_MOUSEMOVE || wParam == WM_LBUTTONDOWN || wParam == WM_LBUTTONUP)
        {
            POINT pt = pMouse->pt;
            ::ScreenToClient(hView, &pt);
            ::PostMessageA(hView, (UINT)wParam, LiveKeyFlags(), MAKELPARAM(pt.x, pt.y));
        }
        return 1;
    }
    if (IsBlockedPress(wParam))
    {
        ::MessageBeep((UINT)-1);
        return 1;
    }
    return ::CallNextHookEx(g_hPickHook, nCode, wParam, lParam);
}

HWND MainWindow()
{
    CWnd* pMain = AfxGetMainWnd();
    return pMain != NULL ? pMain->GetSafeHwnd() : NULL;
}
} // namespace

BOOL BeginCellPick(HWND hDialog)
{
    if (g_hPickHook != NULL)
        return FALSE;
    g_hPickDialog = hDialog;
    g_hPickHook = ::SetWindowsHookExA(WH_MOUSE, &CellPickMouseProc, NULL, ::GetCurrentThreadId());
    if (g_hPickHook == NULL)
    {
        g_hPickDialog = NULL;
        return FALSE;
    }
    if (HWND hMain = MainWindow())
        ::EnableWindow(hMain, TRUE);
    return TRUE;
}

void EndCellPick(HWND hDialog)
{
    if (g_hPickHook != NULL && ::UnhookWindowsHookEx(g_hPickHook))
    {
        if (HWND hMain = MainWindow())
            ::EnableWindow(hMain, FALSE);
        if (hDialog != NULL)
            ::EnableWindow(hDialog, TRUE);
    }
    g_hPickHook = NULL;
    g_hPickDialog = NULL;
}

BOOL IsCellPicking()
{
    return g_hPickHook != NULL;
}

HWND GetCellPickDialogWindow()
{
    return g_hPickDialog;
}

HWND GetCellPickViewWindow()
{
    CTallyformView* pView = CTallyformView::GetMainActiveView();
    return pView != NULL ? pView->GetSafeHwnd() : NULL;
}
