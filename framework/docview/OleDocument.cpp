#include "framework/docview/OleDocument.h"

#include "framework/core/Archive.h"
#include "framework/docview/FileReplacer.h"
#include "framework/docview/OleStreamFile.h"
#include "framework/docview/ScopedInterface.h"

IMPLEMENT_DYNAMIC(COleDocument, CDocument)

namespace
{
const char szContents[] = "Contents";
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
