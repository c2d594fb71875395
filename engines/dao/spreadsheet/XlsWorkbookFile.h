// Excel workbook files (.xls) as source tables: one table per worksheet,
// named as the sheet, the first row holding the field names.
#pragma once

#include <memory>
#include <vector>

#include "engines/dao/SourceTable.h"

// Reads every worksheet of the workbook strPath, Excel 2.1 to 97 (BIFF2 to
// BIFF8), through FreeXL in the program xlsreader (beside this module),
// which checks the file's structure first; a damaged file ends at most that
// program.  nBiffVersion is set to 2, 3, 4, 5 (Excel 5.0 and 95) or 8
// (Excel 97).  A table is named as its sheet, in UTF-8 as the texts are; a
// worksheet file of the versions before 5 names no sheet: its one table is
// named as the file, without the extension.  Number
// cells are flagged as numbers; dates and times come as their text; column
// names are made as CSheetCellGrid makes them, and a blank sheet gives a
// table without columns.  FALSE with a message naming the file and the
// cause when it cannot be read.
BOOL ReadXlsWorkbook(const CString& strPath, std::vector<CSourceTable>& tables, int& nBiffVersion,
                     CString& strError);
// As ReadXlsWorkbook, but the records stay in the file: each table with
// columns gets a row reader, added to readers, that reads them once while
// it lives (the readers share the open file).  The file's cells are all read here, so a damaged file is told
// now.
BOOL OpenXlsWorkbook(const CString& strPath, std::vector<CSourceTable>& tables,
                     std::vector<std::unique_ptr<CSourceRowReader>>& readers, int& nBiffVersion, CString& strError);

// Writes the tables as the new file strPath in BIFF version nBiffVersion
// (2, 3, 4, 5 or 8), each table's rows from m_rows or from its row reader,
// sheet names and texts in UTF-8;
// a file this call made is not left behind when the writing fails.
// Values flagged as numbers are written as numbers, all others as text;
// NULL, the empty text and an empty field name leave the cell empty (Excel
// keeps no empty text).
// FALSE with a message naming the file and the cause, among them tables
// that do not fit the version (BIFF8: 65,536 rows and 256 columns a sheet,
// 8,000 characters a cell, as FreeXL misreads longer ones, sheet names of
// up to 31 characters).
BOOL WriteXlsWorkbook(const CString& strPath, const std::vector<CSourceTable>& tables, int nBiffVersion,
                      CString& strError);

// Writes the tables as WriteXlsWorkbook does for a workbook that was read
// as nReadVersion: in that version when they fit it, else as Excel 97 (8).
// Before version 5 a file holds a single worksheet; up to version 5 a sheet
// holds 16,384 rows and a cell 255 characters.  Below version 8 the tables
// hold their rows (m_rows): rows from a row reader are taken only for
// version 8.
// An Excel 5.0/95 or 97 workbook written in its own version builds on the
// workbook read, strReadFrom (table i its sheet i): its fonts, formats,
// cell formats and defined names stay; a table still as the file holds it
// (m_bAsInFile) keeps its sheet as it was, formulas and cell formats
// included; a sheet rebuilt from its table keeps its column widths and
// window, its cells take the file's default font and "General" format.
BOOL WriteXlsWorkbookAsRead(const CString& strPath, const std::vector<CSourceTable>& tables, int nReadVersion,
                            const CString& strReadFrom, CString& strError);
