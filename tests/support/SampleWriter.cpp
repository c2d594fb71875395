#include "tests/support/SampleWriter.h"

DWORD RunSampleWriter(const CString& strFolder)
{
    char szPath[MAX_PATH] = "";
    GetModuleFileNameA(NULL, szPath, MAX_PATH);
    CString strProgram = szPath;
    strProgram = strProgram.Left(strProgram.ReverseFind('\\')) + "\\WriteSampleTemplates.exe.so";
    CString strCommand = "\"" + strProgram + "\" \"" + strFolder + "\"";
    STARTUPINFOA si = {};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi = {};
    if (!CreateProcessA(NULL, strCommand.GetBuffer(0), NULL, NULL, FALSE, 0, NULL, NULL, &si, &pi))
        return (DWORD)-1;
    strCommand.ReleaseBuffer();
    DWORD dwCode = (DWORD)-1;
    if (WaitForSingleObject(pi.hProcess, 30000) == WAIT_OBJECT_0)
        GetExitCodeProcess(pi.hProcess, &dwCode);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return dwCode;
}
