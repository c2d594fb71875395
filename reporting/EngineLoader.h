// CEngineLoader: the programs' only link to the engine libraries.  It maps a
// data-source type to its library, loads the library from the program's own
// folder when a database of it is first asked for, looks up the library's
// exports at every call, and unloads the library once every database and
// recordset it handed out has been released.
#pragma once

#include "framework/core/Map.h"
#include "framework/core/Object.h"
#include "framework/core/String.h"

class CCellArray;
class CKemDatabase;
class CKemRecordset;

// The engine libraries, by index.
enum EngineLibrary
{
    ENGINE_LIBRARY_DAO = 0,
    ENGINE_LIBRARY_FOXPRO = 1,
    ENGINE_LIBRARY_ODBC = 2,
    ENGINE_LIBRARY_SYBASE = 3,
    ENGINE_LIBRARY_COUNT = 4
};

// The file name of a library ("Brasslock.dll", ...); NULL out of range.
LPCSTR EngineLibraryFileName(int nIndex);

// One library: its module and what it has handed out and not yet got back.
struct CEngineLibraryEntry
{
    CEngineLibraryEntry();

    HMODULE m_hModule;
    CMapPtrToPtr m_databases;   // CKemDatabase* -> library index
    CMapPtrToPtr m_recordsets;  // CKemRecordset* -> library index
};

class CEngineLoader : public CObject
{
public:
    // Libraries are loaded from the program's own folder.
    CEngineLoader();
    // Libraries are loaded from lpszFolder (a Windows path).
    explicit CEngineLoader(LPCSTR lpszFolder);
    ~CEngineLoader() override;

    HMODULE LoadEngineLibrary(int nIndex);

    CKemDatabase* GetDatabase(int nType);
    CKemRecordset* GetRecordset(CKemDatabase* pDatabase);
    void ReleaseRecordset(CKemRecordset* pRecordset);
    void ReleaseDatabase(CKemDatabase* pDatabase);
    int LoadReportData(CCellArray* pCells, CKemDatabase* pDatabase, CString strTable);
    int SaveReportData(CCellArray* pCells, CKemDatabase* pDatabase, CString strTable);

    // The module of a library; NULL while it is not loaded.
    HMODULE GetLibraryModule(int nIndex) const;
    CString GetLibraryFolder() const { return m_strFolder; }

    CEngineLibraryEntry* m_pLibraries[ENGINE_LIBRARY_COUNT];
    CMapPtrToPtr m_typeMap;
    BOOL m_bFoxProRequested;

private:
    void InitTypeMap();
    // The library index of a data-source type, after the message for an
    // unknown type; -1 then.
    int LibraryOfType(int nType) const;
    // The loaded entry serving the database, after the messages for an
    // unknown type and a library that is not there; NULL then.
    CEngineLibraryEntry* LoadedEntryOf(CKemDatabase* pDatabase, int* pnIndex);
    // The library that handed out the object, or -1.
    int FindOwner(void* pObject, BOOL bRecordset) const;
    // Hands the object back to the library that made it, once.
    template <typename PFN, typename T>
    void ReleaseObject(T* pObject, BOOL bRecordset, LPCSTR lpszExport);
    void UnloadWhenUnused(int nIndex);
    int CallReportData(LPCSTR lpszExport, CCellArray* pCells, CKemDatabase* pDatabase,
                       const CString& strTable);

    CString m_strFolder;
};
