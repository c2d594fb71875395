// The designer's main frame in this process, loaded from the designer's
// own resources: its bars, the Format bar's combos and the bar toggles.
#include "tests/support/Gtest.h"
#include "tests/support/MessageBoxRecorder.h"
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
