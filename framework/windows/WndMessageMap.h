// The ON_WM_xxx message-map entries: each cracks wParam and lParam and
// calls the handler of the usual name and signature.  Entries that pass a
// CDC* or CMenu* need the GDI or menu header where the map is written.
#pragma once

#include "framework/windows/CmdTarget.h"

#ifndef WM_CTLCOLOR
#define WM_CTLCOLOR 0x0019
#endif

#define AFX_WM_ENTRY(message, body) { (UINT)(message), 0, 0, 0, AFX_THUNK(body), NULL },
#define AFX_POINT_OF(lParam) CPoint((int)(short)LOWORD(lParam), (int)(short)HIWORD(lParam))

#define ON_WM_CREATE() AFX_WM_ENTRY(WM_CREATE, \
    _call.lResult = _pThis->OnCreate(reinterpret_cast<LPCREATESTRUCT>(_call.lParam)); return TRUE;)
#define ON_WM_DESTROY() AFX_WM_ENTRY(WM_DESTROY, _pThis->OnDestroy(); return TRUE;)
#define ON_WM_NCDESTROY() AFX_WM_ENTRY(WM_NCDESTROY, _pThis->OnNcDestroy(); return TRUE;)
#define ON_WM_PAINT() AFX_WM_ENTRY(WM_PAINT, _pThis->OnPaint(); return TRUE;)
#define ON_WM_CLOSE() AFX_WM_ENTRY(WM_CLOSE, _pThis->OnClose(); return TRUE;)
#define ON_WM_SIZE() AFX_WM_ENTRY(WM_SIZE, \
    _pThis->OnSize((UINT)_call.wParam, (short)LOWORD(_call.lParam), (short)HIWORD(_call.lParam)); \
    return TRUE;)
#define ON_WM_TIMER() AFX_WM_ENTRY(WM_TIMER, _pThis->OnTimer((UINT_PTR)_call.wParam); return TRUE;)

#define AFX_MOUSE_ENTRY(message, fn) AFX_WM_ENTRY(message, \
    _pThis->fn((UINT)_call.wParam, AFX_POINT_OF(_call.lParam)); return TRUE;)
#define ON_WM_LBUTTONDOWN() AFX_MOUSE_ENTRY(WM_LBUTTONDOWN, OnLButtonDown)
#define ON_WM_LBUTTONUP() AFX_MOUSE_ENTRY(WM_LBUTTONUP, OnLButtonUp)
#define ON_WM_LBUTTONDBLCLK() AFX_MOUSE_ENTRY(WM_LBUTTONDBLCLK, OnLButtonDblClk)
#define ON_WM_RBUTTONDOWN() AFX_MOUSE_ENTRY(WM_RBUTTONDOWN, OnRButtonDown)
#define ON_WM_RBUTTONUP() AFX_MOUSE_ENTRY(WM_RBUTTONUP, OnRButtonUp)
#define ON_WM_MOUSEMOVE() AFX_MOUSE_ENTRY(WM_MOUSEMOVE, OnMouseMove)

#define AFX_KEY_ENTRY(message, fn) AFX_WM_ENTRY(message, \
    _pThis->fn((UINT)_call.wParam, LOWORD(_call.lParam), HIWORD(_call.lParam)); return TRUE;)
#define ON_WM_KEYDOWN() AFX_KEY_ENTRY(WM_KEYDOWN, OnKeyDown)
#define ON_WM_KEYUP() AFX_KEY_ENTRY(WM_KEYUP, OnKeyUp)
#define ON_WM_CHAR() AFX_KEY_ENTRY(WM_CHAR, OnChar)

#define ON_WM_SETFOCUS() AFX_WM_ENTRY(WM_SETFOCUS, \
    _pThis->OnSetFocus(CWnd::FromHandle(reinterpret_cast<HWND>(_call.wParam))); return TRUE;)
#define ON_WM_KILLFOCUS() AFX_WM_ENTRY(WM_KILLFOCUS, \
    _pThis->OnKillFocus(CWnd::FromHandle(reinterpret_cast<HWND>(_call.wParam))); return TRUE;)
#define ON_WM_ERASEBKGND() AFX_WM_ENTRY(WM_ERASEBKGND, \
    _call.lResult = _pThis->OnEraseBkgnd(CDC::FromHandle(reinterpret_cast<HDC>(_call.wParam))); \
    return TRUE;)

// Serves every WM_CTLCOLORxxx message; nCtlColor is CTLCOLOR_xxx.
#define ON_WM_CTLCOLOR() AFX_WM_ENTRY(WM_CTLCOLOR, \
    _call.lResult = reinterpret_cast<LRESULT>(_pThis->OnCtlColor( \
        CDC::FromHandle(reinterpret_cast<HDC>(_call.wParam)), \
        CWnd::FromHandle(reinterpret_cast<HWND>(_call.lParam)), _call.nMessage - WM_CTLCOLORMSGBOX)); \
    return TRUE;)
#define ON_WM_CTLCOLOR_REFLECT() AFX_WM_ENTRY(WM_REFLECT_BASE + WM_CTLCOLOR, \
    _call.lResult = reinterpret_cast<LRESULT>(_pThis->CtlColor( \
        CDC::FromHandle(reinterpret_cast<HDC>(_call.wParam)), _call.nMessage - WM_CTLCOLORMSGBOX)); \
    return TRUE;)

