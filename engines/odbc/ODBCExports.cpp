// The six exports of the ODBC engine library.
#include "engines/common/DataSourceType.h"
#include "engines/common/EngineExportBodies.h"
#include "engines/common/EngineResources.h"
#include "engines/odbc/ODBCDatabase.h"
#include "engines/odbc/ODBCRecordset.h"
#include "engines/odbc/ODBCReportData.h"

namespace
{

struct OdbcEngine
{
    typedef CODBCDatabase Database;
    typedef CODBCRecordset Recordset;
    static const UINT PROGRESS_DIALOG = IDD_ODBC_PROGRESS;
    static const UINT WARNING_BITMAP = IDB_ODBC_WARNING;

    static BOOL Serves(int nType) { return IsOdbcEngineType(nType); }
    static int Load(CCellArray& cells, Database& db, const CString& strTable, CReportProgress& progress)
    {
        return LoadOdbcReportData(cells, db, strTable, progress);
    }
    static int Save(CCellArray& cells, Database& db, const CString& strTable, CReportOverwritePrompt& prompt,
                    CReportProgress& progress)
    {
        return SaveOdbcReportData(cells, db, strTable, prompt, progress);
    }
};

typedef CEngineExportBodies<OdbcEngine> Exports;

} // namespace

extern "C" {

CKemDatabase* __cdecl GetDatabase(int nType) { return Exports::GetDatabase(nType); }
CKemRecordset* __cdecl GetRecordset(CKemDatabase* pDatabase) { return Exports::GetRecordset(pDatabase); }
void __cdecl ReleaseDatabase(CKemDatabase* pDatabase) { delete pDatabase; }
void __cdecl ReleaseRecordset(CKemRecordset* pRecordset) { delete pRecordset; }

int __cdecl LoadKemReportData(CCellArray* pCells, CKemDatabase* pDatabase, CString strTable)
{
    return Exports::LoadReportData(pCells, pDatabase, strTable);
}

int __cdecl SaveKemReportData(CCellArray* pCells, CKemDatabase* pDatabase, CString strTable)
{
    return Exports::SaveReportData(pCells, pDatabase, strTable);
}

}
