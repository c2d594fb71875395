#include "tests/sheet/RenderCanvas.h"
#include "sheet/Sheet.h"

#include <string>

#include "framework/windows/ScopedGdi.h"

using sheettest::RenderCanvas;

namespace {

const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kBack = RGB(255, 255, 200);
const COLORREF kInk = RGB(20, 40, 160);

CCell TextCell(int left, int top, int right, int bottom, LPCSTR pszText)
{
    CCell cell;
    cell.SetType(CELL_TEXT);
    ::SetRect(&cell.m_rect, left, top, right, bottom);
    cell.m_nLeftEdge = cell.m_nTopEdge = CELL_LINE_NONE;
    cell.m_crBack = kBack;
    cell.m_crText = kInk;
    // Crisp glyphs: every ink pixel has the text colour.
    cell.m_logFont.lfQuality = NONANTIALIASED_QUALITY;
    cell.m_strValue = pszText;
    return cell;
}

CCell TypedCell(int nType, LPCSTR pszValue)
{
    CCell cell = TextCell(10, 10, 150, 50, "");
    cell.SetType(nType);
    cell.m_strValue = pszValue;
    return cell;
}

std::string Text(const CSheet& sheet, const CCell& cell)
{
    return std::string((LPCSTR)sheet.GetDisplayText(cell));
}

class CellTextTest : public ::testing::Test
{
protected:
    CellTextTest() : canvas(260, 120) {}
    void SetUp() override { ASSERT_TRUE(canvas.IsReady()); }

    // Width and height of the text in the cell's font on the canvas.
    SIZE Extent(const CCell& cell, LPCSTR pszText)
    {
        CFont font;
        EXPECT_TRUE(font.CreateFontIndirect(&cell.m_logFont));
        CScopedSelectObject select(*canvas.DC(), font);
        return canvas.DC()->GetTextExtent(CString(pszText));
    }
    RECT InkOf(const CCell& cell) { return canvas.InkBox(cell.m_rect, cell.m_crBack); }

