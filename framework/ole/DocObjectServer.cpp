#include "framework/ole/DocObjectServer.h"

#include "framework/ole/OleIPFrameWnd.h"
#include "framework/ole/OleServerDoc.h"

CDocObjectServer::CDocObjectServer(COleServerDoc* pDoc, IOleDocumentSite* pDocSite)
    : m_pDoc(pDoc), m_lpDocSite(pDocSite), m_lpViewSite(NULL), m_rectView(),
      m_document(pDoc->GetControllingUnknown(), this), m_view(pDoc->GetControllingUnknown(), this)
{
    if (m_lpDocSite != NULL)
        m_lpDocSite->AddRef();
}

CDocObjectServer::~CDocObjectServer()
{
    Disconnect();
}

void CDocObjectServer::Disconnect()
{
    // The document left in-place activation when it closed.
    m_pDoc = NULL;
    if (m_lpViewSite != NULL)
        m_lpViewSite->Release();
    m_lpViewSite = NULL;
    if (m_lpDocSite != NULL)
        m_lpDocSite->Release();
    m_lpDocSite = NULL;
}

void CDocObjectServer::SetViewSite(IOleInPlaceSite* pIPSite)
{
    if (pIPSite == m_lpViewSite)
        return;
    if (m_pDoc != NULL && m_pDoc->IsInPlaceActive())
        m_pDoc->OnDeactivate();
    if (m_lpViewSite != NULL)
        m_lpViewSite->Release();
    m_lpViewSite = pIPSite;
    if (m_lpViewSite != NULL)
        m_lpViewSite->AddRef();
}

HRESULT CDocObjectServer::ActivateView(BOOL bUIActivate)
{
    if (m_pDoc == NULL)
        return CO_E_OBJNOTCONNECTED;
    if (m_lpViewSite == NULL)
        return E_UNEXPECTED;
    if (!m_pDoc->ActivateInPlace(m_lpViewSite, bUIActivate))
        return E_FAIL;
    // A rectangle the container gave before the view was shown holds.
    if (!IsRectEmpty(&m_rectView))
        m_pDoc->GetInPlaceFrame()->RepositionFrame(&m_rectView, &m_rectView);
    return S_OK;
}

HRESULT STDMETHODCALLTYPE CDocObjectServer::CDocument::CreateView(IOleInPlaceSite* pIPSite, IStream* pstm, DWORD,
                                                                 IOleDocumentView** ppView)
{
    if (ppView == NULL)
        return E_POINTER;
    *ppView = NULL;
    if (m_pServer->m_pDoc == NULL)
        return CO_E_OBJNOTCONNECTED;
    // The document has one view: a second one is refused while the first
    // has a site.
    if (m_pServer->m_lpViewSite != NULL && pIPSite != m_pServer->m_lpViewSite)
        return E_FAIL;
    if (pIPSite != NULL)
        m_pServer->SetViewSite(pIPSite);
    if (pstm != NULL)
        m_pServer->m_view.ApplyViewState(pstm);
    *ppView = &m_pServer->m_view;
    (*ppView)->AddRef();
    return S_OK;
}

HRESULT STDMETHODCALLTYPE CDocObjectServer::CDocument::GetDocMiscStatus(DWORD* pdwStatus)
{
    if (pdwStatus == NULL)
        return E_POINTER;
    // One view, no file of its own beyond what the container keeps.
    *pdwStatus = DOCMISC_CANTOPENEDIT | DOCMISC_NOFILESUPPORT;
    return m_pServer->m_pDoc != NULL ? S_OK : CO_E_OBJNOTCONNECTED;
}

HRESULT STDMETHODCALLTYPE CDocObjectServer::CDocument::EnumViews(IEnumOleDocumentViews** ppEnum,
                                                                IOleDocumentView** ppView)
{
    if (ppEnum == NULL || ppView == NULL)
        return E_POINTER;
    *ppEnum = NULL;
    *ppView = NULL;
    if (m_pServer->m_pDoc == NULL)
        return CO_E_OBJNOTCONNECTED;
    // The one view comes back directly, with no enumerator.
    *ppView = &m_pServer->m_view;
    (*ppView)->AddRef();
    return S_OK;
}

