#include "reporting/OrganDlg.h"

#include <initializer_list>

#include "engines/common/KemRecordset.h"
#include "framework/core/Exception.h"
#include "framework/core/MessageSink.h"
#include "framework/db/SqlQuote.h"
#include "reporting/FieldText.h"
#include "reporting/FindItemDlg.h"
#include "reporting/KemTransaction.h"
#include "reporting/PropertyTree.h"
#include "reporting/ReportConnection.h"
#include "reporting/ScopedRecordset.h"
#include "reporting/ShownCode.h"
#include "reporting/StoredText.h"
#include "ReferenceDataIds.h"

namespace
{
// Byte lengths: codes travel in 9-byte fields.
const int kMaxCodeLength = 8;
const int kMaxNameLength = 50;

void ReportAndDelete(CException* e)
{
    e->ReportError();
    e->Delete();
}

CString Numbered(LPCSTR pszText, int nCode)
{
    CString strText;
    strText.Format("%s%d", pszText, nCode);
    return strText;
}

// The texts an organization's row takes from the dialog.
std::vector<CFieldText> OrganTexts(const CString& strName, const CString& strSearchCode)
{
    return {CFieldText("FD_Name", strName), CFieldText("FD_SearchCode", strSearchCode)};
}

// Deletes the rows of the open links recordset.
void DeleteLinkRows(CKemRecordset& links)
{
    while (!links.IsEOF())
    {
        links.Delete();
        links.MoveNext();
    }
}
} // namespace

BEGIN_MESSAGE_MAP(COrganDlg, CDialog)
    ON_BN_CLICKED(IDC_ORGAN_ADD, OnAdd)
    ON_BN_CLICKED(IDC_ORGAN_DELETE, OnDelete)
    ON_BN_CLICKED(IDC_ORGAN_MODIFY, OnModify)
    ON_BN_CLICKED(IDC_ORGAN_FIND, OnFind)
    ON_BN_CLICKED(IDC_ORGAN_NEXT, OnNext)
    ON_BN_CLICKED(IDC_ORGAN_PREVIOUS, OnPrevious)
    ON_BN_CLICKED(IDC_ORGAN_EXIT, OnOK)
    ON_WM_DESTROY()
END_MESSAGE_MAP()

COrganDlg::COrganDlg(CWnd* pParent)
    : CDialog(IDD_ORGANIZATION, pParent), m_pOrgAttrRecordset(NULL), m_bModifying(FALSE), m_bAdding(FALSE),
      m_hRoot(NULL)
{
}

COrganDlg::~COrganDlg()
{
}

CKemRecordset* COrganDlg::Organs() const
{
    CKemRecordset* pRecordset = GetReportConnection().m_pOrganRecordset;
    return pRecordset != NULL && pRecordset->IsOpen() ? pRecordset : NULL;
}

BOOL COrganDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    for (UINT nID : { IDC_ORGAN_EDIT_CODE, IDC_ORGAN_EDIT_NAME, IDC_ORGAN_EDIT_SEARCH_CODE })
        SetDlgEditReadOnly(*this, nID, TRUE);
    m_tree.m_bLocked = 1;
    m_tree.SubclassDlgItem(IDC_ORGAN_PROPERTY_TREE, this);
    CReportConnection& connection = GetReportConnection();

    // The links; without them the organizations are still shown, only
    // their properties are not.
    m_orgAttr.reset(new CScopedRecordset(connection));
    m_pOrgAttrRecordset = m_orgAttr->Get();
    if (m_pOrgAttrRecordset == NULL)
    {
        AfxMessageBox("Error to connect database.");
    }
    else if (!OpenLinks(CString()))
    {
        AfxMessageBox("Error to open Organ properties library.");
        m_orgAttr.reset();
        m_pOrgAttrRecordset = NULL;
    }
    if (FillPropertyTree(m_tree, "Organ Properties", connection, &m_hRoot) == PROPERTY_TREE_EMPTY)
        AfxMessageBox("Organ properties libary is empty.");

    CKemRecordset* pOrgans = Organs();
    if (pOrgans == NULL)
    {
        for (UINT nID : { IDC_ORGAN_ADD, IDC_ORGAN_DELETE, IDC_ORGAN_MODIFY, IDC_ORGAN_FIND, IDC_ORGAN_NEXT,
                          IDC_ORGAN_PREVIOUS })
            EnableDlgControl(*this, nID, FALSE);
        return TRUE;
    }
    try
    {
        m_strListFilter = pOrgans->m_strFilter;
        m_strListSort = pOrgans->m_strSort;
        m_strListCode = CurrentCode(*pOrgans);
        pOrgans->m_strFilter.Empty();
        pOrgans->m_strSort.Empty();
        pOrgans->Requery();
        if (pOrgans->GetRecordCount() > 0)
            pOrgans->MoveFirst();
        ShowCurrentOrganization();
        UpdateNavigation();
    }
    catch (CException* e)
    {
        ReportAndDelete(e);
    }
    return TRUE;
}

