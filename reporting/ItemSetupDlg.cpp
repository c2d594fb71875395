#include "reporting/ItemSetupDlg.h"

#include <initializer_list>

#include "engines/common/KemRecordset.h"
#include "framework/core/Exception.h"
#include "framework/core/MessageSink.h"
#include "framework/windows/DataExchange.h"
#include "reporting/FieldText.h"
#include "reporting/FindItemDlg.h"
#include "reporting/ReportConnection.h"
#include "reporting/ShownCode.h"

namespace
{
// Item codes and search codes travel in 9-byte fields.
const int kMaxCodeLength = 8;

void ReportAndDelete(CException* e)
{
    e->ReportError();
    e->Delete();
}

// Drops a pending AddNew or Edit after a failed Update.
void CancelPending(CKemRecordset& rs)
{
    try
    {
        rs.CancelUpdate();
    }
    catch (CException* e)
    {
        e->Delete();
    }
}
} // namespace

CItemSetupDlg::CItemSetupDlg(const CItemSetupTraits& traits, CWnd* pParent)
    : CDialog(traits.nIDTemplate, pParent), m_findEmptyText(CFindItemDlg::EMPTY_TEXT_LISTS_ALL), m_traits(traits),
      m_bModifying(FALSE), m_bAdding(FALSE)
{
}

void CItemSetupDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, m_traits.nCode, m_strCode);
    DDV_MaxChars(pDX, m_strCode, kMaxCodeLength);
    DDX_Text(pDX, m_traits.nName, m_strName);
    DDX_Text(pDX, m_traits.nSearchCode, m_strSearchCode);
    DDV_MaxChars(pDX, m_strSearchCode, kMaxCodeLength);
}

void CItemSetupDlg::ReportInitError(CException* e)
{
    ReportAndDelete(e);
}

BOOL CItemSetupDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    CKemRecordset* pRecordset = Recordset();
    try
    {
        if (pRecordset != NULL)
        {
            pRecordset->m_strFilter.Empty();
            pRecordset->m_strSort.Empty();
            if (!pRecordset->IsOpen())
                pRecordset->Open(CString("select * from ") + m_traits.pszTable, FALSE);
            else
                pRecordset->Requery();
        }
        if (pRecordset == NULL || !pRecordset->IsOpen())
        {
            OnOpenFailed();
            // Nothing can be browsed or written without the list.
            for (UINT nID : { m_traits.nAdd, m_traits.nDelete, m_traits.nModify, m_traits.nFind,
                              m_traits.nPrevious, m_traits.nNext })
                EnableDlgControl(*this, nID, FALSE);
            return TRUE;
        }
        if (!pRecordset->IsBOF())
            pRecordset->MoveFirst();
        LoadCurrentRecord();
        UpdateButtons();
    }
    catch (CException* e)
    {
        ReportInitError(e);
    }
    return TRUE;
}

void CItemSetupDlg::LoadCurrentRecord()
{
    CKemRecordset* pRecordset = Recordset();
    if (pRecordset == NULL || !pRecordset->IsOpen())
    {
        AfxMessageBox(m_traits.pszClosed);
        return;
    }
    BOOL bOnRow = !pRecordset->IsBOF() && !pRecordset->IsEOF();
    SetDlgItemText(m_traits.nCode, bOnRow ? RecordsetFieldText(pRecordset, "FD_Code") : CString());
    SetDlgItemText(m_traits.nName, bOnRow ? RecordsetFieldText(pRecordset, "FD_Name") : CString());
    SetDlgItemText(m_traits.nSearchCode, bOnRow ? RecordsetFieldText(pRecordset, "FD_SearchCode") : CString());
    ShowExtraFields(bOnRow ? pRecordset : NULL);
}

