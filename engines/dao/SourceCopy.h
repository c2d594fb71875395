// The temporary database that a file source is worked on in.  Besides the
// source's tables (every column text, so values come back as they were
// read) it keeps, in tables whose names begin with "MSys":
// - which source it copies, and the file of each table with the version of
//   its format the file was read in;
// - each table's fields as the file defines them;
// - which tables changed since they were last written back (set by
//   triggers, so a rolled-back change leaves no mark);
// - for spreadsheet sources, which cells held numbers, per row, with
//   changed cells marked for the write-back to judge.
// All this lives in the file, so a copy left by a session that died can be
// written back by the next one.
#pragma once

#include <vector>

#include "engines/dao/SourceFiles.h"
#include "engines/dao/SourceTable.h"

class CDaoDatabase;

class CSourceCopy
{
public:
    explicit CSourceCopy(CDaoDatabase& db) : m_db(db) {}

    // Makes the bookkeeping tables in the new, empty database.
    void Create(int nType, const CString& strDatabase);
    // Adds one source table with its rows, read from strFile.  A table
    // without columns (a blank worksheet) is listed, but holds no rows.
    void AddTable(const CSourceTable& table, const CString& strFile, BOOL bCellKinds);

    // TRUE when the database is a copy of a source (FALSE for any other
    // database), with the source it copies.
    BOOL ReadOrigin(int& nType, CString& strDatabase);
    // The tables changed since they were last written back, in the
    // source's order.
    std::vector<CString> ChangedTables();
    // Every table of the source, in its order.
    std::vector<CString> AllTables();
    // A table as it is to go back to its file, with the file.
    CSourceTable ReadTable(const CString& strName, CString& strFile);
    // Clears the changed mark of the tables.
    void MarkWritten(const std::vector<CString>& names);

private:
    CDaoDatabase& m_db;
};
