// COleDocument: a document that, with compound-file storage switched on,
// is kept as an OLE compound file whose stream "Contents" holds the
// archive written by Serialize.
#pragma once

#include "framework/docview/Document.h"

#include <objidl.h>

class COleDocument : public CDocument
{
    DECLARE_DYNAMIC(COleDocument)
public:
    COleDocument();

    // Switches compound-file storage on (the document's files become
    // compound files) or off (plain archive files).
    void EnableCompoundFile(BOOL bEnable = TRUE) { m_bCompoundFile = bEnable; }
    BOOL HasCompoundFile() const { return m_bCompoundFile; }

    // Reads the document from a file through Serialize, without touching
    // the modified flag or the path: a compound file's "Contents" stream,
    // or a file that is not a compound file as the contents themselves.
    // Throws CFileException, COleException or CArchiveException.
    void LoadFromFile(LPCSTR lpszPathName);
    // Writes the document as a compound file at lpszPathName through a
    // temporary file beside it; the old file is replaced only when every
    // byte was written.  Throws as LoadFromFile does.
    void SaveToFile(LPCSTR lpszPathName);

    // The "Contents" stream of a storage, through the Serialize of
    // pContents (this document when NULL).
    void LoadFromStorage(IStorage* lpStorage, CObject* pContents = NULL);
    void SaveToStorage(IStorage* lpStorage, CObject* pContents = NULL);

    // Opens a compound file for loading: read-write transacted (deny write)
    // and, when that is refused, read-only transacted.  Throws
    // COleException with the storage's status on failure.  The caller
    // releases the storage.
    static IStorage* OpenStorageFile(LPCSTR lpszPathName);
    // TRUE when the file exists and is a compound file.
    static BOOL IsStorageFile(LPCSTR lpszPathName);

protected:
    // The compound file when it is switched on, else the plain form.
    void LoadDocumentFile(LPCSTR lpszPathName) override;
    void StoreDocumentFile(LPCSTR lpszPathName) override;

    BOOL m_bCompoundFile;
};
