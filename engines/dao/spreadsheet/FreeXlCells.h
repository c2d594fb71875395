// Every cell of one worksheet of a workbook that FreeXL has open.
#pragma once

#include <freexl.h>

// Selects the sheet and calls f(row, column, value) for each cell within its
// dimensions, row by row, empty ones included.  f returns false to stop,
// which gives FREEXL_ILLEGAL_CELL_ROW_COL; otherwise the result is FreeXL's,
// FREEXL_OK when every cell was read.
template<class F>
int ForEachFreeXlCell(const void* pHandle, unsigned short nSheet, F f)
{
    int nResult = freexl_select_active_worksheet(pHandle, nSheet);
    unsigned int nRows = 0;
    unsigned short nColumns = 0;
    if (nResult == FREEXL_OK)
        nResult = freexl_worksheet_dimensions(pHandle, &nRows, &nColumns);
    for (unsigned int nRow = 0; nRow < nRows && nResult == FREEXL_OK; ++nRow)
    {
        for (unsigned short nColumn = 0; nColumn < nColumns && nResult == FREEXL_OK; ++nColumn)
        {
            FreeXL_CellValue value;
            nResult = freexl_get_cell_value(pHandle, nRow, nColumn, &value);
            if (nResult == FREEXL_OK && !f(nRow, nColumn, value))
                nResult = FREEXL_ILLEGAL_CELL_ROW_COL;
        }
    }
    return nResult;
}
