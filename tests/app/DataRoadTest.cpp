// The road of a report's data in the real designer (or, built with
// PROGRAM_UNDER_TEST "Quirepad", the editor) on both kinds of reporting
// database, walked as a user walks it: the stored report comes with its
// keys, a refused figure is opened again, the report goes to a data file
// and back and is verified and saved, Data Gather sums it over a range and
// over all periods, and an analysis report follows the property types,
// values and times changed under it.  What the program shows is read from
// its PDF export and its dialogs; what it stores, with direct SQL.
#include <stdlib.h>

#include <algorithm>
#include <string>
#include <vector>

#include "tests/sheet/document/database/ReportTestBackend.h"
#include "tests/app/DesignerProcess.h"
#include "tests/app/DialogRemote.h"
#include "tests/app/PdfTexts.h"
#include "tests/app/RunModeDriver.h"
#include "tests/sheet/SheetGrid.h"
#include "tests/support/ScratchFolder.h"

#include "engines/common/KemDatabase.h"
#include "engines/common/PeriodLabel.h"
#include "reporting/AnalysisCalc.h"
#include "sheet/FormulaRecalc.h"
#include "sheet/PeriodCode.h"
#include "sheet/ReportPeriod.h"
#include "sheet/document/TallyformDoc.h"

#ifndef PROGRAM_UNDER_TEST
#define PROGRAM_UNDER_TEST "Tallyform"
#endif

namespace
{
typedef std::vector<std::string> Texts;

const DWORD kWaitMs = 30000;
const bool kEditor = std::string(PROGRAM_UNDER_TEST) == "Quirepad";

// Commands.
const UINT kSaveDataToFile = 32826;
const UINT kSaveToDatabase = 32827;
const UINT kLoadFromFile = 32828;
const UINT kDataVerify = 32830;
const UINT kSetupOrganProperties = 32836;
const UINT kSetupRowItems = 32833;
const UINT kClearData = 33034;
const UINT kSumFromFiles = 33056;
const UINT kSumFromDatabases = 33031;
const UINT kAnalysis = kEditor ? 33076 : 33086;
const UINT kChangeProperties = kEditor ? 33078 : 33094;
const UINT kChangeTimes = kEditor ? 33079 : 33095;

// Row Item Setup and Find Item.
// The Sum Files dialog's file list and its Add button.
enum { FILES_LIST = 1242, FILES_ADD = 1239 };
// The in-place editor, a child of the view.
const int kCellEditor = 1164;
enum { ROW_CODE = 1181, ROW_ADD = 1174, ROW_FIND = 1177, FIND_TEXT = 32803, FIND_LIST = 1145 };
// Data Gather.
enum { GATHER_ALL = 1068, GATHER_STAND = 1070, GATHER_BETWEEN = 1072, GATHER_ADD_ALL = 1101,
       GATHER_FROM = 1192, GATHER_TO = 1193 };
// Set Organization Properties.
enum { PROP_TYPE = 1153, PROP_TYPE_DEL = 1161, PROP_VALUE_LIST = 1160, PROP_VALUE_DEL = 1155 };
// The analysis steps.
enum { STEP_PROP_TYPE = 1271, STEP_PROP_LIST = 1272, STEP_PROP_SELECTED = 1273, STEP_PROP_ADD = 1274,
       STEP_TIME_TYPE = 1258, STEP_TIME_FROM = 1261, STEP_TIME_TO = 1259, STEP_TIME_SELECTED = 1281,
       STEP_TIME_ADD = 1086, STEP_TIME_REMOVE = 1087 };

// The report's cells: the keys on top, two figures of row item R1 and
// their sum, then the staff figure of R2 and the sum per head.
enum { KEY_DATE, KEY_CODE, KEY_NAME, SALES, COSTS, TOTAL, STAFF, LABEL, PER_HEAD };

const char* const kOrgans[] = { "A01", "B02", "C03" };
// The figures stored, by row item and column item.
struct Figure
{
    const char* pszRow;
    const char* pszCol;
};
const Figure kFigures[] = { { "R1", "C1" }, { "R1", "C2" }, { "R2", "C1" } };

// The program's windows on show, for a failure's message.
std::string Shown(CDesignerProcess& program)
{
    Texts windows;
    for (HWND hWnd : program.TopLevelWindows())
        windows.push_back(std::string((LPCSTR)CDesignerProcess::TextOf(hWnd)) + ": " +
                          (LPCSTR)CDesignerProcess::MessageText(hWnd));
    return JoinedTexts(windows);
}

bool Contains(const Texts& texts, const std::string& text)
{
    return std::find(texts.begin(), texts.end(), text) != texts.end();
}

// The text stored for an organization (index into kOrgans), a month
// (0 January) and a figure (index into kFigures).
std::string StoredText(int nOrgan, int nMonth, int nFigure)
{
    char sz[32];
    if (nFigure == 0)
        snprintf(sz, sizeof(sz), "%d.5", 1000 + 100 * nOrgan + 10 * nMonth);
    else if (nFigure == 1)
        snprintf(sz, sizeof(sz), "%d.25", 200 + 50 * nOrgan + 5 * nMonth);
    else
        snprintf(sz, sizeof(sz), "%d", 3 + nOrgan + nMonth);
    return sz;
}

// The step dialog a change dialog hosts.
HWND HostedStep(HWND hDlg)
{
    for (HWND hChild = GetWindow(hDlg, GW_CHILD); hChild != NULL; hChild = GetWindow(hChild, GW_HWNDNEXT))
        if (CDesignerProcess::ClassOf(hChild) == "#32770" && IsWindowVisible(hChild))
            return hChild;
    return NULL;
}

class DataRoadTest : public testing::TestWithParam<ReportBackendKind>
{
protected:
    DataRoadTest() : m_backend(MakeReportBackend(GetParam())) {}

