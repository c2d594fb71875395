#include "framework/windows/Wnd.h"

#include <exception>
#include <set>
#include <string>
#include <unordered_map>

#include "framework/core/Exception.h"
#include "framework/core/MessageSink.h"
#include "framework/windows/CmdUI.h"
#include "framework/windows/DataExchange.h"

namespace {

// Each module links its own copy of the framework, so these maps are per
// module, and the user interface runs on one thread.
std::unordered_map<HWND, CWnd*>& PermanentMap()
{
    static std::unordered_map<HWND, CWnd*> map;
    return map;
}

std::unordered_map<HWND, CWnd*>& TemporaryMap()
{
    static std::unordered_map<HWND, CWnd*> map;
    return map;
}

// The message being handled, for Default().
struct CurrentMessage
{
    HWND hWnd;
    UINT nMsg;
    WPARAM wParam;
    LPARAM lParam;
};
CurrentMessage g_current = {};

AFX_MENU_OWNERDRAW_ROUTER g_pfnMenuRouter = NULL;
HMENU g_hMenuLastPopup = NULL;

HHOOK g_hHookCreate = NULL;
CWnd* g_pWndInit = NULL;

// Learns whether an update handler would disable a command.
class CEnableProbe : public CCmdUI
{
public:
    BOOL m_bEnabled = TRUE;
    void Enable(BOOL bOn) override
    {
        m_bEnabled = bOn;
        m_bEnableChanged = TRUE;
    }
    void SetCheck(int) override {}
    void SetRadio(BOOL) override {}
    void SetText(LPCSTR) override {}
};

void ReportEscapedException(LPCSTR lpszWhat)
{
    CString text("An unexpected error occurred");
    if (lpszWhat != NULL && *lpszWhat != '\0')
    {
        text += ": ";
        text += lpszWhat;
    }
    AfxMessageBox(text, MB_OK | MB_ICONSTOP);
}

}

// Attaches the window being created to the object waiting for it, before
// the window sees its first message.
LRESULT CALLBACK AfxCbtFilterHook(int nCode, WPARAM wParam, LPARAM lParam)
{
    if (nCode == HCBT_CREATEWND && g_pWndInit != NULL)
    {
        HWND hWnd = reinterpret_cast<HWND>(wParam);
        CWnd* pWnd = g_pWndInit;
        g_pWndInit = NULL;
        if (pWnd->Attach(hWnd))
        {
            WNDPROC pfnOld = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(hWnd, GWLP_WNDPROC));
            if (pfnOld != &AfxWndProc)
            {
                SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&AfxWndProc));
                pWnd->m_pfnSuper = pfnOld;
            }
        }
    }
    return CallNextHookEx(g_hHookCreate, nCode, wParam, lParam);
}

IMPLEMENT_DYNCREATE(CWnd, CCmdTarget)

BEGIN_MESSAGE_MAP(CWnd, CCmdTarget)
    ON_WM_NCDESTROY()
END_MESSAGE_MAP()

AFX_MENU_OWNERDRAW_ROUTER AfxSetMenuOwnerDrawRouter(AFX_MENU_OWNERDRAW_ROUTER pfnRouter)
{
    AFX_MENU_OWNERDRAW_ROUTER pfnOld = g_pfnMenuRouter;
    g_pfnMenuRouter = pfnRouter;
    return pfnOld;
}

void AfxHookWindowCreate(CWnd* pWnd)
{
    if (g_hHookCreate == NULL)
        g_hHookCreate = SetWindowsHookExA(WH_CBT, &AfxCbtFilterHook, NULL, GetCurrentThreadId());
    g_pWndInit = pWnd;
}

BOOL AfxUnhookWindowCreate()
{
    BOOL bAttached = g_pWndInit == NULL;
    g_pWndInit = NULL;
    if (g_hHookCreate != NULL)
    {
        UnhookWindowsHookEx(g_hHookCreate);
        g_hHookCreate = NULL;
    }
    return bAttached;
}

