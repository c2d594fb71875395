#include "tests/support/Gtest.h"
#include "tests/support/DialogDriver.h"
#include "tests/shell/ColourTestSupport.h"

#include <functional>
#include <string>

namespace {

const COLORREF kInitial = RGB(1, 2, 3);          // not in the table
const COLORREF kDefault = RGB(10, 20, 30);       // the popup's default colour
const int kCellBlue = 13;

class ColourGridPopupTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(recorder.CreateIn(SharedParent()));
    }
    void TearDown() override
    {
        if (IsOpen())
            popup->DestroyWindow();
        recorder.DestroyWindow();
        PumpMessages();
    }

    // Opens a popup below the recorder's top-left corner, or at pt.
    void Open(COLORREF crInitial = kInitial, BOOL bButtons = TRUE, BOOL bIgnoreFirstUp = FALSE,
              CPoint pt = CPoint(-1, -1))
    {
        CRect rc;
        recorder.GetWindowRect(&rc);
        if (pt.x < 0)
            pt = CPoint(rc.left + 10, rc.top + 10);
        popup = new CColourGridPopup(pt, crInitial, kDefault,
                                     &recorder, bButtons ? "Default Color" : NULL,
                                     bButtons ? "Other Colors..." : NULL, bIgnoreFirstUp);
        hPopup = popup->GetSafeHwnd();
        ASSERT_TRUE(hPopup != NULL);
    }
    bool IsOpen() const { return hPopup != NULL && ::IsWindow(hPopup); }

    // Opens a popup and presses Enter on its custom button; the action runs
    // on the colour dialog.  TRUE when the dialog opened and the popup closed.
    bool ChooseOtherColors(std::function<void(HWND hPopup, HWND hDlg)> action)
    {
        Open();
        popup->ChangeSelection(COLOUR_CELL_CUSTOM);
        recorder.m_received.clear();
        HWND hWnd = hPopup;
        CDialogDriver driver([hWnd, action](HWND hDlg) { action(hWnd, hDlg); });
        PressKey(popup, VK_RETURN);
        return driver.Driven() != NULL && !IsOpen();
    }

    // The cell an arrow key leads to from a given current cell.
    int After(int nFrom, UINT nKey)
    {
        popup->ChangeSelection(nFrom);
        PressKey(popup, nKey);
        return popup->GetCurrentCell();
    }

    CColourRecorder recorder;
    CColourGridPopup* popup = NULL;
    HWND hPopup = NULL;
};

TEST_F(ColourGridPopupTest, GridIndexesRowsAndColumns)
{
    Open();
    EXPECT_EQ(0, popup->GetIndex(0, 0));
    EXPECT_EQ(39, popup->GetIndex(4, 7));
    EXPECT_EQ(8 * 2 + 3, popup->GetIndex(2, 3));
    EXPECT_EQ(COLOUR_CELL_NONE, popup->GetIndex(5, 0));
    EXPECT_EQ(COLOUR_CELL_NONE, popup->GetIndex(0, 8));
    EXPECT_EQ(COLOUR_CELL_CUSTOM, popup->GetIndex(COLOUR_CELL_CUSTOM, 3));
    EXPECT_EQ(COLOUR_CELL_DEFAULT, popup->GetIndex(2, COLOUR_CELL_DEFAULT));
    for (int i : { 0, 7, 8, 27, 39 })
    {
        EXPECT_EQ(i / 8, popup->GetRow(i));
        EXPECT_EQ(i % 8, popup->GetColumn(i));
    }
    EXPECT_EQ(COLOUR_CELL_CUSTOM, popup->GetRow(COLOUR_CELL_CUSTOM));
    EXPECT_EQ(COLOUR_CELL_DEFAULT, popup->GetColumn(COLOUR_CELL_DEFAULT));
    EXPECT_EQ(COLOUR_CELL_NONE, popup->GetRow(40));
    popup->DestroyWindow();

    // Without buttons their codes are nothing.
    Open(kInitial, FALSE);
    EXPECT_EQ(COLOUR_CELL_NONE, popup->GetIndex(COLOUR_CELL_CUSTOM, 0));
    EXPECT_EQ(COLOUR_CELL_NONE, popup->GetIndex(COLOUR_CELL_DEFAULT, 0));
    EXPECT_EQ(COLOUR_CELL_NONE, popup->GetRow(COLOUR_CELL_CUSTOM));
}

