// The DAO engine library loaded from the program's own folder, and the data
// cells its report functions take.
#pragma once

#include "tests/support/EngineLibrary.h"

class BrasslockLibrary : public EngineLibrary
{
public:
    BrasslockLibrary() : EngineLibrary("Brasslock.dll") {}
};

// A data cell with the given key, empty-value mode and value text.
inline CCell DataCell(LPCSTR lpszOrg, LPCSTR lpszPeriod, LPCSTR lpszRowItem, LPCSTR lpszColItem, LONG nLine,
                      int nMode, LPCSTR lpszValue, int nCurType = 0)
{
    return ReportDataCell(lpszOrg, lpszPeriod, lpszRowItem, lpszColItem, nLine, nMode, lpszValue, nCurType);
}