LPCSTR AfxRegisterWndClass(UINT nClassStyle, HCURSOR hCursor, HBRUSH hbrBackground, HICON hIcon)
{
    static std::set<std::string> names;
    char szName[128];
    wsprintfA(szName, "FrameworkWnd:%p:%x:%p:%p:%p", (void*)AfxGetInstanceHandle(), nClassStyle,
              (void*)hCursor, (void*)hbrBackground, (void*)hIcon);
    auto it = names.find(szName);
    if (it != names.end())
        return it->c_str();

    WNDCLASSA wc = {};
    if (!GetClassInfoA(AfxGetInstanceHandle(), szName, &wc))
    {
        wc.style = nClassStyle;
        wc.lpfnWndProc = &AfxWndProc;
        wc.hInstance = AfxGetInstanceHandle();
        wc.hCursor = hCursor;
        wc.hbrBackground = hbrBackground;
        wc.hIcon = hIcon;
        wc.lpszClassName = szName;
        if (!RegisterClassA(&wc))
            return NULL;
    }
    return names.insert(szName).first->c_str();
}

LRESULT AfxCallWndProc(CWnd* pWnd, HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    CurrentMessage saved = g_current;
    g_current = { hWnd, nMsg, wParam, lParam };
    LRESULT lResult = 0;
    try
    {
        lResult = pWnd->WindowProc(nMsg, wParam, lParam);
    }
    catch (CException* e)
    {
        e->ReportError();
        e->Delete();
        lResult = nMsg == WM_CREATE ? -1 : 0;
    }
    catch (const std::exception& e)
    {
        ReportEscapedException(e.what());
        lResult = nMsg == WM_CREATE ? -1 : 0;
    }
    catch (...)
    {
        ReportEscapedException(NULL);
        lResult = nMsg == WM_CREATE ? -1 : 0;
    }
    g_current = saved;

    // A map whose WM_NCDESTROY handler forgot the base call still lets go.
    if (nMsg == WM_NCDESTROY && CWnd::FromHandlePermanent(hWnd) == pWnd)
    {
        pWnd->Detach();
        pWnd->PostNcDestroy();
    }
    return lResult;
}

LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
    if (pWnd == NULL)
        return ::DefWindowProcA(hWnd, nMsg, wParam, lParam);
    return AfxCallWndProc(pWnd, hWnd, nMsg, wParam, lParam);
}

CWnd::CWnd() : m_hWnd(NULL), m_pfnSuper(NULL), m_hWndOwner(NULL)
{
}

CWnd::~CWnd()
{
    if (m_hWnd != NULL && FromHandlePermanent(m_hWnd) == this)
    {
        // A window must not outlive its object; it is destroyed without
        // calling back into this half-destroyed object.
        HWND hWnd = m_hWnd;
        if (m_pfnSuper != NULL)
            SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
        Detach();
        ::DestroyWindow(hWnd);
    }
}

CWnd* CWnd::FromHandlePermanent(HWND hWnd)
{
    if (hWnd == NULL)
        return NULL;
    auto it = PermanentMap().find(hWnd);
    return it != PermanentMap().end() ? it->second : NULL;
}

CWnd* CWnd::FromHandle(HWND hWnd)
{
    if (hWnd == NULL)
        return NULL;
    CWnd* pWnd = FromHandlePermanent(hWnd);
    if (pWnd != NULL)
        return pWnd;
    auto& temp = TemporaryMap();
    auto it = temp.find(hWnd);
    if (it != temp.end())
        return it->second;
    pWnd = new CWnd;
    pWnd->m_hWnd = hWnd;
    temp[hWnd] = pWnd;
    return pWnd;
}

void CWnd::DeleteTempMap()
{
    auto& temp = TemporaryMap();
    for (auto& entry : temp)
    {
        entry.second->m_hWnd = NULL;
        delete entry.second;
    }
    temp.clear();
}

