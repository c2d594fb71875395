#include "tests/sheet/RenderCanvas.h"
#include "sheet/CellDraw.h"
#include "sheet/Sheet.h"

using sheettest::CountHits;
using sheettest::LongestRun;
using sheettest::RenderCanvas;

namespace {

const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kLeft = RGB(200, 0, 0);
const COLORREF kTop = RGB(0, 160, 0);
const COLORREF kRight = RGB(0, 0, 210);
const COLORREF kBottom = RGB(150, 0, 150);
const COLORREF kDown = RGB(0, 130, 130);
const COLORREF kUp = RGB(170, 120, 0);

// A cell without edges, each line in its own colour.
CCell BareCell(int left, int top, int right, int bottom)
{
    CCell cell;
    ::SetRect(&cell.m_rect, left, top, right, bottom);
    cell.m_nLeftEdge = cell.m_nRightEdge = cell.m_nTopEdge = cell.m_nBottomEdge = CELL_LINE_NONE;
    cell.m_nDiagDown = cell.m_nDiagUp = CELL_LINE_NONE;
    cell.m_crLeftEdge = kLeft;
    cell.m_crTopEdge = kTop;
    cell.m_crRightEdge = kRight;
    cell.m_crBottomEdge = kBottom;
    cell.m_crDiagDown = kDown;
    cell.m_crDiagUp = kUp;
    return cell;
}

void SetEdges(CCell& cell, BYTE nStyle)
{
    cell.m_nLeftEdge = cell.m_nRightEdge = cell.m_nTopEdge = cell.m_nBottomEdge = nStyle;
}

class CellBorderTest : public ::testing::Test
{
protected:
    CellBorderTest() : canvas(240, 200)
    {
        ::SetRect(&sheet.m_rcBounds, 0, 0, 200, 150);
    }
    void SetUp() override { ASSERT_TRUE(canvas.IsReady()); }

    // Draws a down diagonal in one square cell and an up one in another.
    void DrawDiagonals(BYTE nStyle, CCell& down, CCell& up)
    {
        down.m_nDiagDown = nStyle;
        up.m_nDiagUp = nStyle;
        sheet.DrawCellBorder(canvas.DC(), down, FALSE);
        sheet.DrawCellBorder(canvas.DC(), up, FALSE);
    }

