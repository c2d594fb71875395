// The editor's application object started in this process the way the
// program starts: every menu item, accelerator and toolbar button shown
// enabled has a handler, no design command is on the route, a template
// opens to be filled in, and nothing writes a template.
#include <memory>
#include <string>

#include "tests/support/Gtest.h"
#include "tests/support/MessageBoxRecorder.h"
#include "tests/support/RecordingCmdUI.h"
#include "tests/support/ScratchFolder.h"
#include "tests/app/CommandRouteWalker.h"
#include "tests/app/DesignerProcess.h"
#include "tests/app/InProcessAppTest.h"
#include "tests/editor/DesignCommands.h"

#include "framework/docview/MDIWnd.h"
#include "framework/docview/StandardCommands.h"
#include "framework/docview/ToolBar.h"
#include "sheet/document/TallyformDoc.h"
#include "shell/StartupSplash.h"
#include "shell/app/MainFrame.h"
#include "shell/app/TallyformApp.h"
#include "view/TallyformView.h"
#include "DocumentIds.h"
#include "SheetViewIds.h"
#include "ShellIds.h"

namespace
{
// Items the editor's menus keep with no handler, shown disabled: View >
// Toolbars > Sheet and Style, and View > Cell Border.
const UINT kGreyedItems[] = { 33009, 33011, 33055 };

class EditorCommandRouteTest : public InProcessAppTest
{
protected:
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(InProcessAppTest::SetUp());
        WriteWholeFile(m_folder.PathOf("Tallyform.INI"),
                       "[DataSource]\r\nStart=0\r\nType=0\r\nName=Reporting.mdb\r\n");
        m_strTemplate = m_folder.PathOf("Monthly.kvm");
        CString strSample = CDesignerProcess::ProgramFolder() + "\\Template\\Monthly Report.kvm";
        ASSERT_TRUE(CopyFileA(strSample, m_strTemplate, FALSE))
            << "the sample templates are written by scripts/setup.sh: " << (LPCSTR)strSample;
        m_original = ReadWholeFile(m_strTemplate);
        ASSERT_FALSE(m_original.empty());
    }

    void CheckEverything(const std::string& context)
    {
        PumpIdle();
        m_walker.reset(new CCommandRouteWalker(Frame()));
        m_walker->WalkMenuBar(context);
        m_walker->CheckAccelerators(Frame()->m_hAccelTable, context + " keys");
        m_walker->CheckToolBar(Frame()->GetToolBar(IDR_MAINFRAME), context + " Standard");
        m_walker->CheckToolBar(Frame()->GetToolBar(IDR_DATA_BAR), context + " Data");
        for (UINT nID : kDesignCommands)
            EXPECT_FALSE(m_walker->IsHandled(nID)) << context << ": design command " << nID;
        for (UINT nID : kGreyedItems)
        {
            EXPECT_FALSE(m_walker->IsHandled(nID)) << context << ": " << nID;
            EXPECT_FALSE(m_walker->Enabled(nID)) << context << ": " << nID;
        }
    }

    BOOL Enabled(UINT nID) const { return m_walker->Enabled(nID); }

    CString m_strTemplate;
    std::string m_original;
    MessageBoxRecorder m_messages;
    std::unique_ptr<CCommandRouteWalker> m_walker;
};

