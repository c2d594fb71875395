// CCmdUI: one user-interface item (menu item, button) whose state the
// ON_UPDATE_COMMAND_UI handlers set.
#pragma once

#include "framework/windows/CmdTarget.h"

class CMenu;
class CWnd;

class CCmdUI
{
public:
    CCmdUI();
    virtual ~CCmdUI() = default;

    UINT m_nID;
    UINT m_nIndex;          // position of the menu item
    CMenu* m_pMenu;         // set by menu wrappers; the item is reached through m_hMenu
    HMENU m_hMenu;          // the menu being updated, or NULL
    CWnd* m_pOther;         // the control being updated, or NULL
    UINT m_nIndexMax;
    BOOL m_bEnableChanged;
    BOOL m_bContinueRouting;

    virtual void Enable(BOOL bOn = TRUE);
    virtual void SetCheck(int nCheck = 1);   // 0 unchecked, 1 checked, 2 indeterminate
    virtual void SetRadio(BOOL bOn = TRUE);
    virtual void SetText(LPCSTR lpszText);
    void ContinueRouting() { m_bContinueRouting = TRUE; }

    // Asks pTarget's ON_UPDATE_COMMAND_UI handler for the item's state.
    // With bDisableIfNoHndler an item whose command has no handler on the
    // route is disabled even when an update handler enabled it, and one
    // that has a handler is enabled unless its update handler called
    // Enable.  TRUE when an update handler was called.
    BOOL DoUpdate(CCmdTarget* pTarget, BOOL bDisableIfNoHndler);
};
