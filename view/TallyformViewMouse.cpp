// The sheet view's mouse: selection by click, Ctrl+click, Shift+click and
// rubber band, border dragging, cursor feedback, the design-mode context
// menu and double click, and the run-mode click.
#include "view/TallyformView.h"

#include <stdlib.h>

#include "framework/windows/Menu.h"
#include "sheet/BorderDrag.h"
#include "sheet/UndoAction.h"
#include "sheet/document/TallyformDoc.h"
#include "view/SheetViewFrame.h"
#include "SheetViewIds.h"

namespace {

// The margin right of and below the sheet that still takes presses.
const int kPressMargin = 5;
// How far a rubber band scrolls the view past the client area.
const int kAutoScrollStep = 30;

BOOL IsInside(const RECT& rc, POINT pt, int nMargin)
{
    return pt.x >= rc.left && pt.x < rc.right + nMargin && pt.y >= rc.top &&
           pt.y < rc.bottom + nMargin;
}

BOOL IsSelectedCell(const CSheet& sheet, int n)
{
    for (INT_PTR i = 0; i < sheet.m_arrSel.GetSize(); ++i)
        if ((int)sheet.m_arrSel[i] == n)
            return TRUE;
    return FALSE;
}

// The band as the cells are tested against it.  A band along one row or
// one column (a Shift+click beside the anchor) has no height or width, so
// it would meet no cell: it is given one unit, and crosses the cells under
// its line as a click there hits them.
CRect BandCrossingCells(const CRect& rcBand)
{
    CRect rc = rcBand;
    if (rc.right == rc.left)
        ++rc.right;
    if (rc.bottom == rc.top)
        ++rc.bottom;
    return rc;
}

BOOL IsBorderClass(LONG nClass)
{
    return nClass == HIT_VERTICAL_BORDER || nClass == HIT_HORIZONTAL_BORDER;
}

} // namespace

int CTallyformView::HitTestCell(int x, int y) const
{
    CSheet* pSheet = GetSheet();
    return pSheet != NULL ? ::HitTestCell(*pSheet, x, y) : -1;
}

void CTallyformView::ClearSelection()
{
    CSheet* pSheet = GetSheet();
    if (pSheet == NULL)
        return;
    if (m_hWnd != NULL)
    {
        CClientDC dc(this);
        OnPrepareDC(&dc);
        for (INT_PTR i = 0; i < pSheet->m_arrSel.GetSize(); ++i)
        {
            int n = (int)pSheet->m_arrSel[i];
            if (n == pSheet->m_nCurCell)
                RedrawCell(&dc, n);
            else
                DrawCellMark(&dc, n);
        }
    }
    pSheet->m_arrSel.RemoveAll();
}

void CTallyformView::SelectSingleCell(int n)
{
    CSheet* pSheet = GetSheet();
    if (pSheet == NULL || n < 0 || n >= pSheet->m_cells.GetSize())
        return;
    pSheet->m_nCurCell = n;
    pSheet->m_arrSel.RemoveAll();
    pSheet->m_arrSel.Add((UINT)n);
    if (m_hWnd != NULL)
    {
        CClientDC dc(this);
        OnPrepareDC(&dc);
        DrawCellMark(&dc, n);
    }
}

