// The designer's main frame in this process, loaded from the designer's
// own resources: its bars, the Format bar's combos and the bar toggles.
#include "tests/support/Gtest.h"
#include "tests/support/MessageBoxRecorder.h"
#include "framework/docview/StandardCommands.h"
#include "framework/windows/Menu.h"
#include "shell/app/MainFrame.h"
#include "FormatBarIds.h"
#include "ShellIds.h"

namespace
{
class MainFrameTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_pFrame = new CMainFrame;
        ASSERT_TRUE(m_pFrame->LoadFrame(IDR_MAINFRAME, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE));
        m_pFrame->ShowWindow(SW_SHOWNORMAL);
        m_pFrame->RecalcLayout();
    }
    void TearDown() override
    {
        if (m_pFrame != NULL)
            m_pFrame->DestroyWindow();
    }

    // The combo's window rectangle lies within the Format bar's button nIndex.
    void ExpectComboOnButton(CWnd& combo, int nIndex)
    {
        ASSERT_TRUE(::IsWindow(combo.m_hWnd));
        CRect rcButton;
        m_pFrame->m_wndFormatBar.GetItemRect(nIndex, &rcButton);
        m_pFrame->m_wndFormatBar.ClientToScreen(&rcButton);
        CRect rcCombo;
        combo.GetWindowRect(&rcCombo);
        EXPECT_GE(rcCombo.left, rcButton.left) << nIndex;
        EXPECT_LE(rcCombo.left, rcButton.right) << nIndex;
        EXPECT_EQ(m_pFrame->m_wndFormatBar.m_hWnd, ::GetParent(combo.m_hWnd));
    }

    BOOL IsMenuChecked(UINT nID)
    {
        return (::GetMenuState(::GetMenu(m_pFrame->m_hWnd), nID, MF_BYCOMMAND) & MF_CHECKED) != 0;
    }

    MessageBoxRecorder m_messages;
    CMainFrame* m_pFrame = NULL;
};

TEST_F(MainFrameTest, FormatBarIsTheFourthToolbarWithItsCombosOnButtonsTwoToFour)
{
    EXPECT_EQ(NULL, m_pFrame->GetToolBar(7));
    EXPECT_EQ(NULL, m_pFrame->GetToolBar(9));
    EXPECT_EQ(&m_pFrame->m_wndToolBar, m_pFrame->GetToolBar(IDR_MAINFRAME));
    CToolBar* pFormat = m_pFrame->GetToolBar(IDR_FORMAT_BAR);
    ASSERT_EQ(static_cast<CToolBar*>(&m_pFrame->m_wndFormatBar), pFormat);
    EXPECT_EQ(ID_FORMATBAR, ::GetDlgCtrlID(pFormat->m_hWnd));
    EXPECT_TRUE(pFormat->IsWindowVisible());
    EXPECT_FALSE(pFormat->IsFloating());
    EXPECT_TRUE((pFormat->GetBarStyle() & CBRS_ALIGN_TOP) != 0);

    char szTitle[32] = "";
    ::GetWindowTextA(pFormat->m_hWnd, szTitle, sizeof(szTitle));
    EXPECT_STREQ("Format", szTitle);

    ExpectComboOnButton(m_pFrame->m_wndFormatBar.m_comboCellType, 2);
    ExpectComboOnButton(m_pFrame->m_wndFormatBar.m_comboFontName, 3);
    ExpectComboOnButton(m_pFrame->m_wndFormatBar.m_comboFontSize, 4);

    // Docked at the top after the other three: not above the Standard bar.
    CRect rcStandard, rcFormat;
    m_pFrame->m_wndToolBar.GetWindowRect(&rcStandard);
    pFormat->GetWindowRect(&rcFormat);
    EXPECT_GE(rcFormat.top, rcStandard.top);
}

