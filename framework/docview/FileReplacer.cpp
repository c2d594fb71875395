#include "framework/docview/FileReplacer.h"

#include <ctype.h>

#include "framework/core/File.h"

namespace
{
const char kTempPrefix[] = "sav";

// A name GetTempFileName gives with the prefix: the prefix, one to four hex
// digits, ".tmp".
BOOL IsTempName(LPCSTR lpszName)
{
    CString strName(lpszName);
    int nPrefix = (int)sizeof(kTempPrefix) - 1;
    if (strName.Left(nPrefix).CompareNoCase(kTempPrefix) != 0)
        return FALSE;
    int nDigits = 0;
    while (isxdigit((unsigned char)lpszName[nPrefix + nDigits]))
        ++nDigits;
    return nDigits >= 1 && nDigits <= 4 && strName.Mid(nPrefix + nDigits).CompareNoCase(".tmp") == 0;
}

// The folder part of a path, "." when it has none.
CString FolderOf(const CString& strPath)
{
    int nSlash = -1;
    for (int i = 0; i < strPath.GetLength(); ++i)
        if (strPath[i] == '\\' || strPath[i] == '/' || strPath[i] == ':')
            nSlash = i;
    if (nSlash < 0)
        return ".";
    if (strPath[nSlash] == ':')
        return strPath.Left(nSlash + 1);
    return nSlash == 0 ? strPath.Left(1) : strPath.Left(nSlash);
}
}

CFileReplacer::CFileReplacer(LPCSTR lpszTarget) : m_strTarget(lpszTarget), m_bPending(FALSE)
{
    // A rename would replace a read-only file and leave it writable.
    DWORD dwAttributes = GetFileAttributesA(lpszTarget);
    if (dwAttributes != INVALID_FILE_ATTRIBUTES && (dwAttributes & FILE_ATTRIBUTE_READONLY) != 0)
        CFileException::ThrowOsError(ERROR_ACCESS_DENIED, lpszTarget);
    RemoveLeftovers(lpszTarget);
    char szTemp[MAX_PATH];
    // GetTempFileName creates the file, which reserves the name.
    if (GetTempFileNameA(FolderOf(m_strTarget), kTempPrefix, 0, szTemp) == 0)
        CFileException::ThrowOsError((LONG)GetLastError(), lpszTarget);
    m_strTemp = szTemp;
    m_bPending = TRUE;
}

CFileReplacer::~CFileReplacer()
{
    Abandon();
}

void CFileReplacer::Commit()
{
    ASSERT(m_bPending);
    // Windows refuses to replace a read-only file; Wine's MoveFileEx does
    // not, so the attribute is tested here.
    const DWORD dwAttributes = GetFileAttributesA(m_strTarget);
    if (dwAttributes != INVALID_FILE_ATTRIBUTES && (dwAttributes & FILE_ATTRIBUTE_READONLY) != 0)
        CFileException::ThrowOsError(ERROR_ACCESS_DENIED, m_strTarget);
    if (!MoveFileExA(m_strTemp, m_strTarget, MOVEFILE_REPLACE_EXISTING | MOVEFILE_COPY_ALLOWED))
        CFileException::ThrowOsError((LONG)GetLastError(), m_strTarget);
    m_bPending = FALSE;
}

void CFileReplacer::RemoveLeftovers(LPCSTR lpszPath)
{
    CString strFolder = FolderOf(lpszPath);
    WIN32_FIND_DATAA found;
    HANDLE hFind = FindFirstFileA(strFolder + "\\" + kTempPrefix + "*.tmp", &found);
    if (hFind == INVALID_HANDLE_VALUE)
        return;
    do
    {
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0 && IsTempName(found.cFileName))
            DeleteFileA(strFolder + "\\" + found.cFileName);
    } while (FindNextFileA(hFind, &found));
    FindClose(hFind);
}

void CFileReplacer::Abandon()
{
    if (m_bPending)
    {
        DeleteFileA(m_strTemp);
        m_bPending = FALSE;
    }
}
