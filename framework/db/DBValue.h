// One column value of an ODBC result row as the recordset caches it, and
// the two ways it crosses the ODBC API: read from a result column and bound
// as a statement parameter.
#pragma once

#include <vector>

#include "framework/db/OdbcException.h"
#include <sqlucode.h>

class CDBValue
{
public:
    enum Kind
    {
        kindNull,
        kindInteger,
        kindReal,
        kindText,       // ANSI text
        kindTimestamp,
        kindBinary      // bytes held in m_str
    };

    CDBValue() : m_kind(kindNull), m_n(0), m_d(0), m_ts(), m_bInexact(FALSE) {}
    static CDBValue Integer(LONGLONG n);
    static CDBValue Real(double d);
    static CDBValue Text(LPCSTR lpsz);
    static CDBValue Timestamp(const TIMESTAMP_STRUCT& ts);
    static CDBValue Binary(const void* pData, int nCount);

    BOOL IsNull() const { return m_kind == kindNull; }
    // Same kind and same value; texts and bytes compare exactly.
    bool operator==(const CDBValue& other) const;
    bool operator!=(const CDBValue& other) const { return !operator==(other); }

    // The value as text: integers in decimal, reals with 15 significant
    // digits, timestamps as "YYYY-MM-DD HH:MM:SS"; NULL gives "".
    CString AsText() const;
    LONGLONG AsInteger() const;
    double AsReal() const;

    Kind m_kind;
    LONGLONG m_n;
    double m_d;
    CString m_str;
    TIMESTAMP_STRUCT m_ts;
    // A text read from the driver with characters the system code page
    // lacks, shown as '?': it is not the stored text, so it cannot find
    // its row.
    BOOL m_bInexact;
};

typedef std::vector<CDBValue> CDBRow;

// A variant as a value: text variants hold ANSI bytes (the form the engines
// and the programs exchange), dates become timestamps, currency a real.
// Types with no value form throw COleException(DISP_E_TYPEMISMATCH).
CDBValue DBValueFromVariant(const VARIANT& var);
// A timestamp as an OLE date, and back.
DATE DBTimestampToDate(const TIMESTAMP_STRUCT& ts);
TIMESTAMP_STRUCT DBDateToTimestamp(DATE date);

// The C type the recordset reads a column of this SQL type as.
CDBValue::Kind DBValueKindOfSqlType(SQLSMALLINT nSqlType);

// Reads column nColumn (1-based) of the current row of hstmt; long text and
// binary values are read in pieces, wide text is turned into ANSI text.
// Throws CDBException when the driver fails.
CDBValue DBFetchColumn(SQLHSTMT hstmt, SQLUSMALLINT nColumn, SQLSMALLINT nSqlType);

// Parameter storage that outlives the statement's execution.  A statement
// run again and again keeps its bindings: a value of the same type and
// size only replaces the bytes in the bound buffer.
class CDBParamBuffers
{
public:
    // Binds value as parameter nParam (1-based).  nSqlType and the size and
    // scale describe the target column when known (0: chosen by the value).
    void Bind(SQLHSTMT hstmt, SQLUSMALLINT nParam, const CDBValue& value, SQLSMALLINT nSqlType = 0,
              SQLULEN nColumnSize = 0, SQLSMALLINT nScale = 0);
    void Clear();

private:
    struct Buffer
    {
        std::vector<BYTE> data;
        SQLLEN indicator;
        // How the buffer is bound.
        SQLHSTMT hstmt;
        SQLSMALLINT cType;
        SQLSMALLINT sqlType;
        SQLULEN columnSize;
        SQLSMALLINT scale;
    };
    // Indexed by parameter number - 1; NULL for a parameter not bound.
    std::vector<Buffer*> m_buffers;
    // The value being bound, and its text for the driver.
    Buffer m_next;
    CString m_text;

public:
    CDBParamBuffers() {}
    CDBParamBuffers(const CDBParamBuffers&) = delete;
    CDBParamBuffers& operator=(const CDBParamBuffers&) = delete;
    ~CDBParamBuffers() { Clear(); }
};
