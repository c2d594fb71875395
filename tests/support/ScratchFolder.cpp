#include <string>
#include <vector>

#include "tests/support/ScratchFolder.h"

namespace
{
void RemoveTree(const CString& strFolder)
{
    WIN32_FIND_DATAA data;
    HANDLE hFind = FindFirstFileA(strFolder + "\\*", &data);
    if (hFind != INVALID_HANDLE_VALUE)
    {
        do
        {
            CString strName = data.cFileName;
            if (strName == "." || strName == "..")
                continue;
            CString strPath = strFolder + "\\" + strName;
            if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
                RemoveTree(strPath);
            else
            {
                SetFileAttributesA(strPath, FILE_ATTRIBUTE_NORMAL);
                DeleteFileA(strPath);
            }
        } while (FindNextFileA(hFind, &data));
        FindClose(hFind);
    }
    RemoveDirectoryA(strFolder);
}
}

CScratchFolder::CScratchFolder()
{
    char szTemp[MAX_PATH];
    GetTempPathA(MAX_PATH, szTemp);
    static int s_nFolder = 0;
    m_strFolder.Format("%sscratch_%u_%d", szTemp, (unsigned)GetCurrentProcessId(), ++s_nFolder);
    // Wine reuses process ids: a test run that was killed leaves a folder
    // of this name behind.
    RemoveTree(m_strFolder);
    CreateDirectoryA(m_strFolder, NULL);
}

CScratchFolder::~CScratchFolder()
{
    RemoveTree(m_strFolder);
}

CString CScratchFolder::PathOf(LPCSTR lpszName) const
{
    return m_strFolder + "\\" + lpszName;
}

std::vector<std::string> CScratchFolder::FileNames() const
{
    std::vector<std::string> names;
    WIN32_FIND_DATAA data;
    HANDLE hFind = FindFirstFileA(PathOf("*"), &data);
    if (hFind == INVALID_HANDLE_VALUE)
        return names;
    do
    {
        if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0)
            names.push_back(data.cFileName);
    } while (FindNextFileA(hFind, &data));
    FindClose(hFind);
    return names;
}

std::string ReadWholeFile(LPCSTR lpszPath)
{
    std::string bytes;
    // Shared for writing and deleting too: a test that looks while a program
    // replaces the file must not make the replacement fail.
    HANDLE hFile = CreateFileA(lpszPath, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, NULL,
                               OPEN_EXISTING, 0, NULL);
    if (hFile == INVALID_HANDLE_VALUE)
        return bytes;
    char buf[4096];
    DWORD nRead = 0;
    while (ReadFile(hFile, buf, sizeof(buf), &nRead, NULL) && nRead > 0)
        bytes.append(buf, nRead);
    CloseHandle(hFile);
    return bytes;
}

void WriteWholeFile(LPCSTR lpszPath, const std::string& bytes)
{
    HANDLE hFile = CreateFileA(lpszPath, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
    DWORD nWritten = 0;
    if (hFile != INVALID_HANDLE_VALUE)
    {
        WriteFile(hFile, bytes.data(), (DWORD)bytes.size(), &nWritten, NULL);
        CloseHandle(hFile);
    }
}
