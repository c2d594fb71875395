#include "reporting/EngineLoader.h"

#include "engines/common/EngineExports.h"
#include "framework/core/MessageSink.h"

namespace {

const LPCSTR kLibraryFiles[ENGINE_LIBRARY_COUNT] = {
    "Brasslock.dll", "Larchwell.dll", "Odbc.dll", "Tamberlin.dll"
};

const int kTypeCount = 30;

// The folder of the running program, without a trailing backslash.
CString ProgramFolder()
{
    char szPath[MAX_PATH];
    DWORD n = GetModuleFileNameA(NULL, szPath, MAX_PATH);
    if (n == 0 || n >= MAX_PATH)
        return CString();
    CString strPath(szPath);
    int nSlash = strPath.ReverseFind('\\');
    return nSlash < 0 ? CString() : strPath.Left(nSlash);
}

void ShowLoaderMessage(LPCSTR lpszText)
{
    AfxMessageBox(lpszText, MB_OK);
}

// A library's export as its function type; NULL when it has none.
template <typename PFN>
PFN EngineExport(HMODULE hModule, LPCSTR lpszName)
{
    // Through the generic function type, which the compiler accepts as a cast.
    return reinterpret_cast<PFN>(reinterpret_cast<void (*)(void)>(GetProcAddress(hModule, lpszName)));
}

}

LPCSTR EngineLibraryFileName(int nIndex)
{
    return nIndex >= 0 && nIndex < ENGINE_LIBRARY_COUNT ? kLibraryFiles[nIndex] : NULL;
}

CEngineLibraryEntry::CEngineLibraryEntry() : m_hModule(NULL)
{
    m_databases.InitHashTable(10);
    m_recordsets.InitHashTable(10);
}

CEngineLoader::CEngineLoader() : m_bFoxProRequested(FALSE), m_strFolder(ProgramFolder())
{
    InitTypeMap();
}

CEngineLoader::CEngineLoader(LPCSTR lpszFolder) : m_bFoxProRequested(FALSE), m_strFolder(lpszFolder)
{
    InitTypeMap();
}

void CEngineLoader::InitTypeMap()
{
    for (int i = 0; i < ENGINE_LIBRARY_COUNT; ++i)
        m_pLibraries[i] = NULL;
    m_typeMap.RemoveAll();
    m_typeMap.InitHashTable(10);
    for (INT_PTR nType = 0; nType < kTypeCount; ++nType)
    {
        INT_PTR nLibrary = ENGINE_LIBRARY_DAO;
        if (nType >= 8 && nType <= 10)
            nLibrary = ENGINE_LIBRARY_FOXPRO;
        else if (nType == 26)
            nLibrary = ENGINE_LIBRARY_SYBASE;
        else if (nType >= 25)
            nLibrary = ENGINE_LIBRARY_ODBC;
        m_typeMap.SetAt(reinterpret_cast<void*>(nType), reinterpret_cast<void*>(nLibrary + 1));
    }
}

CEngineLoader::~CEngineLoader()
{
    for (int i = 0; i < ENGINE_LIBRARY_COUNT; ++i)
    {
        // Recordsets first: they refer to their databases.
        while (m_pLibraries[i] != NULL && !m_pLibraries[i]->m_recordsets.IsEmpty())
        {
            POSITION pos = m_pLibraries[i]->m_recordsets.GetStartPosition();
            void* pKey;
            void* pValue;
            m_pLibraries[i]->m_recordsets.GetNextAssoc(pos, pKey, pValue);
            ReleaseRecordset(static_cast<CKemRecordset*>(pKey));
            // A library without the export keeps it; forget it all the same.
            if (m_pLibraries[i] != NULL)
                m_pLibraries[i]->m_recordsets.RemoveKey(pKey);
        }
        while (m_pLibraries[i] != NULL && !m_pLibraries[i]->m_databases.IsEmpty())
        {
            POSITION pos = m_pLibraries[i]->m_databases.GetStartPosition();
            void* pKey;
            void* pValue;
            m_pLibraries[i]->m_databases.GetNextAssoc(pos, pKey, pValue);
            ReleaseDatabase(static_cast<CKemDatabase*>(pKey));
            if (m_pLibraries[i] != NULL)
                m_pLibraries[i]->m_databases.RemoveKey(pKey);
        }
        if (m_pLibraries[i] != NULL)
        {
            if (m_pLibraries[i]->m_hModule != NULL)
                FreeLibrary(m_pLibraries[i]->m_hModule);
            delete m_pLibraries[i];
            m_pLibraries[i] = NULL;
        }
    }
    m_typeMap.RemoveAll();
}

