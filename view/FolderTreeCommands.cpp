// The folder tree's commands: context menu, keys, new folders, delete,
// rename by label editing and the shell's Properties.
#include "view/FolderTreeCtrl.h"

#include <vector>

#include "framework/core/MessageSink.h"
#include "framework/windows/CmdUI.h"
#include "framework/windows/Menu.h"
#include "view/TemplateName.h"
#include "TemplatePickerIds.h"

namespace
{
// A path list for the shell's file operations: the path and two NULs.
std::vector<char> DoubleNulPath(LPCSTR lpszPath)
{
    std::vector<char> buffer(lpszPath, lpszPath + lstrlenA(lpszPath));
    buffer.push_back('\0');
    buffer.push_back('\0');
    return buffer;
}

// The window that owns the shell's questions and sheets: the dialog the
// tree sits in, which stays modal and on top while they are answered.
HWND OwnerWindowOf(HWND hWnd)
{
    return ::GetAncestor(hWnd, GA_ROOT);
}

BOOL IsKeyDown(int nVirtKey)
{
    return (GetKeyState(nVirtKey) & 0x8000) != 0;
}

CString JoinPath(const CString& strFolder, LPCSTR lpszName)
{
    if (!strFolder.IsEmpty() && strFolder[strFolder.GetLength() - 1] == '\\')
        return strFolder + lpszName;
    return strFolder + "\\" + lpszName;
}
}

BOOL RunShellFileOperation(HWND hOwner, UINT wFunc, LPCSTR lpszFrom, LPCSTR lpszTo, FILEOP_FLAGS fFlags)
{
    std::vector<char> from = DoubleNulPath(lpszFrom);
    std::vector<char> to = DoubleNulPath(lpszTo != NULL ? lpszTo : "");
    SHFILEOPSTRUCTA op = {};
    op.hwnd = hOwner;
    op.wFunc = wFunc;
    op.pFrom = from.data();
    op.pTo = lpszTo != NULL ? to.data() : NULL;
    op.fFlags = fFlags;
    return SHFileOperationA(&op) == 0 && !op.fAnyOperationsAborted;
}

// -------------------------------------------------------- context menu

void CFolderTreeCtrl::OnRightClick(NMHDR*, LRESULT* pResult)
{
    CPoint ptScreen;
    GetCursorPos(&ptScreen);
    CPoint ptClient = ptScreen;
    ScreenToClient(&ptClient);
    HTREEITEM hItem = HitTest(ptClient);
    if (hItem != NULL)
        SelectItem(hItem);
    ShowContextMenu(ptScreen);
    // Handled here: no context-menu message follows.
    *pResult = 1;
}

void CFolderTreeCtrl::OnContextMenu(CWnd*, CPoint pos)
{
    if (pos.x == -1 && pos.y == -1)
    {
        // From the keyboard: at the centre of the selected item's label.
        HTREEITEM hItem = GetSelectedItem();
        CRect rc;
        if (hItem == NULL || !GetItemRect(hItem, &rc, TRUE))
            return;
        pos = rc.CenterPoint();
        ClientToScreen(&pos);
    }
    ShowContextMenu(pos);
}

void CFolderTreeCtrl::ShowContextMenu(CPoint ptScreen)
{
    CMenu menu;
    if (!menu.LoadMenu(IDR_FOLDER_TREE_MENU))
        return;
    CMenu* pPopup = menu.GetSubMenu(0);
    if (pPopup != NULL)
        pPopup->TrackPopupMenu(TPM_LEFTALIGN | TPM_RIGHTBUTTON, ptScreen.x, ptScreen.y, this);
}

void CFolderTreeCtrl::OnInitMenuPopup(CMenu* pPopupMenu, UINT, BOOL bSysMenu)
{
    if (bSysMenu || pPopupMenu == NULL)
        return;
    // A control's menu gets no frame to update it: the tree asks its own
    // update handlers.
    CCmdUI state;
    state.m_hMenu = pPopupMenu->m_hMenu;
    state.m_pMenu = pPopupMenu;
    state.m_nIndexMax = (UINT)pPopupMenu->GetMenuItemCount();
    for (state.m_nIndex = 0; state.m_nIndex < state.m_nIndexMax; ++state.m_nIndex)
    {
        state.m_nID = pPopupMenu->GetMenuItemID((int)state.m_nIndex);
        if (state.m_nID == 0 || state.m_nID == (UINT)-1)
            continue;
        state.DoUpdate(this, TRUE);
    }
}

