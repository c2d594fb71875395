// A small OLE container of our own for the tests: a client site that saves
// its object into the storage it was given.
#pragma once

#include <ole2.h>

namespace oletest
{

class CContainerSite : public IOleClientSite
{
public:
    explicit CContainerSite(IStorage* pStorage) : m_cRef(1), m_pStorage(pStorage), m_pObject(NULL) {}
    virtual ~CContainerSite() = default;

    // The object whose saves go to the storage.
    void SetObject(IOleObject* pObject) { m_pObject = pObject; }
    int SaveCount() const { return m_nSaves; }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

    HRESULT STDMETHODCALLTYPE SaveObject() override;
    HRESULT STDMETHODCALLTYPE GetMoniker(DWORD, DWORD, IMoniker** ppmk) override;
    HRESULT STDMETHODCALLTYPE GetContainer(IOleContainer** ppContainer) override;
    HRESULT STDMETHODCALLTYPE ShowObject() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnShowWindow(BOOL) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE RequestNewObjectLayout() override { return E_NOTIMPL; }

private:
    LONG m_cRef;
    IStorage* m_pStorage;
    IOleObject* m_pObject;
    int m_nSaves = 0;
};

} // namespace oletest
