// The server document for its container: the verbs, activation in place
// in the container's window and opening in the program's own frame.
#include "framework/ole/OleServerDoc.h"

#include "framework/docview/DocTemplate.h"
#include "framework/docview/MDIWnd.h"
#include "framework/docview/View.h"
#include "framework/docview/WinApp.h"
#include "framework/ole/OleIPFrameWnd.h"
#include "framework/ole/OleLock.h"
#include "framework/ole/OleServerDocObject.h"

HRESULT COleServerDoc::OnDoVerb(LONG iVerb, IOleClientSite* pActiveSite, HWND, LPCRECT)
{
    switch (iVerb)
    {
    case OLEIVERB_HIDE:
        if (IsInPlaceActive())
            OnDeactivateUI(FALSE);
        else if (m_pOpenFrame != NULL)
            m_pOpenFrame->ShowWindow(SW_HIDE);
        return S_OK;
    case OLEIVERB_OPEN:
        return OpenForContainer();
    case OLEIVERB_PRIMARY:
    case OLEIVERB_SHOW:
    case OLEIVERB_INPLACEACTIVATE:
    case OLEIVERB_UIACTIVATE:
        // A container of documents makes the document's view and shows
        // it; another container has the object in place where it allows
        // it, else in a window of its own, as a user who asked to see the
        // object expects.
        if (m_pOpenFrame == NULL && !IsInPlaceActive() && ActivateAsDocument(pActiveSite))
            return S_OK;
        if (m_pOpenFrame == NULL
            && ActivateInPlace(pActiveSite, iVerb != OLEIVERB_INPLACEACTIVATE))
            return S_OK;
        return OpenForContainer();
    default:
        return iVerb > 0 ? OLEOBJ_S_INVALIDVERB : E_NOTIMPL;
    }
}

BOOL COleServerDoc::ActivateInPlace(IUnknown* pSite, BOOL bUIActivate)
{
    COleServerDocObject* pObject = m_pObject;
    if (m_pInPlaceFrame != NULL)
    {
        if (bUIActivate && !m_bUIActive)
            ShowInPlaceUI();
        return TRUE;
    }
    CDocTemplate* pTemplate = GetDocTemplate();
    if (pSite == NULL)
        pSite = m_lpClientSite;
    if (pSite == NULL || pObject == NULL || pTemplate == NULL || pTemplate->m_pOleFrameClass == NULL)
        return FALSE;
    IOleInPlaceSite* lpSite = NULL;
    if (FAILED(pSite->QueryInterface(IID_IOleInPlaceSite, reinterpret_cast<void**>(&lpSite))))
        return FALSE;
    HWND hWndSite = NULL;
    if (lpSite->CanInPlaceActivate() != S_OK || FAILED(lpSite->GetWindow(&hWndSite))
        || hWndSite == NULL)
    {
        lpSite->Release();
        return FALSE;
    }
    m_lpInPlaceSite = lpSite;
    m_lpInPlaceSite->OnInPlaceActivate();

    IOleInPlaceFrame* lpFrame = NULL;
    IOleInPlaceUIWindow* lpDocFrame = NULL;
    RECT rectPos = { 0, 0, 0, 0 };
    RECT rectClip = { 0, 0, 0, 0 };
    OLEINPLACEFRAMEINFO frameInfo = {};
    frameInfo.cb = sizeof(frameInfo);
    COleIPFrameWnd* pFrame = NULL;
    if (SUCCEEDED(m_lpInPlaceSite->GetWindowContext(&lpFrame, &lpDocFrame, &rectPos, &rectClip,
                                                    &frameInfo)) && lpFrame != NULL)
    {
        CObject* pNew = pTemplate->m_pOleFrameClass->CreateObject();
        pFrame = dynamic_cast<COleIPFrameWnd*>(pNew);
        if (pFrame == NULL)
            delete pNew;
    }
    if (pFrame != NULL)
    {
        pFrame->SetContainer(lpFrame, lpDocFrame, frameInfo);
        CCreateContext context;
        context.m_pCurrentDoc = this;
        context.m_pNewViewClass = pTemplate->GetViewClass();
        context.m_pNewDocTemplate = pTemplate;
        if (!pFrame->LoadFrame(pTemplate->m_nIDServerResource,
                               WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, CWnd::FromHandle(hWndSite),
                               &context))
        {
            delete pFrame;
            pFrame = NULL;
        }
    }
    if (lpDocFrame != NULL)
        lpDocFrame->Release();
    if (lpFrame != NULL)
        lpFrame->Release();
    if (pFrame == NULL)
    {
        m_lpInPlaceSite->OnInPlaceDeactivate();
        ReleaseInPlaceSite();
        return FALSE;
    }
    m_pInPlaceFrame = pFrame;
    pFrame->InitialUpdateFrame(this, FALSE);
    pFrame->RepositionFrame(&rectPos, &rectClip);
    pFrame->ShowWindow(SW_SHOW);
    if (bUIActivate)
    {
        ShowInPlaceUI();
        if (CView* pView = pFrame->GetActiveView())
            pView->SetFocus();
    }
    if (m_lpClientSite != NULL)
        m_lpClientSite->ShowObject();
    return TRUE;
}

