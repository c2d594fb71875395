#include "view/SelectItemsPage.h"

#include <vector>

#include "engines/common/KemRecordset.h"
#include "framework/core/Exception.h"
#include "framework/core/MessageSink.h"
#include "framework/windows/DataExchange.h"
#include "framework/windows/WaitCursor.h"
#include "reporting/EngineLoader.h"
#include "reporting/FieldText.h"
#include "reporting/ReportConnection.h"
#include "reporting/ShownCode.h"
#include "sheet/document/TallyformDoc.h"
#include "TemplateWizardIds.h"

const char kEmptyItemChoice[] = "Item information cannot be empty!";

namespace
{
const UINT_PTR kSearchTimer = 0;
const UINT kSearchDelayMs = 500;

const CItemTable kRowItems = {
    "ss_item", IDD_SELECT_ROW_ITEMS, IDC_ROW_ITEMS_LIST, IDC_ROW_ITEMS_SELECTED,
    "select FD_Code,FD_SearchCode,FD_Name from ss_item", "select * from ss_item",
    "SELECT FD_Code,FD_SearchCode,FD_Name FROM ss_item", "Connect to database failed.",
};
const CItemTable kColItems = {
    "ss_colitem", IDD_SELECT_COL_ITEMS, IDC_COL_ITEMS_LIST, IDC_COL_ITEMS_SELECTED,
    "select FD_Code,FD_SearchCode,FD_Name from ss_colitem", "select * from ss_colitem",
    "SELECT FD_Code,FD_SearchCode,FD_Name FROM ss_colitem", "Connect to database failed",
};

// The last search that found nothing, one per page class.
CItemNoMatch s_rowNoMatch;
CItemNoMatch s_colNoMatch;

CString ListText(const CListBox& list, int nIndex)
{
    CString strText;
    list.GetText(nIndex, strText);
    return strText;
}

// Exactly, case and all: the list box's own search ignores case.
BOOL HasLine(const CListBox& list, const CString& strText)
{
    for (int i = 0; i < list.GetCount(); ++i)
        if (ListText(list, i) == strText)
            return TRUE;
    return FALSE;
}

CString NthOf(const CStringList& list, INT_PTR nIndex)
{
    POSITION pos = list.FindIndex(nIndex);
    return pos != NULL ? list.GetAt(pos) : CString();
}
}

BEGIN_MESSAGE_MAP(CSelectItemsPage, CDialog)
    ON_WM_DESTROY()
    ON_WM_TIMER()
    ON_EN_CHANGE(IDC_ITEMS_SEARCH, OnSearchChange)
    ON_BN_CLICKED(IDC_ITEMS_BY_CODE, OnByCode)
    ON_BN_CLICKED(IDC_ITEMS_BY_SEARCH_CODE, OnBySearchCode)
    ON_BN_CLICKED(IDC_ITEMS_BY_NAME, OnByName)
    ON_BN_CLICKED(IDC_ITEMS_ADD, OnAdd)
    ON_BN_CLICKED(IDC_ITEMS_REMOVE, OnRemove)
    ON_LBN_DBLCLK(IDC_ROW_ITEMS_LIST, OnAdd)
    ON_LBN_DBLCLK(IDC_COL_ITEMS_LIST, OnAdd)
    ON_LBN_DBLCLK(IDC_ROW_ITEMS_SELECTED, OnRemove)
    ON_LBN_DBLCLK(IDC_COL_ITEMS_SELECTED, OnRemove)
END_MESSAGE_MAP()

CSelectItemsPage::CSelectItemsPage(const CItemTable& table, CItemNoMatch& noMatch, CWnd* pParent)
    : CDialog(table.nIDTemplate, pParent), m_bNoMatch(0), m_nSearchMode(ITEM_SEARCH_CODE),
      m_bTimerFired(FALSE), m_pRecordset(NULL), m_pOwner(NULL), m_table(table), m_noMatch(noMatch)
{
}

CSelectItemsPage::~CSelectItemsPage() = default;

void CSelectItemsPage::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_ITEMS_SEARCH, m_editSearch);
    DDX_Control(pDX, m_table.nSelectedListID, m_listSelected);
    DDX_Control(pDX, m_table.nItemListID, m_listItems);
}

BOOL CSelectItemsPage::OnInitDialog()
{
    CDialog::OnInitDialog();
    CheckRadioButton(IDC_ITEMS_BY_NAME, IDC_ITEMS_BY_CODE,
                     m_nSearchMode == ITEM_SEARCH_NAME         ? IDC_ITEMS_BY_NAME
                     : m_nSearchMode == ITEM_SEARCH_SEARCHCODE ? IDC_ITEMS_BY_SEARCH_CODE
                                                               : IDC_ITEMS_BY_CODE);
    CWaitCursor wait;
    CReportConnection& connection = GetReportConnection();
    if (!connection.IsDatabaseOpen())
        return FALSE;
    m_pRecordset = connection.m_pLoader->GetRecordset(connection.m_pDatabase);
    if (m_pRecordset == NULL)
    {
        AfxMessageBox("Connect to database failed.");
        return FALSE;
    }
    if (!OpenQuery(m_table.pszOpenQuery))
    {
        AfxMessageBox(m_table.pszOpenFailure);
        return FALSE;
    }
    LoadItemLists();
    FillItemList(m_listItems);
    LoadSelection();
    return TRUE;
}