BOOL CWnd::Attach(HWND hWndNew)
{
    ASSERT(m_hWnd == NULL);
    if (hWndNew == NULL || FromHandlePermanent(hWndNew) != NULL)
        return FALSE;
    PermanentMap()[hWndNew] = this;
    m_hWnd = hWndNew;
    return TRUE;
}

HWND CWnd::Detach()
{
    HWND hWnd = m_hWnd;
    if (hWnd != NULL)
    {
        auto it = PermanentMap().find(hWnd);
        if (it != PermanentMap().end() && it->second == this)
            PermanentMap().erase(it);
    }
    m_hWnd = NULL;
    return hWnd;
}

BOOL CWnd::PreCreateWindow(CREATESTRUCT& cs)
{
    if (cs.lpszClass == NULL)
        cs.lpszClass = AfxRegisterWndClass(CS_DBLCLKS, LoadCursor(NULL, IDC_ARROW),
                                           reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1));
    return cs.lpszClass != NULL;
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle,
                    int x, int y, int nWidth, int nHeight, HWND hWndParent, HMENU nIDorHMenu,
                    LPVOID lpParam)
{
    CREATESTRUCTA cs = {};
    cs.dwExStyle = dwExStyle;
    cs.lpszClass = lpszClassName;
    cs.lpszName = lpszWindowName;
    cs.style = dwStyle;
    cs.x = x;
    cs.y = y;
    cs.cx = nWidth;
    cs.cy = nHeight;
    cs.hwndParent = hWndParent;
    cs.hMenu = nIDorHMenu;
    cs.hInstance = AfxGetInstanceHandle();
    cs.lpCreateParams = lpParam;
    if (!PreCreateWindow(cs))
    {
        PostNcDestroy();
        return FALSE;
    }
    AfxHookWindowCreate(this);
    HWND hWnd = ::CreateWindowExA(cs.dwExStyle, cs.lpszClass, cs.lpszName, cs.style, cs.x, cs.y,
                                  cs.cx, cs.cy, cs.hwndParent, cs.hMenu, cs.hInstance,
                                  cs.lpCreateParams);
    AfxUnhookWindowCreate();
    if (hWnd == NULL)
    {
        // A window that failed in WM_CREATE was destroyed and, through
        // WM_NCDESTROY, already let go of this object.
        if (m_hWnd != NULL)
            Detach();
        return FALSE;
    }
    ASSERT(hWnd == m_hWnd);
    return TRUE;
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle,
                    const RECT& rect, CWnd* pParentWnd, UINT nID, LPVOID lpParam)
{
    return CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle, rect.left, rect.top,
                    rect.right - rect.left, rect.bottom - rect.top, pParentWnd->GetSafeHwnd(),
                    reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nID)), lpParam);
}

BOOL CWnd::Create(LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                  CWnd* pParentWnd, UINT nID, CCreateContext* pContext)
{
    return CreateEx(0, lpszClassName, lpszWindowName, dwStyle | WS_CHILD, rect, pParentWnd, nID,
                    pContext);
}

BOOL CWnd::DestroyWindow()
{
    if (m_hWnd == NULL)
        return FALSE;
    return ::DestroyWindow(m_hWnd);
}

void CWnd::PreSubclassWindow()
{
}

void CWnd::PostNcDestroy()
{
}

BOOL CWnd::SubclassWindow(HWND hWnd)
{
    if (!Attach(hWnd))
        return FALSE;
    PreSubclassWindow();
    WNDPROC pfnOld = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&AfxWndProc)));
    if (pfnOld != &AfxWndProc)
        m_pfnSuper = pfnOld;
    return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT nID, CWnd* pParent)
{
    HWND hWndControl = ::GetDlgItem(pParent->GetSafeHwnd(), (int)nID);
    return hWndControl != NULL && SubclassWindow(hWndControl);
}

