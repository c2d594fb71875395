#include "view/CellPickDialog.h"

#include "framework/docview/WinApp.h"
#include "sheet/document/TallyformDoc.h"
#include "view/CellPick.h"
#include "view/TallyformView.h"
#include "SheetViewIds.h"

BEGIN_MESSAGE_MAP(CCellPickDialog, CDialog)
    ON_MESSAGE(WM_PICKCELL, OnPickCell)
END_MESSAGE_MAP()

CCellPickDialog::CCellPickDialog(UINT nIDTemplate, CTallyformView* pView, UINT nIDFormulaEdit)
    : CDialog(nIDTemplate, pView), m_pView(pView), m_nIDFormulaEdit(nIDFormulaEdit)
{
}

CTallyformDoc* CCellPickDialog::GetDocument() const
{
    return m_pView != NULL ? m_pView->GetDocument() : NULL;
}

void CCellPickDialog::StartPicking()
{
    // Without the hook the dialog stays an ordinary modal one.
    if (BeginCellPick(m_hWnd) && m_pView != NULL)
        m_pView->m_bCellPickMode = TRUE;
}

INT_PTR CCellPickDialog::DoModal()
{
    const INT_PTR nResult = CDialog::DoModal();
    const BOOL bPicked = IsCellPicking();
    EndCellPick(NULL);
    if (m_pView != NULL)
    {
        m_pView->m_bCellPickMode = FALSE;
        m_pView->m_bPickPressed = FALSE;
    }
    CWnd* pMain = AfxGetMainWnd();
    if (bPicked && pMain != NULL && pMain->m_hWnd != NULL)
        pMain->EnableWindow(TRUE);
    return nResult;
}

LRESULT CCellPickDialog::OnPickCell(WPARAM, LPARAM lParam)
{
    CTallyformDoc* pDoc = GetDocument();
    if (pDoc == NULL || m_pView->m_hWnd == NULL)
        return 0;
    CPoint ptClient((short)LOWORD(lParam), (short)HIWORD(lParam));
    CPoint ptSheet = m_pView->ClientToSheet(ptClient);
    const int nCell = m_pView->HitTestCell(ptSheet.x, ptSheet.y);
    if (nCell >= 0)
        InsertIntoFormula(pDoc->m_sheet.m_cells[nCell].m_strName);
    return 0;
}

void CCellPickDialog::InsertIntoFormula(LPCSTR pszText)
{
    CWnd* pEdit = GetDlgItem(m_nIDFormulaEdit);
    if (pEdit == NULL)
        return;
    pEdit->SendMessage(EM_REPLACESEL, TRUE, (LPARAM)pszText);
    pEdit->SetFocus();
}

CString CCellPickDialog::GetFormulaText() const
{
    CString str;
    GetDlgItemText(m_nIDFormulaEdit, str);
    return str;
}

BOOL CCellPickDialog::CheckFormulaEdit(BOOL bBalance, int nCell)
{
    CTallyformDoc* pDoc = GetDocument();
    CString strFormula = GetFormulaText();
    if (pDoc == NULL)
        return FALSE;
    strFormula.Remove(' ');
    SetDlgItemText(m_nIDFormulaEdit, strFormula);
    int nStart = 0, nEnd = 0;
    const int nValid = bBalance ? pDoc->CheckBalanceFormula(strFormula, nStart, nEnd)
                                : pDoc->CheckFormulaSyntax(strFormula, nCell, nStart, nEnd);
    if (nValid)
        return TRUE;
    CWnd* pEdit = GetDlgItem(m_nIDFormulaEdit);
    pEdit->SendMessage(EM_SETSEL, (WPARAM)nStart, (LPARAM)nEnd);
    pEdit->SendMessage(EM_SCROLLCARET);
    pEdit->SetFocus();
    return FALSE;
}

void CCellPickDialog::ShowExplanation(UINT nIDNote)
{
    CString strNote = GetFormulaText();
    CTallyformDoc* pDoc = GetDocument();
    if (pDoc != NULL && pDoc->IsOrganRecordsetOpen())
        pDoc->ResolveFormulaOperands(strNote);
    SetDlgItemText(nIDNote, strNote);
}
