// The evaluator of the formula language: the two-operand operators + - * /
// with the usual precedence, parentheses, number literals and cell names.
// Every failure is shown in a message box and reported as FALSE.
#pragma once

#include "sheet/FormulaNames.h"

// Actions of FormulaPrecedenceTable.
enum
{
    FORMULA_REDUCE = 0,
    FORMULA_CLOSE = 1,
    FORMULA_PUSH = 2,
    FORMULA_OPEN_LEFT = 3,
    FORMULA_OPEN_LEFT_AFTER_CLOSE = 4,
    FORMULA_UNMATCHED_CLOSE = 5
};

// Row: the operator on top of the stack; column: the incoming character;
// both by FormulaOperatorIndex.
extern const int FormulaPrecedenceTable[7][7];

// TRUE for + - * / ( ) #.
BOOL IsFormulaOperator(char ch);
// + 0, - 1, * 2, / 3, ( 4, ) 5, # 6; -1 for any other character.
int FormulaOperatorIndex(char ch);
// a op b into dResult for + - * /; a divisor below 0.00001 in size shows
// "Divide zero." and gives FALSE with dResult untouched.  Any other
// operator gives TRUE and writes nothing.
BOOL ApplyFormulaOperator(double a, double b, char op, double& dResult);

// Evaluates pszFormula into dResult; dResult is left as it was on failure.
BOOL EvaluateFormulaText(const CFormulaNames& names, LPCSTR pszFormula, double& dResult);

// The formula of cell nCell, or pszText when bUseText is set (the index is
// then ignored).
BOOL EvaluateFormula(const CSheet& sheet, int nCell, double& dResult, BOOL bUseText = FALSE,
                     LPCSTR pszText = NULL);
