// A report filled in the real designer (or, built with PROGRAM_UNDER_TEST
// "Quirepad", the editor) from start to end, on both kinds of reporting
// database: the template opens, run mode starts, the period, the
// organization and three figures go in through the in-place editors, the
// calculate cells follow, the data is saved and, in a second run of the
// program, loaded back; the rows are checked with direct SQL.
#include <math.h>
#include <string.h>
#include <stdlib.h>

#include <algorithm>
#include <iostream>
#include <string>
#include <vector>

#include "tests/sheet/document/database/ReportTestBackend.h"
#include "tests/app/DesignDriver.h"
#include "tests/app/DesignerProcess.h"
#include "tests/app/EntryTemplate.h"
#include "tests/app/PdfTexts.h"
#include "tests/app/RunModeDriver.h"
#include "tests/support/OdbcRows.h"
#include "tests/support/PrivatePgCluster.h"
#include "tests/support/ScratchFolder.h"
#include "tests/support/UpdateConfirmDriver.h"

#include "engines/common/KemDatabase.h"
#include "framework/core/File.h"
#include "sheet/DataFile.h"
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
const UINT kBatchImport = 33058;
const UINT kEditReplace = 57641;
// The replace dialog's fields and buttons.
const int kFindWhat = 1152;
const int kReplaceWith = 1153;
const int kReplaceOne = 1024;
const int kReplaceAll = 1025;
// The batch import's file list and its Add button.
const int kFileList = 1242;
const int kAddFilesButton = 1239;
const char kRunCaption[] = "Tallyform [Run Mode] - ";
const int kCellEditor = 1164;
#ifndef PROGRAM_UNDER_TEST
#define PROGRAM_UNDER_TEST "Tallyform"
#endif
const bool kEditor = std::string(PROGRAM_UNDER_TEST) == "Quirepad";
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

