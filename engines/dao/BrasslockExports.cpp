// The six exports of the DAO engine library.
#include "engines/common/DataSourceType.h"
#include "engines/common/EngineExportBodies.h"
#include "engines/common/EngineResources.h"
#include "engines/dao/DAODatabase.h"
#include "engines/dao/DAORecordset.h"
#include "engines/dao/DaoReportData.h"

namespace
{

struct DaoEngine
{
    typedef CDAODatabase Database;
    typedef CDAORecordset Recordset;
    static const UINT PROGRESS_DIALOG = IDD_BRASSLOCK_PROGRESS;
    static const UINT WARNING_BITMAP = IDB_BRASSLOCK_WARNING;

    static BOOL Serves(int nType) { return IsDaoEngineType(nType); }
    static int Load(CCellArray& cells, Database& db, const CString& strTable, CReportProgress& progress)
    {
        return LoadDaoReportData(cells, db, strTable, progress);
    }
    static int Save(CCellArray& cells, Database& db, const CString& strTable, CReportOverwritePrompt& prompt,
                    CReportProgress& progress)
    {
        return SaveDaoReportData(cells, db, strTable, prompt, progress);
    }
};

typedef CEngineExportBodies<DaoEngine> Exports;

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
