// IPersistStorage of a server document: the container gives it the storage
// it lives in, to start new, load from and save to.
#pragma once

#include <objidl.h>

class COleServerDoc;

class COlePersistStorageImpl : public IPersistStorage
{
public:
    COlePersistStorageImpl(IUnknown* pOuter, COleServerDoc* pDoc);
    virtual ~COlePersistStorageImpl();

    void Disconnect();

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

    HRESULT STDMETHODCALLTYPE GetClassID(CLSID* pClassID) override;
    HRESULT STDMETHODCALLTYPE IsDirty() override;
    HRESULT STDMETHODCALLTYPE InitNew(IStorage* pStg) override;
    HRESULT STDMETHODCALLTYPE Load(IStorage* pStg) override;
    HRESULT STDMETHODCALLTYPE Save(IStorage* pStgSave, BOOL fSameAsLoad) override;
    HRESULT STDMETHODCALLTYPE SaveCompleted(IStorage* pStgNew) override;
    HRESULT STDMETHODCALLTYPE HandsOffStorage() override;

private:
    void HoldStorage(IStorage* pStg);

    IUnknown* m_pOuter;
    COleServerDoc* m_pDoc;
    IStorage* m_pStorage;     // the storage the document lives in, held
};
