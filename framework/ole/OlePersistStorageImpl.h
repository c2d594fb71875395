// IPersistStorage of a server document: the container gives it the storage
// it lives in, to start new, load from and save to.
#pragma once

#include <objidl.h>

#include "framework/ole/OleInnerInterface.h"

class COleServerDoc;

class COlePersistStorageImpl : public COleInnerInterface<IPersistStorage>
{
public:
    COlePersistStorageImpl(IUnknown* pOuter, COleServerDoc* pDoc);
    ~COlePersistStorageImpl() override;

    void Disconnect();

    HRESULT STDMETHODCALLTYPE GetClassID(CLSID* pClassID) override;
    HRESULT STDMETHODCALLTYPE IsDirty() override;
    HRESULT STDMETHODCALLTYPE InitNew(IStorage* pStg) override;
    HRESULT STDMETHODCALLTYPE Load(IStorage* pStg) override;
    HRESULT STDMETHODCALLTYPE Save(IStorage* pStgSave, BOOL fSameAsLoad) override;
    HRESULT STDMETHODCALLTYPE SaveCompleted(IStorage* pStgNew) override;
    HRESULT STDMETHODCALLTYPE HandsOffStorage() override;

private:
    void HoldStorage(IStorage* pStg);

    COleServerDoc* m_pDoc;
    IStorage* m_pStorage;     // the storage the document lives in, held
};
