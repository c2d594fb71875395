// CSaveTemplateDlg: the Save Template dialog.  The user picks a template
// folder, "<current directory>\Template\" itself or one below it, and a
// name; the caller adds ".kvm" and writes the file.
#pragma once

#include "framework/windows/Dialog.h"
#include "framework/windows/ListBox.h"
#include "view/FolderTreeCtrl.h"

class CSaveTemplateDlg : public CDialog
{
public:
    CSaveTemplateDlg(CString name, CWnd* pParent = NULL);

    // The root of the template folders, ending in "\".
    static CString GetTemplateRoot();

    CListBox m_listTemplates;
    CFolderTreeCtrl m_treeFolders;
    CString m_strName;
    // The chosen folder, ending in "\"; empty until a folder is chosen.
    CString m_strFolder;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnSelchangedFolders(NMHDR* pNMHDR, LRESULT* pResult);
    void OnSelchangeTemplates();

    DECLARE_MESSAGE_MAP()

private:
    void FillTemplateList();
};
