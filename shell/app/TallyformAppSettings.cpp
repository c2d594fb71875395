// The data-source settings of Tallyform.INI: finding the file, reading the
// DataSource section and writing it back.
#include "shell/app/TallyformApp.h"

#include "framework/core/MessageSink.h"

namespace
{
const char kIniFileName[] = "Tallyform.INI";
const char kSection[] = "DataSource";
const int kSybaseType = 26;

// "<folder>\Tallyform.INI", with no doubled backslash after a root folder.
CString IniCandidate(CString strFolder)
{
    if (strFolder.IsEmpty() || strFolder[strFolder.GetLength() - 1] != '\\')
        strFolder += "\\";
    return strFolder + kIniFileName;
}

BOOL FileFound(const CString& strPath)
{
    WIN32_FIND_DATAA data;
    HANDLE hFind = FindFirstFileA(strPath, &data);
    if (hFind == INVALID_HANDLE_VALUE)
        return FALSE;
    FindClose(hFind);
    return TRUE;
}

CString CurrentFolder()
{
    char szDir[MAX_PATH];
    DWORD n = GetCurrentDirectoryA(MAX_PATH, szDir);
    return n == 0 || n >= MAX_PATH ? CString() : CString(szDir);
}

CString WindowsFolder()
{
    char szDir[MAX_PATH];
    UINT n = GetWindowsDirectoryA(szDir, MAX_PATH);
    return n == 0 || n >= MAX_PATH ? CString() : CString(szDir);
}

CString ReadIniString(LPCSTR lpszKey, const CString& strPath)
{
    char szValue[256];
    GetPrivateProfileStringA(kSection, lpszKey, "", szValue, sizeof(szValue), strPath);
    return szValue;
}
} // namespace

CString CTallyformApp::FindIniFile()
{
    CString strCandidate;
    CString strFolder = CurrentFolder();
    if (!strFolder.IsEmpty())
    {
        strCandidate = IniCandidate(strFolder);
        if (FileFound(strCandidate))
            return strCandidate;
    }
#ifndef EDITOR_BUILD
    // Only the designer knows an install folder.
    strFolder = GetProfileString("Settings", "InstallDir");
    if (!strFolder.IsEmpty())
    {
        strCandidate = IniCandidate(strFolder);
        if (FileFound(strCandidate))
            return strCandidate;
    }
#endif
    strFolder = WindowsFolder();
    if (!strFolder.IsEmpty())
    {
        strCandidate = IniCandidate(strFolder);
        if (FileFound(strCandidate))
            return strCandidate;
    }
    AfxMessageBox("Cannot find initialization file Tallyform.INI");
    return strCandidate;
}

int CTallyformApp::ReadDataSourceSettings()
{
    m_strIniPath = FindIniFile();
    if (m_strIniPath.IsEmpty())
        return 0;
    int nStart = (int)GetPrivateProfileIntA(kSection, "Start", 1, m_strIniPath);
    m_bConnectOnStartup = nStart > 0 ? 1 : 0;
    m_nDataSourceType = (int)GetPrivateProfileIntA(kSection, "Type", -1, m_strIniPath);
    if (m_nDataSourceType < 0)
        return 0;
    m_strDatabaseName = ReadIniString("Name", m_strIniPath);
    if (m_strDatabaseName.IsEmpty())
        return 0;
    if (m_nDataSourceType == kSybaseType)
        m_strServerName = ReadIniString("ServerName", m_strIniPath);
    return 1;
}

int CTallyformApp::WriteDataSourceSettings()
{
    if (m_strIniPath.IsEmpty())
        return 0;
    CString strType;
    strType.Format("%d", m_nDataSourceType);
    return WritePrivateProfileStringA(kSection, "Start", m_bConnectOnStartup ? "1" : "0",
                                      m_strIniPath) &&
           WritePrivateProfileStringA(kSection, "Type", strType, m_strIniPath) &&
           WritePrivateProfileStringA(kSection, "Name", m_strDatabaseName, m_strIniPath) &&
           WritePrivateProfileStringA(kSection, "ServerName", m_strServerName, m_strIniPath);
}