BOOL COleServerDoc::ActivateAsDocument(IOleClientSite* pSite)
{
    if (pSite == NULL)
        pSite = m_lpClientSite;
    IOleDocumentSite* lpDocSite = NULL;
    if (pSite == NULL || m_pObject == NULL
        || FAILED(pSite->QueryInterface(IID_IOleDocumentSite, reinterpret_cast<void**>(&lpDocSite))))
        return FALSE;
    // The container asks for the document's view (IOleDocument) and
    // shows it in a site of its own.
    BOOL bActive = m_pObject->GetDocObjectServer(lpDocSite) != NULL && SUCCEEDED(lpDocSite->ActivateMe(NULL));
    lpDocSite->Release();
    return bActive;
}

CDocObjectServer* COleServerDoc::GetDocObjectServer(IOleDocumentSite*)
{
    return NULL;
}

void COleServerDoc::OnDeactivateUI(BOOL bUndoable)
{
    if (m_pInPlaceFrame == NULL || m_bInDeactivate)
        return;
    HideInPlaceUI(bUndoable);
    // The sheet is active in place only while the user works in it.
    OnDeactivate();
}

void COleServerDoc::OnDeactivate()
{
    if (m_pInPlaceFrame == NULL || m_bInDeactivate)
        return;
    m_bInDeactivate = TRUE;
    HideInPlaceUI(FALSE);
    // The frame takes the view with it; the document stays for the
    // container.
    COleIPFrameWnd* pFrame = m_pInPlaceFrame;
    m_pInPlaceFrame = NULL;
    BOOL bAutoDelete = m_bAutoDelete;
    m_bAutoDelete = FALSE;
    pFrame->DestroyWindow();
    m_bAutoDelete = bAutoDelete;
    if (m_lpInPlaceSite != NULL)
        m_lpInPlaceSite->OnInPlaceDeactivate();
    ReleaseInPlaceSite();
    m_bInDeactivate = FALSE;
}

void COleServerDoc::ShowInPlaceUI()
{
    if (m_lpInPlaceSite == NULL || m_pObject == NULL)
        return;
    m_lpInPlaceSite->OnUIActivate();
    m_bUIActive = m_pInPlaceFrame->ShowUserInterface(&m_pObject->GetInPlaceActiveObject());
}

void COleServerDoc::HideInPlaceUI(BOOL bUndoable)
{
    if (!m_bUIActive)
        return;
    m_bUIActive = FALSE;
    m_pInPlaceFrame->HideUserInterface();
    if (m_lpInPlaceSite != NULL)
        m_lpInPlaceSite->OnUIDeactivate(bUndoable);
}

void COleServerDoc::ReleaseInPlaceSite()
{
    if (m_lpInPlaceSite != NULL)
        m_lpInPlaceSite->Release();
    m_lpInPlaceSite = NULL;
}

void COleServerDoc::RequestPositionChange(LPCRECT lpPosRect)
{
    if (m_lpInPlaceSite != NULL)
        m_lpInPlaceSite->OnPosRectChange(lpPosRect);
}

HRESULT COleServerDoc::OpenForContainer()
{
    if (IsInPlaceActive())
        OnDeactivateUI(FALSE);
    CWinApp* pApp = AfxGetApp();
    CDocTemplate* pTemplate = GetDocTemplate();
    if (m_pOpenFrame == NULL)
    {
        if (pTemplate == NULL || pApp == NULL || pApp->m_pMainWnd == NULL)
            return E_FAIL;
        CFrameWnd* pFrame = pTemplate->CreateNewFrame(this, NULL);
        if (pFrame == NULL)
            return E_OUTOFMEMORY;
        // While the container's object is open the frame shows the
        // embedding menu and keys.
        if (CMDIChildWnd* pChild = dynamic_cast<CMDIChildWnd*>(pFrame))
            pChild->UseEmbeddingResources(pTemplate);
        m_pOpenFrame = pFrame;
        pTemplate->InitialUpdateFrame(pFrame, this, TRUE);
    }
    pApp->m_pMainWnd->ShowWindow(SW_SHOW);
    m_pOpenFrame->ActivateFrame();
    if (m_lpClientSite != NULL)
    {
        m_lpClientSite->ShowObject();
        m_lpClientSite->OnShowWindow(TRUE);
    }
    return S_OK;
}

BOOL COleServerDoc::SaveModified()
{
    // The container keeps the object: its changes go there without asking.
    if (m_bEmbedded && m_lpClientSite != NULL)
    {
        if (IsModified() && FAILED(m_lpClientSite->SaveObject()))
            return FALSE;
        return TRUE;
    }
    return COleDocument::SaveModified();
}

void COleServerDoc::OnCloseDocument()
{
    if (IsInPlaceActive())
        OnDeactivate();
    BOOL bWasOpen = m_pOpenFrame != NULL;
    m_pOpenFrame = NULL;
    // A program that OLE started shows its main window only while the
    // container's object is open in it.
    CWinApp* pApp = AfxGetApp();
    if (bWasOpen && !AfxOleGetUserCtrl() && pApp != NULL && pApp->m_pMainWnd != NULL)
        pApp->m_pMainWnd->ShowWindow(SW_HIDE);
    if (m_bEmbedded && m_pObject != NULL)
    {
        if (bWasOpen && m_lpClientSite != NULL)
            m_lpClientSite->OnShowWindow(FALSE);
        m_pObject->GetOleObject().NotifyClosed();
    }
    COleDocument::OnCloseDocument();
}
