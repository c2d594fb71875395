// Binary files over Win32 file handles, and the exception their failures
// raise.  CFile is also the base of the in-memory and stream files, so the
// archive reaches every kind of file through its virtual members.
#pragma once

#include "framework/core/Exception.h"
#include "framework/core/String.h"

class CFileException : public CException
{
    DECLARE_DYNAMIC(CFileException)
public:
    enum
    {
        none,
        genericException,
        fileNotFound,
        badPath,
        tooManyOpenFiles,
        accessDenied,
        invalidFile,
        removeCurrentDir,
        directoryFull,
        badSeek,
        hardIO,
        sharingViolation,
        lockViolation,
        diskFull,
        endOfFile
    };

    explicit CFileException(int cause = none, LONG lOsError = -1, LPCSTR lpszFileName = NULL);

    BOOL GetErrorMessage(LPSTR lpszError, UINT nMaxError, PUINT pnHelpContext = NULL) const override;

    // Maps a Win32 error code (GetLastError) to one of the causes above.
    static int OsErrorToException(LONG lOsError);
    [[noreturn]] static void ThrowOsError(LONG lOsError, LPCSTR lpszFileName = NULL);

    int m_cause;
    LONG m_lOsError;
    CString m_strFileName;
};

[[noreturn]] void AfxThrowFileException(int cause, LONG lOsError = -1, LPCSTR lpszFileName = NULL);

// Formats a message whose one %s names a file ("the file "NAME"", or "an
// unnamed file" when lpszFileName is empty), first letter capitalised.
BOOL AfxFormatFileErrorMessage(LPCSTR lpszFormat, LPCSTR lpszFileName, LPSTR lpszError,
                               UINT nMaxError);

// One name for one file: the full path of lpszPath (relative parts, "."
// and ".." resolved) with its short (8.3) names written out long; the path
// as given when it cannot be resolved.
CString AfxFullPath(LPCSTR lpszPath);

struct CFileStatus
{
    FILETIME m_ctime;                 // creation
    FILETIME m_mtime;                 // last write
    FILETIME m_atime;                 // last access
    ULONGLONG m_size;
    BYTE m_attribute;                 // CFile::Attribute bits
    char m_szFullName[MAX_PATH];
};

class CFile : public CObject
{
    DECLARE_DYNAMIC(CFile)
public:
    enum OpenFlags
    {
        modeRead = 0x0000,
        modeWrite = 0x0001,
        modeReadWrite = 0x0002,
        shareCompat = 0x0000,
        shareExclusive = 0x0010,
        shareDenyWrite = 0x0020,
        shareDenyRead = 0x0030,
        shareDenyNone = 0x0040,
        modeNoInherit = 0x0080,
        modeCreate = 0x1000,
        modeNoTruncate = 0x2000,
        typeText = 0x4000,
        typeBinary = 0x8000
    };

    enum Attribute
    {
        normal = 0x00,
        readOnly = 0x01,
        hidden = 0x02,
        system = 0x04,
        volume = 0x08,
        directory = 0x10,
        archive = 0x20
    };

    enum SeekPosition { begin = 0, current = 1, end = 2 };

    static const HANDLE hFileNull;

    CFile();
    // Wraps a handle opened elsewhere; the destructor does not close it.
    explicit CFile(HANDLE hFile);
    // Opens the file or throws CFileException.
    CFile(LPCSTR lpszFileName, UINT nOpenFlags);
    ~CFile() override;

    CFile(const CFile&) = delete;
    CFile& operator=(const CFile&) = delete;

    virtual BOOL Open(LPCSTR lpszFileName, UINT nOpenFlags, CFileException* pError = NULL);

    // Returns the number of bytes read: fewer than nCount only at the end of
    // the file, which is not an error.
    virtual UINT Read(void* lpBuf, UINT nCount);
    // Writes all nCount bytes or throws CFileException.
    virtual void Write(const void* lpBuf, UINT nCount);

    virtual ULONGLONG Seek(LONGLONG lOff, UINT nFrom);
    void SeekToBegin();
    ULONGLONG SeekToEnd();
    virtual ULONGLONG GetPosition() const;
    virtual ULONGLONG GetLength() const;
    // Cuts or extends the file; the position is left at the new length.
    virtual void SetLength(ULONGLONG dwNewLen);

    virtual void Flush();
    virtual void Close();
    // Closes without throwing; for cleanup after a failure.
    virtual void Abort();

    // The full path the file was opened with, and its last component.
    virtual CString GetFilePath() const;
    virtual CString GetFileName() const;
    virtual void SetFilePath(LPCSTR lpszNewName);

    static void Rename(LPCSTR lpszOldName, LPCSTR lpszNewName);
    static void Remove(LPCSTR lpszFileName);
    // FALSE when no file or folder of that name exists.
    static BOOL GetStatus(LPCSTR lpszFileName, CFileStatus& rStatus);

    operator HANDLE() const { return m_hFile; }

    HANDLE m_hFile;

protected:
    BOOL m_bCloseOnDelete;
    CString m_strFileName;
};
