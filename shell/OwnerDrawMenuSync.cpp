// Matching the item records to the menu again after items were inserted
// at run time, and mnemonic lookup.
#include <vector>

#include "shell/OwnerDrawMenu.h"

#include "shell/MenuText.h"

namespace
{
// The item's string ("" for an owner-drawn item that never had one).
std::vector<WCHAR> ItemString(HMENU hMenu, int nPos)
{
    int nLen = ::GetMenuStringW(hMenu, nPos, NULL, 0, MF_BYPOSITION);
    std::vector<WCHAR> text((size_t)(nLen > 0 ? nLen : 0) + 1, 0);
    if (nLen > 0)
        ::GetMenuStringW(hMenu, nPos, text.data(), nLen + 1, MF_BYPOSITION);
    return text;
}
}

void COwnerDrawMenu::SyncItems()
{
    // A detached menu has no items to match; its records stay as they are.
    if (m_hMenu == NULL)
        return;
    for (int i = 0; i < GetItemCount(); ++i)
        GetItem(i)->bReused = FALSE;

    CPtrArray matched;
    int nCount = GetMenuItemCount();
    for (int nPos = 0; nPos < nCount; ++nPos)
    {
        UINT nState = ::GetMenuState(m_hMenu, nPos, MF_BYPOSITION);
        HMENU hSub = ::GetSubMenu(m_hMenu, nPos);
        std::vector<WCHAR> text = ItemString(m_hMenu, nPos);
        LPCWSTR pszText = text.data();
        OwnerDrawItem* pFound = NULL;
        if (hSub != NULL)
        {
            for (int i = 0; i < GetItemCount() && pFound == NULL; ++i)
                if (!GetItem(i)->bReused && GetItem(i)->nID == (UINT_PTR)hSub)
                    pFound = GetItem(i);
            if (pFound != NULL)
            {
                pFound->bReused = TRUE;
                if (pszText[0] != 0)
                    ReplaceWide(pFound->pszText, pszText);
            }
            else
            {
                UINT nFlags = ((nState & 0xFF) & ~MF_POPUP) | MF_POPUP | MF_OWNERDRAW | MF_BYPOSITION;
                pFound = ModifyODMenuByPosition(nPos, nFlags, (UINT_PTR)hSub, pszText);
                pFound->bReused = TRUE;
            }
            matched.Add(pFound);
            continue;
        }

        BOOL bSeparator = (nState & MF_SEPARATOR) != 0;
        UINT nID = bSeparator ? 0 : ::GetMenuItemID(m_hMenu, nPos);
        for (int i = 0; i < GetItemCount() && pFound == NULL; ++i)
            if (!GetItem(i)->bReused && GetItem(i)->nID == nID)
                pFound = GetItem(i);
        if (pFound != NULL)
        {
            pFound->bReused = TRUE;
            pFound->nFlags = nState | MF_OWNERDRAW | MF_BYPOSITION;
            if (!bSeparator && pszText[0] != 0)
                ReplaceWide(pFound->pszText, pszText);
            ::ModifyMenuW(m_hMenu, nPos, pFound->nFlags, nID, (LPCWSTR)pFound);
        }
        else if (bSeparator)
        {
            pFound = ModifyODMenuByPosition(nPos, nState | MF_SEPARATOR | MF_OWNERDRAW | MF_BYPOSITION,
                                            0, L"");
            pFound->bReused = TRUE;
        }
        else
        {
            pFound = ModifyODMenuByPosition(nPos, nState | MF_OWNERDRAW | MF_BYPOSITION, nID, pszText);
            pFound->bReused = TRUE;
        }
        matched.Add(pFound);
    }

    for (int i = 0; i < GetItemCount(); ++i)
        if (!GetItem(i)->bReused)
            FreeItem(GetItem(i));
    m_items.RemoveAll();
    for (INT_PTR i = 0; i < matched.GetSize(); ++i)
        m_items.Add(matched.GetAt(i));
}

LRESULT COwnerDrawMenu::FindMenuChar(UINT nChar, UINT nFlags, CMenu* pMenu)
{
    if (pMenu == NULL || !(nFlags & MF_POPUP))
        return 0;
    // The frame may hand over a temporary wrapper of the pop-up's handle.
    COwnerDrawMenu* pOD = DYNAMIC_DOWNCAST(COwnerDrawMenu, pMenu);
    if (pOD == NULL)
        pOD = DYNAMIC_DOWNCAST(COwnerDrawMenu, CMenu::FromHandlePermanent(pMenu->m_hMenu));
    if (pOD == NULL)
        return 0;
    if (pOD->GetMenuItemCount() != pOD->GetItemCount())
        pOD->SyncItems();
    WCHAR chTyped = (WCHAR)nChar;
    if (nChar < 0x100)
    {
        // A character of the ANSI code page, as an ANSI window receives it.
        char ansi[2] = {(char)nChar, 0};
        WCHAR wide[2] = {0, 0};
        if (AnsiToWide(wide, ansi, 2, CP_ACP) != NULL && wide[0] != 0)
            chTyped = wide[0];
    }
    const WCHAR chKey = LowerWide(chTyped);
    for (int i = 0; i < pOD->GetItemCount(); ++i)
    {
        for (LPCWSTR s = pOD->GetItem(i)->pszText; s[0] != 0 && s[1] != 0; ++s)
            if (s[0] == L'&' && LowerWide(s[1]) == chKey)
                return MAKELRESULT(i, 2);
    }
    return 0;
}