HMODULE CEngineLoader::LoadEngineLibrary(int nIndex)
{
    if (nIndex == ENGINE_LIBRARY_FOXPRO)
        m_bFoxProRequested = TRUE;
    LPCSTR lpszFile = EngineLibraryFileName(nIndex);
    HMODULE hModule = NULL;
    // Always a full path: a bare name would search the current directory,
    // which the file dialogs move about.
    if (lpszFile != NULL && !m_strFolder.IsEmpty())
        hModule = LoadLibraryA(m_strFolder + "\\" + lpszFile);
    if (hModule == NULL)
        ShowLoaderMessage("Failed to load DLL.");
    return hModule;
}

HMODULE CEngineLoader::GetLibraryModule(int nIndex) const
{
    if (nIndex < 0 || nIndex >= ENGINE_LIBRARY_COUNT || m_pLibraries[nIndex] == NULL)
        return NULL;
    return m_pLibraries[nIndex]->m_hModule;
}

int CEngineLoader::LibraryOfType(int nType) const
{
    void* pValue = NULL;
    if (!m_typeMap.Lookup(reinterpret_cast<void*>(static_cast<INT_PTR>(nType)), pValue))
    {
        ShowLoaderMessage("Invalid data source type.");
        return -1;
    }
    return static_cast<int>(reinterpret_cast<INT_PTR>(pValue)) - 1;
}

CKemDatabase* CEngineLoader::GetDatabase(int nType)
{
    int nIndex = LibraryOfType(nType);
    if (nIndex < 0)
        return NULL;
    if (m_pLibraries[nIndex] == NULL)
        m_pLibraries[nIndex] = new CEngineLibraryEntry;
    CEngineLibraryEntry* pEntry = m_pLibraries[nIndex];
    if (pEntry->m_hModule == NULL)
    {
        pEntry->m_hModule = LoadEngineLibrary(nIndex);
        if (pEntry->m_hModule == NULL)
        {
            ShowLoaderMessage("Failed to load DLL!");
            return NULL;
        }
    }
    PFN_GET_DATABASE pfnGet = EngineExport<PFN_GET_DATABASE>(pEntry->m_hModule, ENGINE_EXPORT_GET_DATABASE);
    if (pfnGet == NULL)
    {
        ShowLoaderMessage("Cannt find function GetDatabase()!");
        return NULL;
    }
    CKemDatabase* pDatabase = pfnGet(nType);
    if (pDatabase == NULL)
    {
        ShowLoaderMessage("Failde to create Database instance.");
        return NULL;
    }
    pEntry->m_databases.SetAt(pDatabase, reinterpret_cast<void*>(static_cast<INT_PTR>(nIndex)));
    return pDatabase;
}

CEngineLibraryEntry* CEngineLoader::LoadedEntryOf(CKemDatabase* pDatabase, int* pnIndex)
{
    if (pDatabase == NULL)
    {
        ShowLoaderMessage("ERROR");
        return NULL;
    }
    int nIndex = LibraryOfType(pDatabase->m_nType);
    if (nIndex < 0)
    {
        ShowLoaderMessage("ERROR");
        return NULL;
    }
    CEngineLibraryEntry* pEntry = m_pLibraries[nIndex];
    if (pEntry == NULL || pEntry->m_hModule == NULL)
    {
        ShowLoaderMessage("ERROR");
        return NULL;
    }
    *pnIndex = nIndex;
    return pEntry;
}

