// The application's recent-file list: kept in the profile, fed by every
// document that takes a path, shown and opened from the File menu.
#include "framework/docview/WinApp.h"

#include "framework/docview/RecentFileList.h"
#include "framework/docview/StandardCommands.h"
#include "framework/windows/CmdUI.h"

namespace
{
const char kRecentFileSection[] = "Recent File List";
const char kRecentFileEntry[] = "File";
const UINT kMaxRecentFiles = (UINT)CRecentFileList::kMaxEntries;
} // namespace

void CWinApp::LoadStdProfileSettings(UINT nMaxMRU)
{
    delete m_pRecentFileList;
    m_pRecentFileList = NULL;
    if (nMaxMRU == 0)
        return;
    if (nMaxMRU > kMaxRecentFiles)
        nMaxMRU = kMaxRecentFiles;
    m_pRecentFileList = new CRecentFileList(ID_FILE_MRU_FILE1, kRecentFileSection,
                                            kRecentFileEntry, (int)nMaxMRU);
    m_pRecentFileList->ReadList();
}

void CWinApp::SaveStdProfileSettings()
{
    if (m_pRecentFileList != NULL)
        m_pRecentFileList->WriteList();
}

void CWinApp::AddToRecentFileList(LPCSTR lpszPathName)
{
    if (m_pRecentFileList != NULL)
        m_pRecentFileList->Add(lpszPathName);
}

void CWinApp::OnUpdateRecentFileMenu(CCmdUI* pCmdUI)
{
    if (m_pRecentFileList == NULL)
        pCmdUI->Enable(FALSE);
    else
        m_pRecentFileList->UpdateMenu(pCmdUI);
}

void CWinApp::OnOpenRecentFile(UINT nID)
{
    int nIndex = (int)(nID - ID_FILE_MRU_FILE1);
    if (m_pRecentFileList == NULL || nIndex < 0 || nIndex >= m_pRecentFileList->GetCount())
        return;
    // A copy: opening reorders the list.
    CString strPath = (*m_pRecentFileList)[nIndex];
    if (OpenDocumentFile(strPath) != NULL)
        return;
    m_pRecentFileList->Remove(m_pRecentFileList->Find(strPath));
}
