// CCellTextDlg: the Cell Format page's child dialog of Text cells: static
// (a typed label) or dynamic (filled in), the label, and the analysis
// formula.  With a mixed marker of -1 the selected cells disagree on static
// or dynamic, and nothing can be typed until one is chosen.
#pragma once

#include "framework/windows/Dialog.h"

class CCellTextDlg : public CDialog
{
public:
    CCellTextDlg();

    int m_nDynamic;
    int m_nMixed;
    CString m_strStartText;
    CString m_strText;
    CString m_strAnalysis;

    // Which radio button is selected: 0 static, 1 dynamic, -1 neither.
    int GetChosenType() const;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void OnCancel() override {}
    void OnOK() override {}
    void OnStatic();
    void OnDynamic();
    void OnFromRowItem();
    void OnFromColItem();
    void OnAnalysis();
    // The text edit and both "<" buttons in use, or not.
    void EnableText(BOOL bEnable);
    // The chosen item's name and code into the text edit.
    void TakeItem(int nTable);

    DECLARE_MESSAGE_MAP()
};
