// The bodies of the six exports, once for both engine libraries.  An
// engine describes itself with a traits class:
//   typedef ... Database; typedef ... Recordset;
//   static BOOL Serves(int nType);
//   static const UINT PROGRESS_DIALOG, WARNING_BITMAP;
//   static int Load(CCellArray&, Database&, const CString&, CReportProgress&);
//   static int Save(CCellArray&, Database&, const CString&, CReportOverwritePrompt&,
//                   CReportProgress&);
// and each library's exports file defines its six extern "C" functions
// with ENGINE_DEFINE_EXPORTS(traits).
#pragma once

#include "engines/common/ConfirmDialogPrompt.h"
#include "engines/common/EngineExports.h"
#include "engines/common/EngineProgressDlg.h"
#include "framework/core/Exception.h"
#include "sheet/Cell.h"

template<class TEngine>
class CEngineExportBodies
{
public:
    typedef typename TEngine::Database Database;
    typedef typename TEngine::Recordset Recordset;

    static CKemDatabase* GetDatabase(int nType)
    {
        try
        {
            Database* pDatabase = new Database;
            pDatabase->m_nType = nType;
            return pDatabase;
        }
        catch (CException* e)
        {
            e->Delete();
            return NULL;
        }
    }

    static CKemRecordset* GetRecordset(CKemDatabase* pDatabase)
    {
        Database* pEngineDatabase = dynamic_cast<Database*>(pDatabase);
        if (pEngineDatabase == NULL)
            return NULL;
        try
        {
            return new Recordset(pEngineDatabase);
        }
        catch (CException* e)
        {
            e->Delete();
            return NULL;
        }
    }

    static int LoadReportData(CCellArray* pCells, CKemDatabase* pDatabase, const CString& strTable)
    {
        Database* pEngineDatabase = ServedDatabase(pDatabase);
        if (pCells == NULL || pEngineDatabase == NULL)
            return 0;
        CDialogReportProgress progress(ENGINE_PROGRESS_LOAD, TEngine::PROGRESS_DIALOG);
        return TEngine::Load(*pCells, *pEngineDatabase, strTable, progress);
    }

    static int SaveReportData(CCellArray* pCells, CKemDatabase* pDatabase, const CString& strTable)
    {
        Database* pEngineDatabase = ServedDatabase(pDatabase);
        if (pCells == NULL || pEngineDatabase == NULL)
            return 0;
        CConfirmDialogPrompt prompt(TEngine::WARNING_BITMAP);
        CDialogReportProgress progress(ENGINE_PROGRESS_SAVE, TEngine::PROGRESS_DIALOG);
        return TEngine::Save(*pCells, *pEngineDatabase, strTable, prompt, progress);
    }

private:
    // The engine's database behind an interface pointer, when it is one of
    // this library's and of a type the library serves.
    static Database* ServedDatabase(CKemDatabase* pDatabase)
    {
        if (pDatabase == NULL || !TEngine::Serves(pDatabase->m_nType))
            return NULL;
        return dynamic_cast<Database*>(pDatabase);
    }
};

// The six exported functions of an engine library, forwarding to the
// bodies above.
#define ENGINE_DEFINE_EXPORTS(TEngine)                                                            \
    extern "C" {                                                                                  \
    CKemDatabase* __cdecl GetDatabase(int nType)                                                  \
    {                                                                                             \
        return CEngineExportBodies<TEngine>::GetDatabase(nType);                                  \
    }                                                                                             \
    CKemRecordset* __cdecl GetRecordset(CKemDatabase* pDatabase)                                  \
    {                                                                                             \
        return CEngineExportBodies<TEngine>::GetRecordset(pDatabase);                             \
    }                                                                                             \
    void __cdecl ReleaseDatabase(CKemDatabase* pDatabase) { delete pDatabase; }                   \
    void __cdecl ReleaseRecordset(CKemRecordset* pRecordset) { delete pRecordset; }               \
    int __cdecl LoadKemReportData(CCellArray* pCells, CKemDatabase* pDatabase, CString strTable)  \
    {                                                                                             \
        return CEngineExportBodies<TEngine>::LoadReportData(pCells, pDatabase, strTable);         \
    }                                                                                             \
    int __cdecl SaveKemReportData(CCellArray* pCells, CKemDatabase* pDatabase, CString strTable)  \
    {                                                                                             \
        return CEngineExportBodies<TEngine>::SaveReportData(pCells, pDatabase, strTable);         \
    }                                                                                             \
    }
