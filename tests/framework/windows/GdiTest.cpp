#include "framework/windows/Dc.h"
#include "framework/windows/GdiObject.h"
#include "framework/windows/ScopedGdi.h"

#include "tests/support/Gtest.h"

namespace
{

const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kRed = RGB(255, 0, 0);
const COLORREF kGreen = RGB(0, 255, 0);
const COLORREF kBlue = RGB(0, 0, 255);

// A memory DC on a screen-compatible bitmap, cleared to white.
class GdiTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        CClientDC screen(NULL);
        ASSERT_TRUE(m_dc.CreateCompatibleDC(&screen));
        ASSERT_TRUE(m_bitmap.CreateCompatibleBitmap(&screen, 64, 64));
        // Kept as a handle: the wrapper SelectObject returns is temporary.
        CBitmap* pOldBitmap = m_dc.SelectObject(&m_bitmap);
        ASSERT_TRUE(pOldBitmap != NULL);
        m_hOldBitmap = pOldBitmap->m_hObject;
        m_dc.FillSolidRect(0, 0, 64, 64, kWhite);
    }

    void TearDown() override
    {
        if (m_hOldBitmap != NULL)
            ::SelectObject(m_dc, m_hOldBitmap);
        AfxDeleteTempGdiObjects();
    }

    void ExpectPixel(int x, int y, COLORREF expected)
    {
        SCOPED_TRACE(testing::Message() << "pixel (" << x << ", " << y << ")");
        EXPECT_EQ(expected, m_dc.GetPixel(x, y));
    }

    CDC m_dc;
    CBitmap m_bitmap;
    HGDIOBJ m_hOldBitmap = NULL;
};

}

TEST_F(GdiTest, BitmapHasTheRequestedSize)
{
    BITMAP info;
    ASSERT_EQ((int)sizeof(info), m_bitmap.GetBitmap(&info));
    EXPECT_EQ(64, info.bmWidth);
    EXPECT_EQ(64, info.bmHeight);
    EXPECT_GT(info.bmBitsPixel, 1);
}

TEST_F(GdiTest, SelectObjectReturnsThePreviousWrapper)
{
    CPen red(PS_SOLID, 1, kRed), blue(PS_SOLID, 1, kBlue);
    CPen* pDefault = m_dc.SelectObject(&red);
    ASSERT_TRUE(pDefault != NULL);
    EXPECT_EQ(::GetStockObject(BLACK_PEN), pDefault->m_hObject);
    EXPECT_TRUE(pDefault->IsKindOf(RUNTIME_CLASS(CPen)));
    // A wrapper this thread owns comes back as itself.
    EXPECT_EQ(&red, m_dc.SelectObject(&blue));
    EXPECT_EQ(blue.m_hObject, ::GetCurrentObject(m_dc, OBJ_PEN));
    EXPECT_EQ(&blue, m_dc.GetCurrentPen());
    EXPECT_EQ(&blue, m_dc.SelectObject(pDefault));
    EXPECT_EQ(::GetStockObject(BLACK_PEN), ::GetCurrentObject(m_dc, OBJ_PEN));

    CGdiObject* pBrush = m_dc.SelectStockObject(GRAY_BRUSH);
    ASSERT_TRUE(pBrush != NULL);
    EXPECT_EQ(::GetStockObject(GRAY_BRUSH), ::GetCurrentObject(m_dc, OBJ_BRUSH));
    m_dc.SelectObject(pBrush);
    EXPECT_EQ(pBrush->m_hObject, ::GetCurrentObject(m_dc, OBJ_BRUSH));

    CPen empty;
    EXPECT_TRUE(m_dc.SelectObject(&empty) == NULL);
}

