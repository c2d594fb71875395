#include "reporting/FindItemDlg.h"

#include "engines/common/KemDatabase.h"
#include "engines/common/KemRecordset.h"
#include "framework/core/Exception.h"
#include "framework/core/MessageSink.h"
#include "framework/db/SqlQuote.h"
#include "framework/windows/DataExchange.h"
#include "framework/windows/WaitCursor.h"
#include "reporting/FieldText.h"
#include "reporting/ReportConnection.h"
#include "reporting/ScopedRecordset.h"
#include "reporting/ShownCode.h"
#include "ReferenceDataIds.h"

namespace
{
const UINT_PTR kSearchTimer = 1;
const UINT kSearchDelayMs = 500;
// The Sybase source sorts nothing.
const int kUnsortedType = 26;
// Longer texts cannot begin a code or a search code.
const int kMaxCodeSearch = 9;
const int kMaxSearchCodeSearch = 8;

// The length of the last text that found nothing, in any Find Item dialog.
int s_nNoMatchLength = 0;

void ReportAndDelete(CException* e)
{
    e->ReportError();
    e->Delete();
}

LPCSTR ModeColumn(int nMode)
{
    return nMode == 2 ? "FD_SearchCode" : nMode == 3 ? "FD_Name" : "FD_Code";
}
} // namespace

BEGIN_MESSAGE_MAP(CFindItemDlg, CDialog)
    ON_BN_CLICKED(IDC_FIND_BY_CODE, OnByItemCode)
    ON_BN_CLICKED(IDC_FIND_BY_SEARCH_CODE, OnBySearchCode)
    ON_BN_CLICKED(IDC_FIND_BY_NAME, OnByItemName)
    ON_EN_CHANGE(IDC_FIND_TEXT, OnSearchTextChanged)
    ON_LBN_DBLCLK(IDC_FIND_LIST, OnListDblClk)
    ON_WM_TIMER()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CFindItemDlg::CFindItemDlg(int nTable, int nMode, CString strInitial, CWnd* pParent,
                           EmptyInitialText emptyText)
    : CDialog(IDD_FIND_ITEM, pParent), m_nTable(nTable), m_nMode(nMode), m_strInitial(strInitial),
      m_emptyText(emptyText), m_bNoMatch(FALSE), m_bTimerFired(FALSE), m_pRecordset(NULL)
{
    if (nMode >= 1 && nMode <= 3)
        m_strCode = strInitial;
}

CFindItemDlg::~CFindItemDlg()
{
}

LPCSTR CFindItemDlg::TableName(int nTable)
{
    switch (nTable)
    {
    case 1:
        return "ss_item";
    case 2:
        return "ss_colitem";
    case 3:
        return "ss_Organ";
    default:
        return NULL;
    }
}

void CFindItemDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_FIND_LIST, m_listItems);
}

BOOL CFindItemDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    static const LPCSTR captions[] = { "Find Row Item", "Find Column Item", "Find Organization" };
    if (m_nTable >= 1 && m_nTable <= 3)
        SetWindowText(captions[m_nTable - 1]);
    CheckDlgButton(IDC_FIND_BY_CODE, m_nMode == 1 ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(IDC_FIND_BY_SEARCH_CODE, m_nMode == 2 ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(IDC_FIND_BY_NAME, m_nMode == 3 ? BST_CHECKED : BST_UNCHECKED);

    CWaitCursor wait;
    CReportConnection& connection = GetReportConnection();
    if (!connection.IsDatabaseOpen())
    {
        AfxMessageBox("Please connect to database.");
        return FALSE;
    }
    m_recordset.reset(new CScopedRecordset(connection));
    m_pRecordset = m_recordset->Get();
    LPCSTR pszTable = TableName(m_nTable);
    if (m_pRecordset != NULL && pszTable != NULL)
    {
        try
        {
            m_pRecordset->Open(CString("select FD_Code,FD_SearchCode,FD_Name from ") + pszTable, FALSE);
        }
        catch (CException* e)
        {
            ReportAndDelete(e);
        }
    }
    if (m_pRecordset == NULL || !m_pRecordset->IsOpen())
    {
        AfxMessageBox("Connect to database failed.");
        return FALSE;
    }
    try
    {
        LoadItemLists();
    }
    catch (CException* e)
    {
        ReportAndDelete(e);
    }
    if (m_strInitial.IsEmpty() && m_emptyText == EMPTY_TEXT_LISTS_ALL)
        m_strInitial = "%";
    // The change notification starts the first, delayed search.
    SetDlgItemText(IDC_FIND_TEXT, m_strInitial);
    return TRUE;
}

void CFindItemDlg::LoadItemLists()
{
    m_codes.RemoveAll();
    m_searchCodes.RemoveAll();
    m_names.RemoveAll();
    for (; !m_pRecordset->IsEOF(); m_pRecordset->MoveNext())
    {
        m_codes.Add(RecordsetFieldText(m_pRecordset, "FD_Code"));
        m_searchCodes.Add(RecordsetFieldText(m_pRecordset, "FD_SearchCode"));
        m_names.Add(RecordsetFieldText(m_pRecordset, "FD_Name"));
    }
}

void CFindItemDlg::FillList()
{
    int nCount = (int)m_codes.GetSize();
    if (nCount == 0)
        return;
    m_listItems.SendMessage(WM_SETREDRAW, FALSE);
    m_listItems.ResetContent();
    CString strEntry;
    for (int i = 0; i < nCount; ++i)
    {
        if (m_nMode == 1)
            strEntry.Format("%s\t%s", (LPCSTR)m_codes[i], (LPCSTR)m_names[i]);
        else if (m_nMode == 2)
            strEntry.Format("%s\t\t%s", (LPCSTR)m_searchCodes[i], (LPCSTR)m_names[i]);
        else
            strEntry = m_names[i];
        m_listItems.AddString(strEntry);
    }
    m_listItems.SendMessage(WM_SETREDRAW, TRUE);
    m_listItems.Invalidate();
}

void CFindItemDlg::OnSearchTextChanged()
{
    KillTimer(kSearchTimer);
    if (!m_bTimerFired)
    {
        SetTimer(kSearchTimer, kSearchDelayMs, NULL);
        return;
    }
    m_bTimerFired = FALSE;
    CString strText;
    GetDlgItemText(IDC_FIND_TEXT, strText);
    Search(strText);
}

void CFindItemDlg::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent != kSearchTimer)
    {
        CDialog::OnTimer(nIDEvent);
        return;
    }
    m_bTimerFired = TRUE;
    OnSearchTextChanged();
}

