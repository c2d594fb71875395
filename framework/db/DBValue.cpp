#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "framework/db/DBValue.h"

#include "framework/db/DBText.h"

CDBValue CDBValue::Integer(LONGLONG n)
{
    CDBValue v;
    v.m_kind = kindInteger;
    v.m_n = n;
    return v;
}

CDBValue CDBValue::Real(double d)
{
    CDBValue v;
    v.m_kind = kindReal;
    v.m_d = d;
    return v;
}

CDBValue CDBValue::Text(LPCSTR lpsz)
{
    CDBValue v;
    v.m_kind = kindText;
    v.m_str = lpsz;
    return v;
}

CDBValue CDBValue::Timestamp(const TIMESTAMP_STRUCT& ts)
{
    CDBValue v;
    v.m_kind = kindTimestamp;
    v.m_ts = ts;
    return v;
}

CDBValue CDBValue::Binary(const void* pData, int nCount)
{
    CDBValue v;
    v.m_kind = kindBinary;
    v.m_str = CString((LPCSTR)pData, nCount);
    return v;
}

bool CDBValue::operator==(const CDBValue& other) const
{
    if (m_kind != other.m_kind)
        return false;
    switch (m_kind)
    {
    case kindNull:
        return true;
    case kindInteger:
        return m_n == other.m_n;
    case kindReal:
        return m_d == other.m_d;
    case kindTimestamp:
        return memcmp(&m_ts, &other.m_ts, sizeof(m_ts)) == 0;
    default:
        return m_str.GetLength() == other.m_str.GetLength() &&
               memcmp((LPCSTR)m_str, (LPCSTR)other.m_str, m_str.GetLength()) == 0;
    }
}

CString CDBValue::AsText() const
{
    CString text;
    switch (m_kind)
    {
    case kindNull:
        break;
    case kindInteger:
        text.Format("%lld", (long long)m_n);
        break;
    case kindReal:
        text.Format("%.15g", m_d);
        break;
    case kindTimestamp:
        text.Format("%04d-%02u-%02u %02u:%02u:%02u", (int)m_ts.year, (unsigned)m_ts.month,
                    (unsigned)m_ts.day, (unsigned)m_ts.hour, (unsigned)m_ts.minute,
                    (unsigned)m_ts.second);
        break;
    default:
        text = m_str;
        break;
    }
    return text;
}

LONGLONG CDBValue::AsInteger() const
{
    switch (m_kind)
    {
    case kindInteger:
        return m_n;
    case kindReal:
        return (LONGLONG)m_d;
    case kindText:
        return strtoll(m_str, NULL, 10);
    default:
        return 0;
    }
}

double CDBValue::AsReal() const
{
    switch (m_kind)
    {
    case kindInteger:
        return (double)m_n;
    case kindReal:
        return m_d;
    case kindText:
        return strtod(m_str, NULL);
    default:
        return 0;
    }
}

CDBValue::Kind DBValueKindOfSqlType(SQLSMALLINT nSqlType)
{
    switch (nSqlType)
    {
    case SQL_BIT:
    case SQL_TINYINT:
    case SQL_SMALLINT:
    case SQL_INTEGER:
    case SQL_BIGINT:
        return CDBValue::kindInteger;
    case SQL_REAL:
    case SQL_FLOAT:
    case SQL_DOUBLE:
        return CDBValue::kindReal;
    case SQL_DATE:
    case SQL_TIME:
    case SQL_TIMESTAMP:
    case SQL_TYPE_DATE:
    case SQL_TYPE_TIME:
    case SQL_TYPE_TIMESTAMP:
        return CDBValue::kindTimestamp;
    case SQL_BINARY:
    case SQL_VARBINARY:
    case SQL_LONGVARBINARY:
        return CDBValue::kindBinary;
    default:
        // Character, decimal, GUID and every type this layer does not know:
        // the driver's text form loses nothing.
        return CDBValue::kindText;
    }
}

