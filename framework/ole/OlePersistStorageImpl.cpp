#include "framework/ole/OlePersistStorageImpl.h"

#include "framework/ole/OleServerDoc.h"

COlePersistStorageImpl::COlePersistStorageImpl(IUnknown* pOuter, COleServerDoc* pDoc)
    : COleInnerInterface<IPersistStorage>(pOuter), m_pDoc(pDoc), m_pStorage(NULL)
{
}

COlePersistStorageImpl::~COlePersistStorageImpl()
{
    HoldStorage(NULL);
}

void COlePersistStorageImpl::Disconnect()
{
    m_pDoc = NULL;
    HoldStorage(NULL);
}

void COlePersistStorageImpl::HoldStorage(IStorage* pStg)
{
    if (pStg != NULL)
        pStg->AddRef();
    if (m_pStorage != NULL)
        m_pStorage->Release();
    m_pStorage = pStg;
}

HRESULT STDMETHODCALLTYPE COlePersistStorageImpl::GetClassID(CLSID* pClassID)
{
    if (pClassID == NULL)
        return E_POINTER;
    if (m_pDoc == NULL)
        return CO_E_OBJNOTCONNECTED;
    *pClassID = m_pDoc->GetServedClass();
    return S_OK;
}

HRESULT STDMETHODCALLTYPE COlePersistStorageImpl::IsDirty()
{
    if (m_pDoc == NULL)
        return CO_E_OBJNOTCONNECTED;
    return m_pDoc->IsModified() ? S_OK : S_FALSE;
}

HRESULT STDMETHODCALLTYPE COlePersistStorageImpl::InitNew(IStorage* pStg)
{
    if (m_pDoc == NULL)
        return CO_E_OBJNOTCONNECTED;
    if (pStg == NULL)
        return E_INVALIDARG;
    if (!m_pDoc->OnNewEmbedding(pStg))
        return E_FAIL;
    HoldStorage(pStg);
    return S_OK;
}

HRESULT STDMETHODCALLTYPE COlePersistStorageImpl::Load(IStorage* pStg)
{
    if (m_pDoc == NULL)
        return CO_E_OBJNOTCONNECTED;
    if (pStg == NULL)
        return E_INVALIDARG;
    if (!m_pDoc->OnOpenEmbedding(pStg))
        return STG_E_READFAULT;
    HoldStorage(pStg);
    return S_OK;
}

HRESULT STDMETHODCALLTYPE COlePersistStorageImpl::Save(IStorage* pStgSave, BOOL fSameAsLoad)
{
    if (m_pDoc == NULL)
        return CO_E_OBJNOTCONNECTED;
    IStorage* pStg = pStgSave != NULL ? pStgSave : (fSameAsLoad ? m_pStorage : NULL);
    if (pStg == NULL)
        return E_INVALIDARG;
    return m_pDoc->OnSaveEmbedding(pStg) ? S_OK : STG_E_WRITEFAULT;
}

HRESULT STDMETHODCALLTYPE COlePersistStorageImpl::SaveCompleted(IStorage* pStgNew)
{
    if (m_pDoc == NULL)
        return CO_E_OBJNOTCONNECTED;
    if (pStgNew != NULL)
        HoldStorage(pStgNew);
    m_pDoc->SetModifiedFlag(FALSE);
    return S_OK;
}

HRESULT STDMETHODCALLTYPE COlePersistStorageImpl::HandsOffStorage()
{
    HoldStorage(NULL);
    return S_OK;
}