BOOL COrganDlg::OpenLinks(const CString& strCode)
{
    try
    {
        m_pOrgAttrRecordset->m_strFilter = "FD_OrgCode=" + SqlQuote(strCode);
        m_pOrgAttrRecordset->m_strSort.Empty();
        if (m_pOrgAttrRecordset->IsOpen())
            m_pOrgAttrRecordset->Requery();
        else
            m_pOrgAttrRecordset->Open("select * from ss_OrgAttr", FALSE);
    }
    catch (CException* e)
    {
        ReportAndDelete(e);
        return FALSE;
    }
    return m_pOrgAttrRecordset->IsOpen();
}

void COrganDlg::ClearFields()
{
    for (UINT nID : { IDC_ORGAN_EDIT_CODE, IDC_ORGAN_EDIT_NAME, IDC_ORGAN_EDIT_SEARCH_CODE })
        SetDlgItemText(nID, "");
    m_tree.SetCheck(m_hRoot, 1);
}

void COrganDlg::ShowCurrentOrganization()
{
    CKemRecordset* pOrgans = Organs();
    ClearFields();
    if (pOrgans == NULL || pOrgans->IsBOF() || pOrgans->IsEOF())
        return;
    CString strCode = RecordsetFieldText(pOrgans, "FD_Code");
    SetDlgItemText(IDC_ORGAN_EDIT_CODE, strCode);
    SetDlgItemText(IDC_ORGAN_EDIT_NAME, RecordsetFieldText(pOrgans, "FD_Name"));
    SetDlgItemText(IDC_ORGAN_EDIT_SEARCH_CODE, RecordsetFieldText(pOrgans, "FD_SearchCode"));
    // The links of a code on show with '?' would be another code's.
    if (m_pOrgAttrRecordset == NULL || IsCurrentCodeShownAsStored(*pOrgans, "ss_Organ") != 1)
        return;
    if (!OpenLinks(strCode))
    {
        AfxMessageBox("Failured to open Organ Properties library.");
        return;
    }
    // A link the tree cannot show is told once; the others are shown all
    // the same, so a later save keeps them.
    CString strProblem;
    try
    {
        for (; !m_pOrgAttrRecordset->IsEOF(); m_pOrgAttrRecordset->MoveNext())
        {
            int nType = RecordsetFieldByte(m_pOrgAttrRecordset, "FD_AttrTypeCode");
            int nValue = RecordsetFieldByte(m_pOrgAttrRecordset, "FD_ValCode");
            HTREEITEM hType = m_tree.FindChildByData(m_hRoot, (DWORD)nType);
            HTREEITEM hValue = hType != NULL ? m_tree.FindChildByData(hType, (DWORD)nValue) : NULL;
            if (hValue != NULL)
                m_tree.SetCheck(hValue, 0);
            else if (strProblem.IsEmpty())
                strProblem = hType == NULL ? Numbered("No property type for this Organization.", nType)
                                           : Numbered("No properties for this Organization.", nValue);
        }
    }
    catch (CException* e)
    {
        ReportAndDelete(e);
    }
    if (!strProblem.IsEmpty())
        AfxMessageBox(strProblem);
}

void COrganDlg::UpdateNavigation()
{
    CKemRecordset* pOrgans = Organs();
    if (pOrgans == NULL)
        return;
    try
    {
        m_place = ProbeRecordPlace(*pOrgans);
    }
    catch (CException* e)
    {
        ReportAndDelete(e);
        return;
    }
    BOOL bOnRow = !m_place.m_bEmpty && !pOrgans->IsBOF() && !pOrgans->IsEOF();
    EnableDlgControl(*this, IDC_ORGAN_PREVIOUS, !m_place.m_bAtFirst);
    EnableDlgControl(*this, IDC_ORGAN_NEXT, !m_place.m_bAtLast);
    // Only a row on show can be changed or deleted.
    if (!m_bAdding && !m_bModifying)
    {
        EnableDlgControl(*this, IDC_ORGAN_DELETE, bOnRow);
        EnableDlgControl(*this, IDC_ORGAN_MODIFY, bOnRow);
    }
    EnableDlgControl(*this, IDC_ORGAN_FIND, !m_place.m_bEmpty);
}

