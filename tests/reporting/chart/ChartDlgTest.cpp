// The chart dialog over a document's selected cells: which cells it
// charts and with what values, how each chart type lays the values out,
// and what its Legend, Grid and Title controls change in the chart.
#include <math.h>

#include <string>
#include <vector>

#include "tests/support/Gtest.h"
#include "tests/reporting/chart/ChartPixels.h"
#include "tests/sheet/SheetGrid.h"
#include "tests/support/Screenshot.h"

#include "reporting/ChartDlg.h"
#include "reporting/chart/ChartModel.h"
#include "reporting/chart/ChartRender.h"
#include "reporting/chart/ChartWnd.h"
#include "sheet/document/TallyformDoc.h"
#include "ChartIds.h"

namespace
{
class ChartDlgTest : public testing::Test
{
protected:
    void SetUp() override
    {
        m_doc.m_bAutoDelete = FALSE;
        CSheet& sheet = m_doc.m_sheet;
        sheettest::MakeGrid(sheet, 2, 4);
        struct Entry { int nCell; int nType; LONG nValueType; const char* pszValue; };
        const Entry entries[] = {
            { 0, CELL_NUMERIC, 0, "10" },    { 1, CELL_NUMERIC, 0, "12.75" },
            { 2, CELL_NUMERIC, 0, "abc" },   { 3, CELL_TEXT, 0, "99" },
            { 4, CELL_NUMERIC, 1, "50" },    { 5, CELL_FORMULA, 0, "7.9000" },
            { 6, CELL_NUMERIC, 0, " -3x" },  { 7, CELL_NUMERIC, 0, "5000000000" },
        };
        for (const Entry& entry : entries)
        {
            CCell& cell = sheet.m_cells[entry.nCell];
            cell.SetType(entry.nType);
            if (entry.nType == CELL_NUMERIC)
                cell.m_nValueType = entry.nValueType;
            cell.m_strValue = entry.pszValue;
        }
        sheet.m_cells[5].m_strName = "LONGNAME9";
    }

    void TearDown() override
    {
        if (m_dlg.m_hWnd != NULL)
            m_dlg.DestroyWindow();
    }

    void Open(const std::vector<UINT>& selection)
    {
        OpenDialog(m_dlg, selection);
        m_pModel = ChartModelOf(m_dlg.GetDlgItem(IDC_CHART_CONTROL)->m_hWnd);
        ASSERT_NE(m_pModel, nullptr);
    }

    // A chart dialog over the document's cells in the selection.
    void OpenDialog(CChartDlg& dlg, const std::vector<UINT>& selection)
    {
        m_doc.m_sheet.m_arrSel.RemoveAll();
        for (UINT n : selection)
            m_doc.m_sheet.m_arrSel.Add(n);
        dlg.m_pDoc = &m_doc;
        ASSERT_TRUE(dlg.Create(IDD_CHART));
        dlg.ShowWindow(SW_SHOW);
    }

    void ChooseType(LPCSTR lpszName) { ChooseTypeIn(m_dlg, lpszName); }

    static void ChooseTypeIn(CChartDlg& dlg, LPCSTR lpszName)
    {
        CListBox& list = dlg.m_listType;
        int nItem = list.FindStringExact(-1, lpszName);
        ASSERT_GE(nItem, 0) << lpszName;
        list.SetCurSel(nItem);
        dlg.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_CHART_TYPE, LBN_SELCHANGE), (LPARAM)list.m_hWnd);
    }

    void Click(int nID, BOOL bChecked)
    {
        m_dlg.CheckDlgButton(nID, bChecked ? BST_CHECKED : BST_UNCHECKED);
        m_dlg.SendMessage(WM_COMMAND, MAKEWPARAM(nID, BN_CLICKED), (LPARAM)m_dlg.GetDlgItem(nID)->m_hWnd);
    }

    // The chart control's client width in twips.
    double WidthTwips()
    {
        CRect rc;
        m_dlg.GetDlgItem(IDC_CHART_CONTROL)->GetClientRect(&rc);
        HDC hdc = GetDC(NULL);
        double d = rc.Width() * 1440.0 / GetDeviceCaps(hdc, LOGPIXELSX);
        ReleaseDC(NULL, hdc);
        return d;
    }

    void Pump()
    {
        MSG msg;
        for (int i = 0; i < 50 && PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE); ++i)
        {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        m_dlg.UpdateWindow();
    }

    CTallyformDoc m_doc;
    CChartDlg m_dlg;
    const CChartModel* m_pModel = nullptr;
};

