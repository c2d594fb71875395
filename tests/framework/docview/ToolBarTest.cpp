#include <vector>

#include "tests/support/Gtest.h"

#include "framework/docview/ToolBarResource.h"
#include "tests/framework/docview/BarTestFrame.h"
#include "tests/framework/docview/BarTestResource.h"

namespace
{
class ToolBarTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_pFrame = CBarTestFrame::Make();
        ASSERT_NE(m_pFrame, nullptr);
    }
    void TearDown() override
    {
        if (m_pFrame != NULL)
            m_pFrame->DestroyWindow();
    }
    CToolBar& Bar() { return m_pFrame->m_wndToolBar; }
    CRect ItemRect(int nIndex)
    {
        CRect rect;
        Bar().GetItemRect(nIndex, &rect);
        return rect;
    }

    CBarTestFrame* m_pFrame = NULL;
};

// A mouse click in the bar's client coordinates.
void Click(CWnd& wnd, CPoint point)
{
    wnd.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(point.x, point.y));
    wnd.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(point.x, point.y));
}
}

TEST(ToolBarResource, ReadsVersionOneAndRefusesShortOrOtherVersions)
{
    const WORD good[] = { 1, 16, 15, 3, 200, 0, 201 };
    CToolBarResource resource;
    ASSERT_TRUE(resource.Parse(good, sizeof(good)));
    EXPECT_EQ(resource.m_cxImage, 16);
    EXPECT_EQ(resource.m_cyImage, 15);
    ASSERT_EQ(resource.m_arrIDs.GetSize(), 3);
    EXPECT_EQ(resource.m_arrIDs[0], 200u);
    EXPECT_EQ(resource.m_arrIDs[1], 0u);
    EXPECT_EQ(resource.m_arrIDs[2], 201u);

    EXPECT_FALSE(resource.Parse(good, sizeof(good) - sizeof(WORD)));   // count says 3, 2 given
    const WORD version2[] = { 2, 16, 15, 0 };
    EXPECT_FALSE(resource.Parse(version2, sizeof(version2)));
    EXPECT_FALSE(resource.Parse(good, 6));
}

TEST_F(ToolBarTest, LoadsButtonsInResourceOrderWithSeparatorsAndImages)
{
    const UINT expected[] = { ID_BAR_OPEN, ID_BAR_SAVE, 0, ID_BAR_BOLD, ID_BAR_MODE, 0,
                              ID_BAR_NOHANDLER };
    ASSERT_EQ(Bar().GetCount(), 7);
    int iNextImage = 0;
    for (int i = 0; i < 7; ++i)
    {
        SCOPED_TRACE(i);
        UINT nID = 0, nStyle = 0;
        int iImage = -1;
        Bar().GetButtonInfo(i, nID, nStyle, iImage);
        EXPECT_EQ(nID, expected[i]);
        EXPECT_EQ(Bar().GetItemID(i), expected[i]);
        EXPECT_EQ((nStyle & TBBS_SEPARATOR) != 0, expected[i] == 0);
        if (expected[i] != 0)
        {
            EXPECT_EQ(iImage, iNextImage++);
        }
    }
    EXPECT_EQ(Bar().CommandToIndex(ID_BAR_BOLD), 3);
    EXPECT_EQ(Bar().CommandToIndex(ID_BAR_NOPROMPT), -1);
    EXPECT_EQ(Bar().GetItemID(99), 0u);

    CImageList* pImages = Bar().GetToolBarCtrl().GetImageList();
    ASSERT_NE(pImages, nullptr);
    EXPECT_EQ(pImages->GetImageCount(), 5);
    IMAGEINFO info;
    ASSERT_TRUE(pImages->GetImageInfo(0, &info));
    EXPECT_EQ(info.rcImage.right - info.rcImage.left, 16);
    EXPECT_EQ(info.rcImage.bottom - info.rcImage.top, 15);
}

TEST_F(ToolBarTest, LoadFailsWithoutTheResourceOrItsBitmap)
{
    CToolBar bar;
    ASSERT_TRUE(bar.CreateEx(m_pFrame, TBSTYLE_FLAT, WS_CHILD | CBRS_TOP));
    EXPECT_FALSE(bar.LoadToolBar(IDR_BAR_FRAME + 90));
    EXPECT_FALSE(bar.LoadToolBar(IDR_SHORT_BAR));
}