TEST_F(GdiTest, ScopedSelectRestoresInReverseOrder)
{
    CBrush red(kRed), green(kGreen);
    HGDIOBJ hBefore = ::GetCurrentObject(m_dc, OBJ_BRUSH);
    {
        CScopedSelectObject outer(m_dc, red);
        EXPECT_TRUE(outer.IsSelected());
        EXPECT_EQ(red.m_hObject, ::GetCurrentObject(m_dc, OBJ_BRUSH));
        {
            CScopedSelectObject inner(m_dc, &green);
            EXPECT_EQ(green.m_hObject, ::GetCurrentObject(m_dc, OBJ_BRUSH));
        }
        EXPECT_EQ(red.m_hObject, ::GetCurrentObject(m_dc, OBJ_BRUSH));
    }
    EXPECT_EQ(hBefore, ::GetCurrentObject(m_dc, OBJ_BRUSH));

    CScopedSelectObject nothing(m_dc, (CGdiObject*)NULL);
    EXPECT_FALSE(nothing.IsSelected());
}

TEST_F(GdiTest, SaveAndRestoreBringBackTheState)
{
    CPen red(PS_SOLID, 1, kRed);
    m_dc.SetTextColor(kBlue);
    int nSaved = m_dc.SaveDC();
    ASSERT_NE(0, nSaved);
    m_dc.SetTextColor(kGreen);
    m_dc.SetBkMode(TRANSPARENT);
    m_dc.SetMapMode(MM_LOMETRIC);
    m_dc.SelectObject(&red);
    EXPECT_TRUE(m_dc.RestoreDC(nSaved));
    EXPECT_EQ(kBlue, m_dc.GetTextColor());
    EXPECT_EQ(OPAQUE, m_dc.GetBkMode());
    EXPECT_EQ(MM_TEXT, m_dc.GetMapMode());
    EXPECT_EQ(::GetStockObject(BLACK_PEN), ::GetCurrentObject(m_dc, OBJ_PEN));

    {
        CScopedSaveDC saved(m_dc);
        EXPECT_NE(0, saved.GetSavedState());
        m_dc.SetROP2(R2_XORPEN);
        m_dc.SetTextAlign(TA_BOTTOM | TA_RIGHT);
        m_dc.IntersectClipRect(0, 0, 4, 4);
    }
    EXPECT_EQ(R2_COPYPEN, m_dc.GetROP2());
    EXPECT_EQ((UINT)(TA_TOP | TA_LEFT), m_dc.GetTextAlign());
    CRect clip;
    m_dc.GetClipBox(clip);
    EXPECT_EQ(64, clip.Width());
}

TEST_F(GdiTest, FillSolidRectPaintsExactlyTheRect)
{
    m_dc.FillSolidRect(CRect(10, 10, 20, 15), kRed);
    ExpectPixel(10, 10, kRed);
    ExpectPixel(19, 14, kRed);
    ExpectPixel(20, 14, kWhite);
    ExpectPixel(19, 15, kWhite);
    ExpectPixel(9, 10, kWhite);
    // Filling goes through the background colour and leaves it set.
    EXPECT_EQ(kRed, m_dc.GetBkColor());
}

TEST_F(GdiTest, RectangleUsesPenForBorderAndBrushInside)
{
    CPen blue(PS_SOLID, 1, kBlue);
    CBrush green(kGreen);
    CScopedSelectObject pen(m_dc, blue);
    CScopedSelectObject brush(m_dc, green);
    ASSERT_TRUE(m_dc.Rectangle(CRect(5, 5, 15, 12)));
    ExpectPixel(5, 5, kBlue);
    ExpectPixel(14, 11, kBlue);
    ExpectPixel(10, 5, kBlue);
    ExpectPixel(8, 8, kGreen);
    ExpectPixel(15, 11, kWhite);
    ExpectPixel(14, 12, kWhite);
}

TEST_F(GdiTest, LineToStopsBeforeItsEnd)
{
    CPen red(PS_SOLID, 1, kRed);
    CScopedSelectObject pen(m_dc, red);
    m_dc.MoveTo(3, 7);
    CPoint previous = m_dc.MoveTo(2, 20);
    EXPECT_TRUE(previous == CPoint(3, 7));
    ASSERT_TRUE(m_dc.LineTo(12, 20));
    EXPECT_TRUE(m_dc.GetCurrentPosition() == CPoint(12, 20));
    ExpectPixel(2, 20, kRed);
    ExpectPixel(11, 20, kRed);
    ExpectPixel(12, 20, kWhite);
    ExpectPixel(6, 21, kWhite);
}

