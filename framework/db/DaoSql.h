// SQL text handling of the DAO stand-in: splitting a recordset's SELECT
// into its clauses, and turning DAO LIKE patterns into SQLite ones.
#pragma once

#include "framework/core/String.h"

#include <functional>
#include <vector>

// The clauses of a SELECT statement, found at the top level (outside
// quotes, brackets and parentheses).
struct CDaoSqlParts
{
    CString m_strSelectList;   // between SELECT and FROM
    CString m_strFrom;         // "FROM ..." up to WHERE / ORDER BY
    CString m_strWhere;        // the condition without WHERE
    CString m_strOrderBy;      // the list without ORDER BY
    CString m_strTable;        // the one table of an updatable query, else ""
    BOOL m_bSimple;            // SELECT list FROM ... [WHERE] [ORDER BY] only
};

// Splits lpszSQL; a statement with GROUP BY, HAVING, UNION, LIMIT or an
// unrecognised shape comes back with m_bSimple FALSE.
CDaoSqlParts DaoSplitSelect(LPCSTR lpszSQL);

// TRUE when the text is a bare table name rather than a statement.
BOOL DaoIsTableName(LPCSTR lpszSQL);

// The table name without its [ ], " " or ` ` delimiters.
CString DaoUnquoteName(LPCSTR lpszName);

// The statement with each quoted pattern that a LIKE operator takes
// (outside quoted texts and names) replaced by convert(pattern), the
// pattern given and returned with its quotes; all else stays as written.
CString DaoMapLikePatterns(LPCSTR lpszSQL, const std::function<CString(const CString&)>& convert);

// Turns DAO patterns after LIKE into SQLite ones: * to %, ? to _, and a
// literal % or _ escaped (with an ESCAPE clause added after the pattern).
CString DaoLikeToSqlite(LPCSTR lpszSQL);

// Position of a keyword outside quotes, brackets and parentheses from
// nStart on; -1 when absent.
int DaoFindKeyword(LPCSTR lpszSQL, LPCSTR lpszUpperWord, int nStart = 0);

// A literal that DaoParameterize took out of a statement.
struct CDaoSqlLiteral
{
    enum Kind { text, integer, real } m_kind;
    CString m_strText;   // the text without its quotes, or the number as written
};

// The statement with each text and number literal replaced by ?, and the
// literals in order, so that statements differing only in their values
// share one prepared form.  Identifiers, quoted names and blob literals
// stay as they are.
CString DaoParameterize(LPCSTR lpszSQL, std::vector<CDaoSqlLiteral>& literals);
