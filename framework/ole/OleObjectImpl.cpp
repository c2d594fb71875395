#include "framework/ole/OleObjectImpl.h"

#include "framework/ole/OleServerDoc.h"
#include "framework/ole/OleServerItem.h"

COleObjectImpl::COleObjectImpl(IUnknown* pOuter, COleServerDoc* pDoc)
    : COleInnerInterface<IOleObject>(pOuter), m_pDoc(pDoc), m_pAdviseHolder(NULL)
{
}

COleObjectImpl::~COleObjectImpl()
{
    if (m_pAdviseHolder != NULL)
        m_pAdviseHolder->Release();
}

void COleObjectImpl::Disconnect()
{
    m_pDoc = NULL;
}

void COleObjectImpl::NotifySaved()
{
    if (m_pAdviseHolder != NULL)
        m_pAdviseHolder->SendOnSave();
}

void COleObjectImpl::NotifyClosed()
{
    if (m_pAdviseHolder != NULL)
        m_pAdviseHolder->SendOnClose();
}

HRESULT STDMETHODCALLTYPE COleObjectImpl::SetClientSite(IOleClientSite* pClientSite)
{
    if (m_pDoc == NULL)
        return CO_E_OBJNOTCONNECTED;
    m_pDoc->SetClientSite(pClientSite);
    return S_OK;
}

HRESULT STDMETHODCALLTYPE COleObjectImpl::GetClientSite(IOleClientSite** ppClientSite)
{
    if (ppClientSite == NULL)
        return E_POINTER;
    *ppClientSite = m_pDoc != NULL ? m_pDoc->GetClientSite() : NULL;
    if (*ppClientSite != NULL)
        (*ppClientSite)->AddRef();
    return S_OK;
}

HRESULT STDMETHODCALLTYPE COleObjectImpl::SetHostNames(LPCOLESTR, LPCOLESTR)
{
    return m_pDoc != NULL ? S_OK : CO_E_OBJNOTCONNECTED;
}

HRESULT STDMETHODCALLTYPE COleObjectImpl::Close(DWORD dwSaveOption)
{
    if (m_pDoc == NULL)
        return CO_E_OBJNOTCONNECTED;
    HRESULT hr = m_pDoc->OnCloseEmbedding(dwSaveOption);
    if (SUCCEEDED(hr))
        NotifyClosed();
    return hr;
}

HRESULT STDMETHODCALLTYPE COleObjectImpl::SetMoniker(DWORD, IMoniker*)
{
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE COleObjectImpl::GetMoniker(DWORD, DWORD, IMoniker** ppmk)
{
    if (ppmk != NULL)
        *ppmk = NULL;
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE COleObjectImpl::InitFromData(IDataObject*, BOOL, DWORD)
{
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE COleObjectImpl::GetClipboardData(DWORD, IDataObject** ppDataObject)
{
    if (ppDataObject != NULL)
        *ppDataObject = NULL;
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE COleObjectImpl::DoVerb(LONG iVerb, LPMSG, IOleClientSite* pActiveSite,
                                                 LONG, HWND hwndParent, LPCRECT lprcPosRect)
{
    if (m_pDoc == NULL)
        return CO_E_OBJNOTCONNECTED;
    return m_pDoc->OnDoVerb(iVerb, pActiveSite, hwndParent, lprcPosRect);
}

HRESULT STDMETHODCALLTYPE COleObjectImpl::EnumVerbs(IEnumOLEVERB** ppEnumOleVerb)
{
    if (ppEnumOleVerb != NULL)
        *ppEnumOleVerb = NULL;
    return OLE_S_USEREG;
}

HRESULT STDMETHODCALLTYPE COleObjectImpl::Update()
{
    return m_pDoc != NULL ? S_OK : CO_E_OBJNOTCONNECTED;
}

HRESULT STDMETHODCALLTYPE COleObjectImpl::IsUpToDate()
{
    return m_pDoc != NULL ? S_OK : CO_E_OBJNOTCONNECTED;
}

HRESULT STDMETHODCALLTYPE COleObjectImpl::GetUserClassID(CLSID* pClsid)
{
    if (pClsid == NULL)
        return E_POINTER;
    if (m_pDoc == NULL)
        return CO_E_OBJNOTCONNECTED;
    *pClsid = m_pDoc->GetServedClass();
    return S_OK;
}

HRESULT STDMETHODCALLTYPE COleObjectImpl::GetUserType(DWORD, LPOLESTR* pszUserType)
{
    if (pszUserType != NULL)
        *pszUserType = NULL;
    return OLE_S_USEREG;
}

HRESULT STDMETHODCALLTYPE COleObjectImpl::SetExtent(DWORD dwDrawAspect, SIZEL*)
{
    if (m_pDoc == NULL)
        return CO_E_OBJNOTCONNECTED;
    // The object's size follows its sheet; a container cannot set it.
    return dwDrawAspect == DVASPECT_CONTENT ? E_FAIL : DV_E_DVASPECT;
}

HRESULT STDMETHODCALLTYPE COleObjectImpl::GetExtent(DWORD dwDrawAspect, SIZEL* psizel)
{
    if (psizel == NULL)
        return E_POINTER;
    if (m_pDoc == NULL)
        return CO_E_OBJNOTCONNECTED;
    COleServerItem* pItem = m_pDoc->GetEmbeddedItem();
    CSize size(0, 0);
    if (pItem == NULL || !pItem->OnGetExtent((DVASPECT)dwDrawAspect, size))
        return E_FAIL;
    psizel->cx = size.cx;
    psizel->cy = size.cy;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE COleObjectImpl::Advise(IAdviseSink* pAdvSink, DWORD* pdwConnection)
{
    if (m_pDoc == NULL)
        return CO_E_OBJNOTCONNECTED;
    if (m_pAdviseHolder == NULL && FAILED(CreateOleAdviseHolder(&m_pAdviseHolder)))
        return E_OUTOFMEMORY;
    return m_pAdviseHolder->Advise(pAdvSink, pdwConnection);
}

HRESULT STDMETHODCALLTYPE COleObjectImpl::Unadvise(DWORD dwConnection)
{
    if (m_pAdviseHolder == NULL)
        return OLE_E_NOCONNECTION;
    return m_pAdviseHolder->Unadvise(dwConnection);
}

HRESULT STDMETHODCALLTYPE COleObjectImpl::EnumAdvise(IEnumSTATDATA** ppenumAdvise)
{
    if (m_pAdviseHolder == NULL)
    {
        if (ppenumAdvise != NULL)
            *ppenumAdvise = NULL;
        return E_FAIL;
    }
    return m_pAdviseHolder->EnumAdvise(ppenumAdvise);
}

HRESULT STDMETHODCALLTYPE COleObjectImpl::GetMiscStatus(DWORD, DWORD* pdwStatus)
{
    if (pdwStatus != NULL)
        *pdwStatus = 0;
    return OLE_S_USEREG;
}

HRESULT STDMETHODCALLTYPE COleObjectImpl::SetColorScheme(LOGPALETTE*)
{
    return E_NOTIMPL;
}
