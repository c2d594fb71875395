#include "engines/dao/DaoWildcards.h"

void ModiFilter(CString& strText)
{
    CString strUpper(strText);
    strUpper.MakeUpper();
    int nLength = strText.GetLength();
    int nPos = 0;
    while ((nPos = strUpper.Find(" LIKE ", nPos)) >= 0)
    {
        int i = nPos + 6;
        while (i < nLength && strText[i] == ' ')
            ++i;
        if (i >= nLength)
            break;
        char chDelimiter = strText[i++];
        while (i < nLength)
        {
            char ch = strText[i];
            if (ch == chDelimiter)
            {
                if (i + 1 < nLength && strText[i + 1] == chDelimiter)
                {
                    i += 2;
                    continue;
                }
                break;
            }
            if (IsDBCSLeadByte((BYTE)ch) && i + 1 < nLength)
            {
                i += 2;
                continue;
            }
            if (ch == '%')
                strText.SetAt(i, '*');
            else if (ch == '_')
                strText.SetAt(i, '?');
            ++i;
        }
        nPos = i + 1;
    }
}
