// What went wrong with a user's file, in words: the document's open and
// save failures name the file and the cause (disk full, no permission,
// read-only, in use, not the kind of file or damaged) rather than the
// status code or the stream inside the file that the failure came from.
#pragma once

#include "framework/core/String.h"

class CException;

// "Failed to save document <path>." or "Failed to open document <path>."
// and, on a line of its own, the cause.  The cause is read from the
// exception and, where that cannot tell, from the file and its folder as
// they are now.
CString FileFaultText(LPCSTR lpszPathName, const CException* pException, BOOL bSaving);
// The cause alone, as FileFaultText gives it on its second line; "" when
// nothing is known of it.
CString FileFaultCause(LPCSTR lpszPathName, const CException* pException, BOOL bSaving);
