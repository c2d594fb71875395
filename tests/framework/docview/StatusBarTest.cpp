#include <string>

#include "tests/support/Gtest.h"

#include "tests/framework/docview/BarTestFrame.h"
#include "tests/framework/docview/BarTestResource.h"

namespace
{
class StatusBarTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ::GetKeyboardState(m_savedKeys);
        m_pFrame = CBarTestFrame::Make();
        ASSERT_NE(m_pFrame, nullptr);
    }
    void TearDown() override
    {
        ::SetKeyboardState(m_savedKeys);
        if (m_pFrame != NULL)
            m_pFrame->DestroyWindow();
    }
    CStatusBar& Status() { return m_pFrame->m_wndStatusBar; }
    // What the control shows in a pane, not what the bar remembers.
    std::string Shown(int nIndex)
    {
        char szText[256] = "";
        Status().SendMessage(SB_GETTEXTA, (WPARAM)nIndex, reinterpret_cast<LPARAM>(szText));
        return szText;
    }
    void SetToggled(BYTE (&keys)[256], int nVirtKey, BOOL bOn)
    {
        keys[nVirtKey] = (BYTE)(bOn ? (keys[nVirtKey] | 1) : (keys[nVirtKey] & ~1));
    }
    void SetLocks(BOOL bCaps, BOOL bNum, BOOL bScroll)
    {
        BYTE keys[256];
        ::GetKeyboardState(keys);
        SetToggled(keys, VK_CAPITAL, bCaps);
        SetToggled(keys, VK_NUMLOCK, bNum);
        SetToggled(keys, VK_SCROLL, bScroll);
        ::SetKeyboardState(keys);
    }
    LRESULT MenuSelect(UINT nItemID, UINT nFlags, HMENU hMenu)
    {
        return m_pFrame->SendMessage(WM_MENUSELECT, MAKEWPARAM(nItemID, nFlags),
                                     reinterpret_cast<LPARAM>(hMenu));
    }

    CBarTestFrame* m_pFrame = NULL;
    BYTE m_savedKeys[256] = {};
};
}

TEST_F(StatusBarTest, IndicatorsFollowTheStretchingMessagePaneInOrder)
{
    ASSERT_EQ(Status().GetCount(), 4);
    EXPECT_EQ(Status().CommandToIndex(ID_INDICATOR_CAPS), 1);
    EXPECT_EQ(Status().CommandToIndex(ID_INDICATOR_NUM), 2);
    EXPECT_EQ(Status().CommandToIndex(ID_INDICATOR_SCRL), 3);
    EXPECT_EQ(Status().GetItemID(0), (UINT)ID_SEPARATOR);
    EXPECT_STREQ(Status().GetPaneText(1), "CAP");
    EXPECT_STREQ(Status().GetPaneText(2), "NUM");
    EXPECT_STREQ(Status().GetPaneText(3), "SCRL");
    EXPECT_TRUE(Status().GetPaneStyle(0) & SBPS_STRETCH);

    CRect rectClient, rectPrev;
    Status().GetClientRect(&rectClient);
    Status().GetItemRect(0, &rectPrev);
    for (int i = 1; i < 4; ++i)
    {
        SCOPED_TRACE(i);
        CRect rect;
        Status().GetItemRect(i, &rect);
        EXPECT_GE(rect.left, rectPrev.right - 2);
        EXPECT_GT(rect.Width(), 0);
        EXPECT_LT(rect.Width(), rectPrev.Width() + (i == 1 ? 0 : 100));
        rectPrev = rect;
    }
    EXPECT_LE(rectPrev.right, rectClient.right + 2);
    EXPECT_GT(rectPrev.right, rectClient.right - 10);   // the last pane ends at the edge

    // The bar lies along the frame's bottom edge, under the pane.
    CRect rectBar, rectFrameClient;
    Status().GetWindowRect(&rectBar);
    m_pFrame->GetClientRect(&rectFrameClient);
    m_pFrame->ClientToScreen(&rectFrameClient);
    EXPECT_EQ(rectBar.bottom, rectFrameClient.bottom);
    EXPECT_EQ(rectBar.Width(), rectFrameClient.Width());
    EXPECT_EQ(m_pFrame->PaneRect().bottom, rectBar.top);
}