TEST_F(EditorCommandRouteTest, WithoutADocumentTheTwoToolbarsAndTheApplicationsCommandsAreThere)
{
    Start("");
    ASSERT_TRUE(Frame()->MDIGetActive() == NULL);
    CheckEverything("no document");
    EXPECT_TRUE(Enabled(ID_FILE_OPEN));
    EXPECT_TRUE(Enabled(ID_APP_EXIT));
    EXPECT_TRUE(Enabled(ID_VIEW_TOOLBAR_NORMAL));
    EXPECT_TRUE(Enabled(ID_VIEW_TOOLBAR_DATA));
    // Full screen and the zoom need a document.
    EXPECT_FALSE(Enabled(ID_VIEW_FULL_SCREEN));
    EXPECT_FALSE(Frame()->m_wndZoom.IsWindowEnabled());
    EXPECT_TRUE(Frame()->GetToolBar(6) == NULL);
    EXPECT_TRUE(Frame()->GetToolBar(8) == NULL);
    EXPECT_EQ(std::string("Tallyform [Run Mode]"), (LPCSTR)Frame()->m_strTitle);

    // The Data toolbar sits right of the Standard toolbar on the top row.
    CRect rcStandard, rcData;
    Frame()->m_wndToolBar.GetWindowRect(&rcStandard);
    Frame()->m_wndDataBar.GetWindowRect(&rcData);
    EXPECT_EQ(rcStandard.top, rcData.top);
    EXPECT_GE(rcData.left, rcStandard.right - 2);

    // Ctrl+N with no document makes an empty untitled one, with no wizard.
    Frame()->SendMessage(WM_COMMAND, MAKEWPARAM(ID_FILE_NEW, 1));
    PumpIdle();
    ASSERT_TRUE(ActiveView() != NULL);
    EXPECT_EQ(0, ActiveView()->GetDocument()->m_sheet.m_cells.GetSize());
    EXPECT_TRUE(m_messages.Messages().empty()) << m_messages.LastText();
}

TEST_F(EditorCommandRouteTest, ATemplateOpensToBeFilledInAndItsDesignAndSaveCommandsAreGone)
{
    Start(CString("\"") + m_strTemplate + "\"");
    CTallyformView* pView = ActiveView();
    ASSERT_TRUE(pView != NULL);
    CTallyformDoc* pDoc = pView->GetDocument();
    EXPECT_FALSE(pDoc->m_sheet.m_bDesignMode);
    EXPECT_EQ(0, pDoc->m_sheet.m_arrSel.GetSize());
    EXPECT_GT(pDoc->m_sheet.m_cells.GetSize(), 0);
    CheckEverything("template");
    // The designer's analysis commands, under the editor's own ids.
    for (UINT nID = 33076; nID <= 33081; ++nID)
        EXPECT_TRUE(m_walker->IsHandled(nID)) << "analysis command " << nID;
    EXPECT_TRUE(Enabled(ID_FILE_SAVE_DATA_TO_FILE));
    EXPECT_TRUE(Enabled(ID_DATA_IMPORT_EXCEL));
    EXPECT_TRUE(Enabled(ID_DATA_EXPORT_EXCEL));
    EXPECT_TRUE(Enabled(ID_FILE_CLOSE));
    EXPECT_TRUE(Enabled(ID_VIEW_FULL_SCREEN));
    EXPECT_FALSE(Enabled(ID_FILE_SAVE));
    EXPECT_FALSE(Enabled(ID_FILE_SAVE_AS));
    EXPECT_FALSE(Enabled(ID_FILE_SEND_MAIL));
    // Undo and Redo have nothing to work on, and say so.
    CRecordingCmdUI undo = CRecordingCmdUI::Update(Frame(), ID_EDIT_UNDO);
    EXPECT_EQ(0, undo.m_nEnabled);
    EXPECT_EQ(0, CRecordingCmdUI::Update(Frame(), ID_EDIT_REDO).m_nEnabled);

    // Ctrl+S and File > Save as the menu sends them, and a direct save of
    // the document: the template file stays byte for byte as it was.
    Frame()->SendMessage(WM_COMMAND, MAKEWPARAM(ID_FILE_SAVE, 1));
    Frame()->SendMessage(WM_COMMAND, MAKEWPARAM(ID_FILE_SAVE, 0));
    Frame()->SendMessage(WM_COMMAND, MAKEWPARAM(ID_FILE_SAVE_AS, 0));
    PumpIdle();
    EXPECT_FALSE(pDoc->OnSaveDocument(m_strTemplate));
    EXPECT_EQ(m_original, ReadWholeFile(m_strTemplate));

    // Closing a changed template offers to keep its data; No closes and
    // the template is still untouched.
    pDoc->SetModifiedFlag(TRUE);
    m_messages.Clear();
    m_messages.QueueAnswer(IDNO);
    Frame()->SendMessage(WM_COMMAND, MAKEWPARAM(ID_FILE_CLOSE, 0));
    PumpIdle();
    EXPECT_TRUE(Frame()->MDIGetActive() == NULL);
    ASSERT_EQ(1u, m_messages.Messages().size());
    EXPECT_EQ(0u, m_messages.Messages()[0].text.find("Save the data of"));
    EXPECT_EQ(m_original, ReadWholeFile(m_strTemplate));
}

