// A stand-in engine library for the loader tests: it serves every type
// with the abstract classes, counts the objects alive, and can be built
// without some of its exports.
#include "engines/common/EngineExports.h"
#include "engines/common/EngineModule.h"

namespace {
LONG g_nLiveObjects = 0;
}

extern "C" {

CKemDatabase* __cdecl GetDatabase(int nType)
{
    // Type 5 plays an engine that cannot make a database.
    if (nType == 5)
        return NULL;
    CKemDatabase* pDatabase = new CKemDatabase;
    pDatabase->m_nType = nType;
    ++g_nLiveObjects;
    return pDatabase;
}

void __cdecl ReleaseDatabase(CKemDatabase* pDatabase)
{
    if (pDatabase == NULL)
        return;
    --g_nLiveObjects;
    delete pDatabase;
}

#ifndef PROBE_WITHOUT_RECORDSETS
CKemRecordset* __cdecl GetRecordset(CKemDatabase* pDatabase)
{
    ++g_nLiveObjects;
    return new CKemRecordset(pDatabase);
}

void __cdecl ReleaseRecordset(CKemRecordset* pRecordset)
{
    if (pRecordset == NULL)
        return;
    --g_nLiveObjects;
    delete pRecordset;
}

// The report functions answer the number of cells and the table name's
// length, so a test sees that both arguments arrived.
int __cdecl LoadKemReportData(CCellArray*, CKemDatabase* pDatabase, CString strTable)
{
    return pDatabase != NULL ? 100 + strTable.GetLength() : 0;
}

int __cdecl SaveKemReportData(CCellArray*, CKemDatabase* pDatabase, CString strTable)
{
    return pDatabase != NULL ? 200 + strTable.GetLength() : 0;
}
#endif

LONG __cdecl ProbeLiveObjects()
{
    return g_nLiveObjects;
}

// The module the engine's shared dialog code takes its resources from.
HINSTANCE __cdecl ProbeEngineModule()
{
    return EngineModuleHandle();
}

}
