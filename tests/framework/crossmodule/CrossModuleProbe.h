// Exports of the CrossModuleProbe test library, which stands in for an
// engine library: it works on framework objects that the program owns.
#pragma once

#include "framework/core/List.h"
#include "framework/core/String.h"

#include <oleauto.h>

// Assigns lpszText to the program's string (grown, shrunk or emptied here).
typedef void(__cdecl* PFN_PROBE_ASSIGN_STRING)(CString* pString, LPCSTR lpszText);
// Appends nCount numbered copies of lpszPrefix to the program's list.
typedef void(__cdecl* PFN_PROBE_APPEND_TO_LIST)(CStringList* pList, LPCSTR lpszPrefix, int nCount);
// Throws a CFileException (fileNotFound) naming lpszFileName.
typedef void(__cdecl* PFN_PROBE_THROW_FILE_EXCEPTION)(LPCSTR lpszFileName);
// Converts the text to a 32-bit integer through COleVariant::ChangeType,
// which throws COleException on failure.
typedef LONG(__cdecl* PFN_PROBE_TEXT_TO_LONG)(LPCSTR lpszText);
// Fills *pVar with an ANSI-form text variant; the program clears it.
typedef void(__cdecl* PFN_PROBE_MAKE_ANSI_VARIANT)(VARIANT* pVar, LPCSTR lpszText);
// Shows a Yes/No message box from inside the library; returns the answer.
typedef int(__cdecl* PFN_PROBE_SHOW_MESSAGE)(LPCSTR lpszText);