void CTallyformView::EnsureCellVisible(int n)
{
    CSheet* pSheet = GetSheet();
    if (pSheet == NULL || m_hWnd == NULL || n < 0 || n >= pSheet->m_cells.GetSize())
        return;
    CRect rcClient;
    GetClientRect(&rcClient);
    {
        CClientDC dc(this);
        OnPrepareDC(&dc);
        dc.DPtoLP(&rcClient);
    }
    const RECT& rcSheet = pSheet->m_rcBounds;
    if (rcSheet.right - rcSheet.left <= rcClient.Width() &&
        rcSheet.bottom - rcSheet.top <= rcClient.Height())
        return;
    const RECT& rc = pSheet->m_cells[n].m_rect;
    // The amounts are sheet units; the scroll bars count pixels.
    int nDeltaX = 0, nDeltaY = 0;
    if (rc.left < rcClient.left)
        nDeltaX = -((rcClient.left - rc.left) +
                    (rc.left == rcSheet.left ? 1 : (rc.right - rc.left) / 4));
    else if (rc.right > rcClient.right)
        nDeltaX = (rc.right - rcClient.right) +
                  (rc.right == rcSheet.right ? 1 : (rc.right - rc.left) / 4);
    if (rc.top < rcClient.top)
        nDeltaY = -((rcClient.top - rc.top) +
                    (rc.top == rcSheet.top ? 1 : (rc.bottom - rc.top) / 4));
    else if (rc.bottom > rcClient.bottom)
        nDeltaY = (rc.bottom - rcClient.bottom) +
                  (rc.bottom == rcSheet.bottom ? 1 : (rc.bottom - rc.top) / 4);
    CPoint ptScroll = GetDeviceScrollPosition();
    if (nDeltaX != 0)
    {
        int nPos = ptScroll.x + nDeltaX * m_nZoomPercent / 100;
        OnScroll(SB_HORZ, SB_THUMBTRACK, (UINT)(nPos < 0 ? 0 : nPos));
    }
    if (nDeltaY != 0)
    {
        int nPos = ptScroll.y + nDeltaY * m_nZoomPercent / 100;
        OnScroll(SB_VERT, SB_THUMBTRACK, (UINT)(nPos < 0 ? 0 : nPos));
    }
}

void CTallyformView::CollectBorderCells(int x, int y)
{
    CSheet* pSheet = GetSheet();
    if (pSheet == NULL)
        return;
    CBorderDragRange range = ::CollectBorderCells(*pSheet, x, y);
    m_nDragMin = range.nMin;
    m_nDragMax = range.nMax;
}

BOOL CTallyformView::SnapToCellEdge(POINT* pPoint, BOOL bHorizontal, int nTolerance)
{
    CSheet* pSheet = GetSheet();
    return pSheet != NULL && ::SnapToCellEdge(*pSheet, pPoint, bHorizontal, nTolerance);
}

void CTallyformView::StartBorderDrag(CSheet* pSheet, int x, int y, CDC* pDC)
{
    if (pSheet != NULL && IsBorderClass(pSheet->m_nBorderClass))
    {
        BOOL bVertical = pSheet->m_nBorderClass == HIT_VERTICAL_BORDER;
        pSheet->m_ptLastPointer.x = x;
        pSheet->m_ptLastPointer.y = y;
        m_nDragState = 2;
        if (pDC != NULL)
            DrawDragLine(pDC, bVertical ? x : y, bVertical);
        SetSheetCursor(pSheet->m_nBorderClass);
    }
    else
        m_nDragState = 1;
    if (m_hWnd != NULL)
        SetCapture();
}

BOOL CTallyformView::IsManualPageBreakEditing() const
{
    CSheet* pSheet = GetSheet();
    return pSheet != NULL && m_bShowPageBreaks && pSheet->m_nPageLayout == 2;
}

void CTallyformView::SetSheetCursor(int nHover)
{
    HINSTANCE hInstance = ::GetModuleHandleA(NULL);
    HCURSOR hCursor = NULL;
    switch (nHover)
    {
    case HIT_VERTICAL_BORDER:
        hCursor = ::LoadCursorA(hInstance, MAKEINTRESOURCEA(IDC_CURSOR_MOVE_VERTICAL));
        if (hCursor == NULL)
            hCursor = ::LoadCursorA(NULL, IDC_SIZEWE);
        break;
    case HIT_HORIZONTAL_BORDER:
        hCursor = ::LoadCursorA(hInstance, MAKEINTRESOURCEA(IDC_CURSOR_MOVE_HORIZONTAL));
        if (hCursor == NULL)
            hCursor = ::LoadCursorA(NULL, IDC_SIZENS);
        break;
    case HIT_INSIDE_DATA:
        hCursor = ::LoadCursorA(hInstance, MAKEINTRESOURCEA(IDC_CURSOR_PICK_CELL));
        if (hCursor == NULL)
            hCursor = ::LoadCursorA(NULL, IDC_CROSS);
        break;
    default:
        break;
    }
    if (hCursor == NULL)
        hCursor = ::LoadCursorA(NULL, IDC_ARROW);
    m_hCursor = hCursor;
    ::SetCursor(hCursor);
}

