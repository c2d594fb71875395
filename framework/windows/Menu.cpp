#include "framework/windows/Menu.h"

#include "framework/core/MessageSink.h"
#include "framework/windows/HandleMap.h"
#include "framework/windows/Wnd.h"

IMPLEMENT_DYNAMIC(CMenu, CObject)

namespace {

CHandleMap<HMENU, CMenu, &CMenu::m_hMenu>& Menus()
{
    static CHandleMap<HMENU, CMenu, &CMenu::m_hMenu> map;
    return map;
}

AFX_MENU_OWNERDRAW_ROUTER g_pfnPreviousRouter = NULL;
bool g_bRouterInstalled = false;

// The permanent menu, hMenu or one of its pop-ups, that holds item nID itself.
CMenu* FindPermanentHolder(HMENU hMenu, UINT nID, int nDepth)
{
    if (hMenu == NULL || nDepth > 16)
        return NULL;
    int nCount = ::GetMenuItemCount(hMenu);
    CMenu* pOwn = CMenu::FromHandlePermanent(hMenu);
    if (pOwn != NULL)
    {
        for (int i = 0; i < nCount; i++)
        {
            MENUITEMINFOA mii = {};
            mii.cbSize = sizeof(mii);
            mii.fMask = MIIM_ID;
            if (::GetMenuItemInfoA(hMenu, (UINT)i, TRUE, &mii) && mii.wID == nID)
                return pOwn;
        }
    }
    for (int i = 0; i < nCount; i++)
    {
        CMenu* pFound = FindPermanentHolder(::GetSubMenu(hMenu, i), nID, nDepth + 1);
        if (pFound != NULL)
            return pFound;
    }
    return NULL;
}

BOOL RouteMenuOwnerDraw(HMENU hMenu, UINT message, LPARAM lParam)
{
    CMenu* pMenu = NULL;
    if (message == WM_DRAWITEM)
        pMenu = CMenu::FromHandlePermanent(hMenu);
    else
    {
        // WM_MEASUREITEM names no menu: find the one holding the item.
        UINT nID = reinterpret_cast<LPMEASUREITEMSTRUCT>(lParam)->itemID;
        pMenu = FindPermanentHolder(hMenu, nID, 0);
        if (pMenu == NULL)
            pMenu = CMenu::FromHandlePermanent(hMenu);
    }
    if (pMenu == NULL)
        return g_pfnPreviousRouter != NULL ? g_pfnPreviousRouter(hMenu, message, lParam) : FALSE;
    if (message == WM_DRAWITEM)
        pMenu->DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
    else
        pMenu->MeasureItem(reinterpret_cast<LPMEASUREITEMSTRUCT>(lParam));
    return TRUE;
}

} // namespace

CMenu::~CMenu()
{
    DestroyMenu();
}

CMenu* CMenu::FromHandle(HMENU hMenu)
{
    return Menus().FromHandle(hMenu);
}

CMenu* CMenu::FromHandlePermanent(HMENU hMenu)
{
    return Menus().LookupPermanent(hMenu);
}

void CMenu::DeleteTempMap()
{
    Menus().DeleteTemporary();
}

BOOL CMenu::Attach(HMENU hMenu)
{
    if (hMenu == NULL || m_hMenu != NULL)
        return FALSE;
    if (!g_bRouterInstalled)
    {
        g_pfnPreviousRouter = AfxSetMenuOwnerDrawRouter(RouteMenuOwnerDraw);
        g_bRouterInstalled = true;
    }
    m_hMenu = hMenu;
    Menus().SetPermanent(hMenu, this);
    return TRUE;
}

HMENU CMenu::Detach()
{
    HMENU hMenu = m_hMenu;
    Menus().RemovePermanent(hMenu, this);
    m_hMenu = NULL;
    return hMenu;
}

BOOL CMenu::CreateMenu()
{
    return Attach(::CreateMenu());
}

BOOL CMenu::CreatePopupMenu()
{
    return Attach(::CreatePopupMenu());
}

BOOL CMenu::LoadMenu(UINT nIDResource)
{
    return LoadMenu(MAKEINTRESOURCEA(nIDResource));
}

BOOL CMenu::LoadMenu(LPCSTR lpszResourceName)
{
    return Attach(::LoadMenuA(AfxGetResourceHandle(), lpszResourceName));
}

BOOL CMenu::DestroyMenu()
{
    // A temporary wrapper does not own its menu.
    if (m_hMenu == NULL || FromHandlePermanent(m_hMenu) != this)
        return FALSE;
    return ::DestroyMenu(Detach());
}