TEST_F(ColourGridPopupTest, CellsLieBetweenTheButtonsInsideTheWindow)
{
    Open();
    CRect rcClient, rcDefault, rcCustom, rcFirst, rcLast;
    popup->GetClientRect(&rcClient);
    ASSERT_TRUE(popup->GetCellRect(COLOUR_CELL_DEFAULT, &rcDefault));
    ASSERT_TRUE(popup->GetCellRect(COLOUR_CELL_CUSTOM, &rcCustom));
    ASSERT_TRUE(popup->GetCellRect(0, &rcFirst));
    ASSERT_TRUE(popup->GetCellRect(39, &rcLast));
    int nMargin = ::GetSystemMetrics(SM_CXEDGE);
    int nSize = rcFirst.Width();
    EXPECT_EQ(nSize, rcFirst.Height());
    EXPECT_EQ(nMargin, rcFirst.left);
    EXPECT_EQ(rcDefault.Height() + 2 * nMargin, rcFirst.top);
    EXPECT_EQ(rcFirst.left + 7 * nSize, rcLast.left);
    EXPECT_EQ(rcFirst.top + 4 * nSize, rcLast.top);
    EXPECT_LE(rcDefault.bottom, rcFirst.top);
    EXPECT_LE(rcLast.bottom, rcCustom.top);
    EXPECT_LE(rcCustom.bottom, rcClient.bottom);
    EXPECT_LE(rcLast.right, rcClient.right);
    EXPECT_EQ(rcClient.Width() - nMargin, rcDefault.right);
    popup->DestroyWindow();

    // Without buttons the window is exactly the grid and its margins.
    Open(kInitial, FALSE);
    popup->GetClientRect(&rcClient);
    popup->GetCellRect(0, &rcFirst);
    EXPECT_EQ(nMargin, rcFirst.top);
    EXPECT_EQ(8 * nSize + 2 * nMargin, rcClient.Width());
    EXPECT_EQ(5 * nSize + 2 * nMargin, rcClient.Height());
}

TEST_F(ColourGridPopupTest, PopupStaysOnTheScreen)
{
    int cxScreen = ::GetSystemMetrics(SM_CXSCREEN), cyScreen = ::GetSystemMetrics(SM_CYSCREEN);
    CRect rc;
    Open(kInitial, TRUE, FALSE, CPoint(cxScreen - 20, 50));
    popup->GetWindowRect(&rc);
    EXPECT_EQ(cxScreen, rc.right) << "moved left by the excess";
    EXPECT_EQ(50, rc.top);
    popup->DestroyWindow();

    // Near the bottom it opens above its opener instead.
    CRect rcParent;
    recorder.GetWindowRect(&rcParent);
    const int y = cyScreen - 10;
    Open(kInitial, TRUE, FALSE, CPoint(30, y));
    popup->GetWindowRect(&rc);
    EXPECT_EQ(30, rc.left);
    EXPECT_EQ(y - rc.Height() - rcParent.Height(), rc.top);
}

TEST_F(ColourGridPopupTest, InitialColourMarksItsCellOrAButton)
{
    Open(g_colourTable[26].crColour);
    EXPECT_EQ(26, popup->GetChosenCell());
    EXPECT_EQ(::GetCapture(), hPopup) << "the popup takes the capture";
    popup->DestroyWindow();
    Open(kDefault);
    EXPECT_EQ(COLOUR_CELL_DEFAULT, popup->GetChosenCell());
    popup->DestroyWindow();
    Open(kInitial);
    EXPECT_EQ(COLOUR_CELL_CUSTOM, popup->GetChosenCell());
    popup->DestroyWindow();
    Open(kInitial, FALSE);
    EXPECT_EQ(COLOUR_CELL_NONE, popup->GetChosenCell());
}

struct ToolFinder
{
    HWND hOwner;
    HWND hTip;
};

BOOL CALLBACK FindToolTip(HWND hWnd, LPARAM lParam)
{
    ToolFinder* pFinder = (ToolFinder*)lParam;
    char szClass[64] = "";
    ::GetClassNameA(hWnd, szClass, sizeof(szClass));
    if (lstrcmpiA(szClass, TOOLTIPS_CLASSA) == 0 && ::GetWindow(hWnd, GW_OWNER) == pFinder->hOwner)
    {
        pFinder->hTip = hWnd;
        return FALSE;
    }
    return TRUE;
}

