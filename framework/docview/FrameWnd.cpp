#include "framework/docview/FrameWnd.h"

#include "framework/core/MessageSink.h"
#include "framework/docview/Document.h"
#include "framework/docview/StandardCommands.h"
#include "framework/docview/View.h"
#include "framework/docview/WinApp.h"

IMPLEMENT_DYNCREATE(CFrameWnd, CWnd)

BEGIN_MESSAGE_MAP(CFrameWnd, CWnd)
    ON_WM_CLOSE()
    ON_WM_DROPFILES()
    ON_WM_CREATE()
    ON_WM_SIZE()
    ON_WM_DESTROY()
    ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUI)
    ON_MESSAGE(WM_SETMESSAGESTRING, OnSetMessageString)
    ON_MESSAGE(WM_MENUSELECT, OnMenuSelectMessage)
    ON_NOTIFY_RANGE(TTN_NEEDTEXTA, 0, 0xFFFF, OnToolTipText)
    ON_NOTIFY_RANGE(TTN_NEEDTEXTW, 0, 0xFFFF, OnToolTipText)
    ON_UPDATE_COMMAND_UI(ID_INDICATOR_CAPS, OnUpdateKeyIndicator)
    ON_UPDATE_COMMAND_UI(ID_INDICATOR_NUM, OnUpdateKeyIndicator)
    ON_UPDATE_COMMAND_UI(ID_INDICATOR_SCRL, OnUpdateKeyIndicator)
    ON_COMMAND_EX(ID_VIEW_TOOLBAR, OnBarCheck)
    ON_COMMAND_EX(ID_VIEW_STATUS_BAR, OnBarCheck)
    ON_UPDATE_COMMAND_UI(ID_VIEW_TOOLBAR, OnUpdateControlBarMenu)
    ON_UPDATE_COMMAND_UI(ID_VIEW_STATUS_BAR, OnUpdateControlBarMenu)
END_MESSAGE_MAP()

CFrameWnd::CFrameWnd()
    : m_bAutoMenuEnable(TRUE), m_hMenuDefault(NULL), m_hAccelTable(NULL), m_nIDHelp(0),
      m_nWindow(0), m_pViewActive(NULL), m_bAddToTitle(FALSE), m_pTitledDocument(NULL),
      m_bInCreate(FALSE)
{
}

CFrameWnd::~CFrameWnd()
{
    DetachControlBars();
    if (m_hMenuDefault != NULL)
        ::DestroyMenu(m_hMenuDefault);
    if (m_hAccelTable != NULL)
        ::DestroyAcceleratorTable(m_hAccelTable);
}

BOOL CFrameWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd,
                          CCreateContext* pContext)
{
    HINSTANCE hInst = AfxGetResourceHandle();
    m_nIDHelp = nIDResource;
    m_bAddToTitle = (dwDefaultStyle & FWS_ADDTOTITLE) != 0;
    CString strTitle;
    if (strTitle.LoadString(nIDResource))
    {
        int nNewLine = strTitle.Find('\n');
        m_strTitle = nNewLine >= 0 ? strTitle.Left(nNewLine) : strTitle;
    }

    HMENU hMenu = NULL;
    if (!(dwDefaultStyle & WS_CHILD))
    {
        hMenu = ::LoadMenuA(hInst, MAKEINTRESOURCEA(nIDResource));
        if (hMenu == NULL)
            return FALSE;
    }
    HICON hIcon = ::LoadIconA(hInst, MAKEINTRESOURCEA(nIDResource));
    LPCSTR lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorA(NULL, IDC_ARROW),
                                           reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1), hIcon);
    m_bInCreate = TRUE;
    BOOL bCreated = CreateFrame(lpszClass, dwDefaultStyle & ~FWS_ADDTOTITLE, pParentWnd, hMenu,
                                pContext);
    m_bInCreate = FALSE;
    if (!bCreated)
    {
        if (hMenu != NULL)
            ::DestroyMenu(hMenu);
        return FALSE;
    }
    m_hMenuDefault = hMenu;
    m_hAccelTable = ::LoadAcceleratorsA(hInst, MAKEINTRESOURCEA(nIDResource));
    OnUpdateFrameTitle(m_bAddToTitle);
    return TRUE;
}

