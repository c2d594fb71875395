#include "tests/reporting/chart/ChartPixels.h"

#include "framework/windows/ScopedGdi.h"

#include <math.h>
#include <stdio.h>
#include <stdlib.h>

#include <algorithm>

BOOL CaptureChart(HWND hChart, CChartImage& image)
{
    RECT rc;
    if (!GetClientRect(hChart, &rc) || rc.right <= 0 || rc.bottom <= 0)
        return FALSE;
    image.cx = rc.right;
    image.cy = rc.bottom;
    CScopedMemoryDC dc(NULL);
    void* pBits = NULL;
    CScopedGdiObject bitmap(CreateTopDownDib(dc, image.cx, image.cy, &pBits));
    if (dc.Get() == NULL || bitmap.Get() == NULL)
        return FALSE;
    CScopedSelectObject select(dc.Get(), bitmap.Get());
    SendMessageA(hChart, WM_PRINTCLIENT, (WPARAM)dc.Get(), PRF_CLIENT);
    GdiFlush();
    image.pixels.resize((size_t)image.cx * image.cy);
    const DWORD* pSrc = (const DWORD*)pBits;
    for (size_t i = 0; i < image.pixels.size(); ++i)
        image.pixels[i] = RGB((pSrc[i] >> 16) & 0xFF, (pSrc[i] >> 8) & 0xFF, pSrc[i] & 0xFF);
    return TRUE;
}

BOOL ReadBitmapFile(LPCSTR lpszPath, CChartImage& image)
{
    FILE* pFile = fopen(lpszPath, "rb");
    if (pFile == NULL)
        return FALSE;
    BITMAPFILEHEADER bfh;
    BITMAPINFOHEADER bih;
    BOOL bOk = fread(&bfh, sizeof(bfh), 1, pFile) == 1 && fread(&bih, sizeof(bih), 1, pFile) == 1 &&
               bfh.bfType == 0x4d42 && bih.biBitCount == 24 && bih.biWidth > 0 && bih.biHeight > 0;
    if (bOk)
    {
        image.cx = bih.biWidth;
        image.cy = bih.biHeight;
        image.pixels.assign((size_t)image.cx * image.cy, 0);
        size_t nStride = ((size_t)image.cx * 3 + 3) & ~(size_t)3;
        std::vector<BYTE> row(nStride);
        fseek(pFile, (long)bfh.bfOffBits, SEEK_SET);
        for (int y = image.cy - 1; bOk && y >= 0; --y)
        {
            bOk = fread(row.data(), 1, nStride, pFile) == nStride;
            for (int x = 0; bOk && x < image.cx; ++x)
                image.pixels[(size_t)y * image.cx + x] = RGB(row[x * 3 + 2], row[x * 3 + 1], row[x * 3]);
        }
    }
    fclose(pFile);
    return bOk;
}

BOOL NearColor(COLORREF a, COLORREF b, int nTolerance)
{
    return abs(GetRValue(a) - GetRValue(b)) <= nTolerance && abs(GetGValue(a) - GetGValue(b)) <= nTolerance &&
           abs(GetBValue(a) - GetBValue(b)) <= nTolerance;
}

RECT ColorBounds(const CChartImage& image, COLORREF crColor)
{
    RECT rc = { image.cx, image.cy, 0, 0 };
    for (int y = 0; y < image.cy; ++y)
        for (int x = 0; x < image.cx; ++x)
            if (NearColor(image.At(x, y), crColor))
            {
                rc.left = std::min<LONG>(rc.left, x);
                rc.top = std::min<LONG>(rc.top, y);
                rc.right = std::max<LONG>(rc.right, x + 1);
                rc.bottom = std::max<LONG>(rc.bottom, y + 1);
            }
    if (rc.right <= rc.left)
        SetRectEmpty(&rc);
    return rc;
}

int CountColor(const CChartImage& image, COLORREF crColor, const RECT& rcArea, int nTolerance)
{
    int nCount = 0;
    for (int y = std::max<LONG>(0, rcArea.top); y < std::min<LONG>(image.cy, rcArea.bottom); ++y)
        for (int x = std::max<LONG>(0, rcArea.left); x < std::min<LONG>(image.cx, rcArea.right); ++x)
            nCount += NearColor(image.At(x, y), crColor, nTolerance) ? 1 : 0;
    return nCount;
}

std::vector<double> ColorAngles(const CChartImage& image, double x, double y, double r,
                                const std::vector<COLORREF>& colors)
{
    const int nSteps = 1440;
    std::vector<double> angles(colors.size(), 0.0);
    for (int i = 0; i < nSteps; ++i)
    {
        double a = 2.0 * M_PI * i / nSteps;
        int px = (int)lround(x + r * cos(a)), py = (int)lround(y + r * sin(a));
        if (px < 0 || py < 0 || px >= image.cx || py >= image.cy)
            continue;
        for (size_t c = 0; c < colors.size(); ++c)
            if (NearColor(image.At(px, py), colors[c]))
                angles[c] += 360.0 / nSteps;
    }
    return angles;
}
