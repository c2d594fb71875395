// The sheet view's page metrics and page breaks: the printable page from
// the printer, the break computation and the page table, the break lines
// on the screen, and the commands Show Page Break, Set Page Break and
// File > Page Setup.
#include "view/TallyformView.h"

#include "framework/core/MessageSink.h"
#include "framework/docview/WinApp.h"
#include "framework/windows/CmdUI.h"
#include "framework/windows/DevNames.h"
#include "framework/windows/GdiObject.h"
#include "framework/windows/PageSetupDialog.h"
#include "framework/windows/PrintDialog.h"
#include "framework/windows/ScopedGdi.h"
#include "sheet/CellPainter.h"
#include "sheet/PageLayout.h"
#include "sheet/document/TallyformDoc.h"
#include "view/PageSetupDlg.h"
#include "SheetViewIds.h"

namespace {

// A margin in hundredths of a millimetre as printer pixels from the edge
// of the printable area; the physical offset itself when it lies inside it.
int MarginToDevice(int nMargin, int nPixelsPerInch, int nOffset)
{
    int nDevice = (int)(nPixelsPerInch * nMargin * 0.001 * 0.3937007874 + 0.5) - nOffset;
    return nDevice < 0 ? nOffset : nDevice;
}

// A page-break line under the pointer (the hover kinds of a line).
BOOL IsLineClass(LONG nClass)
{
    return nClass == HIT_VERTICAL_BORDER || nClass == HIT_HORIZONTAL_BORDER;
}

void ShowNoRoomMessage()
{
    CString strText;
    if (!strText.LoadString(IDS_PAGE_NO_ROOM))
        strText = "The page has no room to print.";
    AfxMessageBox(strText, MB_OK | MB_ICONEXCLAMATION);
}

} // namespace

BOOL CTallyformView::UpdatePageMetrics(CDC* pPrinterDC)
{
    CSheet* pSheet = GetSheet();
    if (pSheet == NULL)
        return FALSE;
    CDC dcDefault;
    if (pPrinterDC == NULL)
    {
        CPrintDialog dlg(FALSE, PD_ALLPAGES | PD_NOSELECTION | PD_NOPAGENUMS |
                                    PD_USEDEVMODECOPIES | PD_HIDEPRINTTOFILE);
        CWinApp* pApp = AfxGetApp();
        HDC hDC = pApp != NULL && pApp->GetPrinterDeviceDefaults(&dlg.m_pd)
            ? AfxCreateDCFromDevNames(dlg.m_pd.hDevNames, dlg.m_pd.hDevMode) : NULL;
        if (hDC == NULL)
        {
            AfxMessageNoPrinter();
            return FALSE;
        }
        dcDefault.Attach(hDC);
        dcDefault.m_bPrinting = TRUE;
        pPrinterDC = &dcDefault;
    }
    int cxInch = pPrinterDC->GetDeviceCaps(LOGPIXELSX);
    int cyInch = pPrinterDC->GetDeviceCaps(LOGPIXELSY);
    int cxOffset = pPrinterDC->GetDeviceCaps(PHYSICALOFFSETX);
    int cyOffset = pPrinterDC->GetDeviceCaps(PHYSICALOFFSETY);
    int nLeft = MarginToDevice(m_rectMargins.left, cxInch, cxOffset);
    int nRight = MarginToDevice(m_rectMargins.right, cxInch, cxOffset);
    int nTop = MarginToDevice(m_rectMargins.top, cyInch, cyOffset);
    int nBottom = MarginToDevice(m_rectMargins.bottom, cyInch, cyOffset);
    pSheet->m_dwMarginLeft = (DWORD)nLeft;
    pSheet->m_dwMarginRight = (DWORD)nRight;
    pSheet->m_dwMarginTop = (DWORD)nTop;
    pSheet->m_dwMarginBottom = (DWORD)nBottom;

    OnPrepareDC(pPrinterDC, NULL);
    CSize size(pPrinterDC->GetDeviceCaps(HORZRES) - nLeft - nRight,
               pPrinterDC->GetDeviceCaps(VERTRES) - nTop - nBottom);
    BOOL bRoom = size.cx > 0 && size.cy > 0;
    if (bRoom)
        pPrinterDC->DPtoLP(&size);
    size.cy -= pSheet->m_nTailBand + pSheet->m_nHeaderBand;
    if (!bRoom || size.cx < 1 || size.cy < 1)
    {
        ShowNoRoomMessage();
        return FALSE;
    }
    m_sizePrintPage = size;
    return TRUE;
}