CKemRecordset* CEngineLoader::GetRecordset(CKemDatabase* pDatabase)
{
    int nIndex = -1;
    CEngineLibraryEntry* pEntry = LoadedEntryOf(pDatabase, &nIndex);
    if (pEntry == NULL)
        return NULL;
    PFN_GET_RECORDSET pfnGet = EngineExport<PFN_GET_RECORDSET>(pEntry->m_hModule, ENGINE_EXPORT_GET_RECORDSET);
    if (pfnGet == NULL)
    {
        ShowLoaderMessage("Cannot find function GetRecordset().");
        return NULL;
    }
    CKemRecordset* pRecordset = pfnGet(pDatabase);
    // Recorded so that the library stays loaded while the recordset lives.
    if (pRecordset != NULL)
        pEntry->m_recordsets.SetAt(pRecordset, reinterpret_cast<void*>(static_cast<INT_PTR>(nIndex)));
    return pRecordset;
}

int CEngineLoader::FindOwner(void* pObject, BOOL bRecordset) const
{
    for (int i = 0; i < ENGINE_LIBRARY_COUNT; ++i)
    {
        if (m_pLibraries[i] == NULL)
            continue;
        void* pValue;
        const CMapPtrToPtr& map = bRecordset ? m_pLibraries[i]->m_recordsets : m_pLibraries[i]->m_databases;
        if (map.Lookup(pObject, pValue))
            return i;
    }
    return -1;
}

template <typename PFN, typename T>
void CEngineLoader::ReleaseObject(T* pObject, BOOL bRecordset, LPCSTR lpszExport)
{
    if (pObject == NULL)
        return;
    // Found by the pointer itself: a recordset's database may be gone
    // already, and an object released before is never handed back again.
    int nIndex = FindOwner(pObject, bRecordset);
    if (nIndex < 0 || m_pLibraries[nIndex]->m_hModule == NULL)
    {
        ShowLoaderMessage("ERROR");
        return;
    }
    CEngineLibraryEntry* pEntry = m_pLibraries[nIndex];
    PFN pfnRelease = EngineExport<PFN>(pEntry->m_hModule, lpszExport);
    if (pfnRelease == NULL)
    {
        ShowLoaderMessage("ERROR");
        return;
    }
    (bRecordset ? pEntry->m_recordsets : pEntry->m_databases).RemoveKey(pObject);
    pfnRelease(pObject);
    UnloadWhenUnused(nIndex);
}

void CEngineLoader::ReleaseRecordset(CKemRecordset* pRecordset)
{
    ReleaseObject<PFN_RELEASE_RECORDSET>(pRecordset, TRUE, ENGINE_EXPORT_RELEASE_RECORDSET);
}

void CEngineLoader::ReleaseDatabase(CKemDatabase* pDatabase)
{
    ReleaseObject<PFN_RELEASE_DATABASE>(pDatabase, FALSE, ENGINE_EXPORT_RELEASE_DATABASE);
}

void CEngineLoader::UnloadWhenUnused(int nIndex)
{
    CEngineLibraryEntry* pEntry = m_pLibraries[nIndex];
    if (pEntry == NULL || !pEntry->m_databases.IsEmpty() || !pEntry->m_recordsets.IsEmpty())
        return;
    // The DAO library shuts its own DAO layer down when it is unloaded: each
    // module keeps its own framework state.
    if (pEntry->m_hModule != NULL)
        FreeLibrary(pEntry->m_hModule);
    delete pEntry;
    m_pLibraries[nIndex] = NULL;
}

int CEngineLoader::CallReportData(LPCSTR lpszExport, CCellArray* pCells, CKemDatabase* pDatabase,
                                  const CString& strTable)
{
    int nIndex = -1;
    CEngineLibraryEntry* pEntry = LoadedEntryOf(pDatabase, &nIndex);
    if (pEntry == NULL)
        return 0;
    PFN_REPORT_DATA pfn = EngineExport<PFN_REPORT_DATA>(pEntry->m_hModule, lpszExport);
    if (pfn == NULL)
        return 0;
    return pfn(pCells, pDatabase, strTable);
}

int CEngineLoader::LoadReportData(CCellArray* pCells, CKemDatabase* pDatabase, CString strTable)
{
    return CallReportData(ENGINE_EXPORT_LOAD_REPORT_DATA, pCells, pDatabase, strTable);
}

int CEngineLoader::SaveReportData(CCellArray* pCells, CKemDatabase* pDatabase, CString strTable)
{
    return CallReportData(ENGINE_EXPORT_SAVE_REPORT_DATA, pCells, pDatabase, strTable);
}
