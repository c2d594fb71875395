// Times the page layout and printing of the sheet view: the page breaks of
// a 100 x 100 grid (10,000 bordered cells), each print preview page of it
// recorded and drawn, and a 20-page sheet printed to the default printer
// until the spooler has the job.
#include <stdio.h>

#include "bench/BenchClock.h"
#include "bench/BenchDoc.h"
#include "framework/docview/FrameWnd.h"
#include "framework/docview/PreviewView.h"
#include "framework/docview/StandardCommands.h"
#include "framework/docview/WinApp.h"
#include "sheet/PageLayout.h"
#include "sheet/document/TallyformDoc.h"
#include "tests/sheet/SheetGrid.h"
#include "view/TallyformView.h"
#include "bench/SheetViewBenchFrame.h"

namespace
{

const int RUNS = 20;
const double BREAKS_GOAL_MS = 50.0;
const double PREVIEW_GOAL_MS = 100.0;
const double PRINT_GOAL_MS = 3000.0;

void MakeSheet(CSheet& sheet, int rows, int cols)
{
    sheettest::MakeGrid(sheet, rows, cols);
    for (INT_PTR i = 0; i < sheet.m_cells.GetSize(); ++i)
        sheet.m_cells[i].m_nLeftEdge = sheet.m_cells[i].m_nTopEdge = CELL_LINE_THIN;
    sheet.m_nCurCell = -1;
    sheet.m_nHeaderBand = 30;
    sheet.m_nTailBand = 30;
    sheet.m_nPageLayout = PAGE_LAYOUT_OPTIMIZE;
}

void Report(const char* pszWhat, double dMs, double dGoal)
{
    printf("%-48s %9.2f ms  (goal %.0f ms: %s)\n", pszWhat, dMs, dGoal,
           dMs < dGoal ? "met" : "missed");
}

} // namespace

int main()
{
    CWinApp app("PrintBench");
    CBenchDoc doc;
    MakeSheet(doc.m_sheet, 100, 100);
    CFrameWnd* pFrame = OpenBenchViewFrame(doc);
    if (pFrame == NULL)
        return 1;
    app.m_pMainWnd = pFrame;
    CTallyformView* pView = static_cast<CTallyformView*>(pFrame->GetActiveView());
    pFrame->SetWindowPos(NULL, 0, 0, 1024, 768, SWP_NOZORDER);
    pFrame->ShowWindow(SW_SHOW);
    pView->OnInitialUpdate();
    pFrame->UpdateWindow();

    printf("Page breaks of %d cells (Optimize), best of %d\n", (int)doc.m_sheet.m_cells.GetSize(), RUNS);
    CArray<CRect, const CRect&> pages;
    Report("breaks and page table, page 700 x 900", BenchBestOf(RUNS, [&]() {
        ComputeSheetPageBreaks(doc.m_sheet, CSize(700, 900));
        BuildPageTable(doc.m_sheet, pages);
    }), BREAKS_GOAL_MS);
    if (!pView->UpdatePageMetrics(NULL))
    {
        printf("no printer: the preview and printing times need one (scripts/bench-print.sh)\n");
        pFrame->DestroyWindow();
        return 1;
    }
    Report("page metrics from the printer, breaks, table", BenchBestOf(RUNS, [&]() {
        pView->UpdatePageMetrics(NULL);
        pView->ComputePageBreaks();
    }), BREAKS_GOAL_MS);
    printf("  %d pages of %d x %d units\n", pView->GetPageCount(), (int)pView->m_sizePrintPage.cx,
           (int)pView->m_sizePrintPage.cy);

    // Each preview page: recorded through the view's printing and drawn at
    // the window's size, the slowest page reported.
    CPreviewView* pPreview = new CPreviewView;
    if (pPreview->Open(pView))
    {
        CClientDC dcScreen(pPreview);
        CDC dc;
        CBitmap bitmap;
        dc.CreateCompatibleDC(&dcScreen);
        bitmap.CreateCompatibleBitmap(&dcScreen, 1024, 768);
        CBitmap* pOld = dc.SelectObject(&bitmap);
        double dWorst = 0.0, dTotal = 0.0;
        UINT nWorst = 0;
        UINT nPages = pPreview->GetPageCount();
        for (UINT nPage = 1; nPage <= nPages; ++nPage)
        {
            double t0 = BenchNowMs();
            pPreview->DrawPage(&dc, nPage, CRect(10, 40, 10 + 520, 40 + 720));
            ::GdiFlush();
            double dMs = BenchNowMs() - t0;
            dTotal += dMs;
            if (dMs > dWorst)
            {
                dWorst = dMs;
                nWorst = nPage;
            }
        }
        dc.SelectObject(pOld);
        printf("Print preview, %u pages\n", nPages);
        Report("slowest page, first drawing (recorded + drawn)", dWorst, PREVIEW_GOAL_MS);
        printf("  %-46s %9u\n", "slowest page number", nWorst);
        printf("  %-46s %9.2f ms\n", "mean page", nPages != 0 ? dTotal / nPages : 0.0);
        pPreview->SendMessage(WM_COMMAND, MAKEWPARAM(CPreviewView::IDC_PREVIEW_CLOSE, BN_CLICKED), 0);
    }
    else
        delete pPreview;

    // A sheet of 20 pages: one page wide, twenty pages high, no bands.
    MakeSheet(doc.m_sheet, 1, 1);
    doc.m_sheet.m_nHeaderBand = doc.m_sheet.m_nTailBand = 0;
    pView->UpdatePageMetrics(NULL);
    int nRows = 20 * pView->m_sizePrintPage.cy / 30 - 2;
    MakeSheet(doc.m_sheet, nRows, 1);
    doc.m_sheet.m_nPageLayout = PAGE_LAYOUT_GENERAL;
    doc.m_sheet.m_nHeaderBand = doc.m_sheet.m_nTailBand = 0;
    pView->UpdateScrollSizes();
    double t0 = BenchNowMs();
    pView->SendMessage(WM_COMMAND, MAKEWPARAM(ID_FILE_PRINT_DIRECT, 0), 0);
    double dPrint = BenchNowMs() - t0;
    printf("Printing, %d pages\n", pView->GetPageCount());
    Report("print direct until the spooler has the job", dPrint, PRINT_GOAL_MS);

    pFrame->DestroyWindow();
    return 0;
}
