#include "framework/db/DaoSql.h"

#include <ctype.h>
#include <string.h>

namespace
{

BOOL IsIdentChar(char ch)
{
    return isalnum((unsigned char)ch) || ch == '_' || (unsigned char)ch >= 0x80;
}

// Index just past the quoted or bracketed section opening at nPos.  The
// scanners read the text through a plain pointer: statements run to
// thousands of characters and are scanned at every open.
int SkipQuoted(const CString& sql, int nPos)
{
    LPCSTR p = sql;
    char chOpen = p[nPos];
    char chClose = chOpen == '[' ? ']' : chOpen;
    int nLength = sql.GetLength();
    int i = nPos + 1;
    while (i < nLength)
    {
        if (p[i] == chClose)
        {
            // A doubled quote stands for one quote inside the text.
            if (chClose != ']' && i + 1 < nLength && p[i + 1] == chClose)
            {
                i += 2;
                continue;
            }
            return i + 1;
        }
        ++i;
    }
    return nLength;
}

BOOL WordAt(const CString& sql, int nPos, LPCSTR lpszWord)
{
    LPCSTR p = sql;
    // Most places differ in their first letter.
    if (nPos >= sql.GetLength() || toupper((unsigned char)p[nPos]) != lpszWord[0])
        return FALSE;
    int nWord = (int)strlen(lpszWord);
    if (nPos + nWord > sql.GetLength())
        return FALSE;
    if (nPos > 0 && IsIdentChar(p[nPos - 1]))
        return FALSE;
    for (int i = 0; i < nWord; ++i)
        if (toupper((unsigned char)p[nPos + i]) != lpszWord[i])
            return FALSE;
    return nPos + nWord == sql.GetLength() || !IsIdentChar(p[nPos + nWord]);
}

// First position from nStart on, outside quotes and parentheses, where
// bMatch(i) holds; -1 when there is none.
template <class Match>
int FindAtTopLevel(const CString& sql, int nStart, Match bMatch)
{
    LPCSTR p = sql;
    int nDepth = 0;
    int nLength = sql.GetLength();
    for (int i = nStart; i < nLength;)
    {
        char ch = p[i];
        if (ch == '\'' || ch == '"' || ch == '[' || ch == '`')
        {
            i = SkipQuoted(sql, i);
            continue;
        }
        if (ch == '(')
            ++nDepth;
        else if (ch == ')')
            --nDepth;
        else if (nDepth == 0 && bMatch(i))
            return i;
        ++i;
    }
    return -1;
}

// Position of the keyword at the top level from nStart on, -1 when absent.
int FindKeyword(const CString& sql, LPCSTR lpszWord, int nStart = 0)
{
    return FindAtTopLevel(sql, nStart, [&](int i) { return WordAt(sql, i, lpszWord); });
}

BOOL HasTopLevelComma(const CString& sql)
{
    return FindAtTopLevel(sql, 0, [&](int i) { return sql[i] == ','; }) >= 0;
}

// The letters occur somewhere in the text, in any case.
BOOL HasLetters(const CString& text, LPCSTR lpszUpper)
{
    LPCSTR p = text;
    size_t nWord = strlen(lpszUpper);
    for (int i = 0; i + (int)nWord <= text.GetLength(); ++i)
    {
        size_t k = 0;
        while (k < nWord && toupper((unsigned char)p[i + k]) == lpszUpper[k])
            ++k;
        if (k == nWord)
            return TRUE;
    }
    return FALSE;
}

CString Trimmed(const CString& text)
{
    CString result(text);
    result.TrimLeft();
    result.TrimRight();
    return result;
}

// The one table named by a FROM clause body, "" for a join, a list, a
// sub-query or an alias.
CString SingleTable(const CString& fromBody)
{
    CString body = Trimmed(fromBody);
    if (body.IsEmpty() || HasTopLevelComma(body) || FindKeyword(body, "JOIN") >= 0 || body[0] == '(')
        return CString();
    int nEnd;
    if (body[0] == '[' || body[0] == '"' || body[0] == '`')
        nEnd = SkipQuoted(body, 0);
    else
    {
        nEnd = 0;
        while (nEnd < body.GetLength() && (IsIdentChar(body[nEnd]) || body[nEnd] == '$' || body[nEnd] == '#'))
            ++nEnd;
    }
    if (nEnd == 0 || !Trimmed(body.Mid(nEnd)).IsEmpty())
        return CString();
    return body.Left(nEnd);
}

} // namespace

