// The length of a file, for readers that check a header's counts against
// what the file really holds.
#pragma once

#include "framework/core/String.h"

// The length in bytes; -1 when the file cannot be reached.
LONGLONG FileLength(const CString& strPath);