TEST_F(EditorCommandRouteTest, DatabaseCommandsNeedTheDatabaseAndAnalysisAnAnalysisReport)
{
    // Saving, loading, summing and importing through the database, and the
    // analysis commands (Import from and Export to Excel share two ids).
    const UINT kDatabaseData[] = { 32827, 32829, 33031, 33058 };
    CString strDatabase = m_folder.PathOf("Reporting.mdb");
    ASSERT_TRUE(CopyFileA(CDesignerProcess::ProgramFolder() + "\\Data\\Reporting.mdb",
                          strDatabase, FALSE));
    Start(CString("\"") + m_strTemplate + "\"");
    ASSERT_TRUE(ActiveView() != NULL);
    CheckEverything("no database");
    for (UINT nID : kDatabaseData)
        EXPECT_FALSE(Enabled(nID)) << "no database " << nID;
    for (UINT nID = 33076; nID <= 33081; ++nID)
        EXPECT_FALSE(Enabled(nID)) << "no database " << nID;

    m_app.m_nDataSourceType = 0;
    m_app.m_strDatabaseName = strDatabase;
    ASSERT_TRUE(m_app.ConnectDatabase());
    CheckEverything("connected");
    for (UINT nID : kDatabaseData)
        EXPECT_TRUE(Enabled(nID)) << "connected " << nID;
    for (UINT nID = 33076; nID <= 33081; ++nID)
        EXPECT_FALSE(Enabled(nID)) << "a form " << nID;

    // The same sheet as an analysis report, as one opened from its file.
    ActiveView()->GetDocument()->m_sheet.m_nKind = 2;
    CheckEverything("analysis report");
    for (UINT nID = 33076; nID <= 33081; ++nID)
        EXPECT_TRUE(Enabled(nID)) << "analysis report " << nID;
}

TEST_F(EditorCommandRouteTest, FullScreenTwiceLeavesTheStatusBarAndTheTwoToolbars)
{
    Start(CString("\"") + m_strTemplate + "\"");
    ASSERT_TRUE(ActiveView() != NULL);
    WINDOWPLACEMENT before = {};
    before.length = sizeof(before);
    ::GetWindowPlacement(Frame()->m_hWnd, &before);
    for (int i = 0; i < 2; ++i)
    {
        Frame()->SendMessage(WM_COMMAND, MAKEWPARAM(ID_VIEW_FULL_SCREEN, 0));
        PumpIdle();
        EXPECT_TRUE(Frame()->m_bFullScreen);
        EXPECT_FALSE(Frame()->m_wndToolBar.IsWindowVisible());
        EXPECT_FALSE(Frame()->m_wndDataBar.IsWindowVisible());
        EXPECT_FALSE(Frame()->m_wndStatusBar.IsWindowVisible());
        Frame()->SendMessage(WM_COMMAND, MAKEWPARAM(ID_VIEW_FULL_SCREEN, 0));
        PumpIdle();
        EXPECT_FALSE(Frame()->m_bFullScreen);
        EXPECT_TRUE(Frame()->m_wndToolBar.IsWindowVisible());
        EXPECT_TRUE(Frame()->m_wndDataBar.IsWindowVisible());
        EXPECT_TRUE(Frame()->m_wndStatusBar.IsWindowVisible());
    }
    WINDOWPLACEMENT after = {};
    after.length = sizeof(after);
    ::GetWindowPlacement(Frame()->m_hWnd, &after);
    EXPECT_EQ(before.showCmd, after.showCmd);
    EXPECT_TRUE(EqualRect(&before.rcNormalPosition, &after.rcNormalPosition));
}
} // namespace