TEST_F(StatusBarTest, NewFrameShowsTheIdleMessage)
{
    // A pointer left over a tool button by an earlier test would show its hint.
    SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1);
    MSG msg;
    while (::PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE))
        ::DispatchMessageA(&msg);
    EXPECT_STREQ(Status().GetPaneText(0), "Ready");
}

TEST_F(StatusBarTest, IndicatorWithoutStringIsRefused)
{
    const UINT ids[] = { ID_SEPARATOR, ID_BAR_NOPROMPT };
    EXPECT_FALSE(Status().SetIndicators(ids, 2));
    EXPECT_TRUE(Status().SetIndicators(g_barTestIndicators, 4));
}

TEST_F(StatusBarTest, KeyIndicatorsShowTheLockStatesAtIdle)
{
    SetLocks(TRUE, FALSE, FALSE);
    m_pFrame->IdleUpdate();
    EXPECT_EQ(Shown(1), "CAP");
    EXPECT_EQ(Shown(2), "");
    EXPECT_EQ(Shown(3), "");
    EXPECT_FALSE(Status().GetPaneStyle(1) & SBPS_DISABLED);
    EXPECT_TRUE(Status().GetPaneStyle(2) & SBPS_DISABLED);

    SetLocks(FALSE, TRUE, TRUE);
    m_pFrame->IdleUpdate();
    EXPECT_EQ(Shown(1), "");
    EXPECT_EQ(Shown(2), "NUM");
    EXPECT_EQ(Shown(3), "SCRL");
    // The text stays the indicator's while it is blank.
    EXPECT_STREQ(Status().GetPaneText(1), "CAP");
}

TEST_F(StatusBarTest, MenuSelectShowsThePromptAndClosingTheMenuTheIdleMessage)
{
    HMENU hMenu = ::GetSubMenu(::GetMenu(m_pFrame->m_hWnd), 0);
    MenuSelect(ID_BAR_OPEN, MF_STRING | MF_HILITE, hMenu);
    EXPECT_STREQ(Status().GetPaneText(0), "Opens a report");
    EXPECT_EQ(Shown(0), "Opens a report");
    EXPECT_EQ(m_pFrame->m_nIDTracking, (UINT)ID_BAR_OPEN);

    // An item without a string shows nothing, a pop-up nothing either.
    MenuSelect(ID_BAR_NOPROMPT, MF_STRING | MF_HILITE, hMenu);
    EXPECT_STREQ(Status().GetPaneText(0), "");
    MenuSelect(ID_BAR_SAVE, MF_STRING | MF_HILITE, hMenu);
    EXPECT_STREQ(Status().GetPaneText(0), "Saves the report");
    MenuSelect(0, MF_POPUP | MF_HILITE, ::GetMenu(m_pFrame->m_hWnd));
    EXPECT_STREQ(Status().GetPaneText(0), "");

    MenuSelect(0, 0xFFFF, NULL);
    EXPECT_STREQ(Status().GetPaneText(0), "Ready");
}

TEST_F(StatusBarTest, MessageStringTakesAnIdOrATextAndReturnsTheLastId)
{
    m_pFrame->SendMessage(WM_SETMESSAGESTRING, ID_BAR_BOLD);
    EXPECT_STREQ(Status().GetPaneText(0), "Makes the text bold");
    LRESULT lLast = m_pFrame->SendMessage(WM_SETMESSAGESTRING, 0,
                                          reinterpret_cast<LPARAM>("Counting rows"));
    EXPECT_EQ(lLast, ID_BAR_BOLD);
    EXPECT_STREQ(Status().GetPaneText(0), "Counting rows");
    m_pFrame->SetMessageText((UINT)AFX_IDS_IDLEMESSAGE);
    EXPECT_STREQ(Status().GetPaneText(0), "Ready");

    CString strPrompt;
    m_pFrame->GetMessageString(ID_BAR_MODE, strPrompt);
    EXPECT_STREQ(strPrompt, "Switches the mode");
}
