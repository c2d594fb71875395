// The rows of a dynaset as it read them, packed into three arrays: reading
// thousands of rows costs no allocation per row or per value.  A row is
// turned into its editable form only when something edits or searches it.
#pragma once

#include <sqlite3.h>

#include <vector>

#include "framework/core/Base.h"

struct CDaoValueRef;

class CDaoPackedRows
{
public:
    CDaoPackedRows() : m_nColumns(0) {}

    // Empties the rows; every row to come has nColumns values.
    void Reset(int nColumns);
    // Appends the statement's current row: its rowid in column 0, the
    // values in columns 1 to nColumns.
    void AppendRow(sqlite3_stmt* pStmt);
    void Swap(CDaoPackedRows& other);
    // Empties the rows and gives their memory back.
    void Release();

    size_t GetCount() const { return m_rowIds.size(); }
    LONGLONG RowId(size_t nRow) const { return m_rowIds[nRow]; }
    // Value nColumn of row nRow; its bytes stay valid until the next change.
    CDaoValueRef Ref(size_t nRow, int nColumn) const;

private:
    struct Cell
    {
        int nType;
        int nBytes;
        sqlite3_int64 nInteger;   // the integer, or the bytes' offset
        double dReal;
    };

    int m_nColumns;
    std::vector<sqlite3_int64> m_rowIds;
    std::vector<Cell> m_cells;
    std::vector<char> m_bytes;
};
