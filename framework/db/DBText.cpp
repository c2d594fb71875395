// The standard headers come first: windows.h defines min and max macros.
#include <string.h>

#include <vector>

#include "framework/db/DBText.h"

#include "framework/core/WideText.h"

namespace
{

// UTF-16 of the bytes in the code page; FALSE when they are not valid in it.
BOOL ToWide(UINT nCodePage, DWORD dwFlags, const char* p, int nLength, std::vector<WCHAR>& wide)
{
    int nWide = MultiByteToWideChar(nCodePage, dwFlags, p, nLength, NULL, 0);
    if (nWide <= 0)
        return FALSE;
    wide.resize(nWide);
    return MultiByteToWideChar(nCodePage, dwFlags, p, nLength, wide.data(), nWide) == nWide;
}

void FromWide(UINT nCodePage, const std::vector<WCHAR>& wide, CString& str)
{
    int nBytes = WideCharToMultiByte(nCodePage, 0, wide.data(), (int)wide.size(), NULL, 0, NULL, NULL);
    if (nBytes < 0)
        nBytes = 0;
    char* p = str.GetBufferSetLength(nBytes);
    if (nBytes > 0)
        WideCharToMultiByte(nCodePage, 0, wide.data(), (int)wide.size(), p, nBytes, NULL, NULL);
}

} // namespace

CString DBTextToDriver(LPCSTR lpsz, int nLength)
{
    CString str;
    DBTextToDriver(lpsz, nLength, str);
    return str;
}

void DBTextToDriver(LPCSTR lpsz, int nLength, CString& str)
{
    if (nLength <= 0)
    {
        str.Empty();
        return;
    }
    std::vector<WCHAR> wide;
    if (GetACP() == CP_UTF8 || AfxIsAsciiText(lpsz, nLength) || !ToWide(CP_ACP, 0, lpsz, nLength, wide))
    {
        memcpy(str.GetBufferSetLength(nLength), lpsz, (size_t)nLength);
        return;
    }
    FromWide(CP_UTF8, wide, str);
}

void DBTextFromDriver(const char* p, int nLength, CString& str)
{
    std::vector<WCHAR> wide;
    if (nLength <= 0 || GetACP() == CP_UTF8 || AfxIsAsciiText(p, nLength) ||
        !ToWide(CP_UTF8, MB_ERR_INVALID_CHARS, p, nLength, wide))
    {
        memcpy(str.GetBufferSetLength(nLength > 0 ? nLength : 0), p, nLength > 0 ? (size_t)nLength : 0);
        return;
    }
    FromWide(CP_ACP, wide, str);
}
