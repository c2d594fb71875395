// Times the reference-data dialogs over a large reporting database: 10,000
// organizations (each holding one value of each of 20 property types),
// 20 property types of 5 values and 10,000 row items.  Measured: opening
// the Set Organization dialog, one Find Item search per typed character
// of a row-item code, and opening the Select Report Type tree with its
// statement run.  "sqlite" runs on an SQLite file through the DAO library,
// "postgresql" on the server that scripts/bench-reference-data.sh starts,
// through the ODBC library; without an argument both run (PostgreSQL when
// KEM_TEST_PG_DSN is set).
#include <stdio.h>
#include <string.h>

#include <fstream>
#include <string>

#include <sqlite3.h>

#include <windows.h>

#include <commctrl.h>

#include "bench/BenchClock.h"
#include "bench/BenchProgram.h"
#include "bench/BenchSqlite.h"
#include "tests/engines/dao/ReportSchema.h"

#include "engines/common/KemDatabase.h"
#include "engines/common/KemRecordset.h"
#include "framework/core/MessageSink.h"
#include "framework/db/DaoDatabase.h"
#include "framework/db/OdbcDatabase.h"
#include "reporting/EngineLoader.h"
#include "reporting/FindItemDlg.h"
#include "reporting/OrganDlg.h"
#include "reporting/OrganPropTreeDlg.h"
#include "reporting/ReportConnection.h"
#include "reporting/ScopedRecordset.h"
#include "ReferenceDataIds.h"

