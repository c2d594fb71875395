#include "framework/core/OleCurrency.h"
#include "framework/core/OleVariant.h"

#include <stdio.h>

namespace {

const int kMaxExponent = 100000;

bool IsBlank(char ch)
{
    return ch == ' ' || ch == '\t';
}

bool IsDigit(char ch)
{
    return ch >= '0' && ch <= '9';
}

// The digits of a decimal text where they stand: the integer part's, then
// the fraction's.
struct DecimalDigits
{
    const char* pInt;
    size_t nInt;
    const char* pFrac;
    size_t nFrac;

    size_t Size() const { return nInt + nFrac; }
    // The value of digit i.
    int At(size_t i) const { return (i < nInt ? pInt[i] : pFrac[i - nInt]) - '0'; }
};

}

COleCurrency::COleCurrency() : m_status(valid)
{
    m_cur.int64 = 0;
}

COleCurrency::COleCurrency(CURRENCY cySrc) : m_cur(cySrc), m_status(valid)
{
}

COleCurrency::COleCurrency(const VARIANT& varSrc) : m_status(valid)
{
    m_cur.int64 = 0;
    *this = varSrc;
}

COleCurrency::COleCurrency(LONG nUnits, LONG nFractionalUnits) : m_status(valid)
{
    SetCurrency(nUnits, nFractionalUnits);
}

COleCurrency& COleCurrency::operator=(CURRENCY cySrc)
{
    m_cur = cySrc;
    m_status = valid;
    return *this;
}

COleCurrency& COleCurrency::operator=(const VARIANT& varSrc)
{
    if (V_VT(&varSrc) == VT_CY)
        return *this = V_CY(&varSrc);
    m_cur.int64 = 0;
    if (V_VT(&varSrc) == VT_NULL)
    {
        m_status = null;
        return *this;
    }
    VARIANT varCy;
    VariantInit(&varCy);
    if (SUCCEEDED(VariantChangeType(&varCy, const_cast<VARIANT*>(&varSrc), 0, VT_CY)))
    {
        m_cur = V_CY(&varCy);
        m_status = valid;
    }
    else
    {
        m_status = invalid;
    }
    VariantClear(&varCy);
    return *this;
}

void COleCurrency::SetCurrency(LONG nUnits, LONG nFractionalUnits)
{
    m_cur.int64 = (LONGLONG)nUnits * 10000 + nFractionalUnits;
    m_status = (nFractionalUnits > -10000 && nFractionalUnits < 10000) ? valid : invalid;
}

CString COleCurrency::Format(DWORD dwFlags, LCID lcid) const
{
    if (m_status != valid)
        return CString();
    BSTR bstr = NULL;
    HRESULT hr = VarBstrFromCy(m_cur, lcid, dwFlags, &bstr);
    if (FAILED(hr))
        AfxThrowOleException(hr);
    CString strResult = AfxStringFromBstr(bstr);
    SysFreeString(bstr);
    return strResult;
}

BOOL COleCurrency::ParseCurrency(LPCSTR lpszCurrency, DWORD dwFlags, LCID lcid)
{
    BSTR bstr = AfxAllocBstr(lpszCurrency != NULL ? lpszCurrency : "");
    CURRENCY cy;
    cy.int64 = 0;
    HRESULT hr = VarCyFromStr(bstr, lcid, dwFlags, &cy);
    SysFreeString(bstr);
    if (hr == DISP_E_TYPEMISMATCH || hr == DISP_E_OVERFLOW)
    {
        m_cur.int64 = 0;
        m_status = invalid;
        return FALSE;
    }
    if (FAILED(hr))
        AfxThrowOleException(hr);
    *this = cy;
    return TRUE;
}

CString COleCurrency::FormatDecimal() const
{
    if (m_status != valid)
        return CString();
    bool bNegative = m_cur.int64 < 0;
    // Negated as unsigned so that the most negative value has a magnitude.
    ULONGLONG magnitude = bNegative ? 0 - (ULONGLONG)m_cur.int64 : (ULONGLONG)m_cur.int64;
    char buf[40];
    int n = snprintf(buf, sizeof(buf), "%s%llu", bNegative ? "-" : "", (unsigned long long)(magnitude / 10000));
    ULONGLONG fraction = magnitude % 10000;
    if (fraction != 0)
    {
        n += snprintf(buf + n, sizeof(buf) - n, ".%04llu", (unsigned long long)fraction);
        while (buf[n - 1] == '0')
            buf[--n] = '\0';
    }
    return CString(buf, n);
}

BOOL COleCurrency::ParseDecimal(LPCSTR lpszText)
{
    CURRENCY cy;
    if (FAILED(DecimalToCurrency(lpszText, cy)))
    {
        m_cur.int64 = 0;
        m_status = invalid;
        return FALSE;
    }
    *this = cy;
    return TRUE;
}