BOOL CFrameWnd::CreateFrame(LPCSTR lpszClassName, DWORD dwStyle, CWnd* pParentWnd, HMENU hMenu,
                            CCreateContext* pContext)
{
    return CreateEx(0, lpszClassName, m_strTitle, dwStyle, CW_USEDEFAULT, CW_USEDEFAULT,
                    CW_USEDEFAULT, CW_USEDEFAULT, pParentWnd->GetSafeHwnd(), hMenu, pContext);
}

int CFrameWnd::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    return OnCreateHelper(lpCreateStruct,
                          static_cast<CCreateContext*>(lpCreateStruct->lpCreateParams));
}

int CFrameWnd::OnCreateHelper(LPCREATESTRUCT lpcs, CCreateContext* pContext)
{
    if (CWnd::OnCreate(lpcs) == -1)
        return -1;
    if (!OnCreateClient(lpcs, pContext))
        return -1;
    RecalcLayout();
    // The status bar, made after this, starts with the idle prompt.
    PostMessage(WM_SETMESSAGESTRING, AFX_IDS_IDLEMESSAGE);
    return 0;
}

BOOL CFrameWnd::OnCreateClient(LPCREATESTRUCT, CCreateContext* pContext)
{
    if (pContext == NULL || pContext->m_pNewViewClass == NULL)
        return TRUE;
    CWnd* pView = CreateView(pContext);
    if (pView == NULL)
        return FALSE;
    if (pView->IsKindOf(RUNTIME_CLASS(CView)))
        SetActiveView(static_cast<CView*>(pView));
    return TRUE;
}

CWnd* CFrameWnd::CreateView(CCreateContext* pContext, UINT nID)
{
    CObject* pObject = pContext->m_pNewViewClass->CreateObject();
    if (pObject == NULL || !pObject->IsKindOf(RUNTIME_CLASS(CWnd)))
    {
        delete pObject;
        return NULL;
    }
    CWnd* pView = static_cast<CWnd*>(pObject);
    CRect rect(0, 0, 0, 0);
    LPCSTR lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorA(NULL, IDC_ARROW),
                                           reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1));
    if (!pView->Create(lpszClass, NULL, WS_CHILD | WS_VISIBLE, rect, this, nID, pContext))
    {
        delete pView;
        return NULL;
    }
    if (pContext->m_pCurrentDoc != NULL && pView->IsKindOf(RUNTIME_CLASS(CView)) &&
        static_cast<CView*>(pView)->GetDocument() == NULL)
        pContext->m_pCurrentDoc->AddView(static_cast<CView*>(pView));
    return pView;
}

void CFrameWnd::RecalcLayout()
{
    CRect rect;
    GetClientRect(&rect);
    RepositionBars(rect);
    // The pane is drawn again whole: its old picture may hold a bar that
    // was shown over it before this layout.
    CWnd* pPane = GetDlgItem(AFX_IDW_PANE_FIRST);
    if (pPane != NULL)
        pPane->SetWindowPos(NULL, rect.left, rect.top, rect.Width(), rect.Height(),
                            SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOCOPYBITS);
    HWND hPreview = ::GetDlgItem(m_hWnd, AFX_IDW_PREVIEW_PANE);
    if (hPreview != NULL)
    {
        CRect rcAll;
        GetClientRect(&rcAll);
        ::SetWindowPos(hPreview, HWND_TOP, 0, 0, rcAll.Width(), rcAll.Height(), SWP_NOACTIVATE);
    }
}

BOOL CFrameWnd::IsInPrintPreview() const
{
    return m_hWnd != NULL && ::GetDlgItem(m_hWnd, AFX_IDW_PREVIEW_PANE) != NULL;
}

void CFrameWnd::OnSize(UINT nType, int cx, int cy)
{
    CWnd::OnSize(nType, cx, cy);
    if (nType != SIZE_MINIMIZED)
        RecalcLayout();
}

void CFrameWnd::OnDestroy()
{
    m_pViewActive = NULL;
    DetachControlBars();
    // The menu bar would go with the window: the frame's own menu is freed
    // by the destructor, a document menu by its template.
    if (!(GetStyle() & WS_CHILD))
        ::SetMenu(m_hWnd, NULL);
    CWnd::OnDestroy();
}

