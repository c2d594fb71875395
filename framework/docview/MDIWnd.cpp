#include "framework/docview/MDIWnd.h"

#include "framework/core/MessageSink.h"
#include "framework/docview/DocTemplate.h"
#include "framework/docview/Document.h"
#include "framework/docview/View.h"
#include "framework/docview/WinApp.h"
#include "framework/windows/CmdUI.h"

IMPLEMENT_DYNAMIC(CMDIFrameWnd, CFrameWnd)

BEGIN_MESSAGE_MAP(CMDIFrameWnd, CFrameWnd)
    ON_COMMAND(ID_WINDOW_NEW, OnWindowNew)
    ON_COMMAND_RANGE(ID_WINDOW_ARRANGE, ID_WINDOW_TILE_VERT, OnWindowCommand)
    ON_UPDATE_COMMAND_UI_RANGE(ID_WINDOW_NEW, ID_WINDOW_TILE_VERT, OnUpdateMDIWindowCmd)
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CMDIFrameWnd::CMDIFrameWnd() : m_hWndMDIClient(NULL) {}

HMENU CMDIFrameWnd::FindWindowMenuPopup(HMENU hMenu)
{
    if (hMenu == NULL)
        return NULL;
    int nCount = ::GetMenuItemCount(hMenu);
    for (int i = nCount - 1; i >= 0; --i)
    {
        HMENU hPopup = ::GetSubMenu(hMenu, i);
        if (hPopup == NULL)
            continue;
        int nItems = ::GetMenuItemCount(hPopup);
        for (int j = 0; j < nItems; ++j)
        {
            UINT nID = ::GetMenuItemID(hPopup, j);
            if (nID >= ID_WINDOW_NEW && nID <= ID_WINDOW_TILE_VERT)
                return hPopup;
        }
    }
    return NULL;
}

BOOL CMDIFrameWnd::OnCreateClient(LPCREATESTRUCT, CCreateContext*)
{
    CLIENTCREATESTRUCT ccs;
    ccs.hWindowMenu = FindWindowMenuPopup(::GetMenu(m_hWnd));
    ccs.idFirstChild = AFX_IDM_FIRST_MDICHILD;
    // MDIS_ALLCHILDSTYLES: a child takes the style it is made with, so it
    // stays hidden until its document is ready to be shown.
    m_hWndMDIClient = ::CreateWindowExA(
        WS_EX_CLIENTEDGE, "MDICLIENT", NULL,
        WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | WS_VSCROLL | WS_HSCROLL |
            MDIS_ALLCHILDSTYLES,
        0, 0,
        0, 0, m_hWnd, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(AFX_IDW_PANE_FIRST)),
        AfxGetInstanceHandle(), &ccs);
    return m_hWndMDIClient != NULL;
}

void CMDIFrameWnd::OnDestroy()
{
    // The client hears WM_DESTROY before its children do, and Wine's client
    // frees its list of them then, which the children still read as they
    // go: so they are destroyed first, through the client.
    if (m_hWndMDIClient != NULL)
    {
        HWND hChild = ::GetWindow(m_hWndMDIClient, GW_CHILD);
        while (hChild != NULL)
        {
            HWND hNext = ::GetWindow(hChild, GW_HWNDNEXT);
            ::SendMessageA(m_hWndMDIClient, WM_MDIDESTROY, reinterpret_cast<WPARAM>(hChild), 0);
            hChild = hNext != NULL && ::IsWindow(hNext) ? hNext : NULL;
        }
    }
    // From here on nothing may be asked of the client.
    m_hWndMDIClient = NULL;
    CFrameWnd::OnDestroy();
}

LRESULT CMDIFrameWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    return ::DefFrameProcA(m_hWnd, m_hWndMDIClient, message, wParam, lParam);
}

CMDIChildWnd* CMDIFrameWnd::MDIGetActive(BOOL* pbMaximized) const
{
    BOOL bMaximized = FALSE;
    HWND hWnd = m_hWndMDIClient == NULL ? NULL
        : reinterpret_cast<HWND>(::SendMessageA(m_hWndMDIClient, WM_MDIGETACTIVE, 0,
                                                reinterpret_cast<LPARAM>(&bMaximized)));
    if (pbMaximized != NULL)
        *pbMaximized = hWnd != NULL && bMaximized;
    CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
    return pWnd != NULL && pWnd->IsKindOf(RUNTIME_CLASS(CMDIChildWnd))
        ? static_cast<CMDIChildWnd*>(pWnd) : NULL;
}

void CMDIFrameWnd::MDIActivate(CWnd* pWndActivate)
{
    ::SendMessageA(m_hWndMDIClient, WM_MDIACTIVATE,
                   reinterpret_cast<WPARAM>(pWndActivate->GetSafeHwnd()), 0);
}

