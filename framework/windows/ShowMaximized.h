// Shows a top-level window maximized so that it fills the work area of its
// monitor, with or without a window manager.
#pragma once

#include <windows.h>

// Wine leaves the sizing of a maximized managed window to the window
// manager and keeps its X window at the restored size; with no manager the
// window would show at that size.  A window not yet shown maximized is
// therefore first given the work area's size (a WS_MAXIMIZE style of its
// creation is taken off for that), then maximized.
void AfxShowMaximized(HWND hWnd);
