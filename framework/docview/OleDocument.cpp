#include "framework/docview/OleDocument.h"

#include "framework/core/Archive.h"
#include "framework/docview/FileReplacer.h"
#include "framework/docview/OleStreamFile.h"
#include "framework/docview/ScopedInterface.h"

IMPLEMENT_DYNAMIC(COleDocument, CDocument)

namespace
{
const char szContents[] = "Contents";
// Less room than this left on a disk when a write failed: the disk is full.
const ULONGLONG kFullDisk = 64 * 1024;

// The storage reports a write that found no room as a write fault; told
// apart while the half-written file still takes its room.
void NameWriteFault(CFileException* e, const CString& strTempPath)
{
    if (e->m_cause != CFileException::hardIO && e->m_cause != CFileException::genericException)
        return;
    CString strFolder = strTempPath.Left(strTempPath.ReverseFind('\\') + 1);
    ULARGE_INTEGER free;
    if (GetDiskFreeSpaceExA(strFolder.IsEmpty() ? CString(".") : strFolder, &free, NULL, NULL) &&
        free.QuadPart < kFullDisk)
    {
        e->m_cause = CFileException::diskFull;
        e->m_lOsError = STG_E_MEDIUMFULL;
    }
}
}

COleDocument::COleDocument() : m_bCompoundFile(FALSE)
{
}

BOOL COleDocument::IsStorageFile(LPCSTR lpszPathName)
{
    return StgIsStorageFile(CWidePath(lpszPathName)) == S_OK;
}

IStorage* COleDocument::OpenStorageFile(LPCSTR lpszPathName)
{
    CWidePath path(lpszPathName);
    IStorage* lpStorage = NULL;
    HRESULT hr = StgOpenStorage(path, NULL, STGM_READWRITE | STGM_TRANSACTED | STGM_SHARE_DENY_WRITE,
                                NULL, 0, &lpStorage);
    if (FAILED(hr))
        hr = StgOpenStorage(path, NULL, STGM_READ | STGM_TRANSACTED | STGM_SHARE_DENY_WRITE, NULL, 0,
                            &lpStorage);
    if (FAILED(hr))
        AfxThrowOleException(hr);
    return lpStorage;
}

void COleDocument::LoadFromStorage(IStorage* lpStorage, CObject* pContents)
{
    COleStreamFile file;
    CFileException fe;
    if (!file.OpenStream(lpStorage, szContents, STGM_READ | STGM_SHARE_EXCLUSIVE, &fe))
        AfxThrowFileException(CFileException::invalidFile, fe.m_lOsError, GetPathName());
    CArchive ar(&file, CArchive::load | CArchive::bNoFlushOnDelete);
    ar.m_pDocument = this;
    (pContents != NULL ? pContents : this)->Serialize(ar);
    ar.Close();
}

void COleDocument::SaveToStorage(IStorage* lpStorage, CObject* pContents)
{
    COleStreamFile file;
    CFileException fe;
    if (!file.CreateStream(lpStorage, szContents,
                           STGM_CREATE | STGM_READWRITE | STGM_SHARE_EXCLUSIVE, &fe))
        AfxThrowFileExceptionFromScode((SCODE)fe.m_lOsError, GetPathName());
    CArchive ar(&file, CArchive::store | CArchive::bNoFlushOnDelete);
    ar.m_pDocument = this;
    (pContents != NULL ? pContents : this)->Serialize(ar);
    ar.Close();
    file.Flush();
}

void COleDocument::LoadFromFile(LPCSTR lpszPathName)
{
    // A file that is not a compound file is read as what a conversion to
    // one would show as its contents, without rewriting the file.
    if (!IsStorageFile(lpszPathName))
    {
        CDocument::LoadDocumentFile(lpszPathName);
        return;
    }
    CScopedInterface<IStorage> storage;
    storage.Attach(OpenStorageFile(lpszPathName));
    LoadFromStorage(storage);
}

void COleDocument::SaveToFile(LPCSTR lpszPathName)
{
    CFileReplacer replacer(lpszPathName);
    try
    {
        CScopedInterface<IStorage> storage;
        HRESULT hr = StgCreateDocfile(CWidePath(replacer.GetTempPath()),
                                      STGM_CREATE | STGM_READWRITE | STGM_SHARE_EXCLUSIVE, 0,
                                      &storage);
        if (FAILED(hr))
            AfxThrowFileExceptionFromScode(hr, lpszPathName);
        SaveToStorage(storage);
        hr = storage->Commit(STGC_DEFAULT);
        if (FAILED(hr))
            AfxThrowFileExceptionFromScode(hr, lpszPathName);
    }
    catch (CFileException* e)
    {
        NameWriteFault(e, replacer.GetTempPath());
        // The user's file, not the stream inside it that failed.
        e->m_strFileName = lpszPathName;
        throw;
    }
    replacer.Commit();
}

void COleDocument::LoadDocumentFile(LPCSTR lpszPathName)
{
    if (m_bCompoundFile)
        LoadFromFile(lpszPathName);
    else
        CDocument::LoadDocumentFile(lpszPathName);
}

void COleDocument::StoreDocumentFile(LPCSTR lpszPathName)
{
    if (m_bCompoundFile)
        SaveToFile(lpszPathName);
    else
        CDocument::StoreDocumentFile(lpszPathName);
}
