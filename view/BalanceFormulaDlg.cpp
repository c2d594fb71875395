#include "view/BalanceFormulaDlg.h"

#include "framework/docview/WinApp.h"
#include "sheet/document/TallyformDoc.h"
#include "view/TallyformView.h"
#include "SheetDialogIds.h"

BEGIN_MESSAGE_MAP(CBalanceFormulaDlg, CCellPickDialog)
    ON_BN_CLICKED(IDC_BALANCE_ADD, OnAdd)
    ON_BN_CLICKED(IDC_BALANCE_DELETE, OnDelete)
    ON_BN_CLICKED(IDC_BALANCE_MODIFY, OnModify)
    ON_BN_CLICKED(IDC_BALANCE_CLEAR, OnClear)
END_MESSAGE_MAP()

CBalanceFormulaDlg::CBalanceFormulaDlg(CTallyformView* pView)
    : CCellPickDialog(IDD_BALANCE_FORMULA, pView, IDC_BALANCE_EDIT), m_lstFormulas(10)
{
}

BOOL CBalanceFormulaDlg::OnInitDialog()
{
    CCellPickDialog::OnInitDialog();
    StartPicking();
    m_list.SubclassDlgItem(IDC_BALANCE_LIST, this);
    if (CWnd* pMain = AfxGetMainWnd())
        CenterWindow(pMain);
    if (CTallyformDoc* pDoc = GetDocument())
        for (POSITION pos = pDoc->m_sheet.m_lstBalance.GetHeadPosition(); pos != NULL;)
            m_list.AddString(pDoc->m_sheet.m_lstBalance.GetNext(pos));
    GotoDlgCtrl(GetDlgItem(IDC_BALANCE_EDIT));
    return FALSE;
}

BOOL CBalanceFormulaDlg::AddTypedFormula()
{
    CString strTyped = GetFormulaText();
    strTyped.Remove(' ');
    if (strTyped.IsEmpty())
        return TRUE;
    if (!CheckFormulaEdit(TRUE, -1))
        return FALSE;
    m_strFormula = GetFormulaText();
    m_strFormula.MakeUpper();
    for (int i = 0; i < m_list.GetCount(); ++i)
    {
        CString strEntry;
        m_list.GetText(i, strEntry);
        if (strEntry == m_strFormula)
            return TRUE;
    }
    m_list.AddString(m_strFormula);
    return TRUE;
}

void CBalanceFormulaDlg::OnAdd()
{
    AddTypedFormula();
}

void CBalanceFormulaDlg::OnDelete()
{
    const int nSel = m_list.GetCurSel();
    if (nSel != LB_ERR)
        m_list.DeleteString((UINT)nSel);
}

void CBalanceFormulaDlg::OnModify()
{
    const int nSel = m_list.GetCurSel();
    if (nSel == LB_ERR)
        return;
    CString strEntry;
    m_list.GetText(nSel, strEntry);
    SetDlgItemText(IDC_BALANCE_EDIT, strEntry);
    GetDlgItem(IDC_BALANCE_EDIT)->SetFocus();
    m_list.DeleteString((UINT)nSel);
}

void CBalanceFormulaDlg::OnClear()
{
    m_list.ResetContent();
}

void CBalanceFormulaDlg::OnOK()
{
    // A formula still in the edit (typed, or taken out with Modify) goes
    // into the list rather than being lost.
    if (!AddTypedFormula())
        return;
    m_lstFormulas.RemoveAll();
    for (int i = 0; i < m_list.GetCount(); ++i)
    {
        CString strEntry;
        m_list.GetText(i, strEntry);
        m_lstFormulas.AddTail(strEntry);
    }
    EndDialog(IDOK);
}
