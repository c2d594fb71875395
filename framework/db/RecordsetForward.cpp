// The forward read of a read-only recordset: rows come a block at a time
// into bound buffers and the current row is read from there.
#include "framework/db/Recordset.h"

long CRecordset::GetRecordCount() const
{
    if (!m_bForward)
        return (long)m_rows.size();
    if (m_nRow < 0)
        return 0;
    return m_bEOF ? m_nRow : m_nRow + 1;
}

void CRecordset::StartReading()
{
    BOOL bReadOnly = (m_dwOptions & readOnly) != 0;
    SQLUINTEGER nGetData = m_pDatabase->GetDataExtensions();
    // Columns read on demand from a fetch of one row come in any order; a
    // result kept row by row binds for one row at a time when a text longer
    // than its buffer can be read again whole.
    const SQLUINTEGER kAnyColumnAnyOrder = SQL_GD_ANY_COLUMN | SQL_GD_ANY_ORDER;
    const SQLUINTEGER kBoundAnyColumn = SQL_GD_BOUND | SQL_GD_ANY_COLUMN;
    m_bDemandRead = bReadOnly && m_bFieldsOnDemand && (nGetData & kAnyColumnAnyOrder) == kAnyColumnAnyOrder;
    if (m_bDemandRead)
        BindAskedColumns();
    else if (!m_block.IsBound() && (bReadOnly || (nGetData & kBoundAnyColumn) == kBoundAnyColumn))
        m_block.Bind(m_hstmt, m_columns, bReadOnly ? 0 : 1);
    m_bForward = bReadOnly && m_block.IsBound();
    if (m_bForward)
    {
        FetchForward(0);
        LoadForwardRow();
        return;
    }
    StandOn(FetchTo(0) ? 0 : -1);
    m_bBOF = m_bEOF = m_rows.empty();
}

void CRecordset::BindAskedColumns()
{
    if (m_asked.size() != m_columns.size())
        m_asked.assign(m_columns.size(), false);
    if (m_block.IsBound() && m_asked == m_boundAsked)
        return;
    m_boundAsked = m_asked;
    bool bAsked = false;
    for (bool b : m_asked)
        bAsked = bAsked || b;
    if (bAsked && m_block.Bind(m_hstmt, m_columns, 0, &m_asked))
        return;
    // A column asked for that has no bounded form is read row by row.
    const std::vector<bool> none;
    m_block.Bind(m_hstmt, m_columns, 1, &none);
}

void CRecordset::FetchForward(long nRow)
{
    if (m_bDemandRead)
    {
        BindAskedColumns();
        m_forwardRow.resize(m_columns.size());
        m_gotColumns.assign(m_columns.size(), false);
    }
    switch (m_block.Fetch(m_hstmt))
    {
    case CDBRowBlock::fetchRows:
        m_nBlockRow = 0;
        m_nRow = nRow;
        m_bBOF = m_bEOF = FALSE;
        break;
    case CDBRowBlock::fetchEnd:
        m_nRow = nRow > 0 ? nRow : -1;
        m_bEOF = TRUE;
        m_bBOF = nRow == 0;
        break;
    case CDBRowBlock::fetchTruncated:
        m_nRow = nRow;
        m_bBOF = m_bEOF = FALSE;
        KeepRows();
        break;
    }
}

void CRecordset::LoadForwardRow()
{
    if (m_bForward && !m_bEOF && !m_bDemandRead)
        m_block.ReadRow(m_nBlockRow, m_forwardRow);
    LoadFields();
}

void CRecordset::ReadColumn(int nColumn, CDBValue& value)
{
    if (!m_bForward || !m_bDemandRead)
    {
        const CDBRow* pRow = CurrentRow();
        value = pRow != NULL && (size_t)nColumn < pRow->size() ? (*pRow)[nColumn] : CDBValue();
        return;
    }
    if (m_nRow < 0 || m_bEOF)
    {
        value = CDBValue();
        return;
    }
    m_asked[nColumn] = true;
    if (m_block.IsColumnBound(nColumn))
    {
        m_block.Read(m_nBlockRow, nColumn, value);
        return;
    }
    if (m_block.GetBlockRows() == 1)
    {
        // The fetch brought this row alone: the driver reads its columns,
        // each once.
        if (!m_gotColumns[nColumn])
        {
            m_forwardRow[nColumn] =
                DBFetchColumn(m_hstmt, (SQLUSMALLINT)(nColumn + 1), m_columns[nColumn].m_nSQLType);
            m_gotColumns[nColumn] = true;
        }
        value = m_forwardRow[nColumn];
        return;
    }
    // A column first asked for within a block of rows: the rows are kept
    // instead, every column read.
    KeepRows();
    ReadColumn(nColumn, value);
}

const CDBRow* CRecordset::WholeCurrentRow()
{
    if (m_bForward && m_bDemandRead)
        KeepRows();
    return CurrentRow();
}

BOOL CRecordset::MoveForward(long nRows, WORD wFetchType)
{
    if (wFetchType == SQL_FETCH_FIRST && m_nRow <= 0)
    {
        LoadForwardRow();
        return TRUE;
    }
    if (wFetchType != SQL_FETCH_NEXT && (wFetchType != SQL_FETCH_RELATIVE || nRows < 0))
        return FALSE;
    for (long step = 0; step < nRows; ++step)
    {
        if (m_bEOF)
            ThrowState(AFX_SQL_ERROR_NO_CURRENT_RECORD, "Attempt to move past the end of the result.");
        if (++m_nBlockRow < m_block.GetRowCount())
        {
            ++m_nRow;
            continue;
        }
        FetchForward(m_nRow + 1);
        if (!m_bForward)
        {
            // A text too long for its buffer: the rest of the move goes
            // over the rows kept instead.
            Move(nRows - step - 1, SQL_FETCH_RELATIVE);
            return TRUE;
        }
        if (m_bEOF)
            break;
    }
    LoadForwardRow();
    return TRUE;
}

void CRecordset::KeepRows()
{
    if (!m_bForward)
        return;
    long nRow = m_nRow;
    m_bForward = FALSE;
    m_bDemandRead = FALSE;
    m_block.Unbind(m_hstmt);
    Execute();
    BOOL bReached = FetchTo(nRow < 0 ? 0 : (size_t)nRow);
    StandOn(nRow < 0 ? -1 : bReached ? nRow : (long)m_rows.size());
}