TEST_F(ChartDlgTest, ChartsNumericDataAndFormulaCellsByTheirLeadingInteger)
{
    Open({ 2, 0, 1, 3, 4, 5, 6, 7, 99 });
    EXPECT_EQ(m_dlg.m_listType.GetCurSel(), 1);
    EXPECT_EQ(m_pModel->m_nChartType, 1);
    const double values[] = { 0, 10, 12, 7, -3, 5e9 };
    const char* const names[] = { "C1", "A1", "B1", "LONGNAM", "C2", "D2" };
    ASSERT_EQ(m_pModel->RowCount(), 6);
    ASSERT_EQ(m_pModel->ColumnCount(), 1);
    for (int i = 0; i < 6; ++i)
    {
        SCOPED_TRACE(i);
        EXPECT_EQ(m_pModel->Value(i + 1, 1), values[i]);
        EXPECT_FALSE(m_pModel->IsNull(i + 1, 1));
        EXPECT_STREQ(m_pModel->RowLabel(i + 1), names[i]);
    }
    const char* const types[] = { "Pie", "Column", "Line", "Cylinder", "Area", "Stacked Area",
                                  "3D Stacked Area" };
    const LONG numbers[] = { 14, 1, 3, 0, 5, 7, 6 };
    ASSERT_EQ(m_dlg.m_listType.GetCount(), 7);
    for (int i = 0; i < 7; ++i)
    {
        CString strText;
        m_dlg.m_listType.GetText(i, strText);
        EXPECT_STREQ(strText, types[i]);
        EXPECT_EQ((LONG)m_dlg.m_listType.GetItemData(i), numbers[i]);
    }
}

TEST_F(ChartDlgTest, PieTakesOneRowOtherTypesOneColumn)
{
    Open({ 0, 1, 2 });
    ChooseType("Pie");
    EXPECT_EQ(m_pModel->m_nChartType, 14);
    ASSERT_EQ(m_pModel->RowCount(), 1);
    ASSERT_EQ(m_pModel->ColumnCount(), 3);
    EXPECT_STREQ(m_pModel->RowLabel(1), "");
    EXPECT_STREQ(m_pModel->ColumnLabel(2), "B1");
    EXPECT_EQ(m_pModel->Value(1, 2), 12.0);
    for (LPCSTR lpszType : { "Line", "Cylinder", "3D Stacked Area" })
    {
        SCOPED_TRACE(lpszType);
        ChooseType(lpszType);
        ASSERT_EQ(m_pModel->RowCount(), 3);
        ASSERT_EQ(m_pModel->ColumnCount(), 1);
        EXPECT_STREQ(m_pModel->RowLabel(3), "C1");
        EXPECT_EQ(m_pModel->Value(2, 1), 12.0);
    }
}

TEST_F(ChartDlgTest, LegendGridAndTitleReachTheChart)
{
    Open({ 0, 1, 2 });
    const double dWidth = WidthTwips();
    EXPECT_FALSE(m_pModel->m_legend.bVisible);
    EXPECT_FALSE(m_pModel->m_bAutoLayout);
    EXPECT_NEAR(m_pModel->m_plotRect.max.x, dWidth * 0.93333334, 1.0);
    Click(IDC_CHART_LEGEND, TRUE);
    EXPECT_TRUE(m_pModel->m_legend.bVisible);
    EXPECT_NEAR(m_pModel->m_plotRect.max.x, dWidth * 0.8666667, 1.0);
    Click(IDC_CHART_LEGEND, FALSE);
    EXPECT_FALSE(m_pModel->m_legend.bVisible);
    EXPECT_NEAR(m_pModel->m_plotRect.max.x, dWidth * 0.93333334, 1.0);
    Click(IDC_CHART_LEGEND, TRUE);
    ChooseType("Pie");
    EXPECT_TRUE(m_pModel->m_legend.bVisible);
    EXPECT_NEAR(m_pModel->m_plotRect.max.x, dWidth, 1.0);

    for (int nAxis = 0; nAxis < CHART_AXIS_COUNT; ++nAxis)
        EXPECT_EQ(m_pModel->m_axes[nAxis].gridPen.crColor, GetSysColor(COLOR_BTNFACE));
    Click(IDC_CHART_GRID, TRUE);
    for (int nAxis = 0; nAxis < CHART_AXIS_COUNT; ++nAxis)
        EXPECT_EQ(m_pModel->m_axes[nAxis].gridPen.crColor, GetSysColor(COLOR_GRAYTEXT));

    EXPECT_STREQ(m_pModel->m_strTitle, "Char01");
    EXPECT_TRUE(m_pModel->m_title.bVisible);
    m_dlg.SetDlgItemText(IDC_CHART_TITLE, "Quarterly sales");
    m_dlg.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_CHART_TITLE, EN_KILLFOCUS),
                      (LPARAM)m_dlg.GetDlgItem(IDC_CHART_TITLE)->m_hWnd);
    EXPECT_STREQ(m_pModel->m_strTitle, "Quarterly sales");
}

