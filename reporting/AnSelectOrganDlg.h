// CAnSelectOrganDlg: the analysis step that chooses the organizations
// (entries "code-name" from ss_Organ).
#pragma once

#include "framework/windows/Dialog.h"
#include "framework/windows/ListBox.h"

class CTallyformDoc;

class CAnSelectOrganDlg : public CDialog
{
public:
    explicit CAnSelectOrganDlg(CWnd* pParent = NULL);

    // TRUE with at least one chosen organization; else says so.
    BOOL HasSelection();
    // The chosen entries into the document's organization list; returns
    // their number.
    int SaveSelection();

    CTallyformDoc* m_pDoc;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override {}
    void OnCancel() override {}
    void OnAdd();
    void OnRemove();

    DECLARE_MESSAGE_MAP()

private:
    CListBox m_listOrgans;
    CListBox m_listSelected;
};