TEST_F(ToolBarTest, ButtonsLieSideBySideAtTheSizesSet)
{
    Bar().SetSizes(CSize(23, 22), CSize(16, 15));
    CRect rectFirst = ItemRect(0);
    EXPECT_EQ(rectFirst.Width(), 23);
    EXPECT_EQ(rectFirst.Height(), 22);
    for (int i = 0; i + 1 < Bar().GetCount(); ++i)
    {
        SCOPED_TRACE(i);
        CRect rect = ItemRect(i), rectNext = ItemRect(i + 1);
        EXPECT_EQ(rectNext.left, rect.right);
        EXPECT_EQ(rectNext.top, rect.top);
    }
    EXPECT_GT(ItemRect(2).Width(), 0);
    EXPECT_LT(ItemRect(2).Width(), 23);

    // The docked bar is as tall as its buttons and its margins, no taller.
    m_pFrame->RecalcLayout();
    CRect rectBar;
    Bar().GetWindowRect(&rectBar);
    EXPECT_EQ(rectBar.Height(), 22 + Bar().m_rectBorder.top + Bar().m_rectBorder.bottom);
    EXPECT_GE(rectBar.Width(), ItemRect(6).right);
}

TEST_F(ToolBarTest, SeparatorBecomesAComboHolderOfTheGivenWidth)
{
    const UINT nComboID = ID_BAR_COMBO;
    CRect rectAfterBefore = ItemRect(3);
    Bar().SetButtonInfo(2, nComboID, TBBS_SEPARATOR, 60);
    EXPECT_EQ(Bar().GetItemID(2), nComboID);
    EXPECT_EQ(Bar().CommandToIndex(nComboID), 2);
    UINT nID = 0, nStyle = 0;
    int iWidth = 0;
    Bar().GetButtonInfo(2, nID, nStyle, iWidth);
    EXPECT_TRUE(nStyle & TBBS_SEPARATOR);
    EXPECT_EQ(iWidth, 60);
    CRect rect = ItemRect(2);
    EXPECT_EQ(rect.Width(), 60);
    EXPECT_EQ(ItemRect(3).left, rect.right);
    EXPECT_GT(ItemRect(3).left, rectAfterBefore.left);

    // A combo made over it sits inside the bar; its commands reach the frame.
    CWnd combo;
    CRect rectCombo = rect;
    rectCombo.bottom += 100;
    ASSERT_TRUE(combo.Create("COMBOBOX", NULL, WS_CHILD | WS_VISIBLE | CBS_DROPDOWN, rectCombo,
                             &Bar(), nComboID));
    CRect rectShown;
    combo.GetWindowRect(&rectShown);
    Bar().ScreenToClient(&rectShown);
    EXPECT_EQ(rectShown.left, rect.left);
    EXPECT_EQ(rectShown.Width(), 60);
    combo.GetParent()->SendMessage(WM_COMMAND, MAKEWPARAM(nComboID, CBN_SELENDOK),
                                   reinterpret_cast<LPARAM>(combo.m_hWnd));
    EXPECT_EQ(m_pFrame->m_nComboSelections, 1);
}

TEST_F(ToolBarTest, IdleUpdateEnablesAndChecksButtonsThroughTheHandlers)
{
    CToolBarCtrl& ctrl = Bar().GetToolBarCtrl();
    m_pFrame->IdleUpdate();
    EXPECT_TRUE(ctrl.IsButtonEnabled(ID_BAR_OPEN));        // command handler only
    EXPECT_TRUE(ctrl.IsButtonEnabled(ID_BAR_SAVE));
    EXPECT_FALSE(ctrl.IsButtonEnabled(ID_BAR_NOHANDLER));  // nobody handles it
    EXPECT_FALSE(ctrl.IsButtonChecked(ID_BAR_BOLD));

    m_pFrame->m_bSaveEnabled = FALSE;
    m_pFrame->m_nBoldCheck = 1;
    m_pFrame->IdleUpdate();
    EXPECT_FALSE(ctrl.IsButtonEnabled(ID_BAR_SAVE));
    EXPECT_TRUE(ctrl.IsButtonChecked(ID_BAR_BOLD));
    EXPECT_TRUE(Bar().GetButtonStyle(Bar().CommandToIndex(ID_BAR_SAVE)) & TBBS_DISABLED);

    m_pFrame->m_bSaveEnabled = TRUE;
    m_pFrame->m_nBoldCheck = 0;
    m_pFrame->IdleUpdate();
    EXPECT_TRUE(ctrl.IsButtonEnabled(ID_BAR_SAVE));
    EXPECT_FALSE(ctrl.IsButtonChecked(ID_BAR_BOLD));

    // A hidden bar is left alone until it shows again.
    m_pFrame->ShowControlBar(&Bar(), FALSE, FALSE);
    m_pFrame->m_bSaveEnabled = FALSE;
    m_pFrame->IdleUpdate();
    EXPECT_TRUE(ctrl.IsButtonEnabled(ID_BAR_SAVE));
    m_pFrame->ShowControlBar(&Bar(), TRUE, FALSE);
    m_pFrame->IdleUpdate();
    EXPECT_FALSE(ctrl.IsButtonEnabled(ID_BAR_SAVE));
}

