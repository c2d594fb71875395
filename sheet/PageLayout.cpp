#include "sheet/PageLayout.h"

#include <math.h>
#include <stdlib.h>

#include <algorithm>
#include <vector>

#include "sheet/Sheet.h"

namespace {

typedef std::vector<int> Breaks;

Breaks ReadBreaks(const CDWordArray& arr)
{
    Breaks breaks;
    for (INT_PTR i = 0; i < arr.GetSize(); ++i)
        breaks.push_back((int)arr[i]);
    return breaks;
}

void WriteBreaks(const Breaks& breaks, CDWordArray& arr)
{
    arr.SetSize((INT_PTR)breaks.size());
    for (size_t i = 0; i < breaks.size(); ++i)
        arr[(INT_PTR)i] = (DWORD)breaks[i];
}

// How many pages of nPage units an extent of nExtent needs: the quotient in
// single precision, rounded up (an exact quotient stays).
int PageCount(int nExtent, int nPage)
{
    int n = (int)ceilf((float)nExtent / (float)nPage);
    return n < 1 ? 1 : n;
}

// Moves each break up to the last candidate in its window, carrying the
// shift forward and inserting a page where the shift reaches a whole one.
void OptimizePass(Breaks& breaks, const CBreakList& candidates, int nPage, int nExtentEnd)
{
    if (candidates.GetSize() < 2)
        return;
    int nShift = 0;
    for (size_t i = 1; i < breaks.size(); ++i)
    {
        int nBest = FindBreakInRange(candidates, breaks[i - 1], breaks[i] - nShift);
        if (nBest == 0)
            breaks[i] -= nShift;
        else
        {
            nShift = breaks[i] - nBest;
            breaks[i] = nBest;
        }
        if (nShift >= nPage)
        {
            // A whole page was given up: one more page, placed on the grid
            // of the shift still left, so its window ends a page below.
            nShift -= nPage;
            breaks.insert(breaks.begin() + (long)i + 1, breaks[i] + nPage + nShift);
        }
    }
    // Pages until the extent is covered, each at the last candidate of its window.
    while (breaks.back() + nPage < nExtentEnd)
    {
        int nLast = breaks.back();
        int nBest = FindBreakInRange(candidates, nLast, nLast + nPage);
        breaks.push_back(nBest != 0 ? nBest : nLast + nPage);
    }
}

// Keeps the user's breaks at most a page apart and makes them cover the
// extent: pages appended one apart, or surplus breaks beyond it dropped.
void BoundManualBreaks(Breaks& breaks, int nPage, int nExtentEnd)
{
    if (breaks.empty() || breaks[0] < 0 || breaks[0] > nExtentEnd)
    {
        if (breaks.empty())
            breaks.push_back(0);
        else
            breaks[0] = 0;
    }
    for (size_t i = 0; i + 1 < breaks.size(); ++i)
        if (breaks[i + 1] - breaks[i] > nPage)
            breaks[i + 1] = breaks[i] + nPage;
    int nDistance = nExtentEnd - breaks.back();
    if (abs(nDistance) <= nPage)
        return;
    int k = nDistance / nPage;
    for (int n = 0; n < k; ++n)
        breaks.push_back(breaks.back() + nPage);
    for (int n = 0; n < -k && breaks.size() > 1; ++n)
        breaks.pop_back();
}

BOOL SortByPosition(const BREAKENTRY& a, const BREAKENTRY& b)
{
    return a.nPos < b.nPos;
}

void SortFromSecond(CBreakList& list)
{
    if (list.GetSize() > 2)
        std::stable_sort(list.GetData() + 1, list.GetData() + list.GetSize(), SortByPosition);
}

void AddCandidate(CBreakList& list, int nPos, int nWeight)
{
    if (!AddToBreakEntry(list, nPos, nWeight))
    {
        BREAKENTRY entry = { nPos, nWeight };
        list.Add(entry);
    }
}

// How far a bordered neighbour along one side asks the page to grow.
int Widening(int nStyle, int nSoFar)
{
    if (nStyle == 0)
        return nSoFar;
    return nStyle == 2 ? 3 : std::max(nSoFar, 1);
}

} // namespace

int FindBreakInRange(const CBreakList& list, int nFrom, int nTo)
{
    int nFound = 0;
    for (INT_PTR i = 1; i < list.GetSize(); ++i)
        if (list[i].nPos > nFrom && list[i].nPos <= nTo)
            nFound = list[i].nPos;
    return nFound;
}

BOOL AddToBreakEntry(CBreakList& list, int nPos, int nAmount)
{
    for (INT_PTR i = 0; i < list.GetSize(); ++i)
        if (list[i].nPos == nPos)
        {
            list[i].nValue += nAmount;
            return TRUE;
        }
    return FALSE;
}

