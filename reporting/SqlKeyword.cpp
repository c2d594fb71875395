#include "reporting/SqlKeyword.h"

namespace
{

// TRUE when the position lies inside a literal or a bracketed name, by the
// text before it.
BOOL IsInsideQuotedText(const CString& strUpper, int nPos)
{
    BOOL bQuoted = FALSE;
    int nOpened = 0, nClosed = 0;
    for (int i = 0; i < nPos; ++i)
    {
        char ch = strUpper[i];
        if (IsDBCSLeadByte((BYTE)ch))
        {
            ++i;
            continue;
        }
        char chNext = i + 1 < nPos ? strUpper[i + 1] : '\0';
        if (ch == '\'')
        {
            if (bQuoted && chNext == '\'')
                ++i;
            else
                bQuoted = !bQuoted;
        }
        else if (!bQuoted && (ch == '[' || ch == ']'))
        {
            if (chNext == ch)
                ++i;
            else if (ch == '[')
                ++nOpened;
            else
                ++nClosed;
        }
    }
    return bQuoted || nOpened > nClosed;
}

} // namespace

int FindSqlKeyword(LPCSTR lpszSql, LPCSTR lpszKeyword)
{
    CString strUpper(lpszSql);
    strUpper.MakeUpper();
    int nLength = lstrlenA(lpszKeyword);
    if (nLength == 0)
        return -1;
    int nPos = strUpper.Find(lpszKeyword);
    while (nPos >= 0)
    {
        if (!IsInsideQuotedText(strUpper, nPos))
            return nPos;
        nPos = strUpper.Find(lpszKeyword, nPos + nLength);
    }
    return -1;
}
