// In-place editing of the sheet view: the editor over a cell, its notices
// (storing the value, key cells, dependent formulas, reload), moving along
// the tab order, the keyboard routing, and the switch to run mode.
#include "view/TallyformView.h"

#include "engines/common/KemRecordset.h"
#include "framework/core/Exception.h"
#include "framework/core/MessageSink.h"
#include "framework/docview/FrameWnd.h"
#include "framework/docview/WinApp.h"
#include "framework/windows/Dc.h"
#include "framework/windows/WaitCursor.h"
#include "reporting/FieldText.h"
#include "sheet/FormulaRecalc.h"
#include "sheet/document/TallyformDoc.h"
#include "view/CellChoiceList.h"
#include "view/CellEditBox.h"
#include "view/CellEditNotify.h"
#include "view/CellEditRules.h"
#include "view/CellPeriodField.h"
#include "view/CellPick.h"

namespace
{

const UINT kFileSaveCommand = 57603;
const UINT IDS_SAVE_BEFORE_RUN = 407;

// Commands that work on the open editor's text rather than on the cells:
// Edit > Delete, Copy, Cut, Paste.
BOOL IsEditorCommand(UINT nID)
{
    return nID == 57632 || nID == 57634 || nID == 57635 || nID == 57637;
}

BOOL IsArrowKey(UINT nKey)
{
    return nKey >= VK_LEFT && nKey <= VK_DOWN;
}

DWORD AlignStyle(LONG nHAlign)
{
    switch (nHAlign)
    {
    case CELL_ALIGN_RIGHT: return ES_RIGHT;
    case CELL_ALIGN_MIDDLE: return ES_CENTER;
    default: return ES_LEFT;
    }
}

// The organizations' names (FD_Name) or codes (FD_Code), all rows in
// order.  FALSE, with a database error reported, when they cannot be read
// or there is none.
BOOL ReadOrganValues(CKemRecordset& rs, LPCSTR pszField, CStringArray& values)
{
    try
    {
        rs.m_strFilter.Empty();
        rs.Requery();
        if (rs.IsBOF() && rs.IsEOF())
            return FALSE;
        for (rs.MoveFirst(); !rs.IsEOF(); rs.MoveNext())
            values.Add(RecordsetFieldText(&rs, pszField));
        return TRUE;
    }
    catch (CException* e)
    {
        e->ReportError();
        e->Delete();
        return FALSE;
    }
}

} // namespace

CWnd* CTallyformView::GetCellEditor() const
{
    if (m_hWnd == NULL || m_hCellEditor == NULL || !::IsWindow(m_hCellEditor) ||
        ::GetParent(m_hCellEditor) != m_hWnd)
        return NULL;
    return CWnd::FromHandlePermanent(m_hCellEditor);
}

void CTallyformView::CloseCellEditor()
{
    // The editor that has the focus hands its text over as it closes.
    CWnd* pEditor = GetCellEditor();
    if (pEditor != NULL)
        pEditor->SendMessage(WM_CLOSE);
    m_hCellEditor = NULL;
}

CRect CTallyformView::CellEditorRect(const CCell& cell, CDC* pDC, CFont* pFont)
{
    CRect rc(cell.m_rect);
    rc.left += 3;
    rc.top += 5;
    rc.right -= 2;
    rc.bottom -= 2;
    rc = SheetToClient(rc);
    TEXTMETRIC tm = {};
    CFont* pOldFont = pDC->SelectObject(pFont);
    pDC->GetTextMetrics(&tm);
    pDC->SelectObject(pOldFont);
    switch (cell.m_nVAlign)
    {
    case CELL_ALIGN_TOP:
        rc.bottom = rc.top + tm.tmHeight;
        break;
    case CELL_ALIGN_BOTTOM:
        rc.top = rc.bottom - tm.tmHeight;
        break;
    case CELL_ALIGN_CENTER:
        rc.top = (rc.bottom - (tm.tmHeight + tm.tmExternalLeading) + rc.top) / 2;
        rc.bottom = rc.top + tm.tmHeight;
        break;
    default:
        break;
    }
    rc.left += 1;
    rc.right -= 1;
    return rc;
}

