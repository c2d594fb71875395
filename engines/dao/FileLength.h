// The length of a file, for readers that check a header's counts against
// what the file really holds, and its stamp, to tell whether it changed.
#pragma once

#include "framework/core/String.h"

// The length in bytes; -1 when the file cannot be reached.
LONGLONG FileLength(const CString& strPath);
// The file's length and last write time as one text, which changes when
// the file is written; "" when the file cannot be reached.
CString FileStamp(const CString& strPath);
