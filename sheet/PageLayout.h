// Page breaks of a sheet: the row starts (m_arrBreaksA) and column starts
// (m_arrBreaksB) for a printable page size, by the sheet's layout mode
// (0 General, 1 Optimize, 2 Manual, -1 unset: Optimize), the page table
// built from them, and the widening of a printed page for edge borders.
// Windowless, so the view's page commands and printing share one copy.
#pragma once

#include "framework/core/Array.h"
#include "framework/windows/Geometry.h"

class CSheet;

// A break candidate: a position and the weight gathered for it.
struct BREAKENTRY
{
    int nPos;
    int nValue;
};
typedef CArray<BREAKENTRY, const BREAKENTRY&> CBreakList;

enum
{
    PAGE_LAYOUT_GENERAL = 0,
    PAGE_LAYOUT_OPTIMIZE = 1,
    PAGE_LAYOUT_MANUAL = 2
};

// The position of the last entry from index 1 on, in list order, with
// nFrom < position <= nTo; 0 when none or the list has fewer than 2 entries.
int FindBreakInRange(const CBreakList& list, int nFrom, int nTo);
// Adds nAmount to the value of the first entry at nPos; FALSE when there is
// no entry at that position.
BOOL AddToBreakEntry(CBreakList& list, int nPos, int nAmount);
// Rows: the tops of cells with a top border (weight: the widths); columns:
// the lefts of cells with a left border (weight: the heights).  Entry 0 is
// the first cell's top or left; the rest sorted by position.
void CollectBreakCandidates(const CSheet& sheet, CBreakList& rows, CBreakList& cols);
// Fills the sheet's break lists for a page of sizePage sheet units (the
// height already without the bands).  FALSE, changing nothing, without
// cells or when the page is smaller than one unit either way.  An unset
// layout mode becomes Optimize.
BOOL ComputeSheetPageBreaks(CSheet& sheet, SIZE sizePage);
// One rectangle per page, row by row, from the break lists; the last row
// and column reach 2 units past the sheet's extent.
void BuildPageTable(const CSheet& sheet, CArray<CRect, const CRect&>& pages);
// Widens rcPage outward by 3 on a side where a cell just outside it has a
// thick border along that side, else by 1 where any such bordered cell is.
void WidenPageForBorders(const CSheet& sheet, RECT& rcPage);
// Ends a drag of break nIndex (1..n-1) of starts (row or column starts)
// at nPos: at or beyond nEnd (the sheet's bottom or right) that break goes;
// else it and every later break move by the distance dragged, and a break
// one page on is appended when the last lies more than nPage from nEnd.
// FALSE, changing nothing, for an index that is not a break.
BOOL DropPageBreak(CDWordArray& starts, int nIndex, int nPos, int nEnd, int nPage);
