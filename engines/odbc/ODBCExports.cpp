// The six exports of the ODBC engine library.
#include "engines/common/DataSourceType.h"
#include "engines/common/EngineExports.h"
#include "engines/common/ConfirmDialogPrompt.h"
#include "engines/common/EngineResources.h"
#include "engines/common/ReportDataTransfer.h"
#include "engines/odbc/ODBCDatabase.h"
#include "engines/odbc/ODBCRecordset.h"
#include "engines/odbc/ODBCReportData.h"
#include "sheet/Cell.h"

namespace
{

// The library's open database behind an interface pointer, when it is of a
// type the library serves.
CODBCDatabase* ServedDatabase(CKemDatabase* pDatabase)
{
    if (pDatabase == NULL || !IsOdbcEngineType(pDatabase->m_nType))
        return NULL;
    return dynamic_cast<CODBCDatabase*>(pDatabase);
}

} // namespace

extern "C" {

CKemDatabase* __cdecl GetDatabase(int nType)
{
    try
    {
        CODBCDatabase* pDatabase = new CODBCDatabase;
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
    CODBCDatabase* pOdbcDatabase = dynamic_cast<CODBCDatabase*>(pDatabase);
    if (pOdbcDatabase == NULL)
        return NULL;
    try
    {
        return new CODBCRecordset(pOdbcDatabase);
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
    CODBCDatabase* pOdbcDatabase = ServedDatabase(pDatabase);
    if (pCells == NULL || pOdbcDatabase == NULL)
        return 0;
    CDialogReportProgress progress(ENGINE_PROGRESS_LOAD, IDD_ODBC_PROGRESS);
    return LoadOdbcReportData(*pCells, *pOdbcDatabase, strTable, progress);
}

int __cdecl SaveKemReportData(CCellArray* pCells, CKemDatabase* pDatabase, CString strTable)
{
    CODBCDatabase* pOdbcDatabase = ServedDatabase(pDatabase);
    if (pCells == NULL || pOdbcDatabase == NULL)
        return 0;
    CConfirmDialogPrompt prompt(IDB_ODBC_WARNING);
    CDialogReportProgress progress(ENGINE_PROGRESS_SAVE, IDD_ODBC_PROGRESS);
    return SaveOdbcReportData(*pCells, *pOdbcDatabase, strTable, prompt, progress);
}

}
