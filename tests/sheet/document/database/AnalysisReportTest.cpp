// Analysis reports on both kinds of reporting database: a report made
// through the new-template sheet and the analysis wizard over
// organizations x months x row items x column items, Analysis > Analysis
// against the database's own sums, and the Change commands relabelling the
// headers in place and recomputing the figures under them.
#include <map>
#include <memory>

#include "tests/sheet/document/database/DatabaseTestDoc.h"
#include "tests/support/DialogDriver.h"
#include "tests/support/ScratchFolder.h"
#include "tests/support/Screenshot.h"

#include "engines/common/KemRecordset.h"
#include "framework/docview/FrameWnd.h"
#include "framework/windows/CmdTarget.h"
#include "sheet/PeriodText.h"
#include "sheet/ReportPeriod.h"
#include "shell/DateFieldWnd.h"
#include "view/TallyformView.h"
#include "DocumentIds.h"
#include "ShellIds.h"
#include "TemplatePickerIds.h"

namespace
{
enum
{
    WIZARD_NEXT = 1120, INFO_TYPE = 1126,
    ORGAN_LIST = 1276, ORGAN_SELECTED = 1277, ORGAN_ADD = 1278, ORGAN_REMOVE = 1279,
    TIME_TYPE = 1258, TIME_FROM = 1261, TIME_TO = 1259, TIME_SELECTED = 1281, TIME_ADD = 1086, TIME_REMOVE = 1087,
    ROW_LIST = 1085, ROW_SELECTED = 1084, COL_LIST = 1144, COL_SELECTED = 1146, ITEMS_ADD = 1086, ITEMS_REMOVE = 1089
};

void Command(HWND hDlg, int nID, WORD wNotify = BN_CLICKED)
{
    SendMessageA(hDlg, WM_COMMAND, MAKEWPARAM(nID, wNotify), (LPARAM)GetDlgItem(hDlg, nID));
}

// The step dialog shown inside a wizard or the change dialog.
HWND VisibleStep(HWND hDlg)
{
    for (HWND hChild = GetWindow(hDlg, GW_CHILD); hChild != NULL; hChild = GetWindow(hChild, GW_HWNDNEXT))
    {
        char szClass[16] = "";
        GetClassNameA(hChild, szClass, sizeof(szClass));
        if (lstrcmpA(szClass, "#32770") == 0 && IsWindowVisible(hChild))
            return hChild;
    }
    return NULL;
}

void SelectAll(HWND hStep, int nList)
{
    SendMessageA(GetDlgItem(hStep, nList), LB_SETSEL, TRUE, -1);
}

void SelectFirst(HWND hStep, int nList)
{
    SendMessageA(GetDlgItem(hStep, nList), LB_SETSEL, FALSE, -1);
    SendMessageA(GetDlgItem(hStep, nList), LB_SETSEL, TRUE, 0);
}

void SetPeriodField(HWND hStep, int nID, const CString& strCode, int nType)
{
    CDateFieldWnd* pField = static_cast<CDateFieldWnd*>(CWnd::FromHandlePermanent(GetDlgItem(hStep, nID)));
    ASSERT_NE(nullptr, pField);
    int nStyle = 1;
    pField->SetCode(strCode, &nType, &nStyle);
}

// The 0-based list index of each keyword's term in a data formula.
std::map<std::string, int> TermsOf(const CString& strFormula)
{
    std::map<std::string, int> terms;
    CString strRest = strFormula.Mid(1);
    while (!strRest.IsEmpty())
    {
        int nAmp = strRest.Find('&');
        CString strTerm = nAmp < 0 ? strRest : strRest.Left(nAmp);
        strRest = nAmp < 0 ? CString() : strRest.Mid(nAmp + 1);
        int nHash = strTerm.Find('#');
        terms[(LPCSTR)strTerm.Left(nHash)] = atoi((LPCSTR)strTerm + nHash + 1) - 1;
    }
    return terms;
}

CString Entry(const CStringList& list, int nIndex)
{
    POSITION pos = list.FindIndex(nIndex);
    return pos != NULL ? list.GetAt(pos) : CString();
}

CString CodeOf(const CString& strEntry)
{
    return strEntry.Left(strEntry.Find('-'));
}

class AnalysisReport : public ReportDatabaseTest
{
protected:
    void SetUp() override
    {
        ReportDatabaseTest::SetUp();
        m_backend->Exec("INSERT INTO ss_item (FD_Code, FD_Name, FD_SearchCode, FD_Type) VALUES"
                        " ('R1', 'Sales', 'S', 0), ('R2', 'Staff', 'T', 0)");
        m_backend->Exec("INSERT INTO ss_colitem (FD_Code, FD_Name, FD_SearchCode) VALUES"
                        " ('C1', 'Amount', 'A'), ('C2', 'Count', 'C')");
        m_jan = MonthCode(2026, 1);
        m_feb = MonthCode(2026, 2);
        int n = 1;
        for (const char* org : { "A01", "B02", "C03" })
            for (const CString& month : { m_jan, m_feb, MonthCode(2026, 3) })
                for (const char* row : { "R1", "R2" })
                    for (const char* col : { "C1", "C2" })
                        for (int nLine = 0; nLine < 2; ++nLine, ++n)
                        {
                            CString strSql;
                            strSql.Format("INSERT INTO ss_datalist VALUES ('%s', '%s', '%s', '%s', %d, 0, '%s%d.%02d')",
                                          (LPCSTR)month, org, row, col, nLine, n % 5 == 0 ? "-" : "", n * 7 % 90,
                                          n * 31 % 100);
                            m_backend->Exec(strSql);
                        }
        m_doc.m_sheet.RemoveAllCells();
        m_doc.m_sheet.m_bDesignMode = FALSE;
        // The item steps read the program's connection.
        GetReportConnection() = m_doc.m_connection;
        GetCurrentDirectoryA(MAX_PATH, m_szOldDir);
        SetCurrentDirectoryA(m_folder.GetPath());
        CreateDirectoryA(m_folder.PathOf("Template"), NULL);
    }

