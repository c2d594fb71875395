// Standard headers come before the windows headers' min and max macros.
#include <algorithm>

#include "sheet/SheetGridMap.h"

namespace
{

// The index of a value in a sorted list that holds it.
int IndexOf(const std::vector<LONG>& sorted, LONG nValue)
{
    return (int)(std::lower_bound(sorted.begin(), sorted.end(), nValue) - sorted.begin());
}

void SortUnique(std::vector<LONG>& values)
{
    std::sort(values.begin(), values.end());
    values.erase(std::unique(values.begin(), values.end()), values.end());
}

} // namespace

CSheetGridMap::CSheetGridMap(const CSheet& sheet)
{
    const int nCount = (int)sheet.m_cells.GetSize();
    for (int i = 0; i < nCount; ++i)
    {
        m_tops.push_back(sheet.m_cells[i].m_rect.top);
        m_lefts.push_back(sheet.m_cells[i].m_rect.left);
    }
    SortUnique(m_tops);
    SortUnique(m_lefts);
    for (int i = 0; i < nCount; ++i)
    {
        m_rows.push_back(IndexOf(m_tops, sheet.m_cells[i].m_rect.top));
        m_columns.push_back(IndexOf(m_lefts, sheet.m_cells[i].m_rect.left));
        if (m_columns.back() + 1 == (int)m_lefts.size())
            m_nLastRight = (std::max)(m_nLastRight, sheet.m_cells[i].m_rect.right);
    }
}

BOOL CSheetGridMap::GetPosition(int nCell, int& nRow, int& nColumn) const
{
    if (nCell < 0 || nCell >= (int)m_rows.size())
        return FALSE;
    nRow = m_rows[(size_t)nCell];
    nColumn = m_columns[(size_t)nCell];
    return TRUE;
}

int CSheetGridMap::GetColumnWidth(int nColumn) const
{
    if (nColumn < 0 || nColumn >= GetColumnCount())
        return 0;
    const LONG nRight = nColumn + 1 < GetColumnCount() ? m_lefts[(size_t)nColumn + 1] : m_nLastRight;
    return (int)(nRight - m_lefts[(size_t)nColumn]);
}
