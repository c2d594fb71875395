#include "view/FolderTreeCtrl.h"

#include <algorithm>
#include <string>
#include <vector>

#include "framework/core/MessageSink.h"
#include "framework/windows/Menu.h"
#include "framework/windows/WaitCursor.h"
#include "TemplatePickerIds.h"

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

}

BEGIN_MESSAGE_MAP(CFolderTreeCtrl, CTreeCtrl)
    ON_NOTIFY_REFLECT(TVN_ITEMEXPANDINGA, OnItemExpanding)
    ON_NOTIFY_REFLECT(TVN_ENDLABELEDITA, OnEndLabelEdit)
    ON_NOTIFY_REFLECT(NM_RCLICK, OnRightClick)
    ON_NOTIFY_REFLECT(TVN_BEGINDRAGA, OnBeginDrag)
    ON_MESSAGE(WM_FOLDERTREE_STARTUP, OnStartUp)
    ON_WM_CONTEXTMENU()
    ON_WM_INITMENUPOPUP()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONUP()
    ON_WM_TIMER()
    ON_COMMAND(ID_FOLDER_ADD_TYPE, OnAddType)
    ON_COMMAND(ID_FOLDER_ADD_SUBTYPE, OnAddSubtype)
    ON_COMMAND(ID_FOLDER_DELETE, OnDeleteFolder)
    ON_COMMAND(ID_FOLDER_RENAME, OnRenameFolder)
    ON_COMMAND(ID_FOLDER_PROPERTY, OnFolderProperty)
    ON_COMMAND(ID_FOLDER_REFRESH, OnRefresh)
    ON_UPDATE_COMMAND_UI(ID_FOLDER_ADD_TYPE, OnUpdateAddType)
    ON_UPDATE_COMMAND_UI(ID_FOLDER_ADD_SUBTYPE, OnUpdateAddSubtype)
    ON_UPDATE_COMMAND_UI(ID_FOLDER_DELETE, OnUpdateDeleteFolder)
    ON_UPDATE_COMMAND_UI(ID_FOLDER_RENAME, OnUpdateRenameFolder)
    ON_UPDATE_COMMAND_UI(ID_FOLDER_PROPERTY, OnUpdateFolderProperty)
END_MESSAGE_MAP()

CFolderTreeCtrl::CFolderTreeCtrl()
    : m_bAllowDrag(FALSE), m_bAllowRename(FALSE), m_bAllowProperty(TRUE), m_bAllowDelete(FALSE),
      m_bShowFiles(TRUE), m_bShowRootItem(FALSE), m_hDragItem(NULL), m_hDropTarget(NULL), m_pDragImage(NULL),
      m_nDragTimer(0), m_hCursorCopy(LoadCursorA(AfxGetResourceHandle(), MAKEINTRESOURCEA(IDC_CURSOR_DROP_COPY))),
      m_hCursorNoCopy(LoadCursorA(AfxGetResourceHandle(), MAKEINTRESOURCEA(IDC_CURSOR_DROP_NONE_COPY))),
      m_hCursorMove(LoadCursorA(NULL, (LPCSTR)IDC_ARROW)),
      m_hCursorNoDrop(LoadCursorA(AfxGetResourceHandle(), MAKEINTRESOURCEA(IDC_CURSOR_DROP_NONE))),
      m_nHoverTicks(0), m_hEndedEdit(NULL)
{
}

CFolderTreeCtrl::~CFolderTreeCtrl()
{
    delete m_pDragImage;
}

void CFolderTreeCtrl::PreSubclassWindow()
{
    CTreeCtrl::PreSubclassWindow();
    PostMessage(WM_FOLDERTREE_STARTUP);
}

