#include "engines/dao/SourceNumbers.h"

#include <ctype.h>
#include <stdio.h>
#include <stdlib.h>

BOOL ParseSourceNumber(const CString& strText, double& dValue)
{
    LPCSTR p = strText;
    int n = strText.GetLength();
    if (n == 0 || isspace((unsigned char)p[0]) || isspace((unsigned char)p[n - 1]))
        return FALSE;
    // Only decimal forms: strtod would also take "inf", "nan" and hex.
    for (int i = 0; i < n; ++i)
        if (!isdigit((unsigned char)p[i]) && p[i] != '.' && p[i] != '-' && p[i] != '+' && p[i] != 'e' && p[i] != 'E')
            return FALSE;
    char* pEnd = NULL;
    dValue = strtod(p, &pEnd);
    return pEnd == p + n;
}

BOOL IsPlainNumber(const CString& strText)
{
    double dValue;
    if (!ParseSourceNumber(strText, dValue))
        return FALSE;
    LPCSTR p = strText;
    if (*p == '-')
        ++p;
    if (!isdigit((unsigned char)*p))
        return FALSE;
    if (p[0] == '0' && isdigit((unsigned char)p[1]))
        return FALSE;
    return strText[strText.GetLength() - 1] != '.';
}

CString SourceNumberText(double dValue)
{
    char sz[40];
    for (int nDigits = 15; nDigits <= 17; ++nDigits)
    {
        snprintf(sz, sizeof(sz), "%.*g", nDigits, dValue);
        if (strtod(sz, NULL) == dValue)
            break;
    }
    return sz;
}
