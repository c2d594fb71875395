// The temporary database that a file source is worked on in.  Besides the
// source's tables (every column text, so values come back as they were
// read) it keeps, in tables whose names begin with "MSys":
// - which source it copies, and the file of each table with the version of
//   its format the file was read in;
// - each table's fields as the file defines them;
// - which tables changed since they were last written back, and whether
//   only by added rows (set by triggers, so a rolled-back change leaves no
//   mark), with the rows their files held then and the files' stamps;
// - for spreadsheet sources, which cells held numbers, per row, with
//   changed cells marked for the write-back to judge.
// Every name and text is kept as UTF-8, as the databases the programs work
// on keep them; table names are given and taken in the system code page,
// but a workbook's (its sheets' names) and an HTML document's (its
// tables' captions) in UTF-8, so that every name a table can have goes
// back to its file.
// All this lives in the file, so a copy left by a session that died can be
// written back by the next one.
#pragma once

#include <memory>
#include <vector>

#include "engines/dao/SourceFiles.h"
#include "engines/dao/SourceTable.h"

class CDaoDatabase;
class CDaoException;
class CDaoStatement;
struct sqlite3;

// The rows of a table of the copy as they are to go back to its file, read
// one at a time.  A database failure ends them; the writer is given its
// description, and ThrowFailure throws it, as the copy's other reads do.
class CSourceCopyRows : public CSourceRowReader
{
public:
    CSourceCopyRows();
    ~CSourceCopyRows() override;
    BOOL Next(std::vector<CSourceValue>& row, CString& strReason) override;
    void ThrowFailure();

private:
    friend class CSourceCopy;
    CSourceCopyRows(const CSourceCopyRows&) = delete;
    CSourceCopyRows& operator=(const CSourceCopyRows&) = delete;

    sqlite3* m_pDb;
    std::unique_ptr<CDaoStatement> m_pRows;
    BOOL m_bCellKinds;
    // The rows go back to files of the system code page (see CSourceCopy).
    BOOL m_bCodePageTexts;
    // Per column its field type, or for spreadsheet sources its kind.
    std::vector<char> m_columnKinds;
    // For spreadsheet sources: the cell kinds of each row by rowid.
    struct CRowKinds;
    std::unique_ptr<CRowKinds> m_pRowKinds;
    CDaoException* m_pFailure;
};

// A table whose rows were only added to since it was last read from its
// file or written back: the last row and the count of records the file
// held then, and the file's stamp then.
struct CSourceAddedRows
{
    long long m_nLastRow = 0;
    int m_nFileRecords = 0;
    CString m_strStamp;
};

class CSourceCopy
{
public:
    explicit CSourceCopy(CDaoDatabase& db) : m_db(db), m_nOriginType(kUnknownOrigin) {}

    // Makes the bookkeeping tables in the new, empty database.
    void Create(int nType, const CString& strDatabase);
    // Adds one source table with its rows, read from strFile.  A table
    // without columns (a blank worksheet) is listed, but holds no rows.
    // FALSE with the reason when the table's row reader fails.
    BOOL AddTable(const CSourceTable& table, const CString& strFile, BOOL bCellKinds, CString& strReason);

    // TRUE when the database is a copy of a source (FALSE for any other
    // database), with the source it copies.
    BOOL ReadOrigin(int& nType, CString& strDatabase);
    // The tables changed since they were last written back, in the
    // source's order.
    std::vector<CString> ChangedTables();
    // TRUE when rows were only added to the table since it was last read
    // or written back, with what its file held then.
    BOOL RowsOnlyAdded(const CString& strName, CSourceAddedRows& added);
    // Every table of the source, in its order.
    std::vector<CString> AllTables();
    // A table as it is to go back to its file, with the file: its rows
    // after nAfterRow.  Given pRows, the rows are not read here: the
    // table's row reader is pRows, which the caller keeps until the table
    // is written.
    CSourceTable ReadTable(const CString& strName, CString& strFile, CSourceCopyRows* pRows = NULL,
                           long long nAfterRow = 0);
    // The first file of the tables that is no longer as this copy read or
    // last wrote it (its stamp differs); "" when all are.
    CString FileChangedBehind(const std::vector<CString>& names);
    // Clears the changed mark of the tables, written back, and notes the
    // stamps of their files (of every table a written document holds); with
    // bNoteFileRows, notes what their files now hold, for a later
    // write-back to append to (counting a table's rows reads it whole).
    void MarkWritten(const std::vector<CString>& names, BOOL bNoteFileRows);

private:
    static const int kUnknownOrigin = -2;
    static const int kNoOrigin = -1;  // the database copies no source

    // The type of the source copied, read once.
    int OriginType();
    // TRUE when the source's tables hold text of the system code page
    // (dBase, Paradox and text files), which the copy keeps as UTF-8 and
    // gives back in the code page; the other sources' tables hold UTF-8.
    BOOL CodePageTexts();
    // A text of a source table as the copy keeps it.
    CString StoredText(const CString& strText);
    // TRUE when the tables are given and taken by their UTF-8 names.
    BOOL UTF8Names();
    // A table name as the copy keeps it.
    CString StoredName(const CString& strName);
    // The table names the query gives, as the tables are given and taken.
    std::vector<CString> Names(LPCSTR lpszSQL);
    void NoteFileRows(int nOrder, long long nLastRow, int nRecords, const CString& strStamp);

    CDaoDatabase& m_db;
    int m_nOriginType;
};
