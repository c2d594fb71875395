// The input check of one cell's value text before data are saved or
// imported.
#pragma once

#include "sheet/Cell.h"

// 1 when the cell's value text is acceptable for its type; else shows the
// first complaint and returns 0.
int ValidateCellData(const CCell& cell);
// The number sub-kind's rule alone: a decimal number with an optional
// exponent, within the digit limits.  1, or the first complaint shown and 0.
int ValidateNumberText(const CString& strText);
// The complaint ValidateNumberText would show; empty when it has none.
CString NumberTextComplaint(const CString& strText);
// The complaint ValidateCellData would show about strValue as the cell's
// value text, its data keys aside; empty when it has none.
CString CellValueComplaint(const CCell& cell, const CString& strValue);