HRESULT STDMETHODCALLTYPE CDocObjectServer::CView::SetInPlaceSite(IOleInPlaceSite* pIPSite)
{
    if (m_pServer->m_pDoc == NULL)
        return CO_E_OBJNOTCONNECTED;
    m_pServer->SetViewSite(pIPSite);
    return S_OK;
}

HRESULT STDMETHODCALLTYPE CDocObjectServer::CView::GetInPlaceSite(IOleInPlaceSite** ppIPSite)
{
    if (ppIPSite == NULL)
        return E_POINTER;
    *ppIPSite = m_pServer->m_lpViewSite;
    if (*ppIPSite != NULL)
        (*ppIPSite)->AddRef();
    return S_OK;
}

HRESULT STDMETHODCALLTYPE CDocObjectServer::CView::GetDocument(IUnknown** ppunk)
{
    if (ppunk == NULL)
        return E_POINTER;
    *ppunk = NULL;
    if (m_pServer->m_pDoc == NULL)
        return CO_E_OBJNOTCONNECTED;
    *ppunk = m_pServer->m_pDoc->GetControllingUnknown();
    (*ppunk)->AddRef();
    return S_OK;
}

HRESULT STDMETHODCALLTYPE CDocObjectServer::CView::SetRect(LPRECT prcView)
{
    if (prcView == NULL)
        return E_POINTER;
    if (m_pServer->m_pDoc == NULL)
        return CO_E_OBJNOTCONNECTED;
    m_pServer->m_rectView = *prcView;
    if (COleIPFrameWnd* pFrame = m_pServer->m_pDoc->GetInPlaceFrame())
        pFrame->RepositionFrame(prcView, prcView);
    return S_OK;
}

HRESULT STDMETHODCALLTYPE CDocObjectServer::CView::GetRect(LPRECT prcView)
{
    if (prcView == NULL)
        return E_POINTER;
    *prcView = m_pServer->m_rectView;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE CDocObjectServer::CView::SetRectComplex(LPRECT, LPRECT, LPRECT, LPRECT)
{
    // The view has its own scroll bars.
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE CDocObjectServer::CView::Show(BOOL fShow)
{
    if (m_pServer->m_pDoc == NULL)
        return CO_E_OBJNOTCONNECTED;
    if (fShow)
        return m_pServer->ActivateView(FALSE);
    if (m_pServer->m_pDoc->IsInPlaceActive())
        m_pServer->m_pDoc->OnDeactivate();
    return S_OK;
}

HRESULT STDMETHODCALLTYPE CDocObjectServer::CView::UIActivate(BOOL fUIActivate)
{
    if (m_pServer->m_pDoc == NULL)
        return CO_E_OBJNOTCONNECTED;
    if (fUIActivate)
        return m_pServer->ActivateView(TRUE);
    m_pServer->m_pDoc->OnDeactivateUI(FALSE);
    return S_OK;
}

HRESULT STDMETHODCALLTYPE CDocObjectServer::CView::Open()
{
    if (m_pServer->m_pDoc == NULL)
        return CO_E_OBJNOTCONNECTED;
    return m_pServer->m_pDoc->OpenForContainer();
}

HRESULT STDMETHODCALLTYPE CDocObjectServer::CView::CloseView(DWORD)
{
    if (m_pServer->m_pDoc == NULL)
        return CO_E_OBJNOTCONNECTED;
    m_pServer->SetViewSite(NULL);
    return S_OK;
}

HRESULT STDMETHODCALLTYPE CDocObjectServer::CView::SaveViewState(IStream* pstm)
{
    // The view keeps no state of its own: nothing is written.
    return pstm != NULL ? S_OK : E_POINTER;
}

HRESULT STDMETHODCALLTYPE CDocObjectServer::CView::ApplyViewState(IStream* pstm)
{
    return pstm != NULL ? S_OK : E_POINTER;
}

HRESULT STDMETHODCALLTYPE CDocObjectServer::CView::Clone(IOleInPlaceSite*, IOleDocumentView** ppViewNew)
{
    if (ppViewNew != NULL)
        *ppViewNew = NULL;
    // The document has one view only.
    return E_NOTIMPL;
}
