// A report filled in the real designer (or, built with PROGRAM_UNDER_TEST
// "Quirepad", the editor) from start to end, on both kinds of reporting
// database: the template opens, run mode starts, the period, the
// organization and three figures go in through the in-place editors, the
// calculate cells follow, the data is saved and, in a second run of the
// program, loaded back; the rows are checked with direct SQL.
#include <math.h>
#include <stdlib.h>

#include <algorithm>
#include <iostream>
#include <string>
#include <vector>

#include "tests/sheet/document/database/ReportTestBackend.h"
#include "tests/app/DesignerProcess.h"
#include "tests/app/EntryTemplate.h"
#include "tests/app/PdfTexts.h"
#include "tests/app/RunModeDriver.h"
#include "tests/app/ScreenCapture.h"
#include "tests/support/ScratchFolder.h"

#include "engines/common/KemDatabase.h"
#include "sheet/PeriodCode.h"
#include "sheet/ReportPeriod.h"

#ifndef SCREENSHOT_PREFIX
#define SCREENSHOT_PREFIX "designer"
#endif

namespace
{
const DWORD kWaitMs = 20000;
const UINT kLoadFromDatabase = 32829;
const UINT kSaveToDatabase = 32827;
const char kRunCaption[] = "Tallyform [Run Mode] - ";
const int kMarchCell = 2;    // the third month of the calendar's page
// The report information dialog as noted by the driver.
const std::string kReportKeys = "[report] B02|O'Brien & Co";

// The figures typed, and what the calculate cells make of them.
const char kSales[] = "1250.5";
const char kCosts[] = "310.25";
const char kStaff[] = "12";
const double kTotal = atof(kSales) + atof(kCosts);     // C3 = A3+B3
const double kMargin = atof(kSales) - atof(kCosts);    // B4 = A3-B3
const double kPerHead = kTotal * atof(kStaff);         // C4 = C3*A4

// A figure's text as the ten-thousandths the database holds.
std::string Scaled(LPCSTR lpszFigure)
{
    return std::to_string(llround(atof(lpszFigure) * 10000));
}

// The numbers among the texts.
std::vector<double> NumbersIn(const std::vector<std::string>& texts)
{
    std::vector<double> numbers;
    for (const std::string& text : texts)
    {
        char* pEnd = NULL;
        double value = strtod(text.c_str(), &pEnd);
        if (!text.empty() && pEnd != NULL && *pEnd == '\0')
            numbers.push_back(value);
    }
    return numbers;
}

bool Contains(const std::vector<double>& numbers, double value)
{
    return std::any_of(numbers.begin(), numbers.end(),
                       [value](double n) { return fabs(n - value) < 1e-6; });
}

bool Contains(const std::vector<std::string>& texts, const std::string& text)
{
    return std::find(texts.begin(), texts.end(), text) != texts.end();
}

// Progress for the log: a step and the window it reached.
void Step(const char* pszStep, HWND hWnd)
{
    char szClass[64] = "";
    GetClassNameA(hWnd, szClass, sizeof(szClass));
    std::cout << GetTickCount() << " " << pszStep << ": " << (void*)hWnd << " " << szClass << std::endl;
}

class DataEntryTest : public testing::TestWithParam<ReportBackendKind>
{
protected:
    DataEntryTest() : m_backend(MakeReportBackend(GetParam())) {}

    void SetUp() override
    {
        ASSERT_TRUE(m_backend->IsReady());
        m_backend->Exec("INSERT INTO ss_Organ (FD_Code, FD_Name, FD_SearchCode) VALUES ('A01', 'Alder', 'A')");
        m_backend->Exec("INSERT INTO ss_Organ (FD_Code, FD_Name, FD_SearchCode) VALUES ('B02', 'O''Brien & Co', 'B')");
        m_backend->Exec("INSERT INTO ss_Organ (FD_Code, FD_Name, FD_SearchCode) VALUES ('C03', 'Cedar', 'C')");
        m_backend->Describe(&m_source);
        m_strTemplate = m_folder.PathOf("Monthly.kvm");
        ASSERT_TRUE(SaveEntryTemplate(m_strTemplate));
        WriteWholeFile(m_folder.PathOf("Tallyform.INI"),
                       "[DataSource]\r\nStart=1\r\nType=" + std::to_string(m_backend->Type()) +
                           "\r\nName=" + std::string((LPCSTR)m_source.m_strDatabase) + "\r\n");
        SYSTEMTIME now;
        GetLocalTime(&now);
        m_strPeriod = CReportPeriod::GetCodeForDate(PERIOD_MONTH, now.wYear, 3, 1);
    }

