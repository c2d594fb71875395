// The files of the file data sources (dBase, FoxPro, Paradox, Excel, Lotus,
// text and HTML): which files make a source of a type, reading them into
// tables and writing tables back.  A folder source holds one table per
// file, named as the file; a document source (a workbook, a Lotus file, an
// HTML document) holds all its tables in one file.
// A replaced file keeps its first backup as NAME.bak and is swapped in
// whole, so a failed write never leaves a cut file behind.
#pragma once

#include <memory>
#include <vector>

#include "engines/dao/SourceTable.h"

// Where a source's tables came from: the file of each table (the document
// itself for a document source), and the readers of the tables whose rows
// are still in their files.
struct CSourceLayout
{
    std::vector<CString> m_files;
    std::vector<std::unique_ptr<CSourceRowReader>> m_readers;
};

// The folder that holds the source's files and its temporary database.
CString SourceFolder(int nType, const CString& strDatabase);
// A new, unused file name in the folder; "" when none can be made.
CString UniqueFileBeside(const CString& strFolder);
// NAME.bak beside NAME.ext.
CString BackupPath(const CString& strPath);
// Keeps strBackup as the first backup of strTarget: the file as it was
// before this program changed it; later write-backs leave it alone.
// FALSE when it cannot be kept.
BOOL KeepFirstBackup(const CString& strTarget, const CString& strBackup);
// Why the file cannot be replaced (it is read-only or in use), as the
// user is told; "" when it can or does not exist.
CString ReplaceRefusal(const CString& strPath);

// TRUE for the types whose source is one document rather than a folder.
BOOL IsDocumentSource(int nType);

// Reads every table of the source of the type; FALSE with a message that
// names the file when a file is missing, locked, damaged or no table.  The
// rows of a dBase table and of a worksheet stay in their file: the table's
// row reader (kept in the layout) reads them once, while the layout lives.
BOOL ReadSource(int nType, const CString& strDatabase, std::vector<CSourceTable>& tables, CSourceLayout& layout,
                CString& strError);
// The message of a table file of the type that cannot be read, for the
// reason given (a row reader's).
CString SourceReadFailure(int nType, const CString& strFile, const CString& strReason);
// Writes the tables back to their files, in the format version each was
// read in where they still fit it: each table's own file for a folder
// source; for a document source the document, holding the tables (HTML:
// those tables' contents in place, the rest of the document kept).
// Messages name the source's files, never the new file written first.
BOOL WriteSource(int nType, const CString& strDatabase, const std::vector<CSourceTable>& tables,
                 const std::vector<CString>& files, CString& strError);
// TRUE for the types whose tables WriteSource takes from row readers and
// writes as the rows are read (dBase tables, Excel workbooks), so that the
// caller need not hold them whole.
BOOL WritesRowsAsRead(int nType);
// TRUE for the types whose tables go back to their files, when rows were
// only added to them, by appending those rows to the file (dBase tables).
BOOL AppendsAddedRows(int nType);
// For a table of such a type, read with only the rows added since its file
// held nRecords records with the stamp given: TRUE when the file is still
// as it was then, with the table marked to keep the file's records
// (m_strKeptFile); FALSE when the table is to be written whole.
BOOL KeepFileRecords(int nType, const CString& strFile, int nRecords, const CString& strStamp, CSourceTable& table);
