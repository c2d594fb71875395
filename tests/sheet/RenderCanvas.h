// A memory DC over a 32-bit top-down DIB section for the drawing tests:
// pixels are read straight from the bits, no display is needed.
#pragma once

#include <stdio.h>
#include <string.h>

#include <vector>

#include "tests/support/Gtest.h"
#include "framework/windows/Dc.h"

namespace sheettest
{

class RenderCanvas
{
public:
    RenderCanvas(int cx, int cy) : m_cx(cx), m_cy(cy), m_pBits(NULL), m_hOld(NULL)
    {
        BITMAPINFO bmi;
        memset(&bmi, 0, sizeof(bmi));
        bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        bmi.bmiHeader.biWidth = cx;
        bmi.bmiHeader.biHeight = -cy;
        bmi.bmiHeader.biPlanes = 1;
        bmi.bmiHeader.biBitCount = 32;
        bmi.bmiHeader.biCompression = BI_RGB;
        m_hBitmap = ::CreateDIBSection(NULL, &bmi, DIB_RGB_COLORS, (void**)&m_pBits, NULL, 0);
        m_dc.CreateCompatibleDC(NULL);
        if (m_hBitmap != NULL)
            m_hOld = ::SelectObject(m_dc.m_hDC, m_hBitmap);
        Fill(RGB(255, 255, 255));
    }
    ~RenderCanvas()
    {
        if (m_hOld != NULL)
            ::SelectObject(m_dc.m_hDC, m_hOld);
        m_dc.DeleteDC();
        if (m_hBitmap != NULL)
            ::DeleteObject(m_hBitmap);
    }
    RenderCanvas(const RenderCanvas&) = delete;
    RenderCanvas& operator=(const RenderCanvas&) = delete;

    BOOL IsReady() const { return m_pBits != NULL && m_dc.m_hDC != NULL; }
    CDC* DC() { return &m_dc; }
    int Width() const { return m_cx; }
    int Height() const { return m_cy; }

    void Fill(COLORREF cr)
    {
        RECT rc = { 0, 0, m_cx, m_cy };
        m_dc.FillSolidRect(&rc, cr);
    }

    // The pixel as a COLORREF; white outside the canvas.
    COLORREF Pixel(int x, int y) const
    {
        if (x < 0 || y < 0 || x >= m_cx || y >= m_cy)
            return RGB(255, 255, 255);
        ::GdiFlush();
        DWORD v = m_pBits[(size_t)y * m_cx + x];
        return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
    }

    // Which of n pixels from (x, y) in steps of (dx, dy) have colour cr.
    std::vector<bool> Line(int x, int y, int dx, int dy, int n, COLORREF cr) const
    {
        std::vector<bool> hits;
        for (int i = 0; i < n; ++i)
            hits.push_back(Pixel(x + i * dx, y + i * dy) == cr);
        return hits;
    }

    // Smallest rectangle holding every pixel of rcArea that is not crBack;
    // empty when there is none.
    RECT InkBox(const RECT& rcArea, COLORREF crBack) const
    {
        RECT rc = { 0, 0, 0, 0 };
        BOOL bAny = FALSE;
        for (int y = rcArea.top; y < rcArea.bottom; ++y)
            for (int x = rcArea.left; x < rcArea.right; ++x)
                if (Pixel(x, y) != crBack)
                {
                    if (!bAny)
                    {
                        ::SetRect(&rc, x, y, x + 1, y + 1);
                        bAny = TRUE;
                    }
                    rc.left = x < rc.left ? x : rc.left;
                    rc.top = y < rc.top ? y : rc.top;
                    rc.right = x + 1 > rc.right ? x + 1 : rc.right;
                    rc.bottom = y + 1 > rc.bottom ? y + 1 : rc.bottom;
                }
        return rc;
    }

    // TRUE when every pixel of rcArea has colour cr.
    bool IsPlain(const RECT& rcArea, COLORREF cr) const
    {
        RECT rc = InkBox(rcArea, cr);
        return ::IsRectEmpty(&rc) != FALSE;
    }

    // Writes the canvas as a 32-bit BMP file.
    bool SaveBmp(const char* pszPath) const
    {
        ::GdiFlush();
        FILE* pFile = fopen(pszPath, "wb");
        if (pFile == NULL)
            return false;
        DWORD cbBits = (DWORD)m_cx * m_cy * 4;
        BITMAPFILEHEADER bfh;
        memset(&bfh, 0, sizeof(bfh));
        bfh.bfType = 0x4D42;
        bfh.bfOffBits = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
        bfh.bfSize = bfh.bfOffBits + cbBits;
        BITMAPINFOHEADER bih;
        memset(&bih, 0, sizeof(bih));
        bih.biSize = sizeof(bih);
        bih.biWidth = m_cx;
        bih.biHeight = -m_cy;
        bih.biPlanes = 1;
        bih.biBitCount = 32;
        bih.biCompression = BI_RGB;
        bool bOk = fwrite(&bfh, sizeof(bfh), 1, pFile) == 1
                   && fwrite(&bih, sizeof(bih), 1, pFile) == 1
                   && fwrite(m_pBits, cbBits, 1, pFile) == 1;
        return fclose(pFile) == 0 && bOk;
    }

private:
    int m_cx;
    int m_cy;
    CDC m_dc;
    HBITMAP m_hBitmap;
    DWORD* m_pBits;
    HGDIOBJ m_hOld;
};

// Number of true entries.
inline int CountHits(const std::vector<bool>& hits)
{
    int n = 0;
    for (bool b : hits)
        n += b ? 1 : 0;
    return n;
}

// Length of the longest run of true entries.
inline int LongestRun(const std::vector<bool>& hits)
{
    int nBest = 0;
    int nRun = 0;
    for (bool b : hits)
    {
        nRun = b ? nRun + 1 : 0;
        nBest = nRun > nBest ? nRun : nBest;
    }
    return nBest;
}

} // namespace sheettest
