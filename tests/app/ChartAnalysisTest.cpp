// Data > Chart Analysis in the real designer: figures typed in run mode,
// the cells selected, and the chart dialog's drawing read back from the
// screen and measured; each chart type is saved as evidence.
#include <algorithm>
#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "tests/support/Gtest.h"
#include "tests/app/RunModeDriver.h"
#include "tests/app/ScreenCapture.h"
#include "tests/reporting/chart/ChartPixels.h"
#include "tests/sheet/SheetGrid.h"
#include "tests/support/ScratchFolder.h"

#include "reporting/chart/ChartRender.h"
#include "sheet/document/TallyformDoc.h"

namespace
{
const DWORD kWaitMs = 20000;
const UINT kRunMode = 33007;
const UINT kSelectAll = 57642;
const UINT kChartAnalysis = 32835;
const int kChartControl = 1214;
const int kChartType = 1215;
const int kChartLegend = 1213;

class ChartAnalysisTest : public testing::Test
{
protected:
    void SetUp() override
    {
        WriteWholeFile(m_folder.PathOf("Tallyform.INI"),
                       "[DataSource]\r\nStart=0\r\nType=0\r\nName=Reporting.mdb\r\n");
        m_strTemplate = m_folder.PathOf("Chart.kvm");
        CTallyformDoc doc;
        doc.m_bAutoDelete = FALSE;
        sheettest::MakeGrid(doc.m_sheet, 1, 4, 80, 30);
        strcpy(doc.m_sheet.m_szCode, "CHT01");
        for (int i = 0; i < 3; ++i)
        {
            CCell& cell = doc.m_sheet.m_cells[i];
            cell.SetType(CELL_NUMERIC);
            cell.m_nValueType = 0;
            cell.m_strValue.Empty();
        }
        ASSERT_TRUE(doc.OnSaveDocument(m_strTemplate));
    }

    void TearDown() override
    {
        if (m_pDriver)
        {
            EXPECT_TRUE(m_pDriver->CloseDiscarding(kWaitMs));
        }
    }

    // The designer in run mode with the figures typed along the tab order.
    void StartAndEnter(const std::vector<LPCSTR>& figures)
    {
        m_pDesigner.reset(new CDesignerProcess(m_folder.GetPath(), "\"" + m_strTemplate + "\""));
        ASSERT_TRUE(m_pDesigner->IsStarted());
        m_pDriver.reset(new CRunModeDriver(*m_pDesigner));
        ASSERT_TRUE(m_pDriver->FindView(kWaitMs));
        ASSERT_TRUE(m_pDriver->WaitForSplashGone(kWaitMs));
        PostMessageA(m_pDriver->MainWindow(), WM_COMMAND, MAKEWPARAM(kRunMode, 0), 0);
        ASSERT_TRUE(m_pDriver->WaitForCaption("Tallyform [Run Mode] - ", kWaitMs));
        CRunModeDriver::PressKey(m_pDriver->View(), VK_TAB);
        HWND hEditor = m_pDriver->WaitForEditor(NULL, kWaitMs);
        for (LPCSTR figure : figures)
        {
            ASSERT_NE(nullptr, hEditor) << figure;
            CRunModeDriver::TypeChars(hEditor, figure);
            EXPECT_TRUE(CRunModeDriver::WaitForText(hEditor, figure, kWaitMs)) << figure;
            CRunModeDriver::PressKey(hEditor, VK_TAB);
            hEditor = m_pDriver->WaitForEditor(hEditor, kWaitMs);
        }
        m_pDriver->Settle();
    }

    // The chart control as the screen shows it, saved under the name, once
    // it shows the values and has changed from the last capture and settled.
    BOOL CaptureControl(HWND hDlg, const std::string& name, CChartImage& image)
    {
        RECT rc;
        GetWindowRect(GetDlgItem(hDlg, kChartControl), &rc);
        std::string path = std::string(DESIGNER_SCREENSHOT_DIR) + "/designer-chart-" + name + ".bmp";
        CChartImage previous;
        for (DWORD dwStart = GetTickCount(); GetTickCount() - dwStart < kWaitMs; Sleep(100))
        {
            if (!SaveRootAreaBitmap(rc.left + 1, rc.top + 1, rc.right - rc.left - 2,
                                    rc.bottom - rc.top - 2, path.c_str()) ||
                !ReadBitmapFile(path.c_str(), image))
                return FALSE;
            RECT rcFirst = ColorBounds(image, ChartPaletteColor(0));
            BOOL bSettled = image.pixels == previous.pixels && image.pixels != m_lastCapture.pixels;
            previous = image;
            if (!IsRectEmpty(&rcFirst) && bSettled)
            {
                m_lastCapture = image;
                return TRUE;
            }
        }
        return FALSE;
    }