CFrameWnd* CMDIFrameWnd::GetActiveFrame()
{
    CMDIChildWnd* pChild = MDIGetActive();
    return pChild != NULL ? static_cast<CFrameWnd*>(pChild) : this;
}

HMENU CMDIFrameWnd::MDISetMenu(HMENU hMenu, HMENU hWindowMenu)
{
    if (m_hWndMDIClient == NULL)
        return NULL;
    HMENU hOld = reinterpret_cast<HMENU>(
        ::SendMessageA(m_hWndMDIClient, WM_MDISETMENU, reinterpret_cast<WPARAM>(hMenu),
                       reinterpret_cast<LPARAM>(hWindowMenu)));
    ::DrawMenuBar(m_hWnd);
    return hOld;
}

void CMDIFrameWnd::OnUpdateFrameMenu(HMENU hMenuAlt)
{
    CMDIChildWnd* pChild = MDIGetActive();
    if (pChild != NULL && hMenuAlt == NULL)
    {
        pChild->ShowMenuOnFrame(TRUE);
        return;
    }
    HMENU hMenu = hMenuAlt != NULL ? hMenuAlt : m_hMenuDefault;
    MDISetMenu(hMenu, FindWindowMenuPopup(hMenu));
}

void CMDIFrameWnd::OnUpdateFrameTitle(BOOL bAddToTitle)
{
    BOOL bMaximized = FALSE;
    if (MDIGetActive(&bMaximized) != NULL && bMaximized)
        UpdateFrameTitleForDocument(NULL);
    else
        CFrameWnd::OnUpdateFrameTitle(bAddToTitle);
}

BOOL CMDIFrameWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    CMDIChildWnd* pChild = MDIGetActive();
    if (pChild != NULL && pChild->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    return CFrameWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

BOOL CMDIFrameWnd::PreTranslateMessage(MSG* pMsg)
{
    if (m_hWndMDIClient != NULL && pMsg->message >= WM_KEYFIRST &&
        pMsg->message <= WM_KEYLAST && !IsInPrintPreview() &&
        ::TranslateMDISysAccel(m_hWndMDIClient, pMsg))
        return TRUE;
    return CFrameWnd::PreTranslateMessage(pMsg);
}

void CMDIFrameWnd::OnUpdateMDIWindowCmd(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(MDIGetActive() != NULL);
}

void CMDIFrameWnd::OnWindowNew()
{
    CMDIChildWnd* pActive = MDIGetActive();
    CDocument* pDoc = pActive != NULL ? pActive->GetActiveDocument() : NULL;
    CDocTemplate* pTemplate = pDoc != NULL ? pDoc->GetDocTemplate() : NULL;
    if (pTemplate == NULL)
        return;
    CFrameWnd* pFrame = pTemplate->CreateNewFrame(pDoc, pActive);
    if (pFrame == NULL)
    {
        AfxMessageBox("Cannot open another window for this document.", MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    pTemplate->InitialUpdateFrame(pFrame, pDoc);
}

void CMDIFrameWnd::OnWindowCommand(UINT nID)
{
    switch (nID)
    {
    case ID_WINDOW_ARRANGE:
        ::SendMessageA(m_hWndMDIClient, WM_MDIICONARRANGE, 0, 0);
        break;
    case ID_WINDOW_CASCADE:
        ::SendMessageA(m_hWndMDIClient, WM_MDICASCADE, 0, 0);
        break;
    case ID_WINDOW_TILE_HORZ:
        ::SendMessageA(m_hWndMDIClient, WM_MDITILE, MDITILE_HORIZONTAL, 0);
        break;
    case ID_WINDOW_TILE_VERT:
        ::SendMessageA(m_hWndMDIClient, WM_MDITILE, MDITILE_VERTICAL, 0);
        break;
    default:
        break;
    }
}

IMPLEMENT_DYNCREATE(CMDIChildWnd, CFrameWnd)

BEGIN_MESSAGE_MAP(CMDIChildWnd, CFrameWnd)
    ON_WM_CREATE()
    ON_MESSAGE(WM_MDIACTIVATE, OnMDIActivate)
    ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUI)
END_MESSAGE_MAP()

CMDIChildWnd::CMDIChildWnd() : m_hMenuShared(NULL), m_bSharedAccelerators(FALSE) {}

CMDIChildWnd::~CMDIChildWnd()
{
    if (m_bSharedAccelerators)
        m_hAccelTable = NULL;
}

BOOL CMDIChildWnd::Create(LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle,
                          const RECT& rect, CMDIFrameWnd* pParentWnd, CCreateContext* pContext)
{
    if (pParentWnd == NULL)
    {
        CWnd* pMainWnd = AfxGetMainWnd();
        if (pMainWnd != NULL && pMainWnd->IsKindOf(RUNTIME_CLASS(CMDIFrameWnd)))
            pParentWnd = static_cast<CMDIFrameWnd*>(pMainWnd);
    }
    if (pParentWnd == NULL || pParentWnd->m_hWndMDIClient == NULL)
        return FALSE;
    MDICREATESTRUCTA mcs;
    mcs.szClass = lpszClassName != NULL
        ? lpszClassName
        : AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorA(NULL, IDC_ARROW),
                              reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1));
    mcs.szTitle = lpszWindowName;
    mcs.hOwner = AfxGetInstanceHandle();
    mcs.x = rect.left;
    mcs.y = rect.top;
    mcs.cx = rect.right == 0 ? CW_USEDEFAULT : rect.right - rect.left;
    mcs.cy = rect.bottom == 0 ? CW_USEDEFAULT : rect.bottom - rect.top;
    // The frame paints nothing under its view and bars.
    mcs.style = (dwStyle & ~(WS_MAXIMIZE | WS_MINIMIZE)) | WS_CLIPCHILDREN |
                WS_CLIPSIBLINGS;
    mcs.lParam = reinterpret_cast<LPARAM>(pContext);
    AfxHookWindowCreate(this);
    HWND hWnd = reinterpret_cast<HWND>(::SendMessageA(pParentWnd->m_hWndMDIClient, WM_MDICREATE,
                                                      0, reinterpret_cast<LPARAM>(&mcs)));
    AfxUnhookWindowCreate();
    if (hWnd == NULL)
    {
        if (m_hWnd != NULL)
            Detach();
        return FALSE;
    }
    return TRUE;
}

