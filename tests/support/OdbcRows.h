// Direct queries for database tests: the rows of a statement read straight
// through the ODBC API, so checks do not depend on the classes under test.
#pragma once

#include <string>
#include <vector>

#include "framework/db/OdbcDatabase.h"

// Every row of the query, columns joined by '|' (NULL as "NULL"); a failed
// statement fails the test.
std::vector<std::string> OdbcRowList(CDatabase& db, LPCSTR lpszSQL);
// The same rows joined by ';'.
CString OdbcRows(CDatabase& db, LPCSTR lpszSQL);
