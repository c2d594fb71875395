// The designer's application object started in this process the way the
// program starts: every menu item, accelerator and toolbar button that shows
// enabled has a handler on the command route, with and without a document,
// in design and in run mode, with and without a database.
#include <algorithm>
#include <cstring>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

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
// Saving, loading, summing and importing report data through the database.
const UINT kDatabaseDataCommands[] = { ID_FILE_SAVE_DATA_TO_DATABASE,
                                       ID_FILE_LOAD_DATA_FROM_DATABASE,
                                       ID_DATA_SUM_FROM_DATABASES, ID_DATA_BATCH_IMPORT };
// Data > Analysis > Analysis and its five Change commands.
const UINT kAnalysisCommands[] = { 33086, 33093, 33094, 33095, 33096, 33097 };

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
    // Nothing that could only answer that no database is connected.
    for (UINT nID : kDatabaseDataCommands)
        EXPECT_FALSE(Enabled(nID)) << nID;
}

TEST_F(CommandRouteTest, WithADatabaseTheDatabaseCommandsAreHandledInBothModes)
{
    Start(CString("\"") + m_strTemplate + "\"");
    Connect();
    CheckEverything("design mode, connected");
    EXPECT_TRUE(Enabled(ID_DATABASE_DISCONNECT));
    EXPECT_FALSE(Enabled(ID_DATABASE_CONNECT));
    for (UINT nID : kDatabaseDataCommands)
        EXPECT_FALSE(Enabled(nID)) << "design mode " << nID;
    SwitchToRunMode();
    CheckEverything("run mode, connected");
    for (UINT nID : kDatabaseDataCommands)
        EXPECT_TRUE(Enabled(nID)) << "run mode " << nID;
    // A form is no analysis report.
    for (UINT nID : kAnalysisCommands)
        EXPECT_FALSE(Enabled(nID)) << "form " << nID;
}

TEST_F(CommandRouteTest, TheAnalysisCommandsWorkOnAnAnalysisReport)
{
    {
        CTallyformDoc doc;
        doc.m_bAutoDelete = FALSE;
        ASSERT_TRUE(doc.OnOpenDocument(m_strTemplate));
        doc.m_sheet.m_nKind = 2;
        ASSERT_TRUE(doc.OnSaveDocument(m_strTemplate));
    }
    Start(CString("\"") + m_strTemplate + "\"");
    SwitchToRunMode();
    CheckEverything("analysis report, run mode, no database");
    for (UINT nID : kAnalysisCommands)
        EXPECT_FALSE(Enabled(nID)) << nID;
    Connect();
    CheckEverything("analysis report, run mode, connected");
    for (UINT nID : kAnalysisCommands)
        EXPECT_TRUE(Enabled(nID)) << nID;
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

// The texts of the MDI client's children, in z-order.
std::vector<std::string> ChildCaptions(CMDIFrameWnd* pFrame)
{
    std::vector<std::string> captions;
    for (HWND hChild = GetWindow(pFrame->m_hWndMDIClient, GW_CHILD); hChild != NULL;
         hChild = GetWindow(hChild, GW_HWNDNEXT))
    {
        char szText[128] = "";
        GetWindowTextA(hChild, szText, sizeof(szText));
        captions.push_back(szText);
    }
    std::sort(captions.begin(), captions.end());
    return captions;
}

// The windows the Window menu lists, as the menu bar opens it.
std::vector<std::string> WindowMenuEntries(CMDIFrameWnd* pFrame)
{
    HMENU hWindow = CMDIFrameWnd::FindWindowMenuPopup(GetMenu(pFrame->m_hWnd));
    std::vector<std::string> entries;
    if (hWindow == NULL)
        return entries;
    pFrame->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(hWindow), 0);
    for (int i = 0; i < GetMenuItemCount(hWindow); ++i)
    {
        if (GetMenuItemID(hWindow, i) < AFX_IDM_FIRST_MDICHILD)
            continue;
        char szText[128] = "";
        GetMenuStringA(hWindow, (UINT)i, szText, sizeof(szText), MF_BYPOSITION);
        entries.push_back(szText);
    }
    return entries;
}

std::string CaptionOf(CWnd* pWnd)
{
    char szText[256] = "";
    GetWindowTextA(pWnd->m_hWnd, szText, sizeof(szText));
    return szText;
}

// Whether the top-level menu of this text is shown greyed.
BOOL IsMenuGreyed(HMENU hBar, const char* pszText)
{
    for (int i = 0; i < GetMenuItemCount(hBar); ++i)
    {
        char szText[64] = "";
        GetMenuStringA(hBar, (UINT)i, szText, sizeof(szText), MF_BYPOSITION);
        if (strcmp(szText, pszText) == 0)
            return (GetMenuState(hBar, (UINT)i, MF_BYPOSITION) & MF_GRAYED) != 0;
    }
    ADD_FAILURE() << "no menu " << pszText;
    return FALSE;
}

