// COrganPropTreeDlg: the Select Report Type dialog.  It shows the property
// types and values as a check tree and, on OK, hands back the statement
// that selects the organizations holding any of the checked properties,
// or every organization when nothing is checked.
#pragma once

#include "framework/windows/Dialog.h"
#include "reporting/CheckTreeCtrl.h"

class COrganPropTreeDlg : public CDialog
{
public:
    explicit COrganPropTreeDlg(CWnd* pParent = NULL);
    ~COrganPropTreeDlg() override;

    // The statement built by OK; empty otherwise.
    CString m_strOrganSQL;

    // The statement of the checks of a filled tree under hRoot.
    static CString BuildOrganSQL(const CCheckTreeCtrl& tree, HTREEITEM hRoot);

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;

    CCheckTreeCtrl m_tree;
    HTREEITEM m_hRoot;
};
