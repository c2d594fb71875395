// The chart control driven through its dispatch drivers, as the chart
// dialog drives it, and measured in the pixels it paints.
#include <float.h>
#include <math.h>

#include <functional>
#include <vector>

#include "tests/support/Gtest.h"
#include "tests/reporting/chart/ChartPixels.h"

#include "framework/core/Exception.h"
#include "framework/ole/OleDispatchException.h"
#include "reporting/chart/ChartModel.h"
#include "reporting/chart/ChartRender.h"
#include "reporting/chart/ChartWnd.h"
#include "reporting/chart/MSChart.h"

namespace
{
const int kWidth = 480;
const int kHeight = 360;

class ChartControlTest : public testing::Test
{
protected:
    void SetUp() override
    {
        m_hHost = CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 0, 0, kWidth, kHeight, NULL,
                                  NULL, GetModuleHandleA(NULL), NULL);
        ASSERT_NE(m_hHost, nullptr);
        ASSERT_TRUE(m_chart.Create(NULL, "", WS_CHILD | WS_VISIBLE, CRect(0, 0, kWidth, kHeight),
                                   CWnd::FromHandle(m_hHost), 1214));
        m_chart.GetLegend().GetId1().PutId2Bool(FALSE);
    }

    void TearDown() override
    {
        if (m_chart.m_hWnd != NULL)
            m_chart.DestroyWindow();
        if (m_hHost != NULL)
            DestroyWindow(m_hHost);
    }

    // One series of values as categories, the way the dialog fills the
    // one-column types.
    void SetColumnData(LONG nType, const std::vector<double>& values)
    {
        m_chart.SetChartType(nType);
        CChartDataGrid grid = m_chart.GetDataGrid();
        grid.SetColumnCount(1);
        grid.SetRowCount((short)values.size());
        for (size_t i = 0; i < values.size(); ++i)
            grid.SetData((short)(i + 1), 1, values[i], 0);
    }

    // One row of values as slices.
    void SetPieData(const std::vector<double>& values)
    {
        m_chart.SetChartType(CHART_2D_PIE);
        CChartDataGrid grid = m_chart.GetDataGrid();
        grid.InvokeId15();
        grid.SetColumnCount((short)values.size());
        grid.SetRowCount(1);
        for (size_t i = 0; i < values.size(); ++i)
            grid.SetData(1, (short)(i + 1), values[i], 0);
    }

    // Heights in pixels of the bars of the first n categories.
    std::vector<LONG> BarHeights(int n)
    {
        CChartImage image;
        EXPECT_TRUE(CaptureChart(m_chart.m_hWnd, image));
        std::vector<LONG> heights;
        for (int i = 0; i < n; ++i)
        {
            RECT rc = ColorBounds(image, ChartPaletteColor(i));
            heights.push_back(rc.bottom - rc.top);
        }
        return heights;
    }

    void ExpectProportional(const std::vector<LONG>& heights, const std::vector<double>& values)
    {
        SCOPED_TRACE("bar heights");
        ASSERT_EQ(heights.size(), values.size());
        ASSERT_GT(heights[0], 20);
        for (size_t i = 1; i < values.size(); ++i)
        {
            // Each edge may round by a pixel, and the first bar's error grows with the ratio.
            double dRatio = fabs(values[i] / values[0]);
            EXPECT_NEAR(heights[i], heights[0] * dRatio, 1.5 + dRatio) << "bar " << i;
        }
    }

    void SetGridColor(COLORREF cr)
    {
        CChartPart pen = m_chart.GetPlot().GetId31(1).GetId5().GetId2();
        pen.PutId1Long(1);
        pen.GetId4().InvokeId5(GetRValue(cr), GetGValue(cr), GetBValue(cr));
    }

    HWND m_hHost = NULL;
    CMSChart m_chart;
};

