#include "framework/core/File.h"

#include <stdio.h>
#include <string.h>
#include <vector>

IMPLEMENT_DYNAMIC(CFileException, CException)
IMPLEMENT_DYNAMIC(CFile, CObject)

const HANDLE CFile::hFileNull = INVALID_HANDLE_VALUE;

CFileException::CFileException(int cause, LONG lOsError, LPCSTR lpszFileName)
    : m_cause(cause), m_lOsError(lOsError), m_strFileName(lpszFileName != NULL ? lpszFileName : "")
{
}

BOOL AfxFormatFileErrorMessage(LPCSTR lpszFormat, LPCSTR lpszFileName, LPSTR lpszError,
                               UINT nMaxError)
{
    if (lpszError == NULL || nMaxError == 0)
        return FALSE;
    const char* name = lpszFileName != NULL ? lpszFileName : "";
    std::vector<char> subject(strlen(name) + 16);
    if (*name != '\0')
        snprintf(subject.data(), subject.size(), "the file \"%s\"", name);
    else
        snprintf(subject.data(), subject.size(), "an unnamed file");
    std::vector<char> text(strlen(lpszFormat) + subject.size());
    snprintf(text.data(), text.size(), lpszFormat, subject.data());
    if (text[0] >= 'a' && text[0] <= 'z')
        text[0] = (char)(text[0] - 'a' + 'A');
    return AfxCopyErrorMessage(text.data(), lpszError, nMaxError);
}