void CTallyformView::OpenCellEditor(int nCell)
{
    CSheet* pSheet = GetSheet();
    CTallyformDoc* pDoc = GetDocument();
    if (pSheet == NULL || pDoc == NULL || m_hWnd == NULL || nCell < 0 ||
        nCell >= pSheet->m_cells.GetSize())
        return;
    const CCell& cell = pSheet->m_cells[nCell];
    // A figure the database computes takes no editor: nothing is typed
    // over it.
    if (!pSheet->m_bDesignMode && pSheet->IsComputedByDatabase(cell))
        return;
    EnsureCellVisible(nCell);
    if (!pSheet->m_bDesignMode)
        m_cellBeforeEdit = cell;

    LOGFONTA lf = cell.m_logFont;
    lf.lfHeight = lf.lfHeight * m_nZoomPercent / 100;    // truncated toward zero
    CFont* pFont = new CFont;
    pFont->CreateFontIndirect(&lf);
    CRect rc;
    {
        CClientDC dc(this);
        rc = CellEditorRect(cell, &dc, pFont);
    }

    CWnd* pEditor = NULL;
    switch (cell.m_nType)
    {
    case CELL_ORGAN:
    case CELL_ORGANCODE:
        if (pDoc->IsOrganRecordsetOpen())
        {
            CStringArray values;
            if (!ReadOrganValues(*pDoc->GetOrganRecordset(),
                                 cell.m_nType == CELL_ORGAN ? "FD_Name" : "FD_Code", values))
                break;
            pEditor = new CCellChoiceList(this, rc, CBS_DROPDOWNLIST, IDC_CELL_EDITOR, nCell,
                                          values, cell.m_strValue, pFont, cell.m_crText,
                                          cell.m_crBack, CELL_START_KEY_CLICK);
            pFont = NULL;
            break;
        }
        {
            // Typed in: an organization code still fits the numeric cells'
            // code field.
            CCellEditBox* pBox = new CCellEditBox(this, rc, AlignStyle(cell.m_nHAlign),
                                                  IDC_CELL_EDITOR, nCell, cell.m_strValue,
                                                  pFont, cell.m_crText, cell.m_crBack,
                                                  CELL_START_KEY_CLICK, FALSE);
            pFont = NULL;
            if (cell.m_nType == CELL_ORGANCODE && pBox->m_hWnd != NULL)
                pBox->LimitText(CELL_CODE_LEN - 1);
            pEditor = pBox;
        }
        break;
    case CELL_REPORTDATE:
        delete pFont;
        pFont = NULL;
        pEditor = new CCellPeriodField(this, rc, nCell, cell.m_szDateCode,
                                       pSheet->m_nReportType, cell.m_nDateStyle,
                                       IDC_CELL_EDITOR);
        break;
    case CELL_TEXT:
    case CELL_NUMERIC:
        if (cell.m_nType == CELL_NUMERIC && cell.m_nValueType != 0 && cell.m_nValueType != 1)
            break;
        pEditor = new CCellEditBox(this, rc, AlignStyle(cell.m_nHAlign), IDC_CELL_EDITOR, nCell,
                                   cell.m_strValue, pFont, cell.m_crText, cell.m_crBack,
                                   CELL_START_KEY_CLICK,
                                   cell.m_nType == CELL_NUMERIC && cell.m_nValueType == 0);
        pFont = NULL;
        break;
    default:
        break;
    }
    delete pFont;
    if (pEditor == NULL)
        return;
    if (pEditor->m_hWnd == NULL)
    {
        // Never created: nothing will delete it on destruction.
        delete pEditor;
        return;
    }
    m_hCellEditor = pEditor->m_hWnd;
}

