#include "framework/ole/OleInPlaceObjectImpl.h"

#include "framework/ole/OleIPFrameWnd.h"
#include "framework/ole/OleServerDoc.h"

HRESULT InPlaceFrameWindow(COleServerDoc* pDoc, HWND* phwnd)
{
    if (phwnd == NULL)
        return E_POINTER;
    *phwnd = NULL;
    if (pDoc == NULL)
        return CO_E_OBJNOTCONNECTED;
    COleIPFrameWnd* pFrame = pDoc->GetInPlaceFrame();
    if (pFrame == NULL)
        return E_FAIL;
    *phwnd = pFrame->m_hWnd;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE COleInPlaceObjectImpl::InPlaceDeactivate()
{
    if (m_pDoc == NULL)
        return CO_E_OBJNOTCONNECTED;
    m_pDoc->OnDeactivate();
    return S_OK;
}

HRESULT STDMETHODCALLTYPE COleInPlaceObjectImpl::UIDeactivate()
{
    if (m_pDoc == NULL)
        return CO_E_OBJNOTCONNECTED;
    m_pDoc->OnDeactivateUI(FALSE);
    return S_OK;
}

HRESULT STDMETHODCALLTYPE COleInPlaceObjectImpl::SetObjectRects(LPCRECT lprcPosRect,
                                                                LPCRECT lprcClipRect)
{
    if (lprcPosRect == NULL || lprcClipRect == NULL)
        return E_INVALIDARG;
    if (m_pDoc == NULL)
        return CO_E_OBJNOTCONNECTED;
    COleIPFrameWnd* pFrame = m_pDoc->GetInPlaceFrame();
    if (pFrame == NULL)
        return OLE_E_NOT_INPLACEACTIVE;
    pFrame->RepositionFrame(lprcPosRect, lprcClipRect);
    return S_OK;
}

HRESULT STDMETHODCALLTYPE COleInPlaceObjectImpl::ReactivateAndUndo()
{
    return INPLACE_E_NOTUNDOABLE;
}

HRESULT STDMETHODCALLTYPE COleInPlaceActiveObjectImpl::TranslateAccelerator(LPMSG)
{
    // A server in its own process sees its keys in its own message loop.
    return S_FALSE;
}

HRESULT STDMETHODCALLTYPE COleInPlaceActiveObjectImpl::OnFrameWindowActivate(BOOL)
{
    return m_pDoc != NULL ? S_OK : CO_E_OBJNOTCONNECTED;
}

HRESULT STDMETHODCALLTYPE COleInPlaceActiveObjectImpl::OnDocWindowActivate(BOOL)
{
    return m_pDoc != NULL ? S_OK : CO_E_OBJNOTCONNECTED;
}

HRESULT STDMETHODCALLTYPE COleInPlaceActiveObjectImpl::ResizeBorder(LPCRECT, IOleInPlaceUIWindow*,
                                                                    BOOL fFrameWindow)
{
    if (m_pDoc == NULL)
        return CO_E_OBJNOTCONNECTED;
    COleIPFrameWnd* pFrame = m_pDoc->GetInPlaceFrame();
    if (pFrame == NULL)
        return OLE_E_NOT_INPLACEACTIVE;
    // The container's frame changed its border: the bars take their space
    // again.
    if (fFrameWindow)
        pFrame->RepositionContainerBars();
    return S_OK;
}

HRESULT STDMETHODCALLTYPE COleInPlaceActiveObjectImpl::EnableModeless(BOOL)
{
    return m_pDoc != NULL ? S_OK : CO_E_OBJNOTCONNECTED;
}
