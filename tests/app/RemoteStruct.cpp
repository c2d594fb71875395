#include "tests/app/RemoteStruct.h"

BOOL SendForRemoteStruct(HWND hWnd, UINT nMsg, WPARAM wParam, void* pValue, SIZE_T cb)
{
    DWORD dwProcessId = 0;
    ::GetWindowThreadProcessId(hWnd, &dwProcessId);
    HANDLE hProcess = ::OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE,
                                    dwProcessId);
    if (hProcess == NULL)
        return FALSE;
    BOOL bDone = FALSE;
    void* pRemote = ::VirtualAllocEx(hProcess, NULL, cb, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    if (pRemote != NULL)
    {
        SIZE_T nDone = 0;
        bDone = ::WriteProcessMemory(hProcess, pRemote, pValue, cb, &nDone) && nDone == cb &&
                ::SendMessageA(hWnd, nMsg, wParam, (LPARAM)pRemote) != 0 &&
                ::ReadProcessMemory(hProcess, pRemote, pValue, cb, &nDone) && nDone == cb;
        ::VirtualFreeEx(hProcess, pRemote, 0, MEM_RELEASE);
    }
    ::CloseHandle(hProcess);
    return bDone;
}