TEST_F(GdiTest, PolygonsFillAndPolylinesDoNot)
{
    CPen red(PS_SOLID, 1, kRed);
    CBrush blue(kBlue);
    CScopedSelectObject pen(m_dc, red);
    CScopedSelectObject brush(m_dc, blue);
    const POINT triangle[3] = {{0, 0}, {20, 0}, {0, 20}};
    ASSERT_TRUE(m_dc.Polygon(triangle, 3));
    ExpectPixel(4, 4, kBlue);
    ExpectPixel(10, 0, kRed);
    ExpectPixel(16, 16, kWhite);

    const POINT open[3] = {{30, 30}, {40, 30}, {40, 40}};
    ASSERT_TRUE(m_dc.Polyline(open, 3));
    ExpectPixel(35, 30, kRed);
    ExpectPixel(40, 35, kRed);
    ExpectPixel(38, 32, kWhite);
    ExpectPixel(40, 40, kWhite);

    ASSERT_TRUE(m_dc.Ellipse(CRect(44, 44, 60, 60)));
    ExpectPixel(52, 52, kBlue);
    ExpectPixel(44, 44, kWhite);
}

TEST_F(GdiTest, FocusRectInvertsAndTextPaints)
{
    // The focus frame is dotted and drawn by inversion: a second call erases it.
    CRect focus(10, 10, 30, 20);
    auto countTopEdge = [this]() {
        int nCount = 0;
        for (int x = 10; x < 30; x++)
            nCount += m_dc.GetPixel(x, 10) != kWhite;
        return nCount;
    };
    m_dc.DrawFocusRect(focus);
    EXPECT_GT(countTopEdge(), 0);
    EXPECT_LT(countTopEdge(), 20);
    ExpectPixel(20, 15, kWhite);
    m_dc.DrawFocusRect(focus);
    EXPECT_EQ(0, countTopEdge());

    m_dc.SetTextColor(kRed);
    m_dc.SetBkMode(TRANSPARENT);
    ASSERT_TRUE(m_dc.TextOut(2, 40, CString("WW")));
    CSize extent = m_dc.GetTextExtent("WW", 2);
    int nRed = 0;
    for (int y = 40; y < 40 + extent.cy; y++)
        for (int x = 2; x < 2 + extent.cx; x++)
            nRed += m_dc.GetPixel(x, y) != kWhite;
    EXPECT_GT(nRed, 0);
    // Nothing is painted outside the text's box.
    ExpectPixel(2 + extent.cx + 1, 40, kWhite);

    CRect opaque(40, 2, 60, 12);
    ASSERT_TRUE(m_dc.ExtTextOut(40, 2, ETO_OPAQUE, opaque, CString(), NULL));
    EXPECT_EQ(m_dc.GetBkColor(), m_dc.GetPixel(50, 6));
}

TEST_F(GdiTest, Draw3dRectCornersBelongToTheBottomRight)
{
    m_dc.Draw3dRect(CRect(4, 4, 14, 10), kRed, kBlue);
    ExpectPixel(4, 4, kRed);
    ExpectPixel(12, 4, kRed);
    ExpectPixel(4, 8, kRed);
    ExpectPixel(13, 4, kBlue);
    ExpectPixel(4, 9, kBlue);
    ExpectPixel(13, 9, kBlue);
    ExpectPixel(8, 6, kWhite);
    ExpectPixel(14, 9, kWhite);
}