// The text of a control of the program, which GetWindowText does not ask
// for across processes.
std::string WindowText(HWND hWnd)
{
    char szText[256] = "";
    SendMessageA(hWnd, WM_GETTEXT, sizeof(szText), (LPARAM)szText);
    return szText;
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
        WriteWholeFile(m_folder.PathOf("Tallyform.INI"), ReportDataSourceIni(*m_backend, m_source));
        SYSTEMTIME now;
        GetLocalTime(&now);
        m_strPeriod = CReportPeriod::GetCodeForDate(PERIOD_MONTH, now.wYear, 3, 1);
    }

    // Starts the designer on the template and answers its connect dialog.
    void Connect(CDesignerProcess& designer, CRunModeDriver& driver)
    {
        ASSERT_TRUE(designer.IsStarted()) << "start error " << designer.StartError();
        ASSERT_TRUE(driver.Connect(m_source.m_strUser, m_source.m_strPassword, kWaitMs));
    }

    // Run mode, then the period (March of the calendar's year), the
    // organization by the first letter of its code, and its name as the
    // code found it.  Returns the editor open after the name: the first
    // figure's.
    HWND EnterKeys(CRunModeDriver& driver)
    {
        HWND hEditor = driver.EnterKeys(PERIOD_MONTH, kMarchCell, "B", "B02", "O'Brien & Co", kWaitMs);
        EXPECT_NE(hEditor, nullptr) << driver.Failure();
        EXPECT_STREQ(driver.MainCaption(), CString(kRunCaption) + "Monthly.kvm");
        return hEditor;
    }

    std::vector<std::string> PdfTexts(CRunModeDriver& driver, LPCSTR lpszName)
    {
        CString strPath = m_folder.PathOf(lpszName);
        EXPECT_TRUE(driver.SaveToPdf(strPath, kWaitMs));
        return PdfShownTexts(ReadWholeFile(strPath));
    }

    void Screenshot(CRunModeDriver& driver, const std::string& name)
    {
        EXPECT_TRUE(driver.SaveScreenshot(std::string(DESIGNER_SCREENSHOT_DIR) + "/" SCREENSHOT_PREFIX "-" + name +
                                          "-" + (GetParam() == BACKEND_DAO_SQLITE ? "sqlite" : "postgresql") +
                                          ".bmp"));
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

    // The program's overwrite confirmation, answered as given once it
    // shows; what it showed.
    std::string AnswerConfirmation(CDesignerProcess& designer, CUpdateConfirmDriver::Answer answer)
    {
        DWORD dwStart = GetTickCount();
        HWND hDlg = NULL;
        while ((hDlg = CUpdateConfirmDriver::Find(0, designer.ProcessId())) == NULL &&
               GetTickCount() - dwStart < kWaitMs)
            Sleep(50);
        if (hDlg == NULL)
            return "no confirmation";
        std::string fields = CUpdateConfirmDriver::Fields(hDlg);
        CUpdateConfirmDriver::Give(hDlg, answer);
        EXPECT_TRUE(CDesignerProcess::WaitGone(hDlg, kWaitMs));
        return fields;
    }

    // Waits until the stored rows are as expected; the rows last read.
    std::vector<std::string> WaitForRows(const std::vector<std::string>& expected)
    {
        std::vector<std::string> rows;
        DWORD dwStart = GetTickCount();
        while ((rows = DataRows()) != expected && GetTickCount() - dwStart < kWaitMs)
            Sleep(100);
        return rows;
    }

    // A shared data file of the template: B02's report for the period with
    // the figures of R1/C1, R1/C2 and R2/C1.
    CString WriteDataFile(LPCSTR lpszName, const CString& strPeriod, const char* const figures[3])
    {
        CSheet sheet;
        MakeEntryTemplate(sheet);
        const int cells[] = {6, 7, 9};
        for (int i = 0; i < 3; ++i)
            sheet.m_cells[cells[i]].m_strValue = figures[i];
        CDataFile data(DATAFILE_SHARED);
        data.CollectFromSheet(sheet);
        data.SetReportInformation("B02", "O'Brien & Co", 1, strPeriod);
        CString strPath = m_folder.PathOf(lpszName);
        CFile file(strPath, CFile::modeCreate | CFile::modeWrite);
        data.Write(file);
        return strPath;
    }

    // A figure and the values of the calculate cells shown in the PDF.
    void ExpectShown(const std::vector<std::string>& texts, double staff, double perHead)
    {
        std::vector<double> numbers = NumbersAmong(texts);
        for (double value : { atof(kSales), atof(kCosts), staff, kTotal, kMargin, perHead })
            EXPECT_TRUE(HoldsNumber(numbers, value)) << value << " in " << JoinedTexts(texts);
        EXPECT_TRUE(Contains(texts, "B02")) << JoinedTexts(texts);
        EXPECT_TRUE(Contains(texts, "O'Brien & Co")) << JoinedTexts(texts);
    }

    // Edit > Replace with the find and replace texts, pressed once.
    void ExpectReplaced(CDesignerProcess& designer, CRunModeDriver& driver, LPCSTR lpszFind,
                        LPCSTR lpszReplace, int nButton)
    {
        SCOPED_TRACE(lpszReplace);
        PostMessageA(driver.MainWindow(), WM_COMMAND, MAKEWPARAM(kEditReplace, 0), 0);
        HWND hReplace = designer.WaitForDialog("Replace", kWaitMs);
        ASSERT_NE(hReplace, nullptr);
        SetDlgItemTextA(hReplace, kFindWhat, lpszFind);
        SetDlgItemTextA(hReplace, kReplaceWith, lpszReplace);
        CDesignerProcess::Press(hReplace, nButton);
        driver.Settle();
        CDesignerProcess::Press(hReplace, IDCANCEL);
        ASSERT_TRUE(CDesignerProcess::WaitGone(hReplace, kWaitMs));
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
        // (Loading through ODBC leaves "0" in a figure that has no row yet:
        // reached by Tab, its text is selected and typing replaces it.)
        for (LPCSTR figure : { kSales, kCosts, kStaff })
        {
            hEditor = driver.TypeFigure(hEditor, figure, kWaitMs);
            Step(figure, hEditor);
            ASSERT_NE(hEditor, nullptr) << figure << " " << JoinedTexts(driver.Answered());
        }
        Screenshot(driver, "run-mode");
        firstTexts = PdfTexts(driver, "typed.pdf");
        Step("pdf", NULL);
        ExpectShown(firstTexts, atof(kStaff), kPerHead);
        const std::string reportKeys = "The report of O'Brien & Co for March," + period.substr(0, 4);
        const std::string savedPdf = reportKeys + " is saved to " + (LPCSTR)m_folder.PathOf("typed.pdf") + ".";
        EXPECT_EQ(savedPdf, driver.WaitForStatus(savedPdf.c_str(), kWaitMs));

        // 150 % typed into the zoom combo, then clicks on the sheet: the keys
        // come to the sheet, not to the combo, and the Sales figure's editor
        // shows the number the cell holds (drawn as 1250.5000).
        CDesignDriver design(designer, driver);
        const HWND hZoom = driver.ZoomCombo();
        ASSERT_NE(hZoom, nullptr);
        CDesignDriver::HardwareClickOn(hZoom);
        CDesignDriver::HardwareKey(VK_END);
        for (int i = 0; i < 5; ++i)
            CDesignDriver::HardwareKey(VK_BACK);
        for (char c : std::string("150"))
            CDesignDriver::HardwareKey((UINT)c);
        CDesignDriver::HardwareKey(VK_RETURN);
        EXPECT_TRUE(CRunModeDriver::WaitForText(hZoom, "150%", kWaitMs)) << WindowText(hZoom);
        const POINT ptSales = { 105, 112 }, ptTotal = { 525, 112 };    // at 150 %
        // A click on the total, which opens no editor, takes the keys too.
        design.HardwareClick(ptTotal);
        CDesignDriver::HardwareKey('9');
        EXPECT_EQ("150%", WindowText(hZoom));
        EXPECT_EQ(nullptr, GetDlgItem(driver.View(), kCellEditor)) << "an editor on the total";
        design.HardwareClick(ptSales);
        HWND hSales = driver.WaitForEditor(NULL, kWaitMs);
        ASSERT_NE(hSales, nullptr);
        EXPECT_TRUE(CRunModeDriver::WaitForText(hSales, kSales, kWaitMs)) << WindowText(hSales);
        Screenshot(driver, "zoomed-entry");
        CDesignDriver::HardwareKey('9');
        EXPECT_TRUE(CRunModeDriver::WaitForText(hSales, (std::string(kSales) + "9").c_str(), kWaitMs))
            << WindowText(hSales);
        CDesignDriver::HardwareKey(VK_BACK);
        EXPECT_TRUE(CRunModeDriver::WaitForText(hSales, kSales, kWaitMs)) << WindowText(hSales);
        EXPECT_EQ("150%", WindowText(hZoom));
        // A click on the total, which has no editor, leaves the figure.
        design.HardwareClick(ptTotal);
        EXPECT_TRUE(CDesignerProcess::WaitGone(hSales, kWaitMs));
        EXPECT_EQ(nullptr, GetDlgItem(driver.View(), kCellEditor)) << "an editor on the total";
        EXPECT_EQ(firstTexts, PdfTexts(driver, "zoomed.pdf"));

        // Edit > Replace All of the Costs figure, then Replace back: the
        // calculate cells follow each time.
        ExpectReplaced(designer, driver, kCosts, "410.25", kReplaceAll);
        std::vector<double> numbers = NumbersAmong(PdfTexts(driver, "replaced.pdf"));
        EXPECT_TRUE(HoldsNumber(numbers, atof(kSales) + 410.25)) << "total after Replace All";
        EXPECT_TRUE(HoldsNumber(numbers, atof(kSales) - 410.25)) << "margin after Replace All";
        ExpectReplaced(designer, driver, "410.25", kCosts, kReplaceOne);
        EXPECT_EQ(firstTexts, PdfTexts(driver, "replaced-back.pdf"));

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

        // The figure's editor opened and left again changes nothing; a
        // label replaced changes the template.  At Close the template is
        // asked about, the saved figures are not.
        design.HardwareClick(ptSales);
        hSales = driver.WaitForEditor(NULL, kWaitMs);
        ASSERT_NE(hSales, nullptr);
        EXPECT_TRUE(CRunModeDriver::WaitForText(hSales, kSales, kWaitMs)) << WindowText(hSales);
        design.HardwareClick(ptTotal);
        EXPECT_TRUE(CDesignerProcess::WaitGone(hSales, kWaitMs));
        ExpectReplaced(designer, driver, "Organization", "Organisation", kReplaceOne);
        const size_t nBeforeClose = driver.Answered().size();
        EXPECT_TRUE(driver.CloseDiscarding(kWaitMs));
        std::cout << "first run answered: " << JoinedTexts(driver.Answered()) << std::endl;
        const std::vector<std::string> closeQuestions(driver.Answered().begin() + nBeforeClose,
                                                      driver.Answered().end());
        ASSERT_EQ(1u, closeQuestions.size()) << JoinedTexts(closeQuestions);
        if (kEditor)
            EXPECT_EQ("Save the data of Monthly.kvm to a data file?\n\n"
                      "Changes to the template, such as replaced labels, are not kept.",
                      closeQuestions[0]);
        else
        {
            const std::string ending = "\\Monthly.kvm?";
            const std::string& asked = closeQuestions[0];
            EXPECT_TRUE(asked.rfind("Save changes to ", 0) == 0 && asked.size() > ending.size() &&
                        asked.compare(asked.size() - ending.size(), ending.size(), ending) == 0)
                << asked;
        }
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
        const std::string loaded = "The report of O'Brien & Co for March," + period.substr(0, 4) +
                                   " is loaded from the database.";
        EXPECT_EQ(loaded, driver.WaitForStatus(loaded.c_str(), kWaitMs));
        std::vector<std::string> loadedTexts = PdfTexts(driver, "loaded.pdf");
        EXPECT_EQ(firstTexts, loadedTexts);

        // A figure changed in the database comes in with the next load,
        // and the calculate cells follow it.
        m_backend->Exec("UPDATE ss_datalist SET FD_Value = '20' WHERE FD_RowItemCode = 'R2'");
        PostMessageA(driver.MainWindow(), WM_COMMAND, MAKEWPARAM(kLoadFromDatabase, 0), 0);
        EXPECT_EQ(kReportKeys, driver.ConfirmReportInformation(kWaitMs));
        driver.Settle();
        ExpectShown(PdfTexts(driver, "reloaded.pdf"), 20, kTotal * 20);

        // Another user stores another Sales figure.  Saving asks about it;
        // Cancel keeps the stored figure, the status bar tells what was
        // saved and the sheet shows what the database now holds.
        m_backend->Exec("UPDATE ss_datalist SET FD_Value = '999' WHERE FD_RowItemCode = 'R1' AND FD_ColItemCode = 'C1'");
        PostMessageA(driver.MainWindow(), WM_COMMAND, MAKEWPARAM(kSaveToDatabase, 0), 0);
        EXPECT_EQ(kReportKeys, driver.ConfirmReportInformation(kWaitMs));
        std::string asked = AnswerConfirmation(designer, CUpdateConfirmDriver::skip);
        EXPECT_NE(std::string::npos, asked.find("Report Organ: O'Brien & Co\n")) << asked;
        EXPECT_NE(std::string::npos, asked.find("Old Data: 999\nCurrent Data: 1250.5\n")) << asked;
        std::string status = driver.WaitForStatus(("The report of O'Brien & Co for March," + period.substr(0, 4) +
                                                   " is saved to the database.").c_str(),
                                                  kWaitMs);
        EXPECT_EQ("The report of O'Brien & Co for March," + std::to_string(atoi(period.substr(0, 4).c_str())) +
                      " is saved to the database. 1 figure was kept as stored.",
                  status);
        std::vector<std::string> stored = {
            "B02|" + period + "|R1|C1|" + Scaled("999"),
            "B02|" + period + "|R1|C2|" + Scaled(kCosts),
            "B02|" + period + "|R2|C1|" + Scaled("20"),
        };
        EXPECT_EQ(stored, DataRows());
        driver.Settle();
        std::vector<double> shown = NumbersAmong(PdfTexts(driver, "kept.pdf"));
        EXPECT_TRUE(HoldsNumber(shown, 999)) << "the stored Sales figure";
        EXPECT_TRUE(HoldsNumber(shown, 999 + atof(kCosts))) << "its total";
        EXPECT_FALSE(HoldsNumber(shown, atof(kSales))) << "the figure not saved";

        // Two more figures changed by the other user: "to All" with Update
        // answers both with one question.
        m_backend->Exec("UPDATE ss_datalist SET FD_Value = '111' WHERE FD_RowItemCode = 'R1' AND FD_ColItemCode = 'C2'");
        m_backend->Exec("UPDATE ss_datalist SET FD_Value = '21' WHERE FD_RowItemCode = 'R2'");
        PostMessageA(driver.MainWindow(), WM_COMMAND, MAKEWPARAM(kSaveToDatabase, 0), 0);
        EXPECT_EQ(kReportKeys, driver.ConfirmReportInformation(kWaitMs));
        asked = AnswerConfirmation(designer, CUpdateConfirmDriver::updateAll);
        EXPECT_NE(std::string::npos, asked.find("Old Data: 111\n")) << asked;
        stored[1] = "B02|" + period + "|R1|C2|" + Scaled(kCosts);
        stored[2] = "B02|" + period + "|R2|C1|" + Scaled("20");
        EXPECT_EQ(stored, WaitForRows(stored));
        driver.Settle();
        EXPECT_EQ(nullptr, CUpdateConfirmDriver::Find(0, designer.ProcessId())) << "asked twice";

        // April's report from a shared data file through Data > Batch
        // Import: the status bar says how many files reached the database,
        // which holds the file's figures.
        const CString strApril = CReportPeriod::GetCodeForDate(PERIOD_MONTH, atoi(period.substr(0, 4).c_str()), 4, 1);
        const char* const aprilFigures[] = {"7", "8", "9"};
        CString strFile = WriteDataFile("april.kvs", strApril, aprilFigures);
        PostMessageA(driver.MainWindow(), WM_COMMAND, MAKEWPARAM(kBatchImport, 0), 0);
        HWND hFiles = designer.WaitForDialog("Batch import to database", kWaitMs);
        ASSERT_NE(hFiles, nullptr) << "Batch Import is not enabled";
        CDesignerProcess::Press(hFiles, kAddFilesButton);
        ASSERT_TRUE(driver.AnswerFileDialog(strFile, 0, kWaitMs));
        EXPECT_EQ(1, (int)SendMessageA(GetDlgItem(hFiles, kFileList), LB_GETCOUNT, 0, 0));
        CDesignerProcess::Press(hFiles, IDOK);
        ASSERT_TRUE(CDesignerProcess::WaitGone(hFiles, kWaitMs));
        HWND hClear = designer.WaitForMessage("Are you sure you want to clear data?", kWaitMs);
        ASSERT_NE(hClear, nullptr) << JoinedTexts(designer.Seen());
        CDesignerProcess::Press(hClear, IDYES);
        EXPECT_EQ("1 of 1 data files imported to the database.", driver.WaitForStatus("1 of 1", kWaitMs));
        // The March report stays as it was.
        const std::string april = (LPCSTR)strApril;
        std::vector<std::string> aprilRows, otherRows;
        for (const std::string& row : DataRows())
            (row.find("|" + april + "|") != std::string::npos ? aprilRows : otherRows).push_back(row);
        EXPECT_EQ((std::vector<std::string>{"B02|" + april + "|R1|C1|" + Scaled("7"),
                                            "B02|" + april + "|R1|C2|" + Scaled("8"),
                                            "B02|" + april + "|R2|C1|" + Scaled("9")}),
                  aprilRows);
        EXPECT_EQ(stored, otherRows);
        // The keys typed again bring March back; a staff figure typed over
        // it is asked about at Close, and Yes saves it to the database.
        HWND hEditor = EnterKeys(driver);
        for (int i = 0; i < 2 && hEditor != NULL; ++i)
        {
            CRunModeDriver::PressKey(hEditor, VK_TAB);
            hEditor = driver.WaitForEditor(hEditor, kWaitMs);
        }
        ASSERT_NE(hEditor, nullptr) << JoinedTexts(driver.Answered());
        ASSERT_NE(driver.EnterFigure(hEditor, "15", kWaitMs), nullptr) << driver.Failure();
        PostMessageA(driver.MainWindow(), WM_CLOSE, 0, 0);
        HWND hAsk = designer.WaitForMessage("Save the data of Monthly.kvm to the database?", kWaitMs);
        ASSERT_NE(hAsk, nullptr) << JoinedTexts(designer.Seen());
        CDesignerProcess::Press(hAsk, IDYES);
        EXPECT_EQ(kReportKeys, driver.ConfirmReportInformation(kWaitMs));
        asked = AnswerConfirmation(designer, CUpdateConfirmDriver::update);
        EXPECT_NE(std::string::npos, asked.find("Old Data: 20\nCurrent Data: 15\n")) << asked;
        EXPECT_TRUE(designer.WaitForExit(kWaitMs)) << JoinedTexts(designer.Seen());
        stored[2] = "B02|" + period + "|R2|C1|" + Scaled("15");
        otherRows.clear();
        for (const std::string& row : DataRows())
            if (row.find("|" + april + "|") == std::string::npos)
                otherRows.push_back(row);
        EXPECT_EQ(stored, otherRows);
        EXPECT_FALSE(Contains(driver.Answered(), "No data in database or failed to load data!"));
    }
}