HWND CWnd::UnsubclassWindow()
{
    if (m_pfnSuper != NULL)
    {
        SetWindowLongPtrA(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
        m_pfnSuper = NULL;
    }
    return Detach();
}

BOOL CWnd::PreTranslateMessage(MSG* pMsg)
{
    return FALSE;
}

BOOL CWnd::WalkPreTranslateTree(HWND hWndStop, MSG* pMsg)
{
    for (HWND hWnd = pMsg->hwnd; hWnd != NULL; hWnd = ::GetParent(hWnd))
    {
        CWnd* pWnd = FromHandlePermanent(hWnd);
        if (pWnd != NULL && pWnd->PreTranslateMessage(pMsg))
            return TRUE;
        if (hWnd == hWndStop)
            break;
    }
    return FALSE;
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT lResult = 0;
    if (!OnWndMsg(message, wParam, lParam, &lResult))
        lResult = DefWindowProc(message, wParam, lParam);
    return lResult;
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (m_pfnSuper != NULL)
        return ::CallWindowProcA(m_pfnSuper, m_hWnd, message, wParam, lParam);
    return ::DefWindowProcA(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::Default()
{
    return DefWindowProc(g_current.nMsg, g_current.wParam, g_current.lParam);
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    LRESULT lResult = 0;
    switch (message)
    {
    case WM_COMMAND:
        if (!OnCommand(wParam, lParam))
            return FALSE;
        *pResult = 0;
        return TRUE;
    case WM_NOTIFY:
        if (!OnNotify(wParam, lParam, &lResult))
            return FALSE;
        *pResult = lResult;
        return TRUE;
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    case WM_COMPAREITEM:
    case WM_DELETEITEM:
    {
        // Owner-drawn controls draw themselves; menu items go to their menu.
        if (g_pfnMenuRouter != NULL && (message == WM_DRAWITEM || message == WM_MEASUREITEM))
        {
            UINT nType = message == WM_DRAWITEM ? reinterpret_cast<LPDRAWITEMSTRUCT>(lParam)->CtlType
                                                : reinterpret_cast<LPMEASUREITEMSTRUCT>(lParam)->CtlType;
            if (nType == ODT_MENU)
            {
                HMENU hMenu = message == WM_DRAWITEM
                    ? reinterpret_cast<HMENU>(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam)->hwndItem)
                    : (g_hMenuLastPopup != NULL ? g_hMenuLastPopup : ::GetMenu(m_hWnd));
                if (g_pfnMenuRouter(hMenu, message, lParam))
                {
                    *pResult = TRUE;
                    return TRUE;
                }
            }
        }
        HWND hWndChild = NULL;
        if (message == WM_DRAWITEM && reinterpret_cast<LPDRAWITEMSTRUCT>(lParam)->CtlType != ODT_MENU)
            hWndChild = reinterpret_cast<LPDRAWITEMSTRUCT>(lParam)->hwndItem;
        else if (message == WM_MEASUREITEM && wParam != 0)
            hWndChild = ::GetDlgItem(m_hWnd, (int)reinterpret_cast<LPMEASUREITEMSTRUCT>(lParam)->CtlID);
        else if (message == WM_COMPAREITEM)
            hWndChild = reinterpret_cast<LPCOMPAREITEMSTRUCT>(lParam)->hwndItem;
        else if (message == WM_DELETEITEM)
            hWndChild = reinterpret_cast<LPDELETEITEMSTRUCT>(lParam)->hwndItem;
        CWnd* pChild = FromHandlePermanent(hWndChild);
        if (pChild != NULL && pChild->OnChildNotify(message, wParam, lParam, pResult))
            return TRUE;
        break;
    }
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
    {
        CWnd* pChild = FromHandlePermanent(reinterpret_cast<HWND>(lParam));
        if (pChild != NULL && pChild != this && pChild->OnChildNotify(message, wParam, lParam, pResult))
            return TRUE;
        const AFX_MSGMAP_ENTRY* pEntry = FindMessageEntry(GetMessageMap(), WM_CTLCOLOR, 0, 0);
        if (pEntry == NULL)
            return FALSE;
        AFX_MSGCALL call = { message, wParam, lParam, 0, 0, NULL, 0 };
        pEntry->pfnThunk(this, call);
        *pResult = call.lResult;
        return TRUE;
    }
    case WM_HSCROLL:
    case WM_VSCROLL:
    {
        CWnd* pChild = FromHandlePermanent(reinterpret_cast<HWND>(lParam));
        if (pChild != NULL && pChild->OnChildNotify(message, wParam, lParam, pResult))
            return TRUE;
        break;
    }
    case WM_INITMENUPOPUP:
        g_hMenuLastPopup = reinterpret_cast<HMENU>(wParam);
        if (!HIWORD(lParam))
            AfxUpdateMenuPopup(this, reinterpret_cast<HMENU>(wParam), IsAutoMenuEnable());
        break;
    default:
        break;
    }

    const AFX_MSGMAP_ENTRY* pEntry = FindMessageEntry(GetMessageMap(), message, 0, 0);
    if (pEntry == NULL)
        return FALSE;
    AFX_MSGCALL call = { message, wParam, lParam, 0, 0, NULL, 0 };
    if (!pEntry->pfnThunk(this, call))
        return FALSE;
    *pResult = call.lResult;
    return TRUE;
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    UINT nID = LOWORD(wParam);
    HWND hWndCtrl = reinterpret_cast<HWND>(lParam);
    int nCode = HIWORD(wParam);
    if (hWndCtrl == NULL)
    {
        // Menus send 0, accelerators 1: both are plain commands, and one
        // whose update handler disables it does not run.
        nCode = CN_COMMAND;
        CEnableProbe probe;
        probe.m_nID = nID;
        OnCmdMsg(nID, (int)CN_UPDATE_COMMAND_UI, &probe, NULL);
        if (!probe.m_bEnabled)
            return TRUE;
    }
    else
    {
        CWnd* pChild = FromHandlePermanent(hWndCtrl);
        if (pChild != NULL && pChild != this && pChild->OnChildNotify(WM_COMMAND, wParam, lParam, NULL))
            return TRUE;
    }
    return OnCmdMsg(nID, nCode, NULL, NULL);
}

BOOL CWnd::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    NMHDR* pNMHDR = reinterpret_cast<NMHDR*>(lParam);
    if (pNMHDR == NULL)
        return FALSE;
    CWnd* pChild = FromHandlePermanent(pNMHDR->hwndFrom);
    if (pChild != NULL && pChild != this && pChild->OnChildNotify(WM_NOTIFY, wParam, lParam, pResult))
        return TRUE;
    AFX_NOTIFY notify = { pResult, pNMHDR };
    return OnCmdMsg((UINT)pNMHDR->idFrom, (int)MAKELONG(LOWORD(pNMHDR->code), WM_NOTIFY), &notify, NULL);
}

BOOL CWnd::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    return ReflectChildNotify(message, wParam, lParam, pResult);
}