void CollectBreakCandidates(const CSheet& sheet, CBreakList& rows, CBreakList& cols)
{
    rows.RemoveAll();
    cols.RemoveAll();
    if (sheet.m_cells.GetSize() == 0)
        return;
    const RECT& rcFirst = sheet.m_cells[0].m_rect;
    BREAKENTRY row = { (int)rcFirst.top, 0 };
    BREAKENTRY col = { (int)rcFirst.left, 0 };
    rows.Add(row);
    cols.Add(col);
    for (INT_PTR i = 0; i < sheet.m_cells.GetSize(); ++i)
    {
        const CCell& cell = sheet.m_cells[i];
        const RECT& rc = cell.m_rect;
        if (cell.m_nTopEdge != 0)
            AddCandidate(rows, rc.top, rc.right - rc.left);
        if (cell.m_nLeftEdge != 0)
            AddCandidate(cols, rc.left, rc.bottom - rc.top);
    }
    SortFromSecond(rows);
    SortFromSecond(cols);
}

BOOL ComputeSheetPageBreaks(CSheet& sheet, SIZE sizePage)
{
    if (sheet.m_cells.GetSize() == 0 || sizePage.cx < 1 || sizePage.cy < 1)
        return FALSE;
    if (sheet.m_nPageLayout < PAGE_LAYOUT_GENERAL || sheet.m_nPageLayout > PAGE_LAYOUT_MANUAL)
        sheet.m_nPageLayout = PAGE_LAYOUT_OPTIMIZE;
    const RECT& rcExtent = sheet.m_rcBounds;
    Breaks rows, cols;
    if (sheet.m_nPageLayout == PAGE_LAYOUT_MANUAL)
    {
        rows = ReadBreaks(sheet.m_arrBreaksA);
        cols = ReadBreaks(sheet.m_arrBreaksB);
        BoundManualBreaks(rows, sizePage.cy, rcExtent.bottom);
        BoundManualBreaks(cols, sizePage.cx, rcExtent.right);
    }
    else
    {
        int nRows = PageCount(rcExtent.bottom - rcExtent.top, sizePage.cy);
        int nCols = PageCount(rcExtent.right - rcExtent.left, sizePage.cx);
        rows.push_back(0);
        for (int i = 1; i < nRows; ++i)
            rows.push_back(i * sizePage.cy + sheet.m_nHeaderBand);
        for (int i = 0; i < nCols; ++i)
            cols.push_back(i * sizePage.cx);
        if (sheet.m_nPageLayout == PAGE_LAYOUT_OPTIMIZE)
        {
            CBreakList rowCandidates, colCandidates;
            CollectBreakCandidates(sheet, rowCandidates, colCandidates);
            OptimizePass(rows, rowCandidates, sizePage.cy, rcExtent.bottom);
            OptimizePass(cols, colCandidates, sizePage.cx, rcExtent.right);
        }
    }
    WriteBreaks(rows, sheet.m_arrBreaksA);
    WriteBreaks(cols, sheet.m_arrBreaksB);
    return TRUE;
}

void BuildPageTable(const CSheet& sheet, CArray<CRect, const CRect&>& pages)
{
    pages.RemoveAll();
    const CDWordArray& rows = sheet.m_arrBreaksA;
    const CDWordArray& cols = sheet.m_arrBreaksB;
    const RECT& rcExtent = sheet.m_rcBounds;
    for (INT_PTR r = 0; r < rows.GetSize(); ++r)
        for (INT_PTR j = 0; j < cols.GetSize(); ++j)
        {
            int nRight = j + 1 < cols.GetSize() ? (int)cols[j + 1] : rcExtent.right + 2;
            int nBottom = r + 1 < rows.GetSize() ? (int)rows[r + 1] : rcExtent.bottom + 2;
            pages.Add(CRect((int)cols[j], (int)rows[r], nRight, nBottom));
        }
}

void WidenPageForBorders(const CSheet& sheet, RECT& rcPage)
{
    int nLeft = 0, nRight = 0, nTop = 0, nBottom = 0;
    for (INT_PTR i = 0; i < sheet.m_cells.GetSize(); ++i)
    {
        const CCell& cell = sheet.m_cells[i];
        const RECT& rc = cell.m_rect;
        if (rc.right == rcPage.left)
            nLeft = Widening(cell.m_nRightEdge, nLeft);
        if (rc.left == rcPage.right)
            nRight = Widening(cell.m_nLeftEdge, nRight);
        if (rc.bottom == rcPage.top)
            nTop = Widening(cell.m_nBottomEdge, nTop);
        if (rc.top == rcPage.bottom)
            nBottom = Widening(cell.m_nTopEdge, nBottom);
    }
    rcPage.left -= nLeft;
    rcPage.right += nRight;
    rcPage.top -= nTop;
    rcPage.bottom += nBottom;
}

BOOL DropPageBreak(CDWordArray& starts, int nIndex, int nPos, int nEnd, int nPage)
{
    if (nIndex < 1 || nIndex >= starts.GetSize())
        return FALSE;
    if (nPos >= nEnd)
    {
        starts.RemoveAt(nIndex);
        return TRUE;
    }
    int nDelta = nPos - (int)starts[nIndex];
    for (INT_PTR i = nIndex; i < starts.GetSize(); ++i)
        starts[i] = (DWORD)((int)starts[i] + nDelta);
    int nLast = (int)starts[starts.GetSize() - 1];
    if (abs(nLast - nEnd) > nPage)
        starts.Add((DWORD)(nLast + nPage));
    return TRUE;
}
