// The sheet view's printing: the page layout for the job's printer, and
// each page printed with the header band repeated above it (pages after
// the first row) and the tail band below it (pages before the last row).
#include "view/TallyformView.h"

#include "framework/docview/PrintInfo.h"
#include "framework/windows/Dc.h"
#include "sheet/PageLayout.h"
#include "sheet/document/TallyformDoc.h"

BOOL CTallyformView::OnPreparePrinting(CPrintInfo* pInfo)
{
    // The print dialog offers the pages of the default printer; the job
    // counts them again for the printer chosen.  Without a printer or room
    // on its paper the user has been told why, and there is nothing to
    // choose from.  Direct printing and the preview count their own pages.
    if (!pInfo->m_bDirect && !pInfo->m_bPreview)
    {
        if (!RecomputePageBreaks())
            return FALSE;
        if (GetPageCount() > 0)
            pInfo->SetMaxPage((UINT)GetPageCount());
    }
    return DoPreparePrinting(pInfo);
}

void CTallyformView::OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo)
{
    // A page with no room prints nothing; the user has been told why.
    if (!UpdatePageMetrics(pDC) || !ComputePageBreaks())
    {
        pInfo->m_bContinuePrinting = FALSE;
        return;
    }
    pInfo->SetMaxPage((WORD)GetPageCount());
}

void CTallyformView::OnPrint(CDC* pDC, CPrintInfo* pInfo)
{
    CSheet* pSheet = GetSheet();
    int nPage = (int)pInfo->m_nCurPage;
    if (pSheet == NULL || nPage < 1 || nPage > GetPageCount())
        return;
    int cxPrinter = pDC->GetDeviceCaps(LOGPIXELSX);
    int cyPrinter = pDC->GetDeviceCaps(LOGPIXELSY);
    int cxScreen = 96, cyScreen = 96;
    if (m_hWnd != NULL)
    {
        CClientDC dcScreen(this);
        cxScreen = dcScreen.GetDeviceCaps(LOGPIXELSX);
        cyScreen = dcScreen.GetDeviceCaps(LOGPIXELSY);
    }
    CSize sizeMargin((int)pSheet->m_dwMarginLeft, (int)pSheet->m_dwMarginTop);
    pDC->DPtoLP(&sizeMargin);
    pDC->OffsetWindowOrg(-sizeMargin.cx, -sizeMargin.cy);

    const BOOL bPreview = pInfo->m_bPreview;
    const CRect rcPage = m_arrPages[nPage - 1];
    const int nCols = (int)pSheet->m_arrBreaksB.GetSize();
    const int nHeader = pSheet->m_nHeaderBand;
    const int nBandTop = pSheet->m_rcBounds.bottom - pSheet->m_nTailBand;
    const int x = ::MulDiv(rcPage.left, cxPrinter, cxScreen);
    const int y = ::MulDiv(rcPage.top, cyPrinter, cyScreen);
    if (nPage > nCols)
    {
        int nSaved = pDC->SaveDC();
        pDC->SetViewportOrg(-x, 0);
        CRect rcHeader(rcPage.left, 0, rcPage.right, nHeader);
        DrawCellsInRect(pDC, &rcHeader, bPreview);
        pDC->RestoreDC(nSaved);
        pDC->OffsetWindowOrg(0, -nHeader);
    }
    pDC->SetViewportOrg(-x, -y);
    {
        int nSaved = pDC->SaveDC();
        CRect rcBody(rcPage);
        WidenPageForBorders(*pSheet, rcBody);
        DrawCellsInRect(pDC, &rcBody, bPreview);
        pDC->RestoreDC(nSaved);
    }
    if (nPage <= GetPageCount() - nCols)
    {
        int nSaved = pDC->SaveDC();
        pDC->OffsetWindowOrg(0, rcPage.top - rcPage.bottom);
        pDC->SetViewportOrg(-x, -::MulDiv(nBandTop, cyPrinter, cyScreen));
        CRect rcTail(rcPage.left, nBandTop, rcPage.right, pSheet->m_rcBounds.bottom);
        DrawCellsInRect(pDC, &rcTail, bPreview);
        pDC->RestoreDC(nSaved);
    }
    pDC->SetWindowOrg(0, 0);
}

void CTallyformView::OnEndPrinting(CDC*, CPrintInfo*)
{
}
