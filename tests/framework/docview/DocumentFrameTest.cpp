#include <string>
#include <vector>

#include "tests/support/Gtest.h"
#include "tests/support/MessageBoxRecorder.h"
#include "tests/framework/docview/TestDocuments.h"

#include "framework/docview/DocTemplate.h"
#include "framework/docview/MDIWnd.h"
#include "framework/docview/StandardCommands.h"
#include "framework/docview/WinApp.h"
#include "tests/framework/docview/AppTestResource.h"

#include <shlobj.h>

// A view with a window that counts its first updates.
class CNoteView : public CView
{
    DECLARE_DYNCREATE(CNoteView)
public:
    void OnDraw(CDC*) override {}
    void OnInitialUpdate() override
    {
        ++m_nInitialUpdates;
        CView::OnInitialUpdate();
    }
    int m_nInitialUpdates = 0;
};

IMPLEMENT_DYNCREATE(CNoteView, CView)

namespace
{
// The note command is the application's: it is reached only through the
// main frame's route.
class CNoteApp : public CWinApp
{
public:
    CNoteApp() : CWinApp("DocumentFrameTest") {}
    int m_nNoteCommands = 0;

protected:
    void OnNoteCmd() { ++m_nNoteCommands; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CNoteApp, CWinApp)
    ON_COMMAND(ID_TEST_NOTE_CMD, OnNoteCmd)
END_MESSAGE_MAP()

// The note program: an MDI main frame and the note template whose child
// frames are plain MDI children.
class NoteProgram : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_pTemplate = new CMultiDocTemplate(IDR_APP_NOTE, RUNTIME_CLASS(CNoteDoc),
                                            RUNTIME_CLASS(CMDIChildWnd), RUNTIME_CLASS(CNoteView));
        m_app.AddDocTemplate(m_pTemplate);
        m_pFrame = new CMDIFrameWnd;
        ASSERT_TRUE(m_pFrame->LoadFrame(IDR_APP_MAIN));
        m_app.m_pMainWnd = m_pFrame;
        m_pFrame->ShowWindow(SW_SHOW);
    }
    void TearDown() override
    {
        if (::IsWindow(m_hFrame()))
            m_pFrame->DestroyWindow();
        MSG quit;
        ::PeekMessageA(&quit, NULL, WM_QUIT, WM_QUIT, PM_REMOVE);
    }
    HWND m_hFrame() const { return m_pFrame->GetSafeHwnd(); }

    int DocumentCount() const { return m_app.GetDocManager()->GetOpenDocumentCount(); }
    CMDIChildWnd* ChildOf(CDocument* pDoc) const
    {
        POSITION pos = pDoc->GetFirstViewPosition();
        CFrameWnd* pFrame = pos != NULL ? pDoc->GetNextView(pos)->GetParentFrame() : NULL;
        return DYNAMIC_DOWNCAST(CMDIChildWnd, pFrame);
    }
    CString Caption(CWnd* pWnd) const
    {
        CString strText;
        pWnd->GetWindowText(strText);
        return strText;
    }

    CNoteApp m_app;
    CMultiDocTemplate* m_pTemplate = NULL;
    CMDIFrameWnd* m_pFrame = NULL;
    CScratchFolder m_folder;
};

// A WM_DROPFILES handle as the shell builds it: DROPFILES, then the
// names one after another, ended by an empty one.
HDROP MakeDrop(const std::vector<CString>& paths)
{
    size_t cbNames = 1;
    for (const CString& s : paths)
        cbNames += (size_t)s.GetLength() + 1;
    HGLOBAL hGlobal = ::GlobalAlloc(GHND, sizeof(DROPFILES) + cbNames);
    DROPFILES* pDrop = static_cast<DROPFILES*>(::GlobalLock(hGlobal));
    pDrop->pFiles = sizeof(DROPFILES);
    pDrop->fWide = FALSE;
    char* pNames = reinterpret_cast<char*>(pDrop) + sizeof(DROPFILES);
    for (const CString& s : paths)
    {
        lstrcpyA(pNames, s);
        pNames += s.GetLength() + 1;
    }
    ::GlobalUnlock(hGlobal);
    return static_cast<HDROP>(hGlobal);
}
} // namespace

