// UTF-16 text as UTF-8, for comparing and printing in tests: the test
// framework's own printing of 16-bit strings does not fit Winelib's WCHAR;
// UTF-8 text in the system code page, and bytes as hex.
#pragma once

#include <stdio.h>

#include <string>

#include <windows.h>

#include "framework/core/String.h"

inline std::string Utf8(LPCWSTR lpsz, int nLength)
{
    int nBytes = WideCharToMultiByte(CP_UTF8, 0, lpsz, nLength, NULL, 0, NULL, NULL);
    std::string str(nBytes > 0 ? nBytes : 0, '\0');
    if (nBytes > 0)
        WideCharToMultiByte(CP_UTF8, 0, lpsz, nLength, &str[0], nBytes, NULL, NULL);
    return str;
}

// UTF-8 text in the system code page; "" when the code page lacks one of
// its characters.
inline CString CodePageText(const char* pszUtf8)
{
    WCHAR wide[256];
    int nWide = MultiByteToWideChar(CP_UTF8, 0, pszUtf8, -1, wide, 256);
    char szText[512];
    BOOL bDefaulted = FALSE;
    if (nWide <= 0 || WideCharToMultiByte(CP_ACP, 0, wide, nWide, szText, sizeof(szText), NULL, &bDefaulted) <= 0 ||
        bDefaulted)
        return CString();
    return szText;
}

// The bytes as lower-case hex.
inline std::string HexOf(const char* pszBytes)
{
    std::string hex;
    for (const char* p = pszBytes; *p != '\0'; ++p)
    {
        char szByte[3];
        snprintf(szByte, sizeof(szByte), "%02x", (unsigned char)*p);
        hex += szByte;
    }
    return hex;
}
