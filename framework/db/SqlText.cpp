#include <ctype.h>

#include "framework/db/SqlText.h"

namespace
{

// Index just past the quoted text or bracketed name that starts at i.
int SkipQuoted(const CString& sql, int i)
{
    char open = sql[i];
    char close = open == '[' ? ']' : open;
    int n = sql.GetLength();
    for (++i; i < n; ++i)
    {
        if (sql[i] == close)
        {
            // A doubled quote stands for itself inside the text.
            if (close != ']' && i + 1 < n && sql[i + 1] == close)
            {
                ++i;
                continue;
            }
            return i + 1;
        }
    }
    return n;
}

BOOL IsWordChar(char c)
{
    return isalnum((unsigned char)c) || c == '_';
}

// Length of the keyword matched at i (0 when it does not match there).
int MatchKeyword(const CString& sql, int i, LPCSTR lpszKeyword)
{
    int n = sql.GetLength();
    if (i > 0 && IsWordChar(sql[i - 1]))
        return 0;
    int j = i;
    for (LPCSTR k = lpszKeyword; *k != '\0'; ++k)
    {
        if (*k == ' ')
        {
            if (j >= n || !isspace((unsigned char)sql[j]))
                return 0;
            while (j < n && isspace((unsigned char)sql[j]))
                ++j;
            continue;
        }
        if (j >= n || toupper((unsigned char)sql[j]) != toupper((unsigned char)*k))
            return 0;
        ++j;
    }
    if (j < n && IsWordChar(sql[j]))
        return 0;
    return j - i;
}

// Calls f(i) for every top-level position; f returns TRUE to stop.
template <class F>
int ScanTopLevel(const CString& sql, int nStart, F f)
{
    int depth = 0;
    int n = sql.GetLength();
    for (int i = nStart; i < n;)
    {
        char c = sql[i];
        if (c == '\'' || c == '"' || c == '[')
        {
            i = SkipQuoted(sql, i);
            continue;
        }
        if (c == '(')
            ++depth;
        else if (c == ')' && depth > 0)
            --depth;
        else if (depth == 0 && f(i))
            return i;
        ++i;
    }
    return -1;
}

// The first of the clause keywords that can follow a WHERE clause, or -1.
int FindClauseEnd(const CString& sql, int nStart)
{
    static const char* const kEnds[] = {"GROUP BY", "HAVING", "ORDER BY", "UNION", "LIMIT"};
    return ScanTopLevel(sql, nStart, [&](int i) {
        for (const char* end : kEnds)
            if (MatchKeyword(sql, i, end) > 0)
                return TRUE;
        return FALSE;
    });
}

} // namespace

int SqlFindKeyword(const CString& sql, LPCSTR lpszKeyword, int nStart)
{
    return ScanTopLevel(sql, nStart, [&](int i) { return MatchKeyword(sql, i, lpszKeyword) > 0; });
}

BOOL SqlIsStatement(const CString& sql)
{
    CString text = sql;
    text.TrimLeft();
    return MatchKeyword(text, 0, "SELECT") > 0 || text.Left(1) == "{" || MatchKeyword(text, 0, "CALL") > 0 ||
           MatchKeyword(text, 0, "WITH") > 0;
}

CString SqlAddCondition(const CString& sql, const CString& condition)
{
    if (condition.IsEmpty())
        return sql;
    int where = SqlFindKeyword(sql, "WHERE");
    if (where >= 0)
    {
        int bodyStart = where + 5;
        int end = FindClauseEnd(sql, bodyStart);
        if (end < 0)
            end = sql.GetLength();
        CString body = sql.Mid(bodyStart, end - bodyStart);
        body.Trim();
        CString tail = sql.Mid(end);
        return sql.Left(where) + "WHERE (" + body + ") And (" + condition + ")" +
               (tail.IsEmpty() ? "" : " ") + tail;
    }
    int end = FindClauseEnd(sql, 0);
    if (end < 0)
        return sql + " WHERE " + condition;
    CString head = sql.Left(end);
    head.TrimRight();
    return head + " WHERE " + condition + " " + sql.Mid(end);
}

CString SqlStripBrackets(const CString& sql)
{
    CString result;
    int n = sql.GetLength();
    for (int i = 0; i < n;)
    {
        char c = sql[i];
        if (c == '\'' || c == '"')
        {
            int next = SkipQuoted(sql, i);
            result += sql.Mid(i, next - i);
            i = next;
            continue;
        }
        if (c != '[' && c != ']')
            result += c;
        ++i;
    }
    return result;
}

CString SqlSingleTable(const CString& sql)
{
    if (SqlFindKeyword(sql, "DISTINCT") >= 0 || SqlFindKeyword(sql, "GROUP BY") >= 0 ||
        SqlFindKeyword(sql, "UNION") >= 0 || SqlFindKeyword(sql, "JOIN") >= 0)
        return CString();
    int from = SqlFindKeyword(sql, "FROM");
    if (from < 0)
        return CString();
    int i = from + 4;
    int n = sql.GetLength();
    while (i < n && isspace((unsigned char)sql[i]))
        ++i;
    int start = i;
    CString table;
    if (i < n && (sql[i] == '[' || sql[i] == '"'))
    {
        int next = SkipQuoted(sql, i);
        table = sql.Mid(i + 1, next - i - 2);
        i = next;
    }
    else
    {
        while (i < n && (IsWordChar(sql[i]) || sql[i] == '.' || sql[i] == '$' || sql[i] == '#'))
            ++i;
        table = sql.Mid(start, i - start);
    }
    // A second table after a comma makes it a join.
    int end = FindClauseEnd(sql, i);
    int where = SqlFindKeyword(sql, "WHERE", i);
    if (where >= 0 && (end < 0 || where < end))
        end = where;
    CString rest = end < 0 ? sql.Mid(i) : sql.Mid(i, end - i);
    if (rest.Find(',') >= 0)
        return CString();
    return table;
}
