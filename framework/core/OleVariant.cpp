#include "framework/core/OleVariant.h"

#include <string.h>

namespace {

void CheckResult(HRESULT hr)
{
    if (hr == E_OUTOFMEMORY)
        AfxThrowMemoryException();
    if (FAILED(hr))
        AfxThrowOleException(hr);
}

BSTR AllocBytes(LPCSTR lpsz, UINT nBytes)
{
    BSTR bstr = SysAllocStringByteLen(lpsz, nBytes);
    if (bstr == NULL)
        AfxThrowMemoryException();
    return bstr;
}

LONG NarrowLong(long lValue)
{
    if (lValue < INT32_MIN || lValue > INT32_MAX)
        AfxThrowOleException(DISP_E_OVERFLOW);
    return (LONG)lValue;
}

bool SameBytes(const void* p1, size_t n1, const void* p2, size_t n2)
{
    return n1 == n2 && (n1 == 0 || memcmp(p1, p2, n1) == 0);
}

}

CString AfxStringFromBstr(BSTR bstrSrc)
{
    int nWide = (int)SysStringLen(bstrSrc);
    if (nWide == 0)
        return CString();
    int nBytes = WideCharToMultiByte(CP_ACP, 0, bstrSrc, nWide, NULL, 0, NULL, NULL);
    CString strResult;
    if (nBytes > 0)
    {
        char* pBuf = strResult.GetBuffer(nBytes);
        WideCharToMultiByte(CP_ACP, 0, bstrSrc, nWide, pBuf, nBytes, NULL, NULL);
        strResult.ReleaseBuffer(nBytes);
    }
    return strResult;
}

CString AfxStringFromBstrBytes(BSTR bstrSrc)
{
    UINT nBytes = SysStringByteLen(bstrSrc);
    if (nBytes == 0)
        return CString();
    return CString(reinterpret_cast<LPCSTR>(bstrSrc), (int)nBytes);
}

BSTR AfxAllocBstr(LPCSTR lpszSrc, int nLength)
{
    if (lpszSrc == NULL)
        lpszSrc = "";
    if (nLength < 0)
        nLength = lstrlenA(lpszSrc);
    int nWide = nLength > 0 ? MultiByteToWideChar(CP_ACP, 0, lpszSrc, nLength, NULL, 0) : 0;
    BSTR bstr = SysAllocStringLen(NULL, (UINT)nWide);
    if (bstr == NULL)
        AfxThrowMemoryException();
    if (nWide > 0)
        MultiByteToWideChar(CP_ACP, 0, lpszSrc, nLength, bstr, nWide);
    return bstr;
}

COleVariant::COleVariant()
{
    VariantInit(this);
}

COleVariant::COleVariant(const VARIANT& varSrc)
{
    VariantInit(this);
    CheckResult(VariantCopy(this, const_cast<VARIANT*>(&varSrc)));
}

COleVariant::COleVariant(LPCVARIANT pSrc)
{
    VariantInit(this);
    if (pSrc != NULL)
        CheckResult(VariantCopy(this, const_cast<VARIANT*>(pSrc)));
}

COleVariant::COleVariant(const COleVariant& varSrc) : tagVARIANT()
{
    VariantInit(this);
    CheckResult(VariantCopy(this, const_cast<COleVariant*>(&varSrc)));
}

COleVariant::COleVariant(LPCSTR lpszSrc, VARTYPE vtSrc)
{
    VariantInit(this);
    SetString(lpszSrc, vtSrc);
}

COleVariant::COleVariant(const CString& strSrc)
{
    VariantInit(this);
    *this = strSrc;
}

COleVariant::COleVariant(BYTE nSrc)
{
    VariantInit(this);
    *this = nSrc;
}

COleVariant::COleVariant(short nSrc, VARTYPE vtSrc)
{
    VariantInit(this);
    if (vtSrc == VT_BOOL)
    {
        V_VT(this) = VT_BOOL;
        V_BOOL(this) = nSrc ? VARIANT_TRUE : VARIANT_FALSE;
    }
    else if (vtSrc == VT_I2)
    {
        V_VT(this) = VT_I2;
        V_I2(this) = nSrc;
    }
    else
    {
        AfxThrowInvalidArgException();
    }
}