BOOL CWnd::ReflectChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    switch (message)
    {
    case WM_COMMAND:
        return OnCmdMsg(0, (int)MAKELONG(HIWORD(wParam), WM_REFLECT_BASE + WM_COMMAND), NULL, NULL);
    case WM_NOTIFY:
    {
        LRESULT lDummy = 0;
        AFX_NOTIFY notify = { pResult != NULL ? pResult : &lDummy, reinterpret_cast<NMHDR*>(lParam) };
        return OnCmdMsg(0, (int)MAKELONG(LOWORD(notify.pNMHDR->code), WM_REFLECT_BASE + WM_NOTIFY),
                        &notify, NULL);
    }
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
    {
        const AFX_MSGMAP_ENTRY* pEntry =
            FindMessageEntry(GetMessageMap(), WM_REFLECT_BASE + WM_CTLCOLOR, 0, 0);
        if (pEntry == NULL)
            return FALSE;
        AFX_MSGCALL call = { message, wParam, lParam, 0, 0, NULL, 0 };
        pEntry->pfnThunk(this, call);
        if (call.lResult == 0)
            return FALSE;
        if (pResult != NULL)
            *pResult = call.lResult;
        return TRUE;
    }
    default:
    {
        LRESULT lResult = 0;
        if (!OnWndMsg(WM_REFLECT_BASE + message, wParam, lParam, &lResult))
            return FALSE;
        if (pResult != NULL)
            *pResult = lResult;
        return TRUE;
    }
    }
}

