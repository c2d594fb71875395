// Cell > Format... (the popup's Property...): the selected cells, or the
// cell under the pointer, in the cell definition sheet, applied under one
// Cell Define undo record.
#include "view/TallyformView.h"

#include "framework/windows/CmdUI.h"
#include "sheet/UndoAction.h"
#include "sheet/document/TallyformDoc.h"
#include "view/DefineSheet.h"

void CTallyformView::OnCellProperties()
{
    CSheet* pSheet = GetSheet();
    if (pSheet == NULL)
        return;
    CUIntArray cells;
    cells.Copy(pSheet->m_arrSel);
    if (cells.GetSize() == 0)
    {
        const int nCell = HitTestCell(pSheet->m_ptLastPointer.x, pSheet->m_ptLastPointer.y);
        if (nCell < 0)
        {
            MessageBox("Invalid Operate!", NULL, MB_OK);
            return;
        }
        cells.Add((UINT)nCell);
    }
    // An open editor hands its text to its cell before the cells are read.
    CloseCellEditor();
    CDefineSheet sheet("Cell Properties", this);
    sheet.LoadFromCells(cells);
    sheet.LoadCellFormat(cells);
    if (sheet.DoModal() != IDOK)
        return;
    CCellDefineAction* pAction = new CCellDefineAction;
    sheet.CollectChangedCells(cells, pAction->m_arrIndices);
    pAction->RecordBefore(pSheet);
    pSheet->AddUndoAction(pAction);
    sheet.ApplyToCells(cells);
    sheet.ApplyCellFormat(cells);
    pAction->RecordAfter();
    FinishFormatChange();
}

void CTallyformView::OnUpdateCellProperties(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(IsDesignMode() && GetSelectedCount() > 0);
}
