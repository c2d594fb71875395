// Times Analysis > Analysis of a 20 x 10 cross-tab, row items R000..R019 by
// column items C0..C9, each data cell summing its item over 200
// organizations x 12 monthly periods (2,400 of the 2,400,000 rows of
// ss_datalist), through the DAO library, beside the same queries straight
// through SQLite's C API on the same file, round after round, with OLE
// started and a main window active as in the designer; then the
// Data Gather dialog opening with 1,000 organizations and their fill-in
// states.  "keep" keeps the 2.4-million-row file for the next run.
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <algorithm>
#include <string>
#include <vector>

#include <sqlite3.h>

#include "bench/BenchClock.h"
#include "bench/BenchProgram.h"
#include "bench/BenchSqlite.h"
#include "bench/ReportBenchData.h"
#include "tests/engines/dao/ReportSchema.h"

#include "engines/common/KemDatabase.h"
#include "framework/core/MessageSink.h"
#include "framework/db/DaoDatabase.h"
#include "reporting/AnalysisCalc.h"
#include "reporting/DataGatherDlg.h"
#include "reporting/EngineLoader.h"
#include "sheet/PeriodCode.h"

namespace
{
const int ROW_ITEMS = 20;
const int COL_ITEMS = 10;
const int ROUNDS = 9;
// The program's time over the C API's.
const double RATIO_GOAL = 1.5;
const int GATHER_ORGANIZATIONS = 1000;
const double GATHER_GOAL_MS = 500.0;

// The cross-tab's lists and layout.
void MakeCrossTab(CTallyformDoc& doc)
{
    CSheet& sheet = doc.m_sheet;
    sheet.m_bDesignMode = FALSE;
    sheet.m_lstDimOuter.RemoveAll();
    sheet.m_lstDimInner.RemoveAll();
    sheet.m_lstDimOuter.AddTail(CString("RowItem"));
    sheet.m_lstDimInner.AddTail(CString("ColItem"));
    for (int r = 0; r < ROW_ITEMS; ++r)
    {
        CString str;
        str.Format("R%03d-Row %d", r, r);
        sheet.m_lstAnRowItems.AddTail(str);
    }
    for (int c = 0; c < COL_ITEMS; ++c)
    {
        CString str;
        str.Format("C%d-Column %d", c, c);
        sheet.m_lstAnColItems.AddTail(str);
    }
    CAnalysisCalc calc;
    calc.m_pDoc = &doc;
    calc.GenerateAnalysisLayout();
}

// The data cells' sums through SQLite's C API, in the cells' order; the
// milliseconds taken or -1.
double DirectSums(const char* lpszUnixPath, std::vector<CString>& sums)
{
    double dStart = BenchNowMs();
    sqlite3* pDb = NULL;
    if (sqlite3_open_v2(lpszUnixPath, &pDb, SQLITE_OPEN_READONLY, NULL) != SQLITE_OK)
        return -1;
    sums.clear();
    bool bOk = true;
    for (int r = 0; bOk && r < ROW_ITEMS; ++r)
    {
        for (int c = 0; bOk && c < COL_ITEMS; ++c)
        {
            char szSql[160];
            snprintf(szSql, sizeof(szSql),
                     "Select FD_Value from ss_datalist where FD_RowItemCode='R%03d' and FD_ColItemCode='C%d' and 1=1",
                     r, c);
            sqlite3_stmt* pStmt = NULL;
            bOk = sqlite3_prepare_v2(pDb, szSql, -1, &pStmt, NULL) == SQLITE_OK;
            double dSum = 0.0;
            while (bOk && sqlite3_step(pStmt) == SQLITE_ROW)
                dSum += atof((const char*)sqlite3_column_text(pStmt, 0));
            sqlite3_finalize(pStmt);
            CString str;
            str.Format("%.2f", dSum);
            sums.push_back(str);
        }
    }
    sqlite3_close(pDb);
    return bOk ? BenchNowMs() - dStart : -1;
}

// Analysis > Analysis once; the milliseconds and the data cells' texts.
double TimeAnalysis(CReportBenchDoc& doc, std::vector<CString>& values)
{
    for (INT_PTR i = 0; i < doc.m_sheet.m_cells.GetSize(); ++i)
        if (doc.m_sheet.m_cells[i].m_strAnalysis.Find('&') > 0)
            doc.m_sheet.m_cells[i].m_strValue.Empty();
    double dStart = BenchNowMs();
    doc.OnCmdMsg(33086, CN_COMMAND, NULL, NULL);
    double dMs = BenchNowMs() - dStart;
    values.clear();
    for (INT_PTR i = 0; i < doc.m_sheet.m_cells.GetSize(); ++i)
        if (doc.m_sheet.m_cells[i].m_strAnalysis.Find('&') > 0)
            values.push_back(doc.m_sheet.m_cells[i].m_strValue);
    return dMs;
}

// A visible, active top-level window standing for the designer's main
// frame: as in the designer, the command's progress window is owned by it.
HWND CreateMainWindow()
{
    WNDCLASSA wc = {};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(NULL);
    wc.lpszClassName = "AnalysisBenchMain";
    RegisterClassA(&wc);
    HWND hWnd = CreateWindowExA(0, wc.lpszClassName, "Analysis bench", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 640,
                                480, NULL, NULL, wc.hInstance, NULL);
    if (hWnd != NULL)
        SetActiveWindow(hWnd);
    return hWnd;
}

bool RunAnalysis(CEngineLoader& loader, const CString& strPath, const char* lpszUnixPath)
{
    CKemDatabase* pDatabase = loader.GetDatabase(1);
    if (pDatabase == NULL)
        return false;
    pDatabase->m_strDatabase = strPath;
    pDatabase->Reopen(TRUE);
    CReportBenchDoc doc;
    doc.m_connection.m_pLoader = &loader;
    doc.m_connection.m_pDatabase = pDatabase;
    MakeCrossTab(doc);
    std::vector<CString> warm;
    bool bOk = pDatabase->IsOpen() && DirectSums(lpszUnixPath, warm) >= 0;
    std::vector<double> program, client;
    for (int r = 0; bOk && r < ROUNDS; ++r)
    {
        std::vector<CString> values, sums;
        double dProgram = TimeAnalysis(doc, values);
        double dClient = DirectSums(lpszUnixPath, sums);
        if (dClient < 0 || values != sums)
        {
            fprintf(stderr, "analysis: the program's sums differ from the C API's (first %s against %s)\n",
                    values.empty() ? "-" : (LPCSTR)values[0], sums.empty() ? "-" : (LPCSTR)sums[0]);
            bOk = false;
            break;
        }
        printf("analysis round %d: program %.0f ms, SQLite C API %.0f ms, ratio %.2f; first cell %s\n", r + 1,
               dProgram, dClient, dProgram / dClient, (LPCSTR)values[0]);
        program.push_back(dProgram);
        client.push_back(dClient);
    }
    if (bOk)
    {
        double dProgram = *std::min_element(program.begin(), program.end());
        double dClient = *std::min_element(client.begin(), client.end());
        double dRatio = dProgram / dClient;
        printf("analysis: %d x %d cross-tab over %d rows, best of %d: program %.0f ms, SQLite C API %.0f ms, "
               "ratio %.2f (goal %.1f) %s\n",
               ROW_ITEMS, COL_ITEMS, BENCH_ORGANIZATIONS * BENCH_MONTHS * BENCH_CELLS, ROUNDS, dProgram, dClient,
               dRatio, RATIO_GOAL, dRatio <= RATIO_GOAL ? "met" : "MISSED");
    }
    pDatabase->Close();
    loader.ReleaseDatabase(pDatabase);
    return bOk;
}

// A reporting database of 1,000 organizations, two in three with a run of
// the bench template in the report log.
bool FillGatherFile(const char* lpszUnixPath)
{
    sqlite3* pDb = NULL;
    remove(lpszUnixPath);
    if (sqlite3_open(lpszUnixPath, &pDb) != SQLITE_OK)
        return false;
    bool bOk = BenchSqliteExec(pDb, ReportSchemaSql().c_str()) && BenchSqliteExec(pDb, "BEGIN");
    for (int o = 0; bOk && o < GATHER_ORGANIZATIONS; ++o)
    {
        char szSql[256];
        snprintf(szSql, sizeof(szSql), "INSERT INTO ss_Organ VALUES ('G%04d', 'Organization %04d', '')", o, o);
        bOk = BenchSqliteExec(pDb, szSql);
        if (bOk && o % 3 != 0)
        {
            snprintf(szSql, sizeof(szSql), "INSERT INTO ss_reportlog VALUES ('BENCH', 'G%04d', %d, '%s', '%s')", o,
                     PERIOD_MONTH, (LPCSTR)BenchMonth(o % 3 == 1 ? 0 : 5), (LPCSTR)BenchMonth(11));
            bOk = BenchSqliteExec(pDb, szSql);
        }
    }
    bOk = bOk && BenchSqliteExec(pDb, "COMMIT") && BenchSqliteExec(pDb, "ANALYZE");
    sqlite3_close(pDb);
    return bOk;
}

// The Data Gather dialog that times its own opening (the list of every
// organization with its state over all periods) and a refill for one
// period, then closes.
class CTimedGatherDlg : public CDataGatherDlg
{
public:
    double m_dOpenMs = 0;
    double m_dRefillMs = 0;
    int m_nListed = 0;

protected:
    BOOL OnInitDialog() override
    {
        double dStart = BenchNowMs();
        BOOL bResult = CDataGatherDlg::OnInitDialog();
        m_dOpenMs = BenchNowMs() - dStart;
        m_nListed = (int)::SendDlgItemMessageA(m_hWnd, 1166, LB_GETCOUNT, 0, 0);
        CheckRadioButton(1068, 1072, 1070);
        dStart = BenchNowMs();
        OnTimeStand();
        m_dRefillMs = BenchNowMs() - dStart;
        ::PostMessageA(m_hWnd, WM_COMMAND, IDCANCEL, 0);
        return bResult;
    }
};

bool RunGather(CEngineLoader& loader, const CString& strPath, const char* lpszUnixPath)
{
    if (!FillGatherFile(lpszUnixPath))
        return false;
    CKemDatabase* pDatabase = loader.GetDatabase(1);
    if (pDatabase == NULL)
        return false;
    pDatabase->m_strDatabase = strPath;
    pDatabase->Reopen(FALSE);
    CReportBenchDoc doc;
    doc.m_connection.m_pLoader = &loader;
    doc.m_connection.m_pDatabase = pDatabase;
    strcpy(doc.m_sheet.m_szCode, "BENCH");
    doc.m_sheet.m_nReportType = PERIOD_MONTH;
    std::vector<double> opens, refills;
    int nListed = 0;
    for (int r = 0; r < ROUNDS; ++r)
    {
        CTimedGatherDlg dlg;
        dlg.m_pDoc = &doc;
        dlg.m_nPeriodType = PERIOD_MONTH;
        dlg.DoModal();
        opens.push_back(dlg.m_dOpenMs);
        refills.push_back(dlg.m_dRefillMs);
        nListed = dlg.m_nListed;
        printf("data gather round %d: opened with %d organizations in %.0f ms, refilled in %.0f ms\n", r + 1,
               dlg.m_nListed, dlg.m_dOpenMs, dlg.m_dRefillMs);
    }
    pDatabase->Close();
    loader.ReleaseDatabase(pDatabase);
    double dOpen = *std::min_element(opens.begin(), opens.end());
    double dRefill = *std::min_element(refills.begin(), refills.end());
    printf("data gather: %d organizations listed, best of %d: open %.0f ms, refill %.0f ms (goal %.0f ms) %s\n",
           nListed, ROUNDS, dOpen, dRefill, GATHER_GOAL_MS,
           (dOpen > dRefill ? dOpen : dRefill) < GATHER_GOAL_MS ? "met" : "MISSED");
    remove(lpszUnixPath);
    return nListed == GATHER_ORGANIZATIONS;
}

// The Windows and the Unix path of a file in the temporary folder.
bool TempFile(const char* lpszName, CString& strPath, std::string& strUnix)
{
    char szTemp[MAX_PATH];
    GetTempPathA(MAX_PATH, szTemp);
    strPath = CString(szTemp) + lpszName;
    strUnix = (LPCSTR)DaoUnixPath(strPath);
    return !strUnix.empty();
}

} // namespace

int main(int argc, char** argv)
{
    AfxSetMessageSink(BenchPrintMessage);
    // The designer starts OLE before it opens any window.
    if (FAILED(OleInitialize(NULL)))
        return 1;
    HWND hMainWnd = CreateMainWindow();
    if (hMainWnd == NULL)
        return 1;
    const bool bKeep = argc > 1 && strcmp(argv[1], "keep") == 0;
    CString strPath, strGatherPath;
    std::string strUnix, strGatherUnix;
    if (!TempFile("report_sum_bench.db", strPath, strUnix) || !TempFile("gather_bench.db", strGatherPath, strGatherUnix))
        return 1;
    if (!PrepareReportBenchFile(strUnix.c_str()))
        return 1;
    CEngineLoader loader(BenchProgramFolder());
    bool bOk = RunAnalysis(loader, strPath, strUnix.c_str());
    bOk = RunGather(loader, strGatherPath, strGatherUnix.c_str()) && bOk;
    if (!bKeep)
        remove(strUnix.c_str());
    DestroyWindow(hMainWnd);
    OleUninitialize();
    return bOk ? 0 : 1;
}