COleVariant::COleVariant(LONG lSrc, VARTYPE vtSrc)
{
    VariantInit(this);
    switch (vtSrc)
    {
    case VT_BOOL:
        V_VT(this) = VT_BOOL;
        V_BOOL(this) = lSrc ? VARIANT_TRUE : VARIANT_FALSE;
        break;
    case VT_I4:
        V_VT(this) = VT_I4;
        V_I4(this) = lSrc;
        break;
    case VT_ERROR:
        V_VT(this) = VT_ERROR;
        V_ERROR(this) = (SCODE)lSrc;
        break;
    default:
        AfxThrowInvalidArgException();
    }
}

COleVariant::COleVariant(long lSrc, VARTYPE vtSrc) : COleVariant(NarrowLong(lSrc), vtSrc)
{
}

COleVariant::COleVariant(float fltSrc)
{
    VariantInit(this);
    *this = fltSrc;
}

COleVariant::COleVariant(double dblSrc)
{
    VariantInit(this);
    *this = dblSrc;
}

COleVariant::COleVariant(const COleCurrency& curSrc)
{
    VariantInit(this);
    *this = curSrc;
}

COleVariant::COleVariant(const COleDateTime& dateSrc)
{
    VariantInit(this);
    *this = dateSrc;
}

COleVariant::COleVariant(const CByteArray& arrSrc)
{
    VariantInit(this);
    *this = arrSrc;
}

COleVariant::~COleVariant()
{
    VariantClear(this);
}

COleVariant& COleVariant::operator=(const COleVariant& varSrc)
{
    return *this = static_cast<const VARIANT&>(varSrc);
}

COleVariant& COleVariant::operator=(const VARIANT& varSrc)
{
    if (&varSrc != this)
        CheckResult(VariantCopy(this, const_cast<VARIANT*>(&varSrc)));
    return *this;
}

COleVariant& COleVariant::operator=(LPCVARIANT pSrc)
{
    if (pSrc == NULL)
    {
        Clear();
        return *this;
    }
    return *this = *pSrc;
}

COleVariant& COleVariant::operator=(LPCSTR lpszSrc)
{
    SetString(lpszSrc, VT_BSTR);
    return *this;
}

COleVariant& COleVariant::operator=(const CString& strSrc)
{
    // Built from the counted text, so embedded '\0' bytes survive.
    BSTR bstr = AfxAllocBstr(strSrc, strSrc.GetLength());
    Clear();
    V_VT(this) = VT_BSTR;
    V_BSTR(this) = bstr;
    return *this;
}

COleVariant& COleVariant::operator=(BYTE nSrc)
{
    Clear();
    V_VT(this) = VT_UI1;
    V_UI1(this) = nSrc;
    return *this;
}

COleVariant& COleVariant::operator=(short nSrc)
{
    if (V_VT(this) == VT_BOOL)
    {
        V_BOOL(this) = nSrc ? VARIANT_TRUE : VARIANT_FALSE;
        return *this;
    }
    Clear();
    V_VT(this) = VT_I2;
    V_I2(this) = nSrc;
    return *this;
}

COleVariant& COleVariant::operator=(LONG lSrc)
{
    if (V_VT(this) == VT_BOOL)
    {
        V_BOOL(this) = lSrc ? VARIANT_TRUE : VARIANT_FALSE;
        return *this;
    }
    Clear();
    V_VT(this) = VT_I4;
    V_I4(this) = lSrc;
    return *this;
}

COleVariant& COleVariant::operator=(float fltSrc)
{
    Clear();
    V_VT(this) = VT_R4;
    V_R4(this) = fltSrc;
    return *this;
}

COleVariant& COleVariant::operator=(double dblSrc)
{
    Clear();
    V_VT(this) = VT_R8;
    V_R8(this) = dblSrc;
    return *this;
}

COleVariant& COleVariant::operator=(const COleCurrency& curSrc)
{
    Clear();
    if (curSrc.GetStatus() == COleCurrency::null)
    {
        V_VT(this) = VT_NULL;
    }
    else
    {
        V_VT(this) = VT_CY;
        V_CY(this) = curSrc.m_cur;
    }
    return *this;
}

COleVariant& COleVariant::operator=(const COleDateTime& dateSrc)
{
    Clear();
    if (dateSrc.GetStatus() == COleDateTime::null)
    {
        V_VT(this) = VT_NULL;
    }
    else
    {
        V_VT(this) = VT_DATE;
        V_DATE(this) = dateSrc.m_dt;
    }
    return *this;
}

COleVariant& COleVariant::operator=(const CByteArray& arrSrc)
{
    SetBytes(arrSrc.GetData(), (UINT)arrSrc.GetSize());
    return *this;
}

