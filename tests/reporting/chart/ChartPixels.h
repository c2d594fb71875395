// Pixels of a drawn chart and measurements on them: where a colour lies,
// how much of it there is, and the angles a pie gives each colour.
#pragma once

// The C++ library before windows.h, whose min and max macros it cannot take.
#include <algorithm>
#include <cmath>
#include <vector>

#include <windows.h>

struct CChartImage
{
    int cx = 0;
    int cy = 0;
    std::vector<COLORREF> pixels;
    COLORREF At(int x, int y) const { return pixels[(size_t)y * cx + x]; }
};

// What the chart window paints, asked with WM_PRINTCLIENT.
BOOL CaptureChart(HWND hChart, CChartImage& image);
// A 24-bit bottom-up BMP file.
BOOL ReadBitmapFile(LPCSTR lpszPath, CChartImage& image);

// Within a few steps of each channel: anti-aliased edges are left out.
BOOL NearColor(COLORREF a, COLORREF b, int nTolerance = 6);
// The bounds of the pixels of the colour (empty when there are none).
RECT ColorBounds(const CChartImage& image, COLORREF crColor);
int CountColor(const CChartImage& image, COLORREF crColor, const RECT& rcArea, int nTolerance = 6);
// Degrees of a circle around (x, y) at radius r that each colour covers.
std::vector<double> ColorAngles(const CChartImage& image, double x, double y, double r,
                                const std::vector<COLORREF>& colors);
