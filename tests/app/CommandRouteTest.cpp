// The designer's application object started in this process the way the
// program starts: every menu item, accelerator and toolbar button that shows
// enabled has a handler on the command route, with and without a document,
// in design and in run mode, with and without a database.
#include <set>
#include <sstream>
#include <string>

#include "tests/support/Gtest.h"
#include "tests/support/MessageBoxRecorder.h"
#include "tests/support/RecordingCmdUI.h"
#include "tests/support/ScratchFolder.h"
#include "tests/app/DesignerProcess.h"
#include "tests/sheet/SheetGrid.h"

#include "framework/docview/MDIWnd.h"
#include "framework/docview/StandardCommands.h"
#include "framework/docview/ToolBar.h"
#include "sheet/document/TallyformDoc.h"
#include "shell/StartupSplash.h"
#include "shell/app/MainFrame.h"
#include "shell/app/TallyformApp.h"
#include "view/TallyformView.h"
#include "DocumentIds.h"
#include "ShellIds.h"

namespace
{
const UINT kTableBar = 6;
const UINT kFormatBar = 8;

class CommandRouteTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        char szDir[MAX_PATH];
        GetCurrentDirectoryA(MAX_PATH, szDir);
        m_strPrevious = szDir;
        ASSERT_TRUE(SetCurrentDirectoryA(m_folder.GetPath()));
        m_strDatabase = m_folder.PathOf("Reporting.mdb");
        ASSERT_TRUE(CopyFileA(CDesignerProcess::ProgramFolder() + "\\Data\\Reporting.mdb",
                              m_strDatabase, FALSE));
        WriteWholeFile(m_folder.PathOf("Tallyform.INI"),
                       "[DataSource]\r\nStart=0\r\nType=0\r\nName=" +
                           std::string((LPCSTR)m_strDatabase) + "\r\n");
        m_strTemplate = m_folder.PathOf("Grid.kvm");
        CTallyformDoc doc;
        doc.m_bAutoDelete = FALSE;
        sheettest::MakeGrid(doc.m_sheet, 3, 3);
        doc.m_sheet.m_cells[4].SetType(CELL_NUMERIC);
        ASSERT_TRUE(doc.OnSaveDocument(m_strTemplate));
    }
    void TearDown() override
    {
        if (m_bStarted)
        {
            if (m_app.m_pMainWnd != NULL && m_app.m_pMainWnd->GetSafeHwnd() != NULL)
                m_app.m_pMainWnd->DestroyWindow();
            if (CStartupSplash::GetShown() != NULL)
                CStartupSplash::GetShown()->DestroyWindow();
            m_app.ExitInstance();
        }
        SetCurrentDirectoryA(m_strPrevious);
    }

    // The program's start-up with lpszCommandLine as its command line.
    void Start(LPCSTR lpszCommandLine)
    {
        m_strCommandLine = lpszCommandLine;
        m_app.m_lpCmdLine = m_strCommandLine.GetBuffer(0);
        ASSERT_TRUE(m_app.InitInstance());
        m_bStarted = TRUE;
        ASSERT_TRUE(m_app.m_pMainWnd != NULL);
        PumpIdle();
    }

    CMainFrame* Frame() { return static_cast<CMainFrame*>(m_app.m_pMainWnd); }

    // Lets waiting messages through and runs the idle update of the bars.
    void PumpIdle()
    {
        MSG msg;
        while (PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE))
        {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        m_app.OnIdle(0);
    }

    BOOL IsHandled(UINT nID)
    {
        AFX_CMDHANDLERINFO info = { NULL };
        return Frame()->OnCmdMsg(nID, CN_COMMAND, NULL, &info);
    }

    static std::string ItemText(HMENU hMenu, int nIndex)
    {
        char szText[128] = "";
        GetMenuStringA(hMenu, (UINT)nIndex, szText, sizeof(szText), MF_BYPOSITION);
        return szText;
    }

    // Opens each pop-up the way the menu bar does and checks every item that
    // shows enabled; the enabled commands are collected.
    void WalkPopup(HMENU hPopup, int nIndex, const std::string& path)
    {
        Frame()->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(hPopup), MAKELPARAM(nIndex, FALSE));
        int nCount = GetMenuItemCount(hPopup);
        for (int i = 0; i < nCount; ++i)
        {
            std::string itemPath = path + " > " + ItemText(hPopup, i);
            if (HMENU hSub = GetSubMenu(hPopup, i))
            {
                WalkPopup(hSub, i, itemPath);
                continue;
            }
            UINT nID = GetMenuItemID(hPopup, i);
            if (nID == 0 || nID >= 0xF000)
                continue;
            if (GetMenuState(hPopup, (UINT)i, MF_BYPOSITION) & (MF_GRAYED | MF_DISABLED))
                continue;
            m_enabled.insert(nID);
            EXPECT_TRUE(IsHandled(nID)) << itemPath << " (" << nID << ") is enabled with no handler";
        }
    }

    void WalkMenuBar(const std::string& context)
    {
        SCOPED_TRACE(context);
        m_enabled.clear();
        HMENU hBar = GetMenu(Frame()->m_hWnd);
        ASSERT_TRUE(hBar != NULL);
        for (int i = 0; i < GetMenuItemCount(hBar); ++i)
            if (HMENU hPopup = GetSubMenu(hBar, i))
                WalkPopup(hPopup, i, context + ": " + ItemText(hBar, i));
    }

    // Every accelerator of the table whose command would run has a handler.
    void CheckAccelerators(HACCEL hAccel, const std::string& context)
    {
        SCOPED_TRACE(context);
        ASSERT_TRUE(hAccel != NULL);
        ACCEL entries[64];
        int nCount = CopyAcceleratorTableA(hAccel, entries, 64);
        ASSERT_GT(nCount, 0);
        for (int i = 0; i < nCount; ++i)
        {
            CRecordingCmdUI ui;
            ui.m_nID = entries[i].cmd;
            ui.DoUpdate(Frame(), TRUE);
            if (ui.m_nEnabled != 0)
            {
                EXPECT_TRUE(IsHandled(entries[i].cmd))
                    << "accelerator key " << entries[i].key << " (" << entries[i].cmd
                    << ") runs with no handler";
            }
        }
    }

    // Every button that the idle update left enabled has a handler.
    void CheckToolBars(const std::string& context)
    {
        SCOPED_TRACE(context);
        Frame()->SendMessageToDescendants(WM_IDLEUPDATECMDUI, TRUE, 0, TRUE, TRUE);
        const UINT bars[] = { IDR_MAINFRAME, kTableBar, kFormatBar, IDR_DATA_BAR };
        for (UINT nBar : bars)
        {
            CToolBar* pBar = Frame()->GetToolBar(nBar);
            ASSERT_TRUE(pBar != NULL) << nBar;
            int nButtons = (int)pBar->SendMessage(TB_BUTTONCOUNT);
            for (int i = 0; i < nButtons; ++i)
            {
                TBBUTTON button = {};
                pBar->SendMessage(TB_GETBUTTON, (WPARAM)i, reinterpret_cast<LPARAM>(&button));
                if ((button.fsStyle & TBSTYLE_SEP) != 0 || button.idCommand == 0)
                    continue;
                if (pBar->SendMessage(TB_ISBUTTONENABLED, (WPARAM)button.idCommand))
                {
                    EXPECT_TRUE(IsHandled((UINT)button.idCommand))
                        << "toolbar " << nBar << " button " << i << " (" << button.idCommand
                        << ") is enabled with no handler";
                }
            }
        }
    }

    // The whole user interface of the frame as it is now.
    void CheckEverything(const std::string& context)
    {
        PumpIdle();
        WalkMenuBar(context);
        CheckAccelerators(Frame()->m_hAccelTable, context + " frame keys");
        CMDIChildWnd* pChild = Frame()->MDIGetActive();
        if (pChild != NULL)
            CheckAccelerators(pChild->m_hAccelTable, context + " document keys");
        CheckToolBars(context);
    }

    BOOL Enabled(UINT nID) const { return m_enabled.count(nID) != 0; }

    CTallyformView* ActiveView()
    {
        CMDIChildWnd* pChild = Frame()->MDIGetActive();
        return pChild != NULL ? dynamic_cast<CTallyformView*>(pChild->GetActiveView()) : NULL;
    }

    void SwitchToRunMode()
    {
        Frame()->SendMessage(WM_COMMAND, MAKEWPARAM(ID_VIEW_RUN_MODE, 0));
        PumpIdle();
        CTallyformView* pView = ActiveView();
        ASSERT_TRUE(pView != NULL);
        ASSERT_FALSE(pView->GetDocument()->m_sheet.m_bDesignMode);
    }

    void Connect()
    {
        m_app.m_nDataSourceType = 0;
        m_app.m_strDatabaseName = m_strDatabase;
        ASSERT_TRUE(m_app.ConnectDatabase());
    }

    CScratchFolder m_folder;
    CString m_strPrevious;
    CString m_strDatabase;
    CString m_strTemplate;
    CString m_strCommandLine;
    MessageBoxRecorder m_messages;
    CTallyformApp m_app;
    BOOL m_bStarted = FALSE;
    std::set<UINT> m_enabled;
};

