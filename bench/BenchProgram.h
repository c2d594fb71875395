// What the database bench programs share: their folder (the engine
// libraries lie beside them), the environment the scripts set, and a
// message sink that prints instead of waiting.
#pragma once

#include <stdio.h>

#include "framework/core/String.h"

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