TEST_F(GdiTest, ClipRegionLimitsPainting)
{
    CRgn region;
    ASSERT_TRUE(region.CreateRectRgn(0, 0, 8, 8));
    EXPECT_TRUE(region.PtInRegion(7, 7));
    EXPECT_FALSE(region.PtInRegion(CPoint(8, 7)));
    CRgn hole, frame;
    ASSERT_TRUE(hole.CreateRectRgnIndirect(CRect(2, 2, 6, 6)));
    ASSERT_TRUE(frame.CreateRectRgn(0, 0, 0, 0));
    EXPECT_EQ(COMPLEXREGION, frame.CombineRgn(&region, &hole, RGN_DIFF));
    EXPECT_FALSE(frame.PtInRegion(3, 3));
    EXPECT_TRUE(frame.PtInRegion(1, 3));

    EXPECT_NE(ERROR, m_dc.SelectClipRgn(&frame));
    m_dc.FillSolidRect(0, 0, 20, 20, kRed);
    ExpectPixel(1, 1, kRed);
    ExpectPixel(3, 3, kWhite);
    ExpectPixel(9, 1, kWhite);
    CRect box;
    EXPECT_EQ(COMPLEXREGION, m_dc.GetClipBox(box));
    EXPECT_TRUE(box == CRect(0, 0, 8, 8));
    EXPECT_EQ(SIMPLEREGION, m_dc.SelectClipRgn(NULL));
    m_dc.IntersectClipRect(CRect(30, 30, 40, 35));
    m_dc.GetClipBox(box);
    EXPECT_TRUE(box == CRect(30, 30, 40, 35));
}

TEST_F(GdiTest, AnisotropicHalfZoomConvertsBothWays)
{
    m_dc.SetMapMode(MM_ANISOTROPIC);
    m_dc.SetWindowExt(100, 100);
    CSize oldExt = m_dc.SetViewportExt(CSize(50, 50));
    EXPECT_TRUE(oldExt == CSize(1, 1));
    EXPECT_TRUE(m_dc.GetViewportExt() == CSize(50, 50));
    m_dc.SetWindowOrg(20, 10);

    CPoint points[2] = {CPoint(200, 40), CPoint(20, 10)};
    m_dc.LPtoDP(points, 2);
    EXPECT_TRUE(points[0] == CPoint(90, 15));
    EXPECT_TRUE(points[1] == CPoint(0, 0));
    m_dc.DPtoLP(points, 2);
    EXPECT_TRUE(points[0] == CPoint(200, 40));

    CRect rect(20, 10, 120, 70);
    m_dc.LPtoDP(rect);
    EXPECT_TRUE(rect == CRect(0, 0, 50, 30));
    m_dc.DPtoLP(rect);
    EXPECT_TRUE(rect == CRect(20, 10, 120, 70));

    // Sizes are distances: a flipped axis still gives a positive size.
    m_dc.SetViewportExt(50, -50);
    CSize size(40, 60);
    m_dc.LPtoDP(&size);
    EXPECT_TRUE(size == CSize(20, 30));
    m_dc.DPtoLP(&size);
    EXPECT_TRUE(size == CSize(40, 60));
}

TEST_F(GdiTest, HimetricConvertsThroughPixelsPerInch)
{
    // One inch is 2540 hundredths of a millimetre, whatever the mapping mode.
    m_dc.SetMapMode(MM_LOENGLISH);
    CSize size(2540, 5080);
    m_dc.HIMETRICtoDP(&size);
    EXPECT_EQ(m_dc.GetDeviceCaps(LOGPIXELSX), size.cx);
    EXPECT_EQ(2 * m_dc.GetDeviceCaps(LOGPIXELSY), size.cy);
    m_dc.DPtoHIMETRIC(&size);
    EXPECT_TRUE(size == CSize(2540, 5080));
}

TEST_F(GdiTest, TextExtentGrowsWithTheText)
{
    CSize empty = m_dc.GetTextExtent("", 0);
    CSize one = m_dc.GetTextExtent("W", 1);
    CSize three = m_dc.GetTextExtent(CString("WWW"));
    EXPECT_EQ(0, empty.cx);
    EXPECT_GT(one.cx, 0);
    EXPECT_GT(one.cy, 0);
    EXPECT_GT(three.cx, one.cx);
    EXPECT_EQ(one.cy, three.cy);
    // The count limits the measured text.
    EXPECT_TRUE(m_dc.GetTextExtent("WWW", 1) == one);

    TEXTMETRIC metrics;
    ASSERT_TRUE(m_dc.GetTextMetrics(&metrics));
    EXPECT_EQ(metrics.tmHeight, one.cy);

    CRect bounds(0, 0, 200, 0);
    int nHeight = m_dc.DrawText(CString("Ab"), bounds, DT_CALCRECT | DT_SINGLELINE);
    EXPECT_EQ(metrics.tmHeight, nHeight);
    EXPECT_EQ(m_dc.GetTextExtent("Ab", 2).cx, bounds.Width());
}

