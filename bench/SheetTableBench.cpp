// Times the table operations, their Undo and Redo, and the sort on a sheet
// of 200 rows x 50 columns (10,000 cells).
#include <stdio.h>

#include <string>

#include "bench/BenchClock.h"
#include "sheet/Sheet.h"
#include "sheet/UndoAction.h"
#include "tests/sheet/SheetGrid.h"

namespace
{

const int ROWS = 200;
const int COLS = 50;
const double GOAL_MS = 20.0;

void MakeGrid(CSheet& sheet)
{
    sheet.DeleteAllUndoActions();
    sheettest::MakeGrid(sheet, ROWS, COLS);
}

void SelectCell(CSheet& sheet, int r, int c)
{
    sheet.m_arrSel.RemoveAll();
    sheet.m_arrSel.Add((UINT)(r * COLS + c));
    sheet.m_nCurCell = r * COLS + c;
}

void SelectBlock(CSheet& sheet, int r0, int c0, int n)
{
    sheet.m_arrSel.RemoveAll();
    for (int r = r0; r < r0 + n; ++r)
        for (int c = c0; c < c0 + n; ++c)
            sheet.m_arrSel.Add((UINT)(r * COLS + c));
    sheet.m_nCurCell = r0 * COLS + c0;
}

int g_nSlow = 0;

void Report(const char* pszWhat, double ms)
{
    const char* pszMark = ms > GOAL_MS ? "  (over the goal)" : "";
    if (ms > GOAL_MS)
        ++g_nSlow;
    printf("%-28s %8.3f ms%s\n", pszWhat, ms, pszMark);
}

// Times the operation, its Undo and its Redo, each with the callers' sort
// and bounding-rectangle update.
template<class OP>
bool TimeOperation(CSheet& sheet, const char* pszName, OP op)
{
    double t0 = BenchNowMs();
    BOOL bOk = op();
    double t1 = BenchNowMs();
    if (!bOk)
    {
        printf("%s refused\n", pszName);
        return false;
    }
    sheet.SortCells();
    sheet.UpdateBoundingRect();
    double t2 = BenchNowMs();
    CUndoAction* pUndone = sheet.Undo();
    sheet.SortCells();
    sheet.UpdateBoundingRect();
    double t3 = BenchNowMs();
    CUndoAction* pRedone = sheet.Redo();
    sheet.SortCells();
    sheet.UpdateBoundingRect();
    double t4 = BenchNowMs();
    if (pUndone == NULL || pRedone == NULL)
    {
        printf("%s: no record to undo\n", pszName);
        return false;
    }
    std::string s(pszName);
    Report(s.c_str(), t1 - t0);
    Report((s + " + sort").c_str(), t2 - t0);
    Report(("  undo " + s + " + sort").c_str(), t3 - t2);
    Report(("  redo " + s + " + sort").c_str(), t4 - t3);
    return true;
}

} // namespace

int main()
{
    LARGE_INTEGER frequency;
    if (!QueryPerformanceFrequency(&frequency) || frequency.QuadPart == 0)
    {
        fprintf(stderr, "QueryPerformanceFrequency failed\n");
        return 1;
    }
    CSheet sheet;
    printf("sheet of %d x %d = %d cells\n", ROWS, COLS, ROWS * COLS);

    MakeGrid(sheet);
    SelectCell(sheet, ROWS / 2, COLS / 2);
    if (!TimeOperation(sheet, "add row", [&]() { return sheet.AddRow(-1, -1); }))
        return 1;

    MakeGrid(sheet);
    SelectCell(sheet, ROWS / 2, COLS / 2);
    if (!TimeOperation(sheet, "add column", [&]() { return sheet.AddColumn(-1, -1); }))
        return 1;

    MakeGrid(sheet);
    SelectCell(sheet, ROWS / 2, COLS / 2);
    if (!TimeOperation(sheet, "delete row", [&]() { return sheet.DeleteRow(-1, -1); }))
        return 1;

    MakeGrid(sheet);
    SelectCell(sheet, ROWS / 2, COLS / 2);
    if (!TimeOperation(sheet, "delete column", [&]() { return sheet.DeleteColumns(-1, -1); }))
        return 1;

    MakeGrid(sheet);
    SelectBlock(sheet, 50, 20, 10);
    if (!TimeOperation(sheet, "merge 10x10", [&]() { return sheet.MergeCells(-1, -1); }))
        return 1;

    MakeGrid(sheet);
    SelectCell(sheet, ROWS / 2, COLS / 2);
    if (!TimeOperation(sheet, "split 10x10", [&]() {
            return sheet.SplitCell(-1, -1, 10, 10, FALSE);
        }))
        return 1;

    // Sorting a shuffled array, and one already in order.
    MakeGrid(sheet);
    for (int i = 0; i < ROWS * COLS; i += 2)
        sheet.SwapCells(i, ROWS * COLS - 1 - i);
    double t0 = BenchNowMs();
    sheet.SortCells();
    double t1 = BenchNowMs();
    Report("sort (reversed pairs)", t1 - t0);
    t0 = BenchNowMs();
    sheet.SortCells();
    t1 = BenchNowMs();
    Report("sort (in order)", t1 - t0);

    printf("%s\n", g_nSlow == 0 ? "all under 20 ms" : "some over 20 ms");
    return 0;
}
