// CAnSelectDimDlg: the analysis wizard's dimension step: whether
// organizations or organization properties are analysed, and which
// dimensions run down the rows and which across the columns.
#pragma once

#include "framework/windows/Dialog.h"
#include "framework/windows/ListBox.h"

class CTallyformDoc;

class CAnSelectDimDlg : public CDialog
{
public:
    explicit CAnSelectDimDlg(CWnd* pParent = NULL);

    // TRUE when both sides hold a dimension; else says so.
    BOOL HasSelection();
    // The analysis kind and both dimension lists into the document.
    void SaveSelection();

    CTallyformDoc* m_pDoc;
    int m_nKind;            // 0 organizations, 1 properties

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override {}
    void OnCancel() override {}
    void OnKindOrgans() { SetKind(0); }
    void OnKindProperties() { SetKind(1); }
    void OnToColumns();
    void OnToRows();

    DECLARE_MESSAGE_MAP()

private:
    // Sets the kind and swaps the first "Organ" or "Property" dimension
    // for the other, in place.
    void SetKind(int nKind);

    CListBox m_listRows;
    CListBox m_listColumns;
};
