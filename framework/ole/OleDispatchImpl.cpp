#include "framework/ole/OleDispatchImpl.h"

#include "framework/core/Exception.h"
#include "framework/docview/OleStreamFile.h"
#include "framework/ole/DispatchMap.h"

COleDispatchImpl::COleDispatchImpl(IUnknown* pOuter, CCmdTarget* pTarget)
    : COleInnerInterface<IDispatch>(pOuter), m_pTarget(pTarget)
{
}

HRESULT STDMETHODCALLTYPE COleDispatchImpl::GetTypeInfoCount(UINT* pctinfo)
{
    if (pctinfo == NULL)
        return E_POINTER;
    *pctinfo = 0;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE COleDispatchImpl::GetTypeInfo(UINT, LCID, ITypeInfo** ppTInfo)
{
    if (ppTInfo != NULL)
        *ppTInfo = NULL;
    return DISP_E_BADINDEX;
}

HRESULT STDMETHODCALLTYPE COleDispatchImpl::GetIDsOfNames(REFIID riid, LPOLESTR* rgszNames,
                                                          UINT cNames, LCID, DISPID* rgDispId)
{
    if (!IsEqualIID(riid, IID_NULL))
        return DISP_E_UNKNOWNINTERFACE;
    if (rgszNames == NULL || rgDispId == NULL || cNames == 0)
        return E_INVALIDARG;
    if (m_pTarget == NULL)
        return CO_E_OBJNOTCONNECTED;
    // The methods take no parameters, so any parameter name is unknown.
    for (UINT i = 0; i < cNames; ++i)
        rgDispId[i] = DISPID_UNKNOWN;
    char szName[256] = "";
    if (rgszNames[0] == NULL
        || !WideCharToMultiByte(CP_ACP, 0, rgszNames[0], -1, szName, sizeof(szName), NULL, NULL))
        return DISP_E_UNKNOWNNAME;
    rgDispId[0] = AfxFindDispatchId(m_pTarget->GetDispatchMap(), szName);
    return (rgDispId[0] != DISPID_UNKNOWN && cNames == 1) ? S_OK : DISP_E_UNKNOWNNAME;
}

HRESULT STDMETHODCALLTYPE COleDispatchImpl::Invoke(DISPID dispIdMember, REFIID riid, LCID,
                                                   WORD wFlags, DISPPARAMS* pDispParams,
                                                   VARIANT* pVarResult, EXCEPINFO* pExcepInfo,
                                                   UINT*)
{
    if (!IsEqualIID(riid, IID_NULL))
        return DISP_E_UNKNOWNINTERFACE;
    if (m_pTarget == NULL)
        return CO_E_OBJNOTCONNECTED;
    const AFX_DISPMAP_ENTRY* pEntry = AfxFindDispatchEntry(m_pTarget->GetDispatchMap(), dispIdMember);
    if (pEntry == NULL)
        return DISP_E_MEMBERNOTFOUND;
    // A method without parameters may also be read as a property.
    if ((wFlags & (DISPATCH_METHOD | DISPATCH_PROPERTYGET)) == 0)
        return DISP_E_MEMBERNOTFOUND;
    if (pDispParams != NULL && pDispParams->cArgs != 0)
        return DISP_E_BADPARAMCOUNT;
    try
    {
        pEntry->pfnThunk(m_pTarget, pVarResult);
    }
    catch (CException* e)
    {
        // The client learns of the failure; nothing crosses the call.
        char szText[256] = "";
        e->GetErrorMessage(szText, sizeof(szText));
        e->Delete();
        if (pExcepInfo != NULL)
        {
            *pExcepInfo = EXCEPINFO();
            pExcepInfo->scode = E_FAIL;
            pExcepInfo->bstrDescription = SysAllocString(CWidePath(szText));
        }
        return DISP_E_EXCEPTION;
    }
    return S_OK;
}