BOOL CWnd::ReflectLastMsg(HWND hWndChild, LRESULT* pResult)
{
    CWnd* pChild = FromHandlePermanent(hWndChild);
    if (pChild == NULL)
        return FALSE;
    return pChild->OnChildNotify(g_current.nMsg, g_current.wParam, g_current.lParam, pResult);
}

void CWnd::DoDataExchange(CDataExchange*)
{
}

BOOL CWnd::UpdateData(BOOL bSaveAndValidate)
{
    CDataExchange dx(this, bSaveAndValidate);
    try
    {
        DoDataExchange(&dx);
        return TRUE;
    }
    catch (CException* e)
    {
        // A validation failure was shown where it was found.
        if (!e->IsKindOf(RUNTIME_CLASS(CUserException)))
            e->ReportError();
        e->Delete();
        return FALSE;
    }
}

int CWnd::OnCreate(LPCREATESTRUCT) { return (int)Default(); }
void CWnd::OnDestroy() { Default(); }
void CWnd::OnPaint() { Default(); }
void CWnd::OnClose() { Default(); }
void CWnd::OnSize(UINT, int, int) { Default(); }
void CWnd::OnTimer(UINT_PTR) { Default(); }
void CWnd::OnLButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnLButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnLButtonDblClk(UINT, CPoint) { Default(); }
void CWnd::OnRButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnRButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnMouseMove(UINT, CPoint) { Default(); }
void CWnd::OnKeyDown(UINT, UINT, UINT) { Default(); }
void CWnd::OnKeyUp(UINT, UINT, UINT) { Default(); }
void CWnd::OnChar(UINT, UINT, UINT) { Default(); }
void CWnd::OnSetFocus(CWnd*) { Default(); }
void CWnd::OnKillFocus(CWnd*) { Default(); }
BOOL CWnd::OnEraseBkgnd(CDC*) { return (BOOL)Default(); }
HBRUSH CWnd::OnCtlColor(CDC*, CWnd*, UINT) { return reinterpret_cast<HBRUSH>(Default()); }
void CWnd::OnDrawItem(int, LPDRAWITEMSTRUCT) { Default(); }
void CWnd::OnMeasureItem(int, LPMEASUREITEMSTRUCT) { Default(); }
void CWnd::OnHScroll(UINT, UINT, CScrollBar*) { Default(); }
void CWnd::OnVScroll(UINT, UINT, CScrollBar*) { Default(); }
BOOL CWnd::OnSetCursor(CWnd*, UINT, UINT) { return (BOOL)Default(); }
void CWnd::OnEnable(BOOL) { Default(); }
void CWnd::OnActivate(UINT, CWnd*, BOOL) { Default(); }
void CWnd::OnActivateApp(BOOL, DWORD) { Default(); }
void CWnd::OnGetMinMaxInfo(MINMAXINFO*) { Default(); }
void CWnd::OnContextMenu(CWnd*, CPoint) { Default(); }
LRESULT CWnd::OnNcHitTest(CPoint) { return Default(); }
void CWnd::OnSysColorChange() { Default(); }
void CWnd::OnShowWindow(BOOL, UINT) { Default(); }
LRESULT CWnd::OnMenuChar(UINT, UINT, CMenu*) { return Default(); }
void CWnd::OnInitMenuPopup(CMenu*, UINT, BOOL) { Default(); }
BOOL CWnd::OnQueryNewPalette() { return (BOOL)Default(); }
void CWnd::OnPaletteChanged(CWnd*) { Default(); }

void CWnd::OnNcDestroy()
{
    HWND hWnd = m_hWnd;
    Default();
    if (m_pfnSuper != NULL)
    {
        SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
        m_pfnSuper = NULL;
    }
    Detach();
    PostNcDestroy();
}
