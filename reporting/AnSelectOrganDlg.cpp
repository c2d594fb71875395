#include "reporting/AnSelectOrganDlg.h"

#include "engines/common/KemRecordset.h"
#include "framework/core/Exception.h"
#include "framework/core/MessageSink.h"
#include "framework/windows/DataExchange.h"
#include "reporting/FieldText.h"
#include "reporting/ListEntries.h"
#include "reporting/ReportConnection.h"
#include "reporting/ScopedRecordset.h"
#include "reporting/ShownCode.h"
#include "sheet/document/TallyformDoc.h"
#include "view/ItemSelection.h"
#include "AnalysisIds.h"

BEGIN_MESSAGE_MAP(CAnSelectOrganDlg, CDialog)
    ON_BN_CLICKED(IDC_AN_ORGAN_ADD, OnAdd)
    ON_BN_CLICKED(IDC_AN_ORGAN_REMOVE, OnRemove)
    ON_LBN_DBLCLK(IDC_AN_ORGAN_LIST, OnAdd)
    ON_LBN_DBLCLK(IDC_AN_ORGAN_SELECTED, OnRemove)
END_MESSAGE_MAP()

CAnSelectOrganDlg::CAnSelectOrganDlg(CWnd* pParent) : CDialog(IDD_AN_SELECT_ORGAN, pParent), m_pDoc(NULL)
{
}

void CAnSelectOrganDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_AN_ORGAN_LIST, m_listOrgans);
    DDX_Control(pDX, IDC_AN_ORGAN_SELECTED, m_listSelected);
}

BOOL CAnSelectOrganDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    CScopedRecordset rs(m_pDoc->ReportConnection());
    if (rs.Get() != NULL)
    {
        try
        {
            rs->Open("Select * From ss_Organ", FALSE);
            if (!rs->IsBOF())
                m_listOrgans.ResetContent();
            for (; !rs->IsEOF(); rs->MoveNext())
                m_listOrgans.AddString(RecordsetFieldText(rs.Get(), "FD_Code") + "-" +
                                       RecordsetFieldText(rs.Get(), "FD_Name"));
        }
        catch (CException* e)
        {
            // A list cut short must not pass for the whole one.
            e->ReportError();
            e->Delete();
        }
    }
    StringsToListEntries(m_pDoc->m_sheet.m_lstAnOrgans, m_listSelected);
    return TRUE;
}

void CAnSelectOrganDlg::OnAdd()
{
    // The analysis finds an organization's figures by its code.
    for (int nIndex : SelectedIndexesDescending(m_listOrgans))
    {
        CString strEntry, strCode, strName;
        m_listOrgans.GetText(nIndex, strEntry);
        SplitCodeName(strEntry, strCode, strName);
        if (!CanUseShownCode(m_pDoc->ReportConnection(), "ss_Organ", strCode, strName))
            m_listOrgans.SetSel(nIndex, FALSE);
    }
    AppendSelectedEntries(m_listOrgans, m_listSelected);
}

void CAnSelectOrganDlg::OnRemove()
{
    RemoveSelectedEntries(m_listSelected);
}

BOOL CAnSelectOrganDlg::HasSelection()
{
    if (m_listSelected.GetCount() > 0)
        return TRUE;
    AfxMessageBox("Please select analysis organizations.", MB_OK);
    return FALSE;
}

int CAnSelectOrganDlg::SaveSelection()
{
    ListEntriesToStrings(m_listSelected, m_pDoc->m_sheet.m_lstAnOrgans);
    return (int)m_pDoc->m_sheet.m_lstAnOrgans.GetCount();
}
