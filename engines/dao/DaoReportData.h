// Report data load and save over the DAO engine's database.
#pragma once

#include "engines/dao/DAODatabase.h"

class CCellArray;
class CReportOverwritePrompt;
class CReportProgress;

// The report query: the table (named for the source's type) ordered by the
// six key columns.
CString BuildReportDataSql(const CString& strTable, int nType);

// 1 when the table had rows and every data cell got its value text; 0 for
// an empty table (cells untouched) or after the DAO error's message.
int LoadDaoReportData(CCellArray& cells, CDAODatabase& db, const CString& strTable, CReportProgress& progress);
// 1 when every data cell was processed; 0 after the DAO error's message,
// with nothing of this save stored.
int SaveDaoReportData(CCellArray& cells, CDAODatabase& db, const CString& strTable, CReportOverwritePrompt& prompt,
                      CReportProgress& progress);
