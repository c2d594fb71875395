#include "shell/MenuText.h"

LPWSTR AnsiToWide(LPWSTR lpDest, LPCSTR lpSrc, int nDestLen, UINT nCodePage)
{
    if (lpDest == NULL || lpSrc == NULL || nDestLen <= 0)
        return NULL;
    if (::MultiByteToWideChar(nCodePage, 0, lpSrc, -1, lpDest, nDestLen) == 0)
        return NULL;
    return lpDest;
}

LPSTR WideToAnsi(LPSTR lpDest, LPCWSTR lpSrc, int nDestLen, UINT nCodePage)
{
    if (lpDest == NULL || lpSrc == NULL || nDestLen <= 0)
        return NULL;
    if (::WideCharToMultiByte(nCodePage, 0, lpSrc, -1, lpDest, nDestLen, NULL, NULL) == 0)
        return NULL;
    return lpDest;
}

CString WideToAnsiString(LPCWSTR lpsz)
{
    CString str;
    if (lpsz == NULL)
        return str;
    int nLen = ::WideCharToMultiByte(CP_ACP, 0, lpsz, -1, NULL, 0, NULL, NULL);
    if (nLen <= 0)
        return str;
    char* p = str.GetBuffer(nLen);
    if (WideToAnsi(p, lpsz, nLen, CP_ACP) == NULL)
        p[0] = 0;
    str.ReleaseBuffer();
    return str;
}

LPWSTR DuplicateWide(LPCWSTR lpsz)
{
    if (lpsz == NULL)
        lpsz = L"";
    int n = ::lstrlenW(lpsz);
    LPWSTR p = new WCHAR[n + 1];
    for (int i = 0; i <= n; ++i)
        p[i] = lpsz[i];
    return p;
}

void ReplaceWide(LPWSTR& rpsz, LPCWSTR lpsz)
{
    LPWSTR p = DuplicateWide(lpsz);
    delete[] rpsz;
    rpsz = p;
}

LPCWSTR FindTab(LPCWSTR lpsz)
{
    for (; lpsz != NULL && *lpsz != 0; ++lpsz)
        if (*lpsz == L'\t')
            return lpsz;
    return NULL;
}

WCHAR LowerWide(WCHAR ch)
{
    WCHAR buf[1] = {ch};
    ::CharLowerBuffW(buf, 1);
    return buf[0];
}

HFONT CreateMenuFont()
{
    NONCLIENTMETRICSA ncm = {};
    ncm.cbSize = sizeof(ncm);
    if (!::SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof(ncm), &ncm, 0))
        return (HFONT)::GetStockObject(DEFAULT_GUI_FONT);
    return ::CreateFontIndirectA(&ncm.lfMenuFont);
}
