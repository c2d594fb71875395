// CCellDataDlg: the Cell Format page's child dialog of Numeric cells: value
// type, number format, unit, currency, row and column item and analysis
// formula.  The drop-down lists' indices are the stored values.
#pragma once

#include "framework/windows/Dialog.h"

class CCellDataDlg : public CDialog
{
public:
    CCellDataDlg();

    int m_nValueType;       // 0 numeric, 1 text, 2 picture
    int m_nNumberFormat;
    int m_nCurType;
    CString m_strRowItem;
    CString m_strColItem;
    int m_nUnit;
    CString m_strAnalysis;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void OnCancel() override {}
    void OnOK() override {}
    void OnTypeChange();
    void OnRowItem();
    void OnColItem();
    void OnAnalysis();
    // The code of the item chosen from table nTable into the member and
    // its edit.
    void TakeItemCode(int nTable, UINT nIDEdit, CString& strCode);
    // Enables the controls the value type nType leaves in use.
    void EnableForType(int nType);

    DECLARE_MESSAGE_MAP()
};

