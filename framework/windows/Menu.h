// CMenu: a menu handle with its object.  Attached menus are permanent and
// destroyed with their object (unless taken back with Detach); FromHandle
// wraps other menus in temporary objects kept until DeleteTempMap.
//
// Owner-drawn items (MF_OWNERDRAW) of a permanent menu are measured and
// drawn by that menu object's MeasureItem and DrawItem, whichever window
// gets WM_MEASUREITEM and WM_DRAWITEM.
#pragma once

#include "framework/core/Object.h"
#include "framework/core/String.h"
#include "framework/windows/Geometry.h"

class CWnd;

class CMenu : public CObject
{
    DECLARE_DYNAMIC(CMenu)
public:
    CMenu() noexcept : m_hMenu(NULL) {}
    ~CMenu() override;
    CMenu(const CMenu&) = delete;
    CMenu& operator=(const CMenu&) = delete;

    HMENU m_hMenu;
    operator HMENU() const noexcept { return m_hMenu; }
    // Callers use it on a possibly null pointer, as with CWnd::GetSafeHwnd.
    HMENU GetSafeHmenu() const
    {
        const CMenu* p = this;
        __asm__("" : "+r"(p));
        return p != NULL ? p->m_hMenu : NULL;
    }

    static CMenu* FromHandle(HMENU hMenu);
    static CMenu* FromHandlePermanent(HMENU hMenu);
    static void DeleteTempMap();
    // Takes ownership; FALSE when hMenu is NULL or this object holds one.
    BOOL Attach(HMENU hMenu);
    HMENU Detach();

    BOOL CreateMenu();
    BOOL CreatePopupMenu();
    // From the module's resources; FALSE when there is no such menu.
    BOOL LoadMenu(UINT nIDResource);
    BOOL LoadMenu(LPCSTR lpszResourceName);
    BOOL DestroyMenu();

    BOOL AppendMenu(UINT nFlags, UINT_PTR nIDNewItem = 0, LPCSTR lpszNewItem = NULL);
    BOOL AppendMenu(UINT nFlags, UINT_PTR nIDNewItem, LPCWSTR lpszNewItem);
    BOOL InsertMenu(UINT nPosition, UINT nFlags, UINT_PTR nIDNewItem = 0, LPCSTR lpszNewItem = NULL);
    BOOL ModifyMenu(UINT nPosition, UINT nFlags, UINT_PTR nIDNewItem = 0, LPCSTR lpszNewItem = NULL);
    BOOL ModifyMenu(UINT nPosition, UINT nFlags, UINT_PTR nIDNewItem, LPCWSTR lpszNewItem);
    BOOL RemoveMenu(UINT nPosition, UINT nFlags);
    BOOL DeleteMenu(UINT nPosition, UINT nFlags);

    UINT GetMenuState(UINT nID, UINT nFlags) const;
    int GetMenuString(UINT nIDItem, LPSTR lpString, int nMaxCount, UINT nFlags) const;
    int GetMenuString(UINT nIDItem, CString& rString, UINT nFlags) const;
    int GetMenuString(UINT nIDItem, LPWSTR lpString, int nMaxCount, UINT nFlags) const;
    BOOL GetMenuItemInfo(UINT uItem, LPMENUITEMINFOA lpMenuItemInfo, BOOL fByPos = FALSE) const;
    int GetMenuItemCount() const;
    UINT GetMenuItemID(int nPos) const;
    // A temporary object unless the pop-up is attached somewhere.
    CMenu* GetSubMenu(int nPos) const;
    UINT CheckMenuItem(UINT nIDCheckItem, UINT nCheck);
    UINT EnableMenuItem(UINT nIDEnableItem, UINT nEnable);
    BOOL TrackPopupMenu(UINT nFlags, int x, int y, CWnd* pWnd, LPCRECT lpRect = NULL);

    // Called for this menu's owner-drawn items.
    virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);
    virtual void MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct);
};
