#include "tests/engines/dao/BrasslockLibrary.h"

#include <string.h>

const char kReportSchema[] =
    "CREATE TABLE ss_datalist (FD_Time VARCHAR(13) NOT NULL, FD_OrgCode VARCHAR(8) NOT NULL,"
    " FD_RowItemCode VARCHAR(8) NOT NULL, FD_ColItemCode VARCHAR(8) NOT NULL, FD_Line INTEGER NOT NULL,"
    " FD_CurType TINYINT NOT NULL, FD_Value VARCHAR(255));"
    "CREATE UNIQUE INDEX ix_datalist_key ON ss_datalist"
    " (FD_OrgCode, FD_Time, FD_RowItemCode, FD_ColItemCode, FD_Line, FD_CurType);"
    "CREATE TABLE ss_Organ (FD_Code VARCHAR(8) PRIMARY KEY, FD_Name VARCHAR(50) NOT NULL UNIQUE,"
    " FD_SearchCode VARCHAR(8));"
    "CREATE TABLE ss_item (FD_Code VARCHAR(8) PRIMARY KEY, FD_Name VARCHAR(50) NOT NULL UNIQUE,"
    " FD_SearchCode VARCHAR(8), FD_Type TINYINT NOT NULL DEFAULT 0);"
    "CREATE TABLE ss_colitem (FD_Code VARCHAR(8) PRIMARY KEY, FD_Name VARCHAR(50) NOT NULL UNIQUE,"
    " FD_SearchCode VARCHAR(8));";

namespace
{

const char kWriteLog[] =
    "CREATE TABLE test_writes (n INTEGER);"
    "CREATE TRIGGER test_ins AFTER INSERT ON ss_datalist BEGIN INSERT INTO test_writes VALUES (1); END;"
    "CREATE TRIGGER test_upd AFTER UPDATE ON ss_datalist BEGIN INSERT INTO test_writes VALUES (2); END;"
    "CREATE TRIGGER test_del AFTER DELETE ON ss_datalist BEGIN INSERT INTO test_writes VALUES (3); END;";

std::string UnixPath(const CString& strWindows)
{
    WCHAR wide[MAX_PATH];
    MultiByteToWideChar(CP_ACP, 0, strWindows, -1, wide, MAX_PATH);
    char* pUnix = wine_get_unix_file_name(wide);
    std::string result(pUnix != NULL ? pUnix : "");
    HeapFree(GetProcessHeap(), 0, pUnix);
    return result;
}

} // namespace

ReportDatabaseFile::ReportDatabaseFile() : m_pDb(NULL)
{
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    for (int n = 0;; ++n)
    {
        m_strFolder.Format("%sbrasslock_test_%lu_%d", temp, (unsigned long)GetCurrentProcessId(), n);
        if (CreateDirectoryA(m_strFolder, NULL))
            break;
    }
    m_strPath = m_strFolder + "\\kem.mdb";
    EXPECT_EQ(SQLITE_OK, sqlite3_open(UnixPath(m_strPath).c_str(), &m_pDb));
    Exec(kReportSchema);
    Exec(kWriteLog);
}

ReportDatabaseFile::~ReportDatabaseFile()
{
    sqlite3_close(m_pDb);
    DeleteFileA(m_strPath);
    RemoveDirectoryA(m_strFolder);
}

void ReportDatabaseFile::Exec(const char* lpszSql)
{
    char* pError = NULL;
    int rc = sqlite3_exec(m_pDb, lpszSql, NULL, NULL, &pError);
    EXPECT_EQ(SQLITE_OK, rc) << (pError != NULL ? pError : "") << "\n" << lpszSql;
    sqlite3_free(pError);
}

std::vector<std::string> ReportDatabaseFile::Rows(const char* lpszSql)
{
    std::vector<std::string> rows;
    sqlite3_stmt* pStmt = NULL;
    EXPECT_EQ(SQLITE_OK, sqlite3_prepare_v2(m_pDb, lpszSql, -1, &pStmt, NULL)) << sqlite3_errmsg(m_pDb);
    while (pStmt != NULL && sqlite3_step(pStmt) == SQLITE_ROW)
    {
        std::string row;
        for (int i = 0; i < sqlite3_column_count(pStmt); ++i)
        {
            if (i > 0)
                row += "|";
            const unsigned char* p = sqlite3_column_text(pStmt, i);
            row += p != NULL ? std::string((const char*)p) : std::string("<null>");
        }
        rows.push_back(row);
    }
    sqlite3_finalize(pStmt);
    return rows;
}

int ReportDatabaseFile::WriteCount()
{
    std::vector<std::string> rows = Rows("SELECT count(*) FROM test_writes");
    return rows.empty() ? -1 : atoi(rows[0].c_str());
}
