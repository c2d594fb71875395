// The DAO engine library loaded from the test program's folder, a report
// database file in a temporary folder, and direct SQLite access to it.
#pragma once

#include <string>
#include <vector>

#include <sqlite3.h>

#include "tests/support/Gtest.h"

#include "engines/common/EngineExports.h"
#include "sheet/Cell.h"

// The tables of the reporting database the engine reads and writes.
extern const char kReportSchema[];

class BrasslockLibrary
{
public:
    BrasslockLibrary();
    ~BrasslockLibrary();

    BOOL IsLoaded() const { return m_hModule != NULL; }
    FARPROC Proc(LPCSTR lpszName) const;

    PFN_GET_DATABASE GetDatabase;
    PFN_GET_RECORDSET GetRecordset;
    PFN_RELEASE_DATABASE ReleaseDatabase;
    PFN_RELEASE_RECORDSET ReleaseRecordset;
    PFN_REPORT_DATA LoadKemReportData;
    PFN_REPORT_DATA SaveKemReportData;

private:
    HMODULE m_hModule;
};

// A temporary folder holding kem.mdb, a SQLite file with kReportSchema and a
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
    CString m_strFolder;
    CString m_strPath;
    sqlite3* m_pDb;
};

// A data cell with the given key, empty-value mode and value text.
CCell DataCell(LPCSTR lpszOrg, LPCSTR lpszPeriod, LPCSTR lpszRowItem, LPCSTR lpszColItem, LONG nLine, int nMode,
               LPCSTR lpszValue, int nCurType = 0);