    void TearDown() override
    {
        SetCurrentDirectoryA(m_szOldDir);
        GetReportConnection() = CReportConnection();
        ReportDatabaseTest::TearDown();
    }

    // The analysis wizard's steps from the template information to Finish.
    void DriveWizard(HWND hWizard)
    {
        HWND hInfo = VisibleStep(hWizard);
        const int fields[] = { 1006, 1007, 1008, 1009, 1010, 1011, 1012 };
        for (int nID : fields)
            SetDlgItemTextA(hInfo, nID, nID == 1006 ? "Mill Analysis" : "X1");
        // A quarterly report (the document was monthly): the time step
        // offers quarters from the start.
        SendDlgItemMessageA(hInfo, INFO_TYPE, CB_SETCURSEL, PERIOD_QUARTER, 0);
        Command(hWizard, WIZARD_NEXT);
        m_captions.push_back(WindowText(hWizard));
        Command(hWizard, WIZARD_NEXT);               // dimensions as they come
        m_captions.push_back(WindowText(hWizard));
        HWND hStep = VisibleStep(hWizard);
        Command(hWizard, WIZARD_NEXT);               // nothing chosen: refused
        SelectAll(hStep, ORGAN_LIST);
        Command(hStep, ORGAN_ADD);
        Command(hWizard, WIZARD_NEXT);
        m_captions.push_back(WindowText(hWizard));
        hStep = VisibleStep(hWizard);
        m_nTimeTypeShown = (int)SendDlgItemMessageA(hStep, TIME_TYPE, CB_GETCURSEL, 0, 0);
        SendMessageA(GetDlgItem(hStep, TIME_TYPE), CB_SETCURSEL, PERIOD_MONTH, 0);
        Command(hStep, TIME_TYPE, CBN_SELCHANGE);
        SetPeriodField(hStep, TIME_FROM, m_feb, PERIOD_MONTH);
        SetPeriodField(hStep, TIME_TO, m_jan, PERIOD_MONTH);
        Command(hStep, TIME_ADD);                    // backwards: refused
        SetPeriodField(hStep, TIME_FROM, m_jan, PERIOD_MONTH);
        SetPeriodField(hStep, TIME_TO, m_feb, PERIOD_MONTH);
        Command(hStep, TIME_ADD);
        Command(hStep, TIME_ADD);                    // again: nothing new
        Command(hWizard, WIZARD_NEXT);
        hStep = VisibleStep(hWizard);
        SelectAll(hStep, ROW_LIST);
        Command(hStep, ITEMS_ADD);
        Command(hWizard, WIZARD_NEXT);
        m_captions.push_back(WindowText(hWizard));
        hStep = VisibleStep(hWizard);
        SelectAll(hStep, COL_LIST);
        Command(hStep, ITEMS_ADD);
        m_bFinishEnabled = IsWindowEnabled(GetDlgItem(hWizard, IDOK)) != FALSE;
        CDialogDriver::Press(hWizard, IDOK);
    }