void CFindItemDlg::Search(const CString& strText)
{
    if (strText.IsEmpty())
    {
        m_bNoMatch = FALSE;
        return;
    }
    int nLength = strText.GetLength();
    if ((m_nMode == 1 && nLength > kMaxCodeSearch) || (m_nMode == 2 && nLength > kMaxSearchCodeSearch) ||
        (m_bNoMatch && nLength > s_nNoMatchLength))
        return;
    LPCSTR pszTable = TableName(m_nTable);
    if (m_pRecordset == NULL || pszTable == NULL)
        return;
    m_bNoMatch = FALSE;
    // The typed text is the beginning of a LIKE pattern: % and _ stay
    // wildcards, a quote stays a quote.
    m_pRecordset->m_strFilter = CString(ModeColumn(m_nMode)) + " LIKE " + SqlQuote(strText + "%");
    CKemDatabase* pDatabase = GetReportConnection().m_pDatabase;
    m_pRecordset->m_strSort =
        pDatabase != NULL && pDatabase->m_nType == kUnsortedType ? "" : ModeColumn(m_nMode);

    CWaitCursor wait;
    try
    {
        if (!m_pRecordset->IsOpen())
        {
            m_pRecordset->m_strFilter.Empty();
            m_pRecordset->m_strSort.Empty();
            m_pRecordset->Open(CString("select * from ") + pszTable, FALSE);
        }
        else
        {
            m_pRecordset->Requery();
        }
        if (!m_pRecordset->IsOpen())
            return;
        if (m_pRecordset->IsEOF())
        {
            m_bNoMatch = TRUE;
            s_nNoMatchLength = nLength;
            return;
        }
        LoadItemLists();
        FillList();
        m_listItems.SetCurSel(0);
        ChooseEntry(0);
    }
    catch (CException* e)
    {
        ReportAndDelete(e);
        ReopenAfterFailure();
    }
}

void CFindItemDlg::ReopenAfterFailure()
{
    LPCSTR pszTable = TableName(m_nTable);
    try
    {
        if (m_pRecordset->IsOpen())
            m_pRecordset->Close();
        m_pRecordset->m_strFilter.Empty();
        m_pRecordset->m_strSort.Empty();
        m_pRecordset->Open(CString("SELECT FD_Code,FD_SearchCode,FD_Name FROM ") + pszTable, FALSE);
    }
    catch (CException* e)
    {
        ReportAndDelete(e);
    }
}

void CFindItemDlg::ChooseEntry(int nIndex)
{
    if (nIndex < 0 || nIndex >= m_codes.GetSize())
        return;
    m_strCode = m_codes[nIndex];
    m_strSearchCode = m_searchCodes[nIndex];
    m_strName = m_names[nIndex];
}

void CFindItemDlg::SwitchMode(int nMode)
{
    m_nMode = nMode;
    m_bNoMatch = FALSE;
    SetDlgItemText(IDC_FIND_TEXT, nMode == 1 ? m_strCode : nMode == 2 ? m_strSearchCode : m_strName);
}

void CFindItemDlg::OnByItemCode()
{
    SwitchMode(1);
}

void CFindItemDlg::OnBySearchCode()
{
    SwitchMode(2);
}

void CFindItemDlg::OnByItemName()
{
    SwitchMode(3);
}

void CFindItemDlg::OnListDblClk()
{
    int nSel = m_listItems.GetCurSel();
    if (nSel < 0 || nSel >= m_codes.GetSize())
        return;
    ChooseEntry(nSel);
    SwitchMode(m_nMode);
}

void CFindItemDlg::OnOK()
{
    int nSel = m_listItems.GetCurSel();
    if (nSel < 0 || nSel >= m_codes.GetSize())
        return;
    // Every caller takes the code as a key.
    if (!CanUseShownCode(GetReportConnection(), TableName(m_nTable), m_codes[nSel], m_names[nSel]))
        return;
    ChooseEntry(nSel);
    EndDialog(IDOK);
}

void CFindItemDlg::OnDestroy()
{
    CDialog::OnDestroy();
    KillTimer(kSearchTimer);
    m_pRecordset = NULL;
    m_recordset.reset();
}
