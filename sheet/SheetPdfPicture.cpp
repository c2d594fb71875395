#include "sheet/SheetPdfPicture.h"
#include "sheet/Sheet.h"

#include <string.h>

#include "framework/windows/Dc.h"

BOOL RenderPictureCell(const CSheet& sheet, const CCell& cell, std::vector<unsigned char>& rgb)
{
    const RECT& rc = cell.m_rect;
    int cx = rc.right - rc.left;
    int cy = rc.bottom - rc.top;
    if (cx <= 0 || cy <= 0 || !cell.IsPictureValid())
        return FALSE;

    BITMAPINFO bmi;
    memset(&bmi, 0, sizeof(bmi));
    bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bmi.bmiHeader.biWidth = cx;
    bmi.bmiHeader.biHeight = -cy;      // top-down rows
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    bmi.bmiHeader.biCompression = BI_RGB;
    BYTE* pBits = NULL;
    HBITMAP hBitmap = ::CreateDIBSection(NULL, &bmi, DIB_RGB_COLORS, (void**)&pBits, NULL, 0);
    if (hBitmap == NULL)
        return FALSE;

    BOOL bDrawn = FALSE;
    CDC dc;
    if (dc.CreateCompatibleDC(NULL))
    {
        HGDIOBJ hOld = ::SelectObject(dc.m_hDC, hBitmap);
        dc.SetWindowOrg(rc.left, rc.top);
        dc.FillSolidRect(&rc, cell.m_crBack);
        sheet.DrawPicture(&dc, cell);
        ::GdiFlush();
        ::SelectObject(dc.m_hDC, hOld);
        dc.DeleteDC();
        bDrawn = TRUE;
    }
    if (bDrawn)
    {
        size_t nPixels = (size_t)cx * (size_t)cy;
        rgb.resize(nPixels * 3);
        for (size_t i = 0; i < nPixels; ++i)
        {
            // 32-bit DIB pixels are blue, green, red, unused.
            rgb[i * 3] = pBits[i * 4 + 2];
            rgb[i * 3 + 1] = pBits[i * 4 + 1];
            rgb[i * 3 + 2] = pBits[i * 4];
        }
    }
    ::DeleteObject(hBitmap);
    return bDrawn;
}