    static std::string WindowText(HWND hWnd)
    {
        char szText[256] = "";
        GetWindowTextA(hWnd, szText, sizeof(szText));
        return szText;
    }

    // A new analysis report through File > New's sheet and the wizard.
    void MakeReport()
    {
        std::unique_ptr<CDialogDriver> wizard;
        CDialogDriver sheet([&](HWND hSheet) {
            HWND hPage = (HWND)SendMessageA(hSheet, PSM_GETCURRENTPAGEHWND, 0, 0);
            HWND hKinds = GetDlgItem(hPage, IDC_NEW_TEMPLATE_KINDS);
            LVFINDINFOA find = {};
            find.flags = LVFI_STRING;
            find.psz = "Analysis Report";
            int nItem = (int)SendMessageA(hKinds, LVM_FINDITEMA, (WPARAM)-1, (LPARAM)&find);
            LVITEMA item = {};
            item.stateMask = item.state = LVIS_SELECTED | LVIS_FOCUSED;
            SendMessageA(hKinds, LVM_SETITEMSTATE, nItem, (LPARAM)&item);
            wizard.reset(new CDialogDriver([&](HWND hWizard) { DriveWizard(hWizard); }));
            PostMessageA(hSheet, PSM_PRESSBUTTON, PSBTN_OK, 0);
        });
        ASSERT_TRUE(m_doc.RunNewDocumentWizard());
    }

    // Every data cell's text against the database's sum of its rows; a
    // cell whose term names no entry of its list shows nothing.
    void ExpectDatabaseSums()
    {
        const CSheet& sheet = m_doc.m_sheet;
        int nData = 0;
        for (INT_PTR i = 0; i < sheet.m_cells.GetSize(); ++i)
        {
            const CCell& cell = sheet.m_cells[i];
            if (cell.m_strAnalysis.Find('&') < 0)
                continue;
            ++nData;
            std::map<std::string, int> terms = TermsOf(cell.m_strAnalysis);
            if (terms["Organ"] >= sheet.m_lstAnOrgans.GetCount() || terms["Time"] >= sheet.m_lstAnTimes.GetCount() ||
                terms["RowItem"] >= sheet.m_lstAnRowItems.GetCount() ||
                terms["ColItem"] >= sheet.m_lstAnColItems.GetCount())
            {
                EXPECT_STREQ("", cell.m_strValue) << (LPCSTR)cell.m_strAnalysis;
                continue;
            }
            CString strSql;
            strSql.Format("SELECT SUM(%s) FROM ss_datalist WHERE FD_OrgCode='%s' AND FD_Time='%s' AND "
                          "FD_RowItemCode='%s' AND FD_ColItemCode='%s'",
                          m_backend->ScaledValue(), (LPCSTR)CodeOf(Entry(sheet.m_lstAnOrgans, terms["Organ"])),
                          (LPCSTR)Entry(sheet.m_lstAnTimes, terms["Time"]).Left(13),
                          (LPCSTR)CodeOf(Entry(sheet.m_lstAnRowItems, terms["RowItem"])),
                          (LPCSTR)CodeOf(Entry(sheet.m_lstAnColItems, terms["ColItem"])));
            std::vector<std::string> rows = Rows(strSql);
            ASSERT_EQ(1u, rows.size());
            char szExpected[64];
            snprintf(szExpected, sizeof(szExpected), "%.2f", atoll(rows[0].c_str()) / 10000.0);
            EXPECT_STREQ(szExpected, cell.m_strValue) << (LPCSTR)cell.m_strAnalysis;
        }
        EXPECT_EQ(24, nData);
    }

    // The text of the first cell with the formula.
    CString TextOf(LPCSTR pszFormula)
    {
        for (INT_PTR i = 0; i < m_doc.m_sheet.m_cells.GetSize(); ++i)
            if (m_doc.m_sheet.m_cells[i].m_strAnalysis == pszFormula)
                return m_doc.m_sheet.m_cells[i].m_strValue;
        return "no cell " + CString(pszFormula);
    }

