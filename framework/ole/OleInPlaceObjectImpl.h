// IOleInPlaceObject and IOleInPlaceActiveObject of a server document: what
// a container calls on an object active in place (its window, its
// rectangles, deactivation) and on the object whose user interface is
// active (keys, activation of the container's windows, border changes).
#pragma once

#include <ole2.h>

#include "framework/ole/OleInnerInterface.h"

class COleServerDoc;

class COleInPlaceObjectImpl : public COleInnerInterface<IOleInPlaceObject>
{
public:
    COleInPlaceObjectImpl(IUnknown* pOuter, COleServerDoc* pDoc);

    void Disconnect() { m_pDoc = NULL; }

    HRESULT STDMETHODCALLTYPE GetWindow(HWND* phwnd) override;
    HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL fEnterMode) override;
    HRESULT STDMETHODCALLTYPE InPlaceDeactivate() override;
    HRESULT STDMETHODCALLTYPE UIDeactivate() override;
    HRESULT STDMETHODCALLTYPE SetObjectRects(LPCRECT lprcPosRect, LPCRECT lprcClipRect) override;
    HRESULT STDMETHODCALLTYPE ReactivateAndUndo() override;

private:
    COleServerDoc* m_pDoc;
};

class COleInPlaceActiveObjectImpl : public COleInnerInterface<IOleInPlaceActiveObject>
{
public:
    COleInPlaceActiveObjectImpl(IUnknown* pOuter, COleServerDoc* pDoc);

    void Disconnect() { m_pDoc = NULL; }

    HRESULT STDMETHODCALLTYPE GetWindow(HWND* phwnd) override;
    HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL fEnterMode) override;
    HRESULT STDMETHODCALLTYPE TranslateAccelerator(LPMSG lpmsg) override;
    HRESULT STDMETHODCALLTYPE OnFrameWindowActivate(BOOL fActivate) override;
    HRESULT STDMETHODCALLTYPE OnDocWindowActivate(BOOL fActivate) override;
    HRESULT STDMETHODCALLTYPE ResizeBorder(LPCRECT prcBorder, IOleInPlaceUIWindow* pUIWindow,
                                           BOOL fFrameWindow) override;
    HRESULT STDMETHODCALLTYPE EnableModeless(BOOL fEnable) override;

private:
    COleServerDoc* m_pDoc;
};