TEST_F(ChartDlgTest, ColumnsOfTenTwelvePointSevenFiveAndTextStandAtTenTwelveAndZero)
{
    Open({ 0, 1, 2 });
    CChartImage image;
    ASSERT_TRUE(CaptureChart(m_dlg.GetDlgItem(IDC_CHART_CONTROL)->m_hWnd, image));
    RECT ten = ColorBounds(image, ChartPaletteColor(0));
    RECT twelve = ColorBounds(image, ChartPaletteColor(1));
    RECT text = ColorBounds(image, ChartPaletteColor(2));
    ASSERT_GT(ten.bottom - ten.top, 40);
    EXPECT_NEAR(twelve.bottom - twelve.top, (ten.bottom - ten.top) * 1.2, 2.0);
    EXPECT_EQ(ten.bottom, twelve.bottom);
    EXPECT_TRUE(IsRectEmpty(&text)) << "the text cell stands at zero";
}

// Every listed type draws the values; the dialog of each is saved in the
// build folder as evidence.
TEST_F(ChartDlgTest, EveryChartTypeDrawsTheValues)
{
    m_doc.m_sheet.m_cells[2].m_strValue = "6";
    m_doc.m_sheet.m_cells[6].m_strValue = "9";
    Open({ 0, 1, 2, 6 });
    Click(IDC_CHART_GRID, TRUE);
    const char* const files[] = { "pie", "column", "line", "cylinder", "area", "stacked-area",
                                  "3d-stacked-area" };
    for (int i = 0; i < m_dlg.m_listType.GetCount(); ++i)
    {
        CString strType;
        m_dlg.m_listType.GetText(i, strType);
        SCOPED_TRACE((LPCSTR)strType);
        ChooseType(strType);
        // Without the legend its keys cannot stand in for the values.
        Click(IDC_CHART_LEGEND, FALSE);
        CChartImage image;
        ASSERT_TRUE(CaptureChart(m_dlg.GetDlgItem(IDC_CHART_CONTROL)->m_hWnd, image));
        RECT rcAll = { 0, 0, image.cx, image.cy };
        for (int n = 0; n < 4; ++n)
            EXPECT_GT(CountColor(image, ChartPaletteColor(n), rcAll), 0) << "value " << n;
        Click(IDC_CHART_LEGEND, TRUE);
        Pump();
        std::string path = std::string(DESIGNER_SCREENSHOT_DIR) + "/chart-" + files[i] + ".bmp";
        SaveWindowScreenshot(m_dlg.m_hWnd, path.c_str());
    }
}
} // namespace

namespace
{
// The darkest pixels: the chart's lines and texts.
bool IsInk(COLORREF cr)
{
    return GetRValue(cr) < 96 && GetGValue(cr) < 96 && GetBValue(cr) < 96;
}

// The top row of the colour in each column from x0 to x1, -1 where none.
std::vector<int> ColourTops(const CChartImage& image, COLORREF crColor, int x0, int x1)
{
    std::vector<int> tops;
    for (int x = x0; x <= x1; ++x)
    {
        int nTop = -1;
        for (int y = 0; y < image.cy && nTop < 0; ++y)
            if (NearColor(image.At(x, y), crColor, 2))
                nTop = y;
        tops.push_back(nTop);
    }
    return tops;
}
} // namespace

