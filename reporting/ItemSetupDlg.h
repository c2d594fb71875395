// CItemSetupDlg: the record browser that the Row Item Setup and Column Item
// Setup dialogs share.  It shows one row of the application's open item
// list at a time, steps through it, adds, modifies and deletes rows and
// jumps to a row through Find Item.  The two dialogs differ in their
// controls, texts and the row items' data type.
#pragma once

#include "framework/windows/Dialog.h"
#include "reporting/FindItemDlg.h"
#include "reporting/RecordBrowser.h"
#include "reporting/StoredText.h"

class CException;
class CKemRecordset;

// What tells one item dialog from the other.
struct CItemSetupTraits
{
    UINT nIDTemplate;
    // Controls: code, name, search code edits; the six buttons.
    UINT nCode, nName, nSearchCode;
    UINT nAdd, nDelete, nModify, nFind, nPrevious, nNext;
    LPCSTR pszTable;         // "ss_item"
    int nFindTable;          // the Find Item dialog's table
    LPCSTR pszClosed;        // the list recordset is missing or closed
    LPCSTR pszEmptyCode;
    LPCSTR pszEmptyName;
    LPCSTR pszEmptySearchCode;  // NULL: the search code may be empty
    LPCSTR pszDuplicate;
    LPCSTR pszAskDelete;
    LPCSTR pszDeleteFailed;
};

class CItemSetupDlg : public CDialog
{
public:
    CItemSetupDlg(const CItemSetupTraits& traits, CWnd* pParent);

    // Data-exchange members of the three edits.
    CString m_strCode;
    CString m_strName;
    CString m_strSearchCode;
    // What Find's dialog searches for when it starts with an empty text.
    CFindItemDlg::EmptyInitialText m_findEmptyText;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnAdd();
    void OnDelete();
    void OnModify();
    void OnFind();
    void OnPrevious();
    void OnNext();

    void LoadCurrentRecord();
    void UpdateButtons();
    void SetFieldsEditable(BOOL bEditable);
    BOOL ValidateItem(BOOL bModify);

    // The application's list recordset the dialog browses.
    virtual CKemRecordset* Recordset() const = 0;
    // Opening failed: the dialog's message, if it has one.
    virtual void OnOpenFailed() {}
    // A database error while opening and showing the first row.
    virtual void ReportInitError(CException* e);
    // The row dialog's data type: shown, written, made editable, compared.
    virtual void ShowExtraFields(CKemRecordset* pRecordset) {}
    virtual void WriteExtraFields(CKemRecordset& rs) {}
    virtual void EnableExtraFields(BOOL bEnable) {}
    virtual void RememberShown() {}
    // TRUE when a second press of Modify finds nothing changed.
    virtual BOOL IsUnchanged() const { return FALSE; }
    // The search text Find starts with.
    virtual CString FindInitialText() const { return "%"; }

    const CItemSetupTraits& m_traits;
    BOOL m_bModifying;
    BOOL m_bAdding;
    CRecordPlace m_place;

private:
    void AddCurrentEntry();
    // The members into a new row (bAdd) or the current one; database
    // errors reach the caller after the pending change is dropped.
    void WriteRow(BOOL bAdd);
    // The texts the row takes from the dialog.
    std::vector<CFieldText> ItemTexts() const;
    void SaveModification();
    void StepTo(BOOL bForward);
};
