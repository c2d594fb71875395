// The DAO engine library loaded from the program's own folder, and the data
// cells its report functions take.
#pragma once

#include "engines/common/EngineExports.h"
#include "sheet/Cell.h"

class BrasslockLibrary
{
public:
    BrasslockLibrary();
    ~BrasslockLibrary();

    BOOL IsLoaded() const { return m_hModule != NULL; }
    FARPROC Proc(LPCSTR lpszName) const;

    PFN_GET_DATABASE GetDatabase;
    PFN_GET_RECORDSET GetRecordset;
    PFN_RELEASE_DATABASE ReleaseDatabase;
    PFN_RELEASE_RECORDSET ReleaseRecordset;
    PFN_REPORT_DATA LoadKemReportData;
    PFN_REPORT_DATA SaveKemReportData;

private:
    HMODULE m_hModule;
};

// A data cell with the given key, empty-value mode and value text.
CCell DataCell(LPCSTR lpszOrg, LPCSTR lpszPeriod, LPCSTR lpszRowItem, LPCSTR lpszColItem, LONG nLine, int nMode,
               LPCSTR lpszValue, int nCurType = 0);
