// Text between the programs and the ODBC drivers.  The programs hold text
// in the system code page; the drivers behind the driver manager take and
// give narrow text as UTF-8 (SQLite's own form, and the client encoding a
// PostgreSQL session is set to), so every statement, parameter and column
// text crosses here.
#pragma once

#include "framework/core/String.h"

// The text as UTF-8.
CString DBTextToDriver(LPCSTR lpsz, int nLength);
inline CString DBTextToDriver(const CString& str)
{
    return DBTextToDriver(str, str.GetLength());
}
// The same into str (not holding lpsz), whose buffer is reused when it fits.
void DBTextToDriver(LPCSTR lpsz, int nLength, CString& str);

// UTF-8 from a driver as text of the system code page.  Bytes that are not
// UTF-8 (text written in the code page itself, as earlier versions did)
// are kept as they are.
void DBTextFromDriver(const char* p, int nLength, CString& str);
