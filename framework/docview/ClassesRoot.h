// Registry entries under HKEY_CLASSES_ROOT that name this program: shell
// file types and OLE classes.
#pragma once

#include <objbase.h>

#include "framework/core/String.h"

// The program's own file for the registry: the module's path or, for a
// Winelib program, the shared object beside the name the loader reports.  FALSE
// when no such file exists, so nothing points at a missing program.
BOOL AfxGetServerModulePath(CString& strPath);
// Sets HKEY_CLASSES_ROOT\lpszKey (and its value lpszValueName, or the
// default value when NULL) to lpszValue.
BOOL AfxSetClassesRootValue(LPCSTR lpszKey, LPCSTR lpszValueName, LPCSTR lpszValue);
// The registry form of a class id, "{...}".
CString AfxStringFromCLSID(REFCLSID clsid);