void CTallyformView::OpenCellEditorFromKeys(int nCell)
{
    OpenCellEditor(nCell);
    CWnd* pEditor = GetCellEditor();
    if (pEditor == NULL)
        return;
    char szClass[16] = "";
    ::GetClassNameA(pEditor->m_hWnd, szClass, sizeof(szClass));
    if (lstrcmpiA(szClass, "Edit") == 0)
        pEditor->SendMessage(EM_SETSEL, 0, -1);
}

void CTallyformView::ReloadIfKeyCellChanged(CCell* pCell)
{
    if (pCell == NULL || pCell->m_nType != m_cellBeforeEdit.m_nType)
        return;
    BOOL bChanged = FALSE;
    if (pCell->m_nType == CELL_REPORTDATE)
        bChanged = strcmp(pCell->m_szDateCode, m_cellBeforeEdit.m_szDateCode) != 0;
    else if (pCell->m_nType == CELL_ORGAN || pCell->m_nType == CELL_ORGANCODE)
        bChanged = pCell->m_strValue != m_cellBeforeEdit.m_strValue;
    if (!bChanged)
        return;
    // The data now belong to the new key; later notices compare with it.
    m_cellBeforeEdit = *pCell;
    GetDocument()->ReloadReportData();
}

void CTallyformView::MoveCellEditor(int nFrom, int nTo)
{
    CSheet* pSheet = GetSheet();
    ClearSelection();
    SelectSingleCell(nTo);
    ReloadIfKeyCellChanged(&pSheet->m_cells[nFrom]);
    OpenCellEditorFromKeys(nTo);
    pSheet->m_nCurCell = nTo;
}

BOOL CTallyformView::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    const NMHDR* pHeader = reinterpret_cast<const NMHDR*>(lParam);
    if (pHeader == NULL || pHeader->idFrom != IDC_CELL_EDITOR || pHeader->code < CELLN_END ||
        pHeader->code > CELLN_CHANGE)
        return CScrollView::OnNotify(wParam, lParam, pResult);
    *pResult = 0;
    const CellEditNotify* pRecord = reinterpret_cast<const CellEditNotify*>(lParam);
    CSheet* pSheet = GetSheet();
    CTallyformDoc* pDoc = GetDocument();
    const int nCell = pRecord->cell;
    // An editor never writes into another cell than its own: a notice whose
    // cell is gone is dropped.
    if (pSheet == NULL || pDoc == NULL || nCell < 0 || nCell >= pSheet->m_cells.GetSize())
        return TRUE;
    if (pSheet->m_bDesignMode)
    {
        if (pHeader->code == CELLN_END)
            pDoc->StoreLabelText(nCell, pRecord->text);
        return TRUE;
    }

    pDoc->StoreEnteredText(nCell, pRecord->text);
    const UINT nKey = (UINT)pRecord->key;
    const BOOL bMoveKey = nKey == VK_TAB || nKey == VK_RETURN || IsArrowKey(nKey);
    if (!bMoveKey)
    {
        // A changed key reloads the data once the edit is left or ended,
        // not on every character typed into the key cell.
        if (pHeader->code != CELLN_CHANGE)
            ReloadIfKeyCellChanged(&pSheet->m_cells[nCell]);
        return TRUE;
    }
    if (pHeader->code != CELLN_LEAVE)
        return TRUE;
    const int nNext = IsArrowKey(nKey)
                          ? m_tabOrder.FindCellInDirection(*pSheet, nCell, (int)nKey)
                          : m_tabOrder.NextCell(*pSheet, nCell, pDoc->IsOrganRecordsetOpen());
    if (nNext >= 0)
        MoveCellEditor(nCell, nNext);
    return TRUE;
}

