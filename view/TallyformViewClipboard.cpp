// The sheet view's Edit > Cut, Copy, Paste and Delete: on the open
// in-place editor's text, else on the labels of the selected cells through
// the clipboard, each change one Cell Define undo record.
#include "view/TallyformView.h"

#include "framework/windows/CmdUI.h"
#include "sheet/UndoAction.h"
#include "sheet/document/TallyformDoc.h"
#include "view/ClipboardText.h"
#include "SheetViewIds.h"

namespace
{
BOOL IsStaticText(const CCell& cell)
{
    return cell.m_nType == CELL_TEXT && !cell.m_bDynamic;
}
} // namespace

CCell* CTallyformView::GetSingleTextCell() const
{
    CSheet* pSheet = GetSheet();
    if (pSheet == NULL || pSheet->m_arrSel.GetSize() != 1)
        return NULL;
    CCell* pCell = pSheet->GetSelectedCell(0);
    return pCell != NULL && !pCell->m_strValue.IsEmpty() ? pCell : NULL;
}

BOOL CTallyformView::HasSelectedStaticText() const
{
    CSheet* pSheet = GetSheet();
    if (pSheet == NULL)
        return FALSE;
    for (INT_PTR n = 0; n < pSheet->m_arrSel.GetSize(); ++n)
    {
        const CCell* pCell = pSheet->GetSelectedCell((int)n);
        if (pCell != NULL && IsStaticText(*pCell))
            return TRUE;
    }
    return FALSE;
}

BOOL CTallyformView::HasEditorSelection() const
{
    CWnd* pEditor = GetCellEditor();
    if (pEditor == NULL)
        return FALSE;
    DWORD dwStart = 0, dwEnd = 0;
    pEditor->SendMessage(EM_GETSEL, (WPARAM)&dwStart, (LPARAM)&dwEnd);
    return dwEnd > dwStart;
}

void CTallyformView::OnEditCopy()
{
    if (CWnd* pEditor = GetCellEditor())
    {
        pEditor->SendMessage(WM_COPY);
        return;
    }
    CCell* pCell = IsDesignMode() ? GetSingleTextCell() : NULL;
    if (pCell != NULL)
        WriteClipboardText(m_hWnd, pCell->m_strValue);
}

void CTallyformView::OnEditCut()
{
    if (CWnd* pEditor = GetCellEditor())
    {
        pEditor->SendMessage(WM_CUT);
        return;
    }
    CCell* pCell = IsDesignMode() ? GetSingleTextCell() : NULL;
    // The text leaves the cell only once the clipboard holds it.
    if (pCell == NULL || !WriteClipboardText(m_hWnd, pCell->m_strValue))
        return;
    RecordSelection();
    pCell->m_strValue.Empty();
    FinishFormatChange();
}

void CTallyformView::OnEditPaste()
{
    if (CWnd* pEditor = GetCellEditor())
    {
        pEditor->SendMessage(WM_PASTE);
        return;
    }
    CSheet* pSheet = GetSheet();
    CString strText;
    if (pSheet == NULL || !IsDesignMode() || !ReadClipboardText(m_hWnd, strText))
        return;
    CCellDefineAction* pAction = new CCellDefineAction;
    pAction->m_arrIndices.Copy(pSheet->m_arrSel);
    pAction->RecordBefore(pSheet);
    if (!SetSelectedLabels(strText))
    {
        delete pAction;
        return;
    }
    pSheet->AddUndoAction(pAction);
    FinishFormatChange();
}

void CTallyformView::OnEditClear()
{
    if (CWnd* pEditor = GetCellEditor())
    {
        pEditor->SendMessage(WM_CLEAR);
        return;
    }
    CSheet* pSheet = GetSheet();
    if (pSheet == NULL || !IsDesignMode())
        return;
    RecordSelection();
    SetSelectedLabels(CString());
    FinishFormatChange();
}

BOOL CTallyformView::SetSelectedLabels(const CString& strText)
{
    CSheet* pSheet = GetSheet();
    BOOL bAny = FALSE;
    for (INT_PTR n = 0; n < pSheet->m_arrSel.GetSize(); ++n)
    {
        CCell* pCell = pSheet->GetSelectedCell((int)n);
        if (pCell != NULL && IsStaticText(*pCell))
        {
            pCell->m_strValue = strText;
            bAny = TRUE;
        }
    }
    return bAny;
}

void CTallyformView::OnUpdateEditCopy(CCmdUI* pCmdUI)
{
    if (GetCellEditor() != NULL)
        pCmdUI->Enable(HasEditorSelection());
    else
        pCmdUI->Enable(IsDesignMode() && GetSingleTextCell() != NULL);
}

void CTallyformView::OnUpdateEditPaste(CCmdUI* pCmdUI)
{
    const BOOL bText = ::IsClipboardFormatAvailable(CF_TEXT);
    if (GetCellEditor() != NULL)
        pCmdUI->Enable(bText);
    else
        pCmdUI->Enable(bText && IsDesignMode() && HasSelectedStaticText());
}

void CTallyformView::OnUpdateEditClear(CCmdUI* pCmdUI)
{
    if (GetCellEditor() != NULL)
        pCmdUI->Enable(HasEditorSelection());
    else
        pCmdUI->Enable(IsDesignMode() && HasSelectedStaticText());
}
