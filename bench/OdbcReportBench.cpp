// Report data through the ODBC engine against PostgreSQL: a 5,000-cell
// report saved into an ss_datalist that already holds 1,000,000 rows, saved
// again unchanged, and loaded, the load round after round beside 5,000 bare
// libpq look-ups of the same rows (its yardstick).  Run by
// scripts/bench-odbc.sh, which starts the server and names it in
// KEM_TEST_PG_DSN, _USER and _PASSWORD and in the PG* variables.  With the
// argument "load" or "lookups" the report's rows are written by SQL and
// that side runs alone, once, for a profiler to count its work.  A goal is
// judged only when the machine's load average stays at or below 2.
#include <stdio.h>
#include <string.h>

#include <algorithm>
#include <string>
#include <vector>

#include "bench/BenchClock.h"
#include "bench/BenchLoad.h"
#include "bench/ReportLoadDirect.h"
#include "tests/support/EngineLibrary.h"
#include "framework/db/OdbcDatabase.h"

namespace
{

const int ROUNDS = 5;
const double LOAD_GOAL_S = 0.5;
// The load's time over the look-ups'.
const double RATIO_GOAL = 1.3;

const char* const kSchema[] = {
    "DROP TABLE IF EXISTS ss_datalist",
    "CREATE TABLE ss_datalist (FD_Time VARCHAR(13) NOT NULL, FD_OrgCode VARCHAR(8) NOT NULL,"
    " FD_RowItemCode VARCHAR(8) NOT NULL, FD_ColItemCode VARCHAR(8) NOT NULL, FD_Line INTEGER NOT NULL,"
    " FD_CurType SMALLINT NOT NULL, FD_Value VARCHAR(255))",
    // 1,000,000 rows of other organizations: 1,000 organizations x 1,000 cells.
    "INSERT INTO ss_datalist SELECT '2005030000000', 'O' || (n / 1000), 'R' || (n % 1000 / 10),"
    " 'C' || (n % 10), 0, 0, (n % 977)::text FROM generate_series(0, 999999) AS n",
    "CREATE UNIQUE INDEX ix_datalist_key ON ss_datalist"
    " (FD_OrgCode, FD_Time, FD_RowItemCode, FD_ColItemCode, FD_Line, FD_CurType)",
    "DROP TABLE IF EXISTS ss_Organ",
    "CREATE TABLE ss_Organ (FD_Code VARCHAR(8) PRIMARY KEY, FD_Name VARCHAR(50))",
    "ANALYZE ss_datalist",
};

// The rows the report's save writes, for a profiling run that skips it.
const char kReportRows[] =
    "INSERT INTO ss_datalist SELECT '2005030000000', 'BENCH', 'R' || lpad(r::text, 3, '0'),"
    " 'C' || lpad(c::text, 2, '0'), 0, 0, (r * 50 + c) || '.5'"
    " FROM generate_series(0, 99) AS r, generate_series(0, 49) AS c";

// The report: 100 row items by 50 column items, cell i holding "i.5".
void MakeCells(CCellArray& cells)
{
    for (int row = 0; row < 100; ++row)
        for (int col = 0; col < 50; ++col)
        {
            char rowItem[9], colItem[9], value[16];
            snprintf(rowItem, sizeof(rowItem), "R%03d", row);
            snprintf(colItem, sizeof(colItem), "C%02d", col);
            snprintf(value, sizeof(value), "%d.5", row * 50 + col);
            CCell cell = ReportDataCell("BENCH", "2005030000000", rowItem, colItem, 0, 1, value);
            cells.Add(cell);
        }
}

// Every cell's value as the report holds it.
std::vector<CString> ValuesOf(const CCellArray& cells)
{
    std::vector<CString> values;
    for (INT_PTR i = 0; i < cells.GetSize(); ++i)
        values.push_back(cells[i].m_strValue);
    return values;
}

// Loads the report into emptied cells; the milliseconds taken, -1 when the
// load fails.
double TimeLoad(EngineLibrary& library, CKemDatabase* pDb, CCellArray& cells)
{
    for (INT_PTR i = 0; i < cells.GetSize(); ++i)
        cells.ElementAt(i).m_strValue.Empty();
    double dStart = BenchNowMs();
    int nLoaded = library.LoadKemReportData(&cells, pDb, "ss_datalist");
    double dMs = BenchNowMs() - dStart;
    return nLoaded == 1 ? dMs : -1;
}

// Times the load and the look-ups ROUNDS times in turn and prints both and
// their ratio; false when a side fails or gives other values than the report's.
bool CompareLoads(EngineLibrary& library, CKemDatabase* pDb, const CCellArray& report, CBenchLoad& load)
{
    std::vector<CString> expected = ValuesOf(report);
    CCellArray cells;
    cells.Copy(report);
    std::vector<double> loads, lookups;
    for (int r = 0; r < ROUNDS; ++r)
    {
        double dLoad = TimeLoad(library, pDb, cells);
        std::vector<CString> found;
        double dLookups = LibpqDirectLookups(report, found);
        if (dLoad < 0 || dLookups < 0 || ValuesOf(cells) != expected || found != expected)
        {
            fprintf(stderr, "round %d: the load or the look-ups failed or gave other values\n", r + 1);
            return false;
        }
        printf("load round %d: program %.0f ms, libpq look-ups %.0f ms, ratio %.2f\n", r + 1, dLoad, dLookups,
               dLoad / dLookups);
        loads.push_back(dLoad);
        lookups.push_back(dLookups);
    }
    double dLoad = *std::min_element(loads.begin(), loads.end());
    double dLookups = *std::min_element(lookups.begin(), lookups.end());
    double dRatio = dLoad / dLookups;
    load.End("load");
    printf("load (5,000 cells), best of %d: %.3f s (up to %.3f; goal < %.1f s) %s\n", ROUNDS, dLoad / 1000.0,
           *std::max_element(loads.begin(), loads.end()) / 1000.0, LOAD_GOAL_S,
           load.Verdict(dLoad < LOAD_GOAL_S * 1000.0));
    printf("5,000 libpq look-ups, best of %d: %.3f s (up to %.3f); load ratio %.2f (goal %.1f) %s\n", ROUNDS,
           dLookups / 1000.0, *std::max_element(lookups.begin(), lookups.end()) / 1000.0, dRatio, RATIO_GOAL,
           load.Verdict(dRatio <= RATIO_GOAL));
    return true;
}

// One side alone, once: "load" through the engine, "lookups" through libpq.
bool RunOneSide(const char* lpszSide, EngineLibrary& library, CKemDatabase* pDb, const CCellArray& report)
{
    CCellArray cells;
    cells.Copy(report);
    std::vector<CString> values;
    double dMs = -1;
    if (strcmp(lpszSide, "load") == 0)
    {
        dMs = TimeLoad(library, pDb, cells);
        values = ValuesOf(cells);
    }
    else
        dMs = LibpqDirectLookups(report, values);
    bool bOk = dMs >= 0 && values == ValuesOf(report);
    printf("%s alone: %.0f ms%s\n", lpszSide, dMs, bOk ? "" : " (values differ!)");
    return bOk;
}

} // namespace