TEST_F(ToolBarTest, ClickedButtonRunsTheFramesCommand)
{
    Click(Bar(), ItemRect(0).CenterPoint());
    EXPECT_EQ(m_pFrame->m_nOpened, 1);
}

TEST_F(ToolBarTest, DropDownArrowNotifiesTheFrame)
{
    Bar().GetToolBarCtrl().SetExtendedStyle(TBSTYLE_EX_DRAWDDARROWS);
    int nIndex = Bar().CommandToIndex(ID_BAR_MODE);
    CRect rectPlain = ItemRect(nIndex);
    Bar().SetButtonStyle(nIndex, Bar().GetButtonStyle(nIndex) | TBSTYLE_DROPDOWN);
    EXPECT_TRUE(Bar().GetButtonStyle(nIndex) & TBBS_DROPDOWN);
    CRect rect = ItemRect(nIndex);
    EXPECT_GT(rect.Width(), rectPlain.Width());   // room for the arrow

    CPoint ptArrow(rect.right - 3, rect.CenterPoint().y);
    Click(Bar(), ptArrow);
    ASSERT_EQ(m_pFrame->m_dropDownItems.size(), 1u);
    EXPECT_EQ(m_pFrame->m_dropDownItems[0], ID_BAR_MODE);

    // A plain button has no drop-down.
    Click(Bar(), ItemRect(0).CenterPoint());
    EXPECT_EQ(m_pFrame->m_dropDownItems.size(), 1u);
}

TEST_F(ToolBarTest, TooltipTextIsTheTipPartOfTheCommandString)
{
    HWND hTip = reinterpret_cast<HWND>(Bar().SendMessage(TB_GETTOOLTIPS));
    ASSERT_NE(hTip, nullptr);
    EXPECT_EQ(::SendMessageA(hTip, TTM_GETTOOLCOUNT, 0, 0), 5);   // one per button

    // The tooltip's own question goes through the bar to the frame.
    char szTip[80] = "";
    TTTOOLINFOA tool = {};
    tool.cbSize = sizeof(tool);
    tool.hwnd = Bar().m_hWnd;
    tool.uId = ID_BAR_OPEN;
    tool.lpszText = szTip;
    ::SendMessageA(hTip, TTM_GETTEXTA, sizeof(szTip), reinterpret_cast<LPARAM>(&tool));
    EXPECT_STREQ(szTip, "Open");

    // As the tooltip asks the bar, in both character sets.
    NMTTDISPINFOA infoA = {};
    infoA.hdr.hwndFrom = hTip;
    infoA.hdr.idFrom = ID_BAR_SAVE;
    infoA.hdr.code = TTN_NEEDTEXTA;
    Bar().SendMessage(WM_NOTIFY, ID_BAR_SAVE, reinterpret_cast<LPARAM>(&infoA));
    ASSERT_NE(infoA.lpszText, nullptr);
    EXPECT_STREQ(infoA.lpszText, "Save");

    NMTTDISPINFOW infoW = {};
    infoW.hdr.hwndFrom = hTip;
    infoW.hdr.idFrom = ID_BAR_BOLD;
    infoW.hdr.code = TTN_NEEDTEXTW;
    Bar().SendMessage(WM_NOTIFY, ID_BAR_BOLD, reinterpret_cast<LPARAM>(&infoW));
    char szText[80] = "";
    ::WideCharToMultiByte(CP_ACP, 0, infoW.szText, -1, szText, sizeof(szText), NULL, NULL);
    EXPECT_STREQ(szText, "Bold");

    // A command whose string has no tip part, or no string, gets none.
    NMTTDISPINFOA infoNone = {};
    infoNone.hdr.hwndFrom = hTip;
    infoNone.hdr.idFrom = ID_BAR_NOPROMPT;
    infoNone.hdr.code = TTN_NEEDTEXTA;
    strcpy(infoNone.szText, "stale");
    Bar().SendMessage(WM_NOTIFY, ID_BAR_NOPROMPT, reinterpret_cast<LPARAM>(&infoNone));
    EXPECT_STREQ(infoNone.szText, "");
}

TEST_F(ToolBarTest, HotButtonShowsItsPromptUntilTheMouseLeaves)
{
    CStatusBar& status = m_pFrame->m_wndStatusBar;
    Bar().SendMessage(TB_SETHOTITEM, (WPARAM)Bar().CommandToIndex(ID_BAR_OPEN));
    if (status.GetPaneText(0).IsEmpty())
        GTEST_SKIP() << "this comctl32 sends no TBN_HOTITEMCHANGE for TB_SETHOTITEM";
    EXPECT_STREQ(status.GetPaneText(0), "Opens a report");
    Bar().SendMessage(TB_SETHOTITEM, (WPARAM)-1);
    EXPECT_STREQ(status.GetPaneText(0), "Ready");
}
