// The sheet view's cell commands: Clear Data and Chart Analysis in run
// mode, the Table bar's diagonal lines, Cell > Formula, Table > Define Balance Formula, and the
// in-place editor opened on a cell whose input was refused.
#include "view/TallyformView.h"

#include "framework/docview/FrameWnd.h"
#include "framework/docview/WinApp.h"
#include "framework/windows/CmdUI.h"
#include "reporting/ChartDlg.h"
#include "sheet/DataFile.h"
#include "sheet/UndoAction.h"
#include "sheet/document/TallyformDoc.h"
#include "view/BalanceFormulaDlg.h"
#include "view/CellPick.h"
#include "view/FormulaExplainDlg.h"
#include "SheetViewIds.h"

namespace
{
// The diagonal a Table bar button draws: 33063 from the bottom-left to the
// top-right corner, 33064 from the top-left to the bottom-right corner.
BYTE CCell::*DiagonalOf(UINT nID)
{
    return nID == ID_DIAGONAL_DOWN ? &CCell::m_nDiagUp : &CCell::m_nDiagDown;
}

BOOL SameLists(const CStringList& a, const CStringList& b)
{
    if (a.GetCount() != b.GetCount())
        return FALSE;
    for (POSITION pa = a.GetHeadPosition(), pb = b.GetHeadPosition(); pa != NULL;)
        if (a.GetNext(pa) != b.GetNext(pb))
            return FALSE;
    return TRUE;
}
} // namespace

void CTallyformView::OnClearData()
{
    CSheet* pSheet = GetSheet();
    if (pSheet == NULL || MessageBox("Are you sure you want to clear data?", NULL, MB_YESNO) != IDYES)
        return;
    // An open editor hands its text over as it loses the focus.
    if (m_hWnd != NULL)
        SetFocus();
    if (ClearSheetData(*pSheet, TRUE))
        GetDocument()->UpdateAllViews(NULL);
}

void CTallyformView::OnChartAnalysis()
{
    // An open editor hands its text over first, so the chart shows it.
    if (m_hWnd != NULL)
        SetFocus();
    CChartDlg dlg(NULL);
    dlg.m_pDoc = GetDocument();
    dlg.DoModal();
}

void CTallyformView::OnUpdateChartAnalysis(CCmdUI* pCmdUI)
{
    CSheet* pSheet = GetSheet();
    pCmdUI->Enable(IsRunMode() && pSheet != NULL && pSheet->m_arrSel.GetSize() > 1);
}

BOOL CTallyformView::HasDiagonal(UINT nID) const
{
    CSheet* pSheet = GetSheet();
    if (pSheet == NULL || pSheet->m_arrSel.GetSize() == 0)
        return FALSE;
    BYTE CCell::*pDiagonal = DiagonalOf(nID);
    for (INT_PTR n = 0; n < pSheet->m_arrSel.GetSize(); ++n)
    {
        const CCell* pCell = pSheet->GetSelectedCell((int)n);
        if (pCell != NULL && pCell->*pDiagonal == CELL_LINE_NONE)
            return FALSE;
    }
    return TRUE;
}