int main(int argc, char** argv)
{
    CBenchLoad load;
    const char* pszSide = argc > 1 ? argv[1] : "";
    if (pszSide[0] != '\0' && strcmp(pszSide, "load") != 0 && strcmp(pszSide, "lookups") != 0)
    {
        fprintf(stderr, "usage: odbc_report_bench [load|lookups]\n");
        return 2;
    }
    CString dsn = EnvironmentValue("KEM_TEST_PG_DSN");
    if (dsn.IsEmpty())
    {
        fprintf(stderr, "KEM_TEST_PG_DSN is not set: run scripts/bench-odbc.sh\n");
        return 2;
    }
    CDatabase direct;
    try
    {
        direct.OpenEx("DSN=" + dsn + ";UID=" + OdbcConnectValue(EnvironmentValue("KEM_TEST_PG_USER")) +
                      ";PWD=" + OdbcConnectValue(EnvironmentValue("KEM_TEST_PG_PASSWORD")));
        double start = BenchNowMs() / 1000.0;
        for (const char* sql : kSchema)
            direct.ExecuteSQL(sql);
        if (pszSide[0] != '\0')
            direct.ExecuteSQL(kReportRows);
        printf("filled ss_datalist with 1,000,000 rows in %.1f s\n", BenchNowMs() / 1000.0 - start);
    }
    catch (CDBException* e)
    {
        fprintf(stderr, "set-up failed: %s\n", (LPCSTR)e->m_strError);
        e->Delete();
        return 1;
    }

    EngineLibrary library("ODBC.dll");
    if (!library.IsLoaded())
    {
        fprintf(stderr, "ODBC.dll not found beside the program\n");
        return 1;
    }
    CKemDatabase* pDb = library.GetDatabase(25);
    pDb->m_strDatabase = dsn;
    pDb->m_strUser = EnvironmentValue("KEM_TEST_PG_USER");
    pDb->m_strPassword = EnvironmentValue("KEM_TEST_PG_PASSWORD");
    try
    {
        pDb->Reopen(FALSE);
    }
    catch (CDBException* e)
    {
        fprintf(stderr, "engine open failed: %s\n", (LPCSTR)e->m_strError);
        e->Delete();
        return 1;
    }

    CCellArray cells;
    MakeCells(cells);
    bool bOk = false;
    if (pszSide[0] != '\0')
        bOk = RunOneSide(pszSide, library, pDb, cells);
    else
    {
        double start = BenchNowMs() / 1000.0;
        int saved = library.SaveKemReportData(&cells, pDb, "ss_datalist");
        double save = BenchNowMs() / 1000.0 - start;
        start = BenchNowMs() / 1000.0;
        int resaved = library.SaveKemReportData(&cells, pDb, "ss_datalist");
        double resave = BenchNowMs() / 1000.0 - start;
        printf("cells: %d, rows in table before: 1,000,000\n", (int)cells.GetSize());
        printf("save (5,000 new rows):  %.3f s (goal < 3 s)   result %d\n", save, saved);
        printf("resave unchanged:       %.3f s (goal < 1 s)   result %d\n", resave, resaved);
        bOk = saved == 1 && resaved == 1 && CompareLoads(library, pDb, cells, load);
    }
    pDb->Close();
    library.ReleaseDatabase(pDb);
    return bOk ? 0 : 1;
}
