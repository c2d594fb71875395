// A grid template for the sheet tests and the table benchmark: rows x cols
// text cells tiling the rectangle from the origin, named A1.. in reading order.
#pragma once

#include <string>

#include "sheet/Sheet.h"

namespace sheettest
{

// Column letters of column c (0-based): A..Z, AA..
inline std::string ColumnLetters(int c)
{
    std::string s;
    for (++c; c > 0; c = (c - 1) / 26)
        s.insert(s.begin(), (char)('A' + (c - 1) % 26));
    return s;
}

inline std::string CellName(int row, int col)
{
    return ColumnLetters(col) + std::to_string(row + 1);
}

// A template of rows x cols text cells w x h units, named A1.., tiling the
// rectangle from the origin, tab indices 1..n in reading order; the last
// column and row carry a thin right and bottom edge line.
inline void MakeGrid(CSheet& sheet, int rows, int cols, int w = 80, int h = 30)
{
    sheet.RemoveAllCells();
    sheet.m_cells.SetSize(rows * cols);
    for (int r = 0; r < rows; ++r)
    {
        for (int c = 0; c < cols; ++c)
        {
            CCell& cell = sheet.m_cells[r * cols + c];
            cell.m_pSheet = &sheet;
            cell.m_strName = CellName(r, c).c_str();
            SetRect(&cell.m_rect, c * w, r * h, c * w + w, r * h + h);
            cell.m_nTabIndex = r * cols + c + 1;
            cell.SetType(CELL_TEXT);
            cell.m_strValue = cell.m_strName;
            if (c == cols - 1)
                cell.m_nRightEdge = CELL_LINE_THIN;
            if (r == rows - 1)
                cell.m_nBottomEdge = CELL_LINE_THIN;
        }
    }
    sheet.m_arrSel.RemoveAll();
    sheet.m_nCurCell = 0;
    sheet.UpdateBoundingRect();
}

} // namespace sheettest