BOOL CSelectItemsPage::OpenQuery(LPCSTR lpszQuery)
{
    try
    {
        m_pRecordset->Open(lpszQuery, FALSE);
    }
    catch (CException* e)
    {
        e->Delete();
    }
    return m_pRecordset->IsOpen();
}

void CSelectItemsPage::LoadItemLists()
{
    m_lstCodes.RemoveAll();
    m_lstSearchCodes.RemoveAll();
    m_lstNames.RemoveAll();
    for (; !m_pRecordset->IsEOF(); m_pRecordset->MoveNext())
    {
        m_lstCodes.AddTail(RecordsetFieldText(m_pRecordset, "FD_Code"));
        m_lstSearchCodes.AddTail(RecordsetFieldText(m_pRecordset, "FD_SearchCode"));
        m_lstNames.AddTail(RecordsetFieldText(m_pRecordset, "FD_Name"));
    }
}

void CSelectItemsPage::FillItemList(CListBox& list)
{
    if (m_lstCodes.IsEmpty() || m_lstSearchCodes.IsEmpty() || m_lstNames.IsEmpty())
        return;
    list.SendMessage(WM_SETREDRAW, FALSE);
    list.ResetContent();
    POSITION posCode = m_lstCodes.GetHeadPosition();
    POSITION posSearch = m_lstSearchCodes.GetHeadPosition();
    POSITION posName = m_lstNames.GetHeadPosition();
    while (posCode != NULL && posSearch != NULL && posName != NULL)
    {
        const CString& strCode = m_lstCodes.GetNext(posCode);
        const CString& strSearch = m_lstSearchCodes.GetNext(posSearch);
        const CString& strName = m_lstNames.GetNext(posName);
        if (m_nSearchMode == ITEM_SEARCH_SEARCHCODE)
            list.AddString(FormatItemListEntry(strSearch, strName));
        else if (m_nSearchMode == ITEM_SEARCH_NAME)
            list.AddString(strName);
        else
            list.AddString(FormatItemListEntry(strCode, strName));
    }
    list.SendMessage(WM_SETREDRAW, TRUE);
    list.Invalidate();
}

void CSelectItemsPage::OnSearchChange()
{
    if (!m_bTimerFired)
        SetTimer(kSearchTimer, kSearchDelayMs, NULL);
}

void CSelectItemsPage::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent != kSearchTimer)
    {
        CDialog::OnTimer(nIDEvent);
        return;
    }
    m_bTimerFired = TRUE;
    KillTimer(kSearchTimer);
    m_bTimerFired = FALSE;
    RunSearch();
}

void CSelectItemsPage::RunSearch()
{
    CString strText;
    m_editSearch.GetWindowText(strText);
    if (strText.IsEmpty())
    {
        m_bNoMatch = 0;
        return;
    }
    if (!IsSearchTextUsable(m_nSearchMode, strText) ||
        (m_bNoMatch && m_noMatch.Covers(m_nSearchMode, strText)))
        return;
    if (m_pRecordset == NULL)
        return;
    m_bNoMatch = 0;
    const CReportConnection& connection = GetReportConnection();
    m_pRecordset->m_strFilter = ItemSearchFilter(m_nSearchMode, strText);
    m_pRecordset->m_strSort = ItemSearchSort(m_nSearchMode, connection.m_nDataSourceType);
    CWaitCursor wait;
    try
    {
        if (m_pRecordset->IsOpen())
            m_pRecordset->Requery();
        else
        {
            m_pRecordset->m_strFilter.Empty();
            m_pRecordset->m_strSort.Empty();
            m_pRecordset->Open(m_table.pszClosedQuery, FALSE);
        }
    }
    catch (CException* e)
    {
        e->Delete();
        m_pRecordset->m_strFilter.Empty();
        m_pRecordset->m_strSort.Empty();
        try
        {
            if (m_pRecordset->IsOpen())
                m_pRecordset->Close();
            m_pRecordset->Open(m_table.pszFallbackQuery, FALSE);
        }
        catch (CException* e2)
        {
            e2->ReportError();
            e2->Delete();
        }
    }
    if (!m_pRecordset->IsOpen())
        return;
    if (m_pRecordset->IsEOF())
    {
        m_bNoMatch = 1;
        m_noMatch.Remember(m_nSearchMode, strText);
        return;
    }
    LoadItemLists();
    FillItemList(m_listItems);
    m_strFirstCode = m_lstCodes.GetHead();
    m_strFirstSearchCode = m_lstSearchCodes.GetHead();
    m_strFirstName = m_lstNames.GetHead();
}