    // Starts the designer on the template and answers its connect dialog.
    void Connect(CDesignerProcess& designer, CRunModeDriver& driver)
    {
        ASSERT_TRUE(designer.IsStarted()) << "start error " << designer.StartError();
        HWND hDlg = designer.WaitForDialog("Connect to Database", kWaitMs);
        ASSERT_NE(hDlg, nullptr);
        SetDlgItemTextA(hDlg, 1143, m_source.m_strUser);
        SetDlgItemTextA(hDlg, 1019, m_source.m_strPassword);
        CDesignerProcess::Press(hDlg, IDOK);
        ASSERT_TRUE(CDesignerProcess::WaitGone(hDlg, kWaitMs));
        ASSERT_TRUE(driver.FindView(kWaitMs));
        ASSERT_TRUE(driver.WaitForSplashGone(kWaitMs));
    }

    // F5, then the period (March of the calendar's year), the organization
    // by the first letter of its code, and its name as the code found it.
    // Returns the editor open after the name: the first figure's.
    HWND EnterKeys(CRunModeDriver& driver)
    {
        CRunModeDriver::PressKey(driver.View(), VK_F5);
        if (!driver.WaitForCaption(kRunCaption, 5000))
        {
            ADD_FAILURE() << "F5 did not switch to run mode";
            PostMessageA(driver.MainWindow(), WM_COMMAND, MAKEWPARAM(33007, 0), 0);
        }
        EXPECT_TRUE(driver.WaitForCaption(kRunCaption, kWaitMs)) << (LPCSTR)driver.MainCaption();
        EXPECT_STREQ(driver.MainCaption(), CString(kRunCaption) + "Monthly.kvm");
        HWND hEditor = driver.EnterKeys(PERIOD_MONTH, kMarchCell, "B", "B02", "O'Brien & Co", kWaitMs);
        Step("first figure editor", hEditor);
        EXPECT_NE(hEditor, nullptr) << driver.Failure();
        return hEditor;
    }

    // Types a figure over the open editor's text and tabs on; the next
    // editor.  (Loading through ODBC leaves "0" in a figure that has no row
    // yet, and the editor opens with the caret after it.)
    HWND EnterFigure(CRunModeDriver& driver, HWND hEditor, LPCSTR lpszFigure)
    {
        HWND hNext = driver.EnterFigure(hEditor, lpszFigure, kWaitMs);
        EXPECT_NE(hNext, nullptr) << driver.Failure();
        return hNext;
    }

    std::vector<std::string> PdfTexts(CRunModeDriver& driver, LPCSTR lpszName)
    {
        CString strPath = m_folder.PathOf(lpszName);
        EXPECT_TRUE(driver.SaveToPdf(strPath, kWaitMs));
        return PdfShownTexts(ReadWholeFile(strPath));
    }

