#include <algorithm>
#include <string>
#include <vector>

#include "view/FolderTreeCtrl.h"

IMPLEMENT_DYNAMIC(CFolderTreeCtrl, CTreeCtrl)

namespace
{
const UINT WM_FOLDERTREE_STARTUP = WM_APP + 1;

// The pattern that lists every entry of a folder.
CString AllEntriesOf(const CString& strPath)
{
    if (!strPath.IsEmpty() && strPath[strPath.GetLength() - 1] == '\\')
        return strPath + "*.*";
    return strPath + "\\*.*";
}

BOOL IsDotEntry(const WIN32_FIND_DATAA& data)
{
    return lstrcmpA(data.cFileName, ".") == 0 || lstrcmpA(data.cFileName, "..") == 0;
}

BOOL IsFolder(const WIN32_FIND_DATAA& data)
{
    return (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

BOOL IsHidden(const WIN32_FIND_DATAA& data)
{
    return (data.dwFileAttributes & FILE_ATTRIBUTE_HIDDEN) != 0;
}

void SortNoCase(std::vector<std::string>& names)
{
    std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        return lstrcmpiA(a.c_str(), b.c_str()) < 0;
    });
}

class CWaitCursorScope
{
public:
    CWaitCursorScope() : m_hOld(SetCursor(LoadCursor(NULL, IDC_WAIT))) {}
    ~CWaitCursorScope() { SetCursor(m_hOld); }

private:
    HCURSOR m_hOld;
};
}

BEGIN_MESSAGE_MAP(CFolderTreeCtrl, CTreeCtrl)
    ON_NOTIFY_REFLECT(TVN_ITEMEXPANDINGA, OnItemExpanding)
    ON_MESSAGE(WM_FOLDERTREE_STARTUP, OnStartUp)
END_MESSAGE_MAP()

CFolderTreeCtrl::CFolderTreeCtrl()
    : m_bAllowDrag(FALSE), m_bAllowRename(FALSE), m_bAllowProperty(TRUE), m_bAllowDelete(FALSE),
      m_bShowFiles(TRUE)
{
}

void CFolderTreeCtrl::PreSubclassWindow()
{
    CTreeCtrl::PreSubclassWindow();
    PostMessage(WM_FOLDERTREE_STARTUP);
}

LRESULT CFolderTreeCtrl::OnStartUp(WPARAM, LPARAM)
{
    Refresh();
    return 0;
}

void CFolderTreeCtrl::SetRootPath(LPCSTR lpszPath)
{
    m_strRoot = lpszPath;
    if (!m_strRoot.IsEmpty() && m_strRoot[m_strRoot.GetLength() - 1] == '\\')
        m_strRoot = m_strRoot.Left(m_strRoot.GetLength() - 1);
    if (m_hWnd != NULL)
        Refresh();
}

void CFolderTreeCtrl::SetShowFiles(BOOL bShowFiles)
{
    m_bShowFiles = bShowFiles;
    if (m_hWnd != NULL)
        Refresh();
}

CString CFolderTreeCtrl::GetItemPath(HTREEITEM hItem) const
{
    CString strPath;
    for (; hItem != NULL; hItem = GetParentItem(hItem))
    {
        CString strText = GetItemText(hItem);
        if (strPath.IsEmpty())
            strPath = strText;
        else if (!strText.IsEmpty() && strText[strText.GetLength() - 1] == '\\')
            strPath = strText + strPath;
        else
            strPath = strText + "\\" + strPath;
    }
    if (m_strRoot.IsEmpty())
        return strPath;
    return m_strRoot + "\\" + strPath;
}

HTREEITEM CFolderTreeCtrl::FindChildItem(HTREEITEM hParent, LPCSTR lpszName) const
{
    HTREEITEM hChild = hParent == TVI_ROOT || hParent == NULL ? GetRootItem() : GetChildItem(hParent);
    for (; hChild != NULL; hChild = GetNextSiblingItem(hChild))
        if (GetItemText(hChild).CompareNoCase(lpszName) == 0)
            return hChild;
    return NULL;
}

HTREEITEM CFolderTreeCtrl::SelectPath(LPCSTR lpszPath, BOOL bExpand)
{
    CString strPath = lpszPath;
    if (strPath.GetLength() > 3 && strPath[strPath.GetLength() - 1] == '\\')
        strPath = strPath.Left(strPath.GetLength() - 1);
    CString strRest = strPath;
    if (!m_strRoot.IsEmpty())
    {
        CString strPrefix = m_strRoot + "\\";
        if (strPath.GetLength() <= strPrefix.GetLength() ||
            strPath.Left(strPrefix.GetLength()).CompareNoCase(strPrefix) != 0)
            return NULL;
        strRest = strPath.Mid(strPrefix.GetLength());
    }
    if (strRest.IsEmpty())
        return NULL;

    SetRedraw(FALSE);
    HTREEITEM hItem = TVI_ROOT;
    int nStart = 0;
    BOOL bFirst = TRUE;
    while (hItem != NULL && nStart < strRest.GetLength())
    {
        int nEnd = strRest.Find('\\', nStart);
        if (nEnd < 0)
            nEnd = strRest.GetLength();
        // Without a root the first part is a drive root and keeps its "\".
        int nCount = nEnd - nStart + (bFirst && m_strRoot.IsEmpty() && nEnd < strRest.GetLength());
        CString strPart = strRest.Mid(nStart, nCount);
        if (hItem != TVI_ROOT)
            ExpandFilled(hItem);
        hItem = FindChildItem(hItem, strPart);
        nStart = nEnd + 1;
        bFirst = FALSE;
    }
    if (hItem != NULL && hItem != TVI_ROOT)
    {
        SelectItem(hItem);
        if (bExpand)
            ExpandFilled(hItem);
    }
    else
        hItem = NULL;
    SetRedraw(TRUE);
    return hItem;
}