BOOL CTallyformView::OnSetCursor(CWnd*, UINT nHitTest, UINT)
{
    if (nHitTest == HTCLIENT && m_hCursor != NULL)
    {
        ::SetCursor(m_hCursor);
        return TRUE;
    }
    return (BOOL)Default();
}

CSheet* CTallyformView::GetPressedSheet(CPoint ptClient, CPoint& ptSheet)
{
    CSheet* pSheet = GetSheet();
    if (pSheet == NULL || pSheet->m_cells.GetSize() == 0)
        return NULL;
    ptSheet = ClientToSheet(ptClient);
    return IsInside(pSheet->m_rcBounds, ptSheet, kPressMargin) ? pSheet : NULL;
}

void CTallyformView::OnLButtonDown(UINT nFlags, CPoint point)
{
    CPoint pt;
    CSheet* pSheet = GetPressedSheet(point, pt);
    if (pSheet == NULL)
        return;
    if (!pSheet->m_bDesignMode)
    {
#ifdef EDITOR_BUILD
        // The editor, in its one mode, sets manual page breaks by dragging.
        if (IsManualPageBreakEditing())
        {
            SetFocus();
            OnPageBreakButtonDown(pt);
            Default();
            return;
        }
#endif
        // A click on the sheet takes the keyboard from a bar's control
        // (the zoom combo), whether or not it opens an editor.
        SetFocus();
        RunModeClick(nFlags, pt);
        Default();
        return;
    }
    SetFocus();
    if (IsManualPageBreakEditing())
        OnPageBreakButtonDown(pt);
    else if (nFlags & MK_SHIFT)
    {
        // The band from the last anchor to this point becomes the selection.
        m_nDragState = 1;
        LPARAM lParam = MAKELPARAM(point.x, point.y);
        SendMessage(WM_MOUSEMOVE, MK_LBUTTON, lParam);
        SendMessage(WM_LBUTTONUP, 0, lParam);
        return;
    }
    else if (nFlags & MK_CONTROL)
        ToggleCellSelection(pt);
    else
        DesignModeClick(nFlags, pt);
    if (m_bCellPickMode)
        m_bPickPressed = TRUE;
    Default();
}

void CTallyformView::DesignModeClick(UINT, CPoint ptSheet)
{
    CSheet* pSheet = GetSheet();
    if (pSheet == NULL)
        return;
    pSheet->m_ptLastPointer = ptSheet;
    if (!IsBorderClass(pSheet->m_nBorderClass))
    {
        ClearSelection();
        int n = HitTestCell(ptSheet.x, ptSheet.y);
        StartBorderDrag(pSheet, ptSheet.x, ptSheet.y, NULL);
        if (n < 0)
            return;
        SelectSingleCell(n);
        const CCell& cell = pSheet->m_cells[n];
        if (cell.m_nType == CELL_TEXT && !cell.m_bDynamic)
            OpenCellEditor(n);
        return;
    }
    CollectBorderCells(ptSheet.x, ptSheet.y);
    CClientDC dc(this);
    OnPrepareDC(&dc);
    StartBorderDrag(pSheet, ptSheet.x, ptSheet.y, &dc);
}

