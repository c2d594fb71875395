// The six exports of the DAO engine library.
#include "engines/common/DataSourceType.h"
#include "engines/common/EngineExports.h"
#include "engines/common/ConfirmDialogPrompt.h"
#include "engines/common/EngineResources.h"
#include "engines/dao/DAODatabase.h"
#include "engines/dao/DAORecordset.h"
#include "engines/dao/DaoReportData.h"
#include "sheet/Cell.h"

namespace
{

// The engine's database behind an interface pointer, when it is one of this
// library's and of a type the library serves.
CDAODatabase* ServedDatabase(CKemDatabase* pDatabase)
{
    if (pDatabase == NULL || !IsDaoEngineType(pDatabase->m_nType))
        return NULL;
    return DYNAMIC_DOWNCAST(CDAODatabase, pDatabase);
}

} // namespace

extern "C" {

CKemDatabase* __cdecl GetDatabase(int nType)
{
    try
    {
        CDAODatabase* pDatabase = new CDAODatabase;
        pDatabase->m_nType = nType;
        return pDatabase;
    }
    catch (CException* e)
    {
        e->Delete();
        return NULL;
    }
}

CKemRecordset* __cdecl GetRecordset(CKemDatabase* pDatabase)
{
    CDAODatabase* pDaoDatabase = DYNAMIC_DOWNCAST(CDAODatabase, pDatabase);
    if (pDaoDatabase == NULL)
        return NULL;
    try
    {
        return new CDAORecordset(pDaoDatabase);
    }
    catch (CException* e)
    {
        e->Delete();
        return NULL;
    }
}

void __cdecl ReleaseDatabase(CKemDatabase* pDatabase)
{
    delete pDatabase;
}

void __cdecl ReleaseRecordset(CKemRecordset* pRecordset)
{
    delete pRecordset;
}

int __cdecl LoadKemReportData(CCellArray* pCells, CKemDatabase* pDatabase, CString strTable)
{
    CDAODatabase* pDaoDatabase = ServedDatabase(pDatabase);
    if (pCells == NULL || pDaoDatabase == NULL)
        return 0;
    CDialogReportProgress progress(ENGINE_PROGRESS_LOAD, IDD_BRASSLOCK_PROGRESS);
    return LoadDaoReportData(*pCells, *pDaoDatabase, strTable, progress);
}

int __cdecl SaveKemReportData(CCellArray* pCells, CKemDatabase* pDatabase, CString strTable)
{
    CDAODatabase* pDaoDatabase = ServedDatabase(pDatabase);
    if (pCells == NULL || pDaoDatabase == NULL)
        return 0;
    CConfirmDialogPrompt prompt(IDB_BRASSLOCK_WARNING);
    CDialogReportProgress progress(ENGINE_PROGRESS_SAVE, IDD_BRASSLOCK_PROGRESS);
    return SaveDaoReportData(*pCells, *pDaoDatabase, strTable, prompt, progress);
}

}
