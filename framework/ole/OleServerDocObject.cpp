#include "framework/ole/OleServerDocObject.h"

#include "framework/ole/DispatchMap.h"
#include "framework/ole/DocObjectServer.h"
#include "framework/ole/OleServerDoc.h"
#include "framework/ole/OleServerItem.h"

namespace
{

// An ANSI path from a client's wide one; FALSE when it does not fit.
BOOL NarrowPath(LPCOLESTR pszWide, CString& strPath)
{
    char szPath[MAX_PATH * 2] = "";
    if (pszWide == NULL || pszWide[0] == 0
        || !WideCharToMultiByte(CP_ACP, 0, pszWide, -1, szPath, sizeof(szPath), NULL, NULL))
        return FALSE;
    strPath = szPath;
    return TRUE;
}

} // namespace

COleServerDocObject::COleServerDocObject(COleServerDoc* pDoc)
    : m_cRef(1), m_pDoc(pDoc), m_dispatch(GetUnknown(), pDoc), m_oleObject(GetUnknown(), pDoc),
      m_persistStorage(GetUnknown(), pDoc), m_dataObject(GetUnknown(), pDoc),
      m_inPlaceObject(GetUnknown(), pDoc), m_inPlaceActiveObject(GetUnknown(), pDoc), m_pDocServer(NULL)
{
}

COleServerDocObject::~COleServerDocObject()
{
    delete m_pDocServer;
}

CDocObjectServer* COleServerDocObject::GetDocObjectServer(IOleDocumentSite* pDocSite)
{
    if (m_pDocServer != NULL || m_pDoc == NULL)
        return m_pDocServer;
    IOleDocumentSite* lpSite = pDocSite;
    IOleClientSite* lpClientSite = m_pDoc->GetClientSite();
    if (lpSite == NULL && lpClientSite != NULL
        && FAILED(lpClientSite->QueryInterface(IID_IOleDocumentSite, reinterpret_cast<void**>(&lpSite))))
        lpSite = NULL;
    m_pDocServer = m_pDoc->GetDocObjectServer(lpSite);
    if (lpSite != NULL && lpSite != pDocSite)
        lpSite->Release();
    return m_pDocServer;
}

void COleServerDocObject::Detach()
{
    m_pDoc = NULL;
    m_dispatch.Disconnect();
    m_oleObject.Disconnect();
    m_persistStorage.Disconnect();
    m_dataObject.Disconnect();
    m_inPlaceObject.Disconnect();
    m_inPlaceActiveObject.Disconnect();
    if (m_pDocServer != NULL)
        m_pDocServer->Disconnect();
    // Clients still connected lose their proxies' references here.
    if (m_cRef > 1)
        CoDisconnectObject(GetUnknown(), 0);
    Release();
}

HRESULT STDMETHODCALLTYPE COleServerDocObject::QueryInterface(REFIID riid, void** ppv)
{
    if (ppv == NULL)
        return E_POINTER;
    *ppv = NULL;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IPersist)
        || IsEqualIID(riid, IID_IPersistFile))
        *ppv = static_cast<IPersistFile*>(this);
    else if (m_pDoc != NULL && m_pDoc->IsAutomationEnabled()
             && (IsEqualIID(riid, IID_IDispatch)
                 || AfxIsMappedInterface(m_pDoc->GetInterfaceMap(), riid)))
        *ppv = &m_dispatch;
    else if (m_pDoc != NULL && m_pDoc->GetEmbeddedItem() != NULL)
    {
        if (IsEqualIID(riid, IID_IOleObject))
            *ppv = &m_oleObject;
        else if (IsEqualIID(riid, IID_IPersistStorage))
            *ppv = &m_persistStorage;
        else if (IsEqualIID(riid, IID_IDataObject))
            *ppv = &m_dataObject;
        else if (IsEqualIID(riid, IID_IOleWindow) || IsEqualIID(riid, IID_IOleInPlaceObject))
            *ppv = static_cast<IOleInPlaceObject*>(&m_inPlaceObject);
        else if (IsEqualIID(riid, IID_IOleInPlaceActiveObject))
            *ppv = static_cast<IOleInPlaceActiveObject*>(&m_inPlaceActiveObject);
        else if (IsEqualIID(riid, IID_IOleDocument) && GetDocObjectServer() != NULL)
            *ppv = m_pDocServer->GetDocument();
        else if (IsEqualIID(riid, IID_IOleDocumentView) && GetDocObjectServer() != NULL)
            *ppv = m_pDocServer->GetView();
    }
    if (*ppv == NULL)
        return E_NOINTERFACE;
    AddRef();
    return S_OK;
}

