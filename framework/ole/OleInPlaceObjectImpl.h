// IOleInPlaceObject and IOleInPlaceActiveObject of a server document: what
// a container calls on an object active in place (its window, its
// rectangles, deactivation) and on the object whose user interface is
// active (keys, activation of the container's windows, border changes).
#pragma once

#include <ole2.h>

#include "framework/ole/OleInnerInterface.h"

class COleServerDoc;

// The window of pDoc's in-place frame: E_POINTER, CO_E_OBJNOTCONNECTED
// without a document, E_FAIL while it is not active in place.
HRESULT InPlaceFrameWindow(COleServerDoc* pDoc, HWND* phwnd);

// The IOleWindow part both interfaces share: the window of the document's
// in-place frame, for a document that may be disconnected.
template<class I>
class COleInPlaceWindowImpl : public COleInnerInterface<I>
{
public:
    COleInPlaceWindowImpl(IUnknown* pOuter, COleServerDoc* pDoc) : COleInnerInterface<I>(pOuter), m_pDoc(pDoc) {}

    void Disconnect() { m_pDoc = NULL; }

    HRESULT STDMETHODCALLTYPE GetWindow(HWND* phwnd) override { return InPlaceFrameWindow(m_pDoc, phwnd); }
    HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }

protected:
    COleServerDoc* m_pDoc;
};

class COleInPlaceObjectImpl : public COleInPlaceWindowImpl<IOleInPlaceObject>
{
public:
    using COleInPlaceWindowImpl<IOleInPlaceObject>::COleInPlaceWindowImpl;

    HRESULT STDMETHODCALLTYPE InPlaceDeactivate() override;
    HRESULT STDMETHODCALLTYPE UIDeactivate() override;
    HRESULT STDMETHODCALLTYPE SetObjectRects(LPCRECT lprcPosRect, LPCRECT lprcClipRect) override;
    HRESULT STDMETHODCALLTYPE ReactivateAndUndo() override;
};

class COleInPlaceActiveObjectImpl : public COleInPlaceWindowImpl<IOleInPlaceActiveObject>
{
public:
    using COleInPlaceWindowImpl<IOleInPlaceActiveObject>::COleInPlaceWindowImpl;

    HRESULT STDMETHODCALLTYPE TranslateAccelerator(LPMSG lpmsg) override;
    HRESULT STDMETHODCALLTYPE OnFrameWindowActivate(BOOL fActivate) override;
    HRESULT STDMETHODCALLTYPE OnDocWindowActivate(BOOL fActivate) override;
    HRESULT STDMETHODCALLTYPE ResizeBorder(LPCRECT prcBorder, IOleInPlaceUIWindow* pUIWindow,
                                           BOOL fFrameWindow) override;
    HRESULT STDMETHODCALLTYPE EnableModeless(BOOL fEnable) override;
};