BOOL CTallyformView::ComputePageBreaks()
{
    CSheet* pSheet = GetSheet();
    if (pSheet == NULL || !ComputeSheetPageBreaks(*pSheet, m_sizePrintPage))
        return FALSE;
    BuildPageTable(*pSheet, m_arrPages);
    return TRUE;
}

BOOL CTallyformView::RecomputePageBreaks()
{
    return UpdatePageMetrics(NULL) && ComputePageBreaks();
}

int CTallyformView::HitTestPageBreak(int x, int y)
{
    CSheet* pSheet = GetSheet();
    if (pSheet == NULL)
        return -1;
    for (INT_PTR j = 1; j < pSheet->m_arrBreaksB.GetSize(); ++j)
        if ((int)pSheet->m_arrBreaksB[j] == x)
        {
            m_nDragPageBreakCol = (int)j;
            return 0;
        }
    for (INT_PTR i = 1; i < pSheet->m_arrBreaksA.GetSize(); ++i)
        if ((int)pSheet->m_arrBreaksA[i] == y)
        {
            m_nDragPageBreakRow = (int)i;
            return 1;
        }
    return -1;
}

void CTallyformView::DrawCellsInRect(CDC* pDC, const RECT* pRect, BOOL bOneByOne)
{
    CSheet* pSheet = GetSheet();
    if (pSheet == NULL || pRect == NULL)
        return;
    pDC->IntersectClipRect(pRect);
    const CCellArray& cells = pSheet->m_cells;
    CCellPainter painter(*pSheet, pDC);
    RECT rc;
    for (INT_PTR i = 0; i < cells.GetSize(); ++i)
        if (::IntersectRect(&rc, &cells[i].m_rect, pRect))
        {
            painter.DrawCell(cells[i]);
            if (bOneByOne)
                painter.DrawCellBorder(cells[i], m_bShowCellFrame);
        }
    if (bOneByOne)
        return;
    for (INT_PTR i = 0; i < cells.GetSize(); ++i)
        if (::IntersectRect(&rc, &cells[i].m_rect, pRect))
            painter.DrawCellBorder(cells[i], m_bShowCellFrame);
}

void CTallyformView::DrawPageBreaks(CDC* pDC)
{
    CSheet* pSheet = GetSheet();
    if (pSheet == NULL || m_hWnd == NULL)
        return;
    const CDWordArray& rows = pSheet->m_arrBreaksA;
    const CDWordArray& cols = pSheet->m_arrBreaksB;
    CPen pen;
    if (!pen.CreatePen(PS_SOLID, 2, RGB(0, 0, 255)))
        return;
    CScopedSelectObject select(*pDC, pen);
    COLORREF crOld = pDC->SetTextColor(RGB(0, 0, 255));
    int nOldBk = pDC->SetBkMode(TRANSPARENT);
    CSize sizeLabel = pDC->GetTextExtent(CString("page no"));
    CRect rcClient;
    GetClientRect(&rcClient);
    ConvertPoints(reinterpret_cast<POINT*>(&rcClient), 2, TRUE);
    const INT_PTR nCols = cols.GetSize();
    for (INT_PTR i = 1; i < rows.GetSize(); ++i)
    {
        int y = (int)rows[i];
        pDC->MoveTo(rcClient.left, y);
        pDC->LineTo(rcClient.right, y);
        for (INT_PTR j = 0; j < nCols; ++j)
        {
            int nEnd = j + 1 < nCols ? (int)cols[j + 1] : pSheet->m_rcBounds.right;
            int cx = ((int)cols[j] - sizeLabel.cx + nEnd) / 2;
            CString strAbove, strBelow;
            strAbove.Format("%d", (int)((i - 1) * nCols + j + 1));
            strBelow.Format("%d", (int)(i * nCols + j + 1));
            pDC->TextOut(cx, y - sizeLabel.cy - 2, strAbove);
            pDC->TextOut(cx, y + 2, strBelow);
        }
    }
    for (INT_PTR j = 1; j < nCols; ++j)
    {
        pDC->MoveTo((int)cols[j], rcClient.top);
        pDC->LineTo((int)cols[j], rcClient.bottom);
    }
    pDC->SetBkMode(nOldBk);
    pDC->SetTextColor(crOld);
}

