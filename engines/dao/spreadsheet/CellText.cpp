#include "engines/dao/spreadsheet/CellText.h"

#include <string.h>

#include "framework/db/DBText.h"

CString AnsiFromUtf8(const char* pszUtf8, int nLength)
{
    if (nLength < 0)
        nLength = (int)strlen(pszUtf8);
    CString strText;
    DBTextFromDriver(pszUtf8, nLength, strText);
    return strText;
}