BOOL DaoIsTableName(LPCSTR lpszSQL)
{
    CString text = Trimmed(CString(lpszSQL));
    if (text.IsEmpty())
        return FALSE;
    if (text[0] == '[' || text[0] == '"' || text[0] == '`')
        return SkipQuoted(text, 0) == text.GetLength();
    for (int i = 0; i < text.GetLength(); ++i)
        if (!IsIdentChar(text[i]) && text[i] != '$' && text[i] != '#')
            return FALSE;
    return !WordAt(text, 0, "SELECT");
}

CString DaoUnquoteName(LPCSTR lpszName)
{
    CString name = Trimmed(CString(lpszName));
    int nLength = name.GetLength();
    if (nLength >= 2 && ((name[0] == '[' && name[nLength - 1] == ']') ||
                         (name[0] == '"' && name[nLength - 1] == '"') ||
                         (name[0] == '`' && name[nLength - 1] == '`')))
    {
        CString inner = name.Mid(1, nLength - 2);
        if (name[0] == '"')
            inner.Replace("\"\"", "\"");
        return inner;
    }
    return name;
}

CDaoSqlParts DaoSplitSelect(LPCSTR lpszSQL)
{
    CDaoSqlParts parts;
    parts.m_bSimple = FALSE;
    CString sql = Trimmed(CString(lpszSQL));
    while (!sql.IsEmpty() && sql[sql.GetLength() - 1] == ';')
        sql = Trimmed(sql.Left(sql.GetLength() - 1));
    if (!WordAt(sql, 0, "SELECT"))
        return parts;
    static const LPCSTR kComplex[] = { "GROUP", "HAVING", "UNION", "LIMIT", "EXCEPT", "INTERSECT",
                                       "WINDOW", "OFFSET" };
    auto bComplex = [&](int i) {
        for (LPCSTR word : kComplex)
            if (WordAt(sql, i, word))
                return true;
        return false;
    };
    if (FindAtTopLevel(sql, 0, bComplex) >= 0)
        return parts;
    int nFrom = FindKeyword(sql, "FROM", 6);
    if (nFrom < 0)
        return parts;
    int nWhere = FindKeyword(sql, "WHERE", nFrom);
    int nOrder = FindKeyword(sql, "ORDER", nFrom);
    int nOrderList = -1;
    if (nOrder >= 0)
    {
        nOrderList = FindKeyword(sql, "BY", nOrder + 5);
        if (nOrderList < 0 || !Trimmed(sql.Mid(nOrder + 5, nOrderList - nOrder - 5)).IsEmpty())
            return parts;
        nOrderList += 2;
    }
    if (nWhere >= 0 && nOrder >= 0 && nWhere > nOrder)
        return parts;
    int nFromEnd = nWhere >= 0 ? nWhere : (nOrder >= 0 ? nOrder : sql.GetLength());
    parts.m_strSelectList = Trimmed(sql.Mid(6, nFrom - 6));
    parts.m_strFrom = Trimmed(sql.Mid(nFrom, nFromEnd - nFrom));
    if (nWhere >= 0)
    {
        int nWhereEnd = nOrder >= 0 ? nOrder : sql.GetLength();
        parts.m_strWhere = Trimmed(sql.Mid(nWhere + 5, nWhereEnd - nWhere - 5));
    }
    if (nOrder >= 0)
        parts.m_strOrderBy = Trimmed(sql.Mid(nOrderList));
    parts.m_bSimple = TRUE;
    if (!WordAt(parts.m_strSelectList, 0, "DISTINCT"))
        parts.m_strTable = SingleTable(parts.m_strFrom.Mid(4));
    return parts;
}

