// Finding a keyword of an SQL text outside its quoted literals and
// bracketed names.
#pragma once

#include "framework/core/String.h"

// The position in lpszSql of the first occurrence of lpszKeyword (given in
// upper case; the text is compared without regard to case) that lies
// neither inside a quoted literal ('...', with '' as a literal quote) nor
// inside a bracketed name ([...], with [[ and ]] as literal brackets); -1
// when there is none.  Lead and trail bytes of double-byte characters are
// stepped over together.
int FindSqlKeyword(LPCSTR lpszSql, LPCSTR lpszKeyword);
