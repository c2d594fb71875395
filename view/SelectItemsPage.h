// The row-item and column-item steps of the template wizards: a search
// over ss_item or ss_colitem, the items found and the items chosen.  The
// chosen entries are kept in the owner document's lists at every change.
#pragma once

#include "framework/core/List.h"
#include "framework/windows/Dialog.h"
#include "framework/windows/Edit.h"
#include "framework/windows/ListBox.h"
#include "reporting/HExtentListBox.h"
#include "view/ItemSelection.h"

class CKemRecordset;
class CTallyformDoc;

// What differs between the row page and the column page.
struct CItemTable
{
    LPCSTR pszTable;
    UINT nIDTemplate;
    int nItemListID;
    int nSelectedListID;
    LPCSTR pszOpenQuery;
    LPCSTR pszClosedQuery;
    LPCSTR pszFallbackQuery;
    LPCSTR pszOpenFailure;
};

class CSelectItemsPage : public CDialog
{
public:
    ~CSelectItemsPage() override;

    // The owner's code-name list from the selected list, line by line.
    void SaveSelection();
    // The selected list and the owner's entry list from its code-name list.
    void LoadSelection();

    BYTE m_bNoMatch;
    int m_nSearchMode;
    BOOL m_bTimerFired;
    CKemRecordset* m_pRecordset;
    CStringList m_lstCodes;
    CStringList m_lstSearchCodes;
    CStringList m_lstNames;
    CString m_strFirstCode;
    CString m_strFirstSearchCode;
    CString m_strFirstName;
    CTallyformDoc* m_pOwner;
    CEdit m_editSearch;
    // Both scroll sideways to entries wider than the list.
    CHExtentListBox m_listSelected;
    CHExtentListBox m_listItems;

protected:
    CSelectItemsPage(const CItemTable& table, CItemNoMatch& noMatch, CWnd* pParent);

    // The owner's lists of this page's items: entries as shown, and the
    // code-name form.
    virtual CStringList* OwnerEntries() = 0;
    virtual CStringList* OwnerCodes() = 0;

    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override {}
    void OnCancel() override {}
    void OnDestroy();
    void OnTimer(UINT_PTR nIDEvent);
    void OnSearchChange();
    void OnByCode() { SwitchMode(ITEM_SEARCH_CODE, m_strFirstCode); }
    void OnBySearchCode() { SwitchMode(ITEM_SEARCH_SEARCHCODE, m_strFirstSearchCode); }
    void OnByName() { SwitchMode(ITEM_SEARCH_NAME, m_strFirstName); }
    void OnAdd();
    void OnRemove();

    DECLARE_MESSAGE_MAP()

private:
    void LoadItemLists();
    void FillItemList(CListBox& list);
    void RunSearch();
    // Opens the recordset with a query; FALSE when it did not open.
    BOOL OpenQuery(LPCSTR lpszQuery);
    void SwitchMode(int nMode, const CString& strFirst);

    const CItemTable& m_table;
    CItemNoMatch& m_noMatch;
};

class CSelectRowItemsPage : public CSelectItemsPage
{
public:
    explicit CSelectRowItemsPage(CWnd* pParent = NULL);
    // TRUE with at least one chosen item; else says so and returns FALSE.
    BOOL HasSelection();

protected:
    CStringList* OwnerEntries() override;
    CStringList* OwnerCodes() override;
};

class CSelectColItemsPage : public CSelectItemsPage
{
public:
    explicit CSelectColItemsPage(CWnd* pParent = NULL);

protected:
    CStringList* OwnerEntries() override;
    CStringList* OwnerCodes() override;
};

// The message of an empty row-item choice.
extern const char kEmptyItemChoice[];
