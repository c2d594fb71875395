#include "framework/windows/DisabledBitmap.h"

#include <string.h>

#include <vector>

#include "framework/windows/ScopedGdi.h"

namespace
{
// Brightness 0-255 is drawn from kDarkest to kDarkest + kRange: black lines
// stay darker than the bar, white faces stay lighter.
const int kDarkest = 112;
const int kRange = 128;

// The grey of one pixel, never the transparent colour itself.
COLORREF DisabledGrey(COLORREF cr, COLORREF crTransparent)
{
    int nBrightness = (299 * GetRValue(cr) + 587 * GetGValue(cr) + 114 * GetBValue(cr)) / 1000;
    int nGrey = kDarkest + nBrightness * kRange / 255;
    COLORREF crGrey = RGB(nGrey, nGrey, nGrey);
    return crGrey == crTransparent ? RGB(nGrey - 1, nGrey - 1, nGrey - 1) : crGrey;
}
} // namespace

HBITMAP AfxCreateDisabledBitmap(HBITMAP hSource, COLORREF crTransparent)
{
    BITMAP bm = {};
    if (hSource == NULL || ::GetObject(hSource, sizeof(bm), &bm) == 0 || bm.bmWidth <= 0 ||
        bm.bmHeight <= 0)
        return NULL;
    BITMAPINFO bmi = {};
    bmi.bmiHeader.biSize = sizeof(bmi.bmiHeader);
    bmi.bmiHeader.biWidth = bm.bmWidth;
    bmi.bmiHeader.biHeight = -bm.bmHeight;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    bmi.bmiHeader.biCompression = BI_RGB;
    std::vector<RGBQUAD> pixels((size_t)bm.bmWidth * bm.bmHeight);
    CScopedMemoryDC dc(NULL);
    if (dc.Get() == NULL ||
        ::GetDIBits(dc.Get(), hSource, 0, (UINT)bm.bmHeight, &pixels[0], &bmi, DIB_RGB_COLORS) == 0)
        return NULL;
    for (RGBQUAD& pixel : pixels)
    {
        COLORREF cr = RGB(pixel.rgbRed, pixel.rgbGreen, pixel.rgbBlue);
        if (cr == crTransparent)
            continue;
        COLORREF crGrey = DisabledGrey(cr, crTransparent);
        pixel.rgbRed = GetRValue(crGrey);
        pixel.rgbGreen = GetGValue(crGrey);
        pixel.rgbBlue = GetBValue(crGrey);
    }
    void* pBits = NULL;
    HBITMAP hDisabled = ::CreateDIBSection(dc.Get(), &bmi, DIB_RGB_COLORS, &pBits, NULL, 0);
    if (hDisabled != NULL && pBits == NULL)
    {
        ::DeleteObject(hDisabled);
        return NULL;
    }
    if (hDisabled == NULL)
        return NULL;
    memcpy(pBits, &pixels[0], pixels.size() * sizeof(RGBQUAD));
    return hDisabled;
}