    // The cells' rectangles and names, to see that a change moved nothing.
    std::vector<std::string> Layout()
    {
        std::vector<std::string> layout;
        for (INT_PTR i = 0; i < m_doc.m_sheet.m_cells.GetSize(); ++i)
        {
            const CCell& cell = m_doc.m_sheet.m_cells[i];
            CString str;
            str.Format("%d,%d,%d,%d %s", (int)cell.m_rect.left, (int)cell.m_rect.top, (int)cell.m_rect.right,
                       (int)cell.m_rect.bottom, (LPCSTR)cell.m_strName);
            layout.push_back((LPCSTR)str);
        }
        return layout;
    }

    // Runs a Change command whose step list loses its first entry.
    void ChangeDroppingFirst(UINT nCommand, int nSelectedList, int nRemove, BOOL bCancel = FALSE)
    {
        CDialogDriver driver([&](HWND hDlg) {
            HWND hStep = VisibleStep(hDlg);
            SelectFirst(hStep, nSelectedList);
            Command(hStep, nRemove);
            CDialogDriver::Press(hDlg, bCancel ? IDCANCEL : IDOK);
        });
        m_doc.OnCmdMsg(nCommand, CN_COMMAND, NULL, NULL);
        EXPECT_NE(nullptr, driver.Driven());
    }

    // The report in a sheet view, saved as evidence of how it looks.
    void SaveScreenshot(LPCSTR lpszName)
    {
        CCreateContext context;
        context.m_pNewViewClass = RUNTIME_CLASS(CTallyformView);
        context.m_pCurrentDoc = &m_doc;
        CFrameWnd* pFrame = new CFrameWnd;
        if (!pFrame->LoadFrame(IDR_TALLYFORM_TEMPLATE, WS_OVERLAPPEDWINDOW, NULL, &context))
        {
            delete pFrame;
            return;
        }
        pFrame->InitialUpdateFrame(&m_doc, TRUE);
        pFrame->SetWindowPos(NULL, 0, 0, 900, 420, SWP_NOZORDER);
        pFrame->UpdateWindow();
        for (int i = 0; i < 20; ++i)
        {
            MSG msg;
            while (PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE))
                DispatchMessageA(&msg);
            Sleep(20);
        }
        SaveWindowScreenshot(pFrame->m_hWnd, CString(SCREENSHOT_DIR "/") + lpszName);
        pFrame->DestroyWindow();
    }

    CString m_jan, m_feb;
    std::vector<std::string> m_captions;
    bool m_bFinishEnabled = false;
    int m_nTimeTypeShown = -1;
    CScratchFolder m_folder;
    char m_szOldDir[MAX_PATH];
};

TEST_P(AnalysisReport, TheWizardsCrossTabSumsWhatTheDatabaseSums)
{
    MakeReport();
    const CSheet& sheet = m_doc.m_sheet;
    EXPECT_EQ(2, sheet.m_nKind);
    EXPECT_STREQ("Mill Analysis", sheet.m_szTitle);
    EXPECT_EQ((std::vector<std::string>{ "Step 2:Select Analysis Dimensions", "Setp 3:Select Analysis Orgnizations",
                                         "Setp 4:Select Analysis Times", "Setp 6:Select Analysis Column Items" }),
              m_captions);
    EXPECT_TRUE(m_bFinishEnabled);
    EXPECT_EQ(PERIOD_QUARTER, m_nTimeTypeShown);
    EXPECT_EQ(PERIOD_QUARTER, sheet.m_nReportType);
    EXPECT_EQ((std::vector<std::string>{ "Please select analysis organizations.", "From date must less than to date" }),
              MessageTexts());
    ASSERT_EQ(3, sheet.m_lstAnOrgans.GetCount());
    ASSERT_EQ(2, sheet.m_lstAnTimes.GetCount());
    EXPECT_EQ(m_jan + "-" + PeriodCodeToText(m_jan, PERIOD_MONTH, 1), Entry(sheet.m_lstAnTimes, 0));
    // Rows Organ (3); columns Time (2), RowItem (2), ColItem (2).
    ASSERT_EQ(1 + 3 + 3 + (2 + 4 + 8) + 24 + 1, sheet.m_cells.GetSize());
    EXPECT_EQ((1 + 8) * 80, sheet.m_cells[0].m_rect.right);
    EXPECT_STREQ("B02", TextOf("@Organ#2"));
    EXPECT_STREQ("Staff", TextOf("@RowItem#2"));
    EXPECT_STREQ("Count", TextOf("@ColItem#2"));
    EXPECT_STREQ("", TextOf("@Organ#1&Time#1&RowItem#1&ColItem#1"));

    m_messages.Clear();
    m_doc.OnCmdMsg(ID_ANALYSIS, CN_COMMAND, NULL, NULL);
    EXPECT_EQ(std::vector<std::string>(), MessageTexts());
    ExpectDatabaseSums();
    SaveScreenshot(("analysis-report-" + ReportBackendName(testing::TestParamInfo<ReportBackendKind>(GetParam(), 0)) +
                    ".bmp").c_str());
}

