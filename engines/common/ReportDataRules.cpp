#include "engines/common/ReportDataRules.h"

#include "framework/db/SqlQuote.h"
#include "sheet/Cell.h"

#include <math.h>
#include <stdlib.h>

namespace
{

CString BoundedCode(const char* pField, size_t nCap)
{
    size_t n = 0;
    while (n < nCap && pField[n] != '\0')
        ++n;
    return CString(pField, (int)n);
}

} // namespace

CString CellOrgCode(const CCell& cell)
{
    return BoundedCode(cell.m_szOrgCode, CELL_CODE_LEN);
}

CString CellPeriodCode(const CCell& cell)
{
    return BoundedCode(cell.m_szPeriodCode, CELL_PERIOD_LEN);
}

CString CellRowItemCode(const CCell& cell)
{
    return BoundedCode(cell.m_szRowItemCode, CELL_CODE_LEN);
}

CString CellColItemKey(const CCell& cell)
{
    CString strCode = BoundedCode(cell.m_szColItemCode, CELL_CODE_LEN);
    return strCode.IsEmpty() ? CString(RD_NO_COLITEM) : strCode;
}

int CellCurrencyKey(const CCell& cell)
{
    return (int)(cell.m_nCurType & 0xFF);
}

BOOL IsNullMode(int nMode)
{
    return nMode != EMPTY_MODE_ZERO && nMode != EMPTY_MODE_EMPTY;
}

LPCSTR MissingValueText(int nMode)
{
    switch (nMode)
    {
    case EMPTY_MODE_ZERO:
        return "0";
    case EMPTY_MODE_EMPTY:
        return "";
    default:
        return "NULL";
    }
}

BOOL NearZeroText(LPCSTR lpszText)
{
    return fabs(strtod(lpszText != NULL ? lpszText : "", NULL)) < 0.00001;
}

BOOL IsMissingValue(int nMode, const CString& strText)
{
    switch (nMode)
    {
    case EMPTY_MODE_ZERO:
        return NearZeroText(strText);
    case EMPTY_MODE_EMPTY:
        return strText.IsEmpty();
    default:
        return strText == MissingValueText(nMode);
    }
}

CString BuildCellKeyFilter(const CCell& cell)
{
    CString strFilter;
    strFilter.Format("%s=%s And %s=%s And %s=%s And %s=%s And %s=%ld And %s=%d", RD_ORGCODE,
                     (LPCSTR)SqlQuote(CellOrgCode(cell)), RD_TIME, (LPCSTR)SqlQuote(CellPeriodCode(cell)),
                     RD_ROWITEM, (LPCSTR)SqlQuote(CellRowItemCode(cell)), RD_COLITEM,
                     (LPCSTR)SqlQuote(CellColItemKey(cell)), RD_LINE, (long)cell.m_nLine, RD_CURTYPE,
                     CellCurrencyKey(cell));
    return strFilter;
}