TEST_F(CommandRouteTest, EveryWindowIsNamedInItsCaptionAndTheWindowMenu)
{
    CString strSecond = m_folder.PathOf("Second.kvm");
    ASSERT_TRUE(CopyFileA(m_strTemplate, strSecond, FALSE));
    Start(CString("\"") + m_strTemplate + "\"");
    ASSERT_TRUE(m_app.OpenDocumentFile(strSecond) != NULL);
    PumpIdle();
    EXPECT_EQ((std::vector<std::string>{ "Grid.kvm", "Second.kvm" }), ChildCaptions(Frame()));
    EXPECT_EQ((std::vector<std::string>{ "&1 Grid.kvm", "&2 Second.kvm" }), WindowMenuEntries(Frame()));
    EXPECT_EQ("Tallyform[Design Mode] - Second.kvm", CaptionOf(Frame()));

    // A second window on the document: both are numbered.
    Frame()->SendMessage(WM_COMMAND, MAKEWPARAM(ID_WINDOW_NEW, 0));
    PumpIdle();
    EXPECT_EQ((std::vector<std::string>{ "Grid.kvm", "Second.kvm:1", "Second.kvm:2" }),
              ChildCaptions(Frame()));
    EXPECT_EQ((std::vector<std::string>{ "&1 Grid.kvm", "&2 Second.kvm:1", "&3 Second.kvm:2" }),
              WindowMenuEntries(Frame()));

    // Maximized, the window's name follows the program's once, in brackets.
    CMDIChildWnd* pChild = Frame()->MDIGetActive();
    ASSERT_TRUE(pChild != NULL);
    ::SendMessageA(Frame()->m_hWndMDIClient, WM_MDIMAXIMIZE, (WPARAM)pChild->m_hWnd, 0);
    PumpIdle();
    EXPECT_EQ("Tallyform[Design Mode] - [Second.kvm:2]", CaptionOf(Frame()));
    ::SendMessageA(Frame()->m_hWndMDIClient, WM_MDIRESTORE, (WPARAM)pChild->m_hWnd, 0);
    PumpIdle();
    EXPECT_EQ("Tallyform[Design Mode] - Second.kvm", CaptionOf(Frame()));

    // With the second window closed the number goes.
    pChild->SendMessage(WM_CLOSE);
    PumpIdle();
    EXPECT_EQ((std::vector<std::string>{ "Grid.kvm", "Second.kvm" }), ChildCaptions(Frame()));
    EXPECT_EQ((std::vector<std::string>{ "&1 Grid.kvm", "&2 Second.kvm" }), WindowMenuEntries(Frame()));
}

TEST_F(CommandRouteTest, TheActiveWindowsModeDecidesMenusBarsAndCaption)
{
    CString strSecond = m_folder.PathOf("Second.kvm");
    ASSERT_TRUE(CopyFileA(m_strTemplate, strSecond, FALSE));
    Start(CString("\"") + m_strTemplate + "\"");
    CMDIChildWnd* pDesign = Frame()->MDIGetActive();
    ASSERT_TRUE(m_app.OpenDocumentFile(strSecond) != NULL);
    CMDIChildWnd* pRun = Frame()->MDIGetActive();
    ASSERT_NE(pDesign, pRun);
    SwitchToRunMode();
    CToolBar* pTable = Frame()->GetToolBar(kTableBar);
    CToolBar* pFormat = Frame()->GetToolBar(kFormatBar);
    auto expectMode = [&](BOOL bDesign, const std::string& caption, const std::string& context) {
        SCOPED_TRACE(context);
        PumpIdle();
        HMENU hBar = GetMenu(Frame()->m_hWnd);
        EXPECT_EQ(!bDesign, IsMenuGreyed(hBar, "&Table"));
        EXPECT_EQ(!bDesign, IsMenuGreyed(hBar, "&Cell"));
        EXPECT_EQ(bDesign, pTable->IsWindowVisible());
        EXPECT_EQ(bDesign, pFormat->IsWindowVisible());
        EXPECT_EQ(bDesign, CRecordingCmdUI::Update(Frame(), ID_VIEW_DESIGN_MODE).m_nCheck == 1);
        EXPECT_EQ(caption, CaptionOf(Frame()));
    };
    expectMode(FALSE, "Tallyform [Run Mode] - Second.kvm", "run-mode window active");

    // The Window menu's entry of the other window, maximized.
    Frame()->MDIActivate(pDesign);
    expectMode(TRUE, "Tallyform[Design Mode] - Grid.kvm", "design-mode window active");
    ::SendMessageA(Frame()->m_hWndMDIClient, WM_MDIMAXIMIZE, (WPARAM)pDesign->m_hWnd, 0);
    Frame()->MDIActivate(pRun);
    expectMode(FALSE, "Tallyform [Run Mode] - [Second.kvm]", "run-mode window maximized");

    // Closing the run-mode window gives the design-mode one its menus back.
    pRun->SendMessage(WM_CLOSE);
    expectMode(TRUE, "Tallyform[Design Mode] - [Grid.kvm]", "run-mode window closed");
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
