// Direct SQLite statements of the bench programs' set-up.
#pragma once

#include <stdio.h>

#include <sqlite3.h>

// Runs the statements; false after printing SQLite's message.
inline bool BenchSqliteExec(sqlite3* pDb, const char* lpszSql)
{
    char* pError = NULL;
    if (sqlite3_exec(pDb, lpszSql, NULL, NULL, &pError) != SQLITE_OK)
    {
        fprintf(stderr, "SQLite: %s\n", pError != NULL ? pError : "?");
        sqlite3_free(pError);
        return false;
    }
    return true;
}
