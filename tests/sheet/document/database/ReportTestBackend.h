// The reporting databases the document's database tests run against: an
// SQLite file through the DAO engine (Brasslock) and a PostgreSQL server
// through the ODBC engine and psqlODBC (scripts/test.sh starts it).  Each
// has a direct connection for setting up rows and checking them, apart
// from the classes under test.
#pragma once

#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "tests/support/Gtest.h"

#include "framework/core/String.h"

class CKemDatabase;

class ReportTestBackend
{
public:
    virtual ~ReportTestBackend() {}

    // FALSE (with a test failure) when the database could not be made.
    virtual bool IsReady() const = 0;
    // The data-source type the engine database is asked for.
    virtual int Type() const = 0;
    // Names the database to the engine's database before it is reopened.
    virtual void Describe(CKemDatabase* pDatabase) const = 0;
    // Runs one statement directly; fails the test on an error.
    virtual void Exec(const char* lpszSql) = 0;
    // Rows of a query read directly, columns joined by '|'.
    virtual std::vector<std::string> Rows(const char* lpszSql) = 0;
    // An SQL expression of a value text as a count of ten-thousandths.
    virtual const char* ScaledValue() const = 0;
    // A trigger that makes every delete from ss_reportlog fail.
    virtual void RefuseLogDeletes() = 0;
};

enum ReportBackendKind
{
    BACKEND_DAO_SQLITE,
    BACKEND_ODBC_POSTGRESQL
};

std::unique_ptr<ReportTestBackend> MakeReportBackend(ReportBackendKind kind);
// The Tallyform.INI that starts a program on the backend's database as the
// database describes it.
std::string ReportDataSourceIni(const ReportTestBackend& backend, const CKemDatabase& database);
// The PostgreSQL schema on the data source named.
std::unique_ptr<ReportTestBackend> MakePostgresBackend(const CString& strDsn, const CString& strUser,
                                                       const CString& strPassword);
std::string ReportBackendName(const testing::TestParamInfo<ReportBackendKind>& info);