namespace
{

BOOL IsWideType(SQLSMALLINT nSqlType)
{
    return nSqlType == SQL_WCHAR || nSqlType == SQL_WVARCHAR || nSqlType == SQL_WLONGVARCHAR;
}

void CheckData(SQLRETURN rc, SQLHSTMT hstmt)
{
    if (!SQL_SUCCEEDED(rc))
        AfxThrowDBException(rc, SQL_HANDLE_STMT, hstmt);
}

// Reads a character or binary column in pieces; nTerminator is the size of
// the terminator the driver puts after each piece (0 for binary data).
// Returns FALSE for NULL.
BOOL FetchPieces(SQLHSTMT hstmt, SQLUSMALLINT nColumn, SQLSMALLINT nCType, int nTerminator,
                 std::vector<BYTE>& data)
{
    BYTE piece[4096];
    data.clear();
    for (;;)
    {
        SQLLEN length = 0;
        SQLRETURN rc = SQLGetData(hstmt, nColumn, nCType, piece, sizeof(piece), &length);
        if (rc == SQL_NO_DATA)
            break;
        CheckData(rc, hstmt);
        if (length == SQL_NULL_DATA)
            return FALSE;
        size_t room = sizeof(piece) - nTerminator;
        size_t got = (length == SQL_NO_TOTAL || (size_t)length > room) ? room : (size_t)length;
        // Wide pieces hold whole characters only.
        if (nTerminator > 1)
            got -= got % nTerminator;
        data.insert(data.end(), piece, piece + got);
        if (rc == SQL_SUCCESS)
            break;
    }
    return TRUE;
}

} // namespace

CDBValue DBFetchColumn(SQLHSTMT hstmt, SQLUSMALLINT nColumn, SQLSMALLINT nSqlType)
{
    SQLLEN length = 0;
    switch (DBValueKindOfSqlType(nSqlType))
    {
    case CDBValue::kindInteger:
    {
        SQLBIGINT n = 0;
        CheckData(SQLGetData(hstmt, nColumn, SQL_C_SBIGINT, &n, sizeof(n), &length), hstmt);
        return length == SQL_NULL_DATA ? CDBValue() : CDBValue::Integer(n);
    }
    case CDBValue::kindReal:
    {
        double d = 0;
        CheckData(SQLGetData(hstmt, nColumn, SQL_C_DOUBLE, &d, sizeof(d), &length), hstmt);
        return length == SQL_NULL_DATA ? CDBValue() : CDBValue::Real(d);
    }
    case CDBValue::kindTimestamp:
    {
        TIMESTAMP_STRUCT ts = {};
        CheckData(SQLGetData(hstmt, nColumn, SQL_C_TYPE_TIMESTAMP, &ts, sizeof(ts), &length), hstmt);
        return length == SQL_NULL_DATA ? CDBValue() : CDBValue::Timestamp(ts);
    }
    case CDBValue::kindBinary:
    {
        std::vector<BYTE> data;
        if (!FetchPieces(hstmt, nColumn, SQL_C_BINARY, 0, data))
            return CDBValue();
        return CDBValue::Binary(data.data(), (int)data.size());
    }
    default:
        break;
    }
    std::vector<BYTE> data;
    if (IsWideType(nSqlType))
    {
        if (!FetchPieces(hstmt, nColumn, SQL_C_WCHAR, sizeof(WCHAR), data))
            return CDBValue();
        int count = (int)(data.size() / sizeof(WCHAR));
        CDBValue v = CDBValue::Text("");
        if (count > 0)
        {
            const WCHAR* wide = (const WCHAR*)data.data();
            int bytes = WideCharToMultiByte(CP_ACP, 0, wide, count, NULL, 0, NULL, NULL);
            char* buffer = v.m_str.GetBuffer(bytes);
            WideCharToMultiByte(CP_ACP, 0, wide, count, buffer, bytes, NULL, NULL);
            v.m_str.ReleaseBuffer(bytes);
        }
        return v;
    }
    if (!FetchPieces(hstmt, nColumn, SQL_C_CHAR, 1, data))
        return CDBValue();
    CDBValue v;
    v.m_kind = CDBValue::kindText;
    DBTextFromDriver((const char*)data.data(), (int)data.size(), v.m_str, CP_ACP, &v.m_bInexact);
    return v;
}

void CDBParamBuffers::Clear()
{
    for (Buffer* b : m_buffers)
        delete b;
    m_buffers.clear();
}

