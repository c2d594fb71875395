#include "bench/ReportBenchData.h"

#include <stdio.h>

#include <sqlite3.h>

#include "bench/BenchClock.h"
#include "bench/BenchSqlite.h"
#include "sheet/PeriodCode.h"
#include "sheet/ReportPeriod.h"
#include "tests/engines/dao/ReportSchema.h"

namespace
{
bool FillSqlite(const char* lpszUnixPath)
{
    sqlite3* pDb = NULL;
    remove(lpszUnixPath);
    if (sqlite3_open(lpszUnixPath, &pDb) != SQLITE_OK)
        return false;
    bool bOk = BenchSqliteExec(pDb, ReportSchemaSql().c_str()) && BenchSqliteExec(pDb, "PRAGMA journal_mode=OFF") &&
               BenchSqliteExec(pDb, "BEGIN");
    sqlite3_stmt* pStmt = NULL;
    bOk = bOk && sqlite3_prepare_v2(pDb, "INSERT INTO ss_datalist VALUES (?,?,?,?,0,0,?)", -1, &pStmt, NULL) ==
                     SQLITE_OK;
    char szRow[16], szCol[16];
    for (int o = 0; bOk && o < BENCH_ORGANIZATIONS; ++o)
    {
        CString strOrg = BenchOrgan(o);
        for (int m = 0; bOk && m < BENCH_MONTHS; ++m)
        {
            CString strTime = BenchMonth(m);
            for (int c = 0; bOk && c < BENCH_CELLS; ++c)
            {
                snprintf(szRow, sizeof(szRow), "R%03d", c / 10);
                snprintf(szCol, sizeof(szCol), "C%d", c % 10);
                CString strValue = BenchValue(o, m, c);
                sqlite3_bind_text(pStmt, 1, strTime, -1, SQLITE_TRANSIENT);
                sqlite3_bind_text(pStmt, 2, strOrg, -1, SQLITE_TRANSIENT);
                sqlite3_bind_text(pStmt, 3, szRow, -1, SQLITE_TRANSIENT);
                sqlite3_bind_text(pStmt, 4, szCol, -1, SQLITE_TRANSIENT);
                sqlite3_bind_text(pStmt, 5, strValue, -1, SQLITE_TRANSIENT);
                bOk = sqlite3_step(pStmt) == SQLITE_DONE;
                sqlite3_reset(pStmt);
            }
        }
    }
    sqlite3_finalize(pStmt);
    bOk = bOk && BenchSqliteExec(pDb, "COMMIT") && BenchSqliteExec(pDb, "ANALYZE");
    sqlite3_close(pDb);
    return bOk;
}

// The rows of ss_datalist of an existing file; -1 when there is none.
int ExistingRows(const char* lpszUnixPath)
{
    sqlite3* pDb = NULL;
    int nRows = -1;
    if (sqlite3_open_v2(lpszUnixPath, &pDb, SQLITE_OPEN_READONLY, NULL) == SQLITE_OK)
    {
        sqlite3_stmt* pStmt = NULL;
        if (sqlite3_prepare_v2(pDb, "SELECT count(*) FROM ss_datalist", -1, &pStmt, NULL) == SQLITE_OK &&
            sqlite3_step(pStmt) == SQLITE_ROW)
            nRows = sqlite3_column_int(pStmt, 0);
        sqlite3_finalize(pStmt);
    }
    sqlite3_close(pDb);
    return nRows;
}
} // namespace

CString BenchMonth(int m)
{
    return CReportPeriod::GetCodeForDate(PERIOD_MONTH, 2026, m + 1, 1);
}

CString BenchOrgan(int o)
{
    CString str;
    str.Format("O%03d", o);
    return str;
}

CString BenchValue(int o, int m, int c)
{
    CString str;
    str.Format("%d.%02d", (o * 31 + m * 7 + c) % 1000, c % 100);
    return str;
}

bool PrepareReportBenchFile(const char* lpszUnixPath)
{
    const int nRows = BENCH_ORGANIZATIONS * BENCH_MONTHS * BENCH_CELLS;
    double dStart = BenchNowMs();
    if (ExistingRows(lpszUnixPath) == nRows)
    {
        printf("sqlite: reusing the filled file\n");
        return true;
    }
    if (!FillSqlite(lpszUnixPath))
        return false;
    printf("sqlite: filled ss_datalist with %d rows in %.1f s\n", nRows, (BenchNowMs() - dStart) / 1000.0);
    return true;
}
