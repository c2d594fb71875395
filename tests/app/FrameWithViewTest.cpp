// The main frame with a sheet view in an MDI child: the zoom combo and
// full-screen mode.
#include "tests/app/FrameWithView.h"
#include "sheet/Sheet.h"
#include "tests/support/RecordingCmdUI.h"

namespace
{
TEST_F(FrameWithViewTest, ComboSitsOnButtonTwentyFiveWithTheListedZooms)
{
    CZoomComboBox& combo = m_pFrame->m_wndZoom;
    ASSERT_TRUE(::IsWindow(combo.m_hWnd));
    EXPECT_EQ(ID_VIEW_ZOOM_COMBO, ::GetDlgCtrlID(combo.m_hWnd));
    EXPECT_EQ((UINT)ID_VIEW_ZOOM_COMBO, m_pFrame->m_wndToolBar.GetItemID(25));
    const char* kItems[] = { "25%", "50%", "75%", "100%", "150%", "200%" };
    ASSERT_EQ(6, (int)combo.SendMessage(CB_GETCOUNT));
    for (int i = 0; i < 6; ++i)
    {
        char szItem[16] = "";
        combo.SendMessage(CB_GETLBTEXT, i, (LPARAM)szItem);
        EXPECT_STREQ(kItems[i], szItem);
    }
    LOGFONTA lf = {};
    ::GetObjectA((HFONT)combo.SendMessage(WM_GETFONT), sizeof(lf), &lf);
    EXPECT_STREQ("Arial", lf.lfFaceName);

    CRect rcButton, rcCombo;
    m_pFrame->m_wndToolBar.GetItemRect(25, &rcButton);
    m_pFrame->m_wndToolBar.ClientToScreen(&rcButton);
    combo.GetWindowRect(&rcCombo);
    EXPECT_EQ(rcButton.left, rcCombo.left);
}

TEST_F(FrameWithViewTest, EnterAppliesNumbersAndPutsBackTheZoomOtherwise)
{
    ASSERT_EQ(100, m_pView->GetZoom());
    TypeAndEnter("abc");
    EXPECT_STREQ("100%", ComboText());
    EXPECT_EQ(100, m_pView->GetZoom());

    TypeAndEnter("80");
    EXPECT_EQ(80, m_pView->GetZoom());
    EXPECT_STREQ("80%", ComboText());
    EXPECT_EQ(0u, m_messages.Messages().size());

    TypeAndEnter("500");
    EXPECT_EQ(80, m_pView->GetZoom());
    EXPECT_STREQ("80%", ComboText());
    EXPECT_EQ(1u, m_messages.Messages().size());
}

TEST_F(FrameWithViewTest, ListSelectionIsAppliedWhenThePostedMessageArrives)
{
    CZoomComboBox& combo = m_pFrame->m_wndZoom;
    combo.SendMessage(CB_SETCURSEL, 4);
    m_pFrame->SendMessage(WM_COMMAND, MAKEWPARAM(ID_VIEW_ZOOM_COMBO, CBN_SELENDOK),
                          (LPARAM)combo.m_hWnd);
    EXPECT_EQ(100, m_pView->GetZoom());
    MSG msg;
    while (::PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE))
        ::DispatchMessageA(&msg);
    EXPECT_EQ(150, m_pView->GetZoom());
    EXPECT_STREQ("150%", ComboText());
}

