// The Standard bar's zoom combo against a sheet view in an MDI child of
// the designer's main frame.
#include "tests/support/Gtest.h"
#include "tests/support/MessageBoxRecorder.h"
#include "framework/docview/WinApp.h"
#include "sheet/document/TallyformDoc.h"
#include "shell/app/MainFrame.h"
#include "view/TallyformView.h"
#include "ShellIds.h"

namespace
{
class ZoomComboTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_pFrame = new CMainFrame;
        ASSERT_TRUE(m_pFrame->LoadFrame(IDR_MAINFRAME, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE));
        m_app.m_pMainWnd = m_pFrame;
        m_pFrame->ShowWindow(SW_SHOWNORMAL);
        m_pDoc = new CTallyformDoc;
        ASSERT_TRUE(m_pDoc->OnNewDocument());
        CCreateContext context;
        context.m_pNewViewClass = RUNTIME_CLASS(CTallyformView);
        context.m_pCurrentDoc = m_pDoc;
        m_pChild = new CMDIChildWnd;
        ASSERT_TRUE(m_pChild->LoadFrame(IDR_TALLYFORM_TEMPLATE, WS_CHILD | WS_OVERLAPPEDWINDOW,
                                        m_pFrame, &context));
        m_pChild->InitialUpdateFrame(m_pDoc, TRUE);
        m_pView = dynamic_cast<CTallyformView*>(m_pChild->GetActiveView());
        ASSERT_TRUE(m_pView != NULL);
    }
    void TearDown() override
    {
        if (m_pChild != NULL)
            m_pChild->DestroyWindow();
        if (m_pFrame != NULL)
            m_pFrame->DestroyWindow();
        m_app.m_pMainWnd = NULL;
    }

    CString ComboText()
    {
        char szText[32] = "";
        ::GetWindowTextA(m_pFrame->m_wndZoom.m_hWnd, szText, sizeof(szText));
        return szText;
    }
    void TypeAndEnter(LPCSTR lpszText)
    {
        m_pFrame->m_wndZoom.SetWindowText(lpszText);
        MSG msg = {};
        msg.hwnd = m_pFrame->m_wndZoom.m_hWnd;
        msg.message = WM_KEYDOWN;
        msg.wParam = VK_RETURN;
        EXPECT_TRUE(m_pFrame->m_wndZoom.PreTranslateMessage(&msg));
        msg.message = WM_KEYUP;
        EXPECT_TRUE(m_pFrame->m_wndZoom.PreTranslateMessage(&msg));
    }

    CWinApp m_app;
    MessageBoxRecorder m_messages;
    CMainFrame* m_pFrame = NULL;
    CTallyformDoc* m_pDoc = NULL;
    CMDIChildWnd* m_pChild = NULL;
    CTallyformView* m_pView = NULL;
};

TEST_F(ZoomComboTest, ComboSitsOnButtonTwentyFiveWithTheListedZooms)
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

TEST_F(ZoomComboTest, EnterAppliesNumbersAndPutsBackTheZoomOtherwise)
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

TEST_F(ZoomComboTest, ListSelectionIsAppliedWhenThePostedMessageArrives)
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
} // namespace
