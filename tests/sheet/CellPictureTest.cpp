#include "tests/support/Gtest.h"
#include "tests/support/MessageBoxRecorder.h"
#include "tests/sheet/RenderCanvas.h"
#include "tests/sheet/SolidPictureCell.h"
#include "sheet/CellDraw.h"
#include "sheet/PictureBlock.h"
#include "sheet/Sheet.h"

#include "framework/windows/ScopedGdi.h"

using sheettest::RenderCanvas;

namespace {

const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kBack = RGB(230, 230, 255);
const COLORREF kPaint = RGB(200, 30, 40);

CCell PictureCell(const RECT& rc, int cx, int cy, COLORREF cr)
{
    return sheettest::SolidPictureCell(rc, cx, cy, cr, kBack);
}

RECT Rect(int l, int t, int r, int b)
{
    RECT rc = { l, t, r, b };
    return rc;
}

void ExpectRect(const RECT& expected, const RECT& actual)
{
    EXPECT_EQ(expected.left, actual.left);
    EXPECT_EQ(expected.top, actual.top);
    EXPECT_EQ(expected.right, actual.right);
    EXPECT_EQ(expected.bottom, actual.bottom);
}

TEST(FitPictureRectTest, SmallPictureKeepsItsSizePlacedByAlignment)
{
    const RECT rcCell = Rect(10, 10, 110, 70);
    const int cx = 30, cy = 20;
    CCell cell = PictureCell(rcCell, cx, cy, kPaint);
    const int cxCell = rcCell.right - rcCell.left, cyCell = rcCell.bottom - rcCell.top;
    const int xs[3] = { rcCell.left, rcCell.left + (cxCell - cx), rcCell.left + (cxCell - cx) / 2 };
    const int ys[3] = { rcCell.top, rcCell.top + (cyCell - cy), rcCell.top + (cyCell - cy) / 2 };
    for (int h = CELL_ALIGN_LEFT; h <= CELL_ALIGN_MIDDLE; ++h)
        for (int v = CELL_ALIGN_TOP; v <= CELL_ALIGN_CENTER; ++v)
        {
            SCOPED_TRACE(::testing::Message() << "alignment " << h << "/" << v);
            cell.m_nHAlign = h;
            cell.m_nVAlign = v;
            RECT rcDest = rcCell, rcSource = Rect(0, 0, cx, cy);
            FitPictureRect(cell, rcDest, rcSource);
            int x = xs[h], y = ys[v - CELL_ALIGN_TOP];
            ExpectRect(Rect(x, y, x + cx, y + cy), rcDest);
            ExpectRect(Rect(0, 0, cx, cy), rcSource);
        }
}

TEST(FitPictureRectTest, LargePictureIsCutToTheCellNotScaled)
{
    const RECT rcCell = Rect(10, 10, 110, 70);
    CCell cell = PictureCell(rcCell, 200, 50, kPaint);
    cell.m_nHAlign = CELL_ALIGN_RIGHT;
    cell.m_nVAlign = CELL_ALIGN_BOTTOM;
    RECT rcDest = rcCell, rcSource = Rect(0, 0, 200, 50);
    FitPictureRect(cell, rcDest, rcSource);
    // Wider than the cell: the cell's width; lower: its own height, at the bottom.
    ExpectRect(Rect(rcCell.left, rcCell.bottom - 50, rcCell.right, rcCell.bottom), rcDest);
    ExpectRect(Rect(0, 0, rcCell.right - rcCell.left, 50), rcSource);
}

TEST(FitPictureRectTest, StretchedOrIncompletePictureIsLeftAlone)
{
    const RECT rcCell = Rect(10, 10, 110, 70);
    CCell cell = PictureCell(rcCell, 30, 20, kPaint);
    cell.m_bStretch = 1;
    RECT rcDest = rcCell, rcSource = Rect(0, 0, 30, 20);
    FitPictureRect(cell, rcDest, rcSource);
    ExpectRect(rcCell, rcDest);
    ExpectRect(Rect(0, 0, 30, 20), rcSource);

    cell.m_bStretch = 0;
    PictureBlockRelease(cell.m_hDibBits);
    cell.m_hDibBits = NULL;
    FitPictureRect(cell, rcDest, rcSource);
    ExpectRect(rcCell, rcDest);
}

class CellPictureTest : public ::testing::Test
{
protected:
    CellPictureTest() : canvas(200, 120) {}
    void SetUp() override { ASSERT_TRUE(canvas.IsReady()); }