    void SetUp() override
    {
        ASSERT_TRUE(m_backend->IsReady());
        m_backend->Exec("INSERT INTO ss_Organ (FD_Code, FD_Name, FD_SearchCode) VALUES ('A01', 'Alder', 'A'),"
                        " ('B02', 'O''Brien & Co', 'B'), ('C03', 'Cedar', 'C')");
        m_backend->Exec("INSERT INTO ss_item (FD_Code, FD_Name, FD_SearchCode, FD_Type) VALUES"
                        " ('R1', 'Sales', 'S', 0), ('R2', 'Staff', 'T', 0)");
        SYSTEMTIME now;
        GetLocalTime(&now);
        m_nYear = now.wYear;
        m_strNow = (LPCSTR)CReportPeriod::GetCodeForDate(PERIOD_MONTH, now.wYear, now.wMonth, now.wDay);
        for (int m = 0; m < 3; ++m)
            m_months.push_back((LPCSTR)CReportPeriod::GetCodeForDate(PERIOD_MONTH, now.wYear, m + 1, 1));
        for (int o = 0; o < 3; ++o)
            for (int m = 0; m < 3; ++m)
                for (int f = 0; f < 3; ++f)
                    m_backend->Exec(("INSERT INTO ss_datalist VALUES ('" + m_months[m] + "', '" + kOrgans[o] +
                                     "', '" + kFigures[f].pszRow + "', '" + kFigures[f].pszCol + "', 0, 0, '" +
                                     StoredText(o, m, f) + "')").c_str());
        m_backend->Describe(&m_source);
        WriteWholeFile(m_folder.PathOf("Tallyform.INI"), ReportDataSourceIni(*m_backend, m_source));
    }

    // Starts the program on the template and connects.
    void Start(const CString& strTemplate)
    {
        m_program.reset(new CDesignerProcess(m_folder.GetPath(), "\"" + strTemplate + "\""));
        m_driver.reset(new CRunModeDriver(*m_program));
        ASSERT_TRUE(m_program->IsStarted()) << "start error " << m_program->StartError();
        ASSERT_TRUE(m_driver->Connect(m_source.m_strUser, m_source.m_strPassword, kWaitMs));
    }

    // Runs a command of the main window and finds the dialog it opens.
    CDialogRemote OpenDialog(UINT nCommand, LPCSTR lpszCaption)
    {
        PostMessageA(m_driver->MainWindow(), WM_COMMAND, MAKEWPARAM(nCommand, 0), 0);
        return CDialogRemote(*m_program, m_program->WaitForDialog(lpszCaption, kWaitMs));
    }

    void Log(LPCSTR pszTemplate, LPCSTR pszOrgan, int nFirstMonth, int nLastMonth)
    {
        m_backend->Exec((std::string("INSERT INTO ss_reportlog VALUES ('") + pszTemplate + "', '" + pszOrgan +
                         "', 2, '" + m_months[nFirstMonth] + "', '" + m_months[nLastMonth] + "')")
                            .c_str());
    }

    // The database's own sum of a figure over a condition.
    double DirectSum(const std::string& condition, const Figure& figure)
    {
        Texts rows = m_backend->Rows(("SELECT SUM(" + std::string(m_backend->ScaledValue()) +
                                      ") FROM ss_datalist WHERE " + condition + " AND FD_RowItemCode='" +
                                      figure.pszRow + "' AND FD_ColItemCode='" + figure.pszCol + "'")
                                         .c_str());
        return rows.empty() || rows[0].empty() ? 0.0 : atoll(rows[0].c_str()) / 10000.0;
    }