TEST_F(CommandRouteTest, WithoutADocumentOnlyTheFramesAndTheApplicationsCommandsAreEnabled)
{
    Start("");
    ASSERT_TRUE(Frame()->MDIGetActive() == NULL);
    CheckEverything("no document");
    EXPECT_TRUE(Enabled(ID_APP_EXIT));
    EXPECT_TRUE(Enabled(ID_FILE_OPEN));
    EXPECT_TRUE(Enabled(ID_APP_ABOUT));
    EXPECT_TRUE(Enabled(ID_VIEW_STATUS_BAR));
    // Nothing to connect to set up yet.
    EXPECT_FALSE(Enabled(ID_DATABASE_DISCONNECT));
}

TEST_F(CommandRouteTest, ADesignModeTemplateCanBeSavedClosedAndExited)
{
    Start(CString("\"") + m_strTemplate + "\"");
    ASSERT_TRUE(ActiveView() != NULL);
    CheckEverything("design mode");
    EXPECT_TRUE(Enabled(ID_FILE_SAVE));
    EXPECT_TRUE(Enabled(ID_FILE_SAVE_AS));
    EXPECT_TRUE(Enabled(ID_FILE_CLOSE));
    EXPECT_TRUE(Enabled(ID_APP_EXIT));
    EXPECT_TRUE(Enabled(ID_WINDOW_CASCADE));
    EXPECT_TRUE(Enabled(ID_WINDOW_NEW));
    EXPECT_TRUE(Enabled(ID_TABLE_VERIFY));
    // Saving to the database needs a database and run mode.
    EXPECT_FALSE(Enabled(ID_FILE_SAVE_DATA_TO_DATABASE));
}

