// Block fetches of a read-only result: every column bound to a buffer of
// many rows, so one SQLFetch brings a block of rows and no value needs a
// call of its own.
#pragma once

#include <vector>

#include "framework/db/DBValue.h"

struct CODBCFieldInfo;

class CDBRowBlock
{
public:
    CDBRowBlock() : m_nRows(0), m_nFetched(0) {}
    CDBRowBlock(const CDBRowBlock&) = delete;
    CDBRowBlock& operator=(const CDBRowBlock&) = delete;

    // Binds every column of the executed statement; FALSE, with nothing
    // bound, when a column has no bounded form (long, wide or binary data,
    // or text of no known size).
    BOOL Bind(SQLHSTMT hstmt, const std::vector<CODBCFieldInfo>& columns);
    // Unbinds and gives the statement back its row-set size of one.
    void Unbind(SQLHSTMT hstmt);
    BOOL IsBound() const { return m_nRows > 0; }

    enum FetchResult
    {
        fetchRows,       // GetRowCount() rows are in the buffers
        fetchEnd,        // no row is left
        fetchTruncated,  // a text was longer than its buffer: read it otherwise
    };
    // Fetches the next block; driver failures throw CDBException.
    FetchResult Fetch(SQLHSTMT hstmt);
    size_t GetRowCount() const { return (size_t)m_nFetched; }
    // Column nColumn (0-based) of row nRow of the block, into value; its
    // text buffer is reused.
    void Read(size_t nRow, size_t nColumn, CDBValue& value) const;
    // Every column of row nRow, into row.
    void ReadRow(size_t nRow, CDBRow& row) const;

private:
    // A length or NULL indicator of one row.
    struct Indicator
    {
        SQLLEN n;
    };
    struct Column
    {
        CDBValue::Kind kind;
        SQLSMALLINT nCType;
        SQLLEN nWidth;
        std::vector<char> data;
        std::vector<Indicator> lengths;
    };

    std::vector<Column> m_columns;
    size_t m_nRows;
    SQLULEN m_nFetched;
};