TEST_F(ColourGridPopupTest, EachCellsTooltipShowsItsOwnEntrysName)
{
    Open();
    ToolFinder finder = { hPopup, NULL };
    ::EnumThreadWindows(::GetCurrentThreadId(), FindToolTip, (LPARAM)&finder);
    ASSERT_TRUE(finder.hTip != NULL);
    ASSERT_EQ(COLOUR_TABLE_SIZE, (int)::SendMessageA(finder.hTip, TTM_GETTOOLCOUNT, 0, 0));
    int nDuplicates = 0;
    for (int i = 0; i < COLOUR_TABLE_SIZE; ++i)
    {
        char szText[80] = "";
        TTTOOLINFOA ti = {};
        ti.cbSize = sizeof(ti);
        ti.hwnd = hPopup;
        ti.uId = (UINT_PTR)(i + 1);
        ti.lpszText = szText;
        ::SendMessageA(finder.hTip, TTM_GETTEXTA, sizeof(szText), (LPARAM)&ti);
        EXPECT_STREQ(g_colourTable[i].pszName, szText) << "cell " << i;
        for (int j = 0; j < i; ++j)
            nDuplicates += std::string(g_colourTable[j].pszName) == szText;
    }
    EXPECT_EQ(3, nDuplicates) << "Yellow, Light Yellow and Light Blue appear twice";
}

TEST_F(ColourGridPopupTest, MouseHighlightsCellsAndButtonsAndAClickChooses)
{
    Open();
    popup->SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(CellCentre(*popup, kCellBlue).x,
                                                   CellCentre(*popup, kCellBlue).y));
    ASSERT_EQ(1u, recorder.m_received.size());
    EXPECT_EQ((UINT)WM_COLOUR_SELCHANGE, recorder.Last().nMessage);
    EXPECT_EQ(g_colourTable[kCellBlue].crColour, recorder.Last().crColour);
    EXPECT_EQ(0, recorder.Last().lParam);

    // The same cell again changes nothing.
    CPoint pt = CellCentre(*popup, kCellBlue);
    popup->SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(pt.x + 1, pt.y));
    EXPECT_EQ(1u, recorder.m_received.size());

    pt = CellCentre(*popup, COLOUR_CELL_DEFAULT);
    popup->SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(pt.x, pt.y));
    EXPECT_EQ(kDefault, recorder.Last().crColour);
    pt = CellCentre(*popup, COLOUR_CELL_CUSTOM);
    popup->SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(pt.x, pt.y));
    EXPECT_EQ(COLOUR_CELL_CUSTOM, popup->GetCurrentCell());
    EXPECT_EQ(kInitial, recorder.Last().crColour) << "the custom button shows the initial colour";

    pt = CellCentre(*popup, 30);
    popup->SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(pt.x, pt.y));
    ClickAt(popup, pt);
    EXPECT_FALSE(IsOpen()) << "the popup closes itself";
    EXPECT_EQ((UINT)WM_COLOUR_SELENDOK, recorder.Last().nMessage);
    EXPECT_EQ(g_colourTable[30].crColour, recorder.Last().crColour);
}

TEST_F(ColourGridPopupTest, EscapeClickOutsideAndDeactivationCancelWithTheInitialColour)
{
    for (int nWay = 0; nWay < 3; ++nWay)
    {
        SCOPED_TRACE(::testing::Message() << "way " << nWay);
        recorder.m_received.clear();
        Open(g_colourTable[5].crColour);
        popup->ChangeSelection(kCellBlue);
        if (nWay == 0)
            PressKey(popup, VK_ESCAPE);
        else if (nWay == 1)
        {
            CRect rc;
            popup->GetClientRect(&rc);
            ReleaseAt(popup, CPoint(rc.right + 20, rc.bottom + 20));
        }
        else
            popup->SendMessage(WM_ACTIVATEAPP, FALSE, 0);
        EXPECT_FALSE(IsOpen());
        ASSERT_FALSE(recorder.m_received.empty());
        EXPECT_EQ((UINT)WM_COLOUR_SELENDCANCEL, recorder.Last().nMessage);
        EXPECT_EQ(g_colourTable[5].crColour, recorder.Last().crColour);
    }
}

TEST_F(ColourGridPopupTest, ButtonUpAfterTheOpeningPressIsIgnoredOnce)
{
    Open(kInitial, TRUE, TRUE);
    CPoint pt = CellCentre(*popup, 2);
    popup->SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(pt.x, pt.y));
    ReleaseAt(popup, pt);
    EXPECT_TRUE(IsOpen());
    ReleaseAt(popup, pt);
    EXPECT_FALSE(IsOpen());
    EXPECT_EQ((UINT)WM_COLOUR_SELENDOK, recorder.Last().nMessage);
    EXPECT_EQ(g_colourTable[2].crColour, recorder.Last().crColour);
}