TEST_P(AnalysisReport, EachChangeCommandRelabelsItsHeadersAndRecomputesItsFiguresWithoutMovingACell)
{
    MakeReport();
    m_doc.OnCmdMsg(ID_ANALYSIS, CN_COMMAND, NULL, NULL);
    m_messages.Clear();
    const std::vector<std::string> layout = Layout();
    const CString strFebText = PeriodCodeToText(m_feb, PERIOD_MONTH, 1);

    // Cancel keeps the list.
    ChangeDroppingFirst(ID_ANALYSIS_CHANGE_ORGANS, ORGAN_SELECTED, ORGAN_REMOVE, TRUE);
    EXPECT_EQ(3, m_doc.m_sheet.m_lstAnOrgans.GetCount());
    EXPECT_STREQ("A01", TextOf("@Organ#1"));

    ChangeDroppingFirst(ID_ANALYSIS_CHANGE_ORGANS, ORGAN_SELECTED, ORGAN_REMOVE);
    EXPECT_STREQ("B02", TextOf("@Organ#1"));
    EXPECT_STREQ("C03", TextOf("@Organ#2"));
    // Beyond the list: the header shows its own formula.
    EXPECT_STREQ("@Organ#3", TextOf("@Organ#3"));
    ExpectDatabaseSums();

    ChangeDroppingFirst(ID_ANALYSIS_CHANGE_TIMES, TIME_SELECTED, TIME_REMOVE);
    EXPECT_STREQ(strFebText, TextOf("@Time#1"));
    EXPECT_STREQ("@Time#2", TextOf("@Time#2"));

    ChangeDroppingFirst(ID_ANALYSIS_CHANGE_ROW_ITEMS, ROW_SELECTED, ITEMS_REMOVE);
    EXPECT_STREQ("Staff", TextOf("@RowItem#1"));

    ChangeDroppingFirst(ID_ANALYSIS_CHANGE_COL_ITEMS, COL_SELECTED, ITEMS_REMOVE);
    EXPECT_STREQ("Count", TextOf("@ColItem#1"));

    // No cell moved, and every figure is that of its new headers.
    EXPECT_EQ(layout, Layout());
    ExpectDatabaseSums();
    EXPECT_EQ(std::vector<std::string>(), MessageTexts());
}

TEST_P(AnalysisReport, AChangeThatEmptiesItsListIsRefused)
{
    MakeReport();
    m_messages.Clear();
    CDialogDriver driver([&](HWND hDlg) {
        HWND hStep = VisibleStep(hDlg);
        SelectAll(hStep, ORGAN_SELECTED);
        Command(hStep, ORGAN_REMOVE);
        Command(hDlg, IDOK);
        EXPECT_TRUE(IsWindowVisible(hDlg));
        CDialogDriver::Press(hDlg, IDCANCEL);
    });
    m_doc.OnCmdMsg(ID_ANALYSIS_CHANGE_ORGANS, CN_COMMAND, NULL, NULL);
    EXPECT_EQ(std::vector<std::string>{ "Please select analysis organizations." }, MessageTexts());
    EXPECT_EQ(3, m_doc.m_sheet.m_lstAnOrgans.GetCount());
}

INSTANTIATE_TEST_SUITE_P(Engines, AnalysisReport, testing::Values(BACKEND_DAO_SQLITE, BACKEND_ODBC_POSTGRESQL),
                         ReportBackendName);

} // namespace