// TRUE when the call threw the framework's automation or OLE exception.
BOOL FailsWithOleError(const std::function<void()>& call)
{
    try
    {
        call();
    }
    catch (CException* e)
    {
        BOOL bOle = e->IsKindOf(RUNTIME_CLASS(COleException)) ||
                    e->IsKindOf(RUNTIME_CLASS(COleDispatchException));
        e->Delete();
        return bOle;
    }
    return FALSE;
}

TEST_F(ChartControlTest, ColumnHeightsFollowTheValuesWhateverTheirSize)
{
    const std::vector<std::vector<double>> cases = {
        { 10, 20, 40 }, { 1e9, 2e9, 0.5e9 }, { 1e300, 5e299, 2.5e299 }, { 0.002, 0.004, 0.001 },
    };
    for (const std::vector<double>& values : cases)
    {
        SCOPED_TRACE(values[0]);
        SetColumnData(CHART_2D_BAR, values);
        ExpectProportional(BarHeights(3), values);
    }
}

TEST_F(ChartControlTest, NegativeColumnsHangFromTheZeroLine)
{
    SetColumnData(CHART_2D_BAR, { 30, -30, -15 });
    CChartImage image;
    ASSERT_TRUE(CaptureChart(m_chart.m_hWnd, image));
    RECT up = ColorBounds(image, ChartPaletteColor(0));
    RECT down = ColorBounds(image, ChartPaletteColor(1));
    RECT half = ColorBounds(image, ChartPaletteColor(2));
    EXPECT_NEAR(up.bottom, down.top, 2);
    EXPECT_NEAR(up.bottom - up.top, down.bottom - down.top, 2);
    EXPECT_NEAR(half.bottom - half.top, (down.bottom - down.top) / 2.0, 2);
}

TEST_F(ChartControlTest, ValuesBeyondAnyAxisAreDrawnAtItsEnds)
{
    SetColumnData(CHART_2D_BAR, { DBL_MAX, -DBL_MAX, NAN });
    CChartImage image;
    ASSERT_TRUE(CaptureChart(m_chart.m_hWnd, image));
    RECT up = ColorBounds(image, ChartPaletteColor(0));
    RECT down = ColorBounds(image, ChartPaletteColor(1));
    EXPECT_GT(up.bottom - up.top, kHeight / 4);
    EXPECT_NEAR(up.bottom - up.top, down.bottom - down.top, 2);
    RECT none = ColorBounds(image, ChartPaletteColor(2));
    EXPECT_TRUE(IsRectEmpty(&none)) << "a value that is no number";
}

TEST_F(ChartControlTest, PieAnglesFollowTheValues)
{
    SetPieData({ 10, 20, 30, 0, -5 });
    CChartImage image;
    ASSERT_TRUE(CaptureChart(m_chart.m_hWnd, image));
    RECT rcPie = { kWidth, kHeight, 0, 0 };
    for (int i = 0; i < 3; ++i)
    {
        RECT rc = ColorBounds(image, ChartPaletteColor(i));
        UnionRect(&rcPie, &rcPie, &rc);
    }
    double r = (rcPie.right - rcPie.left) / 2.0;
    ASSERT_GT(r, 50);
    EXPECT_NEAR(rcPie.bottom - rcPie.top, rcPie.right - rcPie.left, 3) << "a round pie";
    std::vector<double> angles = ColorAngles(image, (rcPie.left + rcPie.right) / 2.0,
                                             (rcPie.top + rcPie.bottom) / 2.0, r * 0.6,
                                             { ChartPaletteColor(0), ChartPaletteColor(1),
                                               ChartPaletteColor(2), ChartPaletteColor(3),
                                               ChartPaletteColor(4) });
    EXPECT_NEAR(angles[0], 60.0, 3.0);
    EXPECT_NEAR(angles[1], 120.0, 3.0);
    EXPECT_NEAR(angles[2], 180.0, 3.0);
    EXPECT_EQ(angles[3], 0.0) << "a zero value has no slice";
    EXPECT_EQ(angles[4], 0.0) << "a negative value has no slice";
}

