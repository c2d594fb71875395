#include "framework/ole/OleDataObjectImpl.h"

#include <ole2.h>

#include "framework/ole/OleServerDoc.h"
#include "framework/ole/OleServerItem.h"

namespace
{
BOOL IsPictureFormat(const FORMATETC* pFormat)
{
    return pFormat != NULL && pFormat->cfFormat == CF_METAFILEPICT
           && pFormat->dwAspect == DVASPECT_CONTENT && (pFormat->tymed & TYMED_MFPICT) != 0;
}
} // namespace

COleDataObjectImpl::COleDataObjectImpl(IUnknown* pOuter, COleServerDoc* pDoc)
    : COleInnerInterface<IDataObject>(pOuter), m_pDoc(pDoc), m_pAdviseHolder(NULL)
{
}

COleDataObjectImpl::~COleDataObjectImpl()
{
    if (m_pAdviseHolder != NULL)
        m_pAdviseHolder->Release();
}

void COleDataObjectImpl::Disconnect()
{
    m_pDoc = NULL;
}

void COleDataObjectImpl::NotifyChanged()
{
    if (m_pAdviseHolder != NULL)
        m_pAdviseHolder->SendOnDataChange(static_cast<IDataObject*>(this), 0, 0);
}

HRESULT STDMETHODCALLTYPE COleDataObjectImpl::GetData(FORMATETC* pFormat, STGMEDIUM* pMedium)
{
    if (pMedium == NULL)
        return E_POINTER;
    if (m_pDoc == NULL)
        return CO_E_OBJNOTCONNECTED;
    if (!IsPictureFormat(pFormat))
        return DV_E_FORMATETC;
    COleServerItem* pItem = m_pDoc->GetEmbeddedItem();
    HGLOBAL hPict = pItem != NULL ? pItem->GetMetafilePicture() : NULL;
    if (hPict == NULL)
        return E_OUTOFMEMORY;
    pMedium->tymed = TYMED_MFPICT;
    pMedium->hMetaFilePict = hPict;
    pMedium->pUnkForRelease = NULL;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE COleDataObjectImpl::GetDataHere(FORMATETC*, STGMEDIUM*)
{
    return DV_E_FORMATETC;
}

HRESULT STDMETHODCALLTYPE COleDataObjectImpl::QueryGetData(FORMATETC* pFormat)
{
    return IsPictureFormat(pFormat) ? S_OK : DV_E_FORMATETC;
}

HRESULT STDMETHODCALLTYPE COleDataObjectImpl::GetCanonicalFormatEtc(FORMATETC*, FORMATETC* pFormatOut)
{
    if (pFormatOut != NULL)
        pFormatOut->ptd = NULL;
    return DATA_S_SAMEFORMATETC;
}

HRESULT STDMETHODCALLTYPE COleDataObjectImpl::SetData(FORMATETC*, STGMEDIUM*, BOOL)
{
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE COleDataObjectImpl::EnumFormatEtc(DWORD, IEnumFORMATETC** ppEnum)
{
    if (ppEnum != NULL)
        *ppEnum = NULL;
    return OLE_S_USEREG;
}

HRESULT STDMETHODCALLTYPE COleDataObjectImpl::DAdvise(FORMATETC* pFormat, DWORD advf,
                                                      IAdviseSink* pSink, DWORD* pdwConnection)
{
    if (m_pDoc == NULL)
        return CO_E_OBJNOTCONNECTED;
    if (m_pAdviseHolder == NULL && FAILED(CreateDataAdviseHolder(&m_pAdviseHolder)))
        return E_OUTOFMEMORY;
    return m_pAdviseHolder->Advise(static_cast<IDataObject*>(this), pFormat, advf, pSink,
                                   pdwConnection);
}

HRESULT STDMETHODCALLTYPE COleDataObjectImpl::DUnadvise(DWORD dwConnection)
{
    if (m_pAdviseHolder == NULL)
        return OLE_E_NOCONNECTION;
    return m_pAdviseHolder->Unadvise(dwConnection);
}

HRESULT STDMETHODCALLTYPE COleDataObjectImpl::EnumDAdvise(IEnumSTATDATA** ppEnum)
{
    if (m_pAdviseHolder == NULL)
    {
        if (ppEnum != NULL)
            *ppEnum = NULL;
        return OLE_E_ADVISENOTSUPPORTED;
    }
    return m_pAdviseHolder->EnumAdvise(ppEnum);
}
