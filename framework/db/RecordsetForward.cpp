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
    m_bForward = (m_dwOptions & readOnly) != 0 && m_block.Bind(m_hstmt, m_columns);
    if (m_bForward)
    {
        FetchForward(0);
        LoadForwardRow();
        return;
    }
    StandOn(FetchTo(0) ? 0 : -1);
    m_bBOF = m_bEOF = m_rows.empty();
}

void CRecordset::FetchForward(long nRow)
{
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
    if (m_bForward && !m_bEOF)
        m_block.ReadRow(m_nBlockRow, m_forwardRow);
    LoadFields();
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
    m_block.Unbind(m_hstmt);
    Execute();
    BOOL bReached = FetchTo(nRow < 0 ? 0 : (size_t)nRow);
    StandOn(nRow < 0 ? -1 : bReached ? nRow : (long)m_rows.size());
}
