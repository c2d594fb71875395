#include "tests/sheet/RenderCanvas.h"
#include "sheet/Sheet.h"

#include <string>

using sheettest::CountHits;
using sheettest::RenderCanvas;

namespace {

const COLORREF kWhite = RGB(255, 255, 255);

// A run-mode sheet with one cell of every type in the top row and one cell
// of every line style below it, laid out as the view would see them.
void BuildSampleSheet(CSheet& sheet)
{
    const int cx = 80, cy = 36;
    sheet.m_bDesignMode = FALSE;
    sheet.m_nReportType = 2;
    sheet.m_cells.SetSize(16);
    for (int i = 0; i < 16; ++i)
    {
        CCell& cell = sheet.m_cells[i];
        int col = i % 8, row = i / 8;
        ::SetRect(&cell.m_rect, 10 + col * cx, 10 + row * cy, 10 + (col + 1) * cx,
                  10 + (row + 1) * cy);
        cell.m_strName.Format("%c%d", 'A' + col, row + 1);
        if (row == 0)
        {
            cell.SetType(i);
            cell.m_crBack = RGB(255 - 12 * i, 250, 230 + 3 * i);
        }
        else
        {
            BYTE nStyle = (BYTE)(col % 5);
            cell.m_nLeftEdge = cell.m_nTopEdge = cell.m_nRightEdge = cell.m_nBottomEdge = nStyle;
            cell.m_nDiagDown = (BYTE)(col < 5 ? nStyle : (int)CELL_LINE_NONE);
            cell.m_nDiagUp = (BYTE)(col >= 5 ? col - 4 : (int)CELL_LINE_NONE);
            cell.m_crLeftEdge = cell.m_crTopEdge = RGB(200, 0, 0);
            cell.m_crRightEdge = cell.m_crBottomEdge = RGB(0, 0, 200);
            cell.m_crDiagDown = RGB(0, 150, 0);
            cell.m_crDiagUp = RGB(150, 0, 150);
        }
    }
    sheet.m_cells[CELL_TEXT].m_strValue = "Label";
    sheet.m_cells[CELL_NUMERIC].m_strValue = "1234.5";
    sheet.m_cells[CELL_ORGAN].m_strValue = "Works";
    sheet.m_cells[CELL_ORGANCODE].m_strValue = "0042";
    CopyCode(sheet.m_cells[CELL_REPORTDATE].m_szDateCode, CELL_PERIOD_LEN, "2024000300000");
    sheet.m_cells[CELL_FORMULA].m_strValue = "7.0000";
    sheet.UpdateBoundingRect();
}

// The view's painting order: every background first, then every border.
void PaintSheet(const CSheet& sheet, CDC* pDC, BOOL bGuides)
{
    for (INT_PTR i = 0; i < sheet.m_cells.GetSize(); ++i)
        sheet.DrawCell(pDC, sheet.m_cells[i]);
    for (INT_PTR i = 0; i < sheet.m_cells.GetSize(); ++i)
        sheet.DrawCellBorder(pDC, sheet.m_cells[i], bGuides);
}

TEST(CellRenderSheetTest, WholeSheetPaintsTextTypesAndEveryLineStyle)
{
    CSheet sheet;
    BuildSampleSheet(sheet);
    RenderCanvas canvas(sheet.m_rcBounds.right + 10, sheet.m_rcBounds.bottom + 10);
    ASSERT_TRUE(canvas.IsReady());
    PaintSheet(sheet, canvas.DC(), TRUE);

    // Top row: the cells with a value to show have ink inside their
    // borders; the normal and the empty picture cell only their background.
    for (int nType = CELL_NORMAL; nType <= CELL_PICTURE; ++nType)
    {
        SCOPED_TRACE(::testing::Message() << "type " << nType);
        const CCell& cell = sheet.m_cells[nType];
        RECT rcInner = cell.m_rect;
        ::InflateRect(&rcInner, -4, -4);
        bool bShowsText = !sheet.GetDisplayText(cell).IsEmpty();
        EXPECT_EQ(nType != CELL_NORMAL && nType != CELL_PICTURE, bShowsText);
        EXPECT_EQ(!bShowsText, canvas.IsPlain(rcInner, cell.m_crBack));
    }

    // Bottom row: the left edge of every styled cell is drawn in its colour
    // on the cell's first column, the later cell's left edge over the
    // earlier one's right edge.
    for (int col = 0; col < 8; ++col)
    {
        SCOPED_TRACE(::testing::Message() << "column " << col);
        const CCell& cell = sheet.m_cells[8 + col];
        int h = cell.m_rect.bottom - cell.m_rect.top;
        int nHits = CountHits(canvas.Line(cell.m_rect.left, cell.m_rect.top + 3, 0, 1, h - 6,
                                          cell.m_crLeftEdge));
        if (cell.m_nLeftEdge == CELL_LINE_NONE)
            EXPECT_EQ(0, nHits);
        else
            EXPECT_GT(nHits, 0);
        // The up diagonal, sampled where it crosses columns inside the cell.
        int w = cell.m_rect.right - cell.m_rect.left;
        int nUp = 0;
        for (int t = 6; t < w - 6; ++t)
        {
            int y = cell.m_rect.bottom - t * h / w;
            for (int dy = -1; dy <= 1; ++dy)
                nUp += canvas.Pixel(cell.m_rect.left + t, y + dy) == cell.m_crDiagUp ? 1 : 0;
        }
        EXPECT_EQ(cell.m_nDiagUp != CELL_LINE_NONE, nUp > 0);
    }
    // The sheet's outer cells draw their right edge on the bounding rectangle.
    const CCell& last = sheet.m_cells[15];
    ASSERT_EQ(sheet.m_rcBounds.right, last.m_rect.right);
    EXPECT_GT(CountHits(canvas.Line(last.m_rect.right, last.m_rect.top + 3, 0, 1, 20,
                                    last.m_crRightEdge)), 0);

    std::string strPath = std::string(SHEET_TEST_EVIDENCE_DIR) + "/cell_rendering.bmp";
    // A Winelib program's C library takes the build folder's Unix path.
    EXPECT_TRUE(canvas.SaveBmp(strPath.c_str())) << strPath;
}

} // namespace