// A pie of zeros under its title, the two stacked areas and a pie of more
// slices than the fixed colours, each in a dialog of its own.
TEST_F(ChartDlgTest, ZeroPiesStackedAreasAndLongPiesDrawWhatTheyShow)
{
    // Cells 0-2 hold zeros, 3-5 the figures 10, 30 and 20, 6-35 ones.
    sheettest::MakeGrid(m_doc.m_sheet, 5, 8);
    for (int i = 0; i < 40; ++i)
    {
        CCell& cell = m_doc.m_sheet.m_cells[i];
        cell.SetType(CELL_NUMERIC);
        cell.m_nValueType = 0;
        cell.m_strValue = i < 3 ? "0" : i == 3 ? "10" : i == 4 ? "30" : i == 5 ? "20" : "1";
    }
    auto open = [&](CChartDlg& dlg, const std::vector<UINT>& selection, LPCSTR lpszType) {
        OpenDialog(dlg, selection);
        ChooseTypeIn(dlg, lpszType);
        return dlg.GetDlgItem(IDC_CHART_CONTROL)->m_hWnd;
    };

    // Zeros: an empty circle below the title, and nothing between them.
    CChartImage image;
    ASSERT_TRUE(CaptureChart(open(m_dlg, { 0, 1, 2 }, "Pie"), image));
    const int nTitleBottom = image.cy * 2 / 15;
    POINT ptLeft = { image.cx, 0 };
    for (int y = nTitleBottom; y < image.cy; ++y)
        for (int x = 0; x < ptLeft.x; ++x)
            if (IsInk(image.At(x, y)))
                ptLeft = { x, y };
    ASSERT_LT(ptLeft.x, image.cx) << "no outline";
    int xRight = ptLeft.x;
    for (int x = ptLeft.x; x < image.cx; ++x)
        if (IsInk(image.At(x, ptLeft.y)))
            xRight = x;
    const int nRadius = (xRight - ptLeft.x) / 2;
    ASSERT_GT(nRadius, 30);
    int nStray = 0;
    for (int y = nTitleBottom; y < ptLeft.y - nRadius - 2; ++y)
        for (int x = 0; x < image.cx; ++x)
            nStray += IsInk(image.At(x, y));
    EXPECT_EQ(nStray, 0) << "ink between the title and the pie";

    // 10, 30, 20: areas whose top runs straight from point to point.
    for (LPCSTR lpszType : { "Stacked Area", "3D Stacked Area" })
    {
        SCOPED_TRACE(lpszType);
        CChartDlg dlg(NULL);
        ASSERT_TRUE(CaptureChart(open(dlg, { 3, 4, 5 }, lpszType), image));
        dlg.DestroyWindow();
        RECT rcFirst = ColorBounds(image, ChartPaletteColor(0));
        RECT rcSecond = ColorBounds(image, ChartPaletteColor(1));
        ASSERT_FALSE(IsRectEmpty(&rcFirst));
        ASSERT_FALSE(IsRectEmpty(&rcSecond));
        const int x0 = (rcFirst.left + rcFirst.right) / 2 + 6;
        const int x1 = (rcSecond.left + rcSecond.right) / 2 - 6;
        ASSERT_GT(x1 - x0, 20);
        // The area's own colour, just below the lower point between the two.
        COLORREF crArea = image.At((x0 + x1) / 2, rcFirst.bottom + 4);
        std::vector<int> tops = ColourTops(image, crArea, x0, x1);
        ASSERT_NE(tops.front(), -1);
        ASSERT_NE(tops.back(), -1);
        EXPECT_GT(tops.front() - tops.back(), 20) << "the area rises to the higher point";
        for (size_t i = 1; i < tops.size(); ++i)
            EXPECT_LE(tops[i], tops[i - 1] + 1) << "no step at column " << x0 + (int)i;
        EXPECT_NEAR(tops[tops.size() / 2], (tops.front() + tops.back()) / 2.0, 3.0) << "a straight top";
    }

    // Thirty slices of one each: thirty colours, none used twice.
    std::vector<UINT> slices;
    for (UINT i = 6; i < 36; ++i)
        slices.push_back(i);
    CChartDlg dlg(NULL);
    ASSERT_TRUE(CaptureChart(open(dlg, slices, "Pie"), image));
    dlg.DestroyWindow();
    RECT rcAll = { 0, 0, image.cx, image.cy };
    for (int i = 0; i < 30; ++i)
    {
        EXPECT_GT(CountColor(image, ChartPaletteColor(i), rcAll, 2), 20) << "slice " << i;
        for (int j = 0; j < i; ++j)
            EXPECT_FALSE(NearColor(ChartPaletteColor(i), ChartPaletteColor(j), 12))
                << "slices " << j << " and " << i;
    }
}