TEST_F(GdiTest, PointFontFollowsTheMappingOfTheDc)
{
    CFont screenFont;
    ASSERT_TRUE(screenFont.CreatePointFont(120, "Tahoma"));
    LOGFONT logFont;
    ASSERT_EQ((int)sizeof(logFont), screenFont.GetLogFont(&logFont));
    CClientDC screen(NULL);
    // 12 points at the screen's pixels per inch, as a character height.
    EXPECT_EQ(-::MulDiv(12, screen.GetDeviceCaps(LOGPIXELSY), 72), logFont.lfHeight);
    EXPECT_STREQ("Tahoma", logFont.lfFaceName);

    // With two logical units per pixel the height doubles.
    m_dc.SetMapMode(MM_ANISOTROPIC);
    m_dc.SetWindowExt(2, 2);
    m_dc.SetViewportExt(1, 1);
    CFont zoomedFont;
    ASSERT_TRUE(zoomedFont.CreatePointFont(120, "Tahoma", &m_dc));
    LOGFONT zoomed;
    zoomedFont.GetLogFont(&zoomed);
    EXPECT_EQ(2 * logFont.lfHeight, zoomed.lfHeight);
}

TEST_F(GdiTest, PenAndBrushKeepTheirAttributes)
{
    CPen pen(PS_DOT, 1, kGreen);
    LOGPEN logPen;
    ASSERT_NE(0, pen.GetLogPen(&logPen));
    EXPECT_EQ((UINT)PS_DOT, logPen.lopnStyle);
    EXPECT_EQ(kGreen, logPen.lopnColor);

    CBrush brush;
    ASSERT_TRUE(brush.CreateSolidBrush(kBlue));
    LOGBRUSH logBrush;
    ASSERT_NE(0, brush.GetLogBrush(&logBrush));
    EXPECT_EQ((UINT)BS_SOLID, logBrush.lbStyle);
    EXPECT_EQ(kBlue, logBrush.lbColor);

    CBrush system;
    ASSERT_TRUE(system.CreateSysColorBrush(COLOR_WINDOW));
    system.GetLogBrush(&logBrush);
    EXPECT_EQ(::GetSysColor(COLOR_WINDOW), logBrush.lbColor);
}

TEST_F(GdiTest, DetachedHandleOutlivesTheWrapper)
{
    HGDIOBJ hBrush;
    {
        CBrush brush(kRed);
        hBrush = brush.Detach();
        EXPECT_TRUE(brush.m_hObject == NULL);
        EXPECT_FALSE(brush.DeleteObject());
    }
    EXPECT_EQ((DWORD)OBJ_BRUSH, ::GetObjectType(hBrush));
    {
        CBrush owner;
        ASSERT_TRUE(owner.Attach(hBrush));
        EXPECT_EQ(&owner, CGdiObject::FromHandle(hBrush));
    }
    EXPECT_EQ(0u, ::GetObjectType(hBrush));
    EXPECT_FALSE(CGdiObject().Attach(NULL));
}