TEST_F(ColourGridPopupTest, ArrowKeysWalkTheGridAndBothButtons)
{
    Open();
    const int D = COLOUR_CELL_DEFAULT, C = COLOUR_CELL_CUSTOM;
    EXPECT_EQ(0, After(D, VK_DOWN));
    EXPECT_EQ(11, After(3, VK_DOWN));
    EXPECT_EQ(C, After(35, VK_DOWN)) << "off the last row";
    EXPECT_EQ(D, After(C, VK_DOWN));

    EXPECT_EQ(C, After(D, VK_UP));
    EXPECT_EQ(39, After(C, VK_UP));
    EXPECT_EQ(3, After(11, VK_UP));
    EXPECT_EQ(D, After(4, VK_UP)) << "off the first row";

    EXPECT_EQ(0, After(D, VK_RIGHT));
    EXPECT_EQ(8, After(7, VK_RIGHT)) << "wraps to the next row";
    EXPECT_EQ(C, After(39, VK_RIGHT));
    EXPECT_EQ(D, After(C, VK_RIGHT));

    EXPECT_EQ(C, After(D, VK_LEFT));
    EXPECT_EQ(39, After(C, VK_LEFT));
    EXPECT_EQ(7, After(8, VK_LEFT)) << "wraps to the row above";
    EXPECT_EQ(D, After(0, VK_LEFT));

    // Past the colour cells is the custom button.
    popup->ChangeSelection(COLOUR_TABLE_SIZE);
    EXPECT_EQ(C, popup->GetCurrentCell());

    // Each move is reported: the last one went to the default button.
    popup->ChangeSelection(D);
    EXPECT_EQ((UINT)WM_COLOUR_SELCHANGE, recorder.Last().nMessage);
    EXPECT_EQ(kDefault, recorder.Last().crColour);
}

TEST_F(ColourGridPopupTest, ArrowKeysWithoutButtonsWrapAroundTheGrid)
{
    Open(kInitial, FALSE);
    EXPECT_EQ(0, After(36, VK_DOWN));
    EXPECT_EQ(39, After(2, VK_UP));
    EXPECT_EQ(0, After(39, VK_RIGHT));
    EXPECT_EQ(39, After(0, VK_LEFT));
    EXPECT_EQ(20, After(12, VK_DOWN));
}

TEST_F(ColourGridPopupTest, EnterAndSpaceChooseTheCurrentCell)
{
    Open();
    popup->ChangeSelection(COLOUR_CELL_DEFAULT);
    PressKey(popup, VK_RETURN);
    EXPECT_FALSE(IsOpen());
    EXPECT_EQ((UINT)WM_COLOUR_SELENDOK, recorder.Last().nMessage);
    EXPECT_EQ(kDefault, recorder.Last().crColour);

    Open();
    popup->ChangeSelection(kCellBlue);
    PressKey(popup, VK_SPACE);
    EXPECT_FALSE(IsOpen());
    EXPECT_EQ(g_colourTable[kCellBlue].crColour, recorder.Last().crColour);
}

TEST_F(ColourGridPopupTest, OtherColorsDialogOkChoosesCancelCancels)
{
    for (int nButton : { IDOK, IDCANCEL })
    {
        SCOPED_TRACE(::testing::Message() << "button " << nButton);
        EXPECT_TRUE(ChooseOtherColors(
            [nButton](HWND, HWND hDlg) { CDialogDriver::Press(hDlg, nButton); }));
        ASSERT_EQ(1u, recorder.m_received.size());
        EXPECT_EQ(nButton == IDOK ? (UINT)WM_COLOUR_SELENDOK : (UINT)WM_COLOUR_SELENDCANCEL,
                  recorder.Last().nMessage);
        EXPECT_EQ(kInitial, recorder.Last().crColour);
    }
}

TEST_F(ColourGridPopupTest, EndingWhileTheColourDialogIsOpenReportsOnce)
{
    EXPECT_TRUE(ChooseOtherColors([](HWND hPopup, HWND hDlg) {
        // Switching to another application while the dialog is up.
        ::SendMessageA(hPopup, WM_ACTIVATEAPP, FALSE, 0);
        CDialogDriver::Press(hDlg, IDCANCEL);
    }));
    ASSERT_EQ(1u, recorder.m_received.size());
    EXPECT_EQ((UINT)WM_COLOUR_SELENDCANCEL, recorder.Last().nMessage);
}

TEST_F(ColourGridPopupTest, PopupDestroyedUnderItsColourDialogIsNotUsedAfterwards)
{
    EXPECT_TRUE(ChooseOtherColors([](HWND hPopup, HWND hDlg) {
        CDialogDriver::Press(hDlg, IDOK);
        ::DestroyWindow(hPopup);
    }));
    EXPECT_TRUE(recorder.m_received.empty()) << "nothing comes from a popup that is gone";
}

} // namespace
