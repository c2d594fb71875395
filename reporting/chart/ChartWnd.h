// The chart control's window: a child window class that keeps a chart
// model, hands out its automation object and paints the chart with cairo
// into an image that it copies to the screen.  Mouse presses do nothing.
#pragma once

#include <windows.h>

// The window class name, registered by RegisterChartWindowClass.
#define CHART_WINDOW_CLASS "TallyformChart"

// Asks a chart window for its automation object: the LRESULT is an
// IDispatch* with a reference for the caller, NULL when it has none.  Only
// from the window's own process.
#define CHM_GETDISPATCH (WM_APP + 0x214)

class CChartModel;

// Registers the class once in this process; FALSE when that failed.
BOOL RegisterChartWindowClass();

// The model of a chart window of this process, NULL for another window.
const CChartModel* ChartModelOf(HWND hWnd);
