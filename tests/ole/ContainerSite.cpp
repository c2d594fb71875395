#include "tests/ole/ContainerSite.h"

#include "framework/docview/ScopedInterface.h"
#include "tests/ole/ContainerFrame.h"

namespace oletest
{

HRESULT STDMETHODCALLTYPE CContainerSite::QueryInterface(REFIID riid, void** ppv)
{
    if (ppv == NULL)
        return E_POINTER;
    *ppv = NULL;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IOleClientSite))
        *ppv = static_cast<IOleClientSite*>(this);
    else if (m_pFrame != NULL && (IsEqualIID(riid, IID_IOleWindow) || IsEqualIID(riid, IID_IOleInPlaceSite)))
        *ppv = static_cast<IOleInPlaceSite*>(this);
    else if (m_bDocuments && IsEqualIID(riid, IID_IOleDocumentSite))
        *ppv = static_cast<IOleDocumentSite*>(this);
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

HRESULT STDMETHODCALLTYPE CContainerSite::OnShowWindow(BOOL fShow)
{
    ++(fShow ? m_nShown : m_nHidden);
    return S_OK;
}

HRESULT STDMETHODCALLTYPE CContainerSite::ActivateMe(IOleDocumentView* pViewToActivate)
{
    ++m_nActivateMe;
    if (m_pObject == NULL || m_pView != NULL)
        return E_UNEXPECTED;
    HRESULT hr = S_OK;
    if (pViewToActivate != NULL)
    {
        m_pView = pViewToActivate;
        m_pView->AddRef();
        hr = m_pView->SetInPlaceSite(this);
    }
    else
    {
        CScopedInterface<IOleDocument> document;
        hr = m_pObject->QueryInterface(IID_IOleDocument, reinterpret_cast<void**>(&document));
        if (SUCCEEDED(hr))
            hr = document->CreateView(this, NULL, 0, &m_pView);
    }
    if (SUCCEEDED(hr))
        hr = m_pView->SetRect(&m_rectPos);
    if (SUCCEEDED(hr))
        hr = m_pView->Show(TRUE);
    if (SUCCEEDED(hr))
        hr = m_pView->UIActivate(TRUE);
    return hr;
}

void CContainerSite::AllowInPlace(CContainerFrame* pFrame, HWND hWnd, const RECT& rectPos)
{
    m_pFrame = pFrame;
    m_hWnd = hWnd;
    m_rectPos = rectPos;
}

HRESULT STDMETHODCALLTYPE CContainerSite::GetWindow(HWND* phwnd)
{
    if (phwnd == NULL)
        return E_POINTER;
    *phwnd = m_hWnd;
    return m_hWnd != NULL ? S_OK : E_FAIL;
}

HRESULT STDMETHODCALLTYPE CContainerSite::CanInPlaceActivate()
{
    return m_pFrame != NULL ? S_OK : S_FALSE;
}

HRESULT STDMETHODCALLTYPE CContainerSite::OnInPlaceActivate()
{
    ++m_nInPlaceActivate;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE CContainerSite::OnUIActivate()
{
    ++m_nUIActivate;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE CContainerSite::GetWindowContext(IOleInPlaceFrame** ppFrame, IOleInPlaceUIWindow** ppDoc,
                                                           LPRECT lprcPosRect, LPRECT lprcClipRect,
                                                           LPOLEINPLACEFRAMEINFO lpFrameInfo)
{
    if (ppFrame == NULL || ppDoc == NULL || lprcPosRect == NULL || lprcClipRect == NULL || lpFrameInfo == NULL)
        return E_POINTER;
    *ppFrame = m_pFrame;
    m_pFrame->AddRef();
    // The frame is the document window too.
    *ppDoc = NULL;
    *lprcPosRect = m_rectPos;
    ::GetClientRect(m_hWnd, lprcClipRect);
    lpFrameInfo->fMDIApp = FALSE;
    lpFrameInfo->hwndFrame = m_pFrame->GetFrameWindow();
    lpFrameInfo->haccel = NULL;
    lpFrameInfo->cAccelEntries = 0;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE CContainerSite::OnUIDeactivate(BOOL)
{
    ++m_nUIDeactivate;
    // The container takes its border and menu back.
    m_pFrame->SetBorderSpace(NULL);
    m_pFrame->SetMenu(NULL, NULL, NULL);
    return S_OK;
}

HRESULT STDMETHODCALLTYPE CContainerSite::OnInPlaceDeactivate()
{
    ++m_nInPlaceDeactivate;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE CContainerSite::OnPosRectChange(LPCRECT lprcPosRect)
{
    if (lprcPosRect == NULL)
        return E_POINTER;
    ++m_nPosRectChanges;
    m_rectAsked = *lprcPosRect;
    return S_OK;
}

} // namespace oletest
