// A CFile over an OLE stream (IStream), so an archive reads and writes a
// stream of a compound file like any other file.
#pragma once

#include "framework/core/File.h"

#include <objidl.h>

class COleStreamFile : public CFile
{
    DECLARE_DYNAMIC(COleStreamFile)
public:
    // Takes a reference on lpStream when one is given.
    explicit COleStreamFile(IStream* lpStream = NULL);
    ~COleStreamFile() override;

    // Holds lpStream (a reference is taken); any earlier stream is released.
    void Attach(IStream* lpStream);
    // Gives up the stream without releasing it; returns it.
    IStream* Detach();
    IStream* GetStream() const { return m_lpStream; }

    // Opens or creates a named stream of a storage.  FALSE, with the status
    // in *pError when given, when the storage refuses.
    BOOL OpenStream(IStorage* lpStorage, LPCSTR lpszStreamName, DWORD nOpenFlags,
                    CFileException* pError = NULL);
    BOOL CreateStream(IStorage* lpStorage, LPCSTR lpszStreamName, DWORD nOpenFlags,
                      CFileException* pError = NULL);

    UINT Read(void* lpBuf, UINT nCount) override;
    void Write(const void* lpBuf, UINT nCount) override;
    ULONGLONG Seek(LONGLONG lOff, UINT nFrom) override;
    ULONGLONG GetPosition() const override;
    ULONGLONG GetLength() const override;
    void SetLength(ULONGLONG dwNewLen) override;
    // Commits the stream (meaningful for transacted storages).
    void Flush() override;
    // Releases the stream.
    void Close() override;
    void Abort() override;

private:
    // Holds a stream just opened or created, or records the failure.
    BOOL TakeStream(HRESULT hr, IStream* lpStream, LPCSTR lpszStreamName, CFileException* pError);
    ULONGLONG SeekStream(LONGLONG lOff, DWORD dwOrigin) const;

    IStream* m_lpStream;
};

// Throws the file exception that matches an OLE status code.
[[noreturn]] void AfxThrowFileExceptionFromScode(SCODE sc, LPCSTR lpszFileName = NULL);

// The UTF-16 form of an ANSI path or name, as the storage functions want.
class CWidePath
{
public:
    explicit CWidePath(LPCSTR lpsz);
    operator LPCWSTR() const { return m_sz; }

private:
    WCHAR m_sz[MAX_PATH * 2];
};
