#include "bench/ReportSumDirect.h"

#include <stdio.h>
#include <string.h>

#include <libpq-fe.h>
#include <sqlite3.h>

#include "bench/BenchClock.h"
#include "reporting/CyValueList.h"

namespace
{

// Adds one value text to the running sum; empty and NULL values hold no
// amount, as in the program's sum.
void AddValue(const char* lpszText, LONGLONG& nSum)
{
    if (lpszText == NULL || lpszText[0] == '\0')
        return;
    nSum += StrToCurrency(lpszText).int64;
}

CString SumText(LONGLONG nSum)
{
    CURRENCY cy;
    cy.int64 = nSum;
    return CurrencyToStr(cy);
}

// The column's index in the statement's result, or -1.
int SqliteColumn(sqlite3_stmt* pStmt, const char* lpszName)
{
    for (int i = 0; i < sqlite3_column_count(pStmt); ++i)
        if (strcasecmp(sqlite3_column_name(pStmt, i), lpszName) == 0)
            return i;
    return -1;
}

} // namespace

double SqliteDirectSums(const char* lpszUnixPath, const std::vector<CString>& queries, std::vector<CString>& sums)
{
    sqlite3* pDb = NULL;
    if (sqlite3_open_v2(lpszUnixPath, &pDb, SQLITE_OPEN_READONLY, NULL) != SQLITE_OK)
    {
        fprintf(stderr, "SQLite: cannot open %s\n", lpszUnixPath);
        sqlite3_close(pDb);
        return -1;
    }
    sums.clear();
    double dStart = BenchNowMs();
    bool bOk = true;
    for (size_t q = 0; bOk && q < queries.size(); ++q)
    {
        sqlite3_stmt* pStmt = NULL;
        bOk = sqlite3_prepare_v2(pDb, queries[q], -1, &pStmt, NULL) == SQLITE_OK;
        int nColumn = bOk ? SqliteColumn(pStmt, "FD_Value") : -1;
        LONGLONG nSum = 0;
        int nResult = SQLITE_DONE;
        while (nColumn >= 0 && (nResult = sqlite3_step(pStmt)) == SQLITE_ROW)
            AddValue((const char*)sqlite3_column_text(pStmt, nColumn), nSum);
        bOk = nColumn >= 0 && nResult == SQLITE_DONE;
        sqlite3_finalize(pStmt);
        sums.push_back(SumText(nSum));
    }
    double dMs = BenchNowMs() - dStart;
    if (!bOk)
        fprintf(stderr, "SQLite: %s\n", sqlite3_errmsg(pDb));
    sqlite3_close(pDb);
    return bOk ? dMs : -1;
}

double LibpqDirectSums(const std::vector<CString>& queries, std::vector<CString>& sums)
{
    PGconn* pConn = PQconnectdb("");
    if (PQstatus(pConn) != CONNECTION_OK)
    {
        fprintf(stderr, "libpq: %s", PQerrorMessage(pConn));
        PQfinish(pConn);
        return -1;
    }
    sums.clear();
    double dStart = BenchNowMs();
    bool bOk = true;
    for (size_t q = 0; bOk && q < queries.size(); ++q)
    {
        PGresult* pResult = PQexec(pConn, queries[q]);
        int nColumn = PQfnumber(pResult, "FD_Value");
        bOk = PQresultStatus(pResult) == PGRES_TUPLES_OK && nColumn >= 0;
        LONGLONG nSum = 0;
        for (int r = 0; bOk && r < PQntuples(pResult); ++r)
            AddValue(PQgetisnull(pResult, r, nColumn) ? NULL : PQgetvalue(pResult, r, nColumn), nSum);
        if (!bOk)
            fprintf(stderr, "libpq: %s", PQerrorMessage(pConn));
        PQclear(pResult);
        sums.push_back(SumText(nSum));
    }
    double dMs = BenchNowMs() - dStart;
    PQfinish(pConn);
    return bOk ? dMs : -1;
}
