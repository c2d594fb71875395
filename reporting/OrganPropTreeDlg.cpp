#include "reporting/OrganPropTreeDlg.h"

#include "reporting/PropertyTree.h"
#include "reporting/ReportConnection.h"
#include "ReferenceDataIds.h"

namespace
{
const char kAllOrgans[] = "Select * From ss_Organ";
// One row per organization however many of its links match.
const char kOrgansByLink[] = "Select FD_Code,FD_Name From ss_Organ Where FD_Code In "
                             "(Select ss_OrgAttr.FD_OrgCode From ss_OrgAttr Where ";

// The condition of one type item; "" when nothing under it is checked.
CString TypeTerm(const CCheckTreeCtrl& tree, HTREEITEM hType)
{
    int nType = (int)(tree.GetItemData(hType) & 0xFFFF);
    CString strTerm;
    if (tree.IsChecked(hType))
    {
        strTerm.Format("ss_OrgAttr.FD_AttrTypeCode=%d", nType);
        return strTerm;
    }
    if (!tree.IsPartlyChecked(hType))
        return strTerm;
    CString strValues;
    for (HTREEITEM hValue = tree.GetChildItem(hType); hValue != NULL; hValue = tree.GetNextSiblingItem(hValue))
    {
        if (!tree.IsChecked(hValue))
            continue;
        CString strCode;
        strCode.Format("%d", (int)(tree.GetItemData(hValue) & 0xFFFF));
        strValues += (strValues.IsEmpty() ? "" : ",") + strCode;
    }
    if (strValues.IsEmpty())
        strTerm.Format("ss_OrgAttr.FD_AttrTypeCode=%d", nType);
    else
        strTerm.Format("ss_OrgAttr.FD_AttrTypeCode=%d And ss_OrgAttr.FD_ValCode In (%s)", nType,
                       (LPCSTR)strValues);
    return strTerm;
}
} // namespace

COrganPropTreeDlg::COrganPropTreeDlg(CWnd* pParent) : CDialog(IDD_ORGAN_PROPERTY_TREE, pParent), m_hRoot(NULL)
{
}

COrganPropTreeDlg::~COrganPropTreeDlg()
{
}

BOOL COrganPropTreeDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_tree.SubclassDlgItem(IDC_PROP_SELECT_TREE, this);
    FillPropertyTree(m_tree, "Organization Properties", GetReportConnection(), &m_hRoot);
    m_strOrganSQL.Empty();
    return TRUE;
}

CString COrganPropTreeDlg::BuildOrganSQL(const CCheckTreeCtrl& tree, HTREEITEM hRoot)
{
    if (hRoot == NULL || tree.GetChildItem(hRoot) == NULL || tree.GetFirstChecked() == NULL)
        return kAllOrgans;
    CString strCondition;
    for (HTREEITEM hType = tree.GetChildItem(hRoot); hType != NULL; hType = tree.GetNextSiblingItem(hType))
    {
        CString strTerm = TypeTerm(tree, hType);
        if (!strTerm.IsEmpty())
            strCondition += (strCondition.IsEmpty() ? "" : " Or ") + strTerm;
    }
    if (strCondition.IsEmpty())
        return kAllOrgans;
    return CString(kOrgansByLink) + strCondition + ")";
}

void COrganPropTreeDlg::OnOK()
{
    m_strOrganSQL = BuildOrganSQL(m_tree, m_hRoot);
    EndDialog(IDOK);
}
