// The six plain functions every engine library exports, under these
// undecorated names, and the pointer types the engine loader casts
// GetProcAddress results to.
#pragma once

#include "engines/common/KemDatabase.h"
#include "engines/common/KemRecordset.h"

class CCellArray;

extern "C" {

// A new, closed database of the library with m_nType set to nType.
CKemDatabase* __cdecl GetDatabase(int nType);
// A new, closed recordset on a database of the same library.
CKemRecordset* __cdecl GetRecordset(CKemDatabase* pDatabase);
// Delete the object (closing it when open); NULL is ignored.
void __cdecl ReleaseDatabase(CKemDatabase* pDatabase);
void __cdecl ReleaseRecordset(CKemRecordset* pRecordset);
// Load or save the values of the data cells against the report data table;
// nonzero on success, 0 after the engine's own message or for a database
// type the library does not serve.
int __cdecl LoadKemReportData(CCellArray* pCells, CKemDatabase* pDatabase, CString strTable);
int __cdecl SaveKemReportData(CCellArray* pCells, CKemDatabase* pDatabase, CString strTable);

}

typedef CKemDatabase*(__cdecl* PFN_GET_DATABASE)(int nType);
typedef CKemRecordset*(__cdecl* PFN_GET_RECORDSET)(CKemDatabase* pDatabase);
typedef void(__cdecl* PFN_RELEASE_DATABASE)(CKemDatabase* pDatabase);
typedef void(__cdecl* PFN_RELEASE_RECORDSET)(CKemRecordset* pRecordset);
typedef int(__cdecl* PFN_REPORT_DATA)(CCellArray* pCells, CKemDatabase* pDatabase, CString strTable);

// The nonzero answers of SaveKemReportData: the report is stored; or it is
// stored in the working copy of a file source whose files could not be
// written, which the engine has told the user (once) with where it is kept.
const int KEM_REPORT_SAVED = 1;
const int KEM_REPORT_SAVED_NOT_WRITTEN = 2;

// Export names, for GetProcAddress.
#define ENGINE_EXPORT_GET_DATABASE "GetDatabase"
#define ENGINE_EXPORT_GET_RECORDSET "GetRecordset"
#define ENGINE_EXPORT_RELEASE_DATABASE "ReleaseDatabase"
#define ENGINE_EXPORT_RELEASE_RECORDSET "ReleaseRecordset"
#define ENGINE_EXPORT_LOAD_REPORT_DATA "LoadKemReportData"
#define ENGINE_EXPORT_SAVE_REPORT_DATA "SaveKemReportData"