BOOL CMDIChildWnd::CreateFrame(LPCSTR lpszClassName, DWORD dwStyle, CWnd* pParentWnd, HMENU,
                               CCreateContext* pContext)
{
    CMDIFrameWnd* pFrame = pParentWnd != NULL && pParentWnd->IsKindOf(RUNTIME_CLASS(CMDIFrameWnd))
        ? static_cast<CMDIFrameWnd*>(pParentWnd) : NULL;
    return Create(lpszClassName, m_strTitle, dwStyle, CRect(CW_USEDEFAULT, CW_USEDEFAULT, 0, 0),
                  pFrame, pContext);
}

BOOL CMDIChildWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd,
                             CCreateContext* pContext)
{
    CMultiDocTemplate* pTemplate = pContext != NULL
        ? DYNAMIC_DOWNCAST(CMultiDocTemplate, pContext->m_pNewDocTemplate) : NULL;
    // The menu must be known before the child's first activation.
    if (pTemplate != NULL)
        m_hMenuShared = pTemplate->m_hMenuShared;
    if (!CFrameWnd::LoadFrame(nIDResource, dwDefaultStyle | WS_CHILD, pParentWnd, pContext))
        return FALSE;
    if (pTemplate != NULL && pTemplate->m_hAccelTable != NULL)
    {
        if (m_hAccelTable != NULL)
            ::DestroyAcceleratorTable(m_hAccelTable);
        m_hAccelTable = pTemplate->m_hAccelTable;
        m_bSharedAccelerators = TRUE;
    }
    return TRUE;
}

void CMDIChildWnd::UseEmbeddingResources(CDocTemplate* pTemplate)
{
    if (pTemplate == NULL)
        return;
    if (pTemplate->m_hMenuEmbedding != NULL)
        m_hMenuShared = pTemplate->m_hMenuEmbedding;
    if (pTemplate->m_hAccelEmbedding != NULL)
    {
        if (m_hAccelTable != NULL && !m_bSharedAccelerators)
            ::DestroyAcceleratorTable(m_hAccelTable);
        m_hAccelTable = pTemplate->m_hAccelEmbedding;
        m_bSharedAccelerators = TRUE;
    }
}

void CMDIChildWnd::ActivateFrame(int nCmdShow)
{
    CMDIFrameWnd* pFrame = GetMDIFrame();
    BOOL bMaximized = FALSE;
    CMDIChildWnd* pActive = pFrame != NULL ? pFrame->MDIGetActive(&bMaximized) : NULL;
    if (nCmdShow == -1)
    {
        if (IsIconic())
            nCmdShow = SW_RESTORE;
        else
            nCmdShow = bMaximized && pActive != this ? SW_SHOWMAXIMIZED : SW_SHOW;
    }
    ShowWindow(nCmdShow);
    MDIActivate();
}

