// Balance formulas (equations the filled-in figures must satisfy), the
// syntax check shared with calculate-cell formulas, data verification and
// the balance-reference counters.
#pragma once

#include "sheet/FormulaNames.h"

// Token kinds of NextFormulaToken.
enum
{
    FORMULA_TOKEN_END = -1,
    FORMULA_TOKEN_INVALID = -2,
    FORMULA_TOKEN_OPEN = 1,
    FORMULA_TOKEN_OPERATOR = 2,
    FORMULA_TOKEN_CLOSE = 3,
    FORMULA_TOKEN_OPERAND = 4
};

// Two sides of a balance formula are equal within this.
#define BALANCE_TOLERANCE 0.00001

// The token of strText at nStart; nNext receives the position after it.
// An operand is valid when it names a cell other than nExclude or is a
// number literal.
int NextFormulaToken(const CFormulaNames& names, const CString& strText, int nStart, int& nNext,
                     int nExclude);

// 1 when the formula (blanks and letter case aside) is well formed, or
// empty; else shows the complaint, sets the range to select in the text
// without blanks and returns 0.  nExclude is the cell whose own formula is
// checked (it may not name itself), or -1.
int CheckFormulaSyntax(const CSheet& sheet, LPCSTR pszFormula, int nExclude, int& nErrorStart,
                       int& nErrorEnd);
// 1 when the formula has two or more well-formed sides joined by '='.
int CheckBalanceFormula(const CSheet& sheet, LPCSTR pszFormula, int& nErrorStart,
                        int& nErrorEnd);

// Position in m_lstBalance of the first formula the data do not satisfy,
// or NULL.  An empty operand cell and an evaluation error are shown; an
// inequality is not.
POSITION VerifyData(const CSheet& sheet);

// Recounts every cell's balance-reference counter from the list.
void CountBalanceFormulaRefs(CSheet& sheet);
