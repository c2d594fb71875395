// The programs write SQL LIKE patterns; the DAO engine takes * and ?.
#pragma once

#include "framework/core/String.h"

// Turns % into * and _ into ? inside every quoted pattern that a LIKE
// operator (in any letter case) takes, in place.  Quoted texts and names
// elsewhere, a " like " inside them included, are left as they are; a
// doubled quote inside the pattern is a quote, not its end.
void ModiFilter(CString& strText);
