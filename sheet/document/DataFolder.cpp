#include "sheet/document/DataFolder.h"

CDataFolderScope::CDataFolderScope()
{
    char szCurrent[MAX_PATH];
    DWORD n = GetCurrentDirectoryA(MAX_PATH, szCurrent);
    if (n > 0 && n < MAX_PATH)
        m_strCurrent = szCurrent;
    m_strDataFolder = m_strCurrent;
    if (m_strDataFolder.IsEmpty() || m_strDataFolder[m_strDataFolder.GetLength() - 1] != '\\')
        m_strDataFolder += '\\';
    m_strDataFolder += "Data";
}

CDataFolderScope::~CDataFolderScope()
{
    if (!m_strCurrent.IsEmpty())
        SetCurrentDirectoryA(m_strCurrent);
}