TEST_F(FrameWithViewTest, FullScreenHidesTheBarsAndLeavingRestoresThemAndThePlacement)
{
    m_pFrame->MoveWindow(40, 30, 500, 400);
    WINDOWPLACEMENT before = Placement();
    ASSERT_TRUE(m_pView->GetSheet()->m_bDesignMode);

    ToggleFullScreen();
    EXPECT_TRUE(m_pFrame->m_bFullScreen);
    EXPECT_FALSE(m_pFrame->m_wndStatusBar.IsWindowVisible());
    EXPECT_FALSE(m_pFrame->m_wndToolBar.IsWindowVisible());
    EXPECT_FALSE(m_pFrame->m_wndTableBar.IsWindowVisible());
    EXPECT_FALSE(m_pFrame->m_wndFormatBar.IsWindowVisible());
    EXPECT_FALSE(m_pFrame->m_wndDataBar.IsWindowVisible());
    CToolBar* pBar = m_pFrame->m_pwndFullScreenBar;
    ASSERT_TRUE(pBar != NULL);
    EXPECT_EQ(1, pBar->GetCount());
    EXPECT_EQ((UINT)ID_VIEW_FULL_SCREEN, pBar->GetItemID(0));
    CFrameWnd* pMini = pBar->GetParentFrame();
    ASSERT_TRUE(pMini != NULL);
    EXPECT_NE(static_cast<CFrameWnd*>(m_pFrame), pMini);
    EXPECT_EQ(0u, pMini->GetStyle() & WS_SYSMENU);
    CRect rcMini;
    pMini->GetWindowRect(&rcMini);
    EXPECT_EQ(CPoint(100, 100), rcMini.TopLeft());
    CRect rcDesktop;
    ::GetWindowRect(::GetDesktopWindow(), &rcDesktop);
    CRect rcFull(m_pFrame->m_rectFullScreen);
    EXPECT_TRUE(rcFull.left <= rcDesktop.left && rcFull.right >= rcDesktop.right);
    EXPECT_EQ(rcFull, CRect(Placement().rcNormalPosition));

    ToggleFullScreen();
    EXPECT_FALSE(m_pFrame->m_bFullScreen);
    EXPECT_EQ(NULL, m_pFrame->m_pwndFullScreenBar);
    EXPECT_TRUE(m_pFrame->m_wndStatusBar.IsWindowVisible());
    EXPECT_TRUE(m_pFrame->m_wndToolBar.IsWindowVisible());
    EXPECT_TRUE(m_pFrame->m_wndDataBar.IsWindowVisible());
    EXPECT_TRUE(m_pFrame->m_wndTableBar.IsWindowVisible());
    EXPECT_TRUE(m_pFrame->m_wndFormatBar.IsWindowVisible());
    EXPECT_EQ(CRect(before.rcNormalPosition), CRect(Placement().rcNormalPosition));
}

TEST_F(FrameWithViewTest, LeavingFullScreenInRunModeKeepsTheDesignBarsHidden)
{
    ToggleFullScreen();
    m_pView->GetSheet()->m_bDesignMode = FALSE;
    ToggleFullScreen();
    EXPECT_TRUE(m_pFrame->m_wndToolBar.IsWindowVisible());
    EXPECT_TRUE(m_pFrame->m_wndDataBar.IsWindowVisible());
    EXPECT_FALSE(m_pFrame->m_wndTableBar.IsWindowVisible());
    EXPECT_FALSE(m_pFrame->m_wndFormatBar.IsWindowVisible());
}

TEST_F(FrameWithViewTest, FullScreenStaysAvailableToLeaveAfterTheLastChildCloses)
{
    CRecordingCmdUI ui = CRecordingCmdUI::Update(m_pFrame, ID_VIEW_FULL_SCREEN);
    EXPECT_EQ(1, ui.m_nEnabled);
    EXPECT_TRUE(m_pFrame->m_wndZoom.IsWindowEnabled());

    ToggleFullScreen();
    m_pChild->DestroyWindow();
    m_pChild = NULL;
    ui = CRecordingCmdUI::Update(m_pFrame, ID_VIEW_FULL_SCREEN);
    EXPECT_EQ(1, ui.m_nEnabled);
    EXPECT_FALSE(m_pFrame->m_wndZoom.IsWindowEnabled());
    EXPECT_FALSE(m_pFrame->m_wndFormatBar.m_comboFontName.IsWindowEnabled());
    EXPECT_FALSE(m_pFrame->m_wndFormatBar.m_comboCellType.IsWindowEnabled());

    ToggleFullScreen();
    EXPECT_FALSE(m_pFrame->m_bFullScreen);
    EXPECT_TRUE(m_pFrame->m_wndToolBar.IsWindowVisible());
    EXPECT_FALSE(m_pFrame->m_wndFormatBar.IsWindowVisible());
    // Without a document and outside full-screen mode the command is disabled.
    ui = CRecordingCmdUI::Update(m_pFrame, ID_VIEW_FULL_SCREEN);
    EXPECT_EQ(0, ui.m_nEnabled);
}
} // namespace
