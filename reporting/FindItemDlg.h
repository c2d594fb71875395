// CFindItemDlg: the Find Item dialog.  It picks one row item, column item
// or organization of the reporting database by the beginning of its code,
// search code or name; the list follows the typed text 500 ms after the
// last keystroke.  It only reads, through a recordset of its own.
#pragma once

#include "framework/core/Array.h"
#include "framework/windows/Dialog.h"
#include "framework/windows/ListBox.h"

// After the framework: windows.h must come before the C++ library here.
#include <memory>

class CKemRecordset;
class CScopedRecordset;

class CFindItemDlg : public CDialog
{
public:
    // What an empty initial text searches for: every entry (the search box
    // shows "%"), or nothing until the user types or picks a search-by
    // button (the editor's choice).
    enum EmptyInitialText
    {
        EMPTY_TEXT_LISTS_ALL,
        EMPTY_TEXT_STAYS_EMPTY
    };

    // nTable: 1 row items, 2 column items, 3 organizations.  nMode: search
    // by 1 code, 2 search code, 3 name.
    CFindItemDlg(int nTable, int nMode, CString strInitial, CWnd* pParent = NULL,
                 EmptyInitialText emptyText = EMPTY_TEXT_LISTS_ALL);
    ~CFindItemDlg() override;

    // The chosen entry, after IDOK.
    CString m_strCode;
    CString m_strSearchCode;
    CString m_strName;

    // The table's name; NULL for a table number out of range.
    static LPCSTR TableName(int nTable);

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnByItemCode();
    void OnBySearchCode();
    void OnByItemName();
    void OnSearchTextChanged();
    void OnListDblClk();
    void OnTimer(UINT_PTR nIDEvent);
    void OnDestroy();

    // The rows of the recordset from its current one on into the lists.
    void LoadItemLists();
    // The lists into the list box, as the mode shows them.
    void FillList();

    DECLARE_MESSAGE_MAP()

private:
    // The search of the typed text, once the delay has run out.
    void Search(const CString& strText);
    // After a failed search: the table's three columns, unfiltered.
    void ReopenAfterFailure();
    // The entry at nIndex becomes the chosen one.
    void ChooseEntry(int nIndex);
    // A new mode; the chosen entry's value of it goes into the search box.
    void SwitchMode(int nMode);

    int m_nTable;
    int m_nMode;
    CString m_strInitial;
    EmptyInitialText m_emptyText;
    BOOL m_bNoMatch;
    BOOL m_bTimerFired;
    // From OnInitDialog to WM_DESTROY.
    std::unique_ptr<CScopedRecordset> m_recordset;
    CKemRecordset* m_pRecordset;
    CStringArray m_codes;
    CStringArray m_searchCodes;
    CStringArray m_names;
    CListBox m_listItems;
};
