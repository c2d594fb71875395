// What the database bench programs share: their folder (the engine
// libraries lie beside them), the environment the scripts set, and a
// message sink that prints instead of waiting.
#pragma once

#include <stdio.h>

#include "engines/common/KemDatabase.h"
#include "framework/core/String.h"
#include "reporting/EngineLoader.h"

// The value of an environment variable; "" when it is not set.
inline CString BenchEnvironmentValue(LPCSTR lpszName)
{
    char szValue[512];
    DWORD n = GetEnvironmentVariableA(lpszName, szValue, sizeof(szValue));
    return CString(n > 0 && n < sizeof(szValue) ? szValue : "");
}

// The folder of the bench program, without a trailing separator.
inline CString BenchProgramFolder()
{
    char szPath[MAX_PATH];
    DWORD n = GetModuleFileNameA(NULL, szPath, MAX_PATH);
    CString strPath(n > 0 && n < MAX_PATH ? szPath : "");
    return strPath.Left(strPath.ReverseFind('\\'));
}

// Message sink: prints the text and answers OK.
inline int BenchPrintMessage(HWND, LPCSTR lpszText, LPCSTR, UINT)
{
    fprintf(stderr, "message: %s\n", lpszText);
    return IDOK;
}

// An ODBC engine database (type 25) on the data source, opened; NULL when
// the engine gives none.  The caller checks IsOpen, then closes it and
// releases it through the loader.
inline CKemDatabase* OpenBenchOdbcDatabase(CEngineLoader& loader, LPCSTR lpszDsn, LPCSTR lpszUser,
                                           LPCSTR lpszPassword, BOOL bReadOnly)
{
    CKemDatabase* pDatabase = loader.GetDatabase(25);
    if (pDatabase == NULL)
        return NULL;
    pDatabase->m_strDatabase = lpszDsn;
    pDatabase->m_strUser = lpszUser;
    pDatabase->m_strPassword = lpszPassword;
    pDatabase->Reopen(bReadOnly);
    return pDatabase;
}