TEST_F(GdiTest, TemporaryWrappersAreFreedWithoutTheirHandles)
{
    AfxDeleteTempGdiObjects();
    ASSERT_EQ(0, AfxGetTempGdiObjectCount());

    HBRUSH hBrush = ::CreateSolidBrush(kGreen);
    HPEN hPen = ::CreatePen(PS_SOLID, 2, kRed);
    HDC hDC = ::CreateCompatibleDC(m_dc);
    CBrush* pBrush = CBrush::FromHandle(hBrush);
    EXPECT_EQ(pBrush, CBrush::FromHandle(hBrush));
    EXPECT_TRUE(pBrush->IsKindOf(RUNTIME_CLASS(CBrush)));
    CPen* pPen = CPen::FromHandle(hPen);
    EXPECT_TRUE(pPen->IsKindOf(RUNTIME_CLASS(CPen)));
    CDC* pDC = CDC::FromHandle(hDC);
    EXPECT_EQ(hDC, pDC->GetSafeHdc());
    EXPECT_EQ(pDC, CDC::FromHandle(hDC));
    // Owned objects are found as themselves, never as temporaries.
    EXPECT_EQ(&m_dc, CDC::FromHandle(m_dc));
    EXPECT_EQ(&m_bitmap, CGdiObject::FromHandle(m_bitmap));
    EXPECT_EQ(3, AfxGetTempGdiObjectCount());

    AfxDeleteTempGdiObjects();
    EXPECT_EQ(0, AfxGetTempGdiObjectCount());
    EXPECT_EQ((DWORD)OBJ_BRUSH, ::GetObjectType(hBrush));
    EXPECT_EQ((DWORD)OBJ_PEN, ::GetObjectType(hPen));
    EXPECT_EQ((DWORD)OBJ_MEMDC, ::GetObjectType(hDC));
    EXPECT_TRUE(CGdiObject::FromHandle(NULL) == NULL);
    EXPECT_EQ(0, AfxGetTempGdiObjectCount());

    ::DeleteDC(hDC);
    ::DeleteObject(hPen);
    ::DeleteObject(hBrush);
}

TEST_F(GdiTest, BlitsCopyAndStretchPixels)
{
    m_dc.FillSolidRect(0, 0, 2, 2, kRed);
    CDC copy;
    ASSERT_TRUE(copy.CreateCompatibleDC(&m_dc));
    CBitmap bitmap;
    ASSERT_TRUE(bitmap.CreateCompatibleBitmap(&m_dc, 8, 8));
    CScopedSelectObject selected(copy, bitmap);
    ASSERT_TRUE(copy.PatBlt(0, 0, 8, 8, WHITENESS));
    ASSERT_TRUE(copy.StretchBlt(0, 0, 4, 4, &m_dc, 0, 0, 2, 2, SRCCOPY));
    EXPECT_EQ(kRed, copy.GetPixel(3, 3));
    EXPECT_EQ(kWhite, copy.GetPixel(4, 3));
    ASSERT_TRUE(m_dc.BitBlt(20, 20, 4, 4, &copy, 0, 0, SRCCOPY));
    ExpectPixel(23, 23, kRed);
    ExpectPixel(24, 23, kWhite);

    // A 2x1 top-down 32-bit DIB: blue then green.
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = 2;
    info.bmiHeader.biHeight = -1;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    DWORD pixels[2] = {0x000000FF, 0x0000FF00};
    EXPECT_EQ(1, m_dc.StretchDIBits(40, 40, 4, 2, 0, 0, 2, 1, pixels, &info, DIB_RGB_COLORS,
                                    SRCCOPY));
    ExpectPixel(41, 41, kBlue);
    ExpectPixel(42, 40, kGreen);
}

TEST_F(GdiTest, DragRectRedrawLeavesOnlyTheNewFrame)
{
    CBrush black(RGB(0, 0, 0));
    m_dc.FillSolidRect(0, 0, 64, 64, RGB(0, 0, 0));
    CSize thick(2, 2);
    m_dc.DrawDragRect(CRect(4, 4, 20, 20), thick, NULL, thick, &black, &black);
    // Inverting through a black brush with PATINVERT leaves the pixels: use
    // a white one to see the frame.
    CBrush white(kWhite);
    m_dc.DrawDragRect(CRect(4, 4, 20, 20), thick, NULL, thick, &white, &white);
    ExpectPixel(4, 4, kWhite);
    ExpectPixel(10, 10, RGB(0, 0, 0));
    m_dc.DrawDragRect(CRect(30, 30, 40, 40), thick, CRect(4, 4, 20, 20), thick, &white, &white);
    ExpectPixel(4, 4, RGB(0, 0, 0));
    ExpectPixel(31, 31, kWhite);
    ExpectPixel(35, 35, RGB(0, 0, 0));
}

