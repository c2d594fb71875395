#include "framework/docview/RecentFileList.h"

#include "framework/core/File.h"
#include "framework/docview/WinApp.h"
#include "framework/windows/CmdUI.h"

namespace
{
int LastSlash(const CString& strPath)
{
    return strPath.ReverseFind('\\');
}

// The length of "C:\" or "\\server\share\" at the start of the path, or 0.
int RootLength(const CString& strPath)
{
    if (strPath.GetLength() >= 3 && strPath[1] == ':' && strPath[2] == '\\')
        return 3;
    if (strPath.GetLength() >= 2 && strPath[0] == '\\' && strPath[1] == '\\')
    {
        int nServerEnd = strPath.Find('\\', 2);
        int nShareEnd = nServerEnd < 0 ? -1 : strPath.Find('\\', nServerEnd + 1);
        return nShareEnd < 0 ? 0 : nShareEnd + 1;
    }
    return 0;
}

// Menu texts take '&' as the mnemonic mark; a file name's own stays visible.
CString EscapeAmpersands(const CString& strText)
{
    CString strResult;
    for (int i = 0; i < strText.GetLength(); ++i)
    {
        if (strText[i] == '&')
            strResult += '&';
        strResult += strText[i];
    }
    return strResult;
}

CString NumberedMenuText(int nNumber, const CString& strName)
{
    CString strText;
    if (nNumber < 10)
        strText.Format("&%d %s", nNumber, (LPCSTR)strName);
    else if (nNumber == 10)
        strText.Format("1&0 %s", (LPCSTR)strName);
    else
        strText.Format("%d %s", nNumber, (LPCSTR)strName);
    return strText;
}
} // namespace

CString AfxAbbreviatePath(LPCSTR lpszPath, int nMaxLength)
{
    CString strPath(lpszPath);
    if (strPath.GetLength() <= nMaxLength)
        return strPath;
    int nSlash = LastSlash(strPath);
    CString strFile = strPath.Mid(nSlash + 1);
    int nRoot = RootLength(strPath);
    CString strHead = strPath.Left(nRoot) + "...";
    if (nSlash < 0 || strHead.GetLength() + 1 + strFile.GetLength() > nMaxLength)
        return strFile;
    // Whole folders are taken from the right while they fit.
    int nTailStart = nSlash;
    for (;;)
    {
        int nPrev = nTailStart > nRoot ? strPath.Left(nTailStart).ReverseFind('\\') : -1;
        // The root's own backslash is never taken: the root is in the head.
        if (nPrev <= nRoot - 1 ||
            strHead.GetLength() + strPath.GetLength() - nPrev > nMaxLength)
            break;
        nTailStart = nPrev;
    }
    return strHead + strPath.Mid(nTailStart);
}

CRecentFileList::CRecentFileList(UINT nStartID, LPCSTR lpszSection, LPCSTR lpszEntryPrefix,
                                 int nSize, int nMaxDisplayLength)
    : m_nStartID(nStartID), m_strSection(lpszSection), m_strEntryPrefix(lpszEntryPrefix),
      m_nSize(nSize), m_nMaxDisplayLength(nMaxDisplayLength), m_bOriginalKnown(FALSE)
{
}

CString CRecentFileList::EntryName(int nIndex) const
{
    CString strEntry;
    strEntry.Format("%s%d", (LPCSTR)m_strEntryPrefix, nIndex + 1);
    return strEntry;
}

void CRecentFileList::Add(LPCSTR lpszPathName)
{
    if (lpszPathName == NULL || *lpszPathName == '\0' || m_nSize <= 0)
        return;
    CString strPath = AfxFullPath(lpszPathName);
    int nSame = Find(strPath);
    if (nSame >= 0)
        m_names.erase(m_names.begin() + nSame);
    m_names.insert(m_names.begin(), strPath);
    if ((int)m_names.size() > m_nSize)
        m_names.resize((size_t)m_nSize);
}

int CRecentFileList::Find(const CString& strFullPath) const
{
    for (size_t i = 0; i < m_names.size(); ++i)
        if (m_names[i].CompareNoCase(strFullPath) == 0)
            return (int)i;
    return -1;
}