CString DaoMapLikePatterns(LPCSTR lpszSQL, const std::function<CString(const CString&)>& convert)
{
    CString sql(lpszSQL);
    // Most statements have no LIKE at all and go through as they are.
    if (!HasLetters(sql, "LIKE"))
        return sql;
    LPCSTR p = sql;
    CString result;
    int nLength = sql.GetLength();
    int i = 0;
    int nCopied = 0;
    while (i < nLength)
    {
        char ch = p[i];
        if (ch == '\'' || ch == '"' || ch == '[' || ch == '`')
        {
            i = SkipQuoted(sql, i);
            continue;
        }
        if (!WordAt(sql, i, "LIKE"))
        {
            ++i;
            continue;
        }
        i += 4;
        while (i < nLength && isspace((unsigned char)p[i]))
            ++i;
        if (i >= nLength || (p[i] != '\'' && p[i] != '"'))
            continue;
        int nEnd = SkipQuoted(sql, i);
        result += sql.Mid(nCopied, i - nCopied);
        result += convert(sql.Mid(i, nEnd - i));
        nCopied = i = nEnd;
    }
    return result + sql.Mid(nCopied);
}

CString DaoLikeToSqlite(LPCSTR lpszSQL)
{
    return DaoMapLikePatterns(lpszSQL, [](const CString& pattern) {
        BOOL bEscape = pattern.FindOneOf("%_") >= 0;
        CString converted;
        for (int j = 0; j < pattern.GetLength(); ++j)
        {
            char pc = pattern[j];
            if (pc == '*')
                converted += '%';
            else if (pc == '?')
                converted += '_';
            else if (bEscape && (pc == '%' || pc == '_' || pc == '\\'))
            {
                converted += '\\';
                converted += pc;
            }
            else
                converted += pc;
        }
        if (bEscape)
            converted += " ESCAPE '\\'";
        return converted;
    });
}

int DaoFindKeyword(LPCSTR lpszSQL, LPCSTR lpszUpperWord, int nStart)
{
    return FindKeyword(CString(lpszSQL), lpszUpperWord, nStart);
}

CString DaoParameterize(LPCSTR lpszSQL, std::vector<CDaoSqlLiteral>& literals)
{
    CString sql(lpszSQL);
    CString result;
    literals.clear();
    int nLength = sql.GetLength();
    int i = 0;
    while (i < nLength)
    {
        char ch = sql[i];
        BOOL bAfterName = i > 0 && IsIdentChar(sql[i - 1]);
        if (ch == '\'' && !bAfterName)
        {
            int nEnd = i + 1;
            BOOL bClosed = FALSE;
            while (nEnd < nLength && !bClosed)
            {
                if (sql[nEnd] == '\'' && nEnd + 1 < nLength && sql[nEnd + 1] == '\'')
                    nEnd += 2;
                else
                    bClosed = sql[nEnd++] == '\'';
            }
            // An open literal is left for SQLite to refuse.
            if (!bClosed)
            {
                result += sql.Mid(i);
                break;
            }
            CString text = sql.Mid(i + 1, nEnd - i - 2);
            text.Replace("''", "'");
            literals.push_back({CDaoSqlLiteral::text, text});
            result += '?';
            i = nEnd;
            continue;
        }
        if (ch == '\'' || ch == '"' || ch == '[' || ch == '`')
        {
            int nEnd = SkipQuoted(sql, i);
            result += sql.Mid(i, nEnd - i);
            i = nEnd;
            continue;
        }
        if (isdigit((unsigned char)ch) && !bAfterName)
        {
            int j = i;
            BOOL bReal = FALSE;
            while (j < nLength && isdigit((unsigned char)sql[j]))
                ++j;
            if (j + 1 < nLength && sql[j] == '.' && isdigit((unsigned char)sql[j + 1]))
            {
                bReal = TRUE;
                for (++j; j < nLength && isdigit((unsigned char)sql[j]);)
                    ++j;
            }
            if (j < nLength && IsIdentChar(sql[j]))
            {
                // 0x1F, 1e5 and the like stay as written.
                while (j < nLength && IsIdentChar(sql[j]))
                    ++j;
                result += sql.Mid(i, j - i);
                i = j;
                continue;
            }
            literals.push_back({bReal ? CDaoSqlLiteral::real : CDaoSqlLiteral::integer, sql.Mid(i, j - i)});
            result += '?';
            i = j;
            continue;
        }
        if (IsIdentChar(ch))
        {
            // A name, digits in it included, goes over whole.
            int j = i + 1;
            while (j < nLength && IsIdentChar(sql[j]))
                ++j;
            result += sql.Mid(i, j - i);
            i = j;
            continue;
        }
        result += ch;
        ++i;
    }
    return result;
}