#define ON_WM_DRAWITEM() AFX_WM_ENTRY(WM_DRAWITEM, \
    _pThis->OnDrawItem((int)_call.wParam, reinterpret_cast<LPDRAWITEMSTRUCT>(_call.lParam)); \
    _call.lResult = TRUE; return TRUE;)
#define ON_WM_MEASUREITEM() AFX_WM_ENTRY(WM_MEASUREITEM, \
    _pThis->OnMeasureItem((int)_call.wParam, reinterpret_cast<LPMEASUREITEMSTRUCT>(_call.lParam)); \
    _call.lResult = TRUE; return TRUE;)

#define AFX_SCROLL_ENTRY(message, fn) AFX_WM_ENTRY(message, \
    _pThis->fn(LOWORD(_call.wParam), HIWORD(_call.wParam), \
               reinterpret_cast<CScrollBar*>(CWnd::FromHandle(reinterpret_cast<HWND>(_call.lParam)))); \
    return TRUE;)
#define ON_WM_HSCROLL() AFX_SCROLL_ENTRY(WM_HSCROLL, OnHScroll)
#define ON_WM_VSCROLL() AFX_SCROLL_ENTRY(WM_VSCROLL, OnVScroll)

#define ON_WM_SETCURSOR() AFX_WM_ENTRY(WM_SETCURSOR, \
    _call.lResult = _pThis->OnSetCursor(CWnd::FromHandle(reinterpret_cast<HWND>(_call.wParam)), \
                                        LOWORD(_call.lParam), HIWORD(_call.lParam)); \
    return TRUE;)
#define ON_WM_ENABLE() AFX_WM_ENTRY(WM_ENABLE, _pThis->OnEnable((BOOL)_call.wParam); return TRUE;)
#define ON_WM_ACTIVATE() AFX_WM_ENTRY(WM_ACTIVATE, \
    _pThis->OnActivate(LOWORD(_call.wParam), CWnd::FromHandle(reinterpret_cast<HWND>(_call.lParam)), \
                       (BOOL)HIWORD(_call.wParam)); \
    return TRUE;)
#define ON_WM_ACTIVATEAPP() AFX_WM_ENTRY(WM_ACTIVATEAPP, \
    _pThis->OnActivateApp((BOOL)_call.wParam, (DWORD)_call.lParam); return TRUE;)
#define ON_WM_GETMINMAXINFO() AFX_WM_ENTRY(WM_GETMINMAXINFO, \
    _pThis->OnGetMinMaxInfo(reinterpret_cast<MINMAXINFO*>(_call.lParam)); return TRUE;)
#define ON_WM_CONTEXTMENU() AFX_WM_ENTRY(WM_CONTEXTMENU, \
    _pThis->OnContextMenu(CWnd::FromHandle(reinterpret_cast<HWND>(_call.wParam)), \
                          AFX_POINT_OF(_call.lParam)); \
    return TRUE;)
#define ON_WM_NCHITTEST() AFX_WM_ENTRY(WM_NCHITTEST, \
    _call.lResult = _pThis->OnNcHitTest(AFX_POINT_OF(_call.lParam)); return TRUE;)
#define ON_WM_SYSCOLORCHANGE() AFX_WM_ENTRY(WM_SYSCOLORCHANGE, _pThis->OnSysColorChange(); return TRUE;)
#define ON_WM_SHOWWINDOW() AFX_WM_ENTRY(WM_SHOWWINDOW, \
    _pThis->OnShowWindow((BOOL)_call.wParam, (UINT)_call.lParam); return TRUE;)
#define ON_WM_MENUCHAR() AFX_WM_ENTRY(WM_MENUCHAR, \
    _call.lResult = _pThis->OnMenuChar(LOWORD(_call.wParam), HIWORD(_call.wParam), \
                                       CMenu::FromHandle(reinterpret_cast<HMENU>(_call.lParam))); \
    return TRUE;)
#define ON_WM_INITMENUPOPUP() AFX_WM_ENTRY(WM_INITMENUPOPUP, \
    _pThis->OnInitMenuPopup(CMenu::FromHandle(reinterpret_cast<HMENU>(_call.wParam)), \
                            LOWORD(_call.lParam), (BOOL)HIWORD(_call.lParam)); \
    return TRUE;)
#define ON_WM_DROPFILES() AFX_WM_ENTRY(WM_DROPFILES, \
    _pThis->OnDropFiles(reinterpret_cast<HDROP>(_call.wParam)); return TRUE;)
#define ON_WM_QUERYNEWPALETTE() AFX_WM_ENTRY(WM_QUERYNEWPALETTE, \
    _call.lResult = _pThis->OnQueryNewPalette(); return TRUE;)
#define ON_WM_PALETTECHANGED() AFX_WM_ENTRY(WM_PALETTECHANGED, \
    _pThis->OnPaletteChanged(CWnd::FromHandle(reinterpret_cast<HWND>(_call.wParam))); return TRUE;)

// Owner-draw messages reflected to the control that is drawn.
#define ON_WM_DRAWITEM_REFLECT() AFX_WM_ENTRY(WM_REFLECT_BASE + WM_DRAWITEM, \
    _pThis->DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(_call.lParam)); _call.lResult = TRUE; return TRUE;)
#define ON_WM_MEASUREITEM_REFLECT() AFX_WM_ENTRY(WM_REFLECT_BASE + WM_MEASUREITEM, \
    _pThis->MeasureItem(reinterpret_cast<LPMEASUREITEMSTRUCT>(_call.lParam)); _call.lResult = TRUE; \
    return TRUE;)
