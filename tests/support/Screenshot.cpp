#include "tests/support/Screenshot.h"

#include <vector>

BOOL SaveWindowScreenshot(HWND hWnd, LPCSTR lpszPath)
{
    RECT rc;
    if (!::GetWindowRect(hWnd, &rc))
        return FALSE;
    int cx = rc.right - rc.left, cy = rc.bottom - rc.top;
    if (cx <= 0 || cy <= 0)
        return FALSE;
    HDC hScreen = ::GetDC(NULL);
    HDC hMem = ::CreateCompatibleDC(hScreen);
    HBITMAP hBitmap = ::CreateCompatibleBitmap(hScreen, cx, cy);
    HGDIOBJ hOld = ::SelectObject(hMem, hBitmap);
    ::BitBlt(hMem, 0, 0, cx, cy, hScreen, rc.left, rc.top, SRCCOPY);
    ::SelectObject(hMem, hOld);

    BITMAPINFOHEADER bih = {};
    bih.biSize = sizeof(bih);
    bih.biWidth = cx;
    bih.biHeight = cy;
    bih.biPlanes = 1;
    bih.biBitCount = 24;
    bih.biCompression = BI_RGB;
    int nStride = (cx * 3 + 3) & ~3;
    std::vector<BYTE> bits((size_t)nStride * cy);
    BOOL bOk = ::GetDIBits(hMem, hBitmap, 0, (UINT)cy, bits.data(), (BITMAPINFO*)&bih, DIB_RGB_COLORS) == cy;
    ::DeleteObject(hBitmap);
    ::DeleteDC(hMem);
    ::ReleaseDC(NULL, hScreen);
    if (!bOk)
        return FALSE;

    BITMAPFILEHEADER bfh = {};
    bfh.bfType = 0x4d42;
    bfh.bfOffBits = sizeof(bfh) + sizeof(bih);
    bfh.bfSize = bfh.bfOffBits + (DWORD)bits.size();
    HANDLE hFile = ::CreateFileA(lpszPath, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    if (hFile == INVALID_HANDLE_VALUE)
        return FALSE;
    DWORD dwWritten = 0;
    bOk = ::WriteFile(hFile, &bfh, sizeof(bfh), &dwWritten, NULL) &&
          ::WriteFile(hFile, &bih, sizeof(bih), &dwWritten, NULL) &&
          ::WriteFile(hFile, bits.data(), (DWORD)bits.size(), &dwWritten, NULL);
    ::CloseHandle(hFile);
    return bOk;
}
