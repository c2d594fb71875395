// Times Data > Sum Data From Databases: a 1,000-cell template summed over
// 200 organizations x 12 monthly periods, 2,400,000 rows of ss_datalist,
// one query per cell as the command makes them.  "sqlite" runs it on an
// SQLite file through the DAO library, "postgresql" on the server that
// scripts/bench-report-sum.sh starts, through the ODBC library; without an
// argument both run (PostgreSQL when KEM_TEST_PG_DSN is set); "sqlite-keep"
// keeps the SQLite file for the next run.
#include <stdio.h>
#include <string.h>

#include <string>

#include <sqlite3.h>

#include "bench/BenchClock.h"
#include "bench/BenchProgram.h"
#include "bench/BenchSqlite.h"
#include "tests/engines/dao/ReportSchema.h"

#include "engines/common/KemDatabase.h"
#include "framework/core/MessageSink.h"
#include "framework/db/DaoDatabase.h"
#include "framework/db/OdbcDatabase.h"
#include "reporting/EngineLoader.h"
#include "reporting/ReportConnection.h"
#include "sheet/PeriodCode.h"
#include "sheet/ReportPeriod.h"
#include "sheet/document/TallyformDoc.h"

namespace
{

const int ORGANIZATIONS = 200;
const int MONTHS = 12;
const int CELLS = 1000;
const double SQLITE_GOAL_MS = 2000.0;
const double POSTGRES_GOAL_MS = 5000.0;

class CBenchDoc : public CTallyformDoc
{
public:
    CBenchDoc() { m_bAutoDelete = FALSE; }
    CReportConnection m_connection;

protected:
    CReportConnection& GetConnection() override { return m_connection; }
};

CString Month(int m)
{
    return CReportPeriod::GetCodeForDate(PERIOD_MONTH, 2026, m + 1, 1);
}

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
        strTimes += (m == 0 ? "'" : ",'") + Month(m) + "'";
    return "Select * From ss_datalist Where FD_OrgCode In (" + strOrgs + ") And FD_Time In (" + strTimes + ")";
}

// Sums once and reports; the first cell's sum is printed as a check.
bool TimeSum(const char* lpszName, CEngineLoader& loader, CKemDatabase* pDatabase, double dGoalMs)
{
    CBenchDoc doc;
    doc.m_connection.m_pLoader = &loader;
    doc.m_connection.m_pDatabase = pDatabase;
    MakeTemplate(doc.m_sheet);
    CDataGatherChoice choice;
    choice.m_strSql = SelectionSql();
    double dStart = BenchNowMs();
    doc.SumDataFromDatabase(choice);
    double dMs = BenchNowMs() - dStart;
    printf("%s: summed %d cells over %d rows in %.0f ms (goal %.0f ms) %s; first cell %s\n", lpszName, CELLS,
           ORGANIZATIONS * MONTHS * CELLS, dMs, dGoalMs, dMs <= dGoalMs ? "met" : "MISSED",
           (LPCSTR)doc.m_sheet.m_cells[0].m_strValue);
    return true;
}

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
    char szOrg[16], szRow[16], szCol[16], szValue[32];
    for (int o = 0; bOk && o < ORGANIZATIONS; ++o)
    {
        for (int m = 0; bOk && m < MONTHS; ++m)
        {
            CString strTime = Month(m);
            for (int c = 0; bOk && c < CELLS; ++c)
            {
                snprintf(szOrg, sizeof(szOrg), "O%03d", o);
                snprintf(szRow, sizeof(szRow), "R%03d", c / 10);
                snprintf(szCol, sizeof(szCol), "C%d", c % 10);
                snprintf(szValue, sizeof(szValue), "%d.%02d", (o * 31 + m * 7 + c) % 1000, c % 100);
                sqlite3_bind_text(pStmt, 1, strTime, -1, SQLITE_TRANSIENT);
                sqlite3_bind_text(pStmt, 2, szOrg, -1, SQLITE_TRANSIENT);
                sqlite3_bind_text(pStmt, 3, szRow, -1, SQLITE_TRANSIENT);
                sqlite3_bind_text(pStmt, 4, szCol, -1, SQLITE_TRANSIENT);
                sqlite3_bind_text(pStmt, 5, szValue, -1, SQLITE_TRANSIENT);
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

// bKeep: the filled file stays for the next run, which then reuses it.
bool RunSqlite(bool bKeep)
{
    char szTemp[MAX_PATH];
    GetTempPathA(MAX_PATH, szTemp);
    CString strPath = CString(szTemp) + "report_sum_bench.db";
    std::string strUnix = (LPCSTR)DaoUnixPath(strPath);
    if (strUnix.empty())
        return false;
    double dStart = BenchNowMs();
    if (ExistingRows(strUnix.c_str()) == ORGANIZATIONS * MONTHS * CELLS)
        printf("sqlite: reusing the filled file\n");
    else if (!FillSqlite(strUnix.c_str()))
        return false;
    else
        printf("sqlite: filled ss_datalist with %d rows in %.1f s\n", ORGANIZATIONS * MONTHS * CELLS,
           (BenchNowMs() - dStart) / 1000.0);
    CEngineLoader loader(BenchProgramFolder());
    CKemDatabase* pDatabase = loader.GetDatabase(1);
    if (pDatabase == NULL)
        return false;
    pDatabase->m_strDatabase = strPath;
    pDatabase->Reopen(TRUE);
    bool bOk = pDatabase->IsOpen() && TimeSum("sqlite (DAO engine)", loader, pDatabase, SQLITE_GOAL_MS);
    pDatabase->Close();
    loader.ReleaseDatabase(pDatabase);
    if (!bKeep)
        remove(strUnix.c_str());
    return bOk;
}

bool RunPostgres()
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
            strMonths += (m == 0 ? "'" : ",'") + Month(m) + "'";
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
    CKemDatabase* pDatabase = loader.GetDatabase(25);
    if (pDatabase == NULL)
        return false;
    pDatabase->m_strDatabase = strDsn;
    pDatabase->m_strUser = strUser;
    pDatabase->m_strPassword = strPassword;
    pDatabase->Reopen(TRUE);
    bool bOk = pDatabase->IsOpen() && TimeSum("postgresql (ODBC engine)", loader, pDatabase, POSTGRES_GOAL_MS);
    pDatabase->Close();
    loader.ReleaseDatabase(pDatabase);
    direct.ExecuteSQL("DROP TABLE ss_datalist");
    return bOk;
}

} // namespace

int main(int argc, char** argv)
{
    AfxSetMessageSink(BenchPrintMessage);
    const char* pszWhich = argc > 1 ? argv[1] : "";
    bool bOk = true;
    if (pszWhich[0] == '\0' || strncmp(pszWhich, "sqlite", 6) == 0)
        bOk = RunSqlite(strcmp(pszWhich, "sqlite-keep") == 0) && bOk;
    if (strcmp(pszWhich, "postgresql") == 0 || (pszWhich[0] == '\0' && !BenchEnvironmentValue("KEM_TEST_PG_DSN").IsEmpty()))
        bOk = RunPostgres() && bOk;
    return bOk ? 0 : 1;
}
