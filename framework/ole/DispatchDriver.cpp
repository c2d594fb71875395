#include "framework/ole/DispatchDriver.h"

#include "framework/core/OleVariant.h"
#include "framework/ole/OleDispatchException.h"

#include <stdarg.h>

#include <vector>

namespace
{
// Reads one argument of type vt from the list into a variant.
void ReadArgument(VARTYPE vt, va_list* pArgs, COleVariant& var)
{
    switch (vt)
    {
    case VT_I2:
        var = (short)va_arg(*pArgs, int);
        break;
    case VT_I4:
        var = (LONG)va_arg(*pArgs, LONG);
        break;
    case VT_R4:
        var = (float)va_arg(*pArgs, double);
        break;
    case VT_R8:
        var = va_arg(*pArgs, double);
        break;
    case VT_BOOL:
        var = COleVariant((short)(va_arg(*pArgs, BOOL) ? VARIANT_TRUE : VARIANT_FALSE), VT_BOOL);
        break;
    case VT_BSTR:
        var = COleVariant(va_arg(*pArgs, LPCSTR), VT_BSTR);
        break;
    case VT_VARIANT:
    {
        const VARIANT* pSrc = va_arg(*pArgs, const VARIANT*);
        if (pSrc != NULL)
            var = *pSrc;
        else
        {
            // A missing optional argument.
            var.Clear();
            V_VT(&var) = VT_ERROR;
            V_ERROR(&var) = DISP_E_PARAMNOTFOUND;
        }
        break;
    }
    default:
        AfxThrowInvalidArgException();
    }
}

// Stores the call's result where vtRet says.
void StoreResult(VARTYPE vtRet, void* pvRet, VARIANT& varResult)
{
    if (vtRet == VT_EMPTY || pvRet == NULL)
        return;
    if (vtRet == VT_VARIANT)
    {
        VariantInit((VARIANT*)pvRet);
        VariantCopy((VARIANT*)pvRet, &varResult);
        return;
    }
    COleVariant var(varResult);
    if (V_VT(&var) != vtRet)
        var.ChangeType(vtRet);
    switch (vtRet)
    {
    case VT_I2:
        *(short*)pvRet = V_I2(&var);
        break;
    case VT_I4:
        *(LONG*)pvRet = V_I4(&var);
        break;
    case VT_R4:
        *(float*)pvRet = V_R4(&var);
        break;
    case VT_R8:
        *(double*)pvRet = V_R8(&var);
        break;
    case VT_BOOL:
        *(BOOL*)pvRet = V_BOOL(&var) != VARIANT_FALSE;
        break;
    case VT_BSTR:
        *(CString*)pvRet = AfxStringFromBstr(V_BSTR(&var));
        break;
    case VT_DISPATCH:
        *(LPDISPATCH*)pvRet = V_DISPATCH(&var);
        if (V_DISPATCH(&var) != NULL)
            V_DISPATCH(&var)->AddRef();
        break;
    default:
        AfxThrowInvalidArgException();
    }
}

[[noreturn]] void ThrowFailure(HRESULT hr, EXCEPINFO& excepInfo)
{
    if (hr != DISP_E_EXCEPTION)
        AfxThrowOleException(hr);
    if (excepInfo.pfnDeferredFillIn != NULL)
        excepInfo.pfnDeferredFillIn(&excepInfo);
    COleDispatchException* e = new COleDispatchException(
        AfxStringFromBstr(excepInfo.bstrDescription), excepInfo.dwHelpContext, excepInfo.wCode);
    e->m_scError = excepInfo.scode;
    e->m_strSource = AfxStringFromBstr(excepInfo.bstrSource);
    SysFreeString(excepInfo.bstrSource);
    SysFreeString(excepInfo.bstrDescription);
    SysFreeString(excepInfo.bstrHelpFile);
    throw e;
}
} // namespace

COleDispatchDriver::COleDispatchDriver() : m_lpDispatch(NULL), m_bAutoRelease(TRUE)
{
}

COleDispatchDriver::COleDispatchDriver(LPDISPATCH lpDispatch, BOOL bAutoRelease)
    : m_lpDispatch(lpDispatch), m_bAutoRelease(bAutoRelease)
{
}

COleDispatchDriver::COleDispatchDriver(const COleDispatchDriver& dispatchSrc)
    : m_lpDispatch(dispatchSrc.m_lpDispatch), m_bAutoRelease(TRUE)
{
    if (m_lpDispatch != NULL)
        m_lpDispatch->AddRef();
}

