// COrganDlg: the Set Organization dialog.  It browses the application's
// open organization list (ss_Organ) one row at a time, adds, modifies and
// deletes organizations together with their property links (ss_OrgAttr)
// in one transaction each, and shows the links as checks in a property
// tree.  The list gets its filter, sort and current row back at the end.
#pragma once

#include "framework/windows/Dialog.h"
#include "reporting/CheckTreeCtrl.h"
#include "reporting/RecordBrowser.h"

// After the framework: windows.h must come before the C++ library here.
#include <memory>

class CKemRecordset;
class CScopedRecordset;

class COrganDlg : public CDialog
{
public:
    explicit COrganDlg(CWnd* pParent = NULL);
    ~COrganDlg() override;

    // The dialog's recordset on ss_OrgAttr, or NULL.
    CKemRecordset* m_pOrgAttrRecordset;

protected:
    BOOL OnInitDialog() override;
    void OnAdd();
    void OnDelete();
    void OnModify();
    void OnFind();
    void OnNext();
    void OnPrevious();
    void OnDestroy();

    BOOL ValidateOrganization(BOOL bModify);
    void UpdateNavigation();
    void ShowCurrentOrganization();
    void SetFieldsEditable(BOOL bEditable);
    void EndEditMode();
    // Within the caller's transaction; FALSE (told) when the links could
    // not be read or deleted.
    BOOL DeleteOrganProperties(const CString& strCode);
    // Within the caller's transaction; FALSE (told) when the links could
    // not be opened.  Database errors while writing reach the caller.
    BOOL SaveOrganProperties(const CString& strCode);

    DECLARE_MESSAGE_MAP()

private:
    CKemRecordset* Organs() const;
    // FALSE (told) when two values of one type are checked.
    BOOL CheckOneValuePerType();
    // Opens the links recordset on one organization's rows.
    BOOL OpenLinks(const CString& strCode);
    // Writes the row (bAdd: a new one) and its links in one transaction;
    // FALSE (told) when nothing was written.
    BOOL WriteOrganization(BOOL bAdd, const CString& strCode, const CString& strName,
                           const CString& strSearchCode);
    void StepTo(BOOL bForward);
    void ClearFields();

    // Holds m_pOrgAttrRecordset from OnInitDialog to WM_DESTROY.
    std::unique_ptr<CScopedRecordset> m_orgAttr;
    BOOL m_bModifying;
    BOOL m_bAdding;
    CRecordPlace m_place;
    CString m_strSavedName;
    CString m_strSavedSearchCode;
    CCheckTreeCtrl m_tree;
    HTREEITEM m_hRoot;
    // The organization list as the dialog found it.
    CString m_strListFilter;
    CString m_strListSort;
    CString m_strListCode;
};
