#include "reporting/chart/ChartNode.h"

#include "framework/core/OleVariant.h"

CChartCall::CChartCall(WORD wFlags, DISPPARAMS* pParams, VARIANT* pResult)
    : m_wFlags(wFlags), m_pResult(pResult)
{
    // The caller passes the arguments last to first.
    if (pParams != NULL)
        for (UINT i = pParams->cArgs; i > 0; --i)
            m_args.push_back(&pParams->rgvarg[i - 1]);
}

HRESULT CChartCall::Convert(UINT nIndex, VARTYPE vt, VARIANT& var) const
{
    if (nIndex >= m_args.size())
        return DISP_E_BADPARAMCOUNT;
    VARIANT* pArg = m_args[nIndex];
    if (V_VT(pArg) == (VT_BYREF | VT_VARIANT))
        pArg = V_VARIANTREF(pArg);
    if (V_VT(pArg) == VT_ERROR || V_VT(pArg) == VT_EMPTY)
        return DISP_E_PARAMNOTFOUND;
    return VariantChangeType(&var, pArg, 0, vt) == S_OK ? S_OK : DISP_E_TYPEMISMATCH;
}

template <class T, class Read>
HRESULT CChartCall::ReadAs(UINT nIndex, VARTYPE vt, T& value, Read read) const
{
    COleVariant var;
    HRESULT hr = Convert(nIndex, vt, var);
    if (SUCCEEDED(hr))
        value = read(var);
    return hr;
}

HRESULT CChartCall::Long(UINT nIndex, LONG& nValue) const
{
    return ReadAs(nIndex, VT_I4, nValue, [](VARIANT& var) { return V_I4(&var); });
}

HRESULT CChartCall::Float(UINT nIndex, float& fValue) const
{
    return ReadAs(nIndex, VT_R4, fValue, [](VARIANT& var) { return V_R4(&var); });
}

HRESULT CChartCall::Double(UINT nIndex, double& dValue) const
{
    return ReadAs(nIndex, VT_R8, dValue, [](VARIANT& var) { return V_R8(&var); });
}

HRESULT CChartCall::Bool(UINT nIndex, BOOL& bValue) const
{
    return ReadAs(nIndex, VT_BOOL, bValue,
                  [](VARIANT& var) { return (BOOL)(V_BOOL(&var) != VARIANT_FALSE); });
}

HRESULT CChartCall::Text(UINT nIndex, CString& strValue) const
{
    return ReadAs(nIndex, VT_BSTR, strValue, [](VARIANT& var) { return AfxStringFromBstr(V_BSTR(&var)); });
}

HRESULT CChartCall::ReturnLong(LONG nValue)
{
    if (m_pResult != NULL)
    {
        V_VT(m_pResult) = VT_I4;
        V_I4(m_pResult) = nValue;
    }
    return S_OK;
}

HRESULT CChartCall::ReturnFloat(float fValue)
{
    if (m_pResult != NULL)
    {
        V_VT(m_pResult) = VT_R4;
        V_R4(m_pResult) = fValue;
    }
    return S_OK;
}

HRESULT CChartCall::ReturnBool(BOOL bValue)
{
    if (m_pResult != NULL)
    {
        V_VT(m_pResult) = VT_BOOL;
        V_BOOL(m_pResult) = bValue ? VARIANT_TRUE : VARIANT_FALSE;
    }
    return S_OK;
}

HRESULT CChartCall::ReturnText(LPCSTR lpszValue)
{
    if (m_pResult != NULL)
    {
        V_VT(m_pResult) = VT_BSTR;
        V_BSTR(m_pResult) = AfxAllocBstr(lpszValue);
    }
    return S_OK;
}

HRESULT CChartCall::ReturnObject(IDispatch* pObject)
{
    if (m_pResult == NULL)
    {
        pObject->Release();
        return S_OK;
    }
    V_VT(m_pResult) = VT_DISPATCH;
    V_DISPATCH(m_pResult) = pObject;
    return S_OK;
}

CChartNode::CChartNode(CChartModelPtr model) : m_model(std::move(model)), m_nRefs(1)
{
}

