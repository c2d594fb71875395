#include "bench/XlsLibraryTimes.h"

#include <stdio.h>

#include "bench/BenchClock.h"
#include "engines/dao/spreadsheet/FreeXlCells.h"
#include "engines/dao/spreadsheet/XlsWorkbookFile.h"
#include "framework/db/DaoDatabase.h"

namespace
{

const int ROWS_PER_SHEET = 50000;

CSourceValue Text(const char* psz)
{
    return CSourceValue{psz, false, false};
}

CSourceValue Number(long n)
{
    CString strText;
    strText.Format("%ld", n);
    return CSourceValue{strText, false, true};
}

} // namespace

std::vector<CSourceTable> XlsBenchReportTables(int nRows)
{
    std::vector<CSourceTable> tables;
    char szOrg[16], szPeriod[16], szRow[16];
    for (int i = 0; i < nRows; ++i)
    {
        if (i % ROWS_PER_SHEET == 0)
        {
            tables.emplace_back();
            tables.back().m_strName.Format("ss_datalist%d", (int)tables.size());
            tables.back().m_columns = {"FD_OrgCode", "FD_Time", "FD_RowItemCode", "FD_ColItemCode",
                                       "FD_Line", "FD_CurType", "FD_Value"};
        }
        snprintf(szOrg, sizeof(szOrg), "H%03d", i / 1000 % 1000);
        snprintf(szPeriod, sizeof(szPeriod), "%04d000000000", 1900 + i / 1000000);
        snprintf(szRow, sizeof(szRow), "R%03d", i / 10 % 100);
        tables.back().m_rows.push_back({Text(szOrg), Text(szPeriod), Text(szRow), Text("========"),
                                        Number(i % 10), Number(0), Number(i)});
    }
    return tables;
}

double TimeXlsWrite(const CString& strPath, const std::vector<CSourceTable>& tables)
{
    CString strError;
    double dStart = BenchNowMs();
    if (!WriteXlsWorkbook(strPath, tables, 8, strError))
    {
        fprintf(stderr, "%s\n", (LPCSTR)strError);
        return -1;
    }
    return BenchNowMs() - dStart;
}

double TimeFreeXlRead(const CString& strPath, long& nCells)
{
    nCells = 0;
    CString strUnixPath = DaoUnixPath(strPath);
    double dStart = BenchNowMs();
    const void* pHandle = NULL;
    unsigned int nSheets = 0;
    int nResult = freexl_open(strUnixPath, &pHandle);
    if (nResult == FREEXL_OK)
        nResult = freexl_get_info(pHandle, FREEXL_BIFF_SHEET_COUNT, &nSheets);
    for (unsigned short nSheet = 0; nSheet < nSheets && nResult == FREEXL_OK; ++nSheet)
    {
        nResult = ForEachFreeXlCell(pHandle, nSheet, [&nCells](unsigned, unsigned, const FreeXL_CellValue& value) {
            nCells += value.type != FREEXL_CELL_NULL;
            return true;
        });
    }
    freexl_close(pHandle);
    return nResult == FREEXL_OK ? BenchNowMs() - dStart : -1;
}
