// A report database file in a temporary folder, with direct SQLite access
// to it for the tests' checks.
#pragma once

#include <string>
#include <vector>

#include <sqlite3.h>

#include "tests/support/Gtest.h"

#include "framework/core/String.h"
#include "tests/framework/db/DaoTestFolder.h"
#include "tests/engines/dao/ReportSchema.h"

// A temporary folder holding kem.mdb, a SQLite file with the report schema and a
// log table that triggers fill on every write to ss_datalist.
class ReportDatabaseFile
{
public:
    ReportDatabaseFile();
    ~ReportDatabaseFile();

    CString WindowsPath() const { return m_strPath; }
    // Runs statements directly; fails the test on an error.
    void Exec(const char* lpszSql);
    // The rows of a query, each row its columns joined by '|' (NULL as "<null>").
    std::vector<std::string> Rows(const char* lpszSql);
    // Writes to ss_datalist since the file was made.
    int WriteCount();

private:
    CDaoTestFolder m_folder;
    CString m_strPath;
    sqlite3* m_pDb;
};

