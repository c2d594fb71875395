// Times the sheet view's paint of a 100 x 100 grid (10,000 cells) in a
// 1024 x 768 window at 100 % and 50 % zoom, and the paint of the whole
// sheet (every cell drawn) into an off-screen bitmap at 50 %.
#include <stdio.h>

#include "bench/BenchClock.h"
#include "framework/docview/FrameWnd.h"
#include "sheet/document/TallyformDoc.h"
#include "tests/sheet/SheetGrid.h"
#include "view/TallyformView.h"
#include "bench/SheetViewBenchFrame.h"

namespace
{

const int ROWS = 100;
const int COLS = 100;
const int RUNS = 20;
const double GOAL_MS = 50.0;

class CBenchDoc : public CTallyformDoc
{
public:
    CBenchDoc() { m_bAutoDelete = FALSE; }
};

void MakeSheet(CSheet& sheet)
{
    sheettest::MakeGrid(sheet, ROWS, COLS);
    for (INT_PTR i = 0; i < sheet.m_cells.GetSize(); ++i)
    {
        CCell& cell = sheet.m_cells[i];
        cell.m_nLeftEdge = cell.m_nTopEdge = CELL_LINE_THIN;
        cell.m_crBack = (i % 7) ? RGB(255, 255, 255) : RGB(230, 240, 255);
    }
    sheet.m_nCurCell = -1;
}

// A window repaint is one frame and has the frame goal; a whole-sheet
// paint is for comparison.
void Report(const char* pszWhat, double dMs, BOOL bFrame)
{
    if (bFrame)
        printf("%-40s %8.2f ms  (frame goal %.0f ms: %s)\n", pszWhat, dMs, GOAL_MS,
               dMs < GOAL_MS ? "met" : "missed");
    else
        printf("%-40s %8.2f ms\n", pszWhat, dMs);
}

double TimeWindowRepaint(CTallyformView* pView)
{
    return BenchBestOf(RUNS, [pView]() {
        pView->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW);
        ::GdiFlush();
    });
}

// Every cell of the sheet painted into one bitmap of the scaled sheet.
double TimeWholeSheet(CTallyformView* pView, CSheet& sheet)
{
    int cx = (sheet.m_rcBounds.right * pView->GetZoom()) / 100 + 1;
    int cy = (sheet.m_rcBounds.bottom * pView->GetZoom()) / 100 + 1;
    CClientDC dcScreen(pView);
    CDC dc;
    CBitmap bitmap;
    if (!dc.CreateCompatibleDC(&dcScreen) || !bitmap.CreateCompatibleBitmap(&dcScreen, cx, cy))
        return -1.0;
    CBitmap* pOld = dc.SelectObject(&bitmap);
    CView* pBase = pView;
    double dMs = BenchBestOf(RUNS / 4, [&]() {
        int nSaved = dc.SaveDC();
        pBase->OnPrepareDC(&dc);
        pBase->OnDraw(&dc);
        dc.RestoreDC(nSaved);
        ::GdiFlush();
    });
    dc.SelectObject(pOld);
    return dMs;
}

} // namespace

int main()
{
    CBenchDoc doc;
    MakeSheet(doc.m_sheet);
    CCreateContext context;
    context.m_pNewViewClass = RUNTIME_CLASS(CTallyformView);
    context.m_pCurrentDoc = &doc;
    CFrameWnd* pFrame = new CFrameWnd;
    if (!pFrame->LoadFrame(IDR_SHEETVIEW_BENCH_FRAME, WS_OVERLAPPEDWINDOW, NULL, &context))
    {
        printf("no frame window\n");
        delete pFrame;
        return 1;
    }
    CTallyformView* pView = static_cast<CTallyformView*>(pFrame->GetActiveView());
    RECT rc = { 0, 0, 1024, 768 };
    ::AdjustWindowRectEx(&rc, pFrame->GetStyle(), TRUE, pFrame->GetExStyle());
    pFrame->SetWindowPos(NULL, 0, 0, rc.right - rc.left, rc.bottom - rc.top, SWP_NOZORDER);
    pFrame->ShowWindow(SW_SHOW);
    pView->OnInitialUpdate();
    pFrame->UpdateWindow();

    printf("Sheet view paint, %d cells, best of %d\n", ROWS * COLS, RUNS);
    Report("window 1024 x 768 at 100 %", TimeWindowRepaint(pView), TRUE);
    pView->SetZoom(50);
    pView->UpdateScrollSizes();
    Report("window 1024 x 768 at 50 %", TimeWindowRepaint(pView), TRUE);
    Report("whole sheet (all cells) at 50 %", TimeWholeSheet(pView, doc.m_sheet), FALSE);
    pView->SetZoom(25);
    pView->UpdateScrollSizes();
    Report("whole sheet (all cells) at 25 %", TimeWholeSheet(pView, doc.m_sheet), FALSE);

    pFrame->DestroyWindow();
    return 0;
}
