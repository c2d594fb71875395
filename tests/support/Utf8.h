// UTF-16 text as UTF-8, for comparing and printing in tests: the test
// framework's own printing of 16-bit strings does not fit Winelib's WCHAR.
#pragma once

#include <string>

#include <windows.h>

inline std::string Utf8(LPCWSTR lpsz, int nLength)
{
    int nBytes = WideCharToMultiByte(CP_UTF8, 0, lpsz, nLength, NULL, 0, NULL, NULL);
    std::string str(nBytes > 0 ? nBytes : 0, '\0');
    if (nBytes > 0)
        WideCharToMultiByte(CP_UTF8, 0, lpsz, nLength, &str[0], nBytes, NULL, NULL);
    return str;
}
