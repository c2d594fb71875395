// dBase III, IV, 5.0 and FoxPro 2.x tables (.dbf files) read and written
// through shapelib's DBF functions.  Each field keeps its type, width and
// decimals in the table's m_fields, so a table goes back as it was made.
#pragma once

#include <memory>

#include "engines/dao/SourceTable.h"

// Reads every record that is not marked deleted into table (whose name the
// caller sets); FALSE with the reason when the file is no dBase table, is
// cut short or has a field of a kind this reader does not take.
BOOL ReadDbfTable(const CString& strPath, CSourceTable& table, CString& strReason);
// As ReadDbfTable, but the records are left in the file: the reader given
// back hands them out, from the file it holds open.  NULL with the reason
// when the file cannot be read.
std::unique_ptr<CSourceRowReader> OpenDbfTable(const CString& strPath, CSourceTable& table, CString& strReason);
// Writes the table to strPath, a new file, with the fields of m_fields,
// its rows taken from its row reader where it has one; FALSE with the
// reason when a value does not fit its field, a row cannot be read or the
// file cannot be written whole.  A table with a kept file is that file
// copied with the table's rows added after its records.
BOOL WriteDbfTable(const CString& strPath, const CSourceTable& table, CString& strReason);
// TRUE when the file is a dBase table of exactly these fields whose header
// counts nRecords records.  Given the count of the rows read from the file
// or last written to it, this means none of its records is marked deleted
// (a reader passes those over): its records are the table's rows, and
// rows added to the table can be appended to them.
BOOL DbfFileHolds(const CString& strPath, const std::vector<CSourceField>& fields, int nRecords);