// The reporting database's server goes away while the program is connected.
class LostConnectionTest : public DataEntryTest
{
protected:
    // The program's database on a server of the test's own, which the test
    // may stop.
    void UsePrivateServer(CPrivatePgCluster& cluster)
    {
        m_backend = MakePostgresBackend(cluster.Dsn(), cluster.User(), cluster.Password());
        ASSERT_TRUE(m_backend->IsReady());
        m_backend->Exec("INSERT INTO ss_Organ (FD_Code, FD_Name, FD_SearchCode) VALUES ('B02', 'O''Brien & Co', 'B')");
        m_backend->Describe(&m_source);
        WriteWholeFile(m_folder.PathOf("Tallyform.INI"),
                       "[DataSource]\r\nStart=1\r\nType=25\r\nName=" + std::string((LPCSTR)cluster.Dsn()) + "\r\n");
    }

    // The stored rows, read through a connection of their own (the server
    // may have been restarted since the last one).
    std::vector<std::string> ServerRows(CPrivatePgCluster& cluster, const char* pszSql)
    {
        CDatabase db;
        db.OpenEx("DSN=" + cluster.Dsn() + ";UID=" + OdbcConnectValue(cluster.User()) + ";PWD=" +
                  OdbcConnectValue(cluster.Password()));
        return OdbcRowList(db, pszSql);
    }