TEST_F(GdiTest, PaletteSelectionAndLookup)
{
    struct
    {
        LOGPALETTE header;
        PALETTEENTRY more[2];
    } palette = {};
    palette.header.palVersion = 0x300;
    palette.header.palNumEntries = 3;
    PALETTEENTRY* pEntries = palette.header.palPalEntry;
    pEntries[0] = {255, 0, 0, 0};
    pEntries[1] = {0, 255, 0, 0};
    pEntries[2] = {0, 0, 255, 0};
    CPalette colours;
    ASSERT_TRUE(colours.CreatePalette(&palette.header));
    EXPECT_EQ(3, colours.GetEntryCount());
    EXPECT_EQ(2u, colours.GetNearestPaletteIndex(RGB(10, 0, 240)));
    PALETTEENTRY read[3];
    EXPECT_EQ(3u, colours.GetPaletteEntries(0, 3, read));
    EXPECT_EQ(255, read[1].peGreen);

    HGDIOBJ hDefault = ::GetCurrentObject(m_dc, OBJ_PAL);
    CPalette* pOld = m_dc.SelectPalette(&colours, FALSE);
    ASSERT_TRUE(pOld != NULL);
    EXPECT_EQ(hDefault, pOld->m_hObject);
    EXPECT_EQ(colours.m_hObject, ::GetCurrentObject(m_dc, OBJ_PAL));
    m_dc.SelectPalette(pOld, FALSE);
    {
        CScopedSelectPalette selected(m_dc, colours, TRUE);
        EXPECT_EQ(colours.m_hObject, ::GetCurrentObject(m_dc, OBJ_PAL));
    }
    EXPECT_EQ(hDefault, ::GetCurrentObject(m_dc, OBJ_PAL));
}

TEST_F(GdiTest, ScopedHandlesDeleteWhatTheyOwn)
{
    HGDIOBJ hBrush = ::CreateSolidBrush(kRed);
    {
        CScopedGdiObject owned(hBrush);
        EXPECT_EQ(hBrush, owned.Get());
    }
    EXPECT_EQ(0u, ::GetObjectType(hBrush));

    HGDIOBJ hKept = ::CreateSolidBrush(kBlue);
    {
        CScopedGdiObject released(hKept);
        EXPECT_EQ(hKept, released.Release());
    }
    EXPECT_EQ((DWORD)OBJ_BRUSH, ::GetObjectType(hKept));
    ::DeleteObject(hKept);

    HDC hMemory;
    {
        CScopedMemoryDC memory(m_dc);
        hMemory = memory;
        ASSERT_TRUE(hMemory != NULL);
        EXPECT_EQ((DWORD)OBJ_MEMDC, ::GetObjectType(hMemory));
    }
    EXPECT_EQ(0u, ::GetObjectType(hMemory));
}

namespace
{

struct ThreadProbe
{
    HGDIOBJ hPen;
    CGdiObject* pFound;
    int nTempsInThread;
    int nTempsAfterCleanup;
};

DWORD WINAPI ProbeOtherThread(LPVOID lpParam)
{
    ThreadProbe* pProbe = static_cast<ThreadProbe*>(lpParam);
    pProbe->pFound = CGdiObject::FromHandle(pProbe->hPen);
    pProbe->nTempsInThread = AfxGetTempGdiObjectCount();
    AfxDeleteTempGdiObjects();
    pProbe->nTempsAfterCleanup = AfxGetTempGdiObjectCount();
    return 0;
}

}

