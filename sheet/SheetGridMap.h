// Where each cell of a sheet stands in the grid of rows and columns that
// the cells' edges make: a row for every distinct top edge, a column for
// every distinct left edge, so a merged cell stands at its top-left.
#pragma once

#include <vector>

#include "sheet/Sheet.h"

class CSheetGridMap
{
public:
    explicit CSheetGridMap(const CSheet& sheet);

    int GetRowCount() const { return (int)m_tops.size(); }
    int GetColumnCount() const { return (int)m_lefts.size(); }
    // The 0-based row and column of cell nCell; FALSE for an index outside
    // the sheet the map was made of.
    BOOL GetPosition(int nCell, int& nRow, int& nColumn) const;
    // The distance from a column's left edge to the next one's; for the
    // last column, to the right edge of its widest cell.
    int GetColumnWidth(int nColumn) const;

private:
    std::vector<LONG> m_tops;
    std::vector<LONG> m_lefts;
    LONG m_nLastRight = 0;          // of the cells in the last column
    std::vector<int> m_rows;        // by cell index
    std::vector<int> m_columns;
};