void COrganDlg::SetFieldsEditable(BOOL bEditable)
{
    SetDlgEditReadOnly(*this, IDC_ORGAN_EDIT_NAME, !bEditable);
    SetDlgEditReadOnly(*this, IDC_ORGAN_EDIT_SEARCH_CODE, !bEditable);
    // Without the links recordset the checks could not be stored.
    m_tree.m_bLocked = !bEditable || m_pOrgAttrRecordset == NULL;
}

void COrganDlg::EndEditMode()
{
    if (m_bModifying)
    {
        m_bModifying = FALSE;
        SetFieldsEditable(FALSE);
        SetDlgItemText(IDC_ORGAN_MODIFY, "Modify");
        EnableDlgControl(*this, IDC_ORGAN_ADD, TRUE);
    }
    if (m_bAdding)
    {
        m_bAdding = FALSE;
        SetDlgEditReadOnly(*this, IDC_ORGAN_EDIT_CODE, TRUE);
        SetFieldsEditable(FALSE);
        SetDlgItemText(IDC_ORGAN_ADD, "Add");
    }
    UpdateNavigation();
}

BOOL COrganDlg::ValidateOrganization(BOOL bModify)
{
    CString strCode, strName, strSearchCode;
    GetDlgItemText(IDC_ORGAN_EDIT_CODE, strCode);
    GetDlgItemText(IDC_ORGAN_EDIT_NAME, strName);
    GetDlgItemText(IDC_ORGAN_EDIT_SEARCH_CODE, strSearchCode);
    struct Rule { const CString& text; int nMax; LPCSTR pszEmpty; LPCSTR pszLong; UINT nID; };
    const Rule rules[] = {
        { strCode, kMaxCodeLength, "Organization code cannot be empty.",
          "Organization code length must less than %d!", IDC_ORGAN_EDIT_CODE },
        { strName, kMaxNameLength, "Organization Name cannot be empty.",
          "Organization Name length must less than %d!", IDC_ORGAN_EDIT_NAME },
        { strSearchCode, kMaxCodeLength, "Organization search code cannot be empty.",
          "Organization search code length must less than %d.", IDC_ORGAN_EDIT_SEARCH_CODE },
    };
    for (const Rule& rule : rules)
    {
        CString strMessage;
        if (rule.text.IsEmpty())
            strMessage = rule.pszEmpty;
        else if (rule.text.GetLength() > rule.nMax)
            strMessage.Format(rule.pszLong, rule.nMax);
        if (strMessage.IsEmpty())
            continue;
        AfxMessageBox(strMessage);
        GotoDlgCtrl(GetDlgItem(rule.nID));
        return FALSE;
    }
    return IsCodeAndNameFree(*this, "ss_Organ", bModify, strCode, strName, *Organs(),
                             "Organization code or name already exist.", IDC_ORGAN_EDIT_NAME);
}

BOOL COrganDlg::CheckOneValuePerType()
{
    for (HTREEITEM hType = m_tree.GetChildItem(m_hRoot); hType != NULL; hType = m_tree.GetNextSiblingItem(hType))
    {
        int nChecked = 0;
        for (HTREEITEM hValue = m_tree.GetChildItem(hType); hValue != NULL; hValue = m_tree.GetNextSiblingItem(hValue))
            nChecked += m_tree.IsChecked(hValue) ? 1 : 0;
        if (nChecked > 1)
        {
            AfxMessageBox("Only one property can be selected in the same property type. ");
            return FALSE;
        }
    }
    return TRUE;
}

BOOL COrganDlg::DeleteOrganProperties(const CString& strCode)
{
    if (m_pOrgAttrRecordset == NULL)
        return TRUE;
    BOOL bDeleted = OpenLinks(strCode);
    if (bDeleted)
    {
        try
        {
            DeleteLinkRows(*m_pOrgAttrRecordset);
        }
        catch (CException* e)
        {
            ReportAndDelete(e);
            bDeleted = FALSE;
        }
    }
    if (!bDeleted)
        AfxMessageBox("Errors occured at delete Organization properties.");
    return bDeleted;
}

