// Times Data > Sum Data From Databases: a 1,000-cell template summed over
// 200 organizations x 12 monthly periods, 2,400,000 rows of ss_datalist,
// one query per cell as the command makes them, beside the same queries run
// straight through the database's C client, round after round, so the ratio
// of the two holds on a busy machine.  "sqlite" runs it on an SQLite file
// through the DAO library (yardstick: SQLite's C API), "postgresql" on the
// server that scripts/bench-report-sum.sh starts, through the ODBC library
// (yardstick: libpq); without an argument both run (PostgreSQL when
// KEM_TEST_PG_DSN is set); "sqlite-keep" keeps the SQLite file for the next
// run.  A second argument, "program" or "yardstick", runs that side alone,
// once, for a profiler to count its work.  A goal is judged only when the
// machine's load average stays at or below 2.
#include <stdio.h>
#include <string.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "bench/BenchClock.h"
#include "bench/BenchLoad.h"
#include "bench/BenchProgram.h"
#include "bench/ReportBenchData.h"
#include "bench/ReportSumDirect.h"

#include "engines/common/KemDatabase.h"
#include "framework/core/MessageSink.h"
#include "framework/db/DaoDatabase.h"
#include "framework/db/OdbcDatabase.h"
#include "framework/db/SqlQuote.h"
#include "reporting/EngineLoader.h"
#include "reporting/ReportConnection.h"
#include "sheet/PeriodCode.h"
#include "sheet/ReportPeriod.h"
#include "sheet/document/TallyformDoc.h"