TEST_F(NoteProgram, OpeningADocumentMakesAnActiveChildWithTheTemplatesMenu)
{
    ASSERT_NE(nullptr, m_pTemplate->m_hMenuShared);
    ASSERT_NE(nullptr, m_pTemplate->m_hAccelTable);
    SaveNoteFile(m_folder.PathOf("ledger.nte"), FALSE, "ledger", 3);

    CDocument* pDoc = m_app.OpenDocumentFile(m_folder.PathOf("ledger.nte"));
    ASSERT_NE(nullptr, pDoc);
    CMDIChildWnd* pChild = ChildOf(pDoc);
    ASSERT_NE(nullptr, pChild);
    EXPECT_EQ(pChild, m_pFrame->MDIGetActive());
    EXPECT_TRUE(pChild->IsWindowVisible());
    EXPECT_EQ(m_pFrame->m_hWndMDIClient, ::GetParent(pChild->GetSafeHwnd()));
    EXPECT_EQ(m_pTemplate->m_hMenuShared, pChild->m_hMenuShared);
    EXPECT_EQ(m_pTemplate->m_hAccelTable, pChild->m_hAccelTable);
    EXPECT_EQ(m_pTemplate->m_hMenuShared, ::GetMenu(m_hFrame()));
    EXPECT_STREQ("ledger.nte", (LPCSTR)Caption(pChild));

    CNoteView* pView = DYNAMIC_DOWNCAST(CNoteView, pChild->GetActiveView());
    ASSERT_NE(nullptr, pView);
    EXPECT_EQ(pDoc, pView->GetDocument());
    EXPECT_EQ(1, pView->m_nInitialUpdates);
    EXPECT_EQ(pView->GetSafeHwnd(), ::GetFocus());
    EXPECT_EQ(pDoc, m_pFrame->GetActiveDocument());

    // A second, new document gets its own child and becomes the active one.
    CDocument* pNew = m_pTemplate->OpenDocumentFile(NULL);
    ASSERT_NE(nullptr, pNew);
    CMDIChildWnd* pNewChild = ChildOf(pNew);
    ASSERT_NE(nullptr, pNewChild);
    EXPECT_NE(pChild, pNewChild);
    EXPECT_EQ(pNewChild, m_pFrame->MDIGetActive());
    EXPECT_STREQ("Note1", (LPCSTR)Caption(pNewChild));
    // Both children share the one menu.
    EXPECT_EQ(pChild->m_hMenuShared, pNewChild->m_hMenuShared);

    // Opening the first file again brings its child back instead.
    EXPECT_EQ(pDoc, m_app.OpenDocumentFile(m_folder.PathOf("ledger.nte")));
    EXPECT_EQ(pChild, m_pFrame->MDIGetActive());
    EXPECT_EQ(2, DocumentCount());
}

TEST_F(NoteProgram, TheChildsAcceleratorsAndCaptionFollowItsDocument)
{
    CDocument* pDoc = m_pTemplate->OpenDocumentFile(NULL);
    ASSERT_NE(nullptr, pDoc);
    CMDIChildWnd* pChild = ChildOf(pDoc);
    ASSERT_NE(nullptr, pChild);

    // F7 of the template's accelerators, pressed in the view, reaches the
    // application through the main frame.
    MSG msg = {};
    msg.hwnd = pChild->GetActiveView()->GetSafeHwnd();
    msg.message = WM_KEYDOWN;
    msg.wParam = VK_F7;
    EXPECT_TRUE(m_app.PreTranslateMessage(&msg));
    EXPECT_EQ(1, m_app.m_nNoteCommands);
    msg.wParam = VK_F8;
    EXPECT_FALSE(m_app.PreTranslateMessage(&msg));

    // A document saved under a name shows it at the next idle update, in
    // the child and in the main frame.
    m_app.OnIdle(0);
    EXPECT_STREQ("Note1", (LPCSTR)Caption(pChild));
    EXPECT_STREQ("Note1 - Note Keeper", (LPCSTR)Caption(m_pFrame));
    ASSERT_TRUE(pDoc->DoSave(m_folder.PathOf("saved.nte")));
    m_app.OnIdle(0);
    EXPECT_STREQ("saved.nte", (LPCSTR)Caption(pChild));
    EXPECT_STREQ("saved.nte - Note Keeper", (LPCSTR)Caption(m_pFrame));
}