void CFolderTreeCtrl::ExpandFilled(HTREEITEM hItem)
{
    // Filled here as well: an expansion asked for by a message need not
    // notify the tree of itself.
    if (GetChildItem(hItem) == NULL)
        FillFolder(GetItemPath(hItem), hItem);
    Expand(hItem, TVE_EXPAND);
}

void CFolderTreeCtrl::Refresh()
{
    SetRedraw(FALSE);
    HTREEITEM hSelected = GetSelectedItem();
    CString strSelected = hSelected != NULL ? GetItemPath(hSelected) : CString();
    BOOL bHadChildren = hSelected != NULL && GetChildItem(hSelected) != NULL;
    if (m_strRoot.IsEmpty())
        FillDrives();
    else
        FillFolder(m_strRoot, TVI_ROOT);
    if (!strSelected.IsEmpty())
        SelectPath(strSelected, bHadChildren);
    SetRedraw(TRUE);
}

void CFolderTreeCtrl::FillDrives()
{
    CWaitCursorScope wait;
    DeleteAllItems();
    DWORD dwDrives = GetLogicalDrives();
    for (int nBit = 0; nBit < 32; ++nBit)
    {
        if ((dwDrives & (1u << nBit)) == 0)
            continue;
        CString strDrive;
        strDrive.Format("%c:\\", 'A' + nBit);
        InsertEntry(strDrive, strDrive, TVI_ROOT);
    }
}

void CFolderTreeCtrl::FillFolder(const CString& strPath, HTREEITEM hParent)
{
    CWaitCursorScope wait;
    if (hParent == TVI_ROOT)
        DeleteAllItems();
    else
        for (HTREEITEM hChild = GetChildItem(hParent); hChild != NULL;)
        {
            HTREEITEM hNext = GetNextSiblingItem(hChild);
            DeleteItem(hChild);
            hChild = hNext;
        }

    std::vector<std::string> folders, files;
    WIN32_FIND_DATAA data;
    HANDLE hFind = FindFirstFileA(AllEntriesOf(strPath), &data);
    if (hFind != INVALID_HANDLE_VALUE)
    {
        do
        {
            if (IsFolder(data))
            {
                if (!IsDotEntry(data))
                    folders.push_back(data.cFileName);
            }
            else if (m_bShowFiles && !IsHidden(data))
                files.push_back(data.cFileName);
        } while (FindNextFileA(hFind, &data));
        FindClose(hFind);
    }
    SortNoCase(folders);
    SortNoCase(files);
    CString strBase = strPath;
    if (strBase.IsEmpty() || strBase[strBase.GetLength() - 1] != '\\')
        strBase += "\\";
    for (const std::string& name : folders)
        InsertEntry(name.c_str(), strBase + name.c_str(), hParent);
    for (const std::string& name : files)
        InsertEntry(name.c_str(), strBase + name.c_str(), hParent);
}

void CFolderTreeCtrl::InsertEntry(LPCSTR lpszName, const CString& strFullPath, HTREEITEM hParent)
{
    TVINSERTSTRUCTA insert = {};
    insert.hParent = hParent;
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT | TVIF_CHILDREN;
    insert.item.pszText = const_cast<LPSTR>(lpszName);
    insert.item.cChildren = PathHasChildren(strFullPath) ? 1 : 0;
    InsertItem(&insert);
}

BOOL CFolderTreeCtrl::PathHasChildren(const CString& strPath) const
{
    WIN32_FIND_DATAA data;
    HANDLE hFind = FindFirstFileA(AllEntriesOf(strPath), &data);
    if (hFind == INVALID_HANDLE_VALUE)
        return FALSE;
    BOOL bFound = FALSE;
    do
    {
        if (IsFolder(data) ? !IsDotEntry(data) : (m_bShowFiles && !IsHidden(data)))
            bFound = TRUE;
    } while (!bFound && FindNextFileA(hFind, &data));
    FindClose(hFind);
    return bFound;
}

void CFolderTreeCtrl::OnItemExpanding(NMHDR* pNMHDR, LRESULT* pResult)
{
    NMTREEVIEWA* pTree = reinterpret_cast<NMTREEVIEWA*>(pNMHDR);
    *pResult = 0;
    HTREEITEM hItem = pTree->itemNew.hItem;
    if ((pTree->action & TVE_EXPAND) != 0 && GetChildItem(hItem) == NULL)
        FillFolder(GetItemPath(hItem), hItem);
}