    CSheet sheet;
    RenderCanvas canvas;
};

// Pixels of the four edges at the middle of each side, and just beside them.
void ExpectEdgeColumns(const RenderCanvas& canvas, const CCell& cell, int xRight, int yBottom,
                       int nWidth)
{
    SCOPED_TRACE(::testing::Message() << "edge width " << nWidth);
    const RECT& rc = cell.m_rect;
    int xMid = (rc.left + rc.right) / 2;
    int yMid = (rc.top + rc.bottom) / 2;
    for (int i = 0; i < nWidth; ++i)
    {
        EXPECT_EQ(kLeft, canvas.Pixel(rc.left + i, yMid)) << "left, unit " << i;
        EXPECT_EQ(kTop, canvas.Pixel(xMid, rc.top + i)) << "top, unit " << i;
        EXPECT_EQ(kRight, canvas.Pixel(xRight - i, yMid)) << "right, unit " << i;
        EXPECT_EQ(kBottom, canvas.Pixel(xMid, yBottom - i)) << "bottom, unit " << i;
    }
    EXPECT_EQ(kWhite, canvas.Pixel(rc.left - 1, yMid));
    EXPECT_EQ(kWhite, canvas.Pixel(rc.left + nWidth, yMid));
    EXPECT_EQ(kWhite, canvas.Pixel(xMid, rc.top - 1));
    EXPECT_EQ(kWhite, canvas.Pixel(xMid, rc.top + nWidth));
    EXPECT_EQ(kWhite, canvas.Pixel(xRight + 1, yMid));
    EXPECT_EQ(kWhite, canvas.Pixel(xRight - nWidth, yMid));
    EXPECT_EQ(kWhite, canvas.Pixel(xMid, yBottom + 1));
    EXPECT_EQ(kWhite, canvas.Pixel(xMid, yBottom - nWidth));
}

TEST_F(CellBorderTest, ThinEdgesOfAnInnerCellLieOnItsOwnLastUnits)
{
    CCell cell = BareCell(20, 20, 80, 60);
    SetEdges(cell, CELL_LINE_THIN);
    sheet.DrawCellBorder(canvas.DC(), cell, FALSE);
    ExpectEdgeColumns(canvas, cell, cell.m_rect.right - 1, cell.m_rect.bottom - 1, 1);

    // Each edge runs the whole side.
    const RECT& rc = cell.m_rect;
    int h = rc.bottom - rc.top;
    // The top and the bottom edge, drawn later, own the shared corners.
    EXPECT_EQ(h - 2, CountHits(canvas.Line(rc.left, rc.top + 1, 0, 1, h - 2, kLeft)));
    EXPECT_EQ(kBottom, canvas.Pixel(rc.left, rc.bottom - 1));
    EXPECT_EQ(kWhite, canvas.Pixel(rc.left, rc.bottom));
    EXPECT_EQ(rc.right - 1 - rc.left,
              CountHits(canvas.Line(rc.left, rc.top, 1, 0, rc.right - 1 - rc.left, kTop)));
}

TEST_F(CellBorderTest, EdgesOnTheSheetsOuterEdgeLieJustOutsideTheCell)
{
    const RECT& rcSheet = sheet.m_rcBounds;
    CCell cell = BareCell(120, 90, rcSheet.right, rcSheet.bottom);
    SetEdges(cell, CELL_LINE_THIN);
    sheet.DrawCellBorder(canvas.DC(), cell, FALSE);
    ExpectEdgeColumns(canvas, cell, cell.m_rect.right, cell.m_rect.bottom, 1);

    // Only the side that meets the sheet's edge moves out.
    canvas.Fill(kWhite);
    CCell right = BareCell(120, 20, rcSheet.right, 60);
    SetEdges(right, CELL_LINE_THIN);
    sheet.DrawCellBorder(canvas.DC(), right, FALSE);
    ExpectEdgeColumns(canvas, right, right.m_rect.right, right.m_rect.bottom - 1, 1);
}

TEST_F(CellBorderTest, ThickEdgesAreThreeUnitsWideInsideTheCell)
{
    CCell inner = BareCell(20, 20, 80, 60);
    SetEdges(inner, CELL_LINE_THICK);
    sheet.DrawCellBorder(canvas.DC(), inner, FALSE);
    ExpectEdgeColumns(canvas, inner, inner.m_rect.right - 1, inner.m_rect.bottom - 1, 3);

    canvas.Fill(kWhite);
    CCell outer = BareCell(120, 90, sheet.m_rcBounds.right, sheet.m_rcBounds.bottom);
    SetEdges(outer, CELL_LINE_THICK);
    sheet.DrawCellBorder(canvas.DC(), outer, FALSE);
    ExpectEdgeColumns(canvas, outer, outer.m_rect.right, outer.m_rect.bottom, 3);
}

TEST_F(CellBorderTest, DottedAndDashDotEdgesAreBrokenWithDifferentDashes)
{
    CCell cell = BareCell(20, 20, 180, 140);
    cell.m_nLeftEdge = CELL_LINE_DOT;
    cell.m_nTopEdge = CELL_LINE_DASHDOT;
    cell.m_nRightEdge = CELL_LINE_DOT;
    cell.m_nBottomEdge = CELL_LINE_DASHDOT;
    sheet.DrawCellBorder(canvas.DC(), cell, FALSE);
    const RECT& rc = cell.m_rect;
    int h = rc.bottom - rc.top - 2;
    int w = rc.right - rc.left - 2;

    std::vector<std::vector<bool>> dotted = {
        canvas.Line(rc.left, rc.top + 1, 0, 1, h, kLeft),
        canvas.Line(rc.right - 1, rc.top + 1, 0, 1, h, kRight) };
    std::vector<std::vector<bool>> dashDot = {
        canvas.Line(rc.left + 1, rc.top, 1, 0, w, kTop),
        canvas.Line(rc.left + 1, rc.bottom - 1, 1, 0, w, kBottom) };
    for (const auto* group : { &dotted, &dashDot })
        for (const std::vector<bool>& line : *group)
        {
            int n = CountHits(line);
            EXPECT_GT(n, (int)line.size() / 4);
            EXPECT_LT(n, (int)line.size() * 3 / 4);
        }
    EXPECT_LT(LongestRun(dotted[0]), LongestRun(dashDot[0]));
    EXPECT_LT(LongestRun(dotted[1]), LongestRun(dashDot[1]));
    // A broken edge is still one unit wide.
    EXPECT_EQ(0, CountHits(canvas.Line(rc.left + 1, rc.top + 1, 0, 1, h, kLeft)));
}

TEST_F(CellBorderTest, DiagonalsJoinOppositeCorners)
{
    CCell down = BareCell(20, 20, 80, 80);
    CCell up = BareCell(100, 20, 160, 80);
    DrawDiagonals(CELL_LINE_THIN, down, up);

    int n = down.m_rect.right - down.m_rect.left;
    EXPECT_EQ(n, CountHits(canvas.Line(down.m_rect.left, down.m_rect.top, 1, 1, n, kDown)));
    EXPECT_EQ(n, CountHits(canvas.Line(up.m_rect.left, up.m_rect.bottom, 1, -1, n, kUp)));
    // Thin: the neighbours beside the line stay clear.
    for (int k = 5; k < n - 5; k += 7)
    {
        EXPECT_EQ(kWhite, canvas.Pixel(down.m_rect.left + k + 1, down.m_rect.top + k));
        EXPECT_EQ(kWhite, canvas.Pixel(up.m_rect.left + k + 1, up.m_rect.bottom - k));
    }
    // Nothing else: no edges were asked for.
    EXPECT_EQ(kWhite, canvas.Pixel(down.m_rect.left, down.m_rect.top + n / 2));
    EXPECT_EQ(kWhite, canvas.Pixel(up.m_rect.left + n / 2, up.m_rect.top));
}

// One row across a thick diagonal: its centre k and 4 to 7 units in one run.
void ExpectOneStroke(const std::vector<bool>& row, int k)
{
    EXPECT_TRUE(row[k]);
    EXPECT_GE(CountHits(row), 4);
    EXPECT_LE(CountHits(row), 7);
    EXPECT_EQ(CountHits(row), LongestRun(row));
}

TEST_F(CellBorderTest, ThickDiagonalIsOneLineOfWidthThree)
{
    CCell down = BareCell(20, 20, 80, 80);
    CCell up = BareCell(100, 20, 160, 80);
    DrawDiagonals(CELL_LINE_THICK, down, up);

    int n = down.m_rect.right - down.m_rect.left;
    // Across each row the line covers its centre and more than the three
    // units that three one-unit lines side by side would give, but stays a
    // single stroke of a few units.
    for (int k = 5; k < n - 5; k += 5)
    {
        SCOPED_TRACE(::testing::Message() << "step " << k);
        ExpectOneStroke(canvas.Line(down.m_rect.left, down.m_rect.top + k, 1, 0, n, kDown), k);
        ExpectOneStroke(canvas.Line(up.m_rect.left, up.m_rect.bottom - k, 1, 0, n, kUp), k);
    }
}

TEST_F(CellBorderTest, GuidesShowOnlyForMissingRightAndBottomEdges)
{
    const COLORREF crGuide = ::GetSysColor(COLOR_GRAYTEXT);
    CCell cell = BareCell(20, 20, 80, 60);
    const RECT& rc = cell.m_rect;
    int w = rc.right - rc.left, h = rc.bottom - rc.top;

    sheet.DrawCellBorder(canvas.DC(), cell, FALSE);
    RECT rcAll = { 0, 0, canvas.Width(), canvas.Height() };
    EXPECT_TRUE(canvas.IsPlain(rcAll, kWhite)) << "no guides, no lines";

    sheet.DrawCellBorder(canvas.DC(), cell, TRUE);
    std::vector<bool> right = canvas.Line(rc.right - 1, rc.top, 0, 1, h - 1, crGuide);
    std::vector<bool> bottom = canvas.Line(rc.left, rc.bottom - 1, 1, 0, w - 1, crGuide);
    EXPECT_GT(CountHits(right), 0);
    EXPECT_LT(CountHits(right), h - 1) << "a guide is dotted";
    EXPECT_GT(CountHits(bottom), 0);
    EXPECT_LT(CountHits(bottom), w - 1);
    // Missing left and top edges never show a guide.
    RECT rcLeft = { rc.left, rc.top, rc.left + 1, rc.bottom - 1 };
    RECT rcTop = { rc.left, rc.top, rc.right - 1, rc.top + 1 };
    EXPECT_TRUE(canvas.IsPlain(rcLeft, kWhite));
    EXPECT_TRUE(canvas.IsPlain(rcTop, kWhite));

    // A right edge that has a style is drawn in its own colour, not as a guide.
    canvas.Fill(kWhite);
    cell.m_nRightEdge = CELL_LINE_THIN;
    sheet.DrawCellBorder(canvas.DC(), cell, TRUE);
    EXPECT_EQ(h - 1, CountHits(canvas.Line(rc.right - 1, rc.top, 0, 1, h - 1, kRight)));
}

TEST_F(CellBorderTest, GuidesStayOffLinesThatANeighbourBorders)
{
    const COLORREF crGuide = ::GetSysColor(COLOR_GRAYTEXT);
    // A without edges; B right of its upper half with a left edge; C below
    // it with a top edge; D right of its lower half without edges.
    CCell cells[] = { BareCell(20, 20, 80, 60), BareCell(80, 20, 140, 40),
                            BareCell(20, 60, 80, 100), BareCell(80, 40, 140, 60) };
    for (CCell& cell : cells)
        sheet.m_cells.Add(cell);
    sheet.m_cells[1].m_nLeftEdge = CELL_LINE_THIN;
    sheet.m_cells[2].m_nTopEdge = CELL_LINE_THIN;
    for (INT_PTR i = 0; i < sheet.m_cells.GetSize(); ++i)
        sheet.DrawCellBorder(canvas.DC(), sheet.m_cells[i], TRUE);

    // A's right side: no guide beside B's edge, a dotted one beside D.
    EXPECT_EQ(0, CountHits(canvas.Line(79, 20, 0, 1, 20, crGuide)));
    EXPECT_EQ(20, CountHits(canvas.Line(80, 20, 0, 1, 20, kLeft)));
    const int nBesideD = CountHits(canvas.Line(79, 40, 0, 1, 19, crGuide));
    EXPECT_GT(nBesideD, 0);
    EXPECT_LT(nBesideD, 19);
    // A's bottom side lies on C's top edge: no guide (but the right one's
    // end), the edge whole.
    EXPECT_EQ(0, CountHits(canvas.Line(20, 59, 1, 0, 59, crGuide)));
    EXPECT_EQ(60, CountHits(canvas.Line(20, 60, 1, 0, 60, kTop)));
}

TEST_F(CellBorderTest, StylesAboveDashDotDrawNothing)
{
    CCell cell = BareCell(20, 20, 80, 60);
    SetEdges(cell, 5);
    cell.m_nDiagDown = 9;
    cell.m_nDiagUp = 255;
    sheet.DrawCellBorder(canvas.DC(), cell, FALSE);
    RECT rcAll = { 0, 0, canvas.Width(), canvas.Height() };
    EXPECT_TRUE(canvas.IsPlain(rcAll, kWhite));
}

TEST_F(CellBorderTest, FocusFrameIsInsideTheCellAndRemovedBySecondCall)
{
    CCell cell = BareCell(20, 20, 80, 60);
    const RECT& rc = cell.m_rect;
    DrawFocusFrame(canvas.DC(), cell);
    RECT rcAll = { 0, 0, canvas.Width(), canvas.Height() };
    RECT rcInk = canvas.InkBox(rcAll, kWhite);
    ASSERT_FALSE(::IsRectEmpty(&rcInk));
    EXPECT_GE(rcInk.left, rc.left + 1);
    EXPECT_GE(rcInk.top, rc.top + 1);
    EXPECT_LE(rcInk.right, rc.right);
    EXPECT_LE(rcInk.bottom, rc.bottom);
    // Three nested frames: the units three in from the frame's edge stay clear.
    RECT rcInside = { rc.left + 4, rc.top + 4, rc.right - 3, rc.bottom - 3 };
    EXPECT_TRUE(canvas.IsPlain(rcInside, kWhite));

    DrawFocusFrame(canvas.DC(), cell);
    EXPECT_TRUE(canvas.IsPlain(rcAll, kWhite));
}

} // namespace