void CTallyformView::RunModeClick(UINT, CPoint ptSheet)
{
    CSheet* pSheet = GetSheet();
    if (pSheet == NULL)
        return;
    int n = HitTestCell(ptSheet.x, ptSheet.y);
    if (n < 0)
        return;
    const CCell& cell = pSheet->m_cells[n];
    if (cell.m_nType == CELL_NORMAL || cell.m_nType == CELL_PICTURE ||
        (cell.m_nType == CELL_TEXT && !cell.m_bDynamic))
        return;
    SetFocus();
    pSheet->m_ptLastPointer = ptSheet;
    m_nDragState = 1;
    ClearSelection();
    SelectSingleCell(n);
    SetCapture();
    // Calculate cells and the cells the database computes show results.
    if (cell.m_nType != CELL_FORMULA && !pSheet->IsComputedByDatabase(cell))
        OpenCellEditor(n);
}

void CTallyformView::ToggleCellSelection(CPoint ptSheet)
{
    CSheet* pSheet = GetSheet();
    int n = HitTestCell(ptSheet.x, ptSheet.y);
    if (pSheet == NULL || n < 0)
        return;
    if (pSheet->m_arrSel.GetSize() == 0)
    {
        SelectSingleCell(n);
        return;
    }
    CClientDC dc(this);
    OnPrepareDC(&dc);
    for (INT_PTR i = 0; i < pSheet->m_arrSel.GetSize(); ++i)
    {
        if ((int)pSheet->m_arrSel[i] != n)
            continue;
        // The current cell loses its frame by a plain redraw, the others
        // their inversion by a second one; the current index stays.
        if (n == pSheet->m_nCurCell)
            RedrawCell(&dc, n);
        else
            DrawCellMark(&dc, n);
        pSheet->m_arrSel.RemoveAt(i);
        return;
    }
    pSheet->m_arrSel.Add((UINT)n);
    DrawCellMark(&dc, n);
}

void CTallyformView::TrackSelection(CPoint ptSheet)
{
    CSheet* pSheet = GetSheet();
    if (pSheet == NULL)
        return;
    const POINT& ptAnchor = pSheet->m_ptLastPointer;
    m_rectSelect.SetRect(ptAnchor.x, ptAnchor.y, ptSheet.x, ptSheet.y);
    m_rectSelect.NormalizeRect();
    const CRect rcBand = BandCrossingCells(m_rectSelect);

    CUIntArray arrNew;
    const INT_PTR nCount = pSheet->m_cells.GetSize();
    for (INT_PTR i = 0; i < nCount; ++i)
    {
        RECT rc;
        if (i == pSheet->m_nCurCell ||
            ::IntersectRect(&rc, &pSheet->m_cells[i].m_rect, &rcBand))
            arrNew.Add((UINT)i);
    }

    CClientDC dc(this);
    OnPrepareDC(&dc);
    // Cells that stay selected keep their marks; only the changes are drawn.
    for (INT_PTR i = 0; i < pSheet->m_arrSel.GetSize(); ++i)
    {
        int n = (int)pSheet->m_arrSel[i];
        if (n == pSheet->m_nCurCell || n < 0 || n >= nCount)
            continue;
        BOOL bStays = FALSE;
        for (INT_PTR k = 0; k < arrNew.GetSize() && !bStays; ++k)
            bStays = (int)arrNew[k] == n;
        if (!bStays)
            DrawCellMark(&dc, n);
    }
    for (INT_PTR k = 0; k < arrNew.GetSize(); ++k)
    {
        int n = (int)arrNew[k];
        if (n != pSheet->m_nCurCell && !IsSelectedCell(*pSheet, n))
            DrawCellMark(&dc, n);
    }
    pSheet->m_arrSel.Copy(arrNew);
}