    CSheet sheet;
    RenderCanvas canvas;
};

TEST_F(CellTextTest, BackgroundFillsExactlyTheCellRectangle)
{
    CCell cell = TextCell(20, 30, 90, 70, "");
    cell.SetType(CELL_NORMAL);
    sheet.DrawCell(canvas.DC(), cell);
    EXPECT_TRUE(canvas.IsPlain(cell.m_rect, kBack));
    EXPECT_EQ(kWhite, canvas.Pixel(cell.m_rect.right, cell.m_rect.top));
    EXPECT_EQ(kWhite, canvas.Pixel(cell.m_rect.left, cell.m_rect.bottom));
    EXPECT_EQ(kWhite, canvas.Pixel(cell.m_rect.left - 1, cell.m_rect.top - 1));
}

// The ink of "HHH" starts the same distance from the text origin in every
// alignment, so the origin follows the alignment rules of the cell.
TEST_F(CellTextTest, TextIsPlacedByBothAlignmentsWithAThreeUnitInset)
{
    const char kText[] = "HHH";
    CCell cell = TextCell(20, 15, 220, 95, kText);
    SIZE size = Extent(cell, kText);
    ASSERT_GT(size.cx, 0);
    const RECT& rc = cell.m_rect;
    const int xs[3] = { rc.left + 3, rc.right - size.cx - 3, (rc.right - size.cx + rc.left) / 2 };
    const int ys[3] = { rc.top + 3, rc.bottom - size.cy - 3, (rc.bottom - size.cy + rc.top) / 2 };

    bool bHaveOffset = false;
    POINT ptOffset = { 0, 0 };
    for (int h = CELL_ALIGN_LEFT; h <= CELL_ALIGN_MIDDLE; ++h)
        for (int v = CELL_ALIGN_TOP; v <= CELL_ALIGN_CENTER; ++v)
        {
            SCOPED_TRACE(::testing::Message() << "alignment " << h << "/" << v);
            cell.m_nHAlign = h;
            cell.m_nVAlign = v;
            canvas.Fill(kWhite);
            sheet.DrawCell(canvas.DC(), cell);
            RECT rcInk = InkOf(cell);
            ASSERT_FALSE(::IsRectEmpty(&rcInk));
            RECT rcText = { xs[h], ys[v - CELL_ALIGN_TOP], xs[h] + size.cx,
                            ys[v - CELL_ALIGN_TOP] + size.cy };
            EXPECT_GE(rcInk.left, rcText.left);
            EXPECT_GE(rcInk.top, rcText.top);
            EXPECT_LE(rcInk.right, rcText.right);
            EXPECT_LE(rcInk.bottom, rcText.bottom);
            POINT pt = { rcInk.left - rcText.left, rcInk.top - rcText.top };
            if (!bHaveOffset)
            {
                ptOffset = pt;
                bHaveOffset = true;
            }
            EXPECT_EQ(ptOffset.x, pt.x);
            EXPECT_EQ(ptOffset.y, pt.y);
        }
    // "H" has small side bearings: the ink spans nearly the whole extent.
    EXPECT_LE(ptOffset.x, 2);
}

TEST_F(CellTextTest, TextIsInTheTextColourAndClippedToTheCell)
{
    CCell cell = TextCell(20, 20, 60, 60, "HHHHHHHHHHHHHHHH");
    cell.m_nHAlign = CELL_ALIGN_LEFT;
    sheet.DrawCell(canvas.DC(), cell);
    RECT rcInk = InkOf(cell);
    ASSERT_FALSE(::IsRectEmpty(&rcInk));
    EXPECT_EQ(kInk, canvas.Pixel(rcInk.left, (rcInk.top + rcInk.bottom) / 2));
    // The text runs past the right edge; nothing of it lands outside.
    EXPECT_EQ(cell.m_rect.right, rcInk.right);
    RECT rcBeyond = { cell.m_rect.right, 0, canvas.Width(), canvas.Height() };
    EXPECT_TRUE(canvas.IsPlain(rcBeyond, kWhite));
    // The caller had no clip region and has none afterwards.
    HRGN hrgn = ::CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(0, ::GetClipRgn(canvas.DC()->m_hDC, hrgn));
    ::DeleteObject(hrgn);
}

TEST_F(CellTextTest, DesignModeHidesDataKeyAndFormulaCells)
{
    for (int nType : { CELL_NUMERIC, CELL_ORGAN, CELL_ORGANCODE, CELL_FORMULA })
    {
        SCOPED_TRACE(::testing::Message() << "type " << nType);
        CCell cell = TypedCell(nType, "5");
        sheet.m_bDesignMode = TRUE;
        canvas.Fill(kWhite);
        sheet.DrawCell(canvas.DC(), cell);
        EXPECT_TRUE(canvas.IsPlain(cell.m_rect, kBack)) << "background only";
        EXPECT_EQ("", Text(sheet, cell));

        sheet.m_bDesignMode = FALSE;
        canvas.Fill(kWhite);
        sheet.DrawCell(canvas.DC(), cell);
        EXPECT_FALSE(canvas.IsPlain(cell.m_rect, kBack)) << "run mode shows the value";
        EXPECT_EQ("5", Text(sheet, cell));
    }
    // A text cell shows its label in both modes; a normal cell never shows text.
    CCell label = TypedCell(CELL_TEXT, "Total");
    CCell normal = TypedCell(CELL_NORMAL, "");
    normal.m_strValue = "Total";
    for (BOOL bDesign : { TRUE, FALSE })
    {
        sheet.m_bDesignMode = bDesign;
        EXPECT_EQ("Total", Text(sheet, label));
        EXPECT_EQ("", Text(sheet, normal));
    }
}

TEST_F(CellTextTest, RunModeFormatsOnlyNumericValues)
{
    sheet.m_bDesignMode = FALSE;
    CCell cell = TypedCell(CELL_NUMERIC, "12.5");
    EXPECT_EQ("12.5000", Text(sheet, cell));
    cell.m_nNumberFormat = NUMFMT_PERCENT;
    EXPECT_EQ("12.5%", Text(sheet, cell));
    cell.m_nValueType = 1;
    EXPECT_EQ("12.5", Text(sheet, cell)) << "a text-like value is shown as typed";
    EXPECT_EQ("12.5", std::string((LPCSTR)cell.m_strValue)) << "the stored text is kept";
    cell.m_nValueType = 0;
    cell.m_strValue.Empty();
    EXPECT_EQ("", Text(sheet, cell));
}

TEST_F(CellTextTest, ReportDateShowsThePeriodOfTheTemplatesType)
{
    sheet.m_bDesignMode = FALSE;
    sheet.m_nReportType = 2;
    CCell cell = TypedCell(CELL_REPORTDATE, "");
    cell.m_nDateStyle = 1;
    EXPECT_EQ("", Text(sheet, cell)) << "no date code, no text";

    CopyCode(cell.m_szDateCode, sizeof(cell.m_szDateCode), "2024000300000");
    EXPECT_EQ("March,2024", Text(sheet, cell));
    canvas.Fill(kWhite);
    sheet.DrawCell(canvas.DC(), cell);
    EXPECT_FALSE(canvas.IsPlain(cell.m_rect, kBack));

    sheet.m_bDesignMode = TRUE;
    EXPECT_EQ("", Text(sheet, cell));
}

TEST_F(CellTextTest, DisplayModesShowNameTabIndexTypeAndItems)
{
    CCell numeric = TypedCell(CELL_NUMERIC, "5");
    numeric.m_strName = "AB12";
    numeric.m_nTabIndex = 17;
    CopyCode(numeric.m_szRowItemCode, sizeof(numeric.m_szRowItemCode), "R0101");
    CopyCode(numeric.m_szColItemCode, sizeof(numeric.m_szColItemCode), "C07");
    CCell label = TypedCell(CELL_TEXT, "Total");

    sheet.m_nDisplayMode = DISPLAY_CELLNAME;
    EXPECT_EQ("AB12", Text(sheet, numeric));
    sheet.m_nDisplayMode = DISPLAY_TABINDEX;
    EXPECT_EQ("17", Text(sheet, numeric));
    sheet.m_nDisplayMode = DISPLAY_ITEM;
    EXPECT_EQ("R0101", Text(sheet, numeric));
    EXPECT_EQ("", Text(sheet, label)) << "only numeric cells have items";
    sheet.m_nDisplayMode = DISPLAY_COLITEM;
    EXPECT_EQ("C07", Text(sheet, numeric));
    EXPECT_EQ("", Text(sheet, label));

    // An item code that fills its whole field is read without running over.
    memset(numeric.m_szRowItemCode, 'Z', sizeof(numeric.m_szRowItemCode));
    sheet.m_nDisplayMode = DISPLAY_ITEM;
    EXPECT_EQ(std::string(sizeof(numeric.m_szRowItemCode), 'Z'), Text(sheet, numeric));

    sheet.m_nDisplayMode = DISPLAY_CELLTYPE;
    const char* const names[] = { "Normal", "Text", "Data", "Report Organ",
                                  "Organ Code", "Report Date", "Formula", "Picture" };
    for (int nType = CELL_NORMAL; nType <= CELL_PICTURE; ++nType)
    {
        CCell cell = TypedCell(nType, "");
        EXPECT_EQ(names[nType], Text(sheet, cell)) << "type " << nType;
    }
    CCell odd = TypedCell(CELL_NORMAL, "");
    odd.m_nType = 8;
    EXPECT_EQ("", Text(sheet, odd));

    // The mode's text is drawn, also for a picture cell.
    CCell picture = TypedCell(CELL_PICTURE, "");
    canvas.Fill(kWhite);
    sheet.DrawCell(canvas.DC(), picture);
    EXPECT_FALSE(canvas.IsPlain(picture.m_rect, kBack));
    sheet.m_nDisplayMode = DISPLAY_NORMAL;
    EXPECT_EQ("", Text(sheet, picture));
}

} // namespace