HTREEITEM CFolderTreeCtrl::SelectedFolder() const
{
    HTREEITEM hItem = GetSelectedItem();
    return IsFolderItem(hItem) ? hItem : NULL;
}

void CFolderTreeCtrl::OnUpdateAddType(CCmdUI* pCmdUI)
{
    HTREEITEM hItem = SelectedFolder();
    pCmdUI->Enable(hItem != NULL && !IsDriveRoot(hItem));
}

void CFolderTreeCtrl::OnUpdateAddSubtype(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(SelectedFolder() != NULL);
}

void CFolderTreeCtrl::OnUpdateDeleteFolder(CCmdUI* pCmdUI)
{
    HTREEITEM hItem = GetSelectedItem();
    pCmdUI->Enable(hItem != NULL && !IsFixedItem(hItem) && m_bAllowDelete);
}

void CFolderTreeCtrl::OnUpdateRenameFolder(CCmdUI* pCmdUI)
{
    HTREEITEM hItem = GetSelectedItem();
    pCmdUI->Enable(hItem != NULL && !IsFixedItem(hItem) && m_bAllowRename);
}

void CFolderTreeCtrl::OnUpdateFolderProperty(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(GetSelectedItem() != NULL && m_bAllowProperty);
}

// ------------------------------------------------------------------ keys

BOOL CFolderTreeCtrl::PreTranslateMessage(MSG* pMsg)
{
    // While a label is edited its keys (Enter and Escape too) belong to the
    // edit box, not to the dialog around the tree.
    if (GetSafeHwnd() != NULL && SendMessage(TVM_GETEDITCONTROL) != 0)
    {
        if (pMsg->message == WM_KEYDOWN || pMsg->message == WM_CHAR)
        {
            ::TranslateMessage(pMsg);
            ::DispatchMessageA(pMsg);
            return TRUE;
        }
        return CTreeCtrl::PreTranslateMessage(pMsg);
    }
    if (pMsg->message == WM_CONTEXTMENU && pMsg->hwnd == m_hWnd)
    {
        OnContextMenu(this, CPoint((short)LOWORD(pMsg->lParam), (short)HIWORD(pMsg->lParam)));
        return TRUE;
    }
    if (pMsg->hwnd != m_hWnd)
        return CTreeCtrl::PreTranslateMessage(pMsg);
    if (pMsg->message == WM_SYSKEYDOWN && pMsg->wParam == VK_RETURN)
    {
        ShowProperties(GetSelectedItem());
        return TRUE;
    }
    if (pMsg->message == WM_SYSKEYDOWN && pMsg->wParam == VK_F10 && IsKeyDown(VK_SHIFT))
    {
        OnContextMenu(this, CPoint(-1, -1));
        return TRUE;
    }
    if (pMsg->message != WM_KEYDOWN)
        return CTreeCtrl::PreTranslateMessage(pMsg);
    switch (pMsg->wParam)
    {
    case VK_F10:
        if (!IsKeyDown(VK_SHIFT))
            break;
        OnContextMenu(this, CPoint(-1, -1));
        return TRUE;
    case VK_ESCAPE:
        if (!IsDragging())
            break;
        EndDragging(TRUE);
        return TRUE;
    case VK_DELETE:
        OnDeleteFolder();
        return TRUE;
    case VK_BACK:
    {
        HTREEITEM hParent = GetSelectedItem() != NULL ? GetParentItem(GetSelectedItem()) : NULL;
        if (hParent != NULL)
            SelectItem(hParent);
        return TRUE;
    }
    case VK_F2:
        OnRenameFolder();
        return TRUE;
    case VK_F5:
        Refresh();
        return TRUE;
    default:
        break;
    }
    return CTreeCtrl::PreTranslateMessage(pMsg);
}

// ------------------------------------------------------- folder commands

void CFolderTreeCtrl::AddType()
{
    HTREEITEM hItem = SelectedFolder();
    if (hItem == NULL || IsDriveRoot(hItem))
        return;
    // The root folder has nothing beside it in the tree: its types go in it.
    if (IsRootItem(hItem))
    {
        FillItem(hItem);
        AddFolder(hItem, GetItemPath(hItem), "NewTemplateType");
        return;
    }
    HTREEITEM hParent = GetParentItem(hItem);
    AddFolder(hParent != NULL ? hParent : TVI_ROOT, GetItemPath(hParent), "NewTemplateType");
}

void CFolderTreeCtrl::AddSubtype()
{
    HTREEITEM hItem = SelectedFolder();
    if (hItem == NULL || IsDriveRoot(hItem))
        return;
    FillItem(hItem);
    AddFolder(hItem, GetItemPath(hItem), "NewTemplateSubType");
}