    Texts PdfTexts(LPCSTR lpszName)
    {
        CString strPath = m_folder.PathOf(lpszName);
        EXPECT_TRUE(m_driver->SaveToPdf(strPath, kWaitMs)) << lpszName;
        return PdfShownTexts(ReadWholeFile(strPath));
    }

    // The report shows the three figures and what its calculate cells make
    // of them.
    void ExpectReport(const Texts& texts, double sales, double costs, double staff)
    {
        std::vector<double> numbers = NumbersAmong(texts);
        for (double value : { sales, costs, staff, sales + costs, (sales + costs) / staff })
            EXPECT_TRUE(HoldsNumber(numbers, value, 1e-4)) << value << " in " << JoinedTexts(texts);
    }

    // Runs Sum Data From Databases over all organizations with the time
    // choice made by pChoose in the Data Gather dialog.
    template <class Choose>
    void SumAll(Choose choose)
    {
        CDialogRemote gather = OpenDialog(kSumFromDatabases, "Data Gather");
        ASSERT_NE(gather.Handle(), nullptr) << Shown(*m_program);
        choose(gather);
        ASSERT_TRUE(gather.Press(GATHER_ADD_ALL));
        // Not every organization filled in every month: asked, and Yes.
        Texts boxes = gather.PressAnswering(IDOK, IDYES);
        EXPECT_EQ(1u, boxes.size()) << JoinedTexts(boxes);
        ASSERT_TRUE(CDesignerProcess::WaitGone(gather.Handle(), kWaitMs));
        m_driver->Settle();
    }