    CSheet sheet;
    RenderCanvas canvas;
};

TEST_F(CellPictureTest, CentredPictureIsDrawnAtNaturalSizeInTheMiddle)
{
    const RECT rcCell = Rect(20, 20, 80, 60);
    const int cx = 10, cy = 6;
    CCell cell = PictureCell(rcCell, cx, cy, kPaint);
    sheet.DrawCell(canvas.DC(), cell);
    int x = rcCell.left + (rcCell.right - rcCell.left - cx) / 2;
    int y = rcCell.top + (rcCell.bottom - rcCell.top - cy) / 2;
    EXPECT_TRUE(canvas.IsPlain(Rect(x, y, x + cx, y + cy), kPaint));
    RECT rcInk = canvas.InkBox(rcCell, kBack);
    ExpectRect(Rect(x, y, x + cx, y + cy), rcInk);
    EXPECT_EQ(kBack, canvas.Pixel(rcCell.left, rcCell.top)) << "background around it";
}

TEST_F(CellPictureTest, StretchedPictureCoversTheWholeCell)
{
    const RECT rcCell = Rect(20, 20, 80, 60);
    CCell cell = PictureCell(rcCell, 7, 3, kPaint);
    cell.m_bStretch = 1;
    sheet.DrawCell(canvas.DC(), cell);
    EXPECT_TRUE(canvas.IsPlain(rcCell, kPaint));
    EXPECT_EQ(kWhite, canvas.Pixel(rcCell.right, rcCell.bottom));
}

TEST_F(CellPictureTest, DamagedPictureIsNotDrawn)
{
    const RECT rcCell = Rect(20, 20, 80, 60);
    CCell cell = PictureCell(rcCell, 10, 6, kPaint);
    cell.m_bStretch = 1;
    // The header claims more rows than the pixel block holds.
    ((BITMAPINFOHEADER*)cell.m_hDibInfo)->biHeight = 5000;
    sheet.DrawCell(canvas.DC(), cell);
    EXPECT_TRUE(canvas.IsPlain(rcCell, kBack));

    CCell empty = PictureCell(rcCell, 10, 6, kPaint);
    empty.ResetContent();
    canvas.Fill(kWhite);
    sheet.DrawCell(canvas.DC(), empty);
    EXPECT_TRUE(canvas.IsPlain(rcCell, kBack));
}

// A bitmap of cx by cy in colour cr, compatible with the canvas.
HBITMAP PaintedBitmap(RenderCanvas& canvas, int cx, int cy, COLORREF cr)
{
    HBITMAP hbm = ::CreateCompatibleBitmap(canvas.DC()->m_hDC, cx, cy);
    CScopedMemoryDC dcMem(canvas.DC()->m_hDC);
    {
        CScopedSelectObject select(dcMem.Get(), hbm);
        RECT rc = { 0, 0, cx, cy };
        HBRUSH hbr = ::CreateSolidBrush(cr);
        ::FillRect(dcMem, &rc, hbr);
        ::DeleteObject(hbr);
    }
    return hbm;
}

TEST_F(CellPictureTest, BitmapToDibMakesBlocksThatDrawTheSamePicture)
{
    const int cx = 13, cy = 9;
    CScopedGdiObject bitmap(PaintedBitmap(canvas, cx, cy, kPaint));
    BITMAP bm;
    ASSERT_EQ((int)sizeof(bm), ::GetObjectA(bitmap.Get(), sizeof(bm), &bm));
    ASSERT_EQ(32, bm.bmBitsPixel);

    HGLOBAL hInfo = NULL, hBits = NULL;
    ASSERT_TRUE(BitmapToDib(canvas.DC(), (HBITMAP)bitmap.Get(), hInfo, hBits));
    const BITMAPINFOHEADER& bih = *(const BITMAPINFOHEADER*)hInfo;
    EXPECT_EQ(sizeof(BITMAPINFOHEADER) + 4, PictureBlockSize(hInfo)) << "one entry at 32 bits";
    EXPECT_EQ(cx, bih.biWidth);
    EXPECT_EQ(cy, bih.biHeight);
    EXPECT_EQ(32, bih.biBitCount);
    EXPECT_EQ((DWORD)(cx * 4 * cy), bih.biSizeImage);
    EXPECT_EQ((SIZE_T)bih.biSizeImage, PictureBlockSize(hBits));
    EXPECT_EQ(1, PictureBlockRefCount(hInfo));

    CCell cell;
    cell.SetType(CELL_PICTURE);
    cell.m_rect = Rect(30, 30, 30 + cx, 30 + cy);
    cell.m_hDibInfo = hInfo;
    cell.m_hDibBits = hBits;
    EXPECT_TRUE(cell.IsPictureValid());
    sheet.DrawCell(canvas.DC(), cell);
    EXPECT_TRUE(canvas.IsPlain(cell.m_rect, kPaint));
}

TEST_F(CellPictureTest, BitmapToDibSizesLowDepthBlocksByTheirPaddedRows)
{
    struct Case
    {
        int nDepth;
        SIZE_T cbHeader;
    };
    for (const Case& c : { Case{ 1, 40 + 2 * 4 }, Case{ 8, 40 + 256 * 4 } })
    {
        SCOPED_TRACE(::testing::Message() << "depth " << c.nDepth);
        const int cx = 13, cy = 5;
        BITMAPINFO* pbmi = (BITMAPINFO*)calloc(1, sizeof(BITMAPINFOHEADER) + 256 * 4);
        pbmi->bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        pbmi->bmiHeader.biWidth = cx;
        pbmi->bmiHeader.biHeight = cy;
        pbmi->bmiHeader.biPlanes = 1;
        pbmi->bmiHeader.biBitCount = (WORD)c.nDepth;
        void* pBits = NULL;
        CScopedGdiObject bitmap(
            ::CreateDIBSection(NULL, pbmi, DIB_RGB_COLORS, &pBits, NULL, 0));
        free(pbmi);
        ASSERT_TRUE(bitmap.Get() != NULL);

        HGLOBAL hInfo = NULL, hBits = NULL;
        ASSERT_TRUE(BitmapToDib(canvas.DC(), (HBITMAP)bitmap.Get(), hInfo, hBits));
        EXPECT_EQ(c.cbHeader, PictureBlockSize(hInfo));
        SIZE_T cbRow = ((SIZE_T)cx * c.nDepth + 31) / 32 * 4;
        EXPECT_GE(PictureBlockSize(hBits), cbRow * cy);
        EXPECT_EQ((DWORD)(1u << c.nDepth), ((BITMAPINFOHEADER*)hInfo)->biClrUsed);

        CCell cell;
        cell.SetType(CELL_PICTURE);
        cell.m_hDibInfo = hInfo;
        cell.m_hDibBits = hBits;
        EXPECT_TRUE(cell.IsPictureValid());
        EXPECT_EQ(c.cbHeader, (SIZE_T)cell.PictureHeaderStoreSize());
    }
}

TEST_F(CellPictureTest, BitmapToDibFailureToldOnceAndLeavesNoBlocks)
{
    MessageBoxRecorder recorder;
    SIZE_T nLive = PictureBlockLiveCount();
    HGLOBAL hInfo = (HGLOBAL)1, hBits = (HGLOBAL)1;
    EXPECT_FALSE(BitmapToDib(canvas.DC(), NULL, hInfo, hBits));
    EXPECT_TRUE(hInfo == NULL && hBits == NULL);

    // A handle that is not a bitmap.
    CScopedGdiObject brush(::CreateSolidBrush(kPaint));
    EXPECT_FALSE(BitmapToDib(canvas.DC(), (HBITMAP)brush.Get(), hInfo, hBits));
    EXPECT_TRUE(hInfo == NULL && hBits == NULL);
    EXPECT_EQ(nLive, PictureBlockLiveCount());
    ASSERT_EQ(2u, recorder.Messages().size());
    EXPECT_EQ("Failed to get picture object.", recorder.Messages()[0].text);
    EXPECT_EQ("Failed to get picture object.", recorder.Messages()[1].text);
}

} // namespace
