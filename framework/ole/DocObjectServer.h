// CDocObjectServer: a server document as an active document.  A container
// that hosts documents rather than objects reaches the document through
// IOleDocument, makes its one view with CreateView and shows the view in an
// in-place site of its own through IOleDocumentView; showing and activating
// the view activates the document in place there.  Both interfaces belong
// to the document's COM object, which owns this server and disconnects it
// when the document goes.
#pragma once

#include <docobj.h>

#include "framework/ole/OleInnerInterface.h"

class COleServerDoc;

class CDocObjectServer
{
public:
    // The interfaces belong to the document's COM object; pDocSite, the
    // container's document site, may be NULL.
    CDocObjectServer(COleServerDoc* pDoc, IOleDocumentSite* pDocSite);
    virtual ~CDocObjectServer();
    CDocObjectServer(const CDocObjectServer&) = delete;
    CDocObjectServer& operator=(const CDocObjectServer&) = delete;

    IOleDocument* GetDocument() { return &m_document; }
    IOleDocumentView* GetView() { return &m_view; }
    IOleDocumentSite* GetDocumentSite() const { return m_lpDocSite; }
    // The document goes: the view leaves its site, and every later call is
    // answered as disconnected.
    void Disconnect();

private:
    class CDocument : public COleInnerInterface<IOleDocument>
    {
    public:
        CDocument(IUnknown* pOuter, CDocObjectServer* pServer)
            : COleInnerInterface<IOleDocument>(pOuter), m_pServer(pServer)
        {
        }
        HRESULT STDMETHODCALLTYPE CreateView(IOleInPlaceSite* pIPSite, IStream* pstm, DWORD dwReserved,
                                             IOleDocumentView** ppView) override;
        HRESULT STDMETHODCALLTYPE GetDocMiscStatus(DWORD* pdwStatus) override;
        HRESULT STDMETHODCALLTYPE EnumViews(IEnumOleDocumentViews** ppEnum, IOleDocumentView** ppView) override;

    private:
        CDocObjectServer* m_pServer;
    };

    class CView : public COleInnerInterface<IOleDocumentView>
    {
    public:
        CView(IUnknown* pOuter, CDocObjectServer* pServer)
            : COleInnerInterface<IOleDocumentView>(pOuter), m_pServer(pServer)
        {
        }
        HRESULT STDMETHODCALLTYPE SetInPlaceSite(IOleInPlaceSite* pIPSite) override;
        HRESULT STDMETHODCALLTYPE GetInPlaceSite(IOleInPlaceSite** ppIPSite) override;
        HRESULT STDMETHODCALLTYPE GetDocument(IUnknown** ppunk) override;
        HRESULT STDMETHODCALLTYPE SetRect(LPRECT prcView) override;
        HRESULT STDMETHODCALLTYPE GetRect(LPRECT prcView) override;
        HRESULT STDMETHODCALLTYPE SetRectComplex(LPRECT prcView, LPRECT prcHScroll, LPRECT prcVScroll,
                                                 LPRECT prcSizeBox) override;
        HRESULT STDMETHODCALLTYPE Show(BOOL fShow) override;
        HRESULT STDMETHODCALLTYPE UIActivate(BOOL fUIActivate) override;
        HRESULT STDMETHODCALLTYPE Open() override;
        HRESULT STDMETHODCALLTYPE CloseView(DWORD dwReserved) override;
        HRESULT STDMETHODCALLTYPE SaveViewState(IStream* pstm) override;
        HRESULT STDMETHODCALLTYPE ApplyViewState(IStream* pstm) override;
        HRESULT STDMETHODCALLTYPE Clone(IOleInPlaceSite* pIPSiteNew, IOleDocumentView** ppViewNew) override;

    private:
        CDocObjectServer* m_pServer;
    };

    // The view's site becomes pIPSite (none when NULL), leaving in-place
    // activation in the old one first.
    void SetViewSite(IOleInPlaceSite* pIPSite);
    // Activates the document in place in the view's site, with its user
    // interface when bUIActivate.
    HRESULT ActivateView(BOOL bUIActivate);

    COleServerDoc* m_pDoc;
    IOleDocumentSite* m_lpDocSite;
    IOleInPlaceSite* m_lpViewSite;
    RECT m_rectView;
    CDocument m_document;
    CView m_view;
};
