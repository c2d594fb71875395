// Report data load and save of the ODBC engine: one parameterized query of
// the report table, re-queried for each data cell.
#pragma once

#include "framework/core/String.h"

class CCellArray;
class CODBCDatabase;
class CReportOverwritePrompt;
class CReportProgress;

// 1 when every data cell got its value text (an empty table included);
// 0 after a database error, which is shown.
int LoadOdbcReportData(CCellArray& cells, CODBCDatabase& db, const CString& strTable, CReportProgress& progress);
// 1 when every data cell was stored as the rules and answers say; 0 after a
// database error, which is shown, and then nothing of the save is kept.
int SaveOdbcReportData(CCellArray& cells, CODBCDatabase& db, const CString& strTable, CReportOverwritePrompt& prompt,
                       CReportProgress& progress);
