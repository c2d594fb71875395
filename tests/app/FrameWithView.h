// The main frame with a sheet view in the designer's MDI child frame,
// loaded from the designer's own resources in this process.
#pragma once

#include "tests/support/Gtest.h"
#include "tests/support/MessageBoxRecorder.h"
#include "framework/docview/WinApp.h"
#include "sheet/document/TallyformDoc.h"
#include "shell/app/ChildFrame.h"
#include "shell/app/MainFrame.h"
#include "view/TallyformView.h"
#include "ShellIds.h"

class FrameWithViewTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_pFrame = new CMainFrame;
        ASSERT_TRUE(m_pFrame->LoadFrame(IDR_MAINFRAME, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE));
        m_app.m_pMainWnd = m_pFrame;
        m_pFrame->ShowWindow(SW_SHOWNORMAL);
        m_pDoc = new CTallyformDoc;
        // An empty template: the frames are under test here, not the
        // new-template flow with its dialogs.
        ASSERT_TRUE(m_pDoc->COleServerDoc::OnNewDocument());
        m_pChild = OpenChildFrame(m_pDoc);
        ASSERT_TRUE(m_pChild != NULL);
        m_pView = dynamic_cast<CTallyformView*>(m_pChild->GetActiveView());
        ASSERT_TRUE(m_pView != NULL);
    }
    // A child frame with a sheet view of pDoc, shown; NULL on failure.
    CChildFrame* OpenChildFrame(CTallyformDoc* pDoc)
    {
        CCreateContext context;
        context.m_pNewViewClass = RUNTIME_CLASS(CTallyformView);
        context.m_pCurrentDoc = pDoc;
        CChildFrame* pChild = new CChildFrame;
        if (!pChild->LoadFrame(IDR_TALLYFORM_TEMPLATE, WS_CHILD | WS_OVERLAPPEDWINDOW, m_pFrame,
                               &context))
            return NULL;
        pChild->InitialUpdateFrame(pDoc, TRUE);
        return pChild;
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

    WINDOWPLACEMENT Placement()
    {
        WINDOWPLACEMENT wp = {};
        wp.length = sizeof(wp);
        ::GetWindowPlacement(m_pFrame->m_hWnd, &wp);
        return wp;
    }
    void ToggleFullScreen() { m_pFrame->SendMessage(WM_COMMAND, ID_VIEW_FULL_SCREEN); }

    CWinApp m_app;
    MessageBoxRecorder m_messages;
    CMainFrame* m_pFrame = NULL;
    CTallyformDoc* m_pDoc = NULL;
    CChildFrame* m_pChild = NULL;
    CTallyformView* m_pView = NULL;
};
