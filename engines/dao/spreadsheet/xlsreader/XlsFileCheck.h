// Checks an Excel file whole before FreeXL reads it, so that FreeXL only
// meets a sound structure: a compound file's sectors and directory and
// its workbook stream's records, or a worksheet file's records.
#pragma once

// false when the file cannot be read or anything in it is out of place.
bool CheckXlsFile(const char* pszPath);