TEST_F(NoteProgram, ACaptionTheProgramSetsStaysUntilTheActiveDocumentOrItsTitleChanges)
{
    CDocument* pDoc = m_pTemplate->OpenDocumentFile(NULL);
    ASSERT_NE(nullptr, pDoc);
    m_app.OnIdle(0);
    EXPECT_STREQ("Note1 - Note Keeper", (LPCSTR)Caption(m_pFrame));
    // A mode of the program shown in the caption outlives the idle updates.
    m_pFrame->SetWindowText("Note Keeper [Locked] - Note1");
    m_app.OnIdle(0);
    m_app.OnIdle(0);
    EXPECT_STREQ("Note Keeper [Locked] - Note1", (LPCSTR)Caption(m_pFrame));
    // A new title of the document brings the usual caption back.
    ASSERT_TRUE(pDoc->DoSave(m_folder.PathOf("kept.nte")));
    m_app.OnIdle(0);
    EXPECT_STREQ("kept.nte - Note Keeper", (LPCSTR)Caption(m_pFrame));
    // So does another document becoming the active one.
    m_pFrame->SetWindowText("Note Keeper [Locked] - kept.nte");
    ASSERT_NE(nullptr, m_pTemplate->OpenDocumentFile(NULL));
    m_app.OnIdle(0);
    EXPECT_STREQ("Note2 - Note Keeper", (LPCSTR)Caption(m_pFrame));
}

TEST_F(NoteProgram, TheDocumentMenusFileMenuListsTheRecentFiles)
{
    m_app.LoadStdProfileSettings(4);
    SaveNoteFile(m_folder.PathOf("ledger.nte"), FALSE, "ledger", 3);
    ASSERT_NE(nullptr, m_app.OpenDocumentFile(m_folder.PathOf("ledger.nte")));
    HMENU hFile = ::GetSubMenu(::GetMenu(m_hFrame()), 0);
    ASSERT_NE(nullptr, hFile);

    m_pFrame->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(hFile), MAKELPARAM(0, FALSE));
    char szText[256] = "";
    ::GetMenuStringA(hFile, ID_FILE_MRU_FILE1, szText, sizeof(szText), MF_BYCOMMAND);
    std::string text(szText);
    EXPECT_EQ(0u, text.find("&1 ")) << text;
    EXPECT_EQ(text.size() - 10, text.rfind("ledger.nte")) << text;
    EXPECT_EQ(0u, ::GetMenuState(hFile, ID_FILE_MRU_FILE1, MF_BYCOMMAND) & MF_GRAYED);
}

TEST_F(NoteProgram, ADocumentThatFailsToOpenLeavesNoWindow)
{
    MessageBoxRecorder recorder;
    EXPECT_EQ(nullptr, m_app.OpenDocumentFile(m_folder.PathOf("missing.nte")));
    EXPECT_EQ(1u, recorder.Messages().size());
    EXPECT_EQ(0, DocumentCount());
    EXPECT_EQ(nullptr, ::GetWindow(m_pFrame->m_hWndMDIClient, GW_CHILD));

    CNoteDoc::s_bRefuseNextNew = TRUE;
    EXPECT_EQ(nullptr, m_pTemplate->OpenDocumentFile(NULL));
    CNoteDoc::s_bRefuseNextNew = FALSE;
    EXPECT_EQ(0, DocumentCount());
    EXPECT_EQ(nullptr, ::GetWindow(m_pFrame->m_hWndMDIClient, GW_CHILD));
    EXPECT_EQ(m_pFrame->m_hMenuDefault, ::GetMenu(m_hFrame()));
}

TEST_F(NoteProgram, ClosingTheChildClosesItsDocumentAfterAskingToSave)
{
    CDocument* pDoc = m_pTemplate->OpenDocumentFile(NULL);
    ASSERT_NE(nullptr, pDoc);
    CMDIChildWnd* pChild = ChildOf(pDoc);
    ASSERT_NE(nullptr, pChild);
    HWND hChild = pChild->GetSafeHwnd();
    pDoc->SetModifiedFlag();

    MessageBoxRecorder recorder;
    recorder.QueueAnswer(IDCANCEL);
    ::SendMessageA(hChild, WM_CLOSE, 0, 0);
    ASSERT_EQ(1u, recorder.Messages().size());
    EXPECT_EQ("Save changes to Note1?", recorder.LastText());
    EXPECT_TRUE(::IsWindow(hChild));
    EXPECT_EQ(1, DocumentCount());

    recorder.QueueAnswer(IDNO);
    ::SendMessageA(hChild, WM_CLOSE, 0, 0);
    EXPECT_EQ(2u, recorder.Messages().size());
    EXPECT_FALSE(::IsWindow(hChild));
    EXPECT_EQ(0, DocumentCount());
    EXPECT_EQ(nullptr, m_pFrame->MDIGetActive());
    EXPECT_EQ(m_pFrame->m_hMenuDefault, ::GetMenu(m_hFrame()));

    // A child destroyed without being asked takes its document with it.
    CDocument* pOther = m_pTemplate->OpenDocumentFile(NULL);
    ASSERT_NE(nullptr, pOther);
    ChildOf(pOther)->DestroyWindow();
    EXPECT_EQ(0, DocumentCount());
    EXPECT_EQ(2u, recorder.Messages().size());
}

