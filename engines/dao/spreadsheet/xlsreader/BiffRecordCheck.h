// The BIFF records of a workbook stream (Excel 5.0 to 97) or of a
// worksheet file (Excel 2.1 to 4.0), checked so that a reader walking them
// stays inside them: each record within the stream and its version's size,
// BOF and EOF records in pairs, sheets found at BOF records, the shared
// strings within their records and continuations, cell records of their
// own sizes inside their sheet's dimensions, with existing formats and
// shared strings.  An enciphered workbook is checked up to its FILEPASS
// record.
#pragma once

#include "engines/dao/spreadsheet/xlsreader/LittleEndian.h"

// bCompound: the stream came out of a compound file, so it is Excel 5.0
// or 97.  false when anything is out of place.
bool CheckBiffRecords(const CBytes& stream, bool bCompound);