HRESULT COleCurrency::DecimalToCurrency(LPCSTR lpszText, CURRENCY& cyResult)
{
    cyResult.int64 = 0;
    if (lpszText == NULL)
        return DISP_E_TYPEMISMATCH;
    LPCSTR p = lpszText;
    while (IsBlank(*p))
        ++p;
    bool bNegative = false;
    if (*p == '+' || *p == '-')
        bNegative = *p++ == '-';

    // The value is digits * 10^exponent, the digits read in place.
    DecimalDigits digits;
    digits.pInt = p;
    while (IsDigit(*p))
        ++p;
    digits.nInt = (size_t)(p - digits.pInt);
    digits.pFrac = p;
    digits.nFrac = 0;
    if (*p == '.')
    {
        digits.pFrac = ++p;
        while (IsDigit(*p))
            ++p;
        digits.nFrac = (size_t)(p - digits.pFrac);
    }
    long long nExponent = -(long long)digits.nFrac;
    if (digits.Size() == 0)
        return DISP_E_TYPEMISMATCH;
    if ((*p == 'e' || *p == 'E') &&
        (IsDigit(p[1]) || ((p[1] == '+' || p[1] == '-') && IsDigit(p[2]))))
    {
        ++p;
        bool bExpNegative = false;
        if (*p == '+' || *p == '-')
            bExpNegative = *p++ == '-';
        int nValue = 0;
        for (; IsDigit(*p); ++p)
        {
            if (nValue < kMaxExponent)
                nValue = nValue * 10 + (*p - '0');
        }
        nExponent += bExpNegative ? -nValue : nValue;
    }
    while (IsBlank(*p))
        ++p;
    if (*p != '\0')
        return DISP_E_TYPEMISMATCH;

    size_t nFirst = 0;
    while (nFirst < digits.Size() && digits.At(nFirst) == 0)
        ++nFirst;
    if (nFirst == digits.Size())
        return S_OK;
    long long nDigits = (long long)(digits.Size() - nFirst);

    // Count of ten-thousandths: keep the digits above the fourth decimal
    // and round on the rest.
    long long nKeep = nDigits + nExponent + 4;
    if (nKeep > 30)
        return DISP_E_OVERFLOW;
    auto digitAt = [&](long long i) { return i < nDigits ? digits.At(nFirst + (size_t)i) : 0; };
    // Eighteen digits fit 64 bits: the wide sum takes only the rest.
    unsigned long long nLeading = 0;
    long long i = 0;
    for (; i < nKeep && i < 18; ++i)
        nLeading = nLeading * 10 + (unsigned)digitAt(i);
    unsigned __int128 magnitude = nLeading;
    for (; i < nKeep; ++i)
        magnitude = magnitude * 10 + (unsigned)digitAt(i);
    if (nKeep >= 0 && nKeep < nDigits)
    {
        int nRoundDigit = digits.At(nFirst + (size_t)nKeep);
        bool bRestNonZero = false;
        for (size_t j = nFirst + (size_t)nKeep + 1; j < digits.Size() && !bRestNonZero; ++j)
            bRestNonZero = digits.At(j) != 0;
        if (nRoundDigit > 5 || (nRoundDigit == 5 && (bRestNonZero || (magnitude & 1) != 0)))
            ++magnitude;
    }
    unsigned __int128 limit = bNegative ? (unsigned __int128)1 << 63 : ((unsigned __int128)1 << 63) - 1;
    if (magnitude > limit)
        return DISP_E_OVERFLOW;
    cyResult.int64 = bNegative ? (LONGLONG)(0 - (ULONGLONG)magnitude) : (LONGLONG)magnitude;
    return S_OK;
}

COleCurrency COleCurrency::operator+(const COleCurrency& cur) const
{
    COleCurrency result(*this);
    result += cur;
    return result;
}

COleCurrency COleCurrency::operator-(const COleCurrency& cur) const
{
    COleCurrency result(*this);
    result -= cur;
    return result;
}

COleCurrency& COleCurrency::operator+=(const COleCurrency& cur)
{
    if (m_status != valid || cur.m_status != valid ||
        __builtin_add_overflow(m_cur.int64, cur.m_cur.int64, &m_cur.int64))
        m_status = invalid;
    return *this;
}

COleCurrency& COleCurrency::operator-=(const COleCurrency& cur)
{
    if (m_status != valid || cur.m_status != valid ||
        __builtin_sub_overflow(m_cur.int64, cur.m_cur.int64, &m_cur.int64))
        m_status = invalid;
    return *this;
}

COleCurrency COleCurrency::operator-() const
{
    COleCurrency result(*this);
    if (result.m_status == valid && __builtin_sub_overflow((LONGLONG)0, m_cur.int64, &result.m_cur.int64))
        result.m_status = invalid;
    return result;
}

bool COleCurrency::operator==(const COleCurrency& cur) const
{
    return m_status == cur.m_status && m_cur.int64 == cur.m_cur.int64;
}

bool COleCurrency::operator!=(const COleCurrency& cur) const
{
    return !operator==(cur);
}

bool COleCurrency::operator<(const COleCurrency& cur) const
{
    return m_cur.int64 < cur.m_cur.int64;
}

bool COleCurrency::operator>(const COleCurrency& cur) const
{
    return m_cur.int64 > cur.m_cur.int64;
}

bool COleCurrency::operator<=(const COleCurrency& cur) const
{
    return m_cur.int64 <= cur.m_cur.int64;
}

bool COleCurrency::operator>=(const COleCurrency& cur) const
{
    return m_cur.int64 >= cur.m_cur.int64;
}