void CItemSetupDlg::UpdateButtons()
{
    CKemRecordset* pRecordset = Recordset();
    if (pRecordset == NULL || !pRecordset->IsOpen())
        return;
    m_place = ProbeRecordPlace(*pRecordset);
    // A deleted or missing row is never offered for change.
    BOOL bOnRow = !m_place.m_bEmpty && !pRecordset->IsBOF() && !pRecordset->IsEOF();
    EnableDlgControl(*this, m_traits.nPrevious, !m_place.m_bAtFirst);
    EnableDlgControl(*this, m_traits.nNext, !m_place.m_bAtLast);
    EnableDlgControl(*this, m_traits.nModify, bOnRow);
    EnableDlgControl(*this, m_traits.nDelete, bOnRow);
    EnableDlgControl(*this, m_traits.nFind, !m_place.m_bEmpty);
    if (m_bModifying)
    {
        m_bModifying = FALSE;
        SetFieldsEditable(FALSE);
        SetDlgItemText(m_traits.nModify, "Modify");
        EnableDlgControl(*this, m_traits.nAdd, TRUE);
        EnableDlgControl(*this, m_traits.nDelete, bOnRow);
    }
    if (m_bAdding)
    {
        m_bAdding = FALSE;
        SetDlgEditReadOnly(*this, m_traits.nCode, TRUE);
        SetFieldsEditable(FALSE);
        SetDlgItemText(m_traits.nAdd, "Add");
        EnableDlgControl(*this, m_traits.nDelete, bOnRow);
        EnableDlgControl(*this, m_traits.nModify, bOnRow);
    }
}

void CItemSetupDlg::SetFieldsEditable(BOOL bEditable)
{
    SetDlgEditReadOnly(*this, m_traits.nName, !bEditable);
    SetDlgEditReadOnly(*this, m_traits.nSearchCode, !bEditable);
    EnableExtraFields(bEditable);
}

BOOL CItemSetupDlg::ValidateItem(BOOL bModify)
{
    CString strCode, strName, strSearchCode;
    GetDlgItemText(m_traits.nCode, strCode);
    GetDlgItemText(m_traits.nName, strName);
    GetDlgItemText(m_traits.nSearchCode, strSearchCode);
    struct Required { const CString& text; LPCSTR pszMessage; UINT nID; };
    const Required required[] = { { strCode, m_traits.pszEmptyCode, m_traits.nCode },
                                  { strName, m_traits.pszEmptyName, m_traits.nName },
                                  { strSearchCode, m_traits.pszEmptySearchCode, m_traits.nSearchCode } };
    for (const Required& field : required)
    {
        if (field.pszMessage != NULL && field.text.IsEmpty())
        {
            AfxMessageBox(field.pszMessage);
            GotoDlgCtrl(GetDlgItem(field.nID));
            return FALSE;
        }
    }
    return IsCodeAndNameFree(*this, m_traits.pszTable, bModify, strCode, strName, *Recordset(),
                             m_traits.pszDuplicate, m_traits.nName);
}

void CItemSetupDlg::OnAdd()
{
    CKemRecordset* pRecordset = Recordset();
    if (pRecordset == NULL || !pRecordset->IsOpen())
        return;
    if (!m_bAdding)
    {
        SetDlgEditReadOnly(*this, m_traits.nCode, FALSE);
        SetDlgItemText(m_traits.nAdd, "Save");
        m_bAdding = TRUE;
        SetFieldsEditable(TRUE);
        EnableDlgControl(*this, m_traits.nDelete, FALSE);
        EnableDlgControl(*this, m_traits.nModify, FALSE);
        return;
    }
    if (!ValidateItem(FALSE) || !UpdateData(TRUE))
        return;
    AddCurrentEntry();
}

void CItemSetupDlg::AddCurrentEntry()
{
    CKemRecordset& rs = *Recordset();
    try
    {
        // The row shown before stays the current one (the first row of a
        // table that was empty).
        CString strShown = m_place.m_bEmpty ? CString() : CurrentCode(rs);
        WriteRow(TRUE);
        RequeryAndFind(rs, strShown);
    }
    catch (CException* e)
    {
        ReportAndDelete(e);
    }
    LoadCurrentRecord();
    UpdateButtons();
}

