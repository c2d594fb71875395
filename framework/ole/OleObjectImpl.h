// IOleObject of a server document: the container's site, the verbs, the
// object's extent and the advise connections that tell the container when
// the object was saved, closed or renamed.
#pragma once

#include <ole2.h>

#include "framework/ole/OleInnerInterface.h"

class COleServerDoc;

class COleObjectImpl : public COleInnerInterface<IOleObject>
{
public:
    COleObjectImpl(IUnknown* pOuter, COleServerDoc* pDoc);
    ~COleObjectImpl() override;

    void Disconnect();
    // Tells the advise sinks that the object was saved, or closed.
    void NotifySaved();
    void NotifyClosed();

    HRESULT STDMETHODCALLTYPE SetClientSite(IOleClientSite* pClientSite) override;
    HRESULT STDMETHODCALLTYPE GetClientSite(IOleClientSite** ppClientSite) override;
    HRESULT STDMETHODCALLTYPE SetHostNames(LPCOLESTR szContainerApp, LPCOLESTR szContainerObj) override;
    HRESULT STDMETHODCALLTYPE Close(DWORD dwSaveOption) override;
    HRESULT STDMETHODCALLTYPE SetMoniker(DWORD dwWhichMoniker, IMoniker* pmk) override;
    HRESULT STDMETHODCALLTYPE GetMoniker(DWORD dwAssign, DWORD dwWhichMoniker, IMoniker** ppmk) override;
    HRESULT STDMETHODCALLTYPE InitFromData(IDataObject* pDataObject, BOOL fCreation,
                                           DWORD dwReserved) override;
    HRESULT STDMETHODCALLTYPE GetClipboardData(DWORD dwReserved, IDataObject** ppDataObject) override;
    HRESULT STDMETHODCALLTYPE DoVerb(LONG iVerb, LPMSG lpmsg, IOleClientSite* pActiveSite,
                                     LONG lindex, HWND hwndParent, LPCRECT lprcPosRect) override;
    HRESULT STDMETHODCALLTYPE EnumVerbs(IEnumOLEVERB** ppEnumOleVerb) override;
    HRESULT STDMETHODCALLTYPE Update() override;
    HRESULT STDMETHODCALLTYPE IsUpToDate() override;
    HRESULT STDMETHODCALLTYPE GetUserClassID(CLSID* pClsid) override;
    HRESULT STDMETHODCALLTYPE GetUserType(DWORD dwFormOfType, LPOLESTR* pszUserType) override;
    HRESULT STDMETHODCALLTYPE SetExtent(DWORD dwDrawAspect, SIZEL* psizel) override;
    HRESULT STDMETHODCALLTYPE GetExtent(DWORD dwDrawAspect, SIZEL* psizel) override;
    HRESULT STDMETHODCALLTYPE Advise(IAdviseSink* pAdvSink, DWORD* pdwConnection) override;
    HRESULT STDMETHODCALLTYPE Unadvise(DWORD dwConnection) override;
    HRESULT STDMETHODCALLTYPE EnumAdvise(IEnumSTATDATA** ppenumAdvise) override;
    HRESULT STDMETHODCALLTYPE GetMiscStatus(DWORD dwAspect, DWORD* pdwStatus) override;
    HRESULT STDMETHODCALLTYPE SetColorScheme(LOGPALETTE* pLogpal) override;

private:
    COleServerDoc* m_pDoc;
    IOleAdviseHolder* m_pAdviseHolder;
};
