// The caption buttons draw their glyphs (the minimise bar, the maximise box,
// the close cross) from the Marlett font the prefix must have registered;
// without it the same calls draw the letters "0", "1" and "r".  The buttons
// are drawn as the window caption draws them, at the caption's size.
#include <windows.h>

#include <algorithm>
#include <vector>

#include "tests/support/Gtest.h"

namespace
{

// The black pixels inside the button's 3-D border, as rows of flags.
struct Glyph
{
    int cx = 0;
    int cy = 0;
    std::vector<bool> ink;
    bool At(int x, int y) const { return ink[(size_t)(y * cx + x)]; }
    // Bounding box of the ink.
    int left = 0, top = 0, right = -1, bottom = -1;
    int Width() const { return right - left + 1; }
    int Height() const { return bottom - top + 1; }
};

Glyph DrawCaptionButton(UINT nState)
{
    int cx = GetSystemMetrics(SM_CXSIZE);
    int cy = GetSystemMetrics(SM_CYSIZE);
    HDC hScreen = GetDC(NULL);
    HDC hDC = CreateCompatibleDC(hScreen);
    HBITMAP hBitmap = CreateCompatibleBitmap(hScreen, cx, cy);
    ReleaseDC(NULL, hScreen);
    HGDIOBJ hOld = SelectObject(hDC, hBitmap);
    RECT rc = { 0, 0, cx, cy };
    FillRect(hDC, &rc, GetSysColorBrush(COLOR_BTNFACE));
    DrawFrameControl(hDC, &rc, DFC_CAPTION, nState);
    Glyph glyph;
    const int kBorder = 2;
    glyph.cx = cx - 2 * kBorder;
    glyph.cy = cy - 2 * kBorder;
    glyph.left = glyph.cx;
    glyph.top = glyph.cy;
    for (int y = 0; y < glyph.cy; ++y)
    {
        for (int x = 0; x < glyph.cx; ++x)
        {
            bool bInk = GetPixel(hDC, x + kBorder, y + kBorder) == GetSysColor(COLOR_BTNTEXT);
            glyph.ink.push_back(bInk);
            if (bInk)
            {
                glyph.left = std::min(glyph.left, x);
                glyph.right = std::max(glyph.right, x);
                glyph.top = std::min(glyph.top, y);
                glyph.bottom = std::max(glyph.bottom, y);
            }
        }
    }
    SelectObject(hDC, hOld);
    DeleteObject(hBitmap);
    DeleteDC(hDC);
    return glyph;
}

// Share of the ink whose mirror image in the bounding box is ink too.
double MirrorMatch(const Glyph& glyph, bool bHorizontal)
{
    int nInk = 0, nMatched = 0;
    for (int y = glyph.top; y <= glyph.bottom; ++y)
    {
        for (int x = glyph.left; x <= glyph.right; ++x)
        {
            if (!glyph.At(x, y))
                continue;
            ++nInk;
            int mx = bHorizontal ? glyph.left + glyph.right - x : x;
            int my = bHorizontal ? y : glyph.top + glyph.bottom - y;
            nMatched += glyph.At(mx, my) ? 1 : 0;
        }
    }
    return nInk == 0 ? 0.0 : (double)nMatched / nInk;
}

} // namespace

TEST(CaptionGlyphTest, CloseIsACross)
{
    Glyph glyph = DrawCaptionButton(DFCS_CAPTIONCLOSE);
    ASSERT_GT(glyph.Width(), 3) << "no glyph drawn";
    // A cross is as wide as it is high and mirrors both ways; an "r" does not.
    EXPECT_NEAR(glyph.Width(), glyph.Height(), 2);
    EXPECT_GE(MirrorMatch(glyph, true), 0.8);
    EXPECT_GE(MirrorMatch(glyph, false), 0.8);
    // Its corners are ink.
    EXPECT_TRUE(glyph.At(glyph.left, glyph.top) || glyph.At(glyph.left + 1, glyph.top));
    EXPECT_TRUE(glyph.At(glyph.right, glyph.bottom) || glyph.At(glyph.right - 1, glyph.bottom));
}

TEST(CaptionGlyphTest, MinimiseIsABarAtTheBottom)
{
    Glyph glyph = DrawCaptionButton(DFCS_CAPTIONMIN);
    ASSERT_GT(glyph.Width(), 3) << "no glyph drawn";
    // A flat bar in the lower half; a "0" is a tall ring.
    EXPECT_LE(glyph.Height(), 3);
    EXPECT_GE(glyph.Width(), 2 * glyph.Height());
    EXPECT_GT(glyph.top, glyph.cy / 2);
}

TEST(CaptionGlyphTest, MaximiseIsABoxWithAHeavyTop)
{
    Glyph glyph = DrawCaptionButton(DFCS_CAPTIONMAX);
    ASSERT_GT(glyph.Width(), 3) << "no glyph drawn";
    // A box about as wide as high; a "1" is a narrow stroke.
    EXPECT_GE(glyph.Width() * 3, glyph.Height() * 2);
    for (int x = glyph.left; x <= glyph.right; ++x)
    {
        EXPECT_TRUE(glyph.At(x, glyph.top)) << x;
        EXPECT_TRUE(glyph.At(x, glyph.top + 1)) << x;
        EXPECT_TRUE(glyph.At(x, glyph.bottom)) << x;
    }
    for (int y = glyph.top; y <= glyph.bottom; ++y)
    {
        EXPECT_TRUE(glyph.At(glyph.left, y)) << y;
        EXPECT_TRUE(glyph.At(glyph.right, y)) << y;
    }
}
