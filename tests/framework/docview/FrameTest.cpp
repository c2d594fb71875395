#include <string>
#include <vector>

#include "tests/support/Gtest.h"

#include "framework/docview/Document.h"
#include "framework/docview/MDIWnd.h"
#include "framework/docview/View.h"
#include "framework/docview/WinApp.h"
#include "framework/windows/CmdUI.h"
#include "tests/framework/docview/FrameTestResource.h"

// Every handler of the routing classes records who ran it.
static std::vector<std::string> g_handled;

class CRoutingApp : public CWinApp
{
public:
    CRoutingApp() : CWinApp("RoutingApp") {}

protected:
    void OnAppCmd() { g_handled.push_back("app"); }
    void OnUpdateAppCmd(CCmdUI* pCmdUI) { pCmdUI->SetCheck(1); }
    void OnSharedCmd() { g_handled.push_back("app shared"); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CRoutingApp, CWinApp)
    ON_COMMAND(ID_TEST_APP_CMD, OnAppCmd)
    ON_UPDATE_COMMAND_UI(ID_TEST_APP_CMD, OnUpdateAppCmd)
    ON_COMMAND(ID_TEST_SHARED_CMD, OnSharedCmd)
END_MESSAGE_MAP()

class CRoutingDoc : public CDocument
{
public:
    BOOL m_bDocCmdEnabled = FALSE;

protected:
    void OnDocCmd() { g_handled.push_back("document"); }
    void OnUpdateDocCmd(CCmdUI* pCmdUI) { pCmdUI->Enable(m_bDocCmdEnabled); }
    void OnSharedCmd() { g_handled.push_back("document shared"); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CRoutingDoc, CDocument)
    ON_COMMAND(ID_TEST_DOC_CMD, OnDocCmd)
    ON_UPDATE_COMMAND_UI(ID_TEST_DOC_CMD, OnUpdateDocCmd)
    ON_COMMAND(ID_TEST_SHARED_CMD, OnSharedCmd)
END_MESSAGE_MAP()

class CRoutingView : public CView
{
    DECLARE_DYNCREATE(CRoutingView)
public:
    void OnDraw(CDC*) override {}

protected:
    void OnViewCmd() { g_handled.push_back("view"); }
    void OnUpdateViewCmd(CCmdUI* pCmdUI) { pCmdUI->SetCheck(1); }
    void OnSharedCmd() { g_handled.push_back("view shared"); }
    DECLARE_MESSAGE_MAP()
};

IMPLEMENT_DYNCREATE(CRoutingView, CView)

BEGIN_MESSAGE_MAP(CRoutingView, CView)
    ON_COMMAND(ID_TEST_VIEW_CMD, OnViewCmd)
    ON_UPDATE_COMMAND_UI(ID_TEST_VIEW_CMD, OnUpdateViewCmd)
    ON_COMMAND(ID_TEST_SHARED_CMD, OnSharedCmd)
END_MESSAGE_MAP()

class CRoutingFrame : public CFrameWnd
{
protected:
    void OnFrameCmd() { g_handled.push_back("frame"); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CRoutingFrame, CFrameWnd)
    ON_COMMAND(ID_TEST_FRAME_CMD, OnFrameCmd)
END_MESSAGE_MAP()

namespace
{
std::vector<std::string> Command(CWnd* pWnd, UINT nID)
{
    g_handled.clear();
    pWnd->SendMessage(WM_COMMAND, nID, 0);
    return g_handled;
}

typedef std::vector<std::string> Log;

UINT ItemState(HMENU hMenu, UINT nID)
{
    return ::GetMenuState(hMenu, nID, MF_BYCOMMAND) & (MF_CHECKED | MF_GRAYED);
}
} // namespace

TEST(FrameWnd, LoadFrameTakesMenuAcceleratorsAndCaptionFromTheResource)
{
    CRoutingApp app;
    CRoutingDoc doc;
    doc.SetTitle("Ledger");
    CCreateContext context;
    context.m_pNewViewClass = RUNTIME_CLASS(CRoutingView);
    context.m_pCurrentDoc = &doc;
    CRoutingFrame* pFrame = new CRoutingFrame;
    ASSERT_TRUE(pFrame->LoadFrame(IDR_ROUTING_FRAME, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE, NULL,
                                  &context));
    HWND hFrame = pFrame->GetSafeHwnd();
    ASSERT_NE(nullptr, pFrame->GetActiveView());
    EXPECT_EQ(&doc, pFrame->GetActiveDocument());
    EXPECT_EQ(::GetMenu(hFrame), pFrame->m_hMenuDefault);
    EXPECT_NE(nullptr, pFrame->m_hAccelTable);
    CString strCaption;
    pFrame->GetWindowText(strCaption);
    EXPECT_STREQ("Ledger - Routing Frame", (LPCSTR)strCaption);

    // The view fills the client area once the frame has a size.
    pFrame->MoveWindow(0, 0, 400, 300);
    CRect rcClient, rcView;
    pFrame->GetClientRect(&rcClient);
    pFrame->GetActiveView()->GetClientRect(&rcView);
    EXPECT_EQ(rcClient.Width(), rcView.Width());
    EXPECT_EQ(rcClient.Height(), rcView.Height());

    // The frame deletes itself and its view with its window.
    pFrame->DestroyWindow();
    EXPECT_FALSE(::IsWindow(hFrame));
    POSITION pos = doc.GetFirstViewPosition();
    EXPECT_EQ(nullptr, pos);
}

TEST(FrameWnd, LoadFrameOfAMissingResourceFailsWithoutAWindow)
{
    CRoutingFrame* pFrame = new CRoutingFrame;
    EXPECT_FALSE(pFrame->LoadFrame(IDR_MISSING));
    EXPECT_EQ(nullptr, pFrame->GetSafeHwnd());
    delete pFrame;
}

TEST(FrameWnd, CommandsRouteThroughViewDocumentFrameAndApplication)
{
    CRoutingApp app;
    CRoutingDoc doc;
    doc.m_bDocCmdEnabled = TRUE;
    CCreateContext context;
    context.m_pNewViewClass = RUNTIME_CLASS(CRoutingView);
    context.m_pCurrentDoc = &doc;
    CRoutingFrame* pFrame = new CRoutingFrame;
    ASSERT_TRUE(pFrame->LoadFrame(IDR_ROUTING_FRAME, WS_OVERLAPPEDWINDOW, NULL, &context));

    EXPECT_EQ(Log({ "view" }), Command(pFrame, ID_TEST_VIEW_CMD));
    EXPECT_EQ(Log({ "document" }), Command(pFrame, ID_TEST_DOC_CMD));
    EXPECT_EQ(Log({ "frame" }), Command(pFrame, ID_TEST_FRAME_CMD));
    EXPECT_EQ(Log({ "app" }), Command(pFrame, ID_TEST_APP_CMD));
    // The first target on the route that handles a command takes it alone.
    EXPECT_EQ(Log({ "view shared" }), Command(pFrame, ID_TEST_SHARED_CMD));
    EXPECT_EQ(Log(), Command(pFrame, ID_TEST_UNHANDLED_CMD));

    // A disabled command does not run.
    doc.m_bDocCmdEnabled = FALSE;
    EXPECT_EQ(Log(), Command(pFrame, ID_TEST_DOC_CMD));

    // Without an active view the document is off the route.
    pFrame->SetActiveView(NULL);
    EXPECT_EQ(Log({ "app shared" }), Command(pFrame, ID_TEST_SHARED_CMD));
    pFrame->DestroyWindow();
}

TEST(FrameWnd, AcceleratorsOfTheMainFrameTranslateKeysOfItsChildren)
{
    CRoutingApp app;
    CRoutingDoc doc;
    CCreateContext context;
    context.m_pNewViewClass = RUNTIME_CLASS(CRoutingView);
    context.m_pCurrentDoc = &doc;
    CRoutingFrame* pFrame = new CRoutingFrame;
    ASSERT_TRUE(pFrame->LoadFrame(IDR_ROUTING_FRAME, WS_OVERLAPPEDWINDOW, NULL, &context));
    app.m_pMainWnd = pFrame;

    g_handled.clear();
    MSG msg = {};
    msg.hwnd = pFrame->GetActiveView()->GetSafeHwnd();
    msg.message = WM_KEYDOWN;
    msg.wParam = VK_F5;
    EXPECT_TRUE(app.PreTranslateMessage(&msg));
    EXPECT_EQ(Log({ "app" }), g_handled);
    msg.wParam = VK_F6;
    EXPECT_FALSE(app.PreTranslateMessage(&msg));

    pFrame->DestroyWindow();
    EXPECT_EQ(nullptr, app.m_pMainWnd);
    // Destroying the main window ends the message loop.
    MSG quit = {};
    EXPECT_TRUE(::PeekMessageA(&quit, NULL, WM_QUIT, WM_QUIT, PM_REMOVE));
}

TEST(FrameWnd, MenuPopupItemsTakeTheirStateFromTheRouteAtInitMenuPopup)
{
    CRoutingApp app;
    CRoutingDoc doc;
    CCreateContext context;
    context.m_pNewViewClass = RUNTIME_CLASS(CRoutingView);
    context.m_pCurrentDoc = &doc;
    CRoutingFrame* pFrame = new CRoutingFrame;
    ASSERT_TRUE(pFrame->LoadFrame(IDR_ROUTING_FRAME, WS_OVERLAPPEDWINDOW, NULL, &context));
    HMENU hPopup = ::GetSubMenu(::GetMenu(pFrame->GetSafeHwnd()), 0);
    ASSERT_NE(nullptr, hPopup);
    EXPECT_EQ(0u, ItemState(hPopup, ID_TEST_VIEW_CMD));

    pFrame->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(hPopup), MAKELPARAM(0, FALSE));
    EXPECT_EQ((UINT)MF_CHECKED, ItemState(hPopup, ID_TEST_VIEW_CMD));
    EXPECT_EQ((UINT)MF_GRAYED, ItemState(hPopup, ID_TEST_DOC_CMD));
    EXPECT_EQ((UINT)MF_CHECKED, ItemState(hPopup, ID_TEST_APP_CMD));
    EXPECT_EQ(0u, ItemState(hPopup, ID_TEST_FRAME_CMD));

