// The programs write SQL LIKE patterns; the DAO engine takes * and ?.
#pragma once

#include "framework/core/String.h"

// Turns % into * and _ into ? inside every quoted pattern that follows
// " LIKE " (in any letter case), in place; a doubled delimiter inside the
// pattern is a quoted delimiter, not its end.  Text outside the patterns is
// left as it is.
void ModiFilter(CString& strText);
