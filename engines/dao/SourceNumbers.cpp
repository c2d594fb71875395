#include "engines/dao/SourceNumbers.h"

#include <math.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "engines/dao/SourceTable.h"

BOOL ParseSourceNumber(const CString& strText, double& dValue)
{
    LPCSTR p = strText;
    // Only decimal forms: strtod would also take blanks, "inf", "nan" and hex.
    if (*p == '\0' || strspn(p, "0123456789+-.eE") != (size_t)strText.GetLength())
        return FALSE;
    char* pEnd = NULL;
    double d = strtod(p, &pEnd);
    if (pEnd != p + strText.GetLength() || !isfinite(d))
        return FALSE;
    dValue = d;
    return TRUE;
}

BOOL IsPlainNumber(const CString& strText)
{
    double dValue;
    return ParseSourceNumber(strText, dValue) && SourceNumberText(dValue) == strText;
}

namespace
{

// The text of SourceNumberText in sz; its length.
int FormatSourceNumber(double dValue, char (&sz)[40])
{
    if (dValue == 0.0)
    {
        strcpy(sz, "0");  // no "-0"
        return 1;
    }
    int nLength = 0;
    for (int nDigits = 15; nDigits <= 17; ++nDigits)
    {
        nLength = snprintf(sz, sizeof(sz), "%.*g", nDigits, dValue);
        if (strtod(sz, NULL) == dValue)
            break;
    }
    return nLength;
}

} // namespace

CString SourceNumberText(double dValue)
{
    char sz[40];
    int nLength = FormatSourceNumber(dValue, sz);
    return CString(sz, nLength);
}

void SetSourceNumberText(CString& strText, double dValue)
{
    char sz[40];
    int nLength = FormatSourceNumber(dValue, sz);
    SetSourceText(strText, sz, nLength);
}
