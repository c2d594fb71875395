// The main frame's drop-down buttons: the Design/Run menu, the colour
// popups of the Format bar and the colour bar on the colour buttons.
#include "tests/app/FrameWithView.h"

#include <vector>

#include "sheet/Sheet.h"
#include "tests/sheet/RenderCanvas.h"
#include "tests/sheet/SheetGrid.h"
#include "shell/ColourMessages.h"
#include "FormatBarIds.h"

namespace
{
// What the tracked Design/Run menu held, read while it was open.
struct TrackedModeMenu
{
    CMainFrame* pFrame = NULL;
    BOOL bOpened = FALSE;
    UINT nDesignState = 0;
    UINT nRunState = 0;
    int nItems = 0;
    CPoint cursorAtOpen;
};
TrackedModeMenu g_tracked;

void CALLBACK ReadAndCloseModeMenu(HWND hWnd, UINT, UINT_PTR nIDEvent, DWORD)
{
    ::KillTimer(hWnd, nIDEvent);
    HMENU hMenu = g_tracked.pFrame->m_menuMode.m_hMenu;
    HMENU hPopup = hMenu != NULL ? ::GetSubMenu(hMenu, 0) : NULL;
    if (hPopup != NULL)
    {
        g_tracked.bOpened = TRUE;
        g_tracked.nItems = ::GetMenuItemCount(hPopup);
        g_tracked.nDesignState = ::GetMenuState(hPopup, ID_VIEW_DESIGN_MODE, MF_BYCOMMAND);
        g_tracked.nRunState = ::GetMenuState(hPopup, ID_VIEW_RUN_MODE, MF_BYCOMMAND);
    }
    ::EndMenu();
}

void SendDropDown(CToolBar& bar, UINT nBarID, UINT nButton)
{
    NMTOOLBARA info = {};
    info.hdr.hwndFrom = bar.m_hWnd;
    info.hdr.idFrom = nBarID;
    info.hdr.code = TBN_DROPDOWN;
    info.iItem = (int)nButton;
    ::SendMessageA(::GetParent(bar.m_hWnd), WM_NOTIFY, nBarID, (LPARAM)&info);
}

// The pixels of one toolbar image drawn over the background, top row first
// (16 a row).
std::vector<COLORREF> ImagePixels(CToolBar& bar, int nImage, COLORREF crBack)
{
    HIMAGELIST hImages = bar.GetToolBarCtrl().GetImageList()->GetSafeHandle();
    int cx = 0, cy = 0;
    ImageList_GetIconSize(hImages, &cx, &cy);
    sheettest::RenderCanvas canvas(cx, cy);
    canvas.Fill(crBack);
    ImageList_Draw(hImages, nImage, canvas.DC()->m_hDC, 0, 0, ILD_TRANSPARENT);
    ::GdiFlush();
    std::vector<COLORREF> pixels;
    for (int y = 0; y < cy; ++y)
        for (int x = 0; x < cx; ++x)
            pixels.push_back(canvas.Pixel(x, y));
    return pixels;
}

// The image's pixels where it is opaque (the same over black and white),
// and CLR_NONE where it lets the background through.
std::vector<COLORREF> OpaquePixels(CToolBar& bar, int nImage)
{
    std::vector<COLORREF> overBlack = ImagePixels(bar, nImage, RGB(0, 0, 0));
    std::vector<COLORREF> overWhite = ImagePixels(bar, nImage, RGB(255, 255, 255));
    for (size_t i = 0; i < overBlack.size(); ++i)
        if (overBlack[i] != overWhite[i])
            overBlack[i] = CLR_NONE;
    return overBlack;
}

class MainFrameDropDownTest : public FrameWithViewTest
{
protected:
    void TrackModeMenu()
    {
        g_tracked = TrackedModeMenu();
        g_tracked.pFrame = m_pFrame;
        ::SetTimer(m_pFrame->m_hWnd, 77, 50, ReadAndCloseModeMenu);
        SendDropDown(m_pFrame->m_wndToolBar, AFX_IDW_TOOLBAR, ID_VIEW_RUN_MODE);
    }
    // Opens a colour popup and returns its window, which holds the capture.
    HWND OpenColourPopup(UINT nButton)
    {
        SendDropDown(m_pFrame->m_wndFormatBar, ID_FORMATBAR, nButton);
        return ::GetCapture();
    }
};

TEST_F(MainFrameDropDownTest, ModeAndColourButtonsHaveDropDownArrows)
{
    CToolBar& standard = m_pFrame->m_wndToolBar;
    EXPECT_TRUE((standard.GetToolBarCtrl().SendMessage(TB_GETEXTENDEDSTYLE) &
                 TBSTYLE_EX_DRAWDDARROWS) != 0);
    EXPECT_EQ((UINT)ID_VIEW_RUN_MODE, standard.GetItemID(22));
    EXPECT_TRUE((standard.GetButtonStyle(22) & TBSTYLE_DROPDOWN) != 0);
    EXPECT_FALSE((standard.GetButtonStyle(23) & TBSTYLE_DROPDOWN) != 0);

    CToolBar& format = m_pFrame->m_wndFormatBar;
    EXPECT_TRUE((format.GetToolBarCtrl().SendMessage(TB_GETEXTENDEDSTYLE) &
                 TBSTYLE_EX_DRAWDDARROWS) != 0);
    for (UINT nID : { ID_FORMAT_TEXT_COLOR, ID_FORMAT_BACK_COLOR })
        EXPECT_TRUE((format.GetButtonStyle(format.CommandToIndex(nID)) & TBSTYLE_DROPDOWN) != 0)
            << nID;
    EXPECT_FALSE((format.GetButtonStyle(format.CommandToIndex(32854)) & TBSTYLE_DROPDOWN) != 0);
}

TEST_F(MainFrameDropDownTest, ModeButtonTakesTheOtherModesCommandAndImageKeepingItsArrow)
{
    m_pFrame->SetModeButton(ID_VIEW_DESIGN_MODE, 20);
    CToolBar& standard = m_pFrame->m_wndToolBar;
    UINT nID = 0, nStyle = 0;
    int iImage = -1;
    standard.GetButtonInfo(22, nID, nStyle, iImage);
    EXPECT_EQ((UINT)ID_VIEW_DESIGN_MODE, nID);
    EXPECT_EQ(20, iImage);
    EXPECT_TRUE((nStyle & TBSTYLE_DROPDOWN) != 0);
    EXPECT_EQ(-1, standard.CommandToIndex(ID_VIEW_RUN_MODE));

    m_pFrame->SetModeButton(ID_VIEW_RUN_MODE, 17);
    standard.GetButtonInfo(22, nID, nStyle, iImage);
    EXPECT_EQ((UINT)ID_VIEW_RUN_MODE, nID);
    EXPECT_EQ(17, iImage);
    EXPECT_TRUE((nStyle & TBSTYLE_DROPDOWN) != 0);
}

TEST_F(MainFrameDropDownTest, ModeMenuChecksTheModeOfTheActiveDocument)
{
    TrackModeMenu();
    ASSERT_TRUE(g_tracked.bOpened);
    EXPECT_EQ(2, g_tracked.nItems);
    EXPECT_TRUE((g_tracked.nDesignState & MF_CHECKED) != 0);
    EXPECT_FALSE((g_tracked.nRunState & MF_CHECKED) != 0);
    // Owner-drawn with the Standard bar's images; gone once tracking ends.
    EXPECT_TRUE((g_tracked.nDesignState & MF_OWNERDRAW) != 0);
    EXPECT_EQ(NULL, m_pFrame->m_menuMode.m_hMenu);

    m_pView->GetSheet()->m_bDesignMode = FALSE;
    m_pFrame->SetModeButton(ID_VIEW_DESIGN_MODE, 20);
    TrackModeMenu();
    ASSERT_TRUE(g_tracked.bOpened);
    EXPECT_FALSE((g_tracked.nDesignState & MF_CHECKED) != 0);
    EXPECT_TRUE((g_tracked.nRunState & MF_CHECKED) != 0);
}

TEST_F(MainFrameDropDownTest, WithoutAViewNoMenuOrPopupOpens)
{
    m_pChild->DestroyWindow();
    m_pChild = NULL;
    TrackModeMenu();
    EXPECT_FALSE(g_tracked.bOpened);
    ::KillTimer(m_pFrame->m_hWnd, 77);
    EXPECT_EQ(NULL, OpenColourPopup(ID_FORMAT_TEXT_COLOR));
    // A colour arriving then changes nothing.
    m_pFrame->SendMessage(WM_COLOUR_SELENDOK, RGB(255, 0, 0), 0);
    EXPECT_EQ(RGB(0, 0, 0), m_pFrame->m_crFont);
    EXPECT_EQ(RGB(255, 255, 255), m_pFrame->m_crFill);
}

TEST_F(MainFrameDropDownTest, ColourPopupOpensBelowItsButtonAndCancellingChangesNothing)
{
    std::vector<COLORREF> before = OpaquePixels(m_pFrame->m_wndFormatBar, IMAGE_FORMAT_TEXT_COLOR);
    HWND hPopup = OpenColourPopup(ID_FORMAT_TEXT_COLOR);
    ASSERT_TRUE(hPopup != NULL);
    EXPECT_TRUE(m_pFrame->m_bFontPopup);
    CRect rcButton, rcPopup;
    CToolBar& format = m_pFrame->m_wndFormatBar;
    format.GetItemRect(format.CommandToIndex(ID_FORMAT_TEXT_COLOR), &rcButton);
    format.ClientToScreen(&rcButton);
    ::GetWindowRect(hPopup, &rcPopup);
    EXPECT_EQ(rcButton.left, rcPopup.left);
    EXPECT_EQ(rcButton.bottom, rcPopup.top);

    ::SendMessageA(hPopup, WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_FALSE(::IsWindow(hPopup));
    EXPECT_EQ(RGB(0, 0, 0), m_pFrame->m_crFont);
    EXPECT_EQ(before, OpaquePixels(format, IMAGE_FORMAT_TEXT_COLOR));

    hPopup = OpenColourPopup(ID_FORMAT_BACK_COLOR);
    ASSERT_TRUE(hPopup != NULL);
    EXPECT_FALSE(m_pFrame->m_bFontPopup);
    ::SendMessageA(hPopup, WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_EQ(RGB(255, 255, 255), m_pFrame->m_crFill);
}

TEST_F(MainFrameDropDownTest, ChosenColourIsKeptAndPaintsOnlyTheLowerRowsOfItsButton)
{
    CToolBar& format = m_pFrame->m_wndFormatBar;
    std::vector<COLORREF> textBefore = OpaquePixels(format, IMAGE_FORMAT_TEXT_COLOR);
    std::vector<COLORREF> backBefore = OpaquePixels(format, IMAGE_FORMAT_BACK_COLOR);

    HWND hPopup = OpenColourPopup(ID_FORMAT_TEXT_COLOR);
    ASSERT_TRUE(hPopup != NULL);
    ::SendMessageA(hPopup, WM_KEYDOWN, VK_ESCAPE, 0);
    const COLORREF crChosen = RGB(200, 30, 60);
    m_pFrame->SendMessage(WM_COLOUR_SELENDOK, crChosen, 0);
    EXPECT_EQ(crChosen, m_pFrame->m_crFont);
    EXPECT_EQ(RGB(255, 255, 255), m_pFrame->m_crFill);

    std::vector<COLORREF> textAfter = OpaquePixels(format, IMAGE_FORMAT_TEXT_COLOR);
    ASSERT_GT(textAfter.size(), 12u * 16);
    for (size_t i = 0; i < textAfter.size(); ++i)
    {
        if (i < 12 * 16)
            EXPECT_EQ(textBefore[i], textAfter[i]) << "pixel " << i;
        else
            EXPECT_EQ(crChosen, textAfter[i]) << "pixel " << i;
    }
    EXPECT_EQ(backBefore, OpaquePixels(format, IMAGE_FORMAT_BACK_COLOR));

    // The fill colour goes to the other button.
    hPopup = OpenColourPopup(ID_FORMAT_BACK_COLOR);
    ASSERT_TRUE(hPopup != NULL);
    ::SendMessageA(hPopup, WM_KEYDOWN, VK_ESCAPE, 0);
    m_pFrame->SendMessage(WM_COLOUR_SELENDOK, RGB(0, 128, 0), 0);
    EXPECT_EQ(RGB(0, 128, 0), m_pFrame->m_crFill);
    EXPECT_EQ(crChosen, m_pFrame->m_crFont);
    EXPECT_EQ(RGB(0, 128, 0), OpaquePixels(format, IMAGE_FORMAT_BACK_COLOR)[12 * 16 + 8]);
    EXPECT_EQ(textAfter, OpaquePixels(format, IMAGE_FORMAT_TEXT_COLOR));
}

TEST_F(MainFrameDropDownTest, ChosenColoursGoToTheSelectedCellsAndTheButtonsApplyThemAgain)
{
    CSheet& sheet = *m_pView->GetSheet();
    sheettest::MakeGrid(sheet, 2, 2);
    sheet.m_arrSel.Add(1);
    sheet.m_arrSel.Add(2);

    HWND hPopup = OpenColourPopup(ID_FORMAT_TEXT_COLOR);
    ASSERT_TRUE(hPopup != NULL);
    ::SendMessageA(hPopup, WM_KEYDOWN, VK_ESCAPE, 0);
    m_pFrame->SendMessage(WM_COLOUR_SELENDOK, RGB(10, 20, 30), 0);
    hPopup = OpenColourPopup(ID_FORMAT_BACK_COLOR);
    ASSERT_TRUE(hPopup != NULL);
    ::SendMessageA(hPopup, WM_KEYDOWN, VK_ESCAPE, 0);
    m_pFrame->SendMessage(WM_COLOUR_SELENDOK, RGB(40, 50, 60), 0);
    for (int n : { 1, 2 })
    {
        EXPECT_EQ(RGB(10, 20, 30), sheet.m_cells[n].m_crText) << n;
        EXPECT_EQ(RGB(40, 50, 60), sheet.m_cells[n].m_crBack) << n;
    }
    EXPECT_NE(RGB(10, 20, 30), sheet.m_cells[0].m_crText);
    EXPECT_NE(RGB(40, 50, 60), sheet.m_cells[3].m_crBack);

    // A click on the button itself applies the colour last chosen.
    sheet.m_arrSel.RemoveAll();
    sheet.m_arrSel.Add(3);
    m_pView->SendMessage(WM_COMMAND, ID_FORMAT_TEXT_COLOR);
    m_pView->SendMessage(WM_COMMAND, ID_FORMAT_BACK_COLOR);
    EXPECT_EQ(RGB(10, 20, 30), sheet.m_cells[3].m_crText);
    EXPECT_EQ(RGB(40, 50, 60), sheet.m_cells[3].m_crBack);
}

TEST_F(MainFrameDropDownTest, ColourBarInTheBackgroundColourStaysOpaqueAndFaceColourIsOutlined)
{
    CToolBar& format = m_pFrame->m_wndFormatBar;
    m_pFrame->SetColorButtonImage(IMAGE_FORMAT_TEXT_COLOR, RGB(192, 192, 192));
    std::vector<COLORREF> pixels = OpaquePixels(format, IMAGE_FORMAT_TEXT_COLOR);
    EXPECT_EQ(RGB(192, 192, 192), pixels[13 * 16 + 8]);
    EXPECT_EQ(RGB(192, 192, 192), pixels.back());

    COLORREF crFace = ::GetSysColor(COLOR_3DFACE);
    m_pFrame->SetColorButtonImage(IMAGE_FORMAT_TEXT_COLOR, crFace);
    pixels = OpaquePixels(format, IMAGE_FORMAT_TEXT_COLOR);
    EXPECT_EQ(RGB(0, 0, 0), pixels[12 * 16 + 8]);   // outline
    EXPECT_EQ(RGB(0, 0, 0), pixels[13 * 16 + 0]);
    EXPECT_EQ(crFace, pixels[13 * 16 + 8]);         // inside
}
} // namespace