BOOL CMenu::AppendMenu(UINT nFlags, UINT_PTR nIDNewItem, LPCSTR lpszNewItem)
{
    return ::AppendMenuA(m_hMenu, nFlags, nIDNewItem, lpszNewItem);
}

BOOL CMenu::AppendMenu(UINT nFlags, UINT_PTR nIDNewItem, LPCWSTR lpszNewItem)
{
    return ::AppendMenuW(m_hMenu, nFlags, nIDNewItem, lpszNewItem);
}

BOOL CMenu::InsertMenu(UINT nPosition, UINT nFlags, UINT_PTR nIDNewItem, LPCSTR lpszNewItem)
{
    return ::InsertMenuA(m_hMenu, nPosition, nFlags, nIDNewItem, lpszNewItem);
}

BOOL CMenu::ModifyMenu(UINT nPosition, UINT nFlags, UINT_PTR nIDNewItem, LPCSTR lpszNewItem)
{
    return ::ModifyMenuA(m_hMenu, nPosition, nFlags, nIDNewItem, lpszNewItem);
}

BOOL CMenu::ModifyMenu(UINT nPosition, UINT nFlags, UINT_PTR nIDNewItem, LPCWSTR lpszNewItem)
{
    return ::ModifyMenuW(m_hMenu, nPosition, nFlags, nIDNewItem, lpszNewItem);
}

BOOL CMenu::RemoveMenu(UINT nPosition, UINT nFlags)
{
    return ::RemoveMenu(m_hMenu, nPosition, nFlags);
}

BOOL CMenu::DeleteMenu(UINT nPosition, UINT nFlags)
{
    return ::DeleteMenu(m_hMenu, nPosition, nFlags);
}

UINT CMenu::GetMenuState(UINT nID, UINT nFlags) const
{
    return ::GetMenuState(m_hMenu, nID, nFlags);
}

int CMenu::GetMenuString(UINT nIDItem, LPSTR lpString, int nMaxCount, UINT nFlags) const
{
    return ::GetMenuStringA(m_hMenu, nIDItem, lpString, nMaxCount, nFlags);
}

int CMenu::GetMenuString(UINT nIDItem, CString& rString, UINT nFlags) const
{
    int nLen = ::GetMenuStringA(m_hMenu, nIDItem, NULL, 0, nFlags);
    if (nLen <= 0)
    {
        rString.Empty();
        return 0;
    }
    nLen = ::GetMenuStringA(m_hMenu, nIDItem, rString.GetBuffer(nLen + 1), nLen + 1, nFlags);
    rString.ReleaseBuffer();
    return nLen;
}

int CMenu::GetMenuString(UINT nIDItem, LPWSTR lpString, int nMaxCount, UINT nFlags) const
{
    return ::GetMenuStringW(m_hMenu, nIDItem, lpString, nMaxCount, nFlags);
}

BOOL CMenu::GetMenuItemInfo(UINT uItem, LPMENUITEMINFOA lpMenuItemInfo, BOOL fByPos) const
{
    return ::GetMenuItemInfoA(m_hMenu, uItem, fByPos, lpMenuItemInfo);
}

int CMenu::GetMenuItemCount() const
{
    return ::GetMenuItemCount(m_hMenu);
}

UINT CMenu::GetMenuItemID(int nPos) const
{
    return ::GetMenuItemID(m_hMenu, nPos);
}

CMenu* CMenu::GetSubMenu(int nPos) const
{
    return FromHandle(::GetSubMenu(m_hMenu, nPos));
}

UINT CMenu::CheckMenuItem(UINT nIDCheckItem, UINT nCheck)
{
    return (UINT)::CheckMenuItem(m_hMenu, nIDCheckItem, nCheck);
}

UINT CMenu::EnableMenuItem(UINT nIDEnableItem, UINT nEnable)
{
    return (UINT)::EnableMenuItem(m_hMenu, nIDEnableItem, nEnable);
}

BOOL CMenu::TrackPopupMenu(UINT nFlags, int x, int y, CWnd* pWnd, LPCRECT lpRect)
{
    return ::TrackPopupMenu(m_hMenu, nFlags, x, y, 0, pWnd->GetSafeHwnd(), lpRect);
}

void CMenu::DrawItem(LPDRAWITEMSTRUCT)
{
}

void CMenu::MeasureItem(LPMEASUREITEMSTRUCT)
{
}