void CDBParamBuffers::Bind(SQLHSTMT hstmt, SQLUSMALLINT nParam, const CDBValue& value,
                           SQLSMALLINT nSqlType, SQLULEN nColumnSize, SQLSMALLINT nScale)
{
    // The bytes are made in m_next, whose buffer the next call reuses.
    Buffer* b = &m_next;
    SQLSMALLINT cType = SQL_C_CHAR;
    SQLSMALLINT sqlType = nSqlType;
    b->indicator = 0;
    switch (value.m_kind)
    {
    case CDBValue::kindNull:
        b->data.assign(1, 0);
        b->indicator = SQL_NULL_DATA;
        if (sqlType == 0)
            sqlType = SQL_VARCHAR;
        nColumnSize = nColumnSize ? nColumnSize : 1;
        break;
    case CDBValue::kindInteger:
    {
        SQLBIGINT n = value.m_n;
        b->data.assign((BYTE*)&n, (BYTE*)&n + sizeof(n));
        cType = SQL_C_SBIGINT;
        if (sqlType == 0)
            sqlType = (n >= -2147483647LL - 1 && n <= 2147483647LL) ? SQL_INTEGER : SQL_BIGINT;
        b->indicator = sizeof(n);
        break;
    }
    case CDBValue::kindReal:
        b->data.assign((BYTE*)&value.m_d, (BYTE*)&value.m_d + sizeof(double));
        cType = SQL_C_DOUBLE;
        if (sqlType == 0)
            sqlType = SQL_DOUBLE;
        b->indicator = sizeof(double);
        break;
    case CDBValue::kindTimestamp:
        b->data.assign((BYTE*)&value.m_ts, (BYTE*)&value.m_ts + sizeof(TIMESTAMP_STRUCT));
        cType = SQL_C_TYPE_TIMESTAMP;
        if (sqlType == 0)
            sqlType = SQL_TYPE_TIMESTAMP;
        nColumnSize = 19;
        b->indicator = sizeof(TIMESTAMP_STRUCT);
        break;
    case CDBValue::kindBinary:
        b->data.assign((LPCSTR)value.m_str, (LPCSTR)value.m_str + value.m_str.GetLength());
        b->data.push_back(0);
        cType = SQL_C_BINARY;
        if (sqlType == 0)
            sqlType = SQL_VARBINARY;
        b->indicator = value.m_str.GetLength();
        nColumnSize = value.m_str.GetLength() > 0 ? value.m_str.GetLength() : 1;
        break;
    case CDBValue::kindText:
        if (sqlType == 0)
            sqlType = SQL_VARCHAR;
        if (IsWideType(sqlType))
        {
            int count = MultiByteToWideChar(CP_ACP, 0, value.m_str, value.m_str.GetLength(), NULL, 0);
            b->data.assign((count + 1) * sizeof(WCHAR), 0);
            MultiByteToWideChar(CP_ACP, 0, value.m_str, value.m_str.GetLength(), (WCHAR*)b->data.data(),
                                count);
            cType = SQL_C_WCHAR;
            b->indicator = count * sizeof(WCHAR);
            nColumnSize = count > 0 ? count : 1;
        }
        else
        {
            DBTextToDriver(value.m_str, value.m_str.GetLength(), m_text);
            b->data.assign((LPCSTR)m_text, (LPCSTR)m_text + m_text.GetLength());
            b->data.push_back(0);
            b->indicator = m_text.GetLength();
            if (nColumnSize == 0 || DBValueKindOfSqlType(sqlType) == CDBValue::kindText)
                nColumnSize = m_text.IsEmpty() ? 1 : m_text.GetLength();
        }
        break;
    }
    if (sqlType != SQL_NUMERIC && sqlType != SQL_DECIMAL)
        nScale = 0;
    if (m_buffers.size() < nParam)
        m_buffers.resize(nParam, NULL);
    Buffer*& bound = m_buffers[nParam - 1];
    if (bound != NULL && bound->hstmt == hstmt && bound->cType == cType && bound->sqlType == sqlType &&
        bound->columnSize == nColumnSize && bound->scale == nScale && bound->data.size() == m_next.data.size())
    {
        // The same binding: the driver reads the new bytes at the next execution.
        memcpy(bound->data.data(), m_next.data.data(), m_next.data.size());
        bound->indicator = m_next.indicator;
        return;
    }
    if (bound == NULL)
        bound = new Buffer;
    bound->data.swap(m_next.data);
    bound->indicator = m_next.indicator;
    bound->hstmt = SQL_NULL_HSTMT;
    SQLRETURN rc = SQLBindParameter(hstmt, nParam, SQL_PARAM_INPUT, cType, sqlType, nColumnSize,
                                    nScale, bound->data.data(), (SQLLEN)bound->data.size(), &bound->indicator);
    if (!SQL_SUCCEEDED(rc))
        AfxThrowDBException(rc, SQL_HANDLE_STMT, hstmt);
    bound->hstmt = hstmt;
    bound->cType = cType;
    bound->sqlType = sqlType;
    bound->columnSize = nColumnSize;
    bound->scale = nScale;
}
