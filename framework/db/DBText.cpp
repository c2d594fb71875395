// The standard headers come first: windows.h defines min and max macros.
#include <string.h>

#include <vector>

#include "framework/db/DBText.h"

namespace
{

// UTF-16 of the bytes in the code page; FALSE when they are not valid in it.
BOOL ToWide(UINT nCodePage, const char* p, int nLength, std::vector<WCHAR>& wide)
{
    int nWide = MultiByteToWideChar(nCodePage, MB_ERR_INVALID_CHARS, p, nLength, NULL, 0);
    if (nWide <= 0)
        return FALSE;
    wide.resize(nWide);
    return MultiByteToWideChar(nCodePage, MB_ERR_INVALID_CHARS, p, nLength, wide.data(), nWide) == nWide;
}

void FromWide(UINT nCodePage, const std::vector<WCHAR>& wide, CString& str, BOOL* pbInexact = NULL)
{
    // UTF-8 takes no flags; a code page without best fit shows what it
    // lacks as its default character.
    DWORD dwFlags = nCodePage == CP_UTF8 ? 0 : WC_NO_BEST_FIT_CHARS;
    int nBytes = WideCharToMultiByte(nCodePage, dwFlags, wide.data(), (int)wide.size(), NULL, 0, NULL, NULL);
    if (nBytes < 0)
        nBytes = 0;
    char* p = str.GetBufferSetLength(nBytes);
    BOOL bDefault = FALSE;
    if (nBytes > 0)
        WideCharToMultiByte(nCodePage, dwFlags, wide.data(), (int)wide.size(), p, nBytes, NULL,
                            nCodePage == CP_UTF8 ? NULL : &bDefault);
    if (pbInexact != NULL)
        *pbInexact = bDefault;
}

void CopyBytes(const char* p, int nLength, CString& str)
{
    memcpy(str.GetBufferSetLength(nLength > 0 ? nLength : 0), p, nLength > 0 ? (size_t)nLength : 0);
}

} // namespace

CString DBTextToDriver(LPCSTR lpsz, int nLength)
{
    CString str;
    DBTextToDriver(lpsz, nLength, str);
    return str;
}

CString DBTextToDriver(LPCSTR lpsz)
{
    return DBTextToDriver(lpsz != NULL ? lpsz : "", lpsz != NULL ? lstrlenA(lpsz) : 0);
}

void DBTextToDriver(LPCSTR lpsz, int nLength, CString& str, UINT nCodePage)
{
    std::vector<WCHAR> wide;
    UINT nSource = nCodePage == CP_ACP ? GetACP() : nCodePage;
    if (nLength <= 0 || nSource == CP_UTF8 || AfxIsAsciiText(lpsz, nLength) || !ToWide(nSource, lpsz, nLength, wide))
    {
        CopyBytes(lpsz, nLength, str);
        return;
    }
    FromWide(CP_UTF8, wide, str);
}

void DBTextFromDriver(const char* p, int nLength, CString& str, UINT nCodePage, BOOL* pbInexact)
{
    if (pbInexact != NULL)
        *pbInexact = FALSE;
    std::vector<WCHAR> wide;
    UINT nTarget = nCodePage == CP_ACP ? GetACP() : nCodePage;
    if (nLength <= 0 || nTarget == CP_UTF8 || AfxIsAsciiText(p, nLength) || !ToWide(CP_UTF8, p, nLength, wide))
    {
        CopyBytes(p, nLength, str);
        return;
    }
    FromWide(nCodePage, wide, str, pbInexact);
}

CString DBTextFromDriver(LPCSTR psz)
{
    CString strText;
    DBTextFromDriver(psz != NULL ? psz : "", psz != NULL ? lstrlenA(psz) : 0, strText);
    return strText;
}

CWideText DBStoredTextToWide(LPCSTR p, int nLength)
{
    if (nLength > 0 && !AfxIsAsciiText(p, nLength)
        && MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, p, nLength, NULL, 0) > 0)
        return CWideText(p, nLength, CP_UTF8);
    return CWideText(p, nLength, CP_ACP);
}

CString DBStoredTextAsUtf8(LPCSTR p, int nLength)
{
    if (nLength <= 0 || AfxIsAsciiText(p, nLength)
        || MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, p, nLength, NULL, 0) > 0)
        return CString(p, nLength > 0 ? nLength : 0);
    return DBTextToDriver(p, nLength);
}