COleDispatchDriver& COleDispatchDriver::operator=(const COleDispatchDriver& dispatchSrc)
{
    if (this != &dispatchSrc)
    {
        if (dispatchSrc.m_lpDispatch != NULL)
            dispatchSrc.m_lpDispatch->AddRef();
        ReleaseDispatch();
        m_lpDispatch = dispatchSrc.m_lpDispatch;
        m_bAutoRelease = TRUE;
    }
    return *this;
}

COleDispatchDriver::~COleDispatchDriver()
{
    ReleaseDispatch();
}

void COleDispatchDriver::AttachDispatch(LPDISPATCH lpDispatch, BOOL bAutoRelease)
{
    ReleaseDispatch();
    m_lpDispatch = lpDispatch;
    m_bAutoRelease = bAutoRelease;
}

LPDISPATCH COleDispatchDriver::DetachDispatch()
{
    LPDISPATCH lpDispatch = m_lpDispatch;
    m_lpDispatch = NULL;
    return lpDispatch;
}

void COleDispatchDriver::ReleaseDispatch()
{
    if (m_lpDispatch != NULL && m_bAutoRelease)
        m_lpDispatch->Release();
    m_lpDispatch = NULL;
}

void COleDispatchDriver::InvokeHelper(DISPID dwDispID, WORD wFlags, VARTYPE vtRet, void* pvRet,
                                      const BYTE* pbParamInfo, ...)
{
    va_list argList;
    va_start(argList, pbParamInfo);
    try
    {
        InvokeHelperV(dwDispID, wFlags, vtRet, pvRet, pbParamInfo, argList);
    }
    catch (...)
    {
        va_end(argList);
        throw;
    }
    va_end(argList);
}

void COleDispatchDriver::InvokeHelperV(DISPID dwDispID, WORD wFlags, VARTYPE vtRet, void* pvRet,
                                       const BYTE* pbParamInfo, va_list argList)
{
    if (m_lpDispatch == NULL)
        AfxThrowOleException(E_POINTER);
    std::vector<COleVariant> args;
    va_list argsLeft;
    va_copy(argsLeft, argList);
    try
    {
        for (const BYTE* p = pbParamInfo; p != NULL && *p != 0; ++p)
        {
            args.emplace_back();
            ReadArgument(*p, &argsLeft, args.back());
        }
    }
    catch (...)
    {
        va_end(argsLeft);
        throw;
    }
    va_end(argsLeft);
    // The call takes its arguments last to first.
    std::vector<VARIANTARG> reversed(args.rbegin(), args.rend());
    DISPPARAMS params = {};
    params.cArgs = (UINT)reversed.size();
    params.rgvarg = reversed.empty() ? NULL : reversed.data();
    DISPID dispidNamed = DISPID_PROPERTYPUT;
    if (wFlags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF))
    {
        params.cNamedArgs = 1;
        params.rgdispidNamedArgs = &dispidNamed;
    }
    VARIANT varResult;
    VariantInit(&varResult);
    EXCEPINFO excepInfo = {};
    UINT nArgErr = 0;
    HRESULT hr = m_lpDispatch->Invoke(dwDispID, IID_NULL, LOCALE_USER_DEFAULT, wFlags, &params,
                                      vtRet == VT_EMPTY ? NULL : &varResult, &excepInfo, &nArgErr);
    if (FAILED(hr))
    {
        VariantClear(&varResult);
        ThrowFailure(hr, excepInfo);
    }
    try
    {
        StoreResult(vtRet, pvRet, varResult);
    }
    catch (...)
    {
        VariantClear(&varResult);
        throw;
    }
    VariantClear(&varResult);
}

void COleDispatchDriver::GetProperty(DISPID dwDispID, VARTYPE vtProp, void* pvProp) const
{
    const_cast<COleDispatchDriver*>(this)->InvokeHelper(dwDispID, DISPATCH_PROPERTYGET, vtProp,
                                                        pvProp, VTS_NONE);
}

void COleDispatchDriver::SetProperty(DISPID dwDispID, VARTYPE vtProp, ...)
{
    BYTE abParamInfo[2] = { (BYTE)vtProp, 0 };
    va_list argList;
    va_start(argList, vtProp);
    try
    {
        InvokeHelperV(dwDispID, DISPATCH_PROPERTYPUT, VT_EMPTY, NULL, abParamInfo, argList);
    }
    catch (...)
    {
        va_end(argList);
        throw;
    }
    va_end(argList);
}