void CSelectItemsPage::SwitchMode(int nMode, const CString& strFirst)
{
    m_nSearchMode = nMode;
    m_bNoMatch = 0;
    m_editSearch.SetWindowText(strFirst);
}

void CSelectItemsPage::OnAdd()
{
    CStringList* pEntries = OwnerEntries();
    int nCount = m_listItems.GetSelCount();
    if (nCount <= 0)
        return;
    std::vector<int> selected(nCount);
    nCount = m_listItems.GetSelItems(nCount, selected.data());
    for (int i = 0; i < nCount; ++i)
    {
        const CString strCode = NthOf(m_lstCodes, selected[i]);
        const CString strName = NthOf(m_lstNames, selected[i]);
        CString strEntry = FormatItemListEntry(strCode, strName);
        if (HasLine(m_listSelected, strEntry) ||
            !CanUseShownCode(GetReportConnection(), m_table.pszTable, strCode, strName))
            continue;
        if (pEntries != NULL)
            pEntries->AddTail(strEntry);
        m_listSelected.AddString(strEntry);
    }
}

void CSelectItemsPage::OnRemove()
{
    int nCount = m_listSelected.GetSelCount();
    if (nCount > 0)
    {
        std::vector<int> selected(nCount);
        nCount = m_listSelected.GetSelItems(nCount, selected.data());
        // From the end, so that the indexes still to go stay valid.
        for (int i = nCount - 1; i >= 0; --i)
            m_listSelected.DeleteString(selected[i]);
    }
    CStringList* pEntries = OwnerEntries();
    if (pEntries == NULL)
        return;
    pEntries->RemoveAll();
    for (int i = 0; i < m_listSelected.GetCount(); ++i)
        pEntries->AddTail(ListText(m_listSelected, i));
}

void CSelectItemsPage::SaveSelection()
{
    CStringList* pCodes = OwnerCodes();
    if (pCodes == NULL)
        return;
    pCodes->RemoveAll();
    for (int i = 0; i < m_listSelected.GetCount(); ++i)
        pCodes->AddTail(ItemEntryToCodeName(ListText(m_listSelected, i)));
}

void CSelectItemsPage::LoadSelection()
{
    CStringList* pEntries = OwnerEntries();
    CStringList* pCodes = OwnerCodes();
    if (pEntries == NULL || pCodes == NULL)
        return;
    pEntries->RemoveAll();
    for (POSITION pos = pCodes->GetHeadPosition(); pos != NULL;)
    {
        CString strCode, strName;
        SplitCodeName(pCodes->GetNext(pos), strCode, strName);
        CString strEntry = FormatItemListEntry(strCode, strName);
        m_listSelected.AddString(strEntry);
        pEntries->AddTail(strEntry);
    }
}

void CSelectItemsPage::OnDestroy()
{
    CDialog::OnDestroy();
    if (m_bTimerFired)
        KillTimer(kSearchTimer);
    if (m_pRecordset == NULL)
        return;
    try
    {
        if (m_pRecordset->IsOpen())
            m_pRecordset->Close();
    }
    catch (CException* e)
    {
        e->Delete();
    }
    CReportConnection& connection = GetReportConnection();
    if (connection.m_pLoader != NULL)
        connection.m_pLoader->ReleaseRecordset(m_pRecordset);
    m_pRecordset = NULL;
}

CSelectRowItemsPage::CSelectRowItemsPage(CWnd* pParent)
    : CSelectItemsPage(kRowItems, s_rowNoMatch, pParent)
{
}

BOOL CSelectRowItemsPage::HasSelection()
{
    if (m_listSelected.m_hWnd != NULL && m_listSelected.GetCount() > 0)
        return TRUE;
    AfxMessageBox(kEmptyItemChoice);
    return FALSE;
}

CStringList* CSelectRowItemsPage::OwnerEntries()
{
    return m_pOwner != NULL ? &m_pOwner->m_sheet.m_lstWizRowItems : NULL;
}

CStringList* CSelectRowItemsPage::OwnerCodes()
{
    return m_pOwner != NULL ? &m_pOwner->m_sheet.m_lstRowItemCodes : NULL;
}

CSelectColItemsPage::CSelectColItemsPage(CWnd* pParent)
    : CSelectItemsPage(kColItems, s_colNoMatch, pParent)
{
}

CStringList* CSelectColItemsPage::OwnerEntries()
{
    return m_pOwner != NULL ? &m_pOwner->m_sheet.m_lstWizColItems : NULL;
}

CStringList* CSelectColItemsPage::OwnerCodes()
{
    return m_pOwner != NULL ? &m_pOwner->m_sheet.m_lstColItemCodes : NULL;
}
