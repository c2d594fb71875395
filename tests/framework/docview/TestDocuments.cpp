#include <string>
#include <vector>

#include "tests/framework/docview/TestDocuments.h"

#include "framework/core/Archive.h"

IMPLEMENT_DYNCREATE(CNoteDoc, COleDocument)

BOOL CNoteDoc::s_bRefuseNextNew = FALSE;

CNoteDoc::CNoteDoc()
    : m_nNumber(0), m_bFailMidway(FALSE), m_bRefuseNew(s_bRefuseNextNew), m_nDeleteContentsCalls(0)
{
}

void CNoteDoc::Serialize(CArchive& ar)
{
    if (ar.IsStoring())
    {
        ar << m_strText;
        if (m_bFailMidway)
        {
            ar.Flush();
            AfxThrowFileException(CFileException::diskFull, -1, "note");
        }
        ar << m_nNumber;
    }
    else
    {
        ar >> m_strText;
        ar >> m_nNumber;
    }
}

void CNoteDoc::DeleteContents()
{
    ++m_nDeleteContentsCalls;
    m_strText.Empty();
    m_nNumber = 0;
}

BOOL CNoteDoc::OnNewDocument()
{
    return !m_bRefuseNew && COleDocument::OnNewDocument();
}

void CCountingView::OnUpdate(CView*, LPARAM lHint, CObject*)
{
    ++m_nUpdates;
    m_lLastHint = lHint;
}

CScratchFolder::CScratchFolder()
{
    char szTemp[MAX_PATH];
    GetTempPathA(MAX_PATH, szTemp);
    static int s_nFolder = 0;
    m_strFolder.Format("%sdocview_%u_%d", szTemp, (unsigned)GetCurrentProcessId(), ++s_nFolder);
    CreateDirectoryA(m_strFolder, NULL);
}

CScratchFolder::~CScratchFolder()
{
    for (const std::string& name : FileNames())
    {
        CString strPath = PathOf(name.c_str());
        SetFileAttributesA(strPath, FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(strPath);
    }
    RemoveDirectoryA(m_strFolder);
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
    HANDLE hFile = CreateFileA(lpszPath, GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, 0, NULL);
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
