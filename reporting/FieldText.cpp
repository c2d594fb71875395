#include "reporting/FieldText.h"

#include "engines/common/KemRecordset.h"
#include "framework/core/OleVariant.h"
#include "sheet/Sheet.h"

#include <stdint.h>
#include <stdlib.h>
#include <string.h>

#include <string>

namespace
{
// The powers of ten a double holds exactly.
const double kExactPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                                    1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
// A double holds every integer of this many decimal digits exactly.
const int kExactDigits = 15;

// Reads [+-]digits[.digits] of at most kExactDigits digits, as the
// database's figures are written.  The number is then the quotient of two
// exact doubles, which IEEE division rounds just as strtod rounds the
// text.  FALSE for anything else (spaces, exponents, hexadecimal, more
// digits), which strtod reads instead.
BOOL ReadPlainDecimal(const char* p, const char* pEnd, double& dValue)
{
    BOOL bNegative = FALSE;
    if (p < pEnd && (*p == '-' || *p == '+'))
        bNegative = *p++ == '-';
    uint64_t nMantissa = 0;
    int nDigits = 0;
    int nFraction = -1;
    for (; p < pEnd; ++p)
    {
        if (*p >= '0' && *p <= '9')
        {
            if (++nDigits > kExactDigits)
                return FALSE;
            nMantissa = nMantissa * 10 + (uint64_t)(*p - '0');
            if (nFraction >= 0)
                ++nFraction;
        }
        else if (*p == '.' && nFraction < 0)
            nFraction = 0;
        else
            break;
    }
    if (nDigits == 0 || (p < pEnd && strchr(".eEpPxXiInN", *p) != NULL && *p != '\0'))
        return FALSE;
    dValue = (double)nMantissa;
    if (nFraction > 0)
        dValue /= kExactPowersOfTen[nFraction];
    if (bNegative)
        dValue = -dValue;
    return TRUE;
}
} // namespace

double LeadingDecimal(const char* pText, size_t nBytes)
{
    double dValue = 0;
    if (ReadPlainDecimal(pText, pText + nBytes, dValue))
        return dValue;
    // atof needs the text ended by a '\0'.
    char szText[64];
    if (nBytes >= sizeof(szText))
        return atof(std::string(pText, nBytes).c_str());
    memcpy(szText, pText, nBytes);
    szText[nBytes] = '\0';
    return atof(szText);
}

double FieldValueNumber(const VARIANT& value)
{
    if (V_VT(&value) != VT_BSTR)
        return atof(FieldValueText(value));
    // Text fields hold the ANSI bytes in the BSTR.
    return LeadingDecimal((const char*)V_BSTR(&value), SysStringByteLen(V_BSTR(&value)));
}

CString FieldValueText(const VARIANT& value)
{
    switch (V_VT(&value))
    {
    case VT_EMPTY:
    case VT_NULL:
        return CString();
    case VT_BSTR:
        return AfxStringFromBstrBytes(V_BSTR(&value));
    default:
        return VariantToText(value);
    }
}

CString RecordsetFieldText(CKemRecordset* pRecordset, LPCSTR lpszField)
{
    return FieldValueText(pRecordset->GetFieldValue(lpszField));
}

int RecordsetFieldByte(CKemRecordset* pRecordset, LPCSTR lpszField)
{
    COleVariant value = pRecordset->GetFieldValue(lpszField);
    COleVariant asLong;
    if (FAILED(VariantChangeType(&asLong, &value, 0, VT_I4)))
        return 0;
    return (int)(V_I4(&asLong) & 0xFF);
}
