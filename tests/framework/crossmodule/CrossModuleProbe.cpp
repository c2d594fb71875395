#include "tests/framework/crossmodule/CrossModuleProbe.h"

#include "framework/core/File.h"
#include "framework/core/MessageSink.h"
#include "framework/core/OleVariant.h"

extern "C" {

void __cdecl ProbeAssignString(CString* pString, LPCSTR lpszText)
{
    *pString = lpszText;
}

void __cdecl ProbeAppendToList(CStringList* pList, LPCSTR lpszPrefix, int nCount)
{
    for (int i = 0; i < nCount; ++i)
    {
        CString strItem;
        strItem.Format("%s%d", lpszPrefix, i);
        pList->AddTail(strItem);
    }
}

void __cdecl ProbeThrowFileException(LPCSTR lpszFileName)
{
    throw new CFileException(CFileException::fileNotFound, ERROR_FILE_NOT_FOUND, lpszFileName);
}

LONG __cdecl ProbeTextToLong(LPCSTR lpszText)
{
    COleVariant var(lpszText);
    var.ChangeType(VT_I4);
    return V_I4(&var);
}

void __cdecl ProbeMakeAnsiVariant(VARIANT* pVar, LPCSTR lpszText)
{
    COleVariant var(lpszText, VT_BSTRT);
    *pVar = var.Detach();
}

int __cdecl ProbeShowMessage(LPCSTR lpszText)
{
    return AfxMessageBox(lpszText, MB_YESNO | MB_ICONQUESTION);
}

}
