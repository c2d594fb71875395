// The data sources the ODBC engine tests run against, as scripts/test.sh
// sets them up: an SQLite file through its ODBC driver, and a PostgreSQL
// server through psqlODBC in its ANSI and its Unicode form.
#pragma once

#include <string>
#include <vector>

#include "tests/support/Gtest.h"
#include "tests/support/EngineLibrary.h"
#include "tests/support/OdbcRows.h"

struct OdbcBackend
{
    const char* name;
    // Environment variable holding the data-source name.
    const char* dsnVariable;
    bool postgres;
};

// The three back ends, for INSTANTIATE_TEST_SUITE_P.
extern const OdbcBackend kOdbcBackends[3];

std::string OdbcBackendName(const testing::TestParamInfo<OdbcBackend>& info);

// A direct connection to one data source, with the report tables created
// afresh and a log of every write to ss_datalist.
class OdbcTestSource
{
public:
    explicit OdbcTestSource(const OdbcBackend& backend);

    // FALSE (and a test failure) when the environment does not name the data source.
    BOOL IsReady() const { return m_db.IsOpen(); }
    const CString& Dsn() const { return m_strDsn; }
    const CString& User() const { return m_strUser; }
    const CString& Password() const { return m_strPassword; }

    void Exec(const char* lpszSql);
    std::vector<std::string> Rows(const char* lpszSql) { return OdbcRowList(m_db, lpszSql); }
    // Inserts, updates and deletes on ss_datalist since the tables were made.
    int WriteCount();

    CDatabase m_db;

private:
    void CreateTables();

    OdbcBackend m_backend;
    CString m_strDsn;
    CString m_strUser;
    CString m_strPassword;
};

// An open engine database of type 25 on the source; released at the end.
class OdbcEngineDatabase
{
public:
    OdbcEngineDatabase(EngineLibrary& library, OdbcTestSource& source, int nType = 25);
    ~OdbcEngineDatabase();
    CKemDatabase* operator->() const { return m_pDb; }
    CKemDatabase* Get() const { return m_pDb; }

private:
    EngineLibrary& m_library;
    CKemDatabase* m_pDb;
};
