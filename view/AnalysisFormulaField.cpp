#include "view/AnalysisFormulaField.h"

#include "framework/windows/DataExchange.h"
#include "framework/windows/Dialog.h"
#include "CellDefineIds.h"

void ShowAnalysisFormula(CDialog* pDialog, const CString& strAnalysis)
{
    pDialog->CheckDlgButton(IDC_CELL_ANALYSIS, strAnalysis.IsEmpty() ? BST_UNCHECKED : BST_CHECKED);
    EnableAnalysisEdit(pDialog);
}

void EnableAnalysisEdit(CDialog* pDialog)
{
    if (CWnd* pEdit = pDialog->GetDlgItem(IDC_CELL_ANALYSIS_EDIT))
        pEdit->EnableWindow(pDialog->IsDlgButtonChecked(IDC_CELL_ANALYSIS) == BST_CHECKED);
}

void TakeAnalysisFormula(CDataExchange* pDX, CString& strAnalysis)
{
    DDX_Text(pDX, IDC_CELL_ANALYSIS_EDIT, strAnalysis);
    if (pDX->m_bSaveAndValidate && pDX->m_pDlgWnd->IsDlgButtonChecked(IDC_CELL_ANALYSIS) != BST_CHECKED)
        strAnalysis.Empty();
}