void CTallyformView::OnMouseMove(UINT nFlags, CPoint point)
{
    if (CSheetViewFrame* pChild = GetChildFrameServices())
        pChild->TrackRulerCursor(point);
    CSheet* pSheet = GetSheet();
    if (pSheet == NULL || pSheet->m_cells.GetSize() == 0)
    {
        Default();
        return;
    }
    CPoint pt = ClientToSheet(point);
    if (IsManualPageBreakEditing())
    {
        OnPageBreakMouseMove(nFlags, pt);
        return;
    }
    if (m_nDragState == 1 && (nFlags & MK_LBUTTON))
    {
        CRect rcClient;
        GetClientRect(&rcClient);
        CPoint ptScroll = GetDeviceScrollPosition();
        BOOL bScrolled = FALSE;
        if (point.x > rcClient.right)
            bScrolled |= OnScroll(SB_HORZ, SB_THUMBTRACK, (UINT)(ptScroll.x + kAutoScrollStep));
        else if (point.x < rcClient.left)
            bScrolled |= OnScroll(SB_HORZ, SB_THUMBTRACK,
                                  (UINT)(ptScroll.x > kAutoScrollStep ? ptScroll.x - kAutoScrollStep : 0));
        if (point.y > rcClient.bottom)
            bScrolled |= OnScroll(SB_VERT, SB_THUMBTRACK, (UINT)(ptScroll.y + kAutoScrollStep));
        else if (point.y < rcClient.top)
            bScrolled |= OnScroll(SB_VERT, SB_THUMBTRACK,
                                  (UINT)(ptScroll.y > kAutoScrollStep ? ptScroll.y - kAutoScrollStep : 0));
        if (bScrolled)
        {
            UpdateWindow();
            pt = ClientToSheet(point);
        }
        TrackSelection(pt);
    }
    else if (m_nDragState == 2 && (nFlags & MK_LBUTTON) && IsBorderClass(pSheet->m_nBorderClass))
    {
        BOOL bVertical = pSheet->m_nBorderClass == HIT_VERTICAL_BORDER;
        LONG& nLast = bVertical ? pSheet->m_ptLastPointer.x : pSheet->m_ptLastPointer.y;
        int nPos = bVertical ? pt.x : pt.y;
        if (nPos < m_nDragMin)
            nPos = m_nDragMin;
        if (nPos > m_nDragMax)
            nPos = m_nDragMax;
        CClientDC dc(this);
        OnPrepareDC(&dc);
        DrawDragLine(&dc, nLast, bVertical);
        DrawDragLine(&dc, nPos, bVertical);
        nLast = nPos;
        SetSheetCursor(pSheet->m_nBorderClass);
    }
    if (m_nDragState != 0 || !pSheet->m_bDesignMode)
    {
        Default();
        return;
    }
    int nHover = pSheet->HitTestBorder(pt.x, pt.y);
    if (nHover == HIT_INSIDE_DATA && !(m_bCellPickMode && GetCellPickDialog() != NULL))
        nHover = HIT_NONE;
    if (nHover == HIT_INSIDE_OTHER)
        nHover = HIT_NONE;
    pSheet->m_nBorderClass = nHover;
    SetSheetCursor(nHover);
}

