// An engine library loaded by full path from the test program's folder,
// with its six exports, and data cells for the report data tests.
#pragma once

#include <string>

#include "tests/support/ReportDataCell.h"

#include "engines/common/EngineExports.h"
#include "framework/core/Exception.h"
#include "sheet/Cell.h"

class EngineLibrary
{
public:
    // lpszFileName: "ODBC.dll", looked up beside the test program.
    explicit EngineLibrary(LPCSTR lpszFileName);
    ~EngineLibrary();

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

// The value of an environment variable (the test script names the data
// sources this way); "" when it is not set.
CString EnvironmentValue(LPCSTR lpszName);

// The message of an exception an engine threw, which is deleted.
std::string TakeExceptionText(CException* e);
