#include "framework/windows/CmdUI.h"

#include "framework/windows/Wnd.h"

CCmdUI::CCmdUI()
    : m_nID(0), m_nIndex(0), m_pMenu(NULL), m_hMenu(NULL), m_pOther(NULL), m_nIndexMax(0),
      m_bEnableChanged(FALSE), m_bContinueRouting(FALSE)
{
}

void CCmdUI::Enable(BOOL bOn)
{
    if (m_hMenu != NULL)
    {
        ::EnableMenuItem(m_hMenu, m_nIndex, MF_BYPOSITION | (bOn ? MF_ENABLED : (MF_DISABLED | MF_GRAYED)));
    }
    else if (m_pOther != NULL)
    {
        // A control that loses its enabled state must not keep the focus.
        if (!bOn && ::GetFocus() == m_pOther->m_hWnd)
        {
            HWND hParent = ::GetParent(m_pOther->m_hWnd);
            if (hParent != NULL)
                ::SendMessageA(hParent, WM_NEXTDLGCTL, 0, FALSE);
        }
        m_pOther->EnableWindow(bOn);
    }
    m_bEnableChanged = TRUE;
}

void CCmdUI::SetCheck(int nCheck)
{
    if (m_hMenu != NULL)
    {
        ::CheckMenuItem(m_hMenu, m_nIndex, MF_BYPOSITION | (nCheck != 0 ? MF_CHECKED : MF_UNCHECKED));
    }
    else if (m_pOther != NULL && (m_pOther->SendMessage(WM_GETDLGCODE) & DLGC_BUTTON))
    {
        m_pOther->SendMessage(BM_SETCHECK, (WPARAM)nCheck);
    }
}

void CCmdUI::SetRadio(BOOL bOn)
{
    if (m_hMenu != NULL)
    {
        MENUITEMINFOA mii = {};
        mii.cbSize = sizeof(mii);
        mii.fMask = MIIM_FTYPE | MIIM_STATE;
        if (!::GetMenuItemInfoA(m_hMenu, m_nIndex, TRUE, &mii))
            return;
        if (bOn)
        {
            mii.fType |= MFT_RADIOCHECK;
            mii.fState |= MFS_CHECKED;
        }
        else
        {
            mii.fState &= ~MFS_CHECKED;
        }
        ::SetMenuItemInfoA(m_hMenu, m_nIndex, TRUE, &mii);
    }
    else
    {
        SetCheck(bOn ? 1 : 0);
    }
}

void CCmdUI::SetText(LPCSTR lpszText)
{
    if (m_hMenu != NULL)
    {
        MENUITEMINFOA mii = {};
        mii.cbSize = sizeof(mii);
        mii.fMask = MIIM_STRING;
        mii.dwTypeData = const_cast<LPSTR>(lpszText);
        ::SetMenuItemInfoA(m_hMenu, m_nIndex, TRUE, &mii);
    }
    else if (m_pOther != NULL)
    {
        m_pOther->SetWindowText(lpszText);
    }
}

BOOL CCmdUI::DoUpdate(CCmdTarget* pTarget, BOOL bDisableIfNoHndler)
{
    if (m_nID == 0 || pTarget == NULL)
        return TRUE;
    m_bEnableChanged = FALSE;
    BOOL bResult = pTarget->OnCmdMsg(m_nID, (int)CN_UPDATE_COMMAND_UI, this, NULL);
    if (!bDisableIfNoHndler)
        return bResult;
    // A command that nothing on the route carries out is never offered,
    // whatever an update handler said; one that is carried out is offered
    // unless its update handler disabled it.  An item disabled earlier (no
    // document then) comes back this way when the handler only checks it.
    AFX_CMDHANDLERINFO info = { NULL };
    if (!pTarget->OnCmdMsg(m_nID, CN_COMMAND, this, &info))
        Enable(FALSE);
    else if (!m_bEnableChanged)
        Enable(TRUE);
    return bResult;
}

void AfxUpdateMenuPopup(CCmdTarget* pTarget, HMENU hMenu, BOOL bDisableIfNoHandler)
{
    CCmdUI state;
    state.m_hMenu = hMenu;
    state.m_nIndexMax = (UINT)::GetMenuItemCount(hMenu);
    for (state.m_nIndex = 0; state.m_nIndex < state.m_nIndexMax; ++state.m_nIndex)
    {
        UINT nID = ::GetMenuItemID(hMenu, (int)state.m_nIndex);
        // Separators (0) and submenus ((UINT)-1) have no command.
        if (nID == 0 || nID == (UINT)-1)
            continue;
        state.m_nID = nID;
        // System commands and the MDI client's window list (0xF000 and up)
        // are served by the system, not by the command route.
        state.DoUpdate(pTarget, bDisableIfNoHandler && nID < 0xF000);
    }
}
