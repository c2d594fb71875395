// Codes of the reporting database as keys.  A code read in a code page
// that lacks one of its characters shows with '?' in its place: used as a
// key, it would find another row, or none, and write rows under a code
// that no organization or item holds.
#pragma once

#include "framework/core/String.h"

class CKemRecordset;
class CReportConnection;

// The message that refuses such a code.
CString UnshownCodeMessage(LPCSTR pszTable, const CString& strCode);

// 1 when strCode, read from FD_Code of pszTable (with pszName from FD_Name
// of the same row, when given), is the code stored: a code without '?'
// always is, one with '?' when a row holds it as shown (with that name, so
// that a code that only reads like another row's is told apart); 0 when it
// is not, -1 when the look-up failed (reported).
int IsCodeShownAsStored(const CReportConnection& connection, LPCSTR pszTable, const CString& strCode,
                        LPCSTR pszName = NULL);

// TRUE when the code can be used as a key; otherwise tells why (the
// refusal, or the failed look-up) and gives FALSE.
BOOL CanUseShownCode(const CReportConnection& connection, LPCSTR pszTable, const CString& strCode,
                     LPCSTR pszName = NULL);

// The same for the code of the current row of rs, with its name.
int IsCurrentCodeShownAsStored(CKemRecordset& rs, LPCSTR pszTable);
BOOL CanUseCurrentCode(CKemRecordset& rs, LPCSTR pszTable);
