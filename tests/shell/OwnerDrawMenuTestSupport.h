// Shared setup of the owner-drawn menu tests: the test menu loaded into a
// COwnerDrawMenu, with the system kind fixed to the new shell's NT.
#pragma once

#include "tests/support/Gtest.h"
#include "shell/MenuText.h"
#include "shell/OwnerDrawMenu.h"
#include "tests/shell/OwnerDrawMenuTestIds.h"

class OwnerDrawMenuFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_nSavedKind = AfxGetOsKind();
        AfxSetOsKind(OS_KIND_NT4);
        ASSERT_TRUE(menu.LoadMenu(IDM_TEST_MENU));
    }
    void TearDown() override { AfxSetOsKind(m_nSavedKind); }

    // The pop-up object at a top-level position.
    COwnerDrawMenu* Popup(int nPos)
    {
        return DYNAMIC_DOWNCAST(COwnerDrawMenu,
                                CMenu::FromHandlePermanent(::GetSubMenu(menu.m_hMenu, nPos)));
    }
    // The record of a command, wherever it is in the tree.
    OwnerDrawItem* Record(UINT nID)
    {
        int nPos = -1;
        COwnerDrawMenu* pHolder = menu.FindMenuItem(nID, nPos);
        return pHolder != NULL && nPos >= 0 && nPos < pHolder->GetItemCount()
                   ? pHolder->GetItem(nPos)
                   : NULL;
    }
    // The record's text in ANSI; std::wstring does not fit Winelib's WCHAR.
    static CString Text(const OwnerDrawItem* pItem)
    {
        return pItem != NULL ? WideToAnsiString(pItem->pszText) : CString("(none)");
    }

    COwnerDrawMenu menu;
    int m_nSavedKind = OS_KIND_NT4;
};
