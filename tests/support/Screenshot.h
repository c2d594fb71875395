// Saves what the screen shows of a window as a 24-bit BMP file: evidence
// of how a control looked, never an assertion.
#pragma once

#include <windows.h>

BOOL SaveWindowScreenshot(HWND hWnd, LPCSTR lpszPath);