BOOL CTallyformView::PreTranslateMessage(MSG* pMsg)
{
    // While a dialog picks cells the keyboard reaches neither the view nor
    // the frames' accelerators and menus: the dialog holds this view.
    if (IsCellPicking() && pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST)
        return TRUE;
    if (pMsg->message != WM_KEYDOWN && pMsg->message != WM_KEYUP)
        return CScrollView::PreTranslateMessage(pMsg);
    const UINT nKey = (UINT)pMsg->wParam;
    CWnd* pEditor = GetCellEditor();
    if (IsArrowKey(nKey))
    {
        (pEditor != NULL ? pEditor : this)->SendMessage(pMsg->message, pMsg->wParam, pMsg->lParam);
        return TRUE;
    }
    if ((nKey == VK_DELETE || nKey == VK_TAB) && pEditor != NULL)
    {
        pEditor->SendMessage(pMsg->message, pMsg->wParam, pMsg->lParam);
        return TRUE;
    }
    CSheet* pSheet = GetSheet();
    if (pSheet == NULL || pSheet->m_bDesignMode || nKey != VK_TAB ||
        pSheet->m_cells.GetSize() == 0)
        return CScrollView::PreTranslateMessage(pMsg);
    if (pMsg->message == WM_KEYDOWN)
    {
        const int n = m_tabOrder.FirstEntryCell(*pSheet, GetDocument()->IsOrganRecordsetOpen());
        if (n >= 0)
            OpenCellEditorFromKeys(n);
    }
    return TRUE;
}

BOOL CTallyformView::OnCmdMsg(UINT nID, int nCode, void* pExtra,
                              AFX_CMDHANDLERINFO* pHandlerInfo)
{
    // No frame command runs under a picking dialog, which holds this view.
    if (nCode == CN_COMMAND && pHandlerInfo == NULL && IsCellPicking())
        return TRUE;
    // A command may reorder or rewrite the cells: the open editor hands its
    // text to its own cell first.
    if (nCode == CN_COMMAND && pHandlerInfo == NULL && !IsEditorCommand(nID))
        CloseCellEditor();
    return CScrollView::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

void CTallyformView::BuildTabOrder()
{
    CSheet* pSheet = GetSheet();
    if (pSheet == NULL)
    {
        m_tabOrder.Clear();
        return;
    }
    m_tabOrder.Build(*pSheet, GetDocument()->IsOrganRecordsetOpen());
}

CWnd* CTallyformView::CommandFrame()
{
    // The frame routes a command through the view to the document.
    for (HWND hWnd = ::GetParent(m_hWnd); hWnd != NULL; hWnd = ::GetParent(hWnd))
    {
        CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
        if (pWnd != NULL && pWnd->IsKindOf(RUNTIME_CLASS(CFrameWnd)))
            return pWnd;
    }
    return this;
}

void CTallyformView::OnRunMode()
{
    CSheet* pSheet = GetSheet();
    CTallyformDoc* pDoc = GetDocument();
    if (pSheet == NULL || pDoc == NULL || !pSheet->m_bDesignMode)
        return;
    CWaitCursor wait;
    if (!pDoc->CheckKeyCells())
        return;
    if (pDoc->IsModified())
    {
        const int nAnswer = AfxMessageBox(IDS_SAVE_BEFORE_RUN, MB_YESNOCANCEL | MB_ICONQUESTION);
        if (nAnswer == IDCANCEL)
            return;
        if (nAnswer == IDYES)
            CommandFrame()->SendMessage(WM_COMMAND, kFileSaveCommand);
    }
    pSheet->m_bDesignMode = 0;
    pSheet->m_nDisplayMode = DISPLAY_NORMAL;
    CloseCellEditor();
    UpdateModeUI();
    CWnd* pMainWnd = AfxGetMainWnd();
    if (pMainWnd != NULL && pMainWnd->m_hWnd != NULL)
        pMainWnd->SetWindowText(CString("Tallyform [Run Mode] - ") + pDoc->GetTitle());
    RecalculateAllFormulas(*pSheet);
    BuildTabOrder();
    ClearSelection();
    pDoc->UpdateAllViews(NULL);
}
