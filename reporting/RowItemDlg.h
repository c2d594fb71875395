// CRowItemDlg: the Row Item Setup dialog over the application's open row
// item list (ss_item), with the row items' data type.
#pragma once

#include "reporting/ItemSetupDlg.h"

class CRowItemDlg : public CItemSetupDlg
{
public:
    explicit CRowItemDlg(CWnd* pParent = NULL);

    // Data type index: 0 Numeric, 1 Text, 2 Document, 3 Picture.
    int m_nType;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    CKemRecordset* Recordset() const override;
    void OnOpenFailed() override;
    void ReportInitError(CException* e) override;
    void ShowExtraFields(CKemRecordset* pRecordset) override;
    void WriteExtraFields(CKemRecordset& rs) override;
    void EnableExtraFields(BOOL bEnable) override;
    void RememberShown() override;
    BOOL IsUnchanged() const override;
    CString FindInitialText() const override { return m_strCode; }

    DECLARE_MESSAGE_MAP()

private:
    CString m_strSavedName;
    CString m_strSavedSearchCode;
    int m_nSavedType;
};