namespace
{
const int ORGANIZATIONS = 10000;
const int TYPES = 20;
const int VALUES = 5;
const int ITEMS = 10000;
const UINT_PTR kSearchTimer = 1;

void Report(const char* lpszBackend, const char* lpszWhat, double dMs, double dGoalMs)
{
    printf("%s: %-44s %7.1f ms (goal %.0f ms) %s\n", lpszBackend, lpszWhat, dMs, dGoalMs,
           dMs <= dGoalMs ? "met" : "MISSED");
}

// Runs the three measurements on an open database.
bool TimeDialogs(const char* lpszBackend, CEngineLoader& loader, CKemDatabase* pDatabase, double dGoalMs)
{
    CReportConnection& connection = GetReportConnection();
    connection.m_pLoader = &loader;
    connection.m_pDatabase = pDatabase;
    CKemRecordset* pOrgans = loader.GetRecordset(pDatabase);
    CKemRecordset* pItems = loader.GetRecordset(pDatabase);
    if (pOrgans == NULL || pItems == NULL)
        return false;
    pOrgans->Open("select * from ss_Organ", FALSE);
    pItems->Open("select * from ss_item", FALSE);
    connection.m_pOrganRecordset = pOrgans;
    connection.m_pItemRecordset = pItems;

    double dOpen = BenchBestOf(3, [] {
        COrganDlg dlg;
        dlg.Create(IDD_ORGANIZATION, NULL);
        dlg.DestroyWindow();
    });
    Report(lpszBackend, "Set Organization opened", dOpen, dGoalMs);

    {
        CFindItemDlg find(1, 1, "%", NULL);
        find.Create(IDD_FIND_ITEM, NULL);
        const char* const typed[] = { "R", "R0", "R00", "R001", "R0012", "R00123" };
        for (const char* pszText : typed)
        {
            find.SetDlgItemText(IDC_FIND_TEXT, pszText);
            double dStart = BenchNowMs();
            // What the search timer does when it fires.
            find.SendMessage(WM_TIMER, kSearchTimer);
            double dMs = BenchNowMs() - dStart;
            CString strWhat;
            strWhat.Format("Find Item search \"%s\" (%d entries)", pszText,
                           (int)find.SendDlgItemMessage(IDC_FIND_LIST, LB_GETCOUNT));
            Report(lpszBackend, strWhat, dMs, dGoalMs);
        }
        find.DestroyWindow();
    }

    CString strSql;
    double dTree = BenchBestOf(3, [&strSql] {
        COrganPropTreeDlg dlg;
        dlg.Create(IDD_ORGAN_PROPERTY_TREE, NULL);
        dlg.DestroyWindow();
    });
    Report(lpszBackend, "Select Report Type tree opened", dTree, dGoalMs);

    // Two values of one type and one whole type checked, as a user picks.
    int nRows = 0;
    double dQuery = BenchBestOf(3, [&] {
        CScopedRecordset rs(connection);
        rs->Open("Select FD_Code,FD_Name From ss_Organ Where FD_Code In (Select ss_OrgAttr.FD_OrgCode From "
                 "ss_OrgAttr Where ss_OrgAttr.FD_AttrTypeCode=3 And ss_OrgAttr.FD_ValCode In (1,2) Or "
                 "ss_OrgAttr.FD_AttrTypeCode=7 And ss_OrgAttr.FD_ValCode In (4))", TRUE);
        nRows = 0;
        for (; !rs->IsEOF(); rs->MoveNext())
            ++nRows;
    });
    CString strWhat;
    strWhat.Format("organizations by properties (%d rows)", nRows);
    Report(lpszBackend, strWhat, dQuery, dGoalMs);

    connection.m_pOrganRecordset = NULL;
    connection.m_pItemRecordset = NULL;
    pOrgans->Close();
    pItems->Close();
    loader.ReleaseRecordset(pOrgans);
    loader.ReleaseRecordset(pItems);
    connection.m_pLoader = NULL;
    connection.m_pDatabase = NULL;
    return true;
}

// The PostgreSQL schema script without its comment lines, as one batch.
std::string PostgresSchemaSql()
{
    std::ifstream script(REPORT_PG_SCHEMA_SCRIPT);
    std::string strLine, strSql;
    while (std::getline(script, strLine))
        if (strLine.compare(0, 2, "--") != 0)
            strSql += strLine + "\n";
    return strSql;
}

bool FillSqlite(const char* lpszUnixPath)
{
    sqlite3* pDb = NULL;
    remove(lpszUnixPath);
    if (sqlite3_open(lpszUnixPath, &pDb) != SQLITE_OK)
        return false;
    bool bOk = BenchSqliteExec(pDb, ReportSchemaSql().c_str()) && BenchSqliteExec(pDb, "BEGIN");
    char szSql[256];
    for (int t = 0; bOk && t < TYPES; ++t)
        for (int v = 0; bOk && v < VALUES; ++v)
        {
            snprintf(szSql, sizeof(szSql), "INSERT INTO ss_Attribute VALUES (%d, 'Type %02d', %d, 'Value %d')",
                     t, t, v, v);
            bOk = BenchSqliteExec(pDb, szSql);
        }
    for (int i = 0; bOk && i < ORGANIZATIONS; ++i)
    {
        snprintf(szSql, sizeof(szSql), "INSERT INTO ss_Organ VALUES ('O%05d', 'Organization %05d', 'S%04d')", i, i,
                 i % 1000);
        bOk = BenchSqliteExec(pDb, szSql);
        for (int t = 0; bOk && t < TYPES; ++t)
        {
            snprintf(szSql, sizeof(szSql), "INSERT INTO ss_OrgAttr VALUES ('O%05d', %d, %d)", i, t, (i + t) % VALUES);
            bOk = BenchSqliteExec(pDb, szSql);
        }
    }
    for (int i = 0; bOk && i < ITEMS; ++i)
    {
        snprintf(szSql, sizeof(szSql), "INSERT INTO ss_item VALUES ('R%05d', 'Item %05d', 'I%04d', 0)", i, i, i % 1000);
        bOk = BenchSqliteExec(pDb, szSql);
    }
    bOk = bOk && BenchSqliteExec(pDb, "COMMIT") && BenchSqliteExec(pDb, "ANALYZE");
    sqlite3_close(pDb);
    return bOk;
}

bool RunSqlite()
{
    char szTemp[MAX_PATH];
    GetTempPathA(MAX_PATH, szTemp);
    CString strPath = CString(szTemp) + "reference_data_bench.db";
    std::string strUnix = (LPCSTR)DaoUnixPath(strPath);
    if (strUnix.empty() || !FillSqlite(strUnix.c_str()))
        return false;
    CEngineLoader loader(BenchProgramFolder());
    CKemDatabase* pDatabase = loader.GetDatabase(1);
    if (pDatabase == NULL)
        return false;
    pDatabase->m_strDatabase = strPath;
    pDatabase->Reopen(FALSE);
    bool bOk = pDatabase->IsOpen() && TimeDialogs("sqlite", loader, pDatabase, 200.0);
    pDatabase->Close();
    loader.ReleaseDatabase(pDatabase);
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
        for (const char* pszTable : { "ss_datalist", "ss_Organ", "ss_Attribute", "ss_OrgAttr", "ss_item",
                                      "ss_colitem", "ss_reportlog" })
            direct.ExecuteSQL(CString("DROP TABLE IF EXISTS ") + pszTable + " CASCADE");
        direct.ExecuteSQL(PostgresSchemaSql().c_str());
        CString strSql;
        strSql.Format("INSERT INTO ss_Attribute SELECT t, 'Type ' || lpad(t::text, 2, '0'), v, 'Value ' || v"
                      " FROM generate_series(0, %d) t, generate_series(0, %d) v", TYPES - 1, VALUES - 1);
        direct.ExecuteSQL(strSql);
        strSql.Format("INSERT INTO ss_Organ SELECT 'O' || lpad(i::text, 5, '0'), 'Organization ' || lpad(i::text, 5, '0'),"
                      " 'S' || lpad((i %% 1000)::text, 4, '0') FROM generate_series(0, %d) i", ORGANIZATIONS - 1);
        direct.ExecuteSQL(strSql);
        strSql.Format("INSERT INTO ss_OrgAttr SELECT 'O' || lpad(i::text, 5, '0'), t, (i + t) %% %d"
                      " FROM generate_series(0, %d) i, generate_series(0, %d) t", VALUES, ORGANIZATIONS - 1, TYPES - 1);
        direct.ExecuteSQL(strSql);
        strSql.Format("INSERT INTO ss_item SELECT 'R' || lpad(i::text, 5, '0'), 'Item ' || lpad(i::text, 5, '0'),"
                      " 'I' || lpad((i %% 1000)::text, 4, '0'), 0 FROM generate_series(0, %d) i", ITEMS - 1);
        direct.ExecuteSQL(strSql);
        direct.ExecuteSQL("ANALYZE");
    }
    catch (CDBException* e)
    {
        fprintf(stderr, "set-up failed: %s\n", (LPCSTR)e->m_strError);
        e->Delete();
        return false;
    }
    CEngineLoader loader(BenchProgramFolder());
    CKemDatabase* pDatabase = OpenBenchOdbcDatabase(loader, strDsn, strUser, strPassword, FALSE);
    if (pDatabase == NULL)
        return false;
    bool bOk = pDatabase->IsOpen() && TimeDialogs("postgresql", loader, pDatabase, 500.0);
    pDatabase->Close();
    loader.ReleaseDatabase(pDatabase);
    return bOk;
}

} // namespace

int main(int argc, char** argv)
{
    AfxSetMessageSink(BenchPrintMessage);
    InitCommonControls();
    const char* pszWhich = argc > 1 ? argv[1] : "";
    bool bOk = true;
    if (pszWhich[0] == '\0' || strcmp(pszWhich, "sqlite") == 0)
        bOk = RunSqlite() && bOk;
    if (strcmp(pszWhich, "postgresql") == 0 || (pszWhich[0] == '\0' && !BenchEnvironmentValue("KEM_TEST_PG_DSN").IsEmpty()))
        bOk = RunPostgres() && bOk;
    return bOk ? 0 : 1;
}
