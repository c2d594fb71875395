// CFolderTreeCtrl: a tree of the folders (and, when asked, the files) below
// a root folder, each branch filled when it is first expanded.  Items keep
// no data: an item's path is rebuilt from its text and its ancestors'.
#pragma once

#include "framework/windows/TreeCtrl.h"

class CFolderTreeCtrl : public CTreeCtrl
{
    DECLARE_DYNAMIC(CFolderTreeCtrl)
public:
    CFolderTreeCtrl();

    // The folder shown at the top level (a trailing "\" is dropped); an
    // empty root shows the logical drives.  Refreshes when the window exists.
    void SetRootPath(LPCSTR lpszPath);
    const CString& GetRootPath() const { return m_strRoot; }
    void SetShowFiles(BOOL bShowFiles);

    // The full path of an item; for NULL, the root and "\".
    CString GetItemPath(HTREEITEM hItem) const;
    CString GetSelectedPath() const { return GetItemPath(GetSelectedItem()); }

    // The first child of hParent (TVI_ROOT: the top level) whose text is
    // lpszName ignoring case, or NULL.
    HTREEITEM FindChildItem(HTREEITEM hParent, LPCSTR lpszName) const;
    // Selects the item of a full path below the root, filling and expanding
    // the branches on the way; NULL when the path is not in the tree.
    HTREEITEM SelectPath(LPCSTR lpszPath, BOOL bExpand);
    // Fills the tree again and selects the item that was selected.
    void Refresh();

    BOOL m_bAllowDrag;
    BOOL m_bAllowRename;
    BOOL m_bAllowProperty;
    BOOL m_bAllowDelete;

protected:
    void PreSubclassWindow() override;
    void OnItemExpanding(NMHDR* pNMHDR, LRESULT* pResult);
    LRESULT OnStartUp(WPARAM wParam, LPARAM lParam);

    DECLARE_MESSAGE_MAP()

private:
    void ExpandFilled(HTREEITEM hItem);
    void FillDrives();
    void FillFolder(const CString& strPath, HTREEITEM hParent);
    void InsertEntry(LPCSTR lpszName, const CString& strFullPath, HTREEITEM hParent);
    BOOL PathHasChildren(const CString& strPath) const;

    CString m_strRoot;
    BOOL m_bShowFiles;
};