void CTallyformView::OnShowPageBreak()
{
    m_bShowPageBreaks = !m_bShowPageBreaks;
    // Without a page to lay out on, the breaks stay hidden.
    if (m_bShowPageBreaks && !RecomputePageBreaks())
        m_bShowPageBreaks = FALSE;
    if (m_hWnd != NULL)
    {
        Invalidate(TRUE);
        UpdateWindow();
    }
}

void CTallyformView::OnUpdateShowPageBreak(CCmdUI* pCmdUI)
{
    pCmdUI->SetCheck(m_bShowPageBreaks ? 1 : 0);
}

void CTallyformView::OnSetPageBreak()
{
    CSheet* pSheet = GetSheet();
    if (pSheet == NULL)
        return;
    if (pSheet->m_nPageLayout < PAGE_LAYOUT_GENERAL || pSheet->m_nPageLayout > PAGE_LAYOUT_MANUAL)
    {
        // The breaks the mode starts from, should the user pick Manual.
        pSheet->m_nPageLayout = PAGE_LAYOUT_OPTIMIZE;
        RecomputePageBreaks();
    }
    CPageSetupDlg dlg(this);
    dlg.m_nMode = (int)pSheet->m_nPageLayout;
    if (dlg.DoModal() == IDOK)
        pSheet->m_nPageLayout = dlg.m_nMode;
    if (m_bShowPageBreaks)
    {
        if (!RecomputePageBreaks())
            m_bShowPageBreaks = FALSE;
        if (m_hWnd != NULL)
        {
            Invalidate(TRUE);
            UpdateWindow();
        }
    }
}

void CTallyformView::OnPageSetup()
{
    CSheet* pSheet = GetSheet();
    CWinApp* pApp = AfxGetApp();
    PRINTDLGA pd = {};
    if (pSheet == NULL)
        return;
    if (pApp == NULL || !pApp->GetPrinterDeviceDefaults(&pd))
    {
        AfxMessageNoPrinter();
        return;
    }
    // The margins are always hundredths of a millimetre, whatever the locale measures in.
    CPageSetupDialog dlg(PSD_MARGINS | PSD_INHUNDREDTHSOFMILLIMETERS);
    dlg.m_psd.rtMargin = m_rectMargins;
    if (pSheet->m_dwPageSetting1 != 0 && pSheet->m_dwPageSetting2 != 0)
    {
        dlg.m_psd.ptPaperSize.x = (LONG)pSheet->m_dwPageSetting1;
        dlg.m_psd.ptPaperSize.y = (LONG)pSheet->m_dwPageSetting2;
    }
    dlg.m_psd.hDevNames = AfxCopyGlobalBlock(pd.hDevNames);
    dlg.m_psd.hDevMode = AfxCopyGlobalBlock(pd.hDevMode);
    if (dlg.DoModal() != IDOK)
    {
        if (dlg.m_psd.hDevNames != NULL)
            ::GlobalFree(dlg.m_psd.hDevNames);
        if (dlg.m_psd.hDevMode != NULL)
            ::GlobalFree(dlg.m_psd.hDevMode);
        return;
    }
    pApp->SelectPrinter(dlg.m_psd.hDevNames, dlg.m_psd.hDevMode);
    pApp->UpdatePrinterSelection(FALSE);
    dlg.GetMargins(&m_rectMargins, NULL);
#ifndef EDITOR_BUILD
    // The paper size belongs to the template, which only the designer changes.
    CSize sizePaper = dlg.GetPaperSize();
    pSheet->m_dwPageSetting1 = (DWORD)sizePaper.cx;
    pSheet->m_dwPageSetting2 = (DWORD)sizePaper.cy;
    GetDocument()->SetModifiedFlag(TRUE);
#endif

    // Manual breaks give way to optimized ones, for the user to adjust.
    LONG nMode = pSheet->m_nPageLayout;
    if (nMode == PAGE_LAYOUT_MANUAL)
        pSheet->m_nPageLayout = PAGE_LAYOUT_OPTIMIZE;
    BOOL bLaidOut = RecomputePageBreaks();
    if (nMode == PAGE_LAYOUT_MANUAL)
        pSheet->m_nPageLayout = PAGE_LAYOUT_MANUAL;
    if (m_bShowPageBreaks)
    {
        if (!bLaidOut)
            m_bShowPageBreaks = FALSE;
        if (m_hWnd != NULL)
        {
            Invalidate(TRUE);
            UpdateWindow();
        }
    }
}

