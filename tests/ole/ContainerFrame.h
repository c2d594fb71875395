// The test container's frame: a real top-level window with a document
// window below its border space, answering an object active in place as
// IOleInPlaceFrame: the border it asks for moves the document window, the
// menu it hands over is shown, the active object is kept.
#pragma once

#include <ole2.h>

namespace oletest
{

class CContainerFrame : public IOleInPlaceFrame
{
public:
    CContainerFrame();
    virtual ~CContainerFrame();

    // Creates the frame window (width x height, shown) and its document
    // window; FALSE when either cannot be made.
    BOOL Create(int cx, int cy);
    void Destroy();
    HWND GetFrameWindow() const { return m_hWndFrame; }
    HWND GetDocumentWindow() const { return m_hWndDoc; }

    // What the object did to the frame.
    BORDERWIDTHS m_border = { 0, 0, 0, 0 };
    int m_nActiveObjects = 0;      // SetActiveObject with an object
    int m_nActiveObjectsGone = 0;  // SetActiveObject(NULL)
    IOleInPlaceActiveObject* m_pActiveObject = NULL;
    HMENU m_hMenuOwn = NULL;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

    HRESULT STDMETHODCALLTYPE GetWindow(HWND* phwnd) override;
    HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetBorder(LPRECT lprectBorder) override;
    HRESULT STDMETHODCALLTYPE RequestBorderSpace(LPCBORDERWIDTHS pborderwidths) override;
    HRESULT STDMETHODCALLTYPE SetBorderSpace(LPCBORDERWIDTHS pborderwidths) override;
    HRESULT STDMETHODCALLTYPE SetActiveObject(IOleInPlaceActiveObject* pActiveObject,
                                              LPCOLESTR pszObjName) override;
    HRESULT STDMETHODCALLTYPE InsertMenus(HMENU hmenuShared, LPOLEMENUGROUPWIDTHS lpMenuWidths) override;
    HRESULT STDMETHODCALLTYPE SetMenu(HMENU hmenuShared, HOLEMENU holemenu, HWND hwndActiveObject) override;
    HRESULT STDMETHODCALLTYPE RemoveMenus(HMENU hmenuShared) override;
    HRESULT STDMETHODCALLTYPE SetStatusText(LPCOLESTR) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE EnableModeless(BOOL) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE TranslateAccelerator(LPMSG, WORD) override { return S_FALSE; }

private:
    // Puts the document window below the border space taken.
    void PlaceDocument();

    LONG m_cRef;
    HWND m_hWndFrame;
    HWND m_hWndDoc;
};

} // namespace oletest
