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

    // Binds the columns of the executed statement that pColumns marks (NULL:
    // every column), for blocks of up to nMaxRows rows (0: as many as fit a
    // few hundred kilobytes); FALSE, with nothing bound, when such a column
    // has no bounded form (long, wide or binary data, or text of no known
    // size).  The bindings hold while the statement runs again.
    BOOL Bind(SQLHSTMT hstmt, const std::vector<CODBCFieldInfo>& columns, size_t nMaxRows = 0,
              const std::vector<bool>* pColumns = NULL);
    // Unbinds and gives the statement back its row-set size of one.
    void Unbind(SQLHSTMT hstmt);
    // Forgets the bindings of a statement that is freed.
    void Reset();
    BOOL IsBound() const { return m_nRows > 0; }
    BOOL IsColumnBound(size_t nColumn) const { return nColumn < m_columns.size() && m_columns[nColumn].nWidth > 0; }
    // The rows one fetch brings.
    size_t GetBlockRows() const { return m_nRows; }

    enum FetchResult
    {
        fetchRows,       // GetRowCount() rows are in the buffers
        fetchEnd,        // no row is left
        fetchTruncated,  // a text was longer than its buffer: read it otherwise
    };
    // Fetches the next block; driver failures throw CDBException.
    FetchResult Fetch(SQLHSTMT hstmt);
    size_t GetRowCount() const { return (size_t)m_nFetched; }
    // Column nColumn (0-based, bound) of row nRow of the block, into value;
    // its text buffer is reused.
    void Read(size_t nRow, size_t nColumn, CDBValue& value) const;
    // Every column of row nRow, into row (every column bound).
    void ReadRow(size_t nRow, CDBRow& row) const;
    // The text of column nColumn of row nRow did not fit its buffer: Read
    // gives only its start.
    BOOL IsTruncated(size_t nRow, size_t nColumn) const;

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
        SQLLEN nWidth;      // 0 for a column not bound
        std::vector<char> data;
        std::vector<Indicator> lengths;
    };

    std::vector<Column> m_columns;
    size_t m_nRows;
    SQLULEN m_nFetched;
};
