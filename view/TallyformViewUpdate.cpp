// Enabling of the sheet view's commands by mode, cells and selection, and
// the small commands of the view itself (Data Verify, Format bar return).
#include "view/TallyformView.h"

#include "framework/windows/CmdUI.h"
#include "sheet/document/TallyformDoc.h"
#include "SheetViewIds.h"

int CTallyformView::GetCellCount() const
{
    CSheet* pSheet = GetSheet();
    return pSheet != NULL ? (int)pSheet->m_cells.GetSize() : 0;
}

int CTallyformView::GetSelectedCount() const
{
    CSheet* pSheet = GetSheet();
    return pSheet != NULL ? (int)pSheet->m_arrSel.GetSize() : 0;
}

BOOL CTallyformView::IsDesignMode() const
{
    CSheet* pSheet = GetSheet();
    return pSheet != NULL && pSheet->m_bDesignMode;
}

BOOL CTallyformView::IsRunMode() const
{
    CSheet* pSheet = GetSheet();
    return pSheet != NULL && !pSheet->m_bDesignMode;
}

void CTallyformView::OnUpdateTableEdit(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(IsDesignMode() && GetCellCount() > 0);
}

void CTallyformView::OnUpdateTableSelect(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(GetSelectedCount() > 0);
}

void CTallyformView::OnUpdateMergeCells(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(IsDesignMode() && GetCellCount() > 0 && GetSelectedCount() >= 2);
}

void CTallyformView::OnUpdateSplitCell(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(IsDesignMode() && GetCellCount() > 0 && GetSelectedCount() >= 1);
}

void CTallyformView::OnUpdateRunModeOnly(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(IsRunMode());
}

void CTallyformView::OnUpdateDesignModeOnly(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(IsDesignMode());
}

void CTallyformView::OnUpdateDataFiles(CCmdUI* pCmdUI)
{
    CTallyformDoc* pDoc = GetDocument();
    pCmdUI->Enable(IsRunMode() && pDoc != NULL && !pDoc->IsAnalysisReport());
}

void CTallyformView::OnDataVerify()
{
    CTallyformDoc* pDoc = GetDocument();
    if (pDoc == NULL)
        return;
    POSITION pos = pDoc->VerifyData();
    if (pos == NULL)
    {
        MessageBox("Data is valid.", NULL, MB_OK);
        return;
    }
    CString strMessage = "Invalid data for balance formula '" +
                         pDoc->m_sheet.m_lstBalance.GetAt(pos) + "'.";
    MessageBox(strMessage, NULL, MB_OK);
}

void CTallyformView::OnFormatBarReturn(NMHDR*, LRESULT* pResult)
{
    SetFocus();
    *pResult = 0;
}
