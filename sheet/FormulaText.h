// Text helpers of the formula language shared by the evaluator, the syntax
// checks and the reference counters.
#pragma once

#include "framework/core/String.h"

// When the text is not empty, starts with a digit and holds only digits and
// '.', stores its value and returns 1; else returns -1.
int ParseNumberText(LPCSTR pszText, double& dValue);

// Appends to strOut the distinct operand tokens of pszFormula (split at
// + - * / ( ) =), each followed by "#", in order of first appearance;
// tokens that read as a non-zero number are left out, and a name already
// listed in any letter case is not listed again.  Returns how many were
// appended.
int ListFormulaOperands(CString& strOut, LPCSTR pszFormula);

// The form in which operand names are compared: ASCII letters upper-cased.
CString FoldOperandName(LPCSTR pszName);
