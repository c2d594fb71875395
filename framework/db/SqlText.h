// Reading and adjusting the text of SQL statements.  Keywords are found
// without regard to case and only at the statement's own level: never
// inside quoted text, bracketed names or parentheses.
#pragma once

#include "framework/core/String.h"

// Position of the keyword at the top level from nStart, or -1.  A space in
// lpszKeyword stands for any run of white space ("ORDER BY").
int SqlFindKeyword(const CString& sql, LPCSTR lpszKeyword, int nStart = 0);

// TRUE when the text is a statement rather than a bare table name.
BOOL SqlIsStatement(const CString& sql);

// The statement with condition added to its WHERE clause ("(old) And
// (condition)"), or a WHERE clause placed before GROUP BY, HAVING, ORDER BY
// or UNION when it has none.  An empty condition leaves it as it is.
CString SqlAddCondition(const CString& sql, const CString& condition);

// [name] quoting removed outside quoted text: every identifier of the
// programs' SQL is written unquoted, so it is folded as the server folds the
// rest of the statement.
CString SqlStripBrackets(const CString& sql);

// The one table a single-table SELECT reads, or "" when the statement joins,
// groups, unions or selects distinct rows.
CString SqlSingleTable(const CString& sql);
