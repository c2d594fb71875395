// Buffered binary serialization over a CFile: little-endian primitives,
// element counts, length-prefixed strings and run-time-typed objects.
#pragma once

#include "framework/core/File.h"

class CDocument;

class CArchiveException : public CException
{
    DECLARE_DYNAMIC(CArchiveException)
public:
    enum
    {
        none,
        genericException,
        readOnly,
        endOfFile,
        writeOnly,
        badIndex,
        badClass,
        badSchema
    };

    explicit CArchiveException(int cause = none, LPCSTR lpszArchiveName = NULL);

    BOOL GetErrorMessage(LPSTR lpszError, UINT nMaxError, PUINT pnHelpContext = NULL) const override;

    int m_cause;
    CString m_strFileName;
};

[[noreturn]] void AfxThrowArchiveException(int cause, LPCSTR lpszArchiveName = NULL);

struct ArchiveObjectMap;

class CArchive
{
public:
    enum Mode { store = 0, load = 1, bNoFlushOnDelete = 2 };

    // lpBuf, when given, is the caller's buffer of nBufSize bytes.
    CArchive(CFile* pFile, UINT nMode, int nBufSize = 4096, void* lpBuf = NULL);
    // Closes the archive unless it was made with bNoFlushOnDelete; a failure
    // to write the last buffer is lost here, so callers Close explicitly.
    ~CArchive();

    CArchive(const CArchive&) = delete;
    CArchive& operator=(const CArchive&) = delete;

    BOOL IsLoading() const { return (m_nMode & load) != 0; }
    BOOL IsStoring() const { return (m_nMode & load) == 0; }
    CFile* GetFile() const { return m_pFile; }

    // Storing: writes the buffer to the file.  Loading: moves the file back
    // to the archive's read position and drops the read-ahead.
    void Flush();
    // Flushes and detaches from the file, which stays open.
    void Close();
    // Detaches without writing anything; never throws.
    void Abort();

    // Returns the number of bytes read; fewer than nMax only at the end of
    // the data, which is not an error here.
    UINT Read(void* lpBuf, UINT nMax);
    void Write(const void* lpBuf, UINT nMax);

    // Bytes between the read position and the end of the file, or
    // (ULONGLONG)-1 when the file cannot tell.  For checking counts read
    // from the file before allocating for them.
    ULONGLONG GetBytesRemaining() const;

    // A u16 count; 0xFFFF or more as u16 0xFFFF then a u32.
    void WriteCount(DWORD_PTR dwCount);
    DWORD_PTR ReadCount();

    void WriteObject(const CObject* pOb);
    // Reads an object written by WriteObject; throws CArchiveException
    // (badClass) unless it is of pClassRefRequested or derived from it.
    CObject* ReadObject(const CRuntimeClass* pClassRefRequested);

    CArchive& operator<<(BYTE by);
    CArchive& operator<<(char ch);
    CArchive& operator<<(WORD w);
    CArchive& operator<<(short n);
    CArchive& operator<<(int n);            // also LONG
    CArchive& operator<<(UINT n);           // also DWORD
    CArchive& operator<<(LONGLONG n);
    CArchive& operator<<(ULONGLONG n);
    CArchive& operator<<(float f);
    CArchive& operator<<(double d);

    // Each throws CArchiveException (endOfFile) when the data runs out.
    CArchive& operator>>(BYTE& by);
    CArchive& operator>>(char& ch);
    CArchive& operator>>(WORD& w);
    CArchive& operator>>(short& n);
    CArchive& operator>>(int& n);
    CArchive& operator>>(UINT& n);
    CArchive& operator>>(LONGLONG& n);
    CArchive& operator>>(ULONGLONG& n);
    CArchive& operator>>(float& f);
    CArchive& operator>>(double& d);

    CDocument* m_pDocument;

private:
    friend CArchive& operator>>(CArchive& ar, CString& str);

    void FillBuffer();
    void ReadExact(void* lpBuf, UINT nCount);
    [[noreturn]] void ThrowException(int cause) const;
    void WriteClass(const CRuntimeClass* pClass);
    CRuntimeClass* ReadClass(WORD wTag);

    CFile* m_pFile;
    UINT m_nMode;
    BYTE* m_lpBufStart;
    UINT m_nBufSize;
    UINT m_nBufCur;             // next byte to read or write
    UINT m_nBufMax;             // loading: end of the bytes read ahead
    BOOL m_bUserBuf;
    ArchiveObjectMap* m_pObjectMap;
};

// Strings in the archive form: a length prefix (u8 below 255; else u8 0xFF
// and u16 below 0xFFFE; else u8 0xFF, u16 0xFFFF and u32) and the bytes.
CArchive& operator<<(CArchive& ar, const CString& str);
CArchive& operator>>(CArchive& ar, CString& str);

CArchive& operator<<(CArchive& ar, const CObject* pOb);
CArchive& operator>>(CArchive& ar, CObject*& pOb);