TEST_F(GdiTest, HandleMapsBelongToOneThread)
{
    CPen pen(PS_SOLID, 1, kRed);
    HBRUSH hBrush = ::CreateSolidBrush(kGreen);
    AfxDeleteTempGdiObjects();
    CBrush::FromHandle(hBrush);
    ASSERT_EQ(1, AfxGetTempGdiObjectCount());

    ThreadProbe probe = {pen.m_hObject, NULL, -1, -1};
    HANDLE hThread = ::CreateThread(NULL, 0, ProbeOtherThread, &probe, 0, NULL);
    ASSERT_TRUE(hThread != NULL);
    ASSERT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(hThread, 10000));
    ::CloseHandle(hThread);

    // The other thread does not see this thread's wrapper, and its clean-up
    // leaves this thread's temporaries alone.
    EXPECT_TRUE(probe.pFound != NULL);
    EXPECT_NE(static_cast<CGdiObject*>(&pen), probe.pFound);
    EXPECT_EQ(1, probe.nTempsInThread);
    EXPECT_EQ(0, probe.nTempsAfterCleanup);
    EXPECT_EQ(1, AfxGetTempGdiObjectCount());
    EXPECT_EQ((DWORD)OBJ_PEN, ::GetObjectType(pen.m_hObject));
    AfxDeleteTempGdiObjects();
    ::DeleteObject(hBrush);
}

namespace
{

struct PaintRecord
{
    int nPaints;
    RECT rcPaint;
    HWND hWndOfDC;
};

PaintRecord g_paint;

LRESULT CALLBACK PaintProbeProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    if (nMsg == WM_PAINT) {
        CPaintDC dc(hWnd);
        g_paint.nPaints++;
        g_paint.rcPaint = dc.m_ps.rcPaint;
        g_paint.hWndOfDC = ::WindowFromDC(dc);
        return 0;
    }
    return ::DefWindowProcA(hWnd, nMsg, wParam, lParam);
}

// Stands for a window class: the DCs only ask it for its handle.
struct FakeWindow
{
    HWND m_hWnd;
    HWND GetSafeHwnd() const { return m_hWnd; }
};

}

TEST(GdiWindowDcTest, WindowDcsGetAndGiveBackTheirDc)
{
    WNDCLASSA wc = {};
    wc.lpfnWndProc = PaintProbeProc;
    wc.hInstance = ::GetModuleHandleA(NULL);
    wc.lpszClassName = "GdiTestPaintProbe";
    ::RegisterClassA(&wc);
    HWND hWnd = ::CreateWindowA("GdiTestPaintProbe", "", WS_POPUP | WS_BORDER, 0, 0, 200, 150,
                                NULL, NULL, wc.hInstance, NULL);
    ASSERT_TRUE(hWnd != NULL);
    ::ShowWindow(hWnd, SW_SHOWNOACTIVATE);
    ::UpdateWindow(hWnd);

    g_paint = PaintRecord{};
    RECT rcDirty = {10, 10, 30, 20};
    ::InvalidateRect(hWnd, &rcDirty, FALSE);
    ::UpdateWindow(hWnd);
    EXPECT_EQ(1, g_paint.nPaints);
    EXPECT_EQ(hWnd, g_paint.hWndOfDC);
    CRect painted(g_paint.rcPaint);
    EXPECT_TRUE((painted & rcDirty) == rcDirty);
    // BeginPaint validated the window.
    EXPECT_FALSE(::GetUpdateRect(hWnd, NULL, FALSE));

    FakeWindow window = {hWnd};
    {
        CClientDC client(&window);
        EXPECT_EQ(hWnd, ::WindowFromDC(client));
        EXPECT_EQ(&client, CDC::FromHandle(client));
        CWindowDC whole(&window);
        EXPECT_EQ(hWnd, ::WindowFromDC(whole));
        CRect clientBox, wholeBox;
        client.GetClipBox(clientBox);
        whole.GetClipBox(wholeBox);
        EXPECT_GE(wholeBox.Width(), clientBox.Width());
    }
    CWindowDC screen(NULL);
    EXPECT_TRUE(screen.m_hDC != NULL);
    EXPECT_EQ(::GetDeviceCaps(screen, HORZRES), screen.GetDeviceCaps(HORZRES));

    ::DestroyWindow(hWnd);
    ::UnregisterClassA("GdiTestPaintProbe", wc.hInstance);
    AfxDeleteTempGdiObjects();
}
