#include "framework/db/DaoPackedRows.h"

#include "framework/db/DaoStatement.h"

void CDaoPackedRows::Reset(int nColumns)
{
    m_nColumns = nColumns;
    m_rowIds.clear();
    m_cells.clear();
    m_bytes.clear();
}

void CDaoPackedRows::AppendRow(sqlite3_stmt* pStmt)
{
    m_rowIds.push_back(sqlite3_column_int64(pStmt, 0));
    for (int i = 1; i <= m_nColumns; ++i)
    {
        CDaoValueRef ref = DaoColumnRef(pStmt, i);
        Cell cell = {ref.nType, 0, (sqlite3_int64)ref.nInteger, ref.dReal};
        if (ref.nType == SQLITE_TEXT || ref.nType == SQLITE_BLOB)
        {
            cell.nBytes = ref.nBytes;
            cell.nInteger = (LONGLONG)m_bytes.size();
            m_bytes.insert(m_bytes.end(), ref.pBytes, ref.pBytes + ref.nBytes);
        }
        m_cells.push_back(cell);
    }
}

void CDaoPackedRows::Swap(CDaoPackedRows& other)
{
    std::swap(m_nColumns, other.m_nColumns);
    m_rowIds.swap(other.m_rowIds);
    m_cells.swap(other.m_cells);
    m_bytes.swap(other.m_bytes);
}

void CDaoPackedRows::Release()
{
    CDaoPackedRows empty;
    Swap(empty);
}

CDaoValueRef CDaoPackedRows::Ref(size_t nRow, int nColumn) const
{
    const Cell& cell = m_cells[nRow * (size_t)m_nColumns + (size_t)nColumn];
    CDaoValueRef ref = {cell.nType, cell.nInteger, cell.dReal, "", 0};
    if (cell.nType == SQLITE_TEXT || cell.nType == SQLITE_BLOB)
    {
        ref.nInteger = 0;
        ref.nBytes = cell.nBytes;
        if (cell.nBytes > 0)
            ref.pBytes = &m_bytes[(size_t)cell.nInteger];
    }
    return ref;
}
