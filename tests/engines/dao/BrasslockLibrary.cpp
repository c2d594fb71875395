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

template <typename PFN>
PFN As(FARPROC pfn)
{
    return reinterpret_cast<PFN>(reinterpret_cast<void (*)(void)>(pfn));
}

} // namespace

BrasslockLibrary::BrasslockLibrary() : m_hModule(NULL)
{
    char szPath[MAX_PATH];
    DWORD n = GetModuleFileNameA(NULL, szPath, MAX_PATH);
    char* pSlash = n > 0 && n < MAX_PATH ? strrchr(szPath, '\\') : NULL;
    if (pSlash != NULL)
    {
        lstrcpynA(pSlash, "\\Brasslock.dll", (int)(szPath + MAX_PATH - pSlash));
        m_hModule = LoadLibraryA(szPath);
    }
    GetDatabase = As<PFN_GET_DATABASE>(Proc(ENGINE_EXPORT_GET_DATABASE));
    GetRecordset = As<PFN_GET_RECORDSET>(Proc(ENGINE_EXPORT_GET_RECORDSET));
    ReleaseDatabase = As<PFN_RELEASE_DATABASE>(Proc(ENGINE_EXPORT_RELEASE_DATABASE));
    ReleaseRecordset = As<PFN_RELEASE_RECORDSET>(Proc(ENGINE_EXPORT_RELEASE_RECORDSET));
    LoadKemReportData = As<PFN_REPORT_DATA>(Proc(ENGINE_EXPORT_LOAD_REPORT_DATA));
    SaveKemReportData = As<PFN_REPORT_DATA>(Proc(ENGINE_EXPORT_SAVE_REPORT_DATA));
}

BrasslockLibrary::~BrasslockLibrary()
{
    if (m_hModule != NULL)
        FreeLibrary(m_hModule);
}

FARPROC BrasslockLibrary::Proc(LPCSTR lpszName) const
{
    return m_hModule != NULL ? GetProcAddress(m_hModule, lpszName) : NULL;
}

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

CCell DataCell(LPCSTR lpszOrg, LPCSTR lpszPeriod, LPCSTR lpszRowItem, LPCSTR lpszColItem, LONG nLine, int nMode,
               LPCSTR lpszValue, int nCurType)
{
    CCell cell;
    cell.SetType(CELL_NUMERIC);
    CopyCode(cell.m_szOrgCode, sizeof(cell.m_szOrgCode), lpszOrg);
    CopyCode(cell.m_szPeriodCode, sizeof(cell.m_szPeriodCode), lpszPeriod);
    CopyCode(cell.m_szRowItemCode, sizeof(cell.m_szRowItemCode), lpszRowItem);
    CopyCode(cell.m_szColItemCode, sizeof(cell.m_szColItemCode), lpszColItem);
    cell.m_nLine = nLine;
    cell.m_nValueType = nMode;
    cell.m_nCurType = nCurType;
    cell.m_strValue = lpszValue;
    return cell;
}