LRESULT CFolderTreeCtrl::OnStartUp(WPARAM, LPARAM)
{
    SetImageList(&m_imageList, TVSIL_NORMAL);
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

void CFolderTreeCtrl::SetShowRootItem(BOOL bShowRootItem)
{
    m_bShowRootItem = bShowRootItem;
    if (m_hWnd != NULL)
        Refresh();
}

CString CFolderTreeCtrl::GetItemPath(HTREEITEM hItem) const
{
    if (IsRootItem(hItem))
        return m_strRoot;
    CString strPath;
    for (; hItem != NULL && !IsRootItem(hItem); hItem = GetParentItem(hItem))
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
    HTREEITEM hTop = m_bShowRootItem && !m_strRoot.IsEmpty() ? GetRootItem() : NULL;
    if (hTop != NULL && strPath.CompareNoCase(m_strRoot) == 0)
    {
        SelectItem(hTop);
        if (bExpand)
            ExpandFilled(hTop);
        return hTop;
    }
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
    HTREEITEM hItem = hTop != NULL ? hTop : TVI_ROOT;
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
    FillItem(hItem);
    Expand(hItem, TVE_EXPAND);
}

void CFolderTreeCtrl::FillItem(HTREEITEM hItem)
{
    if (hItem != NULL && hItem != TVI_ROOT && GetChildItem(hItem) == NULL)
        FillFolder(GetItemPath(hItem), hItem);
}

void CFolderTreeCtrl::DeleteChildren(HTREEITEM hParent)
{
    for (HTREEITEM hChild = GetChildItem(hParent); hChild != NULL;)
    {
        HTREEITEM hNext = GetNextSiblingItem(hChild);
        CTreeCtrl::DeleteItem(hChild);
        hChild = hNext;
    }
}

void CFolderTreeCtrl::SetHasChildren(HTREEITEM hItem, BOOL bHasChildren)
{
    TVITEMA item = {};
    item.mask = TVIF_CHILDREN | TVIF_HANDLE;
    item.hItem = hItem;
    item.cChildren = bHasChildren ? 1 : 0;
    SetItem(&item);
}

BOOL CFolderTreeCtrl::IsDriveRoot(HTREEITEM hItem) const
{
    return hItem != NULL && m_strRoot.IsEmpty() && GetParentItem(hItem) == NULL;
}

BOOL CFolderTreeCtrl::IsRootItem(HTREEITEM hItem) const
{
    return hItem != NULL && m_bShowRootItem && !m_strRoot.IsEmpty() && GetParentItem(hItem) == NULL;
}

BOOL CFolderTreeCtrl::IsFolderItem(HTREEITEM hItem) const
{
    if (hItem == NULL)
        return FALSE;
    DWORD dwAttributes = GetFileAttributesA(GetItemPath(hItem));
    return dwAttributes != INVALID_FILE_ATTRIBUTES && (dwAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

void CFolderTreeCtrl::Refresh()
{
    SetRedraw(FALSE);
    HTREEITEM hSelected = GetSelectedItem();
    CString strSelected = hSelected != NULL ? GetItemPath(hSelected) : CString();
    BOOL bHadChildren = hSelected != NULL && GetChildItem(hSelected) != NULL;
    if (m_strRoot.IsEmpty())
        FillDrives();
    else if (m_bShowRootItem)
        FillRootItem();
    else
        FillFolder(m_strRoot, TVI_ROOT);
    if (!strSelected.IsEmpty())
        SelectPath(strSelected, bHadChildren);
    SetRedraw(TRUE);
}

void CFolderTreeCtrl::FillDrives()
{
    CWaitCursor wait;
    DeleteAllItems();
    DWORD dwDrives = GetLogicalDrives();
    for (int nBit = 0; nBit < 32; ++nBit)
    {
        if ((dwDrives & (1u << nBit)) == 0)
            continue;
        CString strDrive;
        strDrive.Format("%c:\\", 'A' + nBit);
        InsertEntry(strDrive, strDrive, TVI_ROOT, 0);
    }
}

void CFolderTreeCtrl::FillRootItem()
{
    DeleteAllItems();
    DWORD dwAttributes = GetFileAttributesA(m_strRoot);
    // A root folder that is not there offers nothing to choose.
    if (dwAttributes == INVALID_FILE_ATTRIBUTES || (dwAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0)
        return;
    HTREEITEM hRoot = InsertEntry(m_strRoot.Mid(m_strRoot.ReverseFind('\\') + 1), m_strRoot, TVI_ROOT,
                                  FILE_ATTRIBUTE_DIRECTORY);
    if (hRoot == NULL)
        return;
    FillFolder(m_strRoot, hRoot);
    Expand(hRoot, TVE_EXPAND);
}

void CFolderTreeCtrl::FillFolder(const CString& strPath, HTREEITEM hParent)
{
    CWaitCursor wait;
    if (hParent == TVI_ROOT)
        DeleteAllItems();
    else
        DeleteChildren(hParent);

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
        InsertEntry(name.c_str(), strBase + name.c_str(), hParent, FILE_ATTRIBUTE_DIRECTORY);
    for (const std::string& name : files)
        InsertEntry(name.c_str(), strBase + name.c_str(), hParent, FILE_ATTRIBUTE_NORMAL);
}

HTREEITEM CFolderTreeCtrl::InsertEntry(LPCSTR lpszName, const CString& strFullPath, HTREEITEM hParent,
                                       DWORD dwAttributes)
{
    // With the attributes known from the folder listing the shell answers
    // by kind and extension without reading each entry from disk again.
    UINT uFlags = SHGFI_SYSICONINDEX | SHGFI_SMALLICON | (dwAttributes != 0 ? SHGFI_USEFILEATTRIBUTES : 0);
    SHFILEINFOA info = {};
    if (!SHGetFileInfoA(strFullPath, dwAttributes, &info, sizeof(info), uFlags))
        return NULL;
    int nImage = info.iIcon;
    if (!SHGetFileInfoA(strFullPath, dwAttributes, &info, sizeof(info), uFlags | SHGFI_OPENICON))
        return NULL;
    BOOL bFolder = dwAttributes == 0 || (dwAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    TVINSERTSTRUCTA insert = {};
    insert.hParent = hParent;
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT | TVIF_CHILDREN | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    insert.item.pszText = const_cast<LPSTR>(lpszName);
    insert.item.iImage = nImage;
    insert.item.iSelectedImage = info.iIcon;
    // A file holds nothing to list.
    insert.item.cChildren = bFolder && PathHasChildren(strFullPath) ? 1 : 0;
    return InsertItem(&insert);
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
