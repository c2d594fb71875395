// The cells of one worksheet as a reader meets them, turned into a source
// table: the first row names the columns, the rows below are the records.
#pragma once

#include <vector>

#include "engines/dao/SourceTable.h"

// The name of column nColumn (from 0) after the columns named before it,
// from its cell in the first row (NULL when there is none): that cell's
// text unless it is empty or repeats a name before it, else "F" and the
// column's number from 1 (with "_2", "_3"... should that name be taken).
CString SheetColumnName(const std::vector<CString>& columns, const CSourceValue* pHeader, size_t nColumn);

class CSheetCellGrid
{
public:
    // The largest sheet any of the formats holds; a reader refuses a cell
    // beyond it as damage rather than growing without bound.
    static const unsigned MAX_ROWS = 1048576;
    static const unsigned MAX_COLUMNS = 16384;

    // Cells may come in any order; a cell set twice keeps the last value.
    // FALSE for a position beyond the largest sheet.
    BOOL SetText(unsigned nRow, unsigned nColumn, const CString& strText);
    BOOL SetNumber(unsigned nRow, unsigned nColumn, double dValue);

    // The table named strName.  Column names come from the first row; a
    // column whose name is empty or repeats one before it is named "F" and
    // its number from 1 (with "_2", "_3"... should that name be taken).  The records are the rows below, up to the last
    // row that holds a value, NULL where a cell is empty.  A sheet without
    // any cell gives a table without columns.
    CSourceTable TakeTable(const CString& strName);

private:
    CSourceValue* At(unsigned nRow, unsigned nColumn);

    std::vector<std::vector<CSourceValue>> m_rows;
};