    void ChooseType(HWND hDlg, int nItem)
    {
        HWND hList = GetDlgItem(hDlg, kChartType);
        SendMessageA(hList, LB_SETCURSEL, (WPARAM)nItem, 0);
        SendMessageA(hDlg, WM_COMMAND, MAKEWPARAM(kChartType, LBN_SELCHANGE), (LPARAM)hList);
    }

    CScratchFolder m_folder;
    CString m_strTemplate;
    std::unique_ptr<CDesignerProcess> m_pDesigner;
    std::unique_ptr<CRunModeDriver> m_pDriver;
    CChartImage m_lastCapture;
};

} // namespace

TEST_F(ChartAnalysisTest, SelectedFiguresAreChartedAsColumnsAndSlicesOfTheirSize)
{
    ASSERT_NO_FATAL_FAILURE(StartAndEnter({ "10", "12.75", "30" }));
    PostMessageA(m_pDriver->MainWindow(), WM_COMMAND, MAKEWPARAM(kSelectAll, 0), 0);
    PostMessageA(m_pDriver->MainWindow(), WM_COMMAND, MAKEWPARAM(kChartAnalysis, 0), 0);
    HWND hDlg = m_pDesigner->WaitForDialog("Chart", kWaitMs);
    ASSERT_NE(nullptr, hDlg);

    // Column, the first type shown: bars of 10, 12 and 30 standing on one line.
    CChartImage image;
    ASSERT_TRUE(CaptureControl(hDlg, "column", image));
    std::vector<RECT> bars;
    for (int i = 0; i < 3; ++i)
        bars.push_back(ColorBounds(image, ChartPaletteColor(i)));
    LONG nTen = bars[0].bottom - bars[0].top;
    ASSERT_GT(nTen, 20);
    EXPECT_NEAR(bars[1].bottom - bars[1].top, nTen * 1.2, 2.5);
    EXPECT_NEAR(bars[2].bottom - bars[2].top, nTen * 3.0, 4.0);
    EXPECT_EQ(bars[0].bottom, bars[2].bottom);
    EXPECT_LT(bars[0].right, bars[1].left);
    EXPECT_LT(bars[1].right, bars[2].left);

    // Pie: slices of 10, 12 and 30 parts of 52.
    ChooseType(hDlg, 0);
    ASSERT_TRUE(CaptureControl(hDlg, "pie", image));
    RECT rcPie = { image.cx, image.cy, 0, 0 };
    for (int i = 0; i < 3; ++i)
    {
        RECT rc = ColorBounds(image, ChartPaletteColor(i));
        UnionRect(&rcPie, &rcPie, &rc);
    }
    std::vector<double> angles = ColorAngles(image, (rcPie.left + rcPie.right) / 2.0,
                                             (rcPie.top + rcPie.bottom) / 2.0,
                                             (rcPie.right - rcPie.left) * 0.3,
                                             { ChartPaletteColor(0), ChartPaletteColor(1),
                                               ChartPaletteColor(2) });
    EXPECT_NEAR(angles[0], 360.0 * 10 / 52, 3.0);
    EXPECT_NEAR(angles[1], 360.0 * 12 / 52, 3.0);
    EXPECT_NEAR(angles[2], 360.0 * 30 / 52, 3.0);

    // Every type with its legend, as evidence.
    HWND hLegend = GetDlgItem(hDlg, kChartLegend);
    SendMessageA(hLegend, BM_SETCHECK, BST_CHECKED, 0);
    SendMessageA(hDlg, WM_COMMAND, MAKEWPARAM(kChartLegend, BN_CLICKED), (LPARAM)hLegend);
    const char* const names[] = { "pie", "column", "line", "cylinder", "area", "stacked-area",
                                  "3d-stacked-area" };
    // Area and Stacked Area of one series look alike: a capture must differ
    // from the one before, so they do not come one after the other.
    for (int i : { 0, 1, 2, 3, 4, 6, 5 })
    {
        ChooseType(hDlg, i);
        EXPECT_TRUE(CaptureControl(hDlg, std::string(names[i]) + "-legend", image)) << names[i];
    }
    RECT rcDlg;
    GetWindowRect(hDlg, &rcDlg);
    SaveRootAreaBitmap(rcDlg.left, rcDlg.top, rcDlg.right - rcDlg.left, rcDlg.bottom - rcDlg.top,
                       DESIGNER_SCREENSHOT_DIR "/designer-chart-dialog.bmp");
    CDesignerProcess::Press(hDlg, IDOK);
    EXPECT_TRUE(CDesignerProcess::WaitGone(hDlg, kWaitMs));
}