TEST_F(MainFrameTest, FormatToggleHidesAndShowsTheBarFollowingTheCheckMark)
{
    HMENU hMenu = ::GetMenu(m_pFrame->m_hWnd);
    ASSERT_TRUE(hMenu != NULL);
    ::CheckMenuItem(hMenu, ID_VIEW_TOOLBAR_FORMAT, MF_BYCOMMAND | MF_CHECKED);

    m_pFrame->SendMessage(WM_COMMAND, ID_VIEW_TOOLBAR_FORMAT);
    EXPECT_FALSE(m_pFrame->m_wndFormatBar.IsWindowVisible());
    EXPECT_FALSE(IsMenuChecked(ID_VIEW_TOOLBAR_FORMAT));
    EXPECT_TRUE(m_pFrame->m_wndToolBar.IsWindowVisible());

    m_pFrame->SendMessage(WM_COMMAND, ID_VIEW_TOOLBAR_FORMAT);
    EXPECT_TRUE(m_pFrame->m_wndFormatBar.IsWindowVisible());
    EXPECT_TRUE(IsMenuChecked(ID_VIEW_TOOLBAR_FORMAT));
}
} // namespace

namespace
{
// The owner-drawn pop-up object behind sub-menu nPos of hMenu.
COwnerDrawMenu* OwnerDrawPopup(HMENU hMenu, int nPos)
{
    return dynamic_cast<COwnerDrawMenu*>(CMenu::FromHandlePermanent(::GetSubMenu(hMenu, nPos)));
}

// The record of the item with command nID anywhere under pMenu.
OwnerDrawItem* FindItem(COwnerDrawMenu* pMenu, UINT nID)
{
    int nPos = -1;
    COwnerDrawMenu* pHolder = pMenu->FindMenuItem(nID, nPos);
    if (pHolder == NULL || nPos < 0)
        return NULL;
    for (int i = 0; i < pHolder->GetItemCount(); ++i)
        if (pHolder->GetItem(i)->nID == nID)
            return pHolder->GetItem(i);
    return NULL;
}

TEST_F(MainFrameTest, DetachedMenusAreOwnerDrawnWithTheirToolbarsImages)
{
    HMENU hDocument = m_pFrame->DetachDocumentMenu();
    HMENU hDefault = m_pFrame->DetachDefaultMenu();
    ASSERT_TRUE(::IsMenu(hDocument));
    ASSERT_TRUE(::IsMenu(hDefault));
    EXPECT_EQ(NULL, m_pFrame->m_menuDocument.m_hMenu);

    COwnerDrawMenu* pFile = OwnerDrawPopup(hDocument, 0);
    ASSERT_TRUE(pFile != NULL);
    EXPECT_TRUE(COwnerDrawMenu::IsOwnerDrawMenu(pFile->m_hMenu));
    // File > New carries the Standard bar's image in both menus.
    OwnerDrawItem* pNew = FindItem(pFile, ID_FILE_NEW);
    ASSERT_TRUE(pNew != NULL);
    EXPECT_EQ(IDR_MAINFRAME, pNew->nToolbarID);
    EXPECT_GE(pNew->nImageIndex, 0);

    // Format... (32861) takes its image from the Format bar.
    COwnerDrawMenu* pDocFormat = NULL;
    for (int i = 0; i < ::GetMenuItemCount(hDocument) && pDocFormat == NULL; ++i)
    {
        COwnerDrawMenu* pPopup = OwnerDrawPopup(hDocument, i);
        if (pPopup != NULL && FindItem(pPopup, 32861) != NULL)
            pDocFormat = pPopup;
    }
    ASSERT_TRUE(pDocFormat != NULL);
    EXPECT_EQ(IDR_FORMAT_BAR, FindItem(pDocFormat, 32861)->nToolbarID);

    // WM_MEASUREITEM for an item of an owner-drawn pop-up is answered.
    m_pFrame->SendMessage(WM_INITMENUPOPUP, (WPARAM)pFile->m_hMenu, MAKELPARAM(0, FALSE));
    MEASUREITEMSTRUCT mis = {};
    mis.CtlType = ODT_MENU;
    mis.itemID = ID_FILE_NEW;
    mis.itemData = (ULONG_PTR)pNew;
    EXPECT_EQ(TRUE, (BOOL)m_pFrame->SendMessage(WM_MEASUREITEM, 0, (LPARAM)&mis));
    EXPECT_GT(mis.itemHeight, 0u);
    EXPECT_GT(mis.itemWidth, 0u);

    ::DestroyMenu(hDocument);
    ::DestroyMenu(hDefault);
}
} // namespace
