// The sheet view's table commands (rows, columns, merge, split), the
// selection commands, automatic tab numbering, and Undo and Redo.
#include "view/TallyformView.h"

#include "framework/windows/CmdUI.h"
#include "sheet/UndoAction.h"
#include "sheet/document/TallyformDoc.h"
#include "view/SheetViewFrame.h"
#include "view/SplitCellDlg.h"
#include "SheetViewIds.h"

namespace
{
const char kRefusedSelection[] = "Selected cell is not valid,cannot delete.";

CString LoadMenuText(UINT nID, LPCSTR pszAccelerator)
{
    CString str;
    str.LoadString(nID);
    return str + pszAccelerator;
}
} // namespace

void CTallyformView::AfterSheetChange(BOOL bRecomputeExtent)
{
    CSheet* pSheet = GetSheet();
    pSheet->SortCells();
    pSheet->ValidateSelection();
    if (bRecomputeExtent)
        pSheet->UpdateBoundingRect();
    // The scroll range follows the extent just computed.
    UpdateScrollSizes();
    CTallyformDoc* pDoc = GetDocument();
    pDoc->SetModifiedFlag(TRUE);
    pDoc->UpdateAllViews(NULL);
    if (CSheetViewFrame* pChild = GetChildFrameServices())
        pChild->RedrawRulers(TRUE, TRUE);
}

void CTallyformView::OnTableEdit(UINT nID)
{
    CSheet* pSheet = GetSheet();
    if (pSheet == NULL)
        return;
    BOOL bDone = FALSE;
    switch (nID)
    {
    case ID_TABLE_ADD_ROW:
        bDone = pSheet->AddRow(-1, -1, TRUE);
        break;
    case ID_TABLE_DELETE_ROW:
        bDone = pSheet->DeleteRow(-1, -1, TRUE);
        break;
    case ID_TABLE_ADD_COLUMN:
        bDone = pSheet->AddColumn(-1, -1, TRUE);
        break;
    case ID_TABLE_DELETE_COLUMN:
        bDone = pSheet->DeleteColumns(-1, -1, TRUE);
        break;
    case ID_TABLE_MERGE_CELLS:
        bDone = pSheet->MergeCells(-1, -1, TRUE);
        break;
    default:
        return;
    }
    if (!bDone)
    {
        MessageBox(kRefusedSelection, NULL, MB_OK);
        return;
    }
    AfterSheetChange(nID != ID_TABLE_MERGE_CELLS);
}

void CTallyformView::OnTableSplitCell()
{
    CSheet* pSheet = GetSheet();
    if (pSheet == NULL)
        return;
    CSplitCellDlg dlg(this);
    if (dlg.DoModal() != IDOK)
        return;
    if (!pSheet->SplitCell(-1, -1, dlg.m_nRows, dlg.m_nColumns, dlg.m_bMergeFirst, TRUE))
    {
        MessageBox(kRefusedSelection, NULL, MB_OK);
        return;
    }
    AfterSheetChange(FALSE);
}

void CTallyformView::OnEditSelectAll()
{
    CSheet* pSheet = GetSheet();
    if (pSheet == NULL)
        return;
    pSheet->m_arrSel.RemoveAll();
    for (INT_PTR i = 0; i < pSheet->m_cells.GetSize(); ++i)
        pSheet->m_arrSel.Add((UINT)i);
    GetDocument()->UpdateAllViews(NULL);
}

void CTallyformView::OnUpdateEditSelectAll(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(GetCellCount() > 0);
}

void CTallyformView::OnTableSelectLine(UINT nID)
{
    CSheet* pSheet = GetSheet();
    if (pSheet == NULL || pSheet->m_arrSel.GetSize() == 0)
        return;
    const BOOL bColumn = nID == ID_TABLE_SELECT_COLUMN;
    const UINT nFirst = pSheet->m_arrSel[0];
    if (nFirst >= (UINT)pSheet->m_cells.GetSize())
        return;
    const RECT& rcFirst = pSheet->m_cells[nFirst].m_rect;
    const LONG nMiddle = bColumn ? (rcFirst.left + rcFirst.right) / 2
                                 : (rcFirst.top + rcFirst.bottom) / 2;
    pSheet->m_arrSel.RemoveAll();
    pSheet->m_arrSel.Add(nFirst);
    for (INT_PTR i = 0; i < pSheet->m_cells.GetSize(); ++i)
    {
        const RECT& rc = pSheet->m_cells[i].m_rect;
        const LONG nLow = bColumn ? rc.left : rc.top;
        const LONG nHigh = bColumn ? rc.right : rc.bottom;
        if ((UINT)i != nFirst && nLow < nMiddle && nMiddle <= nHigh)
            pSheet->m_arrSel.Add((UINT)i);
    }
    if (m_hWnd != NULL)
        Invalidate(FALSE);
}

void CTallyformView::OnTableArrangeTabIndex()
{
    CSheet* pSheet = GetSheet();
    if (pSheet == NULL)
        return;
    pSheet->SortCells();
    for (INT_PTR i = 0; i < pSheet->m_cells.GetSize(); ++i)
        pSheet->m_cells[i].m_nTabIndex = (LONG)(i + 1);
    GetDocument()->SetModifiedFlag(TRUE);
    GetDocument()->UpdateAllViews(NULL);
}

void CTallyformView::OnEditUndo()
{
    CSheet* pSheet = GetSheet();
    CUndoAction* pAction = pSheet != NULL ? pSheet->Undo() : NULL;
    if (pAction != NULL)
        AfterSheetChange(pAction->m_bRecomputeExtent);
}

void CTallyformView::OnEditRedo()
{
    CSheet* pSheet = GetSheet();
    CUndoAction* pAction = pSheet != NULL ? pSheet->Redo() : NULL;
    if (pAction != NULL)
        AfterSheetChange(pAction->m_bRecomputeExtent);
}

void CTallyformView::OnUpdateEditUndo(CCmdUI* pCmdUI)
{
    UpdateUndoItem(pCmdUI, FALSE);
}

void CTallyformView::OnUpdateEditRedo(CCmdUI* pCmdUI)
{
    UpdateUndoItem(pCmdUI, TRUE);
}

void CTallyformView::UpdateUndoItem(CCmdUI* pCmdUI, BOOL bRedo)
{
#ifndef EDITOR_BUILD
    // The editor names what it could undo in its one mode ("Cannot Undo").
    if (!IsDesignMode())
    {
        pCmdUI->Enable(FALSE);
        return;
    }
#endif
    CSheet* pSheet = GetSheet();
    CUndoAction* pAction = bRedo ? pSheet->GetRedoAction() : pSheet->GetUndoAction();
    LPCSTR pszAccelerator = bRedo ? "\tCtrl+Y" : "\tCtrl+Z";
    if (pAction == NULL)
        pCmdUI->SetText(LoadMenuText(bRedo ? IDS_CANNOT_REDO : IDS_CANNOT_UNDO, pszAccelerator));
    else
        pCmdUI->SetText(LoadMenuText(bRedo ? IDS_REDO : IDS_UNDO, "") + pAction->m_strName +
                        pszAccelerator);
    pCmdUI->Enable(pAction != NULL);
}