BOOL COrganDlg::SaveOrganProperties(const CString& strCode)
{
    if (m_pOrgAttrRecordset == NULL)
        return TRUE;
    if (!OpenLinks(strCode))
    {
        AfxMessageBox("Cannot open Organization Properties library.");
        return FALSE;
    }
    DeleteLinkRows(*m_pOrgAttrRecordset);
    for (HTREEITEM hType = m_tree.GetChildItem(m_hRoot); hType != NULL; hType = m_tree.GetNextSiblingItem(hType))
    {
        for (HTREEITEM hValue = m_tree.GetChildItem(hType); hValue != NULL; hValue = m_tree.GetNextSiblingItem(hValue))
        {
            if (!m_tree.IsChecked(hValue))
                continue;
            m_pOrgAttrRecordset->AddNew();
            m_pOrgAttrRecordset->SetFieldValue("FD_OrgCode", (LPCSTR)strCode);
            m_pOrgAttrRecordset->SetFieldValue("FD_AttrTypeCode", COleVariant((BYTE)m_tree.GetItemData(hType)));
            m_pOrgAttrRecordset->SetFieldValue("FD_ValCode", COleVariant((BYTE)m_tree.GetItemData(hValue)));
            m_pOrgAttrRecordset->Update();
        }
    }
    return TRUE;
}

BOOL COrganDlg::WriteOrganization(BOOL bAdd, const CString& strCode, const CString& strName,
                                  const CString& strSearchCode)
{
    CKemRecordset& rs = *Organs();
    // The row to stand on afterwards, whatever happens.
    CString strStay = bAdd ? (m_place.m_bEmpty ? CString() : CurrentCode(rs)) : CurrentCode(rs);
    BOOL bWritten = FALSE;
    try
    {
        CKemTransaction transaction(GetReportConnection().m_pDatabase);
        if (!transaction.IsActive())
            AfxThrowNotSupportedException();
        const std::vector<CFieldText> texts = OrganTexts(strName, strSearchCode);
        std::vector<CString> shown;
        if (bAdd)
        {
            rs.AddNew();
            rs.SetFieldValue("FD_Code", (LPCSTR)strCode);
        }
        else
        {
            shown = ShownTexts(rs, texts);
            rs.Edit();
        }
        SetChangedTexts(rs, texts, shown);
        rs.Update();
        // Without its links the row is not written either.
        if (SaveOrganProperties(strCode))
        {
            transaction.Commit();
            bWritten = TRUE;
        }
    }
    catch (CException* e)
    {
        ReportAndDelete(e);
    }
    // The list reads the table again: a row added, or one rolled back,
    // then stands in it as the table holds it.
    try
    {
        RequeryAndFind(rs, strStay);
    }
    catch (CException* e)
    {
        ReportAndDelete(e);
    }
    return bWritten;
}

void COrganDlg::OnAdd()
{
    if (Organs() == NULL)
        return;
    if (!m_bAdding)
    {
        if (m_bModifying)
            EndEditMode();
        SetDlgEditReadOnly(*this, IDC_ORGAN_EDIT_CODE, FALSE);
        ClearFields();
        SetDlgItemText(IDC_ORGAN_ADD, "Save");
        m_bAdding = TRUE;
        SetFieldsEditable(TRUE);
        EnableDlgControl(*this, IDC_ORGAN_DELETE, FALSE);
        EnableDlgControl(*this, IDC_ORGAN_MODIFY, FALSE);
        return;
    }
    if (!ValidateOrganization(FALSE) || !CheckOneValuePerType())
        return;
    CString strCode, strName, strSearchCode;
    GetDlgItemText(IDC_ORGAN_EDIT_CODE, strCode);
    GetDlgItemText(IDC_ORGAN_EDIT_NAME, strName);
    GetDlgItemText(IDC_ORGAN_EDIT_SEARCH_CODE, strSearchCode);
    WriteOrganization(TRUE, strCode, strName, strSearchCode);
    EndEditMode();
    ShowCurrentOrganization();
}

