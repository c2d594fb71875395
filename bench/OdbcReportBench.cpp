// Report data through the ODBC engine against PostgreSQL: a 5,000-cell
// report saved into an ss_datalist that already holds 1,000,000 rows, saved
// again unchanged, and loaded.  Run by scripts/bench-odbc.sh, which starts
// the server and names it in KEM_TEST_PG_DSN, _USER and _PASSWORD.
#include <stdio.h>

#include "bench/BenchClock.h"
#include "tests/support/EngineLibrary.h"
#include "framework/db/OdbcDatabase.h"

namespace
{

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

} // namespace

int main()
{
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

    double start = BenchNowMs() / 1000.0;
    int saved = library.SaveKemReportData(&cells, pDb, "ss_datalist");
    double save = BenchNowMs() / 1000.0 - start;
    start = BenchNowMs() / 1000.0;
    int resaved = library.SaveKemReportData(&cells, pDb, "ss_datalist");
    double resave = BenchNowMs() / 1000.0 - start;
    for (INT_PTR i = 0; i < cells.GetSize(); ++i)
        cells.ElementAt(i).m_strValue.Empty();
    start = BenchNowMs() / 1000.0;
    int loaded = library.LoadKemReportData(&cells, pDb, "ss_datalist");
    double load = BenchNowMs() / 1000.0 - start;
    BOOL bSame = cells.ElementAt(4999).m_strValue == "4999.5";

    printf("cells: %d, rows in table before: 1,000,000\n", (int)cells.GetSize());
    printf("save (5,000 new rows):  %.3f s (goal < 3 s)   result %d\n", save, saved);
    printf("resave unchanged:       %.3f s (goal < 1 s)   result %d\n", resave, resaved);
    printf("load:                   %.3f s (goal < 0.5 s) result %d%s\n", load, loaded,
           bSame ? "" : " (values differ!)");
    pDb->Close();
    library.ReleaseDatabase(pDb);
    return saved == 1 && resaved == 1 && loaded == 1 && bSame ? 0 : 1;
}