TEST_F(ChartControlTest, EmptyAndZeroSumChartsDrawNoData)
{
    for (LONG nType : { CHART_2D_PIE, CHART_2D_BAR, CHART_3D_BAR, CHART_2D_LINE, CHART_2D_AREA,
                        CHART_2D_STACKED_AREA, CHART_3D_STACKED_AREA })
    {
        SCOPED_TRACE(nType);
        for (const std::vector<double>& values : { std::vector<double>(), std::vector<double>{ 0, 0, 0 } })
        {
            if (nType == CHART_2D_PIE)
                SetPieData(values);
            else
                SetColumnData(nType, values);
            CChartImage image;
            ASSERT_TRUE(CaptureChart(m_chart.m_hWnd, image));
            RECT rcAll = { 0, 0, kWidth, kHeight };
            // Points at zero still mark a line, an area and a cylinder's base.
            BOOL bMarksZero = nType == CHART_2D_LINE || nType == CHART_2D_AREA || nType == CHART_3D_BAR ||
                              nType == CHART_2D_STACKED_AREA || nType == CHART_3D_STACKED_AREA;
            if (values.empty() || !bMarksZero)
            {
                EXPECT_EQ(CountColor(image, ChartPaletteColor(0), rcAll), 0);
            }
            // Still a chart: its axes or the pie's outline.
            EXPECT_GT(CountColor(image, kChartInk, rcAll, 100), 50);
        }
    }
}

TEST_F(ChartControlTest, LegendAndGridSwitchesChangeWhatIsDrawn)
{
    SetColumnData(CHART_2D_BAR, { 10, 20, 30 });
    // A grid colour that no text edge or bar comes near.
    const COLORREF crGrey = RGB(200, 0, 200), crFace = RGB(212, 208, 200);
    CChartPart wallBrush = m_chart.GetPlot().GetId23().GetId2();
    wallBrush.PutId1Long(1);
    wallBrush.GetId2().InvokeId5(GetRValue(crFace), GetGValue(crFace), GetBValue(crFace));
    RECT rcRight = { kWidth * 3 / 4, 0, kWidth, kHeight };
    RECT rcAll = { 0, 0, kWidth, kHeight };

    CChartImage image;
    SetGridColor(crFace);
    ASSERT_TRUE(CaptureChart(m_chart.m_hWnd, image));
    EXPECT_EQ(CountColor(image, crGrey, rcAll), 0) << "grid drawn in the wall's colour";
    EXPECT_EQ(CountColor(image, ChartPaletteColor(0), rcRight), 0) << "no legend keys";

    SetGridColor(crGrey);
    ASSERT_TRUE(CaptureChart(m_chart.m_hWnd, image));
    EXPECT_GT(CountColor(image, crGrey, rcAll), 3 * kWidth / 2) << "grid lines across the plot";

    m_chart.GetLegend().GetId1().PutId2Bool(TRUE);
    ASSERT_TRUE(CaptureChart(m_chart.m_hWnd, image));
    for (int i = 0; i < 3; ++i)
        EXPECT_GE(CountColor(image, ChartPaletteColor(i), rcRight), 64) << "legend key " << i;
    RECT rcFirst = ColorBounds(image, ChartPaletteColor(0));
    EXPECT_LT(rcFirst.left, kWidth / 3) << "the first bar stays left";
}

TEST_F(ChartControlTest, CallsOutsideTheDataGridFailAsAutomationErrors)
{
    SetColumnData(CHART_2D_BAR, { 1, 2 });
    CChartDataGrid grid = m_chart.GetDataGrid();
    EXPECT_TRUE(FailsWithOleError([&] { grid.SetData(3, 1, 5.0, 0); }));
    EXPECT_TRUE(FailsWithOleError([&] { m_chart.SetRow(0); }));
    EXPECT_TRUE(FailsWithOleError([&] { m_chart.GetPlot().GetId31(3); }));
    const CChartModel* pModel = ChartModelOf(m_chart.m_hWnd);
    ASSERT_NE(pModel, nullptr);
    EXPECT_EQ(pModel->RowCount(), 2);
    EXPECT_EQ(pModel->Value(2, 1), 2.0);
}
} // namespace
