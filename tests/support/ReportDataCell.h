// A data cell of a report, keyed as the engines look it up.
#pragma once

#include "sheet/Cell.h"

// A data cell with the given key, empty-value mode and value text.
CCell ReportDataCell(LPCSTR lpszOrg, LPCSTR lpszPeriod, LPCSTR lpszRowItem, LPCSTR lpszColItem, LONG nLine,
                     int nMode, LPCSTR lpszValue, int nCurType = 0);