namespace
{

const int ORGANIZATIONS = BENCH_ORGANIZATIONS;
const int MONTHS = BENCH_MONTHS;
const int CELLS = BENCH_CELLS;
const int ROUNDS = 5;
// The program's time over the C client's.
const double RATIO_GOAL = 1.3;

// The template: 1,000 numeric cells, row items R000..R099 by column items C0..C9.
void MakeTemplate(CSheet& sheet)
{
    sheet.RemoveAllCells();
    strcpy(sheet.m_szCode, "BENCH");
    sheet.m_nReportType = PERIOD_MONTH;
    sheet.m_bDesignMode = FALSE;
    sheet.m_cells.SetSize(CELLS);
    for (int i = 0; i < CELLS; ++i)
    {
        CCell& cell = sheet.m_cells[i];
        cell.m_pSheet = &sheet;
        cell.SetType(CELL_NUMERIC);
        cell.m_strName.Format("C%d", i);
        snprintf(cell.m_szRowItemCode, CELL_CODE_LEN, "R%03d", i / 10);
        snprintf(cell.m_szColItemCode, CELL_CODE_LEN, "C%d", i % 10);
    }
}

// The selection of every organization and month, as the Data Gather dialog
// writes it.
CString SelectionSql()
{
    CString strOrgs, strTimes;
    for (int o = 0; o < ORGANIZATIONS; ++o)
    {
        CString s;
        s.Format("%s'O%03d'", o == 0 ? "" : ",", o);
        strOrgs += s;
    }
    for (int m = 0; m < MONTHS; ++m)
        strTimes += (m == 0 ? "'" : ",'") + BenchMonth(m) + "'";
    return "Select * From ss_datalist Where FD_OrgCode In (" + strOrgs + ") And FD_Time In (" + strTimes + ")";
}

// The per-cell queries of the sum, as the command makes them.
std::vector<CString> CellQueries(const CSheet& sheet)
{
    std::vector<CString> queries;
    CString strSelection = SelectionSql();
    for (INT_PTR i = 0; i < sheet.m_cells.GetSize(); ++i)
    {
        CString strSql;
        strSql.Format("%s And FD_RowItemCode=%s And FD_ColItemCode=%s", (LPCSTR)strSelection,
                      (LPCSTR)SqlQuote(sheet.m_cells[i].m_szRowItemCode),
                      (LPCSTR)SqlQuote(sheet.m_cells[i].m_szColItemCode));
        queries.push_back(strSql);
    }
    return queries;
}

// Sums once through the engine library; the milliseconds taken and the
// cells' values.
double TimeSum(CEngineLoader& loader, CKemDatabase* pDatabase, std::vector<CString>& values)
{
    CReportBenchDoc doc;
    doc.m_connection.m_pLoader = &loader;
    doc.m_connection.m_pDatabase = pDatabase;
    MakeTemplate(doc.m_sheet);
    CDataGatherChoice choice;
    choice.m_strSql = SelectionSql();
    double dStart = BenchNowMs();
    doc.SumDataFromDatabase(choice);
    double dMs = BenchNowMs() - dStart;
    values.clear();
    for (INT_PTR i = 0; i < doc.m_sheet.m_cells.GetSize(); ++i)
        values.push_back(doc.m_sheet.m_cells[i].m_strValue);
    return dMs;
}

typedef std::function<double(const std::vector<CString>&, std::vector<CString>&)> CDirectSums;

// "program" or "yardstick": the side a profiling run times alone, once.
const char* g_pszOnly = "";

// Times one side alone, once, and prints its time; false when it fails.
bool RunOneSide(const char* lpszName, CEngineLoader& loader, CKemDatabase* pDatabase, const CDirectSums& direct,
                const std::vector<CString>& queries)
{
    std::vector<CString> values;
    bool bProgram = strcmp(g_pszOnly, "program") == 0;
    double dMs = bProgram ? TimeSum(loader, pDatabase, values) : direct(queries, values);
    if (dMs < 0 || values.empty())
        return false;
    printf("%s, %s alone: %.0f ms; first cell %s\n", lpszName, g_pszOnly, dMs, (LPCSTR)values[0]);
    return true;
}

// Times the program's sum and the C client's, ROUNDS times in turn, and
// prints both, their ratio and the spread; false when a run fails or the
// two sums of a cell differ.
bool CompareRounds(const char* lpszName, const char* lpszClient, CEngineLoader& loader, CKemDatabase* pDatabase,
                   const CDirectSums& direct, CBenchLoad& load)
{
    CSheet sheet;
    MakeTemplate(sheet);
    std::vector<CString> queries = CellQueries(sheet);
    if (g_pszOnly[0] != '\0')
        return RunOneSide(lpszName, loader, pDatabase, direct, queries);
    // An untimed pass first, so neither side pays for a cold page cache.
    std::vector<CString> warm;
    if (direct(queries, warm) < 0)
        return false;
    std::vector<double> program, client;
    for (int r = 0; r < ROUNDS; ++r)
    {
        std::vector<CString> values, sums;
        double dProgram = TimeSum(loader, pDatabase, values);
        double dClient = direct(queries, sums);
        if (dClient < 0)
            return false;
        if (values != sums)
        {
            size_t i = 0;
            while (i < values.size() && i < sums.size() && values[i] == sums[i])
                ++i;
            fprintf(stderr, "%s: cell %d sums to %s, %s gives %s\n", lpszName, (int)i,
                    i < values.size() ? (LPCSTR)values[i] : "-", lpszClient, i < sums.size() ? (LPCSTR)sums[i] : "-");
            return false;
        }
        printf("%s round %d: program %.0f ms, %s %.0f ms, ratio %.2f; first cell %s\n", lpszName, r + 1, dProgram,
               lpszClient, dClient, dProgram / dClient, (LPCSTR)values[0]);
        program.push_back(dProgram);
        client.push_back(dClient);
    }
    double dProgram = *std::min_element(program.begin(), program.end());
    double dClient = *std::min_element(client.begin(), client.end());
    double dRatio = dProgram / dClient;
    load.End(lpszName);
    printf("%s: %d cells over %d rows, best of %d: program %.0f ms (up to %.0f), %s %.0f ms (up to %.0f),"
           " ratio %.2f (goal %.1f) %s\n",
           lpszName, CELLS, ORGANIZATIONS * MONTHS * CELLS, ROUNDS, dProgram,
           *std::max_element(program.begin(), program.end()), lpszClient, dClient,
           *std::max_element(client.begin(), client.end()), dRatio, RATIO_GOAL, load.Verdict(dRatio <= RATIO_GOAL));
    return true;
}

// bKeep: the filled file stays for the next run, which then reuses it.
bool RunSqlite(bool bKeep, CBenchLoad& load)
{
    char szTemp[MAX_PATH];
    GetTempPathA(MAX_PATH, szTemp);
    CString strPath = CString(szTemp) + "report_sum_bench.db";
    std::string strUnix = (LPCSTR)DaoUnixPath(strPath);
    if (strUnix.empty())
        return false;
    if (!PrepareReportBenchFile(strUnix.c_str()))
        return false;
    CEngineLoader loader(BenchProgramFolder());
    CKemDatabase* pDatabase = loader.GetDatabase(1);
    if (pDatabase == NULL)
        return false;
    pDatabase->m_strDatabase = strPath;
    pDatabase->Reopen(TRUE);
    bool bOk = pDatabase->IsOpen() &&
               CompareRounds("sqlite (DAO engine)", "SQLite C API", loader, pDatabase,
                             [&](const std::vector<CString>& queries, std::vector<CString>& sums) {
                                 return SqliteDirectSums(strUnix.c_str(), queries, sums);
                             },
                             load);
    pDatabase->Close();
    loader.ReleaseDatabase(pDatabase);
    if (!bKeep)
        remove(strUnix.c_str());
    return bOk;
}

bool RunPostgres(CBenchLoad& load)
{
    CString strDsn = BenchEnvironmentValue("KEM_TEST_PG_DSN");
    CString strUser = BenchEnvironmentValue("KEM_TEST_PG_USER");
    CString strPassword = BenchEnvironmentValue("KEM_TEST_PG_PASSWORD");
    CDatabase direct;
    try
    {
        direct.OpenEx("DSN=" + strDsn + ";UID=" + OdbcConnectValue(strUser) + ";PWD=" + OdbcConnectValue(strPassword));
        double dStart = BenchNowMs();
        direct.ExecuteSQL("DROP TABLE IF EXISTS ss_datalist");
        direct.ExecuteSQL("CREATE TABLE ss_datalist (FD_Time VARCHAR(13) NOT NULL, FD_OrgCode VARCHAR(8) NOT NULL,"
                          " FD_RowItemCode VARCHAR(8) NOT NULL, FD_ColItemCode VARCHAR(8) NOT NULL,"
                          " FD_Line INTEGER NOT NULL, FD_CurType SMALLINT NOT NULL, FD_Value VARCHAR(255))");
        // The month codes as the program writes them, by number 0..11.
        CString strMonths;
        for (int m = 0; m < MONTHS; ++m)
            strMonths += (m == 0 ? "'" : ",'") + BenchMonth(m) + "'";
        CString strInsert;
        strInsert.Format("INSERT INTO ss_datalist SELECT (ARRAY[%s])[m + 1], 'O' || lpad(o::text, 3, '0'),"
                         " 'R' || lpad((c / 10)::text, 3, '0'), 'C' || (c %% 10), 0, 0,"
                         " ((o * 31 + m * 7 + c) %% 1000) || '.' || lpad((c %% 100)::text, 2, '0')"
                         " FROM generate_series(0, %d) o, generate_series(0, %d) m, generate_series(0, %d) c",
                         (LPCSTR)strMonths, ORGANIZATIONS - 1, MONTHS - 1, CELLS - 1);
        direct.ExecuteSQL(strInsert);
        direct.ExecuteSQL("CREATE UNIQUE INDEX ix_datalist_key ON ss_datalist"
                          " (FD_OrgCode, FD_Time, FD_RowItemCode, FD_ColItemCode, FD_Line, FD_CurType)");
        direct.ExecuteSQL("CREATE INDEX ix_datalist_items ON ss_datalist"
                          " (FD_RowItemCode, FD_ColItemCode, FD_OrgCode, FD_Time, FD_Line, FD_CurType, FD_Value)");
        direct.ExecuteSQL("ANALYZE ss_datalist");
        printf("postgresql: filled ss_datalist with %d rows in %.1f s\n", ORGANIZATIONS * MONTHS * CELLS,
               (BenchNowMs() - dStart) / 1000.0);
    }
    catch (CDBException* e)
    {
        fprintf(stderr, "set-up failed: %s\n", (LPCSTR)e->m_strError);
        e->Delete();
        return false;
    }
    CEngineLoader loader(BenchProgramFolder());
    CKemDatabase* pDatabase = OpenBenchOdbcDatabase(loader, strDsn, strUser, strPassword, TRUE);
    if (pDatabase == NULL)
        return false;
    bool bOk = pDatabase->IsOpen() &&
               CompareRounds("postgresql (ODBC engine)", "libpq", loader, pDatabase, LibpqDirectSums, load);
    pDatabase->Close();
    loader.ReleaseDatabase(pDatabase);
    direct.ExecuteSQL("DROP TABLE ss_datalist");
    return bOk;
}

} // namespace

int main(int argc, char** argv)
{
    AfxSetMessageSink(BenchPrintMessage);
    CBenchLoad load;
    const char* pszWhich = argc > 1 ? argv[1] : "";
    g_pszOnly = argc > 2 ? argv[2] : "";
    if (g_pszOnly[0] != '\0' && strcmp(g_pszOnly, "program") != 0 && strcmp(g_pszOnly, "yardstick") != 0)
    {
        fprintf(stderr, "usage: report_sum_bench [sqlite|sqlite-keep|postgresql] [program|yardstick]\n");
        return 2;
    }
    bool bOk = true;
    if (pszWhich[0] == '\0' || strncmp(pszWhich, "sqlite", 6) == 0)
        bOk = RunSqlite(strcmp(pszWhich, "sqlite-keep") == 0, load) && bOk;
    if (strcmp(pszWhich, "postgresql") == 0 || (pszWhich[0] == '\0' && !BenchEnvironmentValue("KEM_TEST_PG_DSN").IsEmpty()))
        bOk = RunPostgres(load) && bOk;
    return bOk ? 0 : 1;
}
