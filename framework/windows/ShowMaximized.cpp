#include "framework/windows/ShowMaximized.h"

void AfxShowMaximized(HWND hWnd)
{
    MONITORINFO monitor = {};
    monitor.cbSize = sizeof(monitor);
    if ((!::IsWindowVisible(hWnd) || !::IsZoomed(hWnd))
        && ::GetMonitorInfoA(::MonitorFromWindow(hWnd, MONITOR_DEFAULTTONEAREST), &monitor))
    {
        // A hidden window created with WS_MAXIMIZE counts as zoomed though
        // it never was: the style only asks for a maximized first showing,
        // which follows here.  Without it the window may be resized.
        LONG lStyle = ::GetWindowLongA(hWnd, GWL_STYLE);
        if (lStyle & WS_MAXIMIZE)
            ::SetWindowLongA(hWnd, GWL_STYLE, lStyle & ~WS_MAXIMIZE);
        const RECT& rc = monitor.rcWork;
        ::SetWindowPos(hWnd, NULL, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top,
                       SWP_NOZORDER | SWP_NOACTIVATE);
    }
    ::ShowWindow(hWnd, SW_SHOWMAXIMIZED);
}
