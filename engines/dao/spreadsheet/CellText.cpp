#include "engines/dao/spreadsheet/CellText.h"

#include <math.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "framework/core/WideText.h"

CString NumberCellText(double dValue)
{
    if (dValue == 0.0)
        return "0";  // no "-0"
    char sz[40];
    for (int nDigits = 15; nDigits <= 17; ++nDigits)
    {
        snprintf(sz, sizeof(sz), "%.*g", nDigits, dValue);
        if (strtod(sz, NULL) == dValue)
            break;
    }
    return sz;
}

BOOL ParseNumberCellText(const CString& strText, double& dValue)
{
    LPCSTR psz = strText;
    if (*psz == '\0' || strspn(psz, "0123456789+-.eE") != (size_t)strText.GetLength())
        return FALSE;
    char* pEnd = NULL;
    double d = strtod(psz, &pEnd);
    if (pEnd == psz || *pEnd != '\0' || !isfinite(d))
        return FALSE;
    dValue = d;
    return TRUE;
}

CString AnsiFromUtf8(const char* pszUtf8, int nLength)
{
    if (nLength < 0)
        nLength = (int)strlen(pszUtf8);
    if (nLength == 0)
        return CString();
    CWideText wide(pszUtf8, nLength, CP_UTF8);
    int nBytes = WideCharToMultiByte(CP_ACP, 0, wide.GetString(), wide.GetLength(), NULL, 0, NULL, NULL);
    CString strText;
    if (nBytes <= 0)
        return strText;
    nBytes = WideCharToMultiByte(CP_ACP, 0, wide.GetString(), wide.GetLength(), strText.GetBuffer(nBytes), nBytes,
                                 NULL, NULL);
    strText.ReleaseBuffer(nBytes > 0 ? nBytes : 0);
    return strText;
}