void CTallyformView::OnLButtonUp(UINT nFlags, CPoint point)
{
    int nDragState = m_nDragState;
    if (m_hWnd != NULL && ::GetCapture() == m_hWnd)
        ReleaseCapture();
    CSheet* pSheet = GetSheet();
    if (pSheet == NULL || pSheet->m_cells.GetSize() == 0)
    {
        m_nDragState = 0;
        return;
    }
    CPoint pt = ClientToSheet(point);
    if (IsManualPageBreakEditing())
    {
        // The press took a page break or nothing: no cell border moves.
        OnPageBreakButtonUp(pt);
        m_nDragState = 0;
        Default();
        return;
    }
    if (nDragState == 2 && IsBorderClass(pSheet->m_nBorderClass))
    {
        BOOL bVertical = pSheet->m_nBorderClass == HIT_VERTICAL_BORDER;
        // The release may lie past the range the feedback line was held in.
        int nPos = bVertical ? pt.x : pt.y;
        if (nPos < m_nDragMin)
            nPos = m_nDragMin;
        if (nPos > m_nDragMax)
            nPos = m_nDragMax;
        int nLine = bVertical ? pSheet->m_ptLastPointer.x : pSheet->m_ptLastPointer.y;
        (bVertical ? pt.x : pt.y) = nPos;
        pSheet->m_ptLastPointer = pt;
        m_nDragState = 0;
        {
            CClientDC dc(this);
            OnPrepareDC(&dc);
            DrawDragLine(&dc, nLine, bVertical);
        }
        if (!CanApplyBorderMove(*pSheet, nPos))
        {
            Default();
            Invalidate(TRUE);
            return;
        }
        CMoveBorderAction* pAction = new CMoveBorderAction;
        pAction->Record(pSheet);
        // Taking the move back changes the extent as much as the move did.
        pAction->m_bRecomputeExtent = 1;
        pSheet->AddUndoAction(pAction);
        ApplyBorderMove(*pSheet, nPos);
        pAction->RecordAfter();
        CTallyformDoc* pDoc = GetDocument();
        pDoc->SetModifiedFlag(TRUE);
        UpdateScrollSizes();
        pDoc->UpdateAllViews(NULL);
        if (CSheetViewFrame* pChild = GetChildFrameServices())
            pChild->RedrawRulers(TRUE, TRUE);
        Default();
        return;
    }
    pSheet->m_ptLastPointer = pt;
    m_nDragState = 0;
    if (m_bCellPickMode && m_bPickPressed && pSheet->m_nBorderClass == HIT_INSIDE_DATA)
    {
        CWnd* pDialog = GetCellPickDialog();
        if (pDialog != NULL && pSheet->m_arrSel.GetSize() == 1 &&
            !(nFlags & (MK_CONTROL | MK_SHIFT)))
            pDialog->SendMessage(WM_PICKCELL, 0, MAKELPARAM(point.x, point.y));
        m_bPickPressed = FALSE;
    }
    Default();
}

void CTallyformView::OnLButtonDblClk(UINT, CPoint point)
{
    CSheet* pSheet = GetSheet();
    if (pSheet != NULL && pSheet->m_bDesignMode && !IsManualPageBreakEditing())
    {
        CPoint pt = ClientToSheet(point);
        if (IsInside(pSheet->m_rcBounds, pt, 0))
        {
            int n = HitTestCell(pt.x, pt.y);
            if (n >= 0 && pSheet->m_cells[n].m_nType == CELL_FORMULA)
                EditCellFormula(n);
            else
                OnCellProperties();
        }
    }
    Default();
}

void CTallyformView::OnRButtonDown(UINT, CPoint point)
{
    CPoint pt;
    CSheet* pSheet = GetPressedSheet(point, pt);
    if (pSheet == NULL)
        return;
    if (!pSheet->m_bDesignMode)
    {
        Default();
        return;
    }
    SetFocus();
    int n = HitTestCell(pt.x, pt.y);
    if (n < 0 || !IsSelectedCell(*pSheet, n))
    {
        ClearSelection();
        if (n >= 0)
            SelectSingleCell(n);
    }
    CMenu menu;
    if (!menu.LoadMenu(IDR_SHEET_CONTEXT_MENU))
        return;
    CMenu* pPopup = menu.GetSubMenu(0);
    if (pPopup == NULL)
        return;
    CPoint ptScreen(point);
    ClientToScreen(&ptScreen);
    TrackContextMenu(pPopup, ptScreen);
}

void CTallyformView::TrackContextMenu(CMenu* pPopup, CPoint ptScreen)
{
    // The menu belongs to the first ancestor that is not a child window.
    CWnd* pOwner = this;
    while (pOwner != NULL && (pOwner->GetStyle() & WS_CHILD) && pOwner->GetParent() != NULL)
        pOwner = pOwner->GetParent();
    pPopup->TrackPopupMenu(TPM_LEFTALIGN | TPM_RIGHTBUTTON, ptScreen.x, ptScreen.y, pOwner);
}
