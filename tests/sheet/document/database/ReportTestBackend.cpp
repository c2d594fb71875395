#include "tests/sheet/document/database/ReportTestBackend.h"

#include "tests/engines/dao/ReportDatabaseFile.h"
#include "tests/support/EngineLibrary.h"
#include "tests/support/OdbcRows.h"

#include "engines/common/KemDatabase.h"
#include "framework/core/File.h"

namespace
{

class SqliteBackend : public ReportTestBackend
{
public:
    bool IsReady() const override { return true; }
    int Type() const override { return 1; }
    void Describe(CKemDatabase* pDatabase) const override { pDatabase->m_strDatabase = m_file.WindowsPath(); }
    void Exec(const char* lpszSql) override { m_file.Exec(lpszSql); }
    std::vector<std::string> Rows(const char* lpszSql) override { return m_file.Rows(lpszSql); }
    const char* ScaledValue() const override { return "CAST(ROUND(FD_Value * 10000) AS INTEGER)"; }
    void RefuseLogDeletes() override
    {
        Exec("CREATE TRIGGER test_refuse BEFORE DELETE ON ss_reportlog BEGIN SELECT RAISE(ABORT, 'refused'); END");
    }

private:
    ReportDatabaseFile m_file;
};

// The statements of the PostgreSQL schema script.
std::vector<std::string> PostgresSchema()
{
    CFile file(CString("Z:") + REPORTING_SCHEMA_DIR + "/postgresql.sql", CFile::modeRead);
    std::string text((size_t)file.GetLength(), '\0');
    file.Read(&text[0], (UINT)text.size());
    std::vector<std::string> statements;
    std::string current;
    size_t pos = 0;
    while (pos < text.size())
    {
        size_t end = text.find('\n', pos);
        std::string line = text.substr(pos, end == std::string::npos ? std::string::npos : end - pos);
        pos = end == std::string::npos ? text.size() : end + 1;
        if (line.compare(0, 2, "--") == 0)
            continue;
        current += line + "\n";
        if (line.find(';') != std::string::npos)
        {
            statements.push_back(current.substr(0, current.rfind(';')));
            current.clear();
        }
    }
    return statements;
}

class PostgresBackend : public ReportTestBackend
{
public:
    PostgresBackend(const CString& strDsn, const CString& strUser, const CString& strPassword)
        : m_strDsn(strDsn), m_strUser(strUser), m_strPassword(strPassword)
    {
        if (m_strDsn.IsEmpty())
        {
            ADD_FAILURE() << "KEM_TEST_PG_DSN is not set: run the tests through scripts/test.sh";
            return;
        }
        try
        {
            m_db.OpenEx("DSN=" + m_strDsn + ";UID=" + OdbcConnectValue(m_strUser) +
                        ";PWD=" + OdbcConnectValue(m_strPassword));
        }
        catch (CDBException* e)
        {
            ADD_FAILURE() << "cannot connect: " << (LPCSTR)e->m_strError;
            e->Delete();
            return;
        }
        for (const char* table : {"ss_datalist", "ss_Organ", "ss_Attribute", "ss_OrgAttr", "ss_item",
                                  "ss_colitem", "ss_reportlog"})
            Exec((CString("DROP TABLE IF EXISTS ") + table + " CASCADE"));
        for (const std::string& statement : PostgresSchema())
            Exec(statement.c_str());
    }

    bool IsReady() const override { return m_db.IsOpen(); }
    int Type() const override { return 25; }
    void Describe(CKemDatabase* pDatabase) const override
    {
        pDatabase->m_strDatabase = m_strDsn;
        pDatabase->m_strUser = m_strUser;
        pDatabase->m_strPassword = m_strPassword;
    }
    void Exec(const char* lpszSql) override
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
    std::vector<std::string> Rows(const char* lpszSql) override { return OdbcRowList(m_db, lpszSql); }
    const char* ScaledValue() const override { return "CAST(ROUND(CAST(FD_Value AS NUMERIC) * 10000) AS BIGINT)"; }
    void RefuseLogDeletes() override
    {
        Exec("CREATE OR REPLACE FUNCTION test_refuse() RETURNS trigger LANGUAGE plpgsql AS"
             " 'BEGIN RAISE EXCEPTION ''refused''; END'");
        Exec("CREATE TRIGGER test_refuse BEFORE DELETE ON ss_reportlog FOR EACH ROW EXECUTE FUNCTION test_refuse()");
    }

private:
    CDatabase m_db;
    CString m_strDsn;
    CString m_strUser;
    CString m_strPassword;
};

} // namespace

std::unique_ptr<ReportTestBackend> MakeReportBackend(ReportBackendKind kind)
{
    if (kind == BACKEND_DAO_SQLITE)
        return std::unique_ptr<ReportTestBackend>(new SqliteBackend);
    return MakePostgresBackend(EnvironmentValue("KEM_TEST_PG_DSN"), EnvironmentValue("KEM_TEST_PG_USER"),
                               EnvironmentValue("KEM_TEST_PG_PASSWORD"));
}

std::unique_ptr<ReportTestBackend> MakePostgresBackend(const CString& strDsn, const CString& strUser,
                                                       const CString& strPassword)
{
    return std::unique_ptr<ReportTestBackend>(new PostgresBackend(strDsn, strUser, strPassword));
}

std::string ReportBackendName(const testing::TestParamInfo<ReportBackendKind>& info)
{
    return info.param == BACKEND_DAO_SQLITE ? "DaoSqlite" : "OdbcPostgreSQL";
}

std::string ReportDataSourceIni(const ReportTestBackend& backend, const CKemDatabase& database)
{
    return "[DataSource]\r\nStart=1\r\nType=" + std::to_string(backend.Type()) + "\r\nName=" +
           std::string((LPCSTR)database.m_strDatabase) + "\r\n";
}
