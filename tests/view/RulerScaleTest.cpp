// The rulers' centimetre scale: mark layout at several zooms and scroll
// positions, the 0.1 mm mapping, and where the drawn labels land.
#include "tests/support/Gtest.h"
#include "tests/sheet/RenderCanvas.h"

#include "view/RulerScale.h"

namespace
{

// The pixel length of 1 cm at nZoom per cent, as the rulers convert it.
int CmPixels(CDC* pDC, int nZoom)
{
    CSize size(nZoom * 10, nZoom * 10);
    pDC->HIMETRICtoDP(&size);
    return size.cx;
}

int ScreenDpi()
{
    CClientDC dc(NULL);
    return dc.GetDeviceCaps(LOGPIXELSX);
}

// Pixel column (or row) of a scale position in 0.1 mm.
int PixelOf(int nTenthMm)
{
    return ::MulDiv(nTenthMm, ScreenDpi(), 254);
}

int InkIn(const sheettest::RenderCanvas& canvas, const RECT& rc)
{
    int n = 0;
    for (int y = rc.top; y < rc.bottom; ++y)
        for (int x = rc.left; x < rc.right; ++x)
            n += canvas.Pixel(x, y) == RGB(0, 0, 0) ? 1 : 0;
    return n;
}

TEST(RulerScaleTest, AtFullSizeEverySecondCentimetreIsLabelledWithMinorLinesBetween)
{
    if (ScreenDpi() != 96)
        GTEST_SKIP() << "the spacing below is that of a 96-dpi screen";
    CClientDC dc(NULL);
    CRulerScale scale = LayoutRulerScale(1000, 0, 0, 100, CmPixels(&dc, 100));
    EXPECT_EQ(1, scale.nStep);
    EXPECT_EQ(100, scale.nSpacing);
    ASSERT_EQ(11u, scale.marks.size());
    for (size_t i = 0; i < scale.marks.size(); ++i)
    {
        SCOPED_TRACE(i);
        EXPECT_EQ((int)(i + 1) * 100, scale.marks[i].nPos);
        EXPECT_EQ((int)i + 1, scale.marks[i].nNumber);
        EXPECT_EQ(i % 2 == 1, scale.marks[i].bLabelled != FALSE);
    }
}

TEST(RulerScaleTest, StepFollowsThePixelLengthOfACentimetre)
{
    CClientDC dc(NULL);
    CRulerScale scale400 = LayoutRulerScale(2000, 0, 0, 400, CmPixels(&dc, 400));
    EXPECT_EQ(1, scale400.nStep);
    EXPECT_EQ(400, scale400.nSpacing);

    int nCm10 = CmPixels(&dc, 10);
    ASSERT_GT(nCm10, 0);
    CRulerScale scale10 = LayoutRulerScale(2000, 0, 0, 10, nCm10);
    EXPECT_EQ(40 / nCm10, scale10.nStep);
    EXPECT_GT(scale10.nStep, 1);
    EXPECT_EQ(scale10.nStep * 10, scale10.nSpacing);
    ASSERT_GE(scale10.marks.size(), 2u);
    EXPECT_EQ(scale10.nStep, scale10.marks[0].nNumber);
    EXPECT_EQ(2 * scale10.nStep, scale10.marks[1].nNumber);
    EXPECT_TRUE(scale10.marks[1].bLabelled);

    // A zero pixel length counts as one: the largest step.
    EXPECT_EQ(40, LayoutRulerScale(100, 0, 0, 10, 0).nStep);
}

TEST(RulerScaleTest, ScrolledScaleStartsAtTheFirstMarkPastTheScrollWithAbsoluteNumbers)
{
    CRulerScale scale = LayoutRulerScale(500, 250, 0, 100, 37);
    ASSERT_EQ(6u, scale.marks.size());
    EXPECT_EQ(50, scale.marks[0].nPos);
    EXPECT_EQ(3, scale.marks[0].nNumber);
    EXPECT_FALSE(scale.marks[0].bLabelled);
    EXPECT_EQ(150, scale.marks[1].nPos);
    EXPECT_EQ(4, scale.marks[1].nNumber);
    EXPECT_TRUE(scale.marks[1].bLabelled);

    // The corner's width shifts every mark.
    CRulerScale shifted = LayoutRulerScale(500, 250, 60, 100, 37);
    ASSERT_EQ(scale.marks.size(), shifted.marks.size());
    for (size_t i = 0; i < scale.marks.size(); ++i)
        EXPECT_EQ(scale.marks[i].nPos + 60, shifted.marks[i].nPos);
    EXPECT_EQ(scale.marks.back().nNumber, shifted.marks.back().nNumber);
}

TEST(RulerScaleTest, TenthMillimetresFollowTheLogicalDpi)
{
    sheettest::RenderCanvas canvas(50, 50);
    SetTenthMillimetreMapping(canvas.DC());
    POINT pt = {254, 508};
    canvas.DC()->LPtoDP(&pt);
    EXPECT_EQ(canvas.DC()->GetDeviceCaps(LOGPIXELSX), pt.x);
    EXPECT_EQ(2 * canvas.DC()->GetDeviceCaps(LOGPIXELSY), pt.y);
}

TEST(RulerScaleTest, HorizontalLabelsSitRightOfTheirMarksInsideTheRuler)
{
    const int cx = 400, cy = 21;
    sheettest::RenderCanvas canvas(cx, cy);
    ASSERT_TRUE(canvas.IsReady());
    DrawRulerScale(canvas.DC(), TRUE, CSize(cx, cy), 0, 0, 100);
    int x2 = PixelOf(200);
    // The full-depth line of 2 cm, a half-depth one at 1 cm.
    EXPECT_EQ(RGB(0, 0, 0), canvas.Pixel(x2, 1));
    EXPECT_NE(RGB(0, 0, 0), canvas.Pixel(PixelOf(100), 1));
    EXPECT_EQ(RGB(0, 0, 0), canvas.Pixel(PixelOf(100), cy - 6));
    // The number "2" is in the outer half, just right of its line.
    EXPECT_GT(InkIn(canvas, CRect(x2 + 1, 0, x2 + 16, (cy - 5) / 2)), 0);
    // Nothing is drawn on the inner edge strip.
    EXPECT_EQ(0, InkIn(canvas, CRect(0, cy - 4, cx, cy)));
}

TEST(RulerScaleTest, VerticalLabelsRunDownFromTheirMarksInsideTheRuler)
{
    const int cx = 20, cy = 400;
    sheettest::RenderCanvas canvas(cx, cy);
    ASSERT_TRUE(canvas.IsReady());
    DrawRulerScale(canvas.DC(), FALSE, CSize(cx, cy), 0, 0, 100);
    canvas.SaveBmp(VIEW_TEST_EVIDENCE_DIR "/vertical-ruler-scale.bmp");
    int y2 = PixelOf(200);
    int y3 = PixelOf(300);
    EXPECT_EQ(RGB(0, 0, 0), canvas.Pixel(1, y2));
    // The turned number lies between its mark and the next, left of where
    // the minor lines begin.
    int nMinorFrom = (cx - 5) * 3 / 4;
    EXPECT_GT(InkIn(canvas, CRect(0, y2 + 1, nMinorFrom - 1, y3 - 1)), 0);
    // Nothing is drawn on the inner edge strip.
    EXPECT_EQ(0, InkIn(canvas, CRect(cx - 4, 0, cx, cy)));
}

} // namespace
