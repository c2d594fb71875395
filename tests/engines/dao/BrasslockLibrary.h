// The DAO engine library loaded from the test program's folder, a report
// database file in a temporary folder, and direct SQLite access to it.
#pragma once

#include <string>
#include <vector>

#include <sqlite3.h>

#include "tests/support/Gtest.h"

#include "tests/support/EngineLibrary.h"

// The tables of the reporting database the engine reads and writes.
extern const char kReportSchema[];

class BrasslockLibrary : public EngineLibrary
{
public:
    BrasslockLibrary() : EngineLibrary("Brasslock.dll") {}
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
inline CCell DataCell(LPCSTR lpszOrg, LPCSTR lpszPeriod, LPCSTR lpszRowItem, LPCSTR lpszColItem, LONG nLine,
                      int nMode, LPCSTR lpszValue, int nCurType = 0)
{
    return ReportDataCell(lpszOrg, lpszPeriod, lpszRowItem, lpszColItem, nLine, nMode, lpszValue, nCurType);
}
