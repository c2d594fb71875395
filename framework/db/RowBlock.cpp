// Recordset.h (which includes RowBlock.h) goes first: its standard
// headers must come before the platform's min and max macros.
#include "framework/db/Recordset.h"

#include <string.h>

#include "framework/db/DBText.h"

namespace
{

// Text longer than this is read by SQLGetData in pieces instead.
const SQLULEN kMaxBoundText = 4000;
// About this many bytes of buffers per block.
const size_t kBlockBytes = 256 * 1024;
const size_t kMaxBlockRows = 256;

// The buffer width of a column, 0 when it is not bound.
SQLLEN BoundWidth(const CODBCFieldInfo& info, CDBValue::Kind kind)
{
    switch (kind)
    {
    case CDBValue::kindInteger:
        return sizeof(SQLBIGINT);
    case CDBValue::kindReal:
        return sizeof(double);
    case CDBValue::kindTimestamp:
        return sizeof(TIMESTAMP_STRUCT);
    case CDBValue::kindText:
        if (info.m_nSQLType == SQL_WCHAR || info.m_nSQLType == SQL_WVARCHAR || info.m_nSQLType == SQL_WLONGVARCHAR ||
            info.m_nSQLType == SQL_LONGVARCHAR || info.m_nPrecision == 0 || info.m_nPrecision > kMaxBoundText)
            return 0;
        // Numbers in text form add a sign, a point and an exponent to their
        // digits.
        return (SQLLEN)(info.m_nPrecision < 32 ? 32 : info.m_nPrecision) + 1;
    default:
        return 0;
    }
}

SQLSMALLINT BoundCType(CDBValue::Kind kind)
{
    switch (kind)
    {
    case CDBValue::kindInteger:
        return SQL_C_SBIGINT;
    case CDBValue::kindReal:
        return SQL_C_DOUBLE;
    case CDBValue::kindTimestamp:
        return SQL_C_TYPE_TIMESTAMP;
    default:
        return SQL_C_CHAR;
    }
}

} // namespace

BOOL CDBRowBlock::Bind(SQLHSTMT hstmt, const std::vector<CODBCFieldInfo>& columns, size_t nMaxRows,
                       const std::vector<bool>* pColumns)
{
    // Bindings left from before would point into buffers freed here.
    if (IsBound())
        SQLFreeStmt(hstmt, SQL_UNBIND);
    Reset();
    size_t nRowBytes = 0;
    std::vector<Column> bound(columns.size());
    for (size_t c = 0; c < columns.size(); ++c)
    {
        bound[c].kind = DBValueKindOfSqlType(columns[c].m_nSQLType);
        bound[c].nCType = BoundCType(bound[c].kind);
        bound[c].nWidth = 0;
        if (pColumns != NULL && (c >= pColumns->size() || !(*pColumns)[c]))
            continue;
        bound[c].nWidth = BoundWidth(columns[c], bound[c].kind);
        if (bound[c].nWidth == 0)
            return FALSE;
        nRowBytes += (size_t)bound[c].nWidth + sizeof(SQLLEN);
    }
    size_t nRows = nRowBytes > 0 ? kBlockBytes / nRowBytes : kMaxBlockRows;
    nRows = nRows < 1 ? 1 : nRows > kMaxBlockRows ? kMaxBlockRows : nRows;
    if (nMaxRows > 0 && nRows > nMaxRows)
        nRows = nMaxRows;
    if (!SQL_SUCCEEDED(SQLSetStmtAttr(hstmt, SQL_ATTR_ROW_BIND_TYPE, (SQLPOINTER)SQL_BIND_BY_COLUMN, 0)) ||
        !SQL_SUCCEEDED(SQLSetStmtAttr(hstmt, SQL_ATTR_ROW_ARRAY_SIZE, (SQLPOINTER)nRows, 0)) ||
        !SQL_SUCCEEDED(SQLSetStmtAttr(hstmt, SQL_ATTR_ROWS_FETCHED_PTR, &m_nFetched, 0)))
    {
        Unbind(hstmt);
        return FALSE;
    }
    for (size_t c = 0; c < bound.size(); ++c)
    {
        Column& column = bound[c];
        if (column.nWidth == 0)
            continue;
        column.data.resize(nRows * (size_t)column.nWidth);
        column.lengths.resize(nRows);
        SQLRETURN rc = SQLBindCol(hstmt, (SQLUSMALLINT)(c + 1), column.nCType, column.data.data(), column.nWidth,
                                  &column.lengths[0].n);
        if (!SQL_SUCCEEDED(rc))
        {
            Unbind(hstmt);
            return FALSE;
        }
    }
    m_columns.swap(bound);
    m_nRows = nRows;
    return TRUE;
}

