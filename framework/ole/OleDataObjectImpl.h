// IDataObject of a server document: the embedded item's picture as a
// metafile, for the container's cache, and the data advise connections
// that tell the container when it changed.
#pragma once

#include <objidl.h>

#include "framework/ole/OleInnerInterface.h"

class COleServerDoc;

class COleDataObjectImpl : public COleInnerInterface<IDataObject>
{
public:
    COleDataObjectImpl(IUnknown* pOuter, COleServerDoc* pDoc);
    ~COleDataObjectImpl() override;

    void Disconnect();
    // Tells the advise sinks that the data changed.
    void NotifyChanged();

    HRESULT STDMETHODCALLTYPE GetData(FORMATETC* pFormat, STGMEDIUM* pMedium) override;
    HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC* pFormat, STGMEDIUM* pMedium) override;
    HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* pFormat) override;
    HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC* pFormatIn,
                                                    FORMATETC* pFormatOut) override;
    HRESULT STDMETHODCALLTYPE SetData(FORMATETC* pFormat, STGMEDIUM* pMedium, BOOL fRelease) override;
    HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD dwDirection, IEnumFORMATETC** ppEnum) override;
    HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC* pFormat, DWORD advf, IAdviseSink* pSink,
                                      DWORD* pdwConnection) override;
    HRESULT STDMETHODCALLTYPE DUnadvise(DWORD dwConnection) override;
    HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA** ppEnum) override;

private:
    COleServerDoc* m_pDoc;
    IDataAdviseHolder* m_pAdviseHolder;
};
