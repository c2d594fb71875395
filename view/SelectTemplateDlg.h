// CSelectTemplateDlg: the "Select Template" dialog of File > Open: the
// template folders beside the templates of the folder chosen; after OK,
// m_strResult is the template's full path.
#pragma once

#include "framework/windows/Dialog.h"
#include "framework/windows/ListBox.h"
#include "view/FolderTreeCtrl.h"

class CSelectTemplateDlg : public CDialog
{
public:
    explicit CSelectTemplateDlg(CWnd* pParent = NULL);

    CListBox m_listTemplates;
    CFolderTreeCtrl m_treeFolders;
    // The chosen folder, ending in "\"; empty until a folder is chosen.
    CString m_strFolder;
    CString m_strResult;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnSelchangedFolders(NMHDR* pNMHDR, LRESULT* pResult);

    DECLARE_MESSAGE_MAP()
};
