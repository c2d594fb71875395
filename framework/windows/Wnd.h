// CWnd: a C++ object bound to a window handle, whose messages are
// dispatched through the class's message map.
#pragma once

#include "framework/core/String.h"

#include <commctrl.h>

#include "framework/windows/CmdTarget.h"
#include "framework/windows/Dc.h"
#include "framework/windows/Geometry.h"
#include "framework/windows/WndMessageMap.h"

class CScrollBar;
class CMenu;
class CDataExchange;
struct CCreateContext;

// Registers (once) a framework window class with these attributes and
// returns its name; the name stays valid for the life of the module.
LPCSTR AfxRegisterWndClass(UINT nClassStyle, HCURSOR hCursor = NULL, HBRUSH hbrBackground = NULL,
                           HICON hIcon = NULL);

// The window procedure of every framework window.
LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK AfxCbtFilterHook(int nCode, WPARAM wParam, LPARAM lParam);

// Owner-drawn menu items: the menu wrapper installs a router that hands
// WM_DRAWITEM and WM_MEASUREITEM of ODT_MENU items to its menu object.
// hMenu is the item's menu for WM_DRAWITEM, and for WM_MEASUREITEM the
// pop-up most recently initialised (or the window's menu bar).
typedef BOOL (*AFX_MENU_OWNERDRAW_ROUTER)(HMENU hMenu, UINT message, LPARAM lParam);
AFX_MENU_OWNERDRAW_ROUTER AfxSetMenuOwnerDrawRouter(AFX_MENU_OWNERDRAW_ROUTER pfnRouter);

// Sends CN_UPDATE_COMMAND_UI for each item of a pop-up menu to pTarget.
void AfxUpdateMenuPopup(CCmdTarget* pTarget, HMENU hMenu, BOOL bDisableIfNoHandler);

class CWnd : public CCmdTarget
{
    DECLARE_DYNCREATE(CWnd)
public:
    CWnd();
    ~CWnd() override;

    HWND m_hWnd;
    operator HWND() const { return m_hWnd; }
    // Callers use it on a possibly null pointer; the barrier keeps the
    // compiler from assuming this is never null.
    HWND GetSafeHwnd() const
    {
        const CWnd* p = this;
        __asm__("" : "+r"(p));
        return p != NULL ? p->m_hWnd : NULL;
    }

    // Handle maps: permanent objects attached to windows of this module,
    // and temporary wrappers for other windows until DeleteTempMap.
    static CWnd* FromHandle(HWND hWnd);
    static CWnd* FromHandlePermanent(HWND hWnd);
    static void DeleteTempMap();
    BOOL Attach(HWND hWndNew);
    HWND Detach();

    virtual BOOL Create(LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle,
                        const RECT& rect, CWnd* pParentWnd, UINT nID,
                        CCreateContext* pContext = NULL);
    BOOL CreateEx(DWORD dwExStyle, LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle,
                  int x, int y, int nWidth, int nHeight, HWND hWndParent, HMENU nIDorHMenu,
                  LPVOID lpParam = NULL);
    BOOL CreateEx(DWORD dwExStyle, LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle,
                  const RECT& rect, CWnd* pParentWnd, UINT nID, LPVOID lpParam = NULL);
    virtual BOOL DestroyWindow();
    virtual BOOL PreCreateWindow(CREATESTRUCT& cs);

    BOOL SubclassWindow(HWND hWnd);
    BOOL SubclassDlgItem(UINT nID, CWnd* pParent);
    HWND UnsubclassWindow();

    virtual BOOL PreTranslateMessage(MSG* pMsg);
    // Offers pMsg to PreTranslateMessage of its window and then of each
    // parent up to hWndStop; TRUE when one of them took it.
    static BOOL WalkPreTranslateTree(HWND hWndStop, MSG* pMsg);

    // Message dispatch.
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Default();
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
    virtual BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    virtual BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    BOOL ReflectChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    static BOOL ReflectLastMsg(HWND hWndChild, LRESULT* pResult = NULL);

    // Moves data between members and controls through DoDataExchange;
    // FALSE when a value failed validation (the user was told).
    BOOL UpdateData(BOOL bSaveAndValidate = TRUE);
    virtual void DoDataExchange(CDataExchange* pDX);

