// Messages of the colour popup and the colour picker.  wParam is the
// colour; lParam is 0 from the popup and the control id from the picker.
#pragma once

#include <windows.h>
#include <commctrl.h>   // CLR_DEFAULT

#define WM_COLOUR_SELCHANGE (WM_USER + 1001)     // 2025: the highlighted colour changed
#define WM_COLOUR_DROPDOWN (WM_USER + 1002)      // 2026: the picker's popup opened
#define WM_COLOUR_CLOSEUP (WM_USER + 1003)       // 2027: the popup closed, before 2028/2029
#define WM_COLOUR_SELENDOK (WM_USER + 1004)      // 2028: a colour was chosen
#define WM_COLOUR_SELENDCANCEL (WM_USER + 1005)  // 2029: the choice was cancelled
