// The toolbar resource (type RT_TOOLBAR, 241, as wrc writes a TOOLBAR
// statement): WORD version (1), image width, image height, button count,
// then one WORD command id per button, 0 for a separator.
#pragma once

#include "framework/core/Array.h"

#include <windows.h>

#ifndef RT_TOOLBAR
#define RT_TOOLBAR MAKEINTRESOURCEA(241)
#endif

struct CToolBarResource
{
    int m_nVersion = 0;
    int m_cxImage = 0;
    int m_cyImage = 0;
    CUIntArray m_arrIDs;

    // Reads the resource from its bytes; FALSE for a short or unknown one.
    BOOL Parse(const void* pData, DWORD cbData);
    // Finds and reads lpszResourceName in hInst.
    BOOL Load(HINSTANCE hInst, LPCSTR lpszResourceName);
};