void CItemSetupDlg::OnModify()
{
    CKemRecordset* pRecordset = Recordset();
    if (pRecordset == NULL || !pRecordset->IsOpen())
        return;
    if (!m_bModifying)
    {
        // The row is found again by its code.
        if (!pRecordset->IsBOF() && !pRecordset->IsEOF() &&
            !CanUseCurrentCode(*pRecordset, m_traits.pszTable))
            return;
        SetDlgItemText(m_traits.nModify, "Save");
        RememberShown();
        m_bModifying = TRUE;
        EnableDlgControl(*this, m_traits.nAdd, FALSE);
        EnableDlgControl(*this, m_traits.nDelete, FALSE);
        SetFieldsEditable(TRUE);
        return;
    }
    if (!UpdateData(TRUE))
        return;
    if (IsUnchanged())
    {
        UpdateButtons();
        return;
    }
    if (!ValidateItem(TRUE))
        return;
    if (!CanReplaceCurrentRowTexts(*pRecordset, m_traits.pszTable, ItemTexts()))
        return;
    SaveModification();
}

void CItemSetupDlg::WriteRow(BOOL bAdd)
{
    CKemRecordset& rs = *Recordset();
    std::vector<CString> shown;
    if (!bAdd)
        shown = ShownTexts(rs, ItemTexts());
    if (bAdd)
        rs.AddNew();
    else
        rs.Edit();
    try
    {
        // The code of a row never changes.
        if (bAdd)
            rs.SetFieldValue("FD_Code", (LPCSTR)m_strCode);
        SetChangedTexts(rs, ItemTexts(), shown);
        WriteExtraFields(rs);
        rs.Update();
    }
    catch (CException*)
    {
        CancelPending(rs);
        throw;
    }
}

std::vector<CFieldText> CItemSetupDlg::ItemTexts() const
{
    return {CFieldText("FD_Name", m_strName), CFieldText("FD_SearchCode", m_strSearchCode)};
}

void CItemSetupDlg::SaveModification()
{
    try
    {
        WriteRow(FALSE);
    }
    catch (CException* e)
    {
        ReportAndDelete(e);
    }
    UpdateButtons();
    SetFieldsEditable(m_bModifying);
}

void CItemSetupDlg::OnDelete()
{
    CKemRecordset* pRecordset = Recordset();
    if (pRecordset == NULL || !pRecordset->IsOpen() || pRecordset->IsBOF() || pRecordset->IsEOF())
        return;
    if (AfxMessageBox(m_traits.pszAskDelete, MB_YESNO) != IDYES)
        return;
    CKemRecordset& rs = *pRecordset;
    try
    {
        rs.Delete();
    }
    catch (CException* e)
    {
        e->Delete();
        AfxMessageBox(m_traits.pszDeleteFailed);
        return;
    }
    try
    {
        MoveOffDeletedRow(rs, m_place);
    }
    catch (CException* e)
    {
        e->Delete();
        try
        {
            rs.MoveFirst();
        }
        catch (CException* eFirst)
        {
            eFirst->Delete();
        }
    }
    LoadCurrentRecord();
    UpdateButtons();
}

void CItemSetupDlg::OnFind()
{
    CKemRecordset* pRecordset = Recordset();
    if (pRecordset == NULL || !pRecordset->IsOpen())
        return;
    UpdateData(TRUE);
    CFindItemDlg dlg(m_traits.nFindTable, 1, FindInitialText(), this, m_findEmptyText);
    if (dlg.DoModal() != IDOK)
        return;
    try
    {
        if (pRecordset->FindFirst(CodeCondition(dlg.m_strCode)))
            LoadCurrentRecord();
        UpdateButtons();
    }
    catch (CException* e)
    {
        ReportAndDelete(e);
    }
}

void CItemSetupDlg::StepTo(BOOL bForward)
{
    CKemRecordset* pRecordset = Recordset();
    if (pRecordset == NULL || !pRecordset->IsOpen())
        return;
    try
    {
        if (bForward)
            pRecordset->MoveNext();
        else
            pRecordset->MovePrev();
    }
    catch (CException* e)
    {
        e->Delete();
    }
    LoadCurrentRecord();
    UpdateButtons();
}

void CItemSetupDlg::OnPrevious()
{
    StepTo(FALSE);
}

void CItemSetupDlg::OnNext()
{
    StepTo(TRUE);
}
