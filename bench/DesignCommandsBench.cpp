// Times the sheet view's design commands on a 100 x 100 grid (10,000
// cells) in a 1024 x 768 window, each with the repaint that follows it:
// Replace All of a text held by 2,000 cells, and every table command with
// its Undo and Redo.  The commands go to the frame as WM_COMMAND, as the
// menus send them.
#include <stdio.h>

#include "bench/BenchClock.h"
#include "bench/BenchDoc.h"
#include "framework/docview/FrameWnd.h"
#include "sheet/document/TallyformDoc.h"
#include "tests/sheet/SheetGrid.h"
#include "view/TallyformView.h"
#include "bench/SheetViewBenchFrame.h"
#include "SheetDialogIds.h"
#include "SheetViewIds.h"

namespace
{

const int ROWS = 100;
const int COLS = 100;
const int RUNS = 10;
const double GOAL_MS = 50.0;

HHOOK g_hDialogHook = NULL;

// Answers the Split Cell dialog as soon as it shows: 2 rows, 2 columns.
LRESULT CALLBACK AnswerSplitDialog(int nCode, WPARAM wParam, LPARAM lParam)
{
    if (nCode == HCBT_ACTIVATE)
    {
        HWND hWnd = (HWND)wParam;
        char szCaption[32] = "";
        GetWindowTextA(hWnd, szCaption, sizeof(szCaption));
        if (lstrcmpA(szCaption, "Split Cell") == 0)
        {
            SetDlgItemTextA(hWnd, IDC_SPLIT_ROWS, "2");
            SetDlgItemTextA(hWnd, IDC_SPLIT_COLUMNS, "2");
            PostMessageA(hWnd, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        }
    }
    return CallNextHookEx(g_hDialogHook, nCode, wParam, lParam);
}

void Report(const char* pszWhat, double dMs)
{
    printf("%-40s %8.2f ms  (goal %.0f ms: %s)\n", pszWhat, dMs, GOAL_MS,
           dMs < GOAL_MS ? "met" : "missed");
}

struct CBench
{
    CBenchDoc doc;
    CFrameWnd* pFrame = NULL;
    CTallyformView* pView = NULL;

    CSheet& Sheet() { return doc.m_sheet; }

    // The command and the repaint it asks for.
    double Run(UINT nID)
    {
        const double t0 = BenchNowMs();
        pFrame->SendMessage(WM_COMMAND, MAKEWPARAM(nID, 0));
        pView->UpdateWindow();
        ::GdiFlush();
        return BenchNowMs() - t0;
    }

    void Select(int row, int col, int rows, int cols)
    {
        Sheet().m_arrSel.RemoveAll();
        for (int r = row; r < row + rows; ++r)
            for (int c = col; c < col + cols; ++c)
                Sheet().m_arrSel.Add((UINT)(r * COLS + c));
        Sheet().m_nCurCell = row * COLS + col;
    }

    // Best command, Undo and Redo times over the runs; every run ends
    // where it began.
    void TimeCommand(const char* pszName, UINT nID, int rows, int cols)
    {
        double dBest[3] = { 1e30, 1e30, 1e30 };
        for (int i = 0; i < RUNS; ++i)
        {
            Select(ROWS / 2, COLS / 2, rows, cols);
            const double d[3] = { Run(nID), Run(ID_EDIT_UNDO), Run(ID_EDIT_REDO) };
            Run(ID_EDIT_UNDO);
            for (int k = 0; k < 3; ++k)
                if (d[k] < dBest[k])
                    dBest[k] = d[k];
        }
        char szLine[80];
        const char* const steps[] = { "", " undo", " redo" };
        for (int k = 0; k < 3; ++k)
        {
            snprintf(szLine, sizeof(szLine), "%s%s", pszName, steps[k]);
            Report(szLine, dBest[k]);
        }
    }

    void TimeReplaceAll()
    {
        double dBest = 1e30;
        for (int i = 0; i < RUNS; ++i)
        {
            Sheet().m_arrSel.RemoveAll();
            CTallyformView::SetSearch("total", "Sum", FALSE);
            const double t0 = BenchNowMs();
            pView->FindInCells(FALSE, TRUE);
            pView->UpdateWindow();
            ::GdiFlush();
            const double dMs = BenchNowMs() - t0;
            if (dMs < dBest)
                dBest = dMs;
            Run(ID_EDIT_UNDO);
        }
        Report("Replace All (2,000 of 10,000 cells)", dBest);
    }
};

} // namespace

int main()
{
    CBench bench;
    sheettest::MakeGrid(bench.Sheet(), ROWS, COLS);
    for (INT_PTR i = 0; i < bench.Sheet().m_cells.GetSize(); ++i)
        if (i % 5 == 0)
            bench.Sheet().m_cells[i].m_strValue = "Sub Total " + bench.Sheet().m_cells[i].m_strName;
    bench.pFrame = OpenBenchViewFrame(bench.doc);
    if (bench.pFrame == NULL)
        return 1;
    bench.pView = static_cast<CTallyformView*>(bench.pFrame->GetActiveView());
    RECT rc = { 0, 0, 1024, 768 };
    ::AdjustWindowRectEx(&rc, bench.pFrame->GetStyle(), TRUE, bench.pFrame->GetExStyle());
    bench.pFrame->SetWindowPos(NULL, 0, 0, rc.right - rc.left, rc.bottom - rc.top, SWP_NOZORDER);
    bench.pFrame->ShowWindow(SW_SHOW);
    bench.pView->OnInitialUpdate();
    bench.pFrame->UpdateWindow();
    g_hDialogHook = SetWindowsHookExA(WH_CBT, AnswerSplitDialog, NULL, GetCurrentThreadId());

    printf("Design commands on %d cells with the repaint, best of %d\n", ROWS * COLS, RUNS);
    bench.TimeReplaceAll();
    bench.TimeCommand("Add Row", ID_TABLE_ADD_ROW, 1, 1);
    bench.TimeCommand("Delete Row", ID_TABLE_DELETE_ROW, 1, 1);
    bench.TimeCommand("Add Column", ID_TABLE_ADD_COLUMN, 1, 1);
    bench.TimeCommand("Delete Column", ID_TABLE_DELETE_COLUMN, 1, 1);
    bench.TimeCommand("Merge Cells (2 x 2)", ID_TABLE_MERGE_CELLS, 2, 2);
    bench.TimeCommand("Split Cell (2 x 2, dialog answered)", ID_TABLE_SPLIT_CELL, 1, 1);

    UnhookWindowsHookEx(g_hDialogHook);
    bench.pFrame->DestroyWindow();
    return 0;
}