    // Thin wrappers of the Win32 calls.
    CWnd* GetParent() const;
    CWnd* GetOwner() const;
    void SetOwner(CWnd* pOwnerWnd);
    CWnd* GetTopLevelParent() const;
    // The window a modal prompt should be owned by: pParent's top-level
    // window, or the active window of this thread.
    static CWnd* GetSafeOwner(CWnd* pParent = NULL);
    CWnd* GetDescendantWindow(int nID, BOOL bOnlyPerm = FALSE) const;
    void SendMessageToDescendants(UINT message, WPARAM wParam = 0, LPARAM lParam = 0,
                                  BOOL bDeep = TRUE, BOOL bOnlyPerm = FALSE);
    CWnd* GetDlgItem(int nID) const;
    int GetDlgCtrlID() const;
    CWnd* GetNextDlgTabItem(CWnd* pWndCtl, BOOL bPrevious = FALSE) const;
    void SetWindowText(LPCSTR lpszString);
    int GetWindowText(LPSTR lpszStringBuf, int nMaxCount) const;
    void GetWindowText(CString& rString) const;
    int GetWindowTextLength() const;
    void SetDlgItemText(int nID, LPCSTR lpszString);
    int GetDlgItemText(int nID, CString& rString) const;
    void GetClientRect(LPRECT lpRect) const;
    void GetWindowRect(LPRECT lpRect) const;
    void ScreenToClient(LPPOINT lpPoint) const;
    void ScreenToClient(LPRECT lpRect) const;
    void ClientToScreen(LPPOINT lpPoint) const;
    void ClientToScreen(LPRECT lpRect) const;
    void MoveWindow(int x, int y, int nWidth, int nHeight, BOOL bRepaint = TRUE);
    void MoveWindow(LPCRECT lpRect, BOOL bRepaint = TRUE);
    BOOL SetWindowPos(const CWnd* pWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags);
    void Invalidate(BOOL bErase = TRUE);
    void InvalidateRect(LPCRECT lpRect, BOOL bErase = TRUE);
    void ValidateRect(LPCRECT lpRect);
    void UpdateWindow();
    BOOL RedrawWindow(LPCRECT lpRectUpdate = NULL, HRGN hrgnUpdate = NULL,
                      UINT flags = RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
    BOOL ShowWindow(int nCmdShow);
    BOOL IsWindowVisible() const;
    BOOL EnableWindow(BOOL bEnable = TRUE);
    BOOL IsWindowEnabled() const;
    BOOL IsChild(const CWnd* pWnd) const;
    CWnd* SetFocus();
    static CWnd* GetFocus();
    CWnd* SetCapture();
    static CWnd* GetCapture();
    static BOOL ReleaseCapture();
    UINT_PTR SetTimer(UINT_PTR nIDEvent, UINT nElapse,
                      void (CALLBACK* lpfnTimer)(HWND, UINT, UINT_PTR, DWORD) = NULL);
    BOOL KillTimer(UINT_PTR nIDEvent);
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    LRESULT SendDlgItemMessage(int nID, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    DWORD GetStyle() const;
    DWORD GetExStyle() const;
    BOOL ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags = 0);
    BOOL ModifyStyleEx(DWORD dwRemove, DWORD dwAdd, UINT nFlags = 0);
    void SetFont(CFont* pFont, BOOL bRedraw = TRUE);
    CFont* GetFont() const;
    CDC* GetDC();
    CDC* GetWindowDC();
    int ReleaseDC(CDC* pDC);
    void CenterWindow(CWnd* pAlternateOwner = NULL);
    CWnd* GetWindow(UINT nCmd) const;
    CWnd* GetTopWindow() const;
    static CWnd* GetActiveWindow();
    CWnd* SetActiveWindow();
    BOOL SetForegroundWindow();
    BOOL BringWindowToTop();
    void DrawMenuBar();
    int GetScrollPos(int nBar) const;
    int SetScrollPos(int nBar, int nPos, BOOL bRedraw = TRUE);
    void GetScrollRange(int nBar, LPINT lpMinPos, LPINT lpMaxPos) const;
    void SetScrollRange(int nBar, int nMinPos, int nMaxPos, BOOL bRedraw = TRUE);
    BOOL GetScrollInfo(int nBar, LPSCROLLINFO lpScrollInfo, UINT nMask = SIF_ALL) const;
    BOOL SetScrollInfo(int nBar, LPSCROLLINFO lpScrollInfo, BOOL bRedraw = TRUE);
    void ShowScrollBar(UINT nBar, BOOL bShow = TRUE);
    void ScrollWindow(int xAmount, int yAmount, LPCRECT lpRect = NULL, LPCRECT lpClipRect = NULL);
    void CheckDlgButton(int nIDButton, UINT nCheck);
    UINT IsDlgButtonChecked(int nIDButton) const;
    void CheckRadioButton(int nIDFirstButton, int nIDLastButton, int nIDCheckButton);
    UINT GetDlgItemInt(int nID, BOOL* lpTrans = NULL, BOOL bSigned = TRUE) const;
    void SetDlgItemInt(int nID, UINT nValue, BOOL bSigned = TRUE);
    // Goes through the message sink, like AfxMessageBox; the caption
    // defaults to the program's.
    int MessageBox(LPCSTR lpszText, LPCSTR lpszCaption = NULL, UINT nType = MB_OK);
    BOOL IsWindow() const { return ::IsWindow(m_hWnd); }
    BOOL IsIconic() const { return ::IsIconic(m_hWnd); }
    BOOL IsZoomed() const { return ::IsZoomed(m_hWnd); }
    // Files dragged from the shell and dropped on the window arrive as WM_DROPFILES.
    void DragAcceptFiles(BOOL bAccept = TRUE) { ::DragAcceptFiles(m_hWnd, bAccept); }

    // The insert-after positions of SetWindowPos.
    static const CWnd wndTop;
    static const CWnd wndBottom;
    static const CWnd wndTopMost;
    static const CWnd wndNoTopMost;

protected:
    virtual void PreSubclassWindow();
    // Asked when a pop-up menu of this window opens: TRUE greys the items
    // whose command no target on the route handles (CCmdUI::DoUpdate).
    // Plain windows leave their menus as they are; frames answer TRUE.
    virtual BOOL IsAutoMenuEnable() const { return FALSE; }
    // Called after WM_NCDESTROY, once the object is detached; the
    // self-deleting classes delete themselves here.
    virtual void PostNcDestroy();

    // The handlers the ON_WM_xxx entries call; each passes the message on.
    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    void OnDestroy();
    void OnNcDestroy();
    void OnPaint();
    void OnClose();
    void OnSize(UINT nType, int cx, int cy);
    void OnTimer(UINT_PTR nIDEvent);
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnLButtonUp(UINT nFlags, CPoint point);
    void OnLButtonDblClk(UINT nFlags, CPoint point);
    void OnRButtonDown(UINT nFlags, CPoint point);
    void OnRButtonUp(UINT nFlags, CPoint point);
    void OnMouseMove(UINT nFlags, CPoint point);
    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    void OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags);
    void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    void OnSetFocus(CWnd* pOldWnd);
    void OnKillFocus(CWnd* pNewWnd);
    BOOL OnEraseBkgnd(CDC* pDC);
    HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    void OnDrawItem(int nIDCtl, LPDRAWITEMSTRUCT lpDrawItemStruct);
    void OnMeasureItem(int nIDCtl, LPMEASUREITEMSTRUCT lpMeasureItemStruct);
    void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    void OnEnable(BOOL bEnable);
    void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized);
    void OnActivateApp(BOOL bActive, DWORD dwThreadID);
    void OnGetMinMaxInfo(MINMAXINFO* lpMMI);
    void OnContextMenu(CWnd* pWnd, CPoint pos);
    LRESULT OnNcHitTest(CPoint point);
    void OnSysColorChange();
    void OnShowWindow(BOOL bShow, UINT nStatus);
    LRESULT OnMenuChar(UINT nChar, UINT nFlags, CMenu* pMenu);
    void OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu);
    BOOL OnQueryNewPalette();
    void OnPaletteChanged(CWnd* pFocusWnd);

    WNDPROC m_pfnSuper;     // the window's procedure before we subclassed it
    HWND m_hWndOwner;       // set by SetOwner; otherwise the Win32 owner or parent

    friend LRESULT CALLBACK AfxWndProc(HWND, UINT, WPARAM, LPARAM);
    friend LRESULT CALLBACK AfxCbtFilterHook(int, WPARAM, LPARAM);
    friend LRESULT AfxCallWndProc(CWnd* pWnd, HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam);

    DECLARE_MESSAGE_MAP()

private:
    explicit CWnd(HWND hWndPosition);
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;
};

// Routes one message to pWnd's WindowProc; an exception that escapes a
// handler is reported here and never crosses the window procedure.
LRESULT AfxCallWndProc(CWnd* pWnd, HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam);

// Attaches the next window this thread creates to pWnd (the creation hook).
void AfxHookWindowCreate(CWnd* pWnd);
// Removes the hook; FALSE when no window was attached.
BOOL AfxUnhookWindowCreate();
