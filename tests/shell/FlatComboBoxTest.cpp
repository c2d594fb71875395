#include "tests/support/Gtest.h"
#include "tests/support/Screenshot.h"
#include "tests/shell/ShellTestWindow.h"
#include "shell/FlatComboBox.h"

namespace {

const UINT ID_COMBO = 210;
const UINT ID_OTHER = 211;

struct StepCase
{
    BOOL bDown, bInside, bFocus, bRaised;
    BOOL bStop;
    FlatComboBorder nDraw;
    BOOL bRaisedAfter;
};

// The colour of the combo's top-left client pixel: the outer border.
COLORREF CornerColour(CWnd& wnd)
{
    HDC hDC = ::GetDC(wnd.m_hWnd);
    COLORREF cr = ::GetPixel(hDC, 0, 0);
    ::ReleaseDC(wnd.m_hWnd, hDC);
    return cr;
}

class CFlatComboTest : public testing::Test
{
protected:
    CShellTestWindow m_host;
    CCJFlatComboBox m_combo;
    CWnd m_other;

    void SetUp() override
    {
        ASSERT_TRUE(m_combo.Create(WS_CHILD | WS_VISIBLE | WS_VSCROLL | CBS_DROPDOWN, CRect(20, 20, 180, 200),
                                   &m_host, ID_COMBO));
        m_combo.ModifyStyleEx(0, WS_EX_CLIENTEDGE, SWP_FRAMECHANGED);
        m_combo.AddString("100%");
        m_combo.AddString("75%");
        ASSERT_TRUE(m_other.CreateEx(0, "BUTTON", "other", WS_CHILD | WS_VISIBLE, 220, 20, 80, 24,
                                     m_host.m_hWnd, (HMENU)(UINT_PTR)ID_OTHER));
        // Start with the cursor well away from the combo.
        ::SetCursorPos(5, 5);
        PumpFor(50);
    }

    void MoveCursorOverCombo()
    {
        CRect rc;
        m_combo.GetWindowRect(&rc);
        ::SetCursorPos(rc.left + 10, rc.top + 5);
        m_combo.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(10, 5));
    }
};

} // namespace

TEST(FlatComboStep, HoverTrackingFollowsButtonCursorAndFocus)
{
    const StepCase cases[] = {
        // button down: stop; a raised border becomes pressed
        { TRUE, TRUE, FALSE, TRUE, TRUE, FLAT_BORDER_PRESSED, FALSE },
        { TRUE, TRUE, FALSE, FALSE, TRUE, FLAT_BORDER_NONE, FALSE },
        // outside without focus: stop; a raised border goes back to normal
        { FALSE, FALSE, FALSE, TRUE, TRUE, FLAT_BORDER_NORMAL, FALSE },
        { FALSE, FALSE, FALSE, FALSE, TRUE, FLAT_BORDER_NONE, FALSE },
        // hovered or focused: keep running, raise once
        { FALSE, TRUE, FALSE, FALSE, FALSE, FLAT_BORDER_RAISED, TRUE },
        { FALSE, FALSE, TRUE, FALSE, FALSE, FLAT_BORDER_RAISED, TRUE },
        { FALSE, TRUE, TRUE, TRUE, FALSE, FLAT_BORDER_NONE, TRUE },
    };
    for (const StepCase& c : cases)
    {
        SCOPED_TRACE(testing::Message() << "down " << c.bDown << " inside " << c.bInside << " focus "
                                        << c.bFocus << " raised " << c.bRaised);
        FlatComboStep step = FlatComboTimerStep(c.bDown, c.bInside, c.bFocus, c.bRaised);
        EXPECT_EQ(step.bStopTimer, c.bStop);
        EXPECT_EQ(step.nDraw, c.nDraw);
        EXPECT_EQ(step.bDrawnRaised, c.bRaisedAfter);
    }
}

TEST_F(CFlatComboTest, FocusChangesReachTheOwnerAsNotifications)
{
    m_combo.SetFocus();
    PumpMessages();
    ASSERT_EQ(m_host.m_notifications.size(), 1u);
    EXPECT_EQ(m_host.m_notifications[0].nCode, (UINT)NM_SETFOCUS);
    EXPECT_EQ(m_host.m_notifications[0].idFrom, (UINT_PTR)ID_COMBO);
    EXPECT_EQ(m_host.m_notifications[0].hwndFrom, m_combo.m_hWnd);
    // The combo's own CBN_SETFOCUS stays with the combo.
    EXPECT_TRUE(std::find(m_host.m_commandCodes.begin(), m_host.m_commandCodes.end(), (UINT)CBN_SETFOCUS) ==
                m_host.m_commandCodes.end());
    EXPECT_EQ(CornerColour(m_combo), ::GetSysColor(COLOR_BTNSHADOW));

    m_other.SetFocus();
    PumpMessages();
    ASSERT_EQ(m_host.m_notifications.size(), 2u);
    EXPECT_EQ(m_host.m_notifications[1].nCode, (UINT)NM_KILLFOCUS);
    EXPECT_EQ(m_host.m_notifications[1].hwndFrom, m_combo.m_hWnd);
    EXPECT_EQ(CornerColour(m_combo), ::GetSysColor(COLOR_BTNFACE));
}

TEST_F(CFlatComboTest, HoverRaisesTheBorderAndLeavingStopsTheTimer)
{
    m_combo.RedrawWindow();
    // The frame edges are taken off when the combo paints.
    EXPECT_FALSE(m_combo.GetExStyle() & WS_EX_CLIENTEDGE);
    EXPECT_EQ(CornerColour(m_combo), ::GetSysColor(COLOR_BTNFACE));

    MoveCursorOverCombo();
    EXPECT_EQ(CornerColour(m_combo), ::GetSysColor(COLOR_BTNSHADOW));
    PumpFor(60);
    SaveWindowScreenshot(m_host.m_hWnd, "..\\shell_flat_combo.bmp");

    ::SetCursorPos(5, 5);
    PumpFor(60);
    EXPECT_EQ(CornerColour(m_combo), ::GetSysColor(COLOR_BTNFACE));
    // The timer stopped by itself once the cursor was off.
    EXPECT_FALSE(m_combo.KillTimer(1));
}

TEST_F(CFlatComboTest, FocusedComboStaysRaisedWhenTheMouseLeaves)
{
    m_combo.SetFocus();
    MoveCursorOverCombo();
    ::SetCursorPos(5, 5);
    PumpFor(60);
    EXPECT_EQ(CornerColour(m_combo), ::GetSysColor(COLOR_BTNSHADOW));
    EXPECT_TRUE(m_combo.KillTimer(1));
    m_other.SetFocus();
    PumpMessages();
}

TEST_F(CFlatComboTest, PressingTheButtonStopsTrackingAndReleaseRepaints)
{
    MoveCursorOverCombo();
    m_combo.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 5));
    PumpFor(40);
    EXPECT_FALSE(m_combo.KillTimer(1));
    // Close the list the press opened, then release.
    m_combo.ShowDropDown(FALSE);
    m_combo.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(10, 5));
    EXPECT_TRUE(::GetUpdateRect(m_combo.m_hWnd, NULL, FALSE));
    m_other.SetFocus();
    PumpMessages();
}