void COrganDlg::OnModify()
{
    CKemRecordset* pOrgans = Organs();
    if (pOrgans == NULL || pOrgans->IsBOF() || pOrgans->IsEOF())
        return;
    if (!m_bModifying)
    {
        if (!CanUseCurrentCode(*pOrgans, "ss_Organ"))
            return;
        SetDlgItemText(IDC_ORGAN_MODIFY, "Save");
        GetDlgItemText(IDC_ORGAN_EDIT_NAME, m_strSavedName);
        GetDlgItemText(IDC_ORGAN_EDIT_SEARCH_CODE, m_strSavedSearchCode);
        m_bModifying = TRUE;
        EnableDlgControl(*this, IDC_ORGAN_ADD, FALSE);
        EnableDlgControl(*this, IDC_ORGAN_DELETE, FALSE);
        SetFieldsEditable(TRUE);
        return;
    }
    if (!ValidateOrganization(TRUE) || !CheckOneValuePerType())
        return;
    CString strName, strSearchCode;
    GetDlgItemText(IDC_ORGAN_EDIT_NAME, strName);
    GetDlgItemText(IDC_ORGAN_EDIT_SEARCH_CODE, strSearchCode);
    if (!CanReplaceCurrentRowTexts(*pOrgans, "ss_Organ", OrganTexts(strName, strSearchCode)))
        return;
    // The checks are stored whether or not the texts changed.
    WriteOrganization(FALSE, CurrentCode(*pOrgans), strName, strSearchCode);
    EndEditMode();
    ShowCurrentOrganization();
}

void COrganDlg::OnDelete()
{
    CKemRecordset* pOrgans = Organs();
    if (pOrgans == NULL || pOrgans->IsBOF() || pOrgans->IsEOF() ||
        !CanUseCurrentCode(*pOrgans, "ss_Organ"))
        return;
    if (AfxMessageBox("Are you sure you want to delete this Organization?", MB_YESNO) != IDYES)
        return;
    CKemRecordset& rs = *pOrgans;
    // The code the row holds, not the one on show.
    CString strCode = CurrentCode(rs);
    CRecordPlace placeBefore = m_place;
    BOOL bDeleted = FALSE;
    try
    {
        CKemTransaction transaction(GetReportConnection().m_pDatabase);
        if (!transaction.IsActive())
            AfxThrowNotSupportedException();
        // The row goes only with its links.
        if (DeleteOrganProperties(strCode))
        {
            rs.Delete();
            transaction.Commit();
            bDeleted = TRUE;
        }
    }
    catch (CException* e)
    {
        ReportAndDelete(e);
    }
    try
    {
        if (bDeleted)
            MoveOffDeletedRow(rs, placeBefore);
        else
            RequeryAndFind(rs, strCode);
    }
    catch (CException* e)
    {
        ReportAndDelete(e);
    }
    ShowCurrentOrganization();
    UpdateNavigation();
}

void COrganDlg::OnFind()
{
    EndEditMode();
    CKemRecordset* pOrgans = Organs();
    if (pOrgans == NULL)
        return;
    CFindItemDlg dlg(3, 1, "%", NULL);
    if (dlg.DoModal() != IDOK)
        return;
    try
    {
        if (pOrgans->FindFirst(CodeCondition(dlg.m_strCode)))
            ShowCurrentOrganization();
    }
    catch (CException* e)
    {
        ReportAndDelete(e);
    }
    UpdateNavigation();
}

void COrganDlg::StepTo(BOOL bForward)
{
    EndEditMode();
    CKemRecordset* pOrgans = Organs();
    if (pOrgans == NULL)
        return;
    try
    {
        if (bForward)
        {
            pOrgans->MoveNext();
            if (pOrgans->IsEOF())
                pOrgans->MovePrev();
        }
        else
        {
            pOrgans->MovePrev();
            if (pOrgans->IsBOF())
                pOrgans->MoveNext();
        }
    }
    catch (CException* e)
    {
        ReportAndDelete(e);
        return;
    }
    ShowCurrentOrganization();
    UpdateNavigation();
}

void COrganDlg::OnNext()
{
    StepTo(TRUE);
}

void COrganDlg::OnPrevious()
{
    StepTo(FALSE);
}

void COrganDlg::OnDestroy()
{
    m_pOrgAttrRecordset = NULL;
    m_orgAttr.reset();
    // The organization list as others saw it before.
    CKemRecordset* pOrgans = Organs();
    if (pOrgans != NULL)
    {
        try
        {
            pOrgans->m_strFilter = m_strListFilter;
            pOrgans->m_strSort = m_strListSort;
            RequeryAndFind(*pOrgans, m_strListCode);
        }
        catch (CException* e)
        {
            ReportAndDelete(e);
        }
    }
    CDialog::OnDestroy();
}