void CDBRowBlock::Unbind(SQLHSTMT hstmt)
{
    SQLFreeStmt(hstmt, SQL_UNBIND);
    SQLSetStmtAttr(hstmt, SQL_ATTR_ROWS_FETCHED_PTR, NULL, 0);
    SQLSetStmtAttr(hstmt, SQL_ATTR_ROW_ARRAY_SIZE, (SQLPOINTER)1, 0);
    Reset();
}

void CDBRowBlock::Reset()
{
    m_columns.clear();
    m_nRows = 0;
    m_nFetched = 0;
}

CDBRowBlock::FetchResult CDBRowBlock::Fetch(SQLHSTMT hstmt)
{
    m_nFetched = 0;
    SQLRETURN rc = SQLFetch(hstmt);
    if (rc == SQL_NO_DATA)
        return fetchEnd;
    if (!SQL_SUCCEEDED(rc))
        AfxThrowDBException(rc, SQL_HANDLE_STMT, hstmt);
    if (rc == SQL_SUCCESS_WITH_INFO)
    {
        for (size_t c = 0; c < m_columns.size(); ++c)
            for (size_t r = 0; IsColumnBound(c) && r < (size_t)m_nFetched; ++r)
                if (IsTruncated(r, c))
                    return fetchTruncated;
    }
    return m_nFetched > 0 ? fetchRows : fetchEnd;
}

BOOL CDBRowBlock::IsTruncated(size_t nRow, size_t nColumn) const
{
    if (!IsColumnBound(nColumn))
        return FALSE;
    const Column& column = m_columns[nColumn];
    SQLLEN length = column.lengths[nRow].n;
    return column.nCType == SQL_C_CHAR &&
           (length == SQL_NO_TOTAL || (length != SQL_NULL_DATA && length >= column.nWidth));
}

void CDBRowBlock::Read(size_t nRow, size_t nColumn, CDBValue& value) const
{
    const Column& column = m_columns[nColumn];
    SQLLEN length = column.lengths[nRow].n;
    const char* p = column.data.data() + nRow * (size_t)column.nWidth;
    value.m_bInexact = FALSE;
    if (length == SQL_NULL_DATA)
    {
        value.m_kind = CDBValue::kindNull;
        if (!value.m_str.IsEmpty())
            value.m_str.GetBufferSetLength(0);
        return;
    }
    value.m_kind = column.kind;
    switch (column.kind)
    {
    case CDBValue::kindInteger:
        memcpy(&value.m_n, p, sizeof(SQLBIGINT));
        break;
    case CDBValue::kindReal:
        memcpy(&value.m_d, p, sizeof(double));
        break;
    case CDBValue::kindTimestamp:
        memcpy(&value.m_ts, p, sizeof(TIMESTAMP_STRUCT));
        break;
    default:
    {
        // A truncated text holds as much as its buffer, before the '\0'.
        SQLLEN n = IsTruncated(nRow, nColumn) ? column.nWidth - 1 : length;
        DBTextFromDriver(p, (int)n, value.m_str, CP_ACP, &value.m_bInexact);
        break;
    }
    }
}

void CDBRowBlock::ReadRow(size_t nRow, CDBRow& row) const
{
    row.resize(m_columns.size());
    for (size_t c = 0; c < m_columns.size(); ++c)
        Read(nRow, c, row[c]);
}