    doc.m_bDocCmdEnabled = TRUE;
    pFrame->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(hPopup), MAKELPARAM(0, FALSE));
    EXPECT_EQ(0u, ItemState(hPopup, ID_TEST_DOC_CMD));
    pFrame->DestroyWindow();
}

TEST(MDIFrameWnd, ChildIsCreatedInTheClientAndLendsItsMenuWhileActive)
{
    CRoutingApp app;
    CRoutingDoc doc;
    doc.m_bDocCmdEnabled = TRUE;
    CMDIFrameWnd* pFrame = new CMDIFrameWnd;
    ASSERT_TRUE(pFrame->LoadFrame(IDR_MDI_FRAME));
    HWND hClient = pFrame->m_hWndMDIClient;
    ASSERT_NE(nullptr, hClient);
    EXPECT_EQ(pFrame->GetSafeHwnd(), ::GetParent(hClient));
    EXPECT_EQ(nullptr, pFrame->MDIGetActive());

    HMENU hNoteMenu = ::LoadMenuA(::GetModuleHandleA(NULL), MAKEINTRESOURCEA(IDR_NOTE_MENU));
    ASSERT_NE(nullptr, hNoteMenu);
    CCreateContext context;
    context.m_pNewViewClass = RUNTIME_CLASS(CRoutingView);
    context.m_pCurrentDoc = &doc;
    CMDIChildWnd* pChild = new CMDIChildWnd;
    pChild->m_hMenuShared = hNoteMenu;
    ASSERT_TRUE(pChild->Create(NULL, "Ledger", WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW,
                               CRect(CW_USEDEFAULT, CW_USEDEFAULT, 0, 0), pFrame, &context));
    HWND hChild = pChild->GetSafeHwnd();
    EXPECT_EQ(hClient, ::GetParent(hChild));
    EXPECT_EQ(pChild, pFrame->MDIGetActive());
    EXPECT_EQ(pChild, pFrame->GetActiveFrame());
    EXPECT_EQ(&doc, pFrame->GetActiveDocument());
    EXPECT_EQ(pFrame, pChild->GetMDIFrame());

    // The document menu is on the frame, and its Window menu lists the child.
    EXPECT_EQ(hNoteMenu, ::GetMenu(pFrame->GetSafeHwnd()));
    HMENU hWindowMenu = CMDIFrameWnd::FindWindowMenuPopup(hNoteMenu);
    ASSERT_NE(nullptr, hWindowMenu);
    char szItem[64] = "";
    ::GetMenuStringA(hWindowMenu, AFX_IDM_FIRST_MDICHILD, szItem, sizeof(szItem), MF_BYCOMMAND);
    EXPECT_NE(nullptr, strstr(szItem, "Ledger")) << szItem;

    // Commands given to the main frame reach the child's view and document.
    EXPECT_EQ(Log({ "view shared" }), Command(pFrame, ID_TEST_SHARED_CMD));
    EXPECT_EQ(Log({ "document" }), Command(pFrame, ID_TEST_DOC_CMD));
    EXPECT_EQ(Log({ "app" }), Command(pFrame, ID_TEST_APP_CMD));

    // With the last child gone the frame shows its own menu again.
    pChild->DestroyWindow();
    EXPECT_FALSE(::IsWindow(hChild));
    EXPECT_EQ(nullptr, pFrame->MDIGetActive());
    EXPECT_EQ(pFrame->m_hMenuDefault, ::GetMenu(pFrame->GetSafeHwnd()));
    EXPECT_EQ(Log(), Command(pFrame, ID_TEST_DOC_CMD));
    EXPECT_TRUE(::IsMenu(hNoteMenu));
    ::DestroyMenu(hNoteMenu);
    pFrame->DestroyWindow();
}
