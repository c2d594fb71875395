// One table of a file data source as it is moved between the source files
// and the temporary database: column names from the header, rows of text
// values, and which values are NULL or were numbers in the source.
#pragma once

#include <string.h>

#include <string>
#include <utility>
#include <vector>

#include "framework/core/String.h"

struct CSourceValue
{
    CString m_strText;
    bool m_bNull = true;
    bool m_bNumber = false;  // the source cell held a number
};

// A field as the file defines it, for formats whose fields have a type
// and a size: kept so that a table is written back as it was made.
struct CSourceField
{
    CString m_strName;    // as the file spells it
    char m_chType = 'C';  // the format's own type code
    int m_nWidth = 0;
    int m_nDecimals = 0;
};

// The rows of a table handed out one at a time, so that a large table
// goes between its file and the temporary database without being held
// whole.
class CSourceRowReader
{
public:
    virtual ~CSourceRowReader() {}
    // Fills row with the next row (the texts keep their buffers from row
    // to row); FALSE after the last row, with strReason set when the rows
    // cannot be read.
    virtual BOOL Next(std::vector<CSourceValue>& row, CString& strReason) = 0;
};

struct CSourceTable
{
    CString m_strName;
    std::vector<CString> m_columns;
    std::vector<std::vector<CSourceValue>> m_rows;
    // One per column, for formats with typed fields; empty otherwise.
    std::vector<CSourceField> m_fields;
    // The file's code page mark where its format has one (.dbf "LDID/87").
    CString m_strCodePage;
    // The version of its format the file was read in, where the format has
    // several (Excel: the BIFF version; Lotus: a LotusFormat); else 0.
    int m_nVersion = 0;
    // How many of the first fields make the table's primary key (a keyed
    // Paradox table); 0 for a table without one.
    int m_nKeyFields = 0;
    // Where set, m_rows is empty and the rows come from here, read once;
    // only the dBase and Excel writers and the copy into the temporary
    // database take such a table.
    CSourceRowReader* m_pRowReader = nullptr;
    // Where set, this file, as it stands, begins the table: its first
    // m_nKeptRecords records are the table's first rows, unchanged since
    // they were read or last written, and the rows given (m_rows or the
    // row reader) are only those added after them.  Only the dBase writer
    // takes such a table.
    CString m_strKeptFile;
    int m_nKeptRecords = 0;
    // The file holds the table as it is (no change since it was read or
    // last written): a writer that can keeps the file's own records of it
    // (the Excel writer: the sheet with its formulas and formats).
    bool m_bAsInFile = false;
    // Where set, the columns' widths in screen pixels at 96 DPI, one per
    // column (0 keeps the default); only the Excel writer takes them.
    std::vector<int> m_columnWidths;
};

// Sets the text to the nLength bytes at p, in the buffer it has when that
// is large enough: a row read into the texts of the row before allocates
// nothing.
inline void SetSourceText(CString& strText, const char* p, int nLength)
{
    if (nLength == 0 && strText.IsEmpty())
        return;
    char* pBuffer = strText.GetBuffer(nLength);
    if (nLength > 0)
        memcpy(pBuffer, p, (size_t)nLength);
    strText.ReleaseBuffer(nLength);
}

// Moves every row the reader hands out to the end of rows; FALSE with the
// reader's reason when the rows cannot be read.
inline BOOL ReadSourceRows(CSourceRowReader& reader, std::vector<std::vector<CSourceValue>>& rows,
                           CString& strReason)
{
    std::vector<CSourceValue> row;
    CString strRead;
    while (reader.Next(row, strRead))
    {
        rows.push_back(std::move(row));
        row.clear();
    }
    if (strRead.IsEmpty())
        return TRUE;
    strReason = strRead;
    return FALSE;
}

// Reads the rows of each table that has a row reader into its m_rows, and
// forgets the reader; FALSE with the reason of the first reader that fails.
inline BOOL HoldSourceRows(std::vector<CSourceTable>& tables, CString& strReason)
{
    for (CSourceTable& table : tables)
    {
        if (table.m_pRowReader != nullptr && !ReadSourceRows(*table.m_pRowReader, table.m_rows, strReason))
            return FALSE;
        table.m_pRowReader = nullptr;
    }
    return TRUE;
}

// Calls each(row), which gives FALSE to stop, for the table's rows in
// order: its m_rows, or what its row reader hands out.  FALSE when each
// stopped (strReason is each's to set) or the reader failed (with its
// reason).
template <class Each>
BOOL ForEachSourceRow(const CSourceTable& table, CString& strReason, Each each)
{
    if (table.m_pRowReader == nullptr)
    {
        for (const std::vector<CSourceValue>& row : table.m_rows)
            if (!each(row))
                return FALSE;
        return TRUE;
    }
    std::vector<CSourceValue> row;
    CString strRead;
    while (table.m_pRowReader->Next(row, strRead))
        if (!each(row))
            return FALSE;
    if (strRead.IsEmpty())
        return TRUE;
    strReason = strRead;
    return FALSE;
}

// Reads a comma-separated table whose first line names the columns.
// Quoted fields may hold commas, doubled quotes and line breaks; an empty
// unquoted field is NULL, a quoted empty field is the empty text.  FALSE
// with the reason when the text is no such table.
BOOL ParseCsvTable(const CString& strText, CSourceTable& table, CString& strError);
// The table as comma-separated text that ParseCsvTable reads back as it is.
CString CsvTableText(const CSourceTable& table);
