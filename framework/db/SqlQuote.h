// Quoting of SQL text literals: every literal built from text goes through
// SqlQuote, so a quote inside the text cannot end the literal.
#pragma once

#include "framework/core/String.h"

// 'text' with each ' doubled; NULL gives ''.
CString SqlQuote(LPCSTR lpszText);