void CFolderTreeCtrl::AddFolder(HTREEITEM hTarget, const CString& strFolder, LPCSTR lpszBaseName)
{
    CString strName = lpszBaseName;
    while (GetFileAttributesA(JoinPath(strFolder, strName)) != INVALID_FILE_ATTRIBUTES)
        strName = "New " + strName;
    if (!CreateDirectoryA(JoinPath(strFolder, strName), NULL))
        return;
    if (hTarget != TVI_ROOT)
        SetHasChildren(hTarget, TRUE);
    InsertItem(strName, hTarget, TVI_LAST);
    Refresh();
}

void CFolderTreeCtrl::OnDeleteFolder()
{
    DeleteItem(GetSelectedItem());
}

void CFolderTreeCtrl::DeleteItem(HTREEITEM hItem)
{
    if (hItem == NULL || IsFixedItem(hItem) || !m_bAllowDelete)
        return;
    FILEOP_FLAGS fFlags = IsKeyDown(VK_SHIFT) ? 0 : FOF_ALLOWUNDO;
    if (!RunShellFileOperation(OwnerWindowOf(m_hWnd), FO_DELETE, GetItemPath(hItem), NULL, fFlags))
        return;
    HTREEITEM hParent = GetParentItem(hItem);
    CTreeCtrl::DeleteItem(hItem);
    if (hParent != NULL && GetChildItem(hParent) == NULL)
        SetHasChildren(hParent, FALSE);
}

void CFolderTreeCtrl::OnRenameFolder()
{
    HTREEITEM hItem = GetSelectedItem();
    if (hItem == NULL || IsFixedItem(hItem) || !m_bAllowRename)
        return;
    SetFocus();
    SendMessage(TVM_EDITLABELA, 0, (LPARAM)hItem);
}

void CFolderTreeCtrl::OnEndLabelEdit(NMHDR* pNMHDR, LRESULT* pResult)
{
    NMTVDISPINFOA* pInfo = reinterpret_cast<NMTVDISPINFOA*>(pNMHDR);
    // The new text is set here once the disk agrees; the control keeps the
    // old one.
    *pResult = FALSE;
    HWND hEdit = (HWND)SendMessage(TVM_GETEDITCONTROL);
    if (pInfo->item.pszText == NULL || (hEdit != NULL && hEdit == m_hEndedEdit))
        return;
    m_hEndedEdit = hEdit;
    RenameItem(pInfo->item.hItem, pInfo->item.pszText);
}

void CFolderTreeCtrl::RenameItem(HTREEITEM hItem, const CString& strNewName)
{
    if (hItem == NULL || IsFixedItem(hItem) || strNewName == GetItemText(hItem))
        return;
    // Empty names, names with path characters and device names would make
    // the shell move the folder elsewhere or fail half-way: refused first.
    CString strProblem = TemplateNameProblem(strNewName);
    if (!strProblem.IsEmpty())
    {
        AfxMessageBox(strProblem, MB_ICONEXCLAMATION);
        return;
    }
    CString strOld = GetItemPath(hItem);
    CString strNew = JoinPath(GetItemPath(GetParentItem(hItem)), strNewName);
    if (!RunShellFileOperation(OwnerWindowOf(m_hWnd), FO_RENAME, strOld, strNew, FOF_ALLOWUNDO))
        return;
    SetItemText(hItem, strNewName);
    SHFILEINFOA info = {};
    if (SHGetFileInfoA(strNew, 0, &info, sizeof(info), SHGFI_SYSICONINDEX | SHGFI_SMALLICON))
    {
        int nImage = info.iIcon;
        SHGetFileInfoA(strNew, 0, &info, sizeof(info), SHGFI_SYSICONINDEX | SHGFI_SMALLICON | SHGFI_OPENICON);
        TVITEMA item = {};
        item.mask = TVIF_HANDLE | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
        item.hItem = hItem;
        item.iImage = nImage;
        item.iSelectedImage = info.iIcon;
        SetItem(&item);
    }
}

void CFolderTreeCtrl::ShowProperties(HTREEITEM hItem)
{
    if (hItem == NULL || !m_bAllowProperty)
        return;
    CString strPath = GetItemPath(hItem);
    SHELLEXECUTEINFOA info = {};
    info.cbSize = sizeof(info);
    info.fMask = SEE_MASK_INVOKEIDLIST;
    info.hwnd = OwnerWindowOf(m_hWnd);
    info.lpVerb = "Properties";
    info.lpFile = strPath;
    info.nShow = SW_SHOW;
    ShellExecuteExA(&info);
}