BOOL CFileException::GetErrorMessage(LPSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const
{
    if (pnHelpContext != NULL)
        *pnHelpContext = 0;
    LPCSTR format;
    switch (m_cause)
    {
    case none: format = "No error occurred while accessing %s."; break;
    case fileNotFound: format = "%s was not found."; break;
    case badPath: format = "The path of %s is invalid or does not exist."; break;
    case tooManyOpenFiles: format = "%s could not be opened: too many files are open."; break;
    case accessDenied: format = "Access to %s was denied."; break;
    case invalidFile: format = "An invalid file handle was used for %s."; break;
    case removeCurrentDir: format = "%s could not be removed: it is the current folder."; break;
    case directoryFull: format = "%s could not be created: the folder is full."; break;
    case badSeek: format = "Moving to a position in %s failed."; break;
    case hardIO: format = "A hardware error occurred while accessing %s."; break;
    case sharingViolation: format = "%s is in use by another program (sharing violation)."; break;
    case lockViolation: format = "A locked region of %s could not be accessed."; break;
    case diskFull: format = "The disk is full: %s could not be written."; break;
    case endOfFile: format = "An attempt was made to read past the end of %s."; break;
    default: format = "An unexpected error occurred while accessing %s."; break;
    }
    return AfxFormatFileErrorMessage(format, m_strFileName, lpszError, nMaxError);
}

int CFileException::OsErrorToException(LONG lOsError)
{
    switch (lOsError)
    {
    case NO_ERROR:
        return none;
    case ERROR_FILE_NOT_FOUND:
        return fileNotFound;
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
    case ERROR_BAD_NETPATH:
    case ERROR_BAD_NET_NAME:
    case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME:
    case ERROR_FILENAME_EXCED_RANGE:
    case ERROR_DIRECTORY:
        return badPath;
    case ERROR_TOO_MANY_OPEN_FILES:
        return tooManyOpenFiles;
    case ERROR_ACCESS_DENIED:
    case ERROR_WRITE_PROTECT:
    case ERROR_NETWORK_ACCESS_DENIED:
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS:
    case ERROR_INVALID_ACCESS:
        return accessDenied;
    case ERROR_INVALID_HANDLE:
        return invalidFile;
    case ERROR_CURRENT_DIRECTORY:
        return removeCurrentDir;
    case ERROR_CANNOT_MAKE:
        return directoryFull;
    case ERROR_SEEK:
    case ERROR_NEGATIVE_SEEK:
    case ERROR_SEEK_ON_DEVICE:
        return badSeek;
    case ERROR_NOT_READY:
    case ERROR_CRC:
    case ERROR_SECTOR_NOT_FOUND:
    case ERROR_WRITE_FAULT:
    case ERROR_READ_FAULT:
    case ERROR_GEN_FAILURE:
    case ERROR_IO_DEVICE:
        return hardIO;
    case ERROR_SHARING_VIOLATION:
        return sharingViolation;
    case ERROR_LOCK_VIOLATION:
    case ERROR_LOCK_FAILED:
    case ERROR_DRIVE_LOCKED:
        return lockViolation;
    case ERROR_HANDLE_DISK_FULL:
    case ERROR_DISK_FULL:
        return diskFull;
    case ERROR_HANDLE_EOF:
        return endOfFile;
    default:
        return genericException;
    }
}

void CFileException::ThrowOsError(LONG lOsError, LPCSTR lpszFileName)
{
    // A failed call that left no error code still has to fail loudly.
    int cause = lOsError != NO_ERROR ? OsErrorToException(lOsError) : (int)genericException;
    throw new CFileException(cause, lOsError, lpszFileName);
}

void AfxThrowFileException(int cause, LONG lOsError, LPCSTR lpszFileName)
{
    throw new CFileException(cause, lOsError, lpszFileName);
}

CFile::CFile() : m_hFile(hFileNull), m_bCloseOnDelete(FALSE)
{
}

CFile::CFile(HANDLE hFile) : m_hFile(hFile), m_bCloseOnDelete(FALSE)
{
}

CFile::CFile(LPCSTR lpszFileName, UINT nOpenFlags) : m_hFile(hFileNull), m_bCloseOnDelete(FALSE)
{
    CFileException error;
    if (!Open(lpszFileName, nOpenFlags, &error))
        AfxThrowFileException(error.m_cause, error.m_lOsError, error.m_strFileName);
}

CFile::~CFile()
{
    if (m_hFile != hFileNull && m_bCloseOnDelete)
        Abort();
}

BOOL CFile::Open(LPCSTR lpszFileName, UINT nOpenFlags, CFileException* pError)
{
    if (m_hFile != hFileNull)
        Abort();
    if (lpszFileName == NULL)
        lpszFileName = "";

    DWORD access;
    switch (nOpenFlags & 3)
    {
    case modeRead: access = GENERIC_READ; break;
    case modeWrite: access = GENERIC_WRITE; break;
    case modeReadWrite: access = GENERIC_READ | GENERIC_WRITE; break;
    default:
        if (pError != NULL)
        {
            pError->m_cause = CFileException::genericException;
            pError->m_lOsError = ERROR_INVALID_PARAMETER;
            pError->m_strFileName = lpszFileName;
        }
        return FALSE;
    }

    DWORD share;
    switch (nOpenFlags & 0x70)
    {
    case shareDenyWrite: share = FILE_SHARE_READ; break;
    case shareDenyRead: share = FILE_SHARE_WRITE; break;
    case shareDenyNone: share = FILE_SHARE_READ | FILE_SHARE_WRITE; break;
    default: share = 0; break;
    }

    DWORD creation;
    if (nOpenFlags & modeCreate)
        creation = (nOpenFlags & modeNoTruncate) ? OPEN_ALWAYS : CREATE_ALWAYS;
    else
        creation = OPEN_EXISTING;

    SECURITY_ATTRIBUTES sa;
    sa.nLength = sizeof(sa);
    sa.lpSecurityDescriptor = NULL;
    sa.bInheritHandle = (nOpenFlags & modeNoInherit) ? FALSE : TRUE;

    HANDLE hFile = CreateFileA(lpszFileName, access, share, &sa, creation, FILE_ATTRIBUTE_NORMAL, NULL);
    if (hFile == INVALID_HANDLE_VALUE)
    {
        LONG err = (LONG)GetLastError();
        if (pError != NULL)
        {
            pError->m_lOsError = err;
            pError->m_cause = err != NO_ERROR ? CFileException::OsErrorToException(err)
                                              : (int)CFileException::genericException;
            pError->m_strFileName = lpszFileName;
        }
        return FALSE;
    }

    char fullPath[MAX_PATH];
    DWORD n = GetFullPathNameA(lpszFileName, sizeof(fullPath), fullPath, NULL);
    m_strFileName = (n > 0 && n < sizeof(fullPath)) ? fullPath : lpszFileName;
    m_hFile = hFile;
    m_bCloseOnDelete = TRUE;
    return TRUE;
}

UINT CFile::Read(void* lpBuf, UINT nCount)
{
    if (nCount == 0)
        return 0;
    DWORD nRead = 0;
    if (!ReadFile(m_hFile, lpBuf, nCount, &nRead, NULL))
        CFileException::ThrowOsError((LONG)GetLastError(), m_strFileName);
    return (UINT)nRead;
}

void CFile::Write(const void* lpBuf, UINT nCount)
{
    if (nCount == 0)
        return;
    DWORD nWritten = 0;
    if (!WriteFile(m_hFile, lpBuf, nCount, &nWritten, NULL))
        CFileException::ThrowOsError((LONG)GetLastError(), m_strFileName);
    if (nWritten != nCount)
        AfxThrowFileException(CFileException::diskFull, ERROR_DISK_FULL, m_strFileName);
}

ULONGLONG CFile::Seek(LONGLONG lOff, UINT nFrom)
{
    if (nFrom > end)
        AfxThrowFileException(CFileException::badSeek, ERROR_INVALID_PARAMETER, m_strFileName);
    LARGE_INTEGER distance, position;
    distance.QuadPart = lOff;
    if (!SetFilePointerEx(m_hFile, distance, &position, nFrom))
        CFileException::ThrowOsError((LONG)GetLastError(), m_strFileName);
    return (ULONGLONG)position.QuadPart;
}

void CFile::SeekToBegin()
{
    Seek(0, begin);
}

ULONGLONG CFile::SeekToEnd()
{
    return Seek(0, end);
}

ULONGLONG CFile::GetPosition() const
{
    LARGE_INTEGER distance, position;
    distance.QuadPart = 0;
    if (!SetFilePointerEx(m_hFile, distance, &position, FILE_CURRENT))
        CFileException::ThrowOsError((LONG)GetLastError(), m_strFileName);
    return (ULONGLONG)position.QuadPart;
}

ULONGLONG CFile::GetLength() const
{
    LARGE_INTEGER size;
    if (!GetFileSizeEx(m_hFile, &size))
        CFileException::ThrowOsError((LONG)GetLastError(), m_strFileName);
    return (ULONGLONG)size.QuadPart;
}

void CFile::SetLength(ULONGLONG dwNewLen)
{
    Seek((LONGLONG)dwNewLen, begin);
    if (!SetEndOfFile(m_hFile))
        CFileException::ThrowOsError((LONG)GetLastError(), m_strFileName);
}

void CFile::Flush()
{
    if (m_hFile == hFileNull)
        return;
    if (!FlushFileBuffers(m_hFile))
        CFileException::ThrowOsError((LONG)GetLastError(), m_strFileName);
}

void CFile::Close()
{
    BOOL bError = FALSE;
    LONG err = NO_ERROR;
    if (m_hFile != hFileNull)
    {
        bError = !CloseHandle(m_hFile);
        if (bError)
            err = (LONG)GetLastError();
    }
    m_hFile = hFileNull;
    m_bCloseOnDelete = FALSE;
    CString name = m_strFileName;
    m_strFileName = "";
    if (bError)
        CFileException::ThrowOsError(err, name);
}

void CFile::Abort()
{
    if (m_hFile != hFileNull)
        CloseHandle(m_hFile);
    m_hFile = hFileNull;
    m_bCloseOnDelete = FALSE;
    m_strFileName = "";
}

CString CFile::GetFilePath() const
{
    return m_strFileName;
}

CString CFile::GetFileName() const
{
    LPCSTR path = m_strFileName;
    LPCSTR name = path;
    for (LPCSTR p = path; *p != '\0'; ++p)
    {
        if (*p == '\\' || *p == '/' || *p == ':')
            name = p + 1;
    }
    return CString(name);
}

void CFile::SetFilePath(LPCSTR lpszNewName)
{
    m_strFileName = lpszNewName != NULL ? lpszNewName : "";
}

void CFile::Rename(LPCSTR lpszOldName, LPCSTR lpszNewName)
{
    if (!MoveFileA(lpszOldName, lpszNewName))
        CFileException::ThrowOsError((LONG)GetLastError(), lpszOldName);
}

void CFile::Remove(LPCSTR lpszFileName)
{
    if (!DeleteFileA(lpszFileName))
        CFileException::ThrowOsError((LONG)GetLastError(), lpszFileName);
}

BOOL CFile::GetStatus(LPCSTR lpszFileName, CFileStatus& rStatus)
{
    memset(&rStatus, 0, sizeof(rStatus));
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (lpszFileName == NULL || *lpszFileName == '\0'
        || !GetFileAttributesExA(lpszFileName, GetFileExInfoStandard, &data))
        return FALSE;

    DWORD n = GetFullPathNameA(lpszFileName, sizeof(rStatus.m_szFullName), rStatus.m_szFullName, NULL);
    if (n == 0 || n >= sizeof(rStatus.m_szFullName))
        lstrcpynA(rStatus.m_szFullName, lpszFileName, sizeof(rStatus.m_szFullName));
    rStatus.m_ctime = data.ftCreationTime;
    rStatus.m_mtime = data.ftLastWriteTime;
    rStatus.m_atime = data.ftLastAccessTime;
    rStatus.m_size = ((ULONGLONG)data.nFileSizeHigh << 32) | data.nFileSizeLow;
    // FILE_ATTRIBUTE_NORMAL (0x80) and the higher bits have no CFile::Attribute.
    rStatus.m_attribute = (BYTE)(data.dwFileAttributes & 0x3F);
    return TRUE;
}

CString AfxFullPath(LPCSTR lpszPath)
{
    char szFull[MAX_PATH];
    DWORD n = GetFullPathNameA(lpszPath, MAX_PATH, szFull, NULL);
    if (n == 0 || n >= MAX_PATH)
        return lpszPath;
    // A file that is not there keeps its full form.
    char szLong[MAX_PATH];
    n = GetLongPathNameA(szFull, szLong, MAX_PATH);
    return n == 0 || n >= MAX_PATH ? CString(szFull) : CString(szLong);
}