void CRecentFileList::Remove(int nIndex)
{
    if (nIndex >= 0 && nIndex < GetCount())
        m_names.erase(m_names.begin() + nIndex);
}

CString CRecentFileList::GetDisplayName(int nIndex, LPCSTR lpszCurDir) const
{
    const CString& strPath = m_names[(size_t)nIndex];
    int nSlash = LastSlash(strPath);
    CString strCurDir(lpszCurDir != NULL ? lpszCurDir : "");
    if (!strCurDir.IsEmpty() && strCurDir[strCurDir.GetLength() - 1] == '\\')
        strCurDir = strCurDir.Left(strCurDir.GetLength() - 1);
    if (nSlash >= 0 && !strCurDir.IsEmpty() && strPath.Left(nSlash).CompareNoCase(strCurDir) == 0)
        return strPath.Mid(nSlash + 1);
    return AfxAbbreviatePath(strPath, m_nMaxDisplayLength);
}

void CRecentFileList::UpdateMenu(CCmdUI* pCmdUI)
{
    HMENU hMenu = pCmdUI->m_hMenu;
    if (hMenu == NULL)
    {
        // Asked whether the command may run: an entry exists to open.
        pCmdUI->Enable(GetCount() > 0);
        return;
    }
    if (!m_bOriginalKnown)
    {
        char szText[256] = "";
        ::GetMenuStringA(hMenu, pCmdUI->m_nIndex, szText, sizeof(szText), MF_BYPOSITION);
        m_strOriginal = szText;
        m_bOriginalKnown = TRUE;
    }
    for (int i = 0; i < m_nSize; ++i)
        ::DeleteMenu(hMenu, m_nStartID + (UINT)i, MF_BYCOMMAND);

    if (m_names.empty())
    {
        ::InsertMenuA(hMenu, pCmdUI->m_nIndex, MF_BYPOSITION | MF_STRING | MF_GRAYED, m_nStartID,
                      m_strOriginal);
    }
    else
    {
        char szCurDir[MAX_PATH] = "";
        DWORD n = ::GetCurrentDirectoryA(MAX_PATH, szCurDir);
        if (n == 0 || n >= MAX_PATH)
            szCurDir[0] = '\0';
        for (int i = 0; i < GetCount(); ++i)
        {
            CString strText = NumberedMenuText(i + 1, EscapeAmpersands(GetDisplayName(i, szCurDir)));
            ::InsertMenuA(hMenu, pCmdUI->m_nIndex + (UINT)i, MF_BYPOSITION | MF_STRING,
                          m_nStartID + (UINT)i, strText);
        }
        // The caller's walk over the menu goes on after the last entry.
        pCmdUI->m_nIndex += (UINT)GetCount() - 1;
    }
    pCmdUI->m_nIndexMax = (UINT)::GetMenuItemCount(hMenu);
    pCmdUI->m_bEnableChanged = TRUE;
}

void CRecentFileList::ReadList()
{
    m_names.clear();
    CWinApp* pApp = AfxGetApp();
    if (pApp == NULL)
        return;
    for (int i = 0; i < m_nSize; ++i)
    {
        // An entry written in another form of a file listed above is
        // that file again.
        CString strPath = pApp->GetProfileString(m_strSection, EntryName(i));
        if (!strPath.IsEmpty())
            strPath = AfxFullPath(strPath);
        if (!strPath.IsEmpty() && Find(strPath) < 0)
            m_names.push_back(strPath);
    }
}

BOOL CRecentFileList::WriteList() const
{
    CWinApp* pApp = AfxGetApp();
    if (pApp == NULL)
        return FALSE;
    BOOL bWritten = TRUE;
    // Entries a longer list of an earlier run left go as well.
    for (int i = 0; i < m_nSize || i < kMaxEntries; ++i)
    {
        if (i < GetCount())
            bWritten = pApp->WriteProfileString(m_strSection, EntryName(i), m_names[(size_t)i]) &&
                bWritten;
        else
            // Nothing to remove is as good as removed.
            pApp->WriteProfileString(m_strSection, EntryName(i), NULL);
    }
    return bWritten;
}
