// Text helpers for menu items: conversions between the ANSI code page and
// UTF-16, heap copies of wide strings, and the system's menu font.
#pragma once

#include <windows.h>

#include "framework/core/String.h"

// Each returns lpDest, or NULL when an argument is NULL or the conversion
// fails.  nDestLen counts destination characters (bytes for WideToAnsi).
LPWSTR AnsiToWide(LPWSTR lpDest, LPCSTR lpSrc, int nDestLen, UINT nCodePage);
LPSTR WideToAnsi(LPSTR lpDest, LPCWSTR lpSrc, int nDestLen, UINT nCodePage);
// lpsz in the ANSI code page ("" for NULL or an unconvertible text).
CString WideToAnsiString(LPCWSTR lpsz);

// A heap copy of lpsz ("" for NULL), freed with delete[].
LPWSTR DuplicateWide(LPCWSTR lpsz);
// Replaces the heap string rpsz with a copy of lpsz.
void ReplaceWide(LPWSTR& rpsz, LPCWSTR lpsz);
// The first tab in lpsz, or NULL.  (The C library's wide functions do not
// fit the 16-bit WCHAR of Winelib code, so these use plain loops.)
LPCWSTR FindTab(LPCWSTR lpsz);
// The character in lower case.
WCHAR LowerWide(WCHAR ch);

// The font of the system's menus (lfMenuFont); the caller deletes it.
HFONT CreateMenuFont();
