// CFolderTreeCtrl: a tree of the folders (and, when asked, the files) below
// a root folder with the shell's small icons, each branch filled when it is
// first expanded.  Items keep no data: an item's path is rebuilt from its
// text and its ancestors'.  The user manages the folders on disk from its
// context menu, its keys, label editing and drag and drop; every disk
// change goes through the shell's file operations.
#pragma once

#include "framework/windows/TreeCtrl.h"
#include "view/SystemImageList.h"

#include <shellapi.h>

class CCmdUI;

class CFolderTreeCtrl : public CTreeCtrl
{
    DECLARE_DYNAMIC(CFolderTreeCtrl)
public:
    CFolderTreeCtrl();
    ~CFolderTreeCtrl() override;

    // The folder shown at the top level (a trailing "\" is dropped); an
    // empty root shows the logical drives.  Refreshes when the window exists.
    void SetRootPath(LPCSTR lpszPath);
    const CString& GetRootPath() const { return m_strRoot; }
    void SetShowFiles(BOOL bShowFiles);
    // Shows the root folder itself as the one top-level item, so that it
    // can be chosen and take new folders like any other.
    void SetShowRootItem(BOOL bShowRootItem);

    // The full path of an item; for NULL, the root and "\".
    CString GetItemPath(HTREEITEM hItem) const;
    CString GetSelectedPath() const { return GetItemPath(GetSelectedItem()); }

    // The first child of hParent (TVI_ROOT: the top level) whose text is
    // lpszName ignoring case, or NULL.
    HTREEITEM FindChildItem(HTREEITEM hParent, LPCSTR lpszName) const;
    BOOL HasChildNamed(HTREEITEM hParent, LPCSTR lpszName) const
    {
        return FindChildItem(hParent, lpszName) != NULL;
    }
    // Selects the item of a full path below the root, filling and expanding
    // the branches on the way; NULL when the path is not in the tree.
    HTREEITEM SelectPath(LPCSTR lpszPath, BOOL bExpand);
    // Fills the tree again and selects the item that was selected.
    void Refresh();
    // Fills an item's folder under it when it has no child items yet.
    void FillItem(HTREEITEM hItem);

    // A new folder "NewTemplateType" beside the selected folder, or
    // "NewTemplateSubType" inside it ("New " put in front while the name
    // is taken).
    void AddType();
    void AddSubtype();
    // The item's file or folder to the recycle bin (deleted for good with
    // Shift held), the shell asking first; the item goes on success.
    void DeleteItem(HTREEITEM hItem);
    // The shell's Properties sheet of the item's file or folder.
    void ShowProperties(HTREEITEM hItem);
    // A drive root ("C:\") when the tree shows drives.
    BOOL IsDriveRoot(HTREEITEM hItem) const;
    // The item of the root folder itself (SetShowRootItem).
    BOOL IsRootItem(HTREEITEM hItem) const;
    // An item that cannot be renamed, deleted or dragged: a drive root or
    // the root folder's item.
    BOOL IsFixedItem(HTREEITEM hItem) const { return IsDriveRoot(hItem) || IsRootItem(hItem); }
    BOOL IsFolderItem(HTREEITEM hItem) const;
    BOOL IsDragging() const { return m_pDragImage != NULL; }

    BOOL m_bAllowDrag;
    BOOL m_bAllowRename;
    BOOL m_bAllowProperty;
    BOOL m_bAllowDelete;

protected:
    void PreSubclassWindow() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    void OnItemExpanding(NMHDR* pNMHDR, LRESULT* pResult);
    void OnEndLabelEdit(NMHDR* pNMHDR, LRESULT* pResult);
    void OnRightClick(NMHDR* pNMHDR, LRESULT* pResult);
    void OnBeginDrag(NMHDR* pNMHDR, LRESULT* pResult);
    void OnContextMenu(CWnd* pWnd, CPoint pos);
    void OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu);
    void OnMouseMove(UINT nFlags, CPoint point);
    void OnLButtonUp(UINT nFlags, CPoint point);
    void OnTimer(UINT_PTR nIDEvent);
    LRESULT OnStartUp(WPARAM wParam, LPARAM lParam);

    void OnAddType() { AddType(); }
    void OnAddSubtype() { AddSubtype(); }
    void OnDeleteFolder();
    void OnRenameFolder();
    void OnFolderProperty() { ShowProperties(GetSelectedItem()); }
    void OnRefresh() { Refresh(); }
    void OnUpdateAddType(CCmdUI* pCmdUI);
    void OnUpdateAddSubtype(CCmdUI* pCmdUI);
    void OnUpdateDeleteFolder(CCmdUI* pCmdUI);
    void OnUpdateRenameFolder(CCmdUI* pCmdUI);
    void OnUpdateFolderProperty(CCmdUI* pCmdUI);

    DECLARE_MESSAGE_MAP()

private:
    void ExpandFilled(HTREEITEM hItem);
    void FillDrives();
    void FillRootItem();
    void FillFolder(const CString& strPath, HTREEITEM hParent);
    // dwAttributes 0: the shell reads the entry itself (drives).  The new
    // item, NULL when the shell has no icon for the entry.
    HTREEITEM InsertEntry(LPCSTR lpszName, const CString& strFullPath, HTREEITEM hParent, DWORD dwAttributes);
    BOOL PathHasChildren(const CString& strPath) const;
    void DeleteChildren(HTREEITEM hParent);
    void SetHasChildren(HTREEITEM hItem, BOOL bHasChildren);
    // The folder item that can take a new type or subtype, or NULL.
    HTREEITEM SelectedFolder() const;
    void AddFolder(HTREEITEM hTarget, const CString& strFolder, LPCSTR lpszBaseName);
    // The context menu at a screen point.
    void ShowContextMenu(CPoint ptScreen);
    void RenameItem(HTREEITEM hItem, const CString& strNewName);

    // Drag and drop (FolderTreeDrag.cpp)
    BOOL IsValidDropTarget(HTREEITEM hTarget) const;
    void UpdateDragCursor(BOOL bValid);
    void EndDragging(BOOL bCancel);
    void DropOn(HTREEITEM hTarget, BOOL bCopy);
    HTREEITEM CopyBranch(HTREEITEM hItem, HTREEITEM hNewParent);
    CPoint DragHotSpot(CPoint ptDrag) const;

    CSystemImageList m_imageList;
    CString m_strRoot;
    BOOL m_bShowFiles;
    BOOL m_bShowRootItem;
    HTREEITEM m_hDragItem;
    HTREEITEM m_hDropTarget;
    CImageList* m_pDragImage;
    UINT_PTR m_nDragTimer;
    HCURSOR m_hCursorCopy;
    HCURSOR m_hCursorNoCopy;
    HCURSOR m_hCursorMove;
    HCURSOR m_hCursorNoDrop;
    int m_nHoverTicks;
    // The edit box whose end was handled: hiding it takes its focus, and
    // the control then reports the same end once more.
    HWND m_hEndedEdit;
};

// The shell's file operation on one path (pTo may be NULL), owned by
// hOwner; TRUE when it ran and the user did not abort it.
BOOL RunShellFileOperation(HWND hOwner, UINT wFunc, LPCSTR lpszFrom, LPCSTR lpszTo, FILEOP_FLAGS fFlags);
