// Times the DAO engine's report data functions on a report database whose
// ss_datalist already holds 1,000,000 rows: saving a 5,000-cell report,
// saving it again unchanged, and loading it.  The machine's raw SQLite
// insert rate into the same table is measured first as the base.
#include <stdio.h>

#include <string>

#include <sqlite3.h>

#include "bench/BenchClock.h"
#include "bench/BenchSqlite.h"
#include "tests/engines/dao/ReportSchema.h"
#include "tests/engines/dao/BrasslockLibrary.h"
#include "framework/db/DaoDatabase.h"

namespace
{

const int EXISTING_ROWS = 1000000;
const int REPORT_CELLS = 5000;
const double SAVE_GOAL_MS = 1000.0;
const double RESAVE_GOAL_MS = 500.0;
const double LOAD_GOAL_MS = 300.0;

// Inserts nCount rows of organization code prefix lpszOrg in one
// transaction; returns the milliseconds taken, or -1.
double InsertRows(sqlite3* pDb, const char* lpszOrg, int nCount)
{
    sqlite3_stmt* pStmt = NULL;
    if (sqlite3_prepare_v2(pDb, "INSERT INTO ss_datalist VALUES (?,?,?,?,?,0,?)", -1, &pStmt, NULL) != SQLITE_OK)
        return -1;
    double dStart = BenchNowMs();
    BenchSqliteExec(pDb, "BEGIN");
    char szOrg[16], szPeriod[16], szRow[16], szValue[32];
    for (int i = 0; i < nCount; ++i)
    {
        snprintf(szOrg, sizeof(szOrg), "%s%03d", lpszOrg, i / 1000 % 1000);
        snprintf(szPeriod, sizeof(szPeriod), "%04d000000000", 1900 + i / 1000000);
        snprintf(szRow, sizeof(szRow), "R%03d", i / 10 % 100);
        snprintf(szValue, sizeof(szValue), "%d.5", i);
        sqlite3_bind_text(pStmt, 1, szPeriod, -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(pStmt, 2, szOrg, -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(pStmt, 3, szRow, -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(pStmt, 4, "========", -1, SQLITE_STATIC);
        sqlite3_bind_int(pStmt, 5, i % 10);
        sqlite3_bind_text(pStmt, 6, szValue, -1, SQLITE_TRANSIENT);
        if (sqlite3_step(pStmt) != SQLITE_DONE)
        {
            fprintf(stderr, "insert: %s\n", sqlite3_errmsg(pDb));
            break;
        }
        sqlite3_reset(pStmt);
    }
    BenchSqliteExec(pDb, "COMMIT");
    sqlite3_finalize(pStmt);
    return BenchNowMs() - dStart;
}

void Report(const char* lpszWhat, double dMs, double dGoalMs)
{
    printf("%-34s %9.1f ms  (goal < %.0f ms) %s\n", lpszWhat, dMs, dGoalMs, dMs < dGoalMs ? "ok" : "SLOW");
}

} // namespace

int main()
{
    char szTemp[MAX_PATH];
    GetTempPathA(MAX_PATH, szTemp);
    CString strPath;
    strPath.Format("%sengine_dao_bench_%lu.mdb", szTemp, (unsigned long)GetCurrentProcessId());
    DeleteFileA(strPath);

    sqlite3* pDb = NULL;
    if (sqlite3_open(DaoUnixPath(strPath), &pDb) != SQLITE_OK || !BenchSqliteExec(pDb, ReportSchemaSql().c_str()))
        return 1;
    double dFill = InsertRows(pDb, "H", EXISTING_ROWS);
    printf("raw SQLite: %d rows into the indexed table in %.0f ms (%.0f rows/s)\n", EXISTING_ROWS, dFill,
           EXISTING_ROWS * 1000.0 / dFill);
    double dRaw = InsertRows(pDb, "Z", REPORT_CELLS);
    printf("raw SQLite: %d more rows in %.1f ms (%.0f rows/s)\n", REPORT_CELLS, dRaw, REPORT_CELLS * 1000.0 / dRaw);
    BenchSqliteExec(pDb, "DELETE FROM ss_datalist WHERE FD_OrgCode LIKE 'Z%'");
    sqlite3_close(pDb);

    BrasslockLibrary library;
    if (!library.IsLoaded() || library.GetDatabase == NULL)
    {
        fprintf(stderr, "Brasslock.dll not found beside the program\n");
        return 1;
    }
    CKemDatabase* pKemDb = library.GetDatabase(1);
    pKemDb->m_strDatabase = strPath;
    pKemDb->Reopen(FALSE);
    if (!pKemDb->IsOpen())
        return 1;

    // One organization's month: 50 row items x 100 lines, of which a fifth
    // also exist under the same organization for another period.
    CCellArray cells;
    for (int i = 0; i < REPORT_CELLS; ++i)
    {
        char szRow[16], szValue[32];
        snprintf(szRow, sizeof(szRow), "R%03d", i / 100);
        snprintf(szValue, sizeof(szValue), "%d.25", i);
        CCell cell = DataCell("H007", "2005030000000", szRow, "", i % 100, 1, szValue);
        cells.Add(cell);
    }

    double dStart = BenchNowMs();
    int nSaved = library.SaveKemReportData(&cells, pKemDb, "ss_datalist");
    double dSave = BenchNowMs() - dStart;
    dStart = BenchNowMs();
    int nResaved = library.SaveKemReportData(&cells, pKemDb, "ss_datalist");
    double dResave = BenchNowMs() - dStart;
    for (int i = 0; i < REPORT_CELLS; ++i)
        cells.ElementAt(i).m_strValue.Empty();
    dStart = BenchNowMs();
    int nLoaded = library.LoadKemReportData(&cells, pKemDb, "ss_datalist");
    double dLoad = BenchNowMs() - dStart;
    BOOL bSame = TRUE;
    for (int i = 0; i < REPORT_CELLS && bSame; ++i)
    {
        char szValue[32];
        snprintf(szValue, sizeof(szValue), "%d.25", i);
        bSame = cells[i].m_strValue == szValue;
    }
    pKemDb->Close();
    library.ReleaseDatabase(pKemDb);
    DeleteFileA(strPath);

    printf("DAO engine, %d cells, %d rows stored:\n", REPORT_CELLS, EXISTING_ROWS);
    Report("save (all new)", dSave, SAVE_GOAL_MS);
    Report("resave unchanged", dResave, RESAVE_GOAL_MS);
    Report("load", dLoad, LOAD_GOAL_MS);
    printf("save / raw insert of the same rows: %.1fx\n", dSave / dRaw);
    if (nSaved != 1 || nResaved != 1 || nLoaded != 1 || !bSame)
    {
        fprintf(stderr, "a report function failed (%d %d %d, values %s)\n", nSaved, nResaved, nLoaded,
                bSame ? "same" : "differ");
        return 1;
    }
    return 0;
}
