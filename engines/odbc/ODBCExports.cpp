// The six exports of the ODBC engine library.
#include "engines/common/DataSourceType.h"
#include "engines/common/EngineExports.h"
#include "engines/common/OverwritePrompt.h"
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

class CNoProgress : public CReportProgress
{
public:
    void SetPos(int) override {}
};

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
    CNoProgress progress;
    return LoadOdbcReportData(*pCells, *pOdbcDatabase, strTable, progress);
}

int __cdecl SaveKemReportData(CCellArray* pCells, CKemDatabase* pDatabase, CString strTable)
{
    CODBCDatabase* pOdbcDatabase = ServedDatabase(pDatabase);
    if (pCells == NULL || pOdbcDatabase == NULL)
        return 0;
    CMessageOverwritePrompt prompt;
    CNoProgress progress;
    return SaveOdbcReportData(*pCells, *pOdbcDatabase, strTable, prompt, progress);
}

}
