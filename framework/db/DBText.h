// Text between the programs and the databases.  The programs hold text in
// the system code page; SQLite files (read directly or through their ODBC
// driver) and the drivers behind the driver manager hold and give narrow
// text as UTF-8 (SQLite's own form, and the client encoding a PostgreSQL
// session is set to), so every statement, parameter, column text and name
// crosses here, both ways.
#pragma once

#include "framework/core/String.h"
#include "framework/core/WideText.h"

// The text as UTF-8.  Bytes that are not valid in the code page (a cut
// double-byte character) are kept as they are, so they read back as they
// were given.
CString DBTextToDriver(LPCSTR lpsz, int nLength);
inline CString DBTextToDriver(const CString& str)
{
    return DBTextToDriver(str, str.GetLength());
}
// The same for a text ended by '\0'; NULL gives "".
CString DBTextToDriver(LPCSTR lpsz);
// The same into str (not holding lpsz), whose buffer is reused when it fits;
// the text is of nCodePage when given.
void DBTextToDriver(LPCSTR lpsz, int nLength, CString& str, UINT nCodePage = CP_ACP);

// UTF-8 from a driver as text of the system code page (or of nCodePage).
// Bytes that are not UTF-8 (text written in the code page itself, as
// earlier versions did) are kept as they are.  A character the code page
// lacks becomes '?', never a look-alike; *pbInexact (when given) tells
// whether one did.
void DBTextFromDriver(const char* p, int nLength, CString& str, UINT nCodePage = CP_ACP, BOOL* pbInexact = NULL);
inline CString DBTextFromDriver(const CString& str)
{
    CString strText;
    DBTextFromDriver(str, str.GetLength(), strText);
    return strText;
}
// The same for a text ended by '\0' (a name or text a driver gives); NULL
// gives "".
CString DBTextFromDriver(LPCSTR psz);

// A stored text in UTF-16: UTF-8, or, when it is not UTF-8, text of the
// system code page.
CWideText DBStoredTextToWide(LPCSTR p, int nLength);
// A stored text as UTF-8 (text of the system code page converted).
CString DBStoredTextAsUtf8(LPCSTR p, int nLength);