void CMDIChildWnd::OnUpdateFrameTitle(BOOL bAddToTitle)
{
    CDocument* pDoc = GetActiveDocument();
    CString strText = bAddToTitle && pDoc != NULL && !pDoc->GetTitle().IsEmpty()
        ? pDoc->GetTitle() : m_strTitle;
    if (m_nWindow > 0)
    {
        CString strNumber;
        strNumber.Format(":%d", m_nWindow);
        strText += strNumber;
    }
    CString strOld;
    GetWindowText(strOld);
    if (strOld == strText)
        return;
    SetWindowText(strText);
    // The MDI client lists its windows by the captions they had when it
    // last built the Window menu.
    CMDIFrameWnd* pFrame = GetMDIFrame();
    if (pFrame != NULL && pFrame->m_hWndMDIClient != NULL)
    {
        ::SendMessageA(pFrame->m_hWndMDIClient, WM_MDIREFRESHMENU, 0, 0);
        ::DrawMenuBar(pFrame->m_hWnd);
    }
}

BOOL CMDIChildWnd::PreTranslateMessage(MSG* pMsg)
{
    CMDIFrameWnd* pFrame = GetMDIFrame();
    if (pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST && m_hAccelTable != NULL &&
        pFrame != NULL && ::TranslateAcceleratorA(pFrame->m_hWnd, m_hAccelTable, pMsg))
        return TRUE;
    return CWnd::PreTranslateMessage(pMsg);
}

LRESULT CMDIChildWnd::OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam)
{
    OnUpdateFrameTitle(m_bAddToTitle);
    return CFrameWnd::OnIdleUpdateCmdUI(wParam, lParam);
}

int CMDIChildWnd::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    const MDICREATESTRUCTA* pMcs = static_cast<const MDICREATESTRUCTA*>(lpCreateStruct->lpCreateParams);
    CCreateContext* pContext =
        pMcs != NULL ? reinterpret_cast<CCreateContext*>(pMcs->lParam) : NULL;
    return OnCreateHelper(lpCreateStruct, pContext);
}

BOOL CMDIChildWnd::DestroyWindow()
{
    if (m_hWnd == NULL)
        return FALSE;
    CMDIFrameWnd* pFrame = GetMDIFrame();
    if (pFrame == NULL || pFrame->m_hWndMDIClient == NULL)
        return CFrameWnd::DestroyWindow();
    ::SendMessageA(pFrame->m_hWndMDIClient, WM_MDIDESTROY, reinterpret_cast<WPARAM>(m_hWnd), 0);
    return TRUE;
}

LRESULT CMDIChildWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    return ::DefMDIChildProcA(m_hWnd, message, wParam, lParam);
}

CMDIFrameWnd* CMDIChildWnd::GetMDIFrame() const
{
    HWND hClient = ::GetParent(m_hWnd);
    CWnd* pFrame = CWnd::FromHandlePermanent(hClient != NULL ? ::GetParent(hClient) : NULL);
    return pFrame != NULL && pFrame->IsKindOf(RUNTIME_CLASS(CMDIFrameWnd))
        ? static_cast<CMDIFrameWnd*>(pFrame) : NULL;
}

void CMDIChildWnd::MDIActivate()
{
    CMDIFrameWnd* pFrame = GetMDIFrame();
    if (pFrame != NULL)
        pFrame->MDIActivate(this);
}

void CMDIChildWnd::ShowMenuOnFrame(BOOL bActivate)
{
    CMDIFrameWnd* pFrame = GetMDIFrame();
    if (pFrame == NULL)
        return;
    HMENU hMenu = bActivate && m_hMenuShared != NULL ? m_hMenuShared : pFrame->m_hMenuDefault;
    if (::GetMenu(pFrame->m_hWnd) != hMenu)
        pFrame->MDISetMenu(hMenu, CMDIFrameWnd::FindWindowMenuPopup(hMenu));
}

LRESULT CMDIChildWnd::OnMDIActivate(WPARAM wParam, LPARAM lParam)
{
    HWND hActivated = reinterpret_cast<HWND>(lParam);
    CView* pView = GetActiveView();
    if (hActivated != m_hWnd && pView != NULL)
        pView->OnActivateView(FALSE, pView, pView);
    // A child that goes without another taking its place gives the frame
    // back its own menu.
    if (hActivated == m_hWnd)
        ShowMenuOnFrame(TRUE);
    else if (hActivated == NULL && reinterpret_cast<HWND>(wParam) == m_hWnd)
        ShowMenuOnFrame(FALSE);
    LRESULT lResult = DefWindowProc(WM_MDIACTIVATE, wParam, lParam);
    // The view learns it is active again once its menu is on the frame.
    if (hActivated == m_hWnd && pView != NULL)
        pView->OnActivateView(TRUE, pView, pView);
    return lResult;
}