void CTallyformView::OnPageBreakMouseMove(UINT, CPoint ptSheet)
{
    CSheet* pSheet = GetSheet();
    if (m_nDragState == 0)
    {
        int nHover = HitTestPageBreak(ptSheet.x, ptSheet.y);
        pSheet->m_nBorderClass = nHover;
        SetSheetCursor(nHover);
    }
    else if (m_nDragState == 2 && IsLineClass(pSheet->m_nBorderClass))
    {
        BOOL bVertical = pSheet->m_nBorderClass == HIT_VERTICAL_BORDER;
        const CDWordArray& starts = bVertical ? pSheet->m_arrBreaksB : pSheet->m_arrBreaksA;
        int nIndex = bVertical ? m_nDragPageBreakCol : m_nDragPageBreakRow;
        if (nIndex >= 1 && nIndex < starts.GetSize())
        {
            // The line stays between a minimum page and a whole page below the break before it.
            int nBefore = (int)starts[nIndex - 1];
            int nMin = bVertical ? 80 : 30;
            int nMax = bVertical ? m_sizePrintPage.cx : m_sizePrintPage.cy;
            CPoint pt = ptSheet;
            int& nPos = bVertical ? pt.x : pt.y;
            if (nPos > nBefore)
            {
                if (nPos - nBefore < nMin)
                    nPos = nBefore + nMin;
                else if (nPos - nBefore > nMax)
                    nPos = nBefore + nMax;
                else
                    SnapToCellEdge(&pt, !bVertical, 5);
                LONG& nLast = bVertical ? pSheet->m_ptLastPointer.x : pSheet->m_ptLastPointer.y;
                if (nPos != nLast)
                {
                    CClientDC dc(this);
                    OnPrepareDC(&dc);
                    DrawDragLine(&dc, nLast, bVertical);
                    DrawDragLine(&dc, nPos, bVertical);
                    nLast = nPos;
                }
            }
        }
        SetSheetCursor(pSheet->m_nBorderClass);
    }
    Default();
}

void CTallyformView::OnPageBreakButtonDown(CPoint ptSheet)
{
    CClientDC dc(this);
    OnPrepareDC(&dc);
    StartBorderDrag(GetSheet(), ptSheet.x, ptSheet.y, &dc);
}

void CTallyformView::OnPageBreakButtonUp(CPoint ptSheet)
{
    CSheet* pSheet = GetSheet();
    if (m_nDragState != 2 || !IsLineClass(pSheet->m_nBorderClass))
        return;
    BOOL bVertical = pSheet->m_nBorderClass == HIT_VERTICAL_BORDER;
    CDWordArray& starts = bVertical ? pSheet->m_arrBreaksB : pSheet->m_arrBreaksA;
    int nIndex = bVertical ? m_nDragPageBreakCol : m_nDragPageBreakRow;
    int nEnd = bVertical ? pSheet->m_rcBounds.right : pSheet->m_rcBounds.bottom;
    int nPage = bVertical ? m_sizePrintPage.cx : m_sizePrintPage.cy;
    // The line as last shown (held within a page); a release at or beyond
    // the sheet's edge takes the dragged break away.
    int nLine = bVertical ? pSheet->m_ptLastPointer.x : pSheet->m_ptLastPointer.y;
    int nRelease = bVertical ? ptSheet.x : ptSheet.y;
    {
        CClientDC dc(this);
        OnPrepareDC(&dc);
        DrawDragLine(&dc, nLine, bVertical);
    }
    if (DropPageBreak(starts, nIndex, nRelease >= nEnd ? nRelease : nLine, nEnd, nPage))
    {
        BuildPageTable(*pSheet, m_arrPages);
        GetDocument()->SetModifiedFlag(TRUE);
    }
    SetSheetCursor(pSheet->m_nBorderClass);
    Invalidate(TRUE);
    UpdateWindow();
}
