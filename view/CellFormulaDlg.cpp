#include "view/CellFormulaDlg.h"

#include "framework/windows/DataExchange.h"
#include "sheet/document/TallyformDoc.h"
#include "view/CellPick.h"
#include "view/TallyformView.h"
#include "CellDefineIds.h"

BEGIN_MESSAGE_MAP(CCellFormulaDlg, CCellPickDialog)
    ON_BN_CLICKED(IDC_FORMULA_EXPLAIN, OnExplain)
END_MESSAGE_MAP()

CCellFormulaDlg::CCellFormulaDlg(CTallyformView* pView)
    : CCellPickDialog(IDD_CELL_FORMULA, pView, IDC_FORMULA_EDIT), m_nUnused(1)
{
}

void CCellFormulaDlg::DoDataExchange(CDataExchange* pDX)
{
    CCellPickDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_FORMULA_EDIT, m_strFormula);
}

BOOL CCellFormulaDlg::CheckFormula()
{
    // The picking dialog is the sheet around this page.
    CWnd* pSheet = GetParent() != NULL ? GetParent()->GetParent() : NULL;
    HWND hSheet = pSheet != NULL ? pSheet->m_hWnd : NULL;
    const BOOL bPicking = IsCellPicking();
    if (bPicking)
        EndCellPick(hSheet);
    BOOL bValid = TRUE;
    if (m_arrTargets.GetSize() == 0)
        bValid = CheckFormulaEdit(FALSE, -1);
    for (INT_PTR n = 0; bValid && n < m_arrTargets.GetSize(); ++n)
        bValid = CheckFormulaEdit(FALSE, (int)m_arrTargets[n]);
    if (bPicking && BeginCellPick(hSheet) && m_pView != NULL)
        m_pView->m_bCellPickMode = TRUE;
    return bValid;
}

void CCellFormulaDlg::OnExplain()
{
    if (!CheckFormula())
        return;
    ShowExplanation(IDC_FORMULA_NOTE);
}
