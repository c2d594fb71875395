#include "framework/db/SqlQuote.h"

CString SqlQuote(LPCSTR lpszText)
{
    CString result("'");
    if (lpszText != NULL)
    {
        for (LPCSTR p = lpszText; *p != '\0'; ++p)
        {
            if (*p == '\'')
                result += '\'';
            result += *p;
        }
    }
    result += '\'';
    return result;
}