ULONG STDMETHODCALLTYPE COleServerDocObject::AddRef()
{
    return InterlockedIncrement(&m_cRef);
}

ULONG STDMETHODCALLTYPE COleServerDocObject::Release()
{
    LONG n = InterlockedDecrement(&m_cRef);
    if (n == 0)
    {
        delete this;
        return 0;
    }
    // Only the document's own reference is left: the clients are gone.  The
    // document may close, detaching and so deleting this object.
    if (n == 1 && m_pDoc != NULL)
    {
        m_pDoc->OnFinalRelease();
        return 1;
    }
    return (ULONG)n;
}

HRESULT STDMETHODCALLTYPE COleServerDocObject::GetClassID(CLSID* pClassID)
{
    if (pClassID == NULL)
        return E_POINTER;
    if (m_pDoc == NULL)
        return CO_E_OBJNOTCONNECTED;
    *pClassID = m_pDoc->GetServedClass();
    return S_OK;
}

HRESULT STDMETHODCALLTYPE COleServerDocObject::IsDirty()
{
    if (m_pDoc == NULL)
        return CO_E_OBJNOTCONNECTED;
    return m_pDoc->IsModified() ? S_OK : S_FALSE;
}

HRESULT STDMETHODCALLTYPE COleServerDocObject::Load(LPCOLESTR pszFileName, DWORD)
{
    if (m_pDoc == NULL)
        return CO_E_OBJNOTCONNECTED;
    CString strPath;
    if (!NarrowPath(pszFileName, strPath))
        return E_INVALIDARG;
    // A failed open leaves an empty document, as the framework's open does.
    if (!m_pDoc->OnOpenDocument(strPath))
        return STG_E_READFAULT;
    m_pDoc->SetPathName(strPath, FALSE);
    return S_OK;
}

HRESULT STDMETHODCALLTYPE COleServerDocObject::Save(LPCOLESTR pszFileName, BOOL fRemember)
{
    if (m_pDoc == NULL)
        return CO_E_OBJNOTCONNECTED;
    CString strPath = m_pDoc->GetPathName();
    if (pszFileName != NULL && !NarrowPath(pszFileName, strPath))
        return E_INVALIDARG;
    if (strPath.IsEmpty())
        return E_INVALIDARG;
    // A copy saved elsewhere leaves the document's own state as it was.
    BOOL bModified = m_pDoc->IsModified();
    if (!m_pDoc->OnSaveDocument(strPath))
        return STG_E_WRITEFAULT;
    if (pszFileName != NULL && fRemember)
        m_pDoc->SetPathName(strPath, FALSE);
    else if (pszFileName != NULL)
        m_pDoc->SetModifiedFlag(bModified);
    return S_OK;
}

HRESULT STDMETHODCALLTYPE COleServerDocObject::SaveCompleted(LPCOLESTR)
{
    return m_pDoc != NULL ? S_OK : CO_E_OBJNOTCONNECTED;
}

HRESULT STDMETHODCALLTYPE COleServerDocObject::GetCurFile(LPOLESTR* ppszFileName)
{
    if (ppszFileName == NULL)
        return E_POINTER;
    *ppszFileName = NULL;
    if (m_pDoc == NULL)
        return CO_E_OBJNOTCONNECTED;
    CString strPath = m_pDoc->GetPathName();
    int cch = MultiByteToWideChar(CP_ACP, 0, strPath, -1, NULL, 0);
    *ppszFileName = static_cast<LPOLESTR>(CoTaskMemAlloc(cch * sizeof(WCHAR)));
    if (*ppszFileName == NULL)
        return E_OUTOFMEMORY;
    MultiByteToWideChar(CP_ACP, 0, strPath, -1, *ppszFileName, cch);
    return strPath.IsEmpty() ? S_FALSE : S_OK;
}
