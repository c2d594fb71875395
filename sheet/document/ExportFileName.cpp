#include <string.h>

#include "sheet/document/ExportFileName.h"

namespace
{
// A file dialog also reads a '"' as the start of a list of names.
const char kFileNameBanned[] = "\\/:*?\"<>|";
}

// Walked by characters: a double-byte character's second byte may look
// like a banned one.
void BlankCharacters(CString& strText, LPCSTR pszBanned)
{
    LPSTR pszText = strText.GetBuffer(strText.GetLength());
    for (LPSTR p = pszText; *p != '\0'; p = CharNextA(p))
        if (CharNextA(p) == p + 1 && ((unsigned char)*p < ' ' || strchr(pszBanned, *p) != NULL))
            *p = ' ';
    strText.ReleaseBuffer();
}

CString ExportFileName(CString strName, LPCSTR pszExtension)
{
    BlankCharacters(strName, kFileNameBanned);
    strName.TrimRight(" .");
    strName.TrimLeft();
    return (strName.IsEmpty() ? CString("Report") : strName) + pszExtension;
}
