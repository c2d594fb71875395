#include "framework/docview/ClassesRoot.h"

BOOL AfxGetServerModulePath(CString& strPath)
{
    char szPath[MAX_PATH] = "";
    DWORD cch = GetModuleFileNameA(NULL, szPath, MAX_PATH - 4);
    if (cch == 0 || cch >= MAX_PATH - 4)
        return FALSE;
    // A Winelib program is the shared object beside the name its loader
    // reports (that name is only a launcher script).
    char szShared[MAX_PATH] = "";
    lstrcpyA(szShared, szPath);
    lstrcatA(szShared, ".so");
    if (GetFileAttributesA(szShared) != INVALID_FILE_ATTRIBUTES)
        lstrcpyA(szPath, szShared);
    else if (GetFileAttributesA(szPath) == INVALID_FILE_ATTRIBUTES)
        return FALSE;
    strPath = szPath;
    return TRUE;
}

BOOL AfxSetClassesRootValue(LPCSTR lpszKey, LPCSTR lpszValueName, LPCSTR lpszValue)
{
    HKEY hKey = NULL;
    if (RegCreateKeyExA(HKEY_CLASSES_ROOT, lpszKey, 0, NULL, 0, KEY_SET_VALUE, NULL, &hKey, NULL)
        != ERROR_SUCCESS)
        return FALSE;
    LONG lResult = RegSetValueExA(hKey, lpszValueName, 0, REG_SZ,
                                  reinterpret_cast<const BYTE*>(lpszValue), lstrlenA(lpszValue) + 1);
    RegCloseKey(hKey);
    return lResult == ERROR_SUCCESS;
}

CString AfxStringFromCLSID(REFCLSID clsid)
{
    WCHAR szWide[40] = {};
    char sz[40] = "";
    StringFromGUID2(clsid, szWide, 40);
    WideCharToMultiByte(CP_ACP, 0, szWide, -1, sz, sizeof(sz), NULL, NULL);
    return sz;
}