TEST_F(CommandRouteTest, RunModeKeepsTheTemplateCommandsGreyedAndTheDataCommandsEnabled)
{
    Start(CString("\"") + m_strTemplate + "\"");
    SwitchToRunMode();
    CheckEverything("run mode");
    EXPECT_FALSE(Enabled(ID_FILE_SAVE));
    EXPECT_FALSE(Enabled(ID_FILE_SAVE_AS));
    EXPECT_TRUE(Enabled(ID_FILE_SAVE_DATA_TO_FILE));
    EXPECT_TRUE(Enabled(ID_FILE_CLOSE));
}

TEST_F(CommandRouteTest, WithADatabaseTheDatabaseCommandsAreHandledInBothModes)
{
    Start(CString("\"") + m_strTemplate + "\"");
    Connect();
    CheckEverything("design mode, connected");
    EXPECT_TRUE(Enabled(ID_DATABASE_DISCONNECT));
    EXPECT_FALSE(Enabled(ID_DATABASE_CONNECT));
    SwitchToRunMode();
    CheckEverything("run mode, connected");
    EXPECT_TRUE(Enabled(ID_FILE_SAVE_DATA_TO_DATABASE));
    EXPECT_TRUE(Enabled(ID_FILE_LOAD_DATA_FROM_DATABASE));
}

TEST_F(CommandRouteTest, StatusBarToggleHidesAndShowsTheBarWithItsCheckMark)
{
    Start("");
    CWnd* pBar = Frame()->GetDescendantWindow(AFX_IDW_STATUS_BAR, TRUE);
    ASSERT_TRUE(pBar != NULL);
    ASSERT_TRUE(pBar->IsWindowVisible());
    CRecordingCmdUI shown = CRecordingCmdUI::Update(Frame(), ID_VIEW_STATUS_BAR);
    EXPECT_EQ(1, shown.m_nCheck);
    Frame()->SendMessage(WM_COMMAND, MAKEWPARAM(ID_VIEW_STATUS_BAR, 0));
    EXPECT_FALSE(pBar->IsWindowVisible());
    EXPECT_EQ(0, CRecordingCmdUI::Update(Frame(), ID_VIEW_STATUS_BAR).m_nCheck);
    Frame()->SendMessage(WM_COMMAND, MAKEWPARAM(ID_VIEW_STATUS_BAR, 0));
    EXPECT_TRUE(pBar->IsWindowVisible());
}

TEST_F(CommandRouteTest, NewWindowShowsTheSameDocumentInASecondFrame)
{
    Start(CString("\"") + m_strTemplate + "\"");
    CTallyformView* pFirst = ActiveView();
    ASSERT_TRUE(pFirst != NULL);
    Frame()->SendMessage(WM_COMMAND, MAKEWPARAM(ID_WINDOW_NEW, 0));
    PumpIdle();
    CTallyformView* pSecond = ActiveView();
    ASSERT_TRUE(pSecond != NULL);
    EXPECT_NE(pFirst, pSecond);
    EXPECT_EQ(pFirst->GetDocument(), pSecond->GetDocument());
    // Closing one window leaves the document open in the other.
    pSecond->GetParentFrame()->SendMessage(WM_CLOSE);
    PumpIdle();
    EXPECT_EQ(pFirst, ActiveView());
}
} // namespace
