#include "tests/ole/ServerClient.h"

#include <string>

#include "tests/app/DesignerProcess.h"
#include "tests/support/ScratchFolder.h"

namespace oletest
{

namespace
{

std::wstring Wide(LPCSTR lpsz)
{
    int cch = MultiByteToWideChar(CP_ACP, 0, lpsz, -1, NULL, 0);
    std::wstring str((size_t)cch, L'\0');
    MultiByteToWideChar(CP_ACP, 0, lpsz, -1, &str[0], cch);
    str.resize((size_t)cch - 1);
    return str;
}

struct ServerSearch
{
    DWORD dwOwnPid;
    std::vector<DWORD> found;
};

BOOL CALLBACK FindHiddenFrame(HWND hWnd, LPARAM lParam)
{
    ServerSearch* pSearch = reinterpret_cast<ServerSearch*>(lParam);
    char szTitle[64] = "";
    GetWindowTextA(hWnd, szTitle, sizeof(szTitle));
    DWORD dwPid = 0;
    GetWindowThreadProcessId(hWnd, &dwPid);
    if (dwPid != pSearch->dwOwnPid && lstrcmpA(szTitle, "Tallyform") == 0 && GetMenu(hWnd) != NULL
        && !IsWindowVisible(hWnd))
        pSearch->found.push_back(dwPid);
    return TRUE;
}

} // namespace

BOOL RegisterDesigner()
{
    // Once per test program is enough.
    static BOOL s_bRegistered = FALSE;
    if (s_bRegistered)
        return TRUE;
    CScratchFolder folder;
    WriteWholeFile(folder.PathOf("Tallyform.INI"), "[DataSource]\r\nStart=0\r\nType=1\r\nName=x.mdb\r\n");
    CDesignerProcess designer(folder.GetPath());
    if (!designer.IsStarted() || designer.WaitForMainWindow(60000) == NULL)
        return FALSE;
    s_bRegistered = designer.Close(30000);
    return s_bRegistered;
}

HRESULT CreateSheetObject(CScopedInterface<IDispatch>& dispatch)
{
    CLSID clsid;
    HRESULT hr = CLSIDFromProgID(L"Tallyform.Sheet", &clsid);
    if (FAILED(hr))
        return hr;
    return CoCreateInstance(clsid, NULL, CLSCTX_LOCAL_SERVER, IID_IDispatch,
                            reinterpret_cast<void**>(&dispatch));
}

DISPID MethodId(IDispatch* pDispatch, LPCSTR lpszName)
{
    std::wstring strName = Wide(lpszName);
    LPOLESTR pszName = &strName[0];
    DISPID dispid = DISPID_UNKNOWN;
    if (FAILED(pDispatch->GetIDsOfNames(IID_NULL, &pszName, 1, LOCALE_USER_DEFAULT, &dispid)))
        return DISPID_UNKNOWN;
    return dispid;
}

BOOL CallMethod(IDispatch* pDispatch, LPCSTR lpszName, HRESULT* phr)
{
    return InvokeMethod(pDispatch, MethodId(pDispatch, lpszName), phr);
}

BOOL InvokeMethod(IDispatch* pDispatch, DISPID dispid, HRESULT* phr)
{
    DISPPARAMS params = { NULL, NULL, 0, 0 };
    VARIANT result;
    VariantInit(&result);
    HRESULT hr = pDispatch->Invoke(dispid, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD,
                                   &params, &result, NULL, NULL);
    if (phr != NULL)
        *phr = hr;
    BOOL bResult = SUCCEEDED(hr) && V_VT(&result) == VT_BOOL && V_BOOL(&result) != VARIANT_FALSE;
    VariantClear(&result);
    return bResult;
}

HRESULT LoadInto(IDispatch* pDispatch, LPCSTR lpszPath)
{
    CScopedInterface<IPersistFile> file;
    HRESULT hr = pDispatch->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file));
    if (FAILED(hr))
        return hr;
    return file->Load(Wide(lpszPath).c_str(), STGM_READ);
}

HRESULT SaveCopy(IDispatch* pDispatch, LPCSTR lpszPath)
{
    CScopedInterface<IPersistFile> file;
    HRESULT hr = pDispatch->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file));
    if (FAILED(hr))
        return hr;
    return file->Save(Wide(lpszPath).c_str(), FALSE);
}

HRESULT IsDirty(IDispatch* pDispatch)
{
    CScopedInterface<IPersistFile> file;
    HRESULT hr = pDispatch->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file));
    if (FAILED(hr))
        return hr;
    return file->IsDirty();
}

std::vector<DWORD> FindServerProcesses()
{
    ServerSearch search = { GetCurrentProcessId(), {} };
    EnumWindows(FindHiddenFrame, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

BOOL WaitForNoServer()
{
    for (int i = 0; i < 300; ++i)
    {
        if (FindServerProcesses().empty())
            return TRUE;
        Sleep(100);
    }
    return FALSE;
}

} // namespace oletest