void CFrameWnd::PostNcDestroy()
{
    // A frame that fails while LoadFrame creates it stays its caller's.
    if (m_bInCreate)
        return;
    CWinApp* pApp = AfxGetApp();
    if (pApp != NULL && pApp->m_pMainWnd == this)
    {
        pApp->m_pMainWnd = NULL;
        ::PostQuitMessage(0);
    }
    delete this;
}

CFrameWnd* CFrameWnd::GetActiveFrame() { return this; }

void CFrameWnd::SetActiveView(CView* pViewNew)
{
    CView* pViewOld = m_pViewActive;
    m_pViewActive = pViewNew;
    if (pViewOld != pViewNew)
    {
        if (pViewOld != NULL)
            pViewOld->OnActivateView(FALSE, pViewNew, pViewOld);
        if (pViewNew != NULL)
            pViewNew->OnActivateView(TRUE, pViewNew, pViewOld);
    }
    if (pViewNew != NULL && ::GetFocus() != pViewNew->GetSafeHwnd() &&
        ::IsChild(m_hWnd, pViewNew->GetSafeHwnd()) && ::IsWindowVisible(m_hWnd))
        pViewNew->SetFocus();
}

CDocument* CFrameWnd::GetActiveDocument()
{
    CView* pView = GetActiveFrame()->GetActiveView();
    return pView != NULL ? pView->GetDocument() : NULL;
}

BOOL CFrameWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    CView* pView = GetActiveView();
    if (pView != NULL)
    {
        if (pView->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
            return TRUE;
        CDocument* pDoc = pView->GetDocument();
        if (pDoc != NULL && pDoc->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
            return TRUE;
    }
    if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    // A child frame leaves the application to the frame it sits in.
    CWinApp* pApp = AfxGetApp();
    return !(GetStyle() & WS_CHILD) && pApp != NULL &&
           pApp->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

BOOL CFrameWnd::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST && m_hAccelTable != NULL &&
        !IsInPrintPreview() && ::TranslateAcceleratorA(m_hWnd, m_hAccelTable, pMsg))
        return TRUE;
    return CWnd::PreTranslateMessage(pMsg);
}

void CFrameWnd::OnUpdateFrameTitle(BOOL bAddToTitle)
{
    CDocument* pDoc = GetActiveDocument();
    UpdateFrameTitleForDocument(bAddToTitle && pDoc != NULL ? (LPCSTR)pDoc->GetTitle() : NULL);
}

void CFrameWnd::UpdateFrameTitleForDocument(LPCSTR lpszDocName)
{
    CString strText = GetProgramTitle();
    if (lpszDocName != NULL && *lpszDocName != '\0')
        strText = ComposeFrameTitle(strText, lpszDocName);
    CString strOld;
    GetWindowText(strOld);
    if (strOld != strText)
        SetWindowText(strText);
}

void CFrameWnd::OnUpdateFrameMenu(HMENU hMenuAlt)
{
    HMENU hMenu = hMenuAlt != NULL ? hMenuAlt : m_hMenuDefault;
    if (::GetMenu(m_hWnd) != hMenu)
        ::SetMenu(m_hWnd, hMenu);
}

LRESULT CFrameWnd::OnIdleUpdateCmdUI(WPARAM wParam, LPARAM)
{
    // The caption follows the active document and the titles; a caption
    // the program set itself stays until one of them changes.
    if (!(GetStyle() & WS_CHILD))
    {
        CDocument* pDoc = GetActiveDocument();
        CFrameWnd* pActive = GetActiveFrame();
        BOOL bMaximized = pActive != this && pActive->IsZoomed();
        CString strFrom = GetProgramTitle() + "\n" + (pDoc != NULL ? pDoc->GetTitle() : CString()) +
                          (bMaximized ? "\n[]" : "");
        if (pDoc != m_pTitledDocument || strFrom != m_strTitledFrom)
        {
            m_pTitledDocument = pDoc;
            m_strTitledFrom = strFrom;
            OnUpdateFrameTitle(m_bAddToTitle);
        }
    }
    UpdateFloatingBars((BOOL)wParam);
    return 0;
}