CChartNode::~CChartNode()
{
}

void CChartNode::AddMember(DISPID nID, WORD wKinds, Handler handler)
{
    m_members.push_back({ nID, wKinds, std::move(handler) });
}

void CChartNode::AddLong(DISPID nID, LONG* pField)
{
    CChartModel* pModel = m_model.get();
    AddMember(nID, DISPATCH_PROPERTYGET | DISPATCH_PROPERTYPUT, [pModel, pField](CChartCall& call) {
        if (call.IsGet())
            return call.ReturnLong(*pField);
        HRESULT hr = call.Long(0, *pField);
        pModel->Changed();
        return hr;
    });
}

void CChartNode::AddFloat(DISPID nID, float* pField)
{
    CChartModel* pModel = m_model.get();
    AddMember(nID, DISPATCH_PROPERTYGET | DISPATCH_PROPERTYPUT, [pModel, pField](CChartCall& call) {
        if (call.IsGet())
            return call.ReturnFloat(*pField);
        HRESULT hr = call.Float(0, *pField);
        pModel->Changed();
        return hr;
    });
}

void CChartNode::AddBool(DISPID nID, BOOL* pField)
{
    CChartModel* pModel = m_model.get();
    AddMember(nID, DISPATCH_PROPERTYGET | DISPATCH_PROPERTYPUT, [pModel, pField](CChartCall& call) {
        if (call.IsGet())
            return call.ReturnBool(*pField);
        HRESULT hr = call.Bool(0, *pField);
        pModel->Changed();
        return hr;
    });
}

void CChartNode::AddObject(DISPID nID, std::function<IDispatch*()> factory)
{
    AddMember(nID, DISPATCH_PROPERTYGET, [factory](CChartCall& call) {
        return call.ReturnObject(factory());
    });
}

HRESULT STDMETHODCALLTYPE CChartNode::QueryInterface(REFIID riid, void** ppv)
{
    if (ppv == NULL)
        return E_POINTER;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDispatch))
    {
        *ppv = static_cast<IDispatch*>(this);
        AddRef();
        return S_OK;
    }
    *ppv = NULL;
    return E_NOINTERFACE;
}

ULONG STDMETHODCALLTYPE CChartNode::AddRef()
{
    return (ULONG)InterlockedIncrement(&m_nRefs);
}

ULONG STDMETHODCALLTYPE CChartNode::Release()
{
    LONG nRefs = InterlockedDecrement(&m_nRefs);
    if (nRefs == 0)
        delete this;
    return (ULONG)nRefs;
}

HRESULT STDMETHODCALLTYPE CChartNode::GetTypeInfoCount(UINT* pctinfo)
{
    if (pctinfo == NULL)
        return E_POINTER;
    *pctinfo = 0;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE CChartNode::GetTypeInfo(UINT, LCID, ITypeInfo** ppTInfo)
{
    if (ppTInfo != NULL)
        *ppTInfo = NULL;
    return DISP_E_BADINDEX;
}

HRESULT STDMETHODCALLTYPE CChartNode::GetIDsOfNames(REFIID, LPOLESTR*, UINT cNames, LCID,
                                                    DISPID* rgDispId)
{
    for (UINT i = 0; rgDispId != NULL && i < cNames; ++i)
        rgDispId[i] = DISPID_UNKNOWN;
    return DISP_E_UNKNOWNNAME;
}

HRESULT STDMETHODCALLTYPE CChartNode::Invoke(DISPID dispIdMember, REFIID, LCID, WORD wFlags,
                                             DISPPARAMS* pDispParams, VARIANT* pVarResult,
                                             EXCEPINFO* pExcepInfo, UINT* puArgErr)
{
    if (pVarResult != NULL)
        VariantInit(pVarResult);
    for (const Member& member : m_members)
    {
        if (member.nID != dispIdMember || (member.wKinds & wFlags) == 0)
            continue;
        // A put carries its value as the one named argument.
        CChartCall call(wFlags & member.wKinds, pDispParams, pVarResult);
        return member.handler(call);
    }
    return DISP_E_MEMBERNOTFOUND;
}
