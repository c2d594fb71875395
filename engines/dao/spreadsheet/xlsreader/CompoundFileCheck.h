// The workbook stream of a compound file (Excel 5.0 to 97), found with
// every structure on the way checked: the header, the sector allocation
// table and its chains, the directory, the short-sector stream.
#pragma once

#include <stdint.h>

#include <vector>

#include "engines/dao/spreadsheet/xlsreader/LittleEndian.h"

// The bytes of the workbook stream ("Workbook", or "Book" before Excel
// 97); false when the file is no sound compound file, has no such stream,
// or holds both.
bool ReadWorkbookStream(const CBytes& file, std::vector<uint8_t>& stream);
