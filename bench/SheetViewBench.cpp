// Times the sheet view's paint of a 100 x 100 grid (10,000 cells) in a
// 1024 x 768 window at 100 % and 50 % zoom, each beside a bare GDI loop that
// paints the same visible cells the same way, and the paint of the whole
// sheet (every cell drawn) into an off-screen bitmap at 50 % and 25 %.
#include <stdio.h>
#include <string.h>

#include "bench/BenchClock.h"
#include "bench/BenchDoc.h"
#include "framework/docview/FrameWnd.h"
#include "sheet/document/TallyformDoc.h"
#include "tests/sheet/SheetGrid.h"
#include "view/TallyformView.h"
#include "bench/SheetViewBenchFrame.h"

namespace
{

const int ROWS = 100;
const int COLS = 100;
const int CELL_CX = 80;
const int CELL_CY = 30;
const int RUNS = 20;
const double GOAL_RATIO = 1.5;

// The cells' font: 12-pixel Arial.
LOGFONTA CellFont()
{
    LOGFONTA lf = CCell::DefaultFont();
    lf.lfHeight = -12;
    lf.lfWidth = 0;
    lf.lfWeight = FW_NORMAL;
    strcpy(lf.lfFaceName, "Arial");
    return lf;
}

void MakeSheet(CSheet& sheet)
{
    sheettest::MakeGrid(sheet, ROWS, COLS, CELL_CX, CELL_CY);
    const LOGFONTA lf = CellFont();
    for (INT_PTR i = 0; i < sheet.m_cells.GetSize(); ++i)
    {
        CCell& cell = sheet.m_cells[i];
        cell.m_logFont = lf;
        cell.m_nLeftEdge = cell.m_nTopEdge = CELL_LINE_THIN;
        cell.m_crBack = (i % 7) ? RGB(255, 255, 255) : RGB(230, 240, 255);
    }
    sheet.m_nCurCell = -1;
}

// The visible cells of the grid painted with bare GDI calls, as the view
// paints them: a memory DC of the paint area mapped at the zoom, each cell's
// background, thin left and top edges and its name centred in the cells'
// font, one blit.  The font and the pen are made once, the visible cells
// are worked out from the grid's geometry.
void BarePaint(HWND hWnd, const CSheet& sheet, int nZoom)
{
    RECT rcClient;
    ::GetClientRect(hWnd, &rcClient);
    HDC hdcWindow = ::GetDC(hWnd);
    HDC hdc = ::CreateCompatibleDC(hdcWindow);
    HBITMAP hBitmap = ::CreateCompatibleBitmap(hdcWindow, rcClient.right, rcClient.bottom);
    HGDIOBJ hOldBitmap = ::SelectObject(hdc, hBitmap);
    ::PatBlt(hdc, 0, 0, rcClient.right, rcClient.bottom, WHITENESS);
    ::SetMapMode(hdc, MM_ISOTROPIC);
    ::SetWindowExtEx(hdc, 100, 100, NULL);
    ::SetViewportExtEx(hdc, nZoom, nZoom, NULL);
    const LOGFONTA lf = CellFont();
    HFONT hFont = ::CreateFontIndirectA(&lf);
    HPEN hPen = ::CreatePen(PS_SOLID, 1, RGB(0, 0, 0));
    HGDIOBJ hOldFont = ::SelectObject(hdc, hFont);
    HGDIOBJ hOldPen = ::SelectObject(hdc, hPen);
    ::SetBkMode(hdc, TRANSPARENT);

    int nCols = (rcClient.right * 100 / nZoom + CELL_CX - 1) / CELL_CX;
    int nRows = (rcClient.bottom * 100 / nZoom + CELL_CY - 1) / CELL_CY;
    for (int r = 0; r < nRows && r < ROWS; ++r)
        for (int c = 0; c < nCols && c < COLS; ++c)
        {
            const CCell& cell = sheet.m_cells[r * COLS + c];
            const RECT& rc = cell.m_rect;
            ::SetBkColor(hdc, cell.m_crBack);
            ::ExtTextOutA(hdc, 0, 0, ETO_OPAQUE, &rc, NULL, 0, NULL);
            ::MoveToEx(hdc, rc.left, rc.top, NULL);
            ::LineTo(hdc, rc.left, rc.bottom);
            ::MoveToEx(hdc, rc.left, rc.top, NULL);
            ::LineTo(hdc, rc.right, rc.top);
            SIZE size;
            int nLength = cell.m_strName.GetLength();
            ::GetTextExtentPoint32A(hdc, cell.m_strName, nLength, &size);
            ::ExtTextOutA(hdc, (rc.left + rc.right - size.cx) / 2, (rc.top + rc.bottom - size.cy) / 2,
                          ETO_CLIPPED, &rc, cell.m_strName, nLength, NULL);
        }

    ::SelectObject(hdc, hOldPen);
    ::SelectObject(hdc, hOldFont);
    ::DeleteObject(hPen);
    ::DeleteObject(hFont);
    ::SetMapMode(hdc, MM_TEXT);
    ::BitBlt(hdcWindow, 0, 0, rcClient.right, rcClient.bottom, hdc, 0, 0, SRCCOPY);
    ::SelectObject(hdc, hOldBitmap);
    ::DeleteObject(hBitmap);
    ::DeleteDC(hdc);
    ::ReleaseDC(hWnd, hdcWindow);
}

// The view's repaint of its whole window and the bare loop's, timed in
// turns, with their ratio against the goal.
void ReportWindowRepaint(CTallyformView* pView, const CSheet& sheet)
{
    double dView = 0.0, dBare = 0.0;
    BenchBestOfPair(
        RUNS,
        [pView]() {
            pView->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW);
            ::GdiFlush();
        },
        [pView, &sheet]() {
            BarePaint(pView->m_hWnd, sheet, pView->GetZoom());
            ::GdiFlush();
        },
        dView, dBare);
    double dRatio = dView / dBare;
    printf("window 1024 x 768 at %3d %%: view %7.2f ms, bare GDI %7.2f ms, ratio %.2f "
           "(goal %.1f: %s)\n",
           pView->GetZoom(), dView, dBare, dRatio, GOAL_RATIO,
           dRatio <= GOAL_RATIO ? "met" : "missed");
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
    CFrameWnd* pFrame = OpenBenchViewFrame(doc);
    if (pFrame == NULL)
        return 1;
    CTallyformView* pView = static_cast<CTallyformView*>(pFrame->GetActiveView());
    RECT rc = { 0, 0, 1024, 768 };
    ::AdjustWindowRectEx(&rc, pFrame->GetStyle(), TRUE, pFrame->GetExStyle());
    pFrame->SetWindowPos(NULL, 0, 0, rc.right - rc.left, rc.bottom - rc.top, SWP_NOZORDER);
    pFrame->ShowWindow(SW_SHOW);
    pView->OnInitialUpdate();
    pFrame->UpdateWindow();

    printf("Sheet view paint, %d cells, best of %d\n", ROWS * COLS, RUNS);
    ReportWindowRepaint(pView, doc.m_sheet);
    pView->SetZoom(50);
    pView->UpdateScrollSizes();
    ReportWindowRepaint(pView, doc.m_sheet);
    printf("whole sheet (all cells) at  50 %%:  %7.2f ms\n", TimeWholeSheet(pView, doc.m_sheet));
    pView->SetZoom(25);
    pView->UpdateScrollSizes();
    printf("whole sheet (all cells) at  25 %%:  %7.2f ms\n", TimeWholeSheet(pView, doc.m_sheet));

    pFrame->DestroyWindow();
    return 0;
}
