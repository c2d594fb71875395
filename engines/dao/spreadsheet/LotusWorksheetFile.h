// Lotus worksheet files as source tables: a .wks file (1-2-3 release 1A)
// or a .wk1 file (release 2) holds one worksheet, whose table is named as
// the file and whose first row holds the field names.
#pragma once

#include "engines/dao/SourceTable.h"

enum LotusFormat
{
    LOTUS_WKS,
    LOTUS_WK1
};

// Reads the worksheet strPath through libwps, which also reads the later
// Lotus, Works and Quattro Pro sheets: nFormat is set to LOTUS_WKS for a
// release 1A file and to LOTUS_WK1 for any other.  Number cells are flagged
// as numbers, column names are made as CSheetCellGrid makes them.  FALSE
// with a message naming the file and the cause when it cannot be read.
BOOL ReadLotusFile(const CString& strPath, CSourceTable& table, LotusFormat& nFormat, CString& strError);

// Writes the table as the new file strPath in the format; a file this call
// made is not left behind when the writing fails.  Values flagged as
// numbers are written as numbers, all others as labels, in the DOS code
// page the format's readers expect (850 for WKS, 437 for WK1); NULL and the
// empty text leave the cell empty.  FALSE with a message naming the file
// and the cause, among them a table that does not fit the format: 256
// columns, 2,048 rows (WKS) or 8,192 rows (WK1) with the row of field
// names, 240 characters a cell.
BOOL WriteLotusFile(const CString& strPath, const CSourceTable& table, LotusFormat nFormat, CString& strError);
