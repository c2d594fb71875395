#include "tests/engines/odbc/OdbcTestSource.h"

const OdbcBackend kOdbcBackends[3] = {
    {"SQLite", "KEM_TEST_SQLITE_DSN", false},
    {"PostgreSQL", "KEM_TEST_PG_DSN", true},
    {"PostgreSQLUnicode", "KEM_TEST_PGW_DSN", true},
};

std::string OdbcBackendName(const testing::TestParamInfo<OdbcBackend>& info)
{
    return info.param.name;
}

namespace
{

const char* const kCommonTables[] = {
    "CREATE UNIQUE INDEX ix_datalist_key ON ss_datalist"
    " (FD_OrgCode, FD_Time, FD_RowItemCode, FD_ColItemCode, FD_Line, FD_CurType)",
    "CREATE TABLE ss_Organ (FD_Code VARCHAR(8) PRIMARY KEY, FD_Name VARCHAR(50) NOT NULL,"
    " FD_SearchCode VARCHAR(8))",
    "CREATE TABLE ss_item (FD_Code VARCHAR(8) PRIMARY KEY, FD_Name VARCHAR(255) NOT NULL,"
    " FD_SearchCode VARCHAR(8), FD_Type SMALLINT NOT NULL DEFAULT 0)",
    "CREATE TABLE ss_colitem (FD_Code VARCHAR(8) PRIMARY KEY, FD_Name VARCHAR(255) NOT NULL,"
    " FD_SearchCode VARCHAR(8))",
    "CREATE TABLE ss_reportlog (FD_TemplateCode VARCHAR(8) NOT NULL, FD_OrgCode VARCHAR(8) NOT NULL,"
    " FD_ReportType INTEGER NOT NULL, FD_StartDate VARCHAR(13) NOT NULL, FD_Stamp TIMESTAMP,"
    " FD_Ratio DOUBLE PRECISION, FD_Flag SMALLINT)",
    "CREATE TABLE test_writes (n INTEGER)",
};

} // namespace

OdbcTestSource::OdbcTestSource(const OdbcBackend& backend) : m_backend(backend)
{
    m_strDsn = EnvironmentValue(backend.dsnVariable);
    if (backend.postgres)
    {
        m_strUser = EnvironmentValue("KEM_TEST_PG_USER");
        m_strPassword = EnvironmentValue("KEM_TEST_PG_PASSWORD");
    }
    if (m_strDsn.IsEmpty())
    {
        ADD_FAILURE() << backend.dsnVariable << " is not set: run the tests through scripts/test.sh";
        return;
    }
    CString connect = "DSN=" + m_strDsn;
    if (backend.postgres)
        connect += ";UID=" + OdbcConnectValue(m_strUser) + ";PWD=" + OdbcConnectValue(m_strPassword);
    try
    {
        m_db.OpenEx(connect);
    }
    catch (CDBException* e)
    {
        ADD_FAILURE() << "cannot connect to " << (LPCSTR)m_strDsn << ": " << (LPCSTR)e->m_strError;
        e->Delete();
        return;
    }
    CreateTables();
}

void OdbcTestSource::Exec(const char* lpszSql)
{
    try
    {
        m_db.ExecuteSQL(lpszSql);
    }
    catch (CDBException* e)
    {
        ADD_FAILURE() << (LPCSTR)e->m_strError << "\n" << lpszSql;
        e->Delete();
    }
}

void OdbcTestSource::CreateTables()
{
    static const char* const kDrops[] = {"ss_datalist", "ss_Organ", "ss_item", "ss_colitem", "ss_reportlog",
                                         "test_writes"};
    for (const char* table : kDrops)
        Exec(CString("DROP TABLE IF EXISTS ") + table);
    Exec(CString("CREATE TABLE ss_datalist (FD_Time VARCHAR(13) NOT NULL, FD_OrgCode VARCHAR(8) NOT NULL,"
                 " FD_RowItemCode VARCHAR(8) NOT NULL, FD_ColItemCode VARCHAR(8) NOT NULL,"
                 " FD_Line INTEGER NOT NULL, FD_CurType ") +
         (m_backend.postgres ? "SMALLINT" : "TINYINT") + " NOT NULL, FD_Value VARCHAR(255))");
    for (const char* sql : kCommonTables)
        Exec(sql);
    if (m_backend.postgres)
    {
        Exec("CREATE OR REPLACE FUNCTION test_log_write() RETURNS trigger LANGUAGE plpgsql AS"
             " 'BEGIN INSERT INTO test_writes VALUES (1); RETURN NULL; END'");
        Exec("CREATE TRIGGER test_write AFTER INSERT OR UPDATE OR DELETE ON ss_datalist"
             " FOR EACH ROW EXECUTE FUNCTION test_log_write()");
    }
    else
    {
        Exec("CREATE TRIGGER test_ins AFTER INSERT ON ss_datalist BEGIN INSERT INTO test_writes VALUES (1); END");
        Exec("CREATE TRIGGER test_upd AFTER UPDATE ON ss_datalist BEGIN INSERT INTO test_writes VALUES (2); END");
        Exec("CREATE TRIGGER test_del AFTER DELETE ON ss_datalist BEGIN INSERT INTO test_writes VALUES (3); END");
    }
}

int OdbcTestSource::WriteCount()
{
    std::vector<std::string> rows = Rows("SELECT count(*) FROM test_writes");
    return rows.empty() ? -1 : atoi(rows[0].c_str());
}

OdbcEngineDatabase::OdbcEngineDatabase(EngineLibrary& library, OdbcTestSource& source, int nType)
    : m_library(library), m_pDb(NULL)
{
    if (library.GetDatabase == NULL)
        return;
    m_pDb = library.GetDatabase(nType);
    if (m_pDb == NULL)
        return;
    m_pDb->m_strDatabase = source.Dsn();
    m_pDb->m_strUser = source.User();
    m_pDb->m_strPassword = source.Password();
    try
    {
        m_pDb->Reopen(FALSE);
    }
    catch (CDBException* e)
    {
        ADD_FAILURE() << "engine cannot open " << (LPCSTR)source.Dsn() << ": " << (LPCSTR)e->m_strError;
        e->Delete();
    }
}

OdbcEngineDatabase::~OdbcEngineDatabase()
{
    if (m_pDb != NULL)
    {
        m_pDb->Close();
        m_library.ReleaseDatabase(m_pDb);
    }
}
