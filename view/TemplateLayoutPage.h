// CTemplateLayoutPage: the second step of the Create Template wizard: a
// grid of rows by columns finished here, or a template by items that goes
// on to the item steps.
#pragma once

#include "framework/windows/Dialog.h"

class CTemplateLayoutPage : public CDialog
{
public:
    explicit CTemplateLayoutPage(CWnd* pParent = NULL);

    // The wizard's buttons, set by the wizard when it opens.
    CWnd* m_pFinishButton;
    CWnd* m_pNextButton;
    BYTE m_bColumnsEnabled;
    BYTE m_bRowsEnabled;            // also the wizard's Finish
    BYTE m_bItemsAsRowsEnabled;
    BYTE m_bItemsAsColumnsEnabled;  // also the wizard's Next
    BYTE m_bItemsAsRows;
    int m_nRows;
    int m_nColumns;
    int m_bByItems;
    int m_bSplitColumns;
    int m_nSplitNumber;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override {}
    void OnCancel() override {}
    void OnKillFocusSize();
    void OnByItems();
    void OnSplitColumns();
    void OnItemsAsRows() { m_bItemsAsRows = 1; }
    void OnItemsAsColumns() { m_bItemsAsRows = 0; }

    DECLARE_MESSAGE_MAP()

private:
    void ExchangeFields(CDataExchange* pDX);

    // A check of the sizes is showing its message: the focus moves that it
    // causes check nothing again.
    BOOL m_bCheckingSize;
};
