// The designer's application object started in this process the way the
// program starts: every menu item, accelerator and toolbar button that shows
// enabled has a handler on the command route, with and without a document,
// in design and in run mode, with and without a database.
#include <memory>
#include <sstream>
#include <string>

#include "tests/support/Gtest.h"
#include "tests/support/MessageBoxRecorder.h"
#include "tests/support/RecordingCmdUI.h"
#include "tests/support/ScratchFolder.h"
#include "tests/app/CommandRouteWalker.h"
#include "tests/app/DesignerProcess.h"
#include "tests/app/InProcessAppTest.h"
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

class CommandRouteTest : public InProcessAppTest
{
protected:
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(InProcessAppTest::SetUp());
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
    // The whole user interface of the frame as it is now.
    void CheckEverything(const std::string& context)
    {
        PumpIdle();
        m_walker.reset(new CCommandRouteWalker(Frame()));
        m_walker->WalkMenuBar(context);
        m_walker->CheckAccelerators(Frame()->m_hAccelTable, context + " frame keys");
        CMDIChildWnd* pChild = Frame()->MDIGetActive();
        if (pChild != NULL)
            m_walker->CheckAccelerators(pChild->m_hAccelTable, context + " document keys");
        for (UINT nBar : { (UINT)IDR_MAINFRAME, kTableBar, kFormatBar, (UINT)IDR_DATA_BAR })
            m_walker->CheckToolBar(Frame()->GetToolBar(nBar), context + " toolbar " + std::to_string(nBar));
    }

    BOOL Enabled(UINT nID) const { return m_walker != nullptr && m_walker->Enabled(nID); }

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

    CString m_strDatabase;
    CString m_strTemplate;
    MessageBoxRecorder m_messages;
    std::unique_ptr<CCommandRouteWalker> m_walker;
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
    // The keys of a template active in place or open for a container
    // (Esc included) have handlers on a template's route.
    for (UINT nID : { (UINT)IDR_SERVER_INPLACE, (UINT)IDR_SERVER_EMBEDDED })
    {
        HACCEL hAccel = LoadAcceleratorsA(AfxGetResourceHandle(), MAKEINTRESOURCEA(nID));
        ASSERT_TRUE(hAccel != NULL);
        m_walker->CheckAccelerators(hAccel, "server keys " + std::to_string(nID));
        DestroyAcceleratorTable(hAccel);
    }
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