bool COleVariant::operator==(const VARIANT& varSrc) const
{
    if (&varSrc == this)
        return true;
    VARTYPE vt = V_VT(this);
    if (vt != V_VT(&varSrc))
        return false;
    switch (vt)
    {
    case VT_EMPTY:
    case VT_NULL:
        return true;
    case VT_BOOL:
        return V_BOOL(this) == V_BOOL(&varSrc);
    case VT_UI1:
        return V_UI1(this) == V_UI1(&varSrc);
    case VT_I2:
        return V_I2(this) == V_I2(&varSrc);
    case VT_I4:
        return V_I4(this) == V_I4(&varSrc);
    case VT_ERROR:
        return V_ERROR(this) == V_ERROR(&varSrc);
    case VT_R4:
        return V_R4(this) == V_R4(&varSrc);
    case VT_R8:
        return V_R8(this) == V_R8(&varSrc);
    case VT_CY:
        return V_CY(this).int64 == V_CY(&varSrc).int64;
    case VT_DATE:
        return V_DATE(this) == V_DATE(&varSrc);
    case VT_BSTR:
        // Byte comparison serves both the wide and the ANSI form.
        return SameBytes(V_BSTR(this), SysStringByteLen(V_BSTR(this)),
                         V_BSTR(&varSrc), SysStringByteLen(V_BSTR(&varSrc)));
    case VT_UNKNOWN:
        return V_UNKNOWN(this) == V_UNKNOWN(&varSrc);
    case VT_DISPATCH:
        return V_DISPATCH(this) == V_DISPATCH(&varSrc);
    case VT_ARRAY | VT_UI1:
    {
        SAFEARRAY* psa1 = V_ARRAY(this);
        SAFEARRAY* psa2 = V_ARRAY(&varSrc);
        if (psa1 == NULL || psa2 == NULL)
            return psa1 == psa2;
        if (SafeArrayGetDim(psa1) != 1 || SafeArrayGetDim(psa2) != 1)
            return psa1 == psa2;
        return SameBytes(psa1->pvData, psa1->rgsabound[0].cElements,
                         psa2->pvData, psa2->rgsabound[0].cElements);
    }
    default:
        return false;
    }
}

bool COleVariant::operator==(LPCVARIANT pSrc) const
{
    return pSrc != NULL && operator==(*pSrc);
}

void COleVariant::Clear()
{
    VariantClear(this);
}

void COleVariant::ChangeType(VARTYPE vartype, LPVARIANT pSrc)
{
    if (pSrc == NULL)
        pSrc = this;
    if (vartype == VT_BSTRT)
    {
        COleVariant varWide;
        CheckResult(VariantChangeType(&varWide, pSrc, 0, VT_BSTR));
        CString strText = AfxStringFromBstr(V_BSTR(&varWide));
        BSTR bstr = AllocBytes(strText, (UINT)strText.GetLength());
        Clear();
        V_VT(this) = VT_BSTR;
        V_BSTR(this) = bstr;
        return;
    }
    if (pSrc != this || vartype != V_VT(this))
        CheckResult(VariantChangeType(this, pSrc, 0, vartype));
}

void COleVariant::Attach(VARIANT& varSrc)
{
    if (&varSrc == this)
        return;
    Clear();
    memcpy(static_cast<VARIANT*>(this), &varSrc, sizeof(VARIANT));
    V_VT(&varSrc) = VT_EMPTY;
}

VARIANT COleVariant::Detach()
{
    VARIANT varResult;
    memcpy(&varResult, static_cast<VARIANT*>(this), sizeof(VARIANT));
    V_VT(this) = VT_EMPTY;
    return varResult;
}

void COleVariant::SetString(LPCSTR lpszSrc, VARTYPE vtSrc)
{
    BSTR bstr;
    if (vtSrc == VT_BSTRT)
        bstr = AllocBytes(lpszSrc != NULL ? lpszSrc : "", lpszSrc != NULL ? (UINT)lstrlenA(lpszSrc) : 0);
    else if (vtSrc == VT_BSTR)
        bstr = AfxAllocBstr(lpszSrc);
    else
        AfxThrowInvalidArgException();
    Clear();
    V_VT(this) = VT_BSTR;
    V_BSTR(this) = bstr;
}

void COleVariant::SetBytes(const void* pData, UINT nCount)
{
    SAFEARRAY* psa = SafeArrayCreateVector(VT_UI1, 0, nCount);
    if (psa == NULL)
        AfxThrowMemoryException();
    if (nCount > 0)
        memcpy(psa->pvData, pData, nCount);
    Clear();
    V_VT(this) = VT_ARRAY | VT_UI1;
    V_ARRAY(this) = psa;
}