    // Answers what the program shows until a message starting with the
    // text came and went.
    bool WaitForMessage(CRunModeDriver& driver, const std::string& prefix)
    {
        DWORD dwStart = GetTickCount();
        do
        {
            driver.AnswerDialogs();
            for (const std::string& text : driver.Answered())
                if (text.compare(0, prefix.size(), prefix) == 0)
                    return true;
            Sleep(100);
        } while (GetTickCount() - dwStart < kWaitMs);
        return false;
    }

    bool Told(CRunModeDriver& driver, const std::string& part)
    {
        for (const std::string& text : driver.Answered())
            if (text.find(part) != std::string::npos)
                return true;
        return false;
    }
};

TEST_P(LostConnectionTest, ASaveAfterTheServerWentAwayConnectsOnceMoreOrSaysHowTo)
{
    CPrivatePgCluster cluster;
    ASSERT_TRUE(cluster.IsReady());
    ASSERT_NO_FATAL_FAILURE(UsePrivateServer(cluster));
    const char kRowsQuery[] = "SELECT FD_RowItemCode, FD_ColItemCode FROM ss_datalist ORDER BY 1, 2";
    CDesignerProcess designer(m_folder.GetPath(), "\"" + m_strTemplate + "\"");
    CRunModeDriver driver(designer);
    ASSERT_NO_FATAL_FAILURE(Connect(designer, driver));
    HWND hEditor = EnterKeys(driver);
    ASSERT_NE(hEditor, nullptr) << JoinedTexts(driver.Answered());
    for (LPCSTR figure : {kSales, kCosts, kStaff})
    {
        hEditor = driver.EnterFigure(hEditor, figure, kWaitMs);
        ASSERT_NE(hEditor, nullptr) << figure;
    }

    // The server restarts: the program's session is gone, the server back.
    // The save stops at the first error with its own words, connects once
    // more and says so; saved again, the report is stored.
    ASSERT_TRUE(cluster.Stop());
    ASSERT_TRUE(cluster.Restart());
    PostMessageA(driver.MainWindow(), WM_COMMAND, MAKEWPARAM(kSaveToDatabase, 0), 0);
    EXPECT_EQ(kReportKeys, driver.ConfirmReportInformation(kWaitMs));
    EXPECT_TRUE(WaitForMessage(driver, "The connection to the database was lost and has been made again."))
        << JoinedTexts(driver.Answered());
    EXPECT_FALSE(Told(driver, "Invalid Organ")) << JoinedTexts(driver.Answered());
    EXPECT_TRUE(ServerRows(cluster, kRowsQuery).empty());
    PostMessageA(driver.MainWindow(), WM_COMMAND, MAKEWPARAM(kSaveToDatabase, 0), 0);
    EXPECT_EQ(kReportKeys, driver.ConfirmReportInformation(kWaitMs));
    EXPECT_EQ("The report of O'Brien & Co", driver.WaitForStatus("The report", kWaitMs).substr(0, 26));
    EXPECT_EQ((std::vector<std::string>{"R1|C1", "R1|C2", "R2|C1"}), ServerRows(cluster, kRowsQuery));

    // The server stops for good: told so, with the way to connect again.
    ASSERT_TRUE(cluster.Stop());
    driver.Settle();
    PostMessageA(driver.MainWindow(), WM_COMMAND, MAKEWPARAM(kSaveToDatabase, 0), 0);
    EXPECT_EQ(kReportKeys, driver.ConfirmReportInformation(kWaitMs));
    EXPECT_TRUE(WaitForMessage(driver, "The connection to the database was lost and cannot be made again now.\n"
                                       "Connect with Data > Connect Database"))
        << JoinedTexts(driver.Answered());
    EXPECT_FALSE(Told(driver, "Invalid Organ")) << JoinedTexts(driver.Answered());

    // Once the server runs again, Data > Connect Database connects.
    ASSERT_TRUE(cluster.Restart());
    PostMessageA(driver.MainWindow(), WM_COMMAND, MAKEWPARAM(32837, 0), 0);
    HWND hDlg = designer.WaitForDialog("Connect to Database", kWaitMs);
    ASSERT_NE(hDlg, nullptr) << "Connect is not enabled";
    SetDlgItemTextA(hDlg, 1143, m_source.m_strUser);
    SetDlgItemTextA(hDlg, 1019, m_source.m_strPassword);
    CDesignerProcess::Press(hDlg, IDOK);
    ASSERT_TRUE(CDesignerProcess::WaitGone(hDlg, kWaitMs));
    driver.Settle();
    EXPECT_FALSE(designer.IsConnectEnabled(driver.MainWindow())) << "not connected again";
    std::cout << "answered: " << JoinedTexts(driver.Answered()) << std::endl;
    EXPECT_TRUE(driver.CloseDiscarding(kWaitMs));
}

INSTANTIATE_TEST_SUITE_P(Server, LostConnectionTest, testing::Values(BACKEND_ODBC_POSTGRESQL), ReportBackendName);

INSTANTIATE_TEST_SUITE_P(Engines, DataEntryTest,
                         testing::Values(BACKEND_DAO_SQLITE, BACKEND_ODBC_POSTGRESQL),
                         ReportBackendName);
} // namespace
