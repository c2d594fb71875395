// Reporting databases for the tests: SQLite files made from the shipped
// schema scripts in a temporary folder that is removed afterwards.
#pragma once

#include "framework/core/String.h"

class CDaoDatabase;

// The text of a file of reporting/schema ("sqlite.sql", ...).
CString ReadSchemaFile(LPCSTR lpszName);

class CReportingTestFolder
{
public:
    CReportingTestFolder();
    ~CReportingTestFolder();

    CString Path(LPCSTR lpszName) const { return m_strFolder + "\\" + lpszName; }
    // A new SQLite file with the schema and, when asked, the starter rows.
    CString MakeDatabase(LPCSTR lpszName, BOOL bSample) const;

    CString m_strFolder;
};
