// The files of text and HTML data sources: finding, reading and replacing
// them.  A replaced file keeps its previous contents as NAME.bak and is
// swapped in whole, so a failed write never leaves a cut file behind.
#pragma once

#include <vector>

#include "engines/dao/SourceTable.h"

// The folder that holds the source's files and its temporary database.
CString SourceFolder(int nType, const CString& strDatabase);
// A new, unused file name in the folder; "" when none can be made.
CString UniqueFileBeside(const CString& strFolder);

// Text source: every NAME.txt and NAME.csv of the folder of strDatabase
// (or of strDatabase itself when it is a folder) is table NAME.
BOOL ReadTextSource(const CString& strDatabase, std::vector<CSourceTable>& tables, CString& strError);
// Writes each table back to its file, NAME.txt for a new table.
BOOL WriteTextSource(const CString& strDatabase, const std::vector<CSourceTable>& tables, CString& strError);

// HTML source: the tables of the one document strDatabase.
BOOL ReadHtmlSource(const CString& strDatabase, std::vector<CSourceTable>& tables, CString& strError);
BOOL WriteHtmlSource(const CString& strDatabase, const std::vector<CSourceTable>& tables, CString& strError);