TEST_F(NoteProgram, ClosingTheMainFrameAsksForEveryModifiedDocument)
{
    CDocument* pFirst = m_pTemplate->OpenDocumentFile(NULL);
    CDocument* pSecond = m_pTemplate->OpenDocumentFile(NULL);
    ASSERT_NE(nullptr, pFirst);
    ASSERT_NE(nullptr, pSecond);
    pFirst->SetModifiedFlag();
    pSecond->SetModifiedFlag();

    MessageBoxRecorder recorder;
    recorder.QueueAnswer(IDNO);
    recorder.QueueAnswer(IDCANCEL);
    ::SendMessageA(m_hFrame(), WM_CLOSE, 0, 0);
    EXPECT_EQ(2u, recorder.Messages().size());
    EXPECT_TRUE(::IsWindow(m_hFrame()));
    EXPECT_EQ(2, DocumentCount());

    recorder.QueueAnswer(IDNO);
    recorder.QueueAnswer(IDNO);
    HWND hFrame = m_hFrame();
    ::SendMessageA(hFrame, WM_CLOSE, 0, 0);
    EXPECT_FALSE(::IsWindow(hFrame));
    EXPECT_EQ(0, DocumentCount());
    EXPECT_EQ(nullptr, m_app.m_pMainWnd);
}

TEST_F(NoteProgram, FilesDroppedOnTheMainFrameOpen)
{
    SaveNoteFile(m_folder.PathOf("north.nte"), FALSE, "north", 1);
    SaveNoteFile(m_folder.PathOf("south.nte"), FALSE, "south", 2);
    m_pFrame->DragAcceptFiles();
    EXPECT_NE(0u, (DWORD)m_pFrame->GetExStyle() & WS_EX_ACCEPTFILES);

    MessageBoxRecorder recorder;
    HDROP hDrop = MakeDrop({ m_folder.PathOf("north.nte"), m_folder.PathOf("nowhere.nte"),
                             m_folder.PathOf("south.nte") });
    // The frame frees the handle.
    m_pFrame->SendMessage(WM_DROPFILES, reinterpret_cast<WPARAM>(hDrop));
    EXPECT_EQ(2, DocumentCount());
    ASSERT_EQ(1u, recorder.Messages().size());
    EXPECT_NE(std::string::npos, recorder.LastText().find("nowhere.nte"));
    CDocument* pActive = m_pFrame->GetActiveDocument();
    ASSERT_NE(nullptr, pActive);
    EXPECT_EQ(0, lstrcmpiA(m_folder.PathOf("south.nte"), pActive->GetPathName()));
    EXPECT_EQ(m_hFrame(), ::GetActiveWindow());

    // A file already open is not opened twice; its child comes to the front.
    m_pFrame->SendMessage(WM_DROPFILES,
                          reinterpret_cast<WPARAM>(MakeDrop({ m_folder.PathOf("north.nte") })));
    EXPECT_EQ(2, DocumentCount());
    pActive = m_pFrame->GetActiveDocument();
    ASSERT_NE(nullptr, pActive);
    EXPECT_EQ(0, lstrcmpiA(m_folder.PathOf("north.nte"), pActive->GetPathName()));
}

TEST_F(NoteProgram, DestroyingTheMainFrameTakesTheOpenDocumentsAlong)
{
    ASSERT_NE(nullptr, m_pTemplate->OpenDocumentFile(NULL));
    ASSERT_NE(nullptr, m_pTemplate->OpenDocumentFile(NULL));
    HWND hFrame = m_hFrame();
    // As when start-up fails after documents were opened: no questions.
    MessageBoxRecorder recorder;
    m_pFrame->DestroyWindow();
    EXPECT_FALSE(::IsWindow(hFrame));
    EXPECT_EQ(0, DocumentCount());
    EXPECT_TRUE(recorder.Messages().empty());
}
