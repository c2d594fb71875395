#include "tests/ole/ContainerSite.h"

#include "framework/docview/ScopedInterface.h"

namespace oletest
{

HRESULT STDMETHODCALLTYPE CContainerSite::QueryInterface(REFIID riid, void** ppv)
{
    if (ppv == NULL)
        return E_POINTER;
    *ppv = NULL;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IOleClientSite))
        *ppv = static_cast<IOleClientSite*>(this);
    if (*ppv == NULL)
        return E_NOINTERFACE;
    AddRef();
    return S_OK;
}

ULONG STDMETHODCALLTYPE CContainerSite::AddRef()
{
    return InterlockedIncrement(&m_cRef);
}

ULONG STDMETHODCALLTYPE CContainerSite::Release()
{
    LONG n = InterlockedDecrement(&m_cRef);
    if (n == 0)
        delete this;
    return (ULONG)n;
}

HRESULT STDMETHODCALLTYPE CContainerSite::SaveObject()
{
    if (m_pObject == NULL)
        return E_FAIL;
    CScopedInterface<IPersistStorage> persist;
    HRESULT hr = m_pObject->QueryInterface(IID_IPersistStorage, reinterpret_cast<void**>(&persist));
    if (SUCCEEDED(hr))
        hr = OleSave(persist, m_pStorage, TRUE);
    if (SUCCEEDED(hr))
        hr = persist->SaveCompleted(NULL);
    if (SUCCEEDED(hr))
        ++m_nSaves;
    return hr;
}

HRESULT STDMETHODCALLTYPE CContainerSite::GetMoniker(DWORD, DWORD, IMoniker** ppmk)
{
    if (ppmk != NULL)
        *ppmk = NULL;
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE CContainerSite::GetContainer(IOleContainer** ppContainer)
{
    if (ppContainer != NULL)
        *ppContainer = NULL;
    return E_NOINTERFACE;
}

} // namespace oletest
