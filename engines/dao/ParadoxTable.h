// Paradox tables (.db files) read and written through pxlib.  Fields keep
// their type and size in the table's m_fields, a keyed table its key in
// m_nKeyFields; pxlib writes the Paradox 7 layout whatever version a table
// was read in.
#pragma once

#include "engines/dao/SourceTable.h"

// Reads every record of the table; FALSE with the reason when the file is
// no Paradox table, is cut short or has a field this reader does not take.
BOOL ReadParadoxTable(const CString& strPath, CSourceTable& table, CString& strReason);
// Writes the table to strPath, a new file, under the table's name; a keyed
// table in the order of its key, with its primary index written beside it
// (ParadoxPrimaryIndexPath).  FALSE with the reason when two rows share a
// key or the index would be deeper than pxlib writes.
BOOL WriteParadoxTable(const CString& strPath, const CSourceTable& table, CString& strReason);
