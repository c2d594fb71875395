#include "engines/dao/spreadsheet/CellText.h"

#include <string.h>

#include "engines/dao/SourceTable.h"
#include "framework/core/WideText.h"

CString AnsiFromUtf8(const char* pszUtf8, int nLength)
{
    if (nLength < 0)
        nLength = (int)strlen(pszUtf8);
    if (nLength == 0)
        return CString();
    if (AfxIsAsciiText(pszUtf8, nLength))
        return CString(pszUtf8, nLength);
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

void SetAnsiFromUtf8(CString& strText, const char* pszUtf8, int nLength)
{
    if (AfxIsAsciiText(pszUtf8, nLength))
        SetSourceText(strText, pszUtf8, nLength);
    else
        strText = AnsiFromUtf8(pszUtf8, nLength);
}
