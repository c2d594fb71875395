// Standard headers come before the windows headers' min and max macros.
#include <stdlib.h>

#include <algorithm>

#include "view/CellTabOrder.h"

BOOL IsEntryCell(const CCell& cell, BOOL bOrganOpen)
{
    switch (cell.m_nType)
    {
    case CELL_NUMERIC:
        return cell.m_nValueType != 2;
    case CELL_TEXT:
        return cell.m_bDynamic != 0;
    case CELL_REPORTDATE:
        return TRUE;
    case CELL_ORGAN:
    case CELL_ORGANCODE:
        return bOrganOpen;
    default:
        return FALSE;
    }
}

namespace
{

// An entry cell that is not one the database computes.
BOOL TakesEntry(const CSheet& sheet, const CCell& cell, BOOL bOrganOpen)
{
    return IsEntryCell(cell, bOrganOpen) && !sheet.IsComputedByDatabase(cell);
}

} // namespace

CCellTabOrder::CCellTabOrder() : m_nTabbed(0)
{
}

void CCellTabOrder::Clear()
{
    m_order.clear();
    m_entryCells.clear();
    m_nTabbed = 0;
}

void CCellTabOrder::Build(const CSheet& sheet, BOOL bOrganOpen)
{
    Clear();
    const int nCount = (int)sheet.m_cells.GetSize();
    std::vector<int> untabbed;
    for (int i = 0; i < nCount; ++i)
    {
        const CCell& cell = sheet.m_cells[i];
        if (cell.m_nTabIndex != 0)
            m_order.push_back(i);
        else
            untabbed.push_back(i);
        if (TakesEntry(sheet, cell, bOrganOpen))
            m_entryCells.push_back(i);
    }
    std::stable_sort(m_order.begin(), m_order.end(), [&sheet](int a, int b) {
        return sheet.m_cells[a].m_nTabIndex < sheet.m_cells[b].m_nTabIndex;
    });
    m_nTabbed = (int)m_order.size();
    m_order.insert(m_order.end(), untabbed.begin(), untabbed.end());
}

int CCellTabOrder::NextCell(const CSheet& sheet, int nCell, BOOL bOrganOpen) const
{
    const int nCount = (int)sheet.m_cells.GetSize();
    if (nCell < 0 || nCell >= nCount || sheet.m_cells[nCell].m_nTabIndex == 0)
        return -1;
    // The cell's place is looked up, not taken from its tab index: indices
    // with gaps or repeats would point past the order or at another cell.
    const auto itBegin = m_order.begin();
    const auto itTabbedEnd = itBegin + m_nTabbed;
    const auto itHere = std::find(itBegin, itTabbedEnd, nCell);
    if (itHere == itTabbedEnd)
        return -1;
    const int nHere = (int)(itHere - itBegin);
    for (int k = 1; k <= m_nTabbed; ++k)
    {
        const int n = m_order[(nHere + k) % m_nTabbed];
        if (n >= 0 && n < nCount && TakesEntry(sheet, sheet.m_cells[n], bOrganOpen))
            return n;
    }
    return -1;
}

int CCellTabOrder::FirstEntryCell(const CSheet& sheet, BOOL bOrganOpen) const
{
    const int nCount = (int)sheet.m_cells.GetSize();
    for (int n : m_order)
        if (n >= 0 && n < nCount && TakesEntry(sheet, sheet.m_cells[n], bOrganOpen))
            return n;
    return -1;
}

int CCellTabOrder::FindCellInDirection(const CSheet& sheet, int nCell, int nKey) const
{
    const int nCount = (int)sheet.m_cells.GetSize();
    if (nCell < 0 || nCell >= nCount)
        return -1;
    const BOOL bHorizontal = nKey == VK_LEFT || nKey == VK_RIGHT;
    if (!bHorizontal && nKey != VK_UP && nKey != VK_DOWN)
        return -1;
    const RECT& rc = sheet.m_cells[nCell].m_rect;
    const int cx = (rc.left + rc.right) / 2;
    const int cy = (rc.top + rc.bottom) / 2;
    const int nWidth = sheet.m_rcBounds.right - sheet.m_rcBounds.left;
    const int nHeight = sheet.m_rcBounds.bottom - sheet.m_rcBounds.top;
    int nBestGap = bHorizontal ? nWidth : nHeight;
    int nBestDistance = bHorizontal ? nHeight : nWidth;
    int nResult = -1;
    for (int n : m_entryCells)
    {
        if (n == nCell || n < 0 || n >= nCount)
            continue;
        const RECT& r = sheet.m_cells[n].m_rect;
        const int ncx = (r.left + r.right) / 2;
        const int ncy = (r.top + r.bottom) / 2;
        int nGap = -1;
        BOOL bInLine = FALSE;
        switch (nKey)
        {
        case VK_RIGHT: nGap = r.left - rc.right; bInLine = ncy >= rc.top && ncy < rc.bottom; break;
        case VK_LEFT: nGap = rc.left - r.right; bInLine = ncy >= rc.top && ncy < rc.bottom; break;
        case VK_DOWN: nGap = r.top - rc.bottom; bInLine = ncx >= rc.left && ncx < rc.right; break;
        default: nGap = rc.top - r.bottom; bInLine = ncx >= rc.left && ncx < rc.right; break;
        }
        if (nGap < 0 || !bInLine)
            continue;
        const int nDistance = bHorizontal ? abs(ncy - cy) : abs(ncx - cx);
        if (nGap < nBestGap || (nGap == nBestGap && nDistance < nBestDistance))
        {
            nBestGap = nGap;
            nBestDistance = nDistance;
            nResult = n;
        }
    }
    return nResult;
}