    std::unique_ptr<ReportTestBackend> m_backend;
    CKemDatabase m_source;
    CScratchFolder m_folder;
    int m_nYear = 0;
    std::string m_strNow;
    Texts m_months;
    std::unique_ptr<CDesignerProcess> m_program;
    std::unique_ptr<CRunModeDriver> m_driver;
};

// A monthly template (code RD01): key cells, two figures with their sum,
// the staff figure and the sum per head; the balance formula checks the sum.
CString WriteReportTemplate(const CString& strPath)
{
    CTallyformDoc doc;
    doc.m_bAutoDelete = FALSE;
    CSheet& sheet = doc.m_sheet;
    sheettest::MakeGrid(sheet, 3, 3, 140, 30);
    strcpy(sheet.m_szCode, "RD01");
    sheet.m_nReportType = PERIOD_MONTH;
    const int types[] = { CELL_REPORTDATE, CELL_ORGANCODE, CELL_ORGAN, CELL_NUMERIC, CELL_NUMERIC,
                          CELL_FORMULA, CELL_NUMERIC, CELL_TEXT, CELL_FORMULA };
    const int tabs[] = { 1, 2, 3, 4, 5, 0, 6, 0, 0 };
    for (int i = 0; i < 9; ++i)
    {
        CCell& cell = sheet.m_cells[i];
        cell.SetType(types[i]);
        cell.m_nTabIndex = tabs[i];
        if (types[i] == CELL_NUMERIC)
        {
            const Figure& figure = kFigures[i == STAFF ? 2 : i - SALES];
            cell.m_nValueType = 0;
            strcpy(cell.m_szRowItemCode, figure.pszRow);
            strcpy(cell.m_szColItemCode, figure.pszCol);
        }
    }
    sheet.m_cells[LABEL].m_strValue = "Per head";
    sheet.m_cells[TOTAL].m_strFormula = "A2+B2";
    sheet.m_cells[PER_HEAD].m_strFormula = "C2/A3";
    for (int nFormula : { TOTAL, PER_HEAD })
        AdjustFormulaRefCounts(sheet, nFormula, TRUE);
    sheet.m_lstBalance.AddTail("C2=A2+B2");
    EXPECT_TRUE(doc.OnSaveDocument(strPath));
    return strPath;
}

TEST_P(DataRoadTest, AReportComesWithItsKeysGoesToAFileAndBackAndIsSummedAsTheDatabaseSums)
{
    Log("RD01", "A01", 0, 2);
    Log("RD01", "B02", 0, 1);
    Log("RD01", "C03", 0, 0);
    ASSERT_NO_FATAL_FAILURE(Start(WriteReportTemplate(m_folder.PathOf("Road.kvm"))));
    CDesignerProcess& program = *m_program;
    CRunModeDriver& driver = *m_driver;

    // Find Row Item started from the row item dialog with its code box
    // emptied: the designer lists every item, the editor waits for a text.
    {
        CDialogRemote items = OpenDialog(kSetupRowItems, "Row Item Setup");
        ASSERT_NE(items.Handle(), nullptr);
        ASSERT_TRUE(items.Press(ROW_ADD));
        items.SetText(ROW_CODE, "");
        CDialogRemote find(program, items.PressOpening(ROW_FIND, "Find Row Item"));
        ASSERT_NE(find.Handle(), nullptr);
        Texts listed;
        for (DWORD dwWaited = 0; dwWaited < 2000 && listed.size() < 2; dwWaited += 100, Sleep(100))
            listed = find.ListItems(FIND_LIST);
        EXPECT_EQ(kEditor ? "" : "%", find.Text(FIND_TEXT));
        EXPECT_EQ(kEditor ? Texts() : (Texts{ "R1\tSales", "R2\tStaff" }), listed);
        CDesignerProcess::Press(find.Handle(), IDCANCEL);
        ASSERT_TRUE(CDesignerProcess::WaitGone(find.Handle(), kWaitMs));
        CDesignerProcess::Press(items.Handle(), IDOK);
        ASSERT_TRUE(CDesignerProcess::WaitGone(items.Handle(), kWaitMs));
    }

    // The keys typed bring the report stored for them (March of B02), and
    // the calculate cells follow it.
    const int kMarch = 2;
    HWND hEditor = driver.EnterKeys(PERIOD_MONTH, kMarch, "B", "B02", "O'Brien & Co", kWaitMs);
    ASSERT_NE(hEditor, nullptr) << driver.Failure() << " " << JoinedTexts(driver.Answered()) << Shown(program);
    EXPECT_TRUE(CRunModeDriver::WaitForText(hEditor, StoredText(1, kMarch, 0).c_str(), kWaitMs));
    const double sales = atof(StoredText(1, kMarch, 0).c_str());
    const double costs = atof(StoredText(1, kMarch, 1).c_str());
    const double staff = atof(StoredText(1, kMarch, 2).c_str());
    ExpectReport(PdfTexts("reloaded.pdf"), sales, costs, staff);

    // A staff figure the save refuses: the message, then the cell's editor
    // open again over the staff cell with the whole figure selected.  (The
    // export's file dialog took the focus, which closed the editor: a
    // click on the staff cell opens it.)
    const POINT ptStaff = { 70, 75 };
    PostMessageA(driver.View(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(ptStaff.x, ptStaff.y));
    PostMessageA(driver.View(), WM_LBUTTONUP, 0, MAKELPARAM(ptStaff.x, ptStaff.y));
    hEditor = driver.WaitForEditor(NULL, kWaitMs);
    ASSERT_NE(hEditor, nullptr);
    const std::string strWrong = StoredText(1, kMarch, 2) + "e";
    hEditor = driver.EnterFigure(hEditor, strWrong.c_str(), kWaitMs);
    ASSERT_NE(hEditor, nullptr);
    PostMessageA(driver.MainWindow(), WM_COMMAND, MAKEWPARAM(kSaveToDatabase, 0), 0);
    HWND hBox = program.WaitForMessage("Invalid 'e' in numeric cells.", kWaitMs);
    ASSERT_NE(hBox, nullptr) << JoinedTexts(program.Seen());
    CDesignerProcess::Press(hBox, IDOK);
    HWND hRejected = driver.WaitForEditor(hEditor, kWaitMs);
    ASSERT_NE(hRejected, nullptr);
    CString strShown;
    EXPECT_TRUE(CRunModeDriver::WaitForText(hRejected, strWrong.c_str(), kWaitMs, &strShown)) << (LPCSTR)strShown;
    DWORD dwStart = 0, dwEnd = 0;
    SendMessageA(hRejected, EM_GETSEL, (WPARAM)&dwStart, (LPARAM)&dwEnd);
    EXPECT_EQ(0u, dwStart);
    EXPECT_EQ(strWrong.size(), dwEnd);
    RECT rcEditor;
    GetWindowRect(hRejected, &rcEditor);
    MapWindowPoints(NULL, driver.View(), (POINT*)&rcEditor, 2);
    EXPECT_TRUE(PtInRect(&rcEditor, ptStaff)) << rcEditor.left << "," << rcEditor.top;
    // The stored figure typed over the selection; a click on the calculate
    // cell, which has no editor, takes it in and closes the editor.
    CRunModeDriver::TypeChars(hRejected, StoredText(1, kMarch, 2).c_str());
    EXPECT_TRUE(CRunModeDriver::WaitForText(hRejected, StoredText(1, kMarch, 2).c_str(), kWaitMs));
    PostMessageA(driver.View(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(350, 75));
    PostMessageA(driver.View(), WM_LBUTTONUP, 0, MAKELPARAM(350, 75));
    ASSERT_TRUE(CDesignerProcess::WaitGone(hRejected, kWaitMs));

    // To a shared data file, the data cleared, and the file loaded back:
    // the figures, their sums, a valid balance and a save that goes through.
    const CString strFile = m_folder.PathOf("road.kvs");
    ASSERT_TRUE(driver.ChooseFile(kSaveDataToFile, strFile, 2, kWaitMs));
    EXPECT_EQ("[report] B02|O'Brien & Co", driver.ConfirmReportInformation(kWaitMs));
    for (DWORD dwWaited = 0; dwWaited < kWaitMs && GetFileAttributesA(strFile) == INVALID_FILE_ATTRIBUTES;
         dwWaited += 100)
        Sleep(100);
    const std::string month = (LPCSTR)PeriodLabelText(m_months[kMarch].c_str());
    const std::string savedToFile = "The report of O'Brien & Co for " + month + " is saved to " + (LPCSTR)strFile + ".";
    EXPECT_EQ(savedToFile, driver.WaitForStatus(savedToFile.c_str(), kWaitMs));
    // The file summed alone into the report gives its figures back.
    {
        CDialogRemote files = OpenDialog(kSumFromFiles, "Sum Data from Files");
        ASSERT_NE(files.Handle(), nullptr) << Shown(program);
        CDesignerProcess::Press(files.Handle(), FILES_ADD);
        ASSERT_TRUE(driver.AnswerFileDialog(strFile, 0, kWaitMs));
        EXPECT_EQ(1u, files.ListItems(FILES_LIST).size());
        CDesignerProcess::Press(files.Handle(), IDOK);
        ASSERT_TRUE(CDesignerProcess::WaitGone(files.Handle(), kWaitMs));
    }
    EXPECT_EQ("1 of 1 data files summed into the report.", driver.WaitForStatus("1 of 1", kWaitMs));
    driver.Settle();
    ExpectReport(PdfTexts("summed-file.pdf"), sales, costs, staff);
    PostMessageA(driver.MainWindow(), WM_COMMAND, MAKEWPARAM(kClearData, 0), 0);
    hBox = program.WaitForMessage("Are you sure you want to clear data?", kWaitMs);
    ASSERT_NE(hBox, nullptr);
    CDesignerProcess::Press(hBox, IDYES);
    ASSERT_TRUE(CDesignerProcess::WaitGone(hBox, kWaitMs));
    Texts cleared = PdfTexts("cleared.pdf");
    EXPECT_FALSE(HoldsNumber(NumbersAmong(cleared), sales)) << JoinedTexts(cleared);
    ASSERT_TRUE(driver.ChooseFile(kLoadFromFile, strFile, 0, kWaitMs));
    driver.Settle();
    ExpectReport(PdfTexts("from-file.pdf"), sales, costs, staff);
    PostMessageA(driver.MainWindow(), WM_COMMAND, MAKEWPARAM(kDataVerify, 0), 0);
    hBox = program.WaitForMessage("Data is valid.", kWaitMs);
    EXPECT_NE(hBox, nullptr) << JoinedTexts(program.Seen());
    CDesignerProcess::Press(hBox, IDOK);
    // Logged once saved: March joins the run of B02's months.
    const std::string logged = "SELECT FD_OrgCode FROM ss_reportlog WHERE FD_OrgCode='B02' AND FD_StartDate<='" +
                               m_months[kMarch] + "' AND FD_EndDate>='" + m_months[kMarch] + "'";
    ASSERT_EQ(Texts(), m_backend->Rows(logged.c_str()));
    PostMessageA(driver.MainWindow(), WM_COMMAND, MAKEWPARAM(kSaveToDatabase, 0), 0);
    EXPECT_EQ("[report] B02|O'Brien & Co", driver.ConfirmReportInformation(kWaitMs));
    Texts logRows;
    for (DWORD dwWaited = 0; dwWaited < kWaitMs && (logRows = m_backend->Rows(logged.c_str())).empty();
         dwWaited += 100)
    {
        driver.AnswerDialogs();
        Sleep(100);
    }
    EXPECT_EQ(Texts{ "B02" }, logRows) << JoinedTexts(driver.Answered());
    // The sheet is read back from the database after the commit, under a
    // progress window that keeps the main window disabled: a user waits
    // for it before the next command.
    driver.Settle();

    // Sum Data From Databases: Between chosen and a range picked, then All:
    // All alone stays checked, and the sum is over every month.
    ASSERT_NO_FATAL_FAILURE(SumAll([&](CDialogRemote& gather) {
        gather.Click(GATHER_BETWEEN);
        EXPECT_TRUE(gather.IsChecked(GATHER_BETWEEN));
        EXPECT_TRUE(driver.PickPeriodCell(GetDlgItem(gather.Handle(), GATHER_FROM), PERIOD_MONTH, 0, kWaitMs));
        EXPECT_TRUE(driver.PickPeriodCell(GetDlgItem(gather.Handle(), GATHER_TO), PERIOD_MONTH, 1, kWaitMs));
        gather.Settle();
        gather.Click(GATHER_ALL);
        EXPECT_TRUE(gather.IsChecked(GATHER_ALL));
        EXPECT_FALSE(gather.IsChecked(GATHER_BETWEEN));
        EXPECT_FALSE(gather.IsChecked(GATHER_STAND));
    }));
    // Summed over all organizations and periods, the report has neither.
    const char kSummed[] = "The report is summed from the database.";
    EXPECT_EQ(kSummed, driver.WaitForStatus(kSummed, kWaitMs));
    const std::string all = "FD_Time BETWEEN '" + m_months[0] + "' AND '" + m_strNow + "'";
    ExpectReport(PdfTexts("summed-all.pdf"), DirectSum(all, kFigures[0]), DirectSum(all, kFigures[1]),
                 DirectSum(all, kFigures[2]));

    // Between January and February, chosen after Stand.
    ASSERT_NO_FATAL_FAILURE(SumAll([&](CDialogRemote& gather) {
        gather.Click(GATHER_STAND);
        gather.Click(GATHER_BETWEEN);
        EXPECT_FALSE(gather.IsChecked(GATHER_STAND));
        EXPECT_TRUE(driver.PickPeriodCell(GetDlgItem(gather.Handle(), GATHER_FROM), PERIOD_MONTH, 0, kWaitMs));
        EXPECT_TRUE(driver.PickPeriodCell(GetDlgItem(gather.Handle(), GATHER_TO), PERIOD_MONTH, 1, kWaitMs));
        gather.Settle();
    }));
    const std::string between = "FD_Time BETWEEN '" + m_months[0] + "' AND '" + m_months[1] + "'";
    ExpectReport(PdfTexts("summed-between.pdf"), DirectSum(between, kFigures[0]),
                 DirectSum(between, kFigures[1]), DirectSum(between, kFigures[2]));
    EXPECT_TRUE(driver.CloseDiscarding(kWaitMs));
}

// An analysis report (code AN01, monthly) of the property values North
// and South of the type Region, by month (January, February) and row item.
CString WriteAnalysisTemplate(const CString& strPath, const Texts& months)
{
    CTallyformDoc doc;
    doc.m_bAutoDelete = FALSE;
    CSheet& sheet = doc.m_sheet;
    strcpy(sheet.m_szCode, "AN01");
    sheet.m_nKind = 2;
    sheet.m_nReportType = PERIOD_MONTH;
    sheet.m_bAnalysisFlag = 1;
    sheet.m_nAnAttrType = 0;
    sheet.m_lstDimOuter.RemoveAll();
    sheet.m_lstDimInner.RemoveAll();
    sheet.m_lstDimOuter.AddTail("Property");
    sheet.m_lstDimInner.AddTail("Time");
    sheet.m_lstDimInner.AddTail("RowItem");
    sheet.m_lstAnProperties.AddTail("0-North");
    sheet.m_lstAnProperties.AddTail("1-South");
    const char* const names[] = { "January", "February" };
    for (int m = 0; m < 2; ++m)
        sheet.m_lstAnTimes.AddTail(CString(months[m].c_str()) + "-" + names[m] + "," + months[m].substr(0, 4).c_str());
    sheet.m_lstAnRowItems.AddTail("R1-Sales");
    sheet.m_lstAnRowItems.AddTail("R2-Staff");
    CAnalysisCalc calc;
    calc.m_pDoc = &doc;
    EXPECT_TRUE(calc.GenerateAnalysisLayout());
    EXPECT_TRUE(doc.OnSaveDocument(strPath));
    return strPath;
}

// Where one type and one value are deleted, the analysis steps still read
// every type and value that stays, under their own codes; and each change
// recomputes the figures under the headers it gives.
TEST_P(DataRoadTest, AnAnalysisFollowsThePropertiesAndTimesChangedUnderIt)
{
    m_backend->Exec("INSERT INTO ss_Attribute VALUES (0, 'Region', 0, 'North'), (0, 'Region', 1, 'South'),"
                    " (1, 'Size', 0, 'Big'), (1, 'Size', 1, 'Small'), (2, 'Sector', 0, 'Farm'),"
                    " (2, 'Sector', 1, 'Mill'), (2, 'Sector', 2, 'Shop')");
    // Region and Sector group the organizations differently.
    m_backend->Exec("INSERT INTO ss_OrgAttr VALUES ('A01', 0, 0), ('A01', 2, 0), ('B02', 0, 0), ('B02', 2, 2),"
                    " ('C03', 0, 1), ('C03', 1, 0), ('C03', 2, 2)");
    ASSERT_NO_FATAL_FAILURE(Start(WriteAnalysisTemplate(m_folder.PathOf("Mills.kvm"), m_months)));
    CDesignerProcess& program = *m_program;
    CRunModeDriver& driver = *m_driver;

    // The middle type and the middle value of the last type go.
    {
        CDialogRemote props = OpenDialog(kSetupOrganProperties, "Set Organization Properties");
        ASSERT_NE(props.Handle(), nullptr);
        props.SetText(PROP_TYPE, "Size");
        EXPECT_EQ(Texts{ "Are you sure you want to delete this property?" }, props.PressAnswering(PROP_TYPE_DEL, IDYES));
        ASSERT_EQ((Texts{ "Region", "Sector" }), props.ComboItems(PROP_TYPE));
        props.ChooseComboItem(PROP_TYPE, 1);
        ASSERT_EQ((Texts{ "Farm", "Mill", "Shop" }), props.ListItems(PROP_VALUE_LIST));
        props.SelectListItems(PROP_VALUE_LIST, { 1 });
        EXPECT_EQ(Texts{ "Are you sure you want to delete property details?" },
                  props.PressAnswering(PROP_VALUE_DEL, IDYES));
        props.PressAnswering(IDOK);
        ASSERT_TRUE(CDesignerProcess::WaitGone(props.Handle(), kWaitMs));
    }
    EXPECT_EQ((Texts{ "0|Region|0|North", "0|Region|1|South", "2|Sector|0|Farm", "2|Sector|2|Shop" }),
              m_backend->Rows("SELECT FD_AttrTypeCode, FD_AttrTypeName, FD_ValCode, FD_ValName FROM ss_Attribute"
                              " ORDER BY FD_AttrTypeCode, FD_ValCode"));

    // The sums of a property value's organizations, by month and row item,
    // in the order the report lays its data cells out.
    auto expected = [&](int nType, const std::vector<int>& values, const std::vector<int>& months) {
        std::vector<double> sums;
        for (int nValue : values)
            for (int nMonth : months)
                for (const char* pszRow : { "R1", "R2" })
                {
                    Texts rows = m_backend->Rows(
                        ("SELECT SUM(" + std::string(m_backend->ScaledValue()) + ") FROM ss_datalist WHERE"
                         " FD_OrgCode IN (SELECT FD_OrgCode FROM ss_OrgAttr WHERE FD_AttrTypeCode=" +
                         std::to_string(nType) + " AND FD_ValCode=" + std::to_string(nValue) + ") AND FD_Time='" +
                         m_months[nMonth] + "' AND FD_RowItemCode='" + pszRow + "'")
                            .c_str());
                    sums.push_back(rows.empty() || rows[0].empty() ? 0.0 : atoll(rows[0].c_str()) / 10000.0);
                }
        std::sort(sums.begin(), sums.end());
        return sums;
    };
    auto shown = [&](LPCSTR lpszName, Texts* pTexts) {
        *pTexts = PdfTexts(lpszName);
        std::vector<double> numbers = NumbersAmong(*pTexts);
        std::sort(numbers.begin(), numbers.end());
        return numbers;
    };
    auto expectSums = [](const std::vector<double>& want, const std::vector<double>& got, const Texts& texts) {
        auto hundredths = [](const std::vector<double>& numbers) {
            Texts formatted;
            for (double number : numbers)
            {
                char sz[32];
                snprintf(sz, sizeof(sz), "%.2f", number);
                formatted.push_back(sz);
            }
            return formatted;
        };
        EXPECT_EQ(hundredths(want), hundredths(got)) << JoinedTexts(texts);
    };

    if (!kEditor)
    {
        CRunModeDriver::PressKey(driver.View(), VK_F5);
        ASSERT_TRUE(driver.WaitForCaption("Tallyform [Run Mode] - ", kWaitMs));
    }
    // The figures are the database's: the disabled save, asked for anyway,
    // neither writes nor says anything.
    const Texts stored = m_backend->Rows("SELECT COUNT(*) FROM ss_datalist");
    const Texts answered = driver.Answered();
    PostMessageA(driver.MainWindow(), WM_COMMAND, MAKEWPARAM(kSaveToDatabase, 0), 0);
    driver.Settle();
    driver.AnswerDialogs();
    EXPECT_EQ(answered, driver.Answered());
    EXPECT_EQ(stored, m_backend->Rows("SELECT COUNT(*) FROM ss_datalist"));

    // Nor do the data file commands, which have no organization, period or
    // item codes to carry for an analysis.
    for (UINT nCommand : { kSaveDataToFile, kLoadFromFile, kSumFromFiles })
    {
        PostMessageA(driver.MainWindow(), WM_COMMAND, MAKEWPARAM(nCommand, 0), 0);
        driver.Settle();
        HWND hDialog = program.WaitForDialog(NULL, 0);
        EXPECT_EQ(nullptr, hDialog) << nCommand << " opened " << (LPCSTR)CDesignerProcess::TextOf(hDialog);
        if (hDialog != NULL)
            CDesignerProcess::Press(hDialog, IDCANCEL);
    }

    PostMessageA(driver.MainWindow(), WM_COMMAND, MAKEWPARAM(kAnalysis, 0), 0);
    driver.Settle();
    Texts texts;
    expectSums(expected(0, { 0, 1 }, { 0, 1 }), shown("analysis.pdf", &texts), texts);

    // The figures computed take no editor, by a click or by Tab: nothing
    // is typed over them.
    const POINT ptFirstFigure = { 120, 135 };
    PostMessageA(driver.View(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(ptFirstFigure.x, ptFirstFigure.y));
    PostMessageA(driver.View(), WM_LBUTTONUP, 0, MAKELPARAM(ptFirstFigure.x, ptFirstFigure.y));
    driver.Settle();
    EXPECT_EQ(nullptr, GetDlgItem(driver.View(), kCellEditor)) << "an editor on a computed figure";
    CRunModeDriver::PressKey(driver.View(), VK_TAB);
    driver.Settle();
    EXPECT_EQ(nullptr, GetDlgItem(driver.View(), kCellEditor)) << "an editor reached by Tab";

    // Change Properties lists both types that stay; Sector lists its two
    // values under their codes.  Both chosen, the report sums by them.
    {
        CDialogRemote change = OpenDialog(kChangeProperties, "Change Analysis Properties");
        HWND hDlg = change.Handle();
        ASSERT_NE(hDlg, nullptr) << Shown(program);
        CDialogRemote step(program, HostedStep(hDlg));
        ASSERT_NE(step.Handle(), nullptr);
        EXPECT_EQ((Texts{ "Region", "Sector" }), step.ComboItems(STEP_PROP_TYPE));
        EXPECT_EQ((Texts{ "0-North", "1-South" }), step.ListItems(STEP_PROP_SELECTED));
        EXPECT_EQ(Texts{ "Clear selected analysis properties?" },
                  step.ChooseComboItem(STEP_PROP_TYPE, 1, IDYES, hDlg));
        ASSERT_EQ((Texts{ "0-Farm", "2-Shop" }), step.ListItems(STEP_PROP_LIST));
        step.SelectListItems(STEP_PROP_LIST, { 0, 1 });
        ASSERT_TRUE(step.Press(STEP_PROP_ADD));
        EXPECT_EQ(Texts(), change.PressAnswering(IDOK));
        ASSERT_TRUE(CDesignerProcess::WaitGone(hDlg, kWaitMs));
        driver.Settle();
    }
    expectSums(expected(2, { 0, 2 }, { 0, 1 }), shown("by-sector.pdf", &texts), texts);
    EXPECT_TRUE(Contains(texts, "Farm") && Contains(texts, "Shop")) << JoinedTexts(texts);

    // Change Times offers the template's months; January goes, March comes,
    // and the figures are those of February and March.
    {
        CDialogRemote change = OpenDialog(kChangeTimes, "Change Analysis Times");
        HWND hDlg = change.Handle();
        ASSERT_NE(hDlg, nullptr) << Shown(program);
        CDialogRemote step(program, HostedStep(hDlg));
        ASSERT_NE(step.Handle(), nullptr);
        EXPECT_EQ(PERIOD_MONTH, step.ComboSelection(STEP_TIME_TYPE));
        step.SelectListItems(STEP_TIME_SELECTED, { 0 });
        ASSERT_TRUE(step.Press(STEP_TIME_REMOVE));
        EXPECT_TRUE(driver.PickPeriodCell(GetDlgItem(step.Handle(), STEP_TIME_FROM), PERIOD_MONTH, 2, kWaitMs));
        EXPECT_TRUE(driver.PickPeriodCell(GetDlgItem(step.Handle(), STEP_TIME_TO), PERIOD_MONTH, 2, kWaitMs));
        ASSERT_TRUE(step.Press(STEP_TIME_ADD));
        EXPECT_EQ(2u, step.ListItems(STEP_TIME_SELECTED).size());
        EXPECT_EQ(Texts(), change.PressAnswering(IDOK));
        ASSERT_TRUE(CDesignerProcess::WaitGone(hDlg, kWaitMs));
        driver.Settle();
    }
    expectSums(expected(2, { 0, 2 }, { 1, 2 }), shown("by-sector-later.pdf", &texts), texts);
    const std::string year = std::to_string(m_nYear);
    EXPECT_TRUE(Contains(texts, "March," + year) && !Contains(texts, "January," + year)) << JoinedTexts(texts);
    EXPECT_TRUE(driver.CloseDiscarding(kWaitMs));
}

INSTANTIATE_TEST_SUITE_P(Engines, DataRoadTest, testing::Values(BACKEND_DAO_SQLITE, BACKEND_ODBC_POSTGRESQL),
                         ReportBackendName);
} // namespace
