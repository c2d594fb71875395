// Times the recalculation of 10,000 calculate cells in 100 chains of 100,
// each chain fed by one numeric cell: everything at once, and the
// dependents of one changed source.  Chains are laid out in array order
// and in reverse, so that dependency order differs from array order.
#include <stdio.h>

#include "bench/BenchClock.h"
#include "sheet/FormulaRecalc.h"
#include "sheet/Sheet.h"

namespace
{

const int CHAINS = 100;
const int LENGTH = 100;
const double GOAL_MS = 100.0;
const int RUNS = 5;

void AddCell(CSheet& sheet, int nType, const CString& strName, const CString& strFormula)
{
    CCell cell;
    cell.SetType(nType);
    cell.m_pSheet = &sheet;
    cell.m_strName = strName;
    if (nType == CELL_NUMERIC)
        cell.m_strValue = "1";
    cell.m_strFormula = strFormula;
    sheet.m_cells.Add(cell);
}

// Chain c: S<c> numeric, then C<c>X1 = S<c>+1, C<c>Xk = C<c>X(k-1)*1.0001+1.
void MakeChains(CSheet& sheet, BOOL bReversed)
{
    sheet.RemoveAllCells();
    for (int c = 0; c < CHAINS; ++c)
    {
        CString strSource;
        strSource.Format("S%d", c);
        AddCell(sheet, CELL_NUMERIC, strSource, "");
        for (int i = 0; i < LENGTH; ++i)
        {
            const int k = bReversed ? LENGTH - i : i + 1;
            CString strName, strFormula;
            strName.Format("C%dX%d", c, k);
            if (k == 1)
                strFormula = strSource + "+1";
            else
                strFormula.Format("C%dX%d*1.0001+1", c, k - 1);
            AddCell(sheet, CELL_FORMULA, strName, strFormula);
        }
    }
}

int g_nSlow = 0;

void Report(const char* pszWhat, double ms)
{
    const BOOL bSlow = ms > GOAL_MS;
    g_nSlow += bSlow ? 1 : 0;
    printf("%-40s %8.3f ms%s\n", pszWhat, ms, bSlow ? "  (over the goal)" : "");
}

} // namespace

int main()
{
    CSheet sheet;
    for (int nLayout = 0; nLayout < 2; ++nLayout)
    {
        const BOOL bReversed = nLayout == 1;
        MakeChains(sheet, bReversed);
        const char* pszLayout = bReversed ? "reversed" : "in order";
        char szWhat[80];
        snprintf(szWhat, sizeof(szWhat), "recalculate all, chains %s", pszLayout);
        Report(szWhat, BenchBestOf(RUNS, [&] { RecalculateAllFormulas(sheet); }));
        snprintf(szWhat, sizeof(szWhat), "dependents of one source, %s", pszLayout);
        Report(szWhat, BenchBestOf(RUNS, [&] { RecalculateDependentFormulas(sheet, 0); }));
        printf("  last cell of chain 0: %s\n", (LPCSTR)sheet.m_cells[bReversed ? 1 : LENGTH].m_strValue);
    }
    printf("%d over the goal of %.0f ms (best of %d runs)\n", g_nSlow, GOAL_MS, RUNS);
    return 0;
}