    void Screenshot(CRunModeDriver& driver, const std::string& name)
    {
        RedrawWindow(driver.MainWindow(), NULL, NULL,
                     RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        Sleep(1000);
        RECT rc;
        GetWindowRect(driver.MainWindow(), &rc);
        std::string path = std::string(DESIGNER_SCREENSHOT_DIR) + "/" SCREENSHOT_PREFIX "-" + name + "-" +
                           (GetParam() == BACKEND_DAO_SQLITE ? "sqlite" : "postgresql") + ".bmp";
        EXPECT_TRUE(SaveRootAreaBitmap(rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top,
                                       path.c_str()));
    }

    std::vector<std::string> DataRows()
    {
        std::string sql = std::string("SELECT FD_OrgCode, FD_Time, FD_RowItemCode, FD_ColItemCode, ") +
                          m_backend->ScaledValue() +
                          " FROM ss_datalist ORDER BY FD_RowItemCode, FD_ColItemCode";
        return m_backend->Rows(sql.c_str());
    }

    // Waits for the report's fill to be logged after a save.
    std::vector<std::string> WaitForLog(CRunModeDriver& driver)
    {
        std::vector<std::string> rows;
        DWORD dwStart = GetTickCount();
        while ((rows = m_backend->Rows("SELECT FD_TemplateCode, FD_OrgCode FROM ss_reportlog")).empty() &&
               GetTickCount() - dwStart < kWaitMs)
        {
            driver.AnswerDialogs();
            Sleep(100);
        }
        return rows;
    }

    // A figure and the values of the calculate cells shown in the PDF.
    void ExpectShown(const std::vector<std::string>& texts, double staff, double perHead)
    {
        std::vector<double> numbers = NumbersIn(texts);
        for (double value : { atof(kSales), atof(kCosts), staff, kTotal, kMargin, perHead })
            EXPECT_TRUE(Contains(numbers, value)) << value << " in " << JoinedTexts(texts);
        EXPECT_TRUE(Contains(texts, "B02")) << JoinedTexts(texts);
        EXPECT_TRUE(Contains(texts, "O'Brien & Co")) << JoinedTexts(texts);
    }

    std::unique_ptr<ReportTestBackend> m_backend;
    CKemDatabase m_source;
    CScratchFolder m_folder;
    CString m_strTemplate;
    CString m_strPeriod;
};

TEST_P(DataEntryTest, FiguresTypedInRunModeAreCalculatedSavedAndLoadedBack)
{
    const std::string period = (LPCSTR)m_strPeriod;
    std::vector<std::string> firstTexts;
    {
        CDesignerProcess designer(m_folder.GetPath(), "\"" + m_strTemplate + "\"");
        CRunModeDriver driver(designer);
        ASSERT_NO_FATAL_FAILURE(Connect(designer, driver));
        Screenshot(driver, "opened");

        HWND hEditor = EnterKeys(driver);
        ASSERT_NE(hEditor, nullptr) << JoinedTexts(driver.Answered());
        for (LPCSTR figure : { kSales, kCosts, kStaff })
        {
            hEditor = EnterFigure(driver, hEditor, figure);
            Step(figure, hEditor);
            ASSERT_NE(hEditor, nullptr) << figure << " " << JoinedTexts(driver.Answered());
        }
        Screenshot(driver, "run-mode");
        firstTexts = PdfTexts(driver, "typed.pdf");
        Step("pdf", NULL);
        ExpectShown(firstTexts, atof(kStaff), kPerHead);

        // The report information asked for shows the keys typed in.
        PostMessageA(driver.MainWindow(), WM_COMMAND, MAKEWPARAM(kSaveToDatabase, 0), 0);
        EXPECT_EQ(kReportKeys, driver.ConfirmReportInformation(kWaitMs));
        EXPECT_EQ(std::vector<std::string>{ "TPL01|B02" }, WaitForLog(driver)) << JoinedTexts(driver.Answered());
        std::vector<std::string> expected = {
            "B02|" + period + "|R1|C1|" + Scaled(kSales),
            "B02|" + period + "|R1|C2|" + Scaled(kCosts),
            "B02|" + period + "|R2|C1|" + Scaled(kStaff),
        };
        EXPECT_EQ(expected, DataRows());
        Step("saved", NULL);
        EXPECT_TRUE(driver.CloseDiscarding(kWaitMs));
        std::cout << "first run answered: " << JoinedTexts(driver.Answered()) << std::endl;
        EXPECT_FALSE(Contains(driver.Answered(), "Failed to save data."));
        EXPECT_FALSE(Contains(driver.Answered(), "Failed to record fill in log."));
    }

    // A second run of the program loads the report for the same keys.
    {
        CDesignerProcess designer(m_folder.GetPath(), "\"" + m_strTemplate + "\"");
        CRunModeDriver driver(designer);
        ASSERT_NO_FATAL_FAILURE(Connect(designer, driver));
        ASSERT_NE(EnterKeys(driver), nullptr) << JoinedTexts(driver.Answered());
        PostMessageA(driver.MainWindow(), WM_COMMAND, MAKEWPARAM(kLoadFromDatabase, 0), 0);
        EXPECT_EQ(kReportKeys, driver.ConfirmReportInformation(kWaitMs));
        driver.Settle();
        Step("loaded", NULL);
        std::vector<std::string> loadedTexts = PdfTexts(driver, "loaded.pdf");
        EXPECT_EQ(firstTexts, loadedTexts);

        // A figure changed in the database comes in with the next load,
        // and the calculate cells follow it.
        m_backend->Exec("UPDATE ss_datalist SET FD_Value = '20' WHERE FD_RowItemCode = 'R2'");
        PostMessageA(driver.MainWindow(), WM_COMMAND, MAKEWPARAM(kLoadFromDatabase, 0), 0);
        EXPECT_EQ(kReportKeys, driver.ConfirmReportInformation(kWaitMs));
        driver.Settle();
        ExpectShown(PdfTexts(driver, "reloaded.pdf"), 20, kTotal * 20);
        EXPECT_TRUE(driver.CloseDiscarding(kWaitMs));
        std::cout << "second run answered: " << JoinedTexts(driver.Answered()) << std::endl;
        EXPECT_FALSE(Contains(driver.Answered(), "No data in database or failed to load data!"));
    }
}

INSTANTIATE_TEST_SUITE_P(Engines, DataEntryTest,
                         testing::Values(BACKEND_DAO_SQLITE, BACKEND_ODBC_POSTGRESQL),
                         ReportBackendName);
} // namespace
