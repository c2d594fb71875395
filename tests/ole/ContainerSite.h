// A small OLE container of our own for the tests: a client site that saves
// its object into the storage it was given and, given the container's
// window, lets the object activate in place there, counting what the
// object tells it.
#pragma once

#include <ole2.h>
#include <docobj.h>

namespace oletest
{

class CContainerFrame;

class CContainerSite : public IOleClientSite, public IOleInPlaceSite, public IOleDocumentSite
{
public:
    explicit CContainerSite(IStorage* pStorage) : m_cRef(1), m_pStorage(pStorage), m_pObject(NULL) {}
    virtual ~CContainerSite() = default;

    // The object whose saves go to the storage.
    void SetObject(IOleObject* pObject) { m_pObject = pObject; }
    int SaveCount() const { return m_nSaves; }

    // In-place activation in hWnd (a child of pFrame's window) at the
    // object rectangle rectPos; without it the site offers none.
    void AllowInPlace(CContainerFrame* pFrame, HWND hWnd, const RECT& rectPos);
    HWND GetSiteWindow() const { return m_hWnd; }
    // The site also hosts documents: asked to activate one, it makes the
    // object's view (kept in m_pView) and shows it at the object rectangle.
    void HostDocuments() { m_bDocuments = TRUE; }
    IOleDocumentView* m_pView = NULL;
    int m_nActivateMe = 0;
    const RECT& GetPosRect() const { return m_rectPos; }

    // What the object told the site.
    int m_nInPlaceActivate = 0;
    int m_nUIActivate = 0;
    int m_nUIDeactivate = 0;
    int m_nInPlaceDeactivate = 0;
    int m_nShown = 0;
    int m_nHidden = 0;
    int m_nPosRectChanges = 0;
    RECT m_rectAsked = { 0, 0, 0, 0 };

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

    // IOleClientSite
    HRESULT STDMETHODCALLTYPE SaveObject() override;
    HRESULT STDMETHODCALLTYPE GetMoniker(DWORD, DWORD, IMoniker** ppmk) override;
    HRESULT STDMETHODCALLTYPE GetContainer(IOleContainer** ppContainer) override;
    HRESULT STDMETHODCALLTYPE ShowObject() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnShowWindow(BOOL fShow) override;
    HRESULT STDMETHODCALLTYPE RequestNewObjectLayout() override { return E_NOTIMPL; }

    // IOleInPlaceSite
    HRESULT STDMETHODCALLTYPE GetWindow(HWND* phwnd) override;
    HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE CanInPlaceActivate() override;
    HRESULT STDMETHODCALLTYPE OnInPlaceActivate() override;
    HRESULT STDMETHODCALLTYPE OnUIActivate() override;
    HRESULT STDMETHODCALLTYPE GetWindowContext(IOleInPlaceFrame** ppFrame, IOleInPlaceUIWindow** ppDoc,
                                               LPRECT lprcPosRect, LPRECT lprcClipRect,
                                               LPOLEINPLACEFRAMEINFO lpFrameInfo) override;
    HRESULT STDMETHODCALLTYPE Scroll(SIZE) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE OnUIDeactivate(BOOL) override;
    HRESULT STDMETHODCALLTYPE OnInPlaceDeactivate() override;
    HRESULT STDMETHODCALLTYPE DiscardUndoState() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE DeactivateAndUndo() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE OnPosRectChange(LPCRECT lprcPosRect) override;

    // IOleDocumentSite
    HRESULT STDMETHODCALLTYPE ActivateMe(IOleDocumentView* pViewToActivate) override;

private:
    LONG m_cRef;
    IStorage* m_pStorage;
    IOleObject* m_pObject;
    int m_nSaves = 0;
    CContainerFrame* m_pFrame = NULL;
    HWND m_hWnd = NULL;
    RECT m_rectPos = { 0, 0, 0, 0 };
    BOOL m_bDocuments = FALSE;
};

} // namespace oletest
