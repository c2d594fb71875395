#include "sheet/Sheet.h"

#include <math.h>
#include <stdio.h>
#include <stdlib.h>

#include "framework/core/OleCurrency.h"
#include "framework/core/OleDateTime.h"
#include "framework/core/OleVariant.h"
#include "framework/core/WideText.h"

namespace
{

// |d| rounded to nDigits significant decimal digits (1..17): the digit
// string, the decimal-point position (digits before the point; 0 or below
// for values under 1) and the sign.  Zero gives position 1.
CString SignificantDigits(double d, int nDigits, int& nPoint, BOOL& bNegative)
{
    bNegative = d < 0;
    CString strExp;
    strExp.Format("%.*e", nDigits - 1, fabs(d));
    int nE = strExp.Find('e');
    CString strDigits = strExp.Left(1) + (nDigits > 1 ? strExp.Mid(2, nE - 2) : CString());
    nPoint = atoi((LPCSTR)strExp + nE + 1) + 1;
    return strDigits;
}

void FormatGeneral(CString& strText)
{
    double d = atof(strText);
    if (!isfinite(d))
        return;
    int nPoint = 0;
    BOOL bNegative = FALSE;
    CString strDigits = SignificantDigits(d, 6, nPoint, bNegative);

    CString strResult;
    if (nPoint >= 1)
    {
        // Digits and point come from one conversion of the whole value, so a
        // rounding carry (9.99999) moves the point with the digits.
        CString strInteger;
        strInteger.Format("%.0f", floor(fabs(d)));
        if (strText.GetLength() == strInteger.GetLength())
            strResult.Format("%.0f", fabs(d));
        else
            strResult.Format("%.4f", fabs(d));
    }
    else if (nPoint >= -3)
    {
        if (nPoint == 0 && strText.GetLength() == 1)
        {
            strResult = "0";
        }
        else
        {
            // The six rounded digits placed behind the point, cut (not
            // rounded) to four decimals.
            strResult = "0.0000";
            strResult.Insert(-nPoint + 2, strDigits);
            strResult = strResult.Left(6);
        }
    }
    else
    {
        strText = "0";
        return;
    }
    if (bNegative)
        strResult.Insert(0, '-');
    strText = strResult;
}

void FormatThousands(CString& strText)
{
    int nEnd = strText.Find('.');
    if (nEnd < 0)
        nEnd = strText.GetLength();
    int nStart = strText.GetLength() > 0 && strText[0] == '-' ? 1 : 0;
    for (int q = nEnd - 3; q > nStart; q -= 3)
        strText.Insert(q, ',');
}

void FormatScientific(CString& strText)
{
    double d = atof(strText);
    if (!isfinite(d))
        return;
    int nPoint = 0;
    BOOL bNegative = FALSE;
    CString strDigits = SignificantDigits(d, 5, nPoint, bNegative);
    strDigits.Insert(1, '.');
    int nExp = nPoint - 1;
    strText.Format("%s%s%s%s%03d", bNegative ? "-" : "", (LPCSTR)strDigits, "E",
                   nExp < 0 ? "-" : "+", abs(nExp));
}

const char* const kTypeNames0[] = {
    "VT_EMPTY", "VT_NULL", "VT_I2", "VT_I4", "VT_R4", "VT_R8", "VT_CY", "VT_DATE",
    "VT_BSTR", "VT_DISPATCH", "VT_ERROR", "VT_BOOL", "VT_VARIANT", "VT_UNKNOWN" };
const char* const kTypeNames16[] = {
    "VT_I1", "VT_UI1", "VT_UI2", "VT_UI4", "VT_I8", "VT_UI8", "VT_INT", "VT_UINT",
    "VT_VOID", "VT_HRESULT", "VT_PTR", "VT_SAFEARRAY", "VT_CARRAY", "VT_USERDEFINED",
    "VT_LPSTR", "VT_LPWSTR" };
const char* const kTypeNames64[] = {
    "VT_FILETIME", "VT_BLOB", "VT_STREAM", "VT_STORAGE", "VT_STREAMED_OBJECT",
    "VT_STORED_OBJECT", "VT_BLOB_OBJECT", "VT_CF", "VT_CLSID" };

// The VARENUM name of a base type code, or NULL for a code without one.
const char* TypeName(unsigned int vt)
{
    if (vt <= 13)
        return kTypeNames0[vt];
    if (vt >= 16 && vt <= 31)
        return kTypeNames16[vt - 16];
    if (vt >= 64 && vt <= 72)
        return kTypeNames64[vt - 64];
    return NULL;
}

// The per-mille sign in the system's code page, the page every number text
// is drawn and printed in.
CString PerMilleSign()
{
    return AfxCodePageChar(0x2030);
}

} // namespace

void CSheet::FormatNumber(const CCell& cell, CString& strText)
{
    if (strText.IsEmpty())
        return;
    switch (cell.m_nNumberFormat)
    {
    case NUMFMT_GENERAL:
        FormatGeneral(strText);
        break;
    case NUMFMT_THOUSANDS:
        FormatThousands(strText);
        break;
    case NUMFMT_SCIENTIFIC:
        FormatScientific(strText);
        break;
    case NUMFMT_PERCENT:
        strText += '%';
        break;
    case NUMFMT_PERMILLE:
        strText += PerMilleSign();
        break;
    default:
        break;
    }
}

CString BoolToText(int bValue)
{
    return CString(bValue != 0 ? "TRUE" : "FALSE");
}

CString VariantToText(const VARIANT& var)
{
    CString strText("Fish");
    unsigned int vt = V_VT(&var);
    if (vt < 73)
    {
        switch (vt)
        {
        case VT_EMPTY:
        case VT_NULL:
            strText = "NULL";
            break;
        case VT_I2:
            strText.Format("%hd", V_I2(&var));
            break;
        case VT_I4:
            strText.Format("%d", (int)V_I4(&var));
            break;
        case VT_R4:
            strText.Format("%e", (double)V_R4(&var));
            break;
        case VT_R8:
            strText.Format("%e", V_R8(&var));
            break;
        case VT_CY:
            // The text is read back with atof, so the decimal point is '.'
            // in every locale.
            strText = COleCurrency(V_CY(&var)).FormatDecimal();
            break;
        case VT_DATE:
            strText = COleDateTime(V_DATE(&var)).Format("%y-%m-%d %H:%M:%S");
            break;
        case VT_BSTR:
            strText = AfxStringFromBstr(V_BSTR(&var));
            break;
        case VT_BOOL:
            return BoolToText(V_BOOL(&var));
        case VT_UI1:
            strText.Format("0x%02hX", (unsigned short)V_UI1(&var));
            break;
        case VT_DISPATCH:
        case VT_ERROR:
        case VT_VARIANT:
        case VT_UNKNOWN:
        case VT_I1:
            strText = TypeName(vt);
            break;
        default:
            if ((vt >= 18 && vt <= 31) || (vt >= 64 && vt <= 72))
                strText = TypeName(vt);
            break;
        }
        return strText;
    }

    BOOL bModifier = FALSE;
    if (vt & VT_ARRAY)
    {
        strText = "Array of ";
        bModifier = TRUE;
    }
    if (vt & VT_BYREF)
    {
        // Without the array bit the text starts afresh.
        if (!bModifier)
            strText.Empty();
        strText += "Pointer to ";
        bModifier = TRUE;
    }
    if (bModifier)
    {
        const char* pszName = TypeName(vt & VT_TYPEMASK);
        if (pszName != NULL)
            strText += pszName;
    }
    return strText;
}
