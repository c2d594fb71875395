#include "bench/ReportLoadDirect.h"

#include <stdio.h>

#include <libpq-fe.h>

#include "bench/BenchClock.h"
#include "engines/common/ReportDataRules.h"

namespace
{

const char kLookup[] = "SELECT * FROM ss_datalist WHERE FD_Time=$1 AND FD_OrgCode=$2 AND FD_RowItemCode=$3"
                       " AND FD_ColItemCode=$4 AND FD_Line=$5 AND FD_CurType=$6";

// Runs the prepared look-up for one cell; its FD_Value text into strValue.
bool LookUp(PGconn* pConn, const CCell& cell, CString& strValue)
{
    CString key[6] = {CellPeriodCode(cell), CellOrgCode(cell), CellRowItemCode(cell), CellColItemKey(cell)};
    key[4].Format("%ld", (long)cell.m_nLine);
    key[5].Format("%d", CellCurrencyKey(cell));
    const char* params[6];
    for (int i = 0; i < 6; ++i)
        params[i] = key[i];
    PGresult* pResult = PQexecPrepared(pConn, "lookup", 6, params, NULL, NULL, 0);
    bool bOk = PQresultStatus(pResult) == PGRES_TUPLES_OK;
    int nColumn = PQfnumber(pResult, "FD_Value");
    strValue.Empty();
    if (bOk && nColumn >= 0 && PQntuples(pResult) > 0 && !PQgetisnull(pResult, 0, nColumn))
        strValue = PQgetvalue(pResult, 0, nColumn);
    PQclear(pResult);
    return bOk;
}

} // namespace

double LibpqDirectLookups(const CCellArray& cells, std::vector<CString>& values)
{
    PGconn* pConn = PQconnectdb("");
    if (PQstatus(pConn) != CONNECTION_OK)
    {
        fprintf(stderr, "libpq: %s", PQerrorMessage(pConn));
        PQfinish(pConn);
        return -1;
    }
    values.assign(cells.GetSize(), CString());
    double dStart = BenchNowMs();
    PGresult* pPrepared = PQprepare(pConn, "lookup", kLookup, 0, NULL);
    bool bOk = PQresultStatus(pPrepared) == PGRES_COMMAND_OK;
    PQclear(pPrepared);
    for (INT_PTR i = 0; bOk && i < cells.GetSize(); ++i)
        bOk = LookUp(pConn, cells[i], values[i]);
    double dMs = BenchNowMs() - dStart;
    if (!bOk)
        fprintf(stderr, "libpq: %s", PQerrorMessage(pConn));
    PQfinish(pConn);
    return bOk ? dMs : -1;
}
