// Reporting databases for the tests: SQLite files made from the shipped
// schema scripts in a temporary folder that is removed afterwards.
#pragma once

#include "tests/framework/db/DaoTestFolder.h"

// The whole text of a file.
CString ReadFileText(const CString& strPath);
// The text of a file of reporting/schema ("sqlite.sql", ...).
CString ReadSchemaFile(LPCSTR lpszName);

class CReportingTestFolder : public CDaoTestFolder
{
public:
    // A new SQLite file with the schema and, when asked, the starter rows.
    CString MakeDatabase(LPCSTR lpszName, BOOL bSample) const;
};
