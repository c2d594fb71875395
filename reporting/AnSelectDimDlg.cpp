#include "reporting/AnSelectDimDlg.h"

#include "framework/core/MessageSink.h"
#include "framework/windows/DataExchange.h"
#include "reporting/AnalysisCalc.h"
#include "reporting/ListEntries.h"
#include "sheet/document/TallyformDoc.h"
#include "AnalysisIds.h"

namespace
{
// Replaces the first entry of the list that begins with pszOld by pszNew;
// FALSE when there is none.
BOOL ReplaceFirst(CListBox& list, LPCSTR pszOld, LPCSTR pszNew)
{
    for (int i = 0; i < list.GetCount(); ++i)
    {
        CString strText;
        list.GetText(i, strText);
        if (strText.Find(pszOld) != 0)
            continue;
        list.DeleteString(i);
        list.InsertString(i, pszNew);
        return TRUE;
    }
    return FALSE;
}
} // namespace

BEGIN_MESSAGE_MAP(CAnSelectDimDlg, CDialog)
    ON_BN_CLICKED(IDC_AN_KIND_ORGANS, OnKindOrgans)
    ON_BN_CLICKED(IDC_AN_KIND_PROPERTIES, OnKindProperties)
    ON_BN_CLICKED(IDC_AN_DIM_TO_COLUMNS, OnToColumns)
    ON_BN_CLICKED(IDC_AN_DIM_TO_ROWS, OnToRows)
    ON_LBN_DBLCLK(IDC_AN_DIM_ROWS, OnToColumns)
    ON_LBN_DBLCLK(IDC_AN_DIM_COLUMNS, OnToRows)
END_MESSAGE_MAP()

CAnSelectDimDlg::CAnSelectDimDlg(CWnd* pParent) : CDialog(IDD_AN_SELECT_DIM, pParent), m_pDoc(NULL), m_nKind(0)
{
}

void CAnSelectDimDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_AN_DIM_ROWS, m_listRows);
    DDX_Control(pDX, IDC_AN_DIM_COLUMNS, m_listColumns);
}

BOOL CAnSelectDimDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_listRows.AddString("Organ");
    for (LPCSTR pszDimension : { "Time", "RowItem", "ColItem" })
        m_listColumns.AddString(pszDimension);
    int nKind = m_nKind;
    m_nKind = 0;
    SetKind(nKind);
    return TRUE;
}

void CAnSelectDimDlg::SetKind(int nKind)
{
    CheckRadioButton(IDC_AN_KIND_ORGANS, IDC_AN_KIND_PROPERTIES,
                     nKind == 0 ? IDC_AN_KIND_ORGANS : IDC_AN_KIND_PROPERTIES);
    m_nKind = nKind;
    LPCSTR pszOld = nKind == 0 ? "Property" : "Organ";
    LPCSTR pszNew = nKind == 0 ? "Organ" : "Property";
    if (!ReplaceFirst(m_listRows, pszOld, pszNew))
        ReplaceFirst(m_listColumns, pszOld, pszNew);
}

void CAnSelectDimDlg::OnToColumns()
{
    MoveSelectedEntries(m_listRows, m_listColumns);
}

void CAnSelectDimDlg::OnToRows()
{
    MoveSelectedEntries(m_listColumns, m_listRows);
}

BOOL CAnSelectDimDlg::HasSelection()
{
    if (m_listRows.GetCount() > 0 && m_listColumns.GetCount() > 0)
        return TRUE;
    AfxMessageBox(kNoAnalysisDimension, MB_OK);
    return FALSE;
}

void CAnSelectDimDlg::SaveSelection()
{
    m_pDoc->m_sheet.m_bAnalysisFlag = (BYTE)m_nKind;
    ListEntriesToStrings(m_listRows, m_pDoc->m_sheet.m_lstDimOuter);
    ListEntriesToStrings(m_listColumns, m_pDoc->m_sheet.m_lstDimInner);
}