void CTallyformView::OnDiagonal(UINT nID)
{
    CSheet* pSheet = GetSheet();
    if (pSheet == NULL || pSheet->m_arrSel.GetSize() == 0)
        return;
    // The button shows pressed when every selected cell has the line; a
    // press gives the other state, the one the button now stands in.
    const BYTE nStyle = HasDiagonal(nID) ? CELL_LINE_NONE : CELL_LINE_THIN;
    RecordSelection();
    BYTE CCell::*pDiagonal = DiagonalOf(nID);
    for (INT_PTR n = 0; n < pSheet->m_arrSel.GetSize(); ++n)
        if (CCell* pCell = pSheet->GetSelectedCell((int)n))
            pCell->*pDiagonal = nStyle;
    GetDocument()->SetModifiedFlag(TRUE);
    if (m_hWnd != NULL)
        RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void CTallyformView::OnUpdateDiagonal(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(IsDesignMode() && GetSelectedCount() > 0);
    pCmdUI->SetCheck(HasDiagonal(pCmdUI->m_nID) ? 1 : 0);
}

void CTallyformView::OnCellFormula()
{
    CSheet* pSheet = GetSheet();
    if (pSheet != NULL && pSheet->m_arrSel.GetSize() == 1)
        EditCellFormula((int)pSheet->m_arrSel[0]);
}

void CTallyformView::OnUpdateCellFormula(CCmdUI* pCmdUI)
{
    CSheet* pSheet = GetSheet();
    const CCell* pCell = pSheet != NULL && pSheet->m_arrSel.GetSize() == 1
                             ? pSheet->GetSelectedCell(0) : NULL;
    pCmdUI->Enable(IsDesignMode() && pCell != NULL && pCell->m_nType == CELL_FORMULA);
}

void CTallyformView::EditCellFormula(int nCell)
{
    CSheet* pSheet = GetSheet();
    CTallyformDoc* pDoc = GetDocument();
    if (pSheet == NULL || nCell < 0 || nCell >= pSheet->m_cells.GetSize())
        return;
    // The dialog checks the formula against the first selected cell.
    if (pSheet->m_arrSel.GetSize() != 1 || (int)pSheet->m_arrSel[0] != nCell)
    {
        ClearSelection();
        SelectSingleCell(nCell);
    }
    CFormulaExplainDlg dlg(this, pSheet->m_cells[nCell].m_strFormula, 1);
    if (dlg.DoModal() != IDOK || nCell >= pSheet->m_cells.GetSize())
        return;
    if (!pSheet->m_cells[nCell].m_strFormula.IsEmpty())
        pDoc->AdjustFormulaRefCounts(nCell, FALSE);
    pSheet->m_cells[nCell].m_strFormula = dlg.m_strFormula;
    pDoc->AdjustFormulaRefCounts(nCell, TRUE);
    pDoc->SetModifiedFlag(TRUE);
}

void CTallyformView::OnTableBalanceFormula()
{
    CSheet* pSheet = GetSheet();
    if (pSheet == NULL)
        return;
    CBalanceFormulaDlg dlg(this);
    if (dlg.DoModal() != IDOK || SameLists(dlg.m_lstFormulas, pSheet->m_lstBalance))
        return;
    pSheet->m_lstBalance.RemoveAll();
    pSheet->m_lstBalance.AddTail(&dlg.m_lstFormulas);
    CTallyformDoc* pDoc = GetDocument();
    pDoc->SetModifiedFlag(TRUE);
    pDoc->CountBalanceFormulaRefs();
}

CWnd* CTallyformView::GetCellPickDialog()
{
    HWND hDialog = m_bCellPickMode ? GetCellPickDialogWindow() : NULL;
    return hDialog != NULL ? CWnd::FromHandle(hDialog) : NULL;
}

void CTallyformView::EditRejectedCell(int nCell)
{
    CSheet* pSheet = GetSheet();
    if (pSheet == NULL || nCell < 0 || nCell >= pSheet->m_cells.GetSize() || m_hWnd == NULL)
        return;
    EnsureCellVisible(nCell);
    ClearSelection();
    SelectSingleCell(nCell);
    OpenCellEditor(nCell);
    if (CWnd* pEditor = GetCellEditor())
    {
        pEditor->SendMessage(EM_SETSEL, 0, -1);
        pEditor->SendMessage(EM_SCROLLCARET);
    }
}

CTallyformView* CTallyformView::GetMainActiveView()
{
    CFrameWnd* pMain = dynamic_cast<CFrameWnd*>(AfxGetMainWnd());
    CFrameWnd* pFrame = pMain != NULL ? pMain->GetActiveFrame() : NULL;
    return pFrame != NULL ? dynamic_cast<CTallyformView*>(pFrame->GetActiveView()) : NULL;
}
