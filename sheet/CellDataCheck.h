// The input check of one cell's value text before data are saved or
// imported.
#pragma once

#include "sheet/Cell.h"

// 1 when the cell's value text is acceptable for its type; else shows the
// first complaint and returns 0.
int ValidateCellData(const CCell& cell);
