#include "tests/app/DesignerProcess.h"

#include <dirent.h>
#include <signal.h>
#include <stdio.h>
#include <stdlib.h>

// The program driven: the designer, unless the test program is built to
// drive the editor.
#ifndef PROGRAM_UNDER_TEST
#define PROGRAM_UNDER_TEST "Tallyform"
#endif

namespace
{
const DWORD kPollMs = 50;

struct EnumState
{
    DWORD dwProcessId;
    std::vector<HWND>* pWindows;
};

BOOL CALLBACK CollectWindow(HWND hWnd, LPARAM lParam)
{
    EnumState* pState = reinterpret_cast<EnumState*>(lParam);
    DWORD dwPid = 0;
    GetWindowThreadProcessId(hWnd, &dwPid);
    if (dwPid == pState->dwProcessId && IsWindowVisible(hWnd))
        pState->pWindows->push_back(hWnd);
    return TRUE;
}

BOOL CALLBACK FindStaticText(HWND hWnd, LPARAM lParam)
{
    if (CDesignerProcess::ClassOf(hWnd).CompareNoCase("Static") != 0)
        return TRUE;
    CString strText = CDesignerProcess::TextOf(hWnd);
    if (strText.IsEmpty())
        return TRUE;
    *reinterpret_cast<CString*>(lParam) = strText;
    return FALSE;
}
// The Unix process whose command line, its parts joined by blanks, is the
// text: Wine gives a program's Unix process the Windows command line as
// its arguments.  0 when there is none.
int UnixProcessWithCommand(const std::string& command)
{
    DIR* pDir = opendir("/proc");
    if (pDir == NULL)
        return 0;
    int nFound = 0;
    while (struct dirent* pEntry = readdir(pDir))
    {
        int nPid = atoi(pEntry->d_name);
        FILE* pFile = nPid > 0 ? fopen((std::string("/proc/") + pEntry->d_name + "/cmdline").c_str(), "rb") : NULL;
        if (pFile == NULL)
            continue;
        std::string line;
        char buffer[4096];
        size_t n;
        while ((n = fread(buffer, 1, sizeof(buffer), pFile)) > 0)
            line.append(buffer, n);
        fclose(pFile);
        for (char& c : line)
            if (c == '\0')
                c = ' ';
        while (!line.empty() && line.back() == ' ')
            line.pop_back();
        if (line == command)
        {
            nFound = nPid;
            break;
        }
    }
    closedir(pDir);
    return nFound;
}

} // namespace

CString CDesignerProcess::ClassOf(HWND hWnd)
{
    char szClass[64] = "";
    GetClassNameA(hWnd, szClass, sizeof(szClass));
    return szClass;
}

CString CDesignerProcess::TextOf(HWND hWnd)
{
    char szText[1024] = "";
    GetWindowTextA(hWnd, szText, sizeof(szText));
    return szText;
}

CString CDesignerProcess::ProgramFolder()
{
    char szPath[MAX_PATH] = "";
    GetModuleFileNameA(NULL, szPath, MAX_PATH);
    CString strPath = szPath;
    return strPath.Left(strPath.ReverseFind('\\'));
}

namespace
{
// Sets LANG in this program's Unix environment for its life, which Wine
// hands on to the programs it starts (LANG in the environment block given
// to CreateProcess does not reach their Unix side).
class CUnixLocale
{
public:
    explicit CUnixLocale(LPCSTR lpszLocale) : m_bSet(lpszLocale != NULL)
    {
        if (!m_bSet)
            return;
        const char* pszOld = getenv("LANG");
        m_bHadOld = pszOld != NULL;
        m_strOld = m_bHadOld ? pszOld : "";
        setenv("LANG", lpszLocale, 1);
    }
    ~CUnixLocale()
    {
        if (m_bSet && m_bHadOld)
            setenv("LANG", m_strOld.c_str(), 1);
        else if (m_bSet)
            unsetenv("LANG");
    }

private:
    BOOL m_bSet;
    BOOL m_bHadOld = FALSE;
    std::string m_strOld;
};
} // namespace

CDesignerProcess::CDesignerProcess(LPCSTR lpszFolder, LPCSTR lpszArguments, LPCSTR lpszLocale)
    : m_process(), m_dwStartError(0)
{
    CUnixLocale locale(lpszLocale);
    CString strCommand = "\"" + ProgramFolder() + "\\" PROGRAM_UNDER_TEST ".exe.so\"";
    if (lpszArguments != NULL)
        strCommand += CString(" ") + lpszArguments;
    for (char c : std::string(strCommand))
        if (c != '"')
            m_strUnquotedCommand += c;
    STARTUPINFOA si = {};
    si.cb = sizeof(si);
    // A start that fails, as one now and then did right after another
    // instance ended, is tried again; StartError keeps why it failed.
    for (int nTry = 0; nTry < 3; ++nTry)
    {
        if (CreateProcessA(NULL, strCommand.GetBuffer(0), NULL, NULL, FALSE, 0, NULL, lpszFolder, &si,
                           &m_process))
            break;
        m_dwStartError = GetLastError();
        m_process = PROCESS_INFORMATION();
        Sleep(500);
    }
    strCommand.ReleaseBuffer();
}

CDesignerProcess::~CDesignerProcess()
{
    if (m_process.hProcess == NULL)
        return;
    if (WaitForSingleObject(m_process.hProcess, 0) != WAIT_OBJECT_0)
    {
        TerminateProcess(m_process.hProcess, 1);
        WaitForSingleObject(m_process.hProcess, 5000);
    }
    CloseHandle(m_process.hThread);
    CloseHandle(m_process.hProcess);
}

BOOL CDesignerProcess::WaitForExit(DWORD dwMilliseconds, DWORD* pdwExitCode)
{
    if (m_process.hProcess == NULL ||
        WaitForSingleObject(m_process.hProcess, dwMilliseconds) != WAIT_OBJECT_0)
        return FALSE;
    if (pdwExitCode != NULL)
        GetExitCodeProcess(m_process.hProcess, pdwExitCode);
    return TRUE;
}

std::vector<HWND> CDesignerProcess::TopLevelWindows() const
{
    std::vector<HWND> windows;
    EnumState state = { m_process.dwProcessId, &windows };
    EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&state));
    return windows;
}

HWND CDesignerProcess::WaitForDialog(LPCSTR lpszCaption, DWORD dwMilliseconds)
{
    DWORD dwStart = GetTickCount();
    do
    {
        for (HWND hWnd : TopLevelWindows())
        {
            if (ClassOf(hWnd) == "#32770" &&
                (lpszCaption == NULL || TextOf(hWnd) == lpszCaption))
                return hWnd;
        }
        if (WaitForExit(kPollMs))
            return NULL;
    } while (GetTickCount() - dwStart < dwMilliseconds);
    return NULL;
}

HWND CDesignerProcess::WaitForMainWindow(DWORD dwMilliseconds)
{
    DWORD dwStart = GetTickCount();
    do
    {
        for (HWND hWnd : TopLevelWindows())
        {
            if (ClassOf(hWnd) != "#32770" && GetMenu(hWnd) != NULL)
                return hWnd;
        }
        if (WaitForExit(kPollMs))
            return NULL;
    } while (GetTickCount() - dwStart < dwMilliseconds);
    return NULL;
}

HWND CDesignerProcess::WaitForMessage(LPCSTR lpszText, DWORD dwMilliseconds)
{
    DWORD dwStart = GetTickCount();
    do
    {
        HWND hBox = WaitForDialog(NULL, kPollMs);
        if (hBox != NULL)
        {
            CString strText = MessageText(hBox);
            if (strText == lpszText)
                return hBox;
            if (TextOf(hBox) != "Connect to Database")
            {
                m_seen.push_back((LPCSTR)strText);
                Press(hBox, IDOK);
                Sleep(200);
            }
        }
        if (WaitForExit(0))
            return NULL;
    } while (GetTickCount() - dwStart < dwMilliseconds);
    return NULL;
}

BOOL CDesignerProcess::Close(DWORD dwMilliseconds)
{
    HWND hMain = WaitForMainWindow(0);
    if (hMain != NULL)
        PostMessageA(hMain, WM_CLOSE, 0, 0);
    return WaitForExit(dwMilliseconds);
}

std::string CDesignerProcess::ControlText(HWND hWnd)
{
    WCHAR szWide[512] = {};
    char szText[512] = "";
    SendMessageW(hWnd, WM_GETTEXT, 512, (LPARAM)szWide);
    WideCharToMultiByte(CP_ACP, 0, szWide, -1, szText, sizeof(szText), NULL, NULL);
    return szText;
}

BOOL CDesignerProcess::KillAtOnce(DWORD dwMilliseconds)
{
    int nPid = UnixProcessWithCommand(m_strUnquotedCommand);
    if (nPid == 0 || kill(nPid, SIGKILL) != 0)
        return FALSE;
    return WaitForExit(dwMilliseconds);
}

CString CDesignerProcess::MessageText(HWND hBox)
{
    CString strText;
    EnumChildWindows(hBox, FindStaticText, reinterpret_cast<LPARAM>(&strText));
    return strText;
}

void CDesignerProcess::Press(HWND hDlg, int nID)
{
    HWND hButton = GetDlgItem(hDlg, nID);
    PostMessageA(hDlg, WM_COMMAND, MAKEWPARAM(nID, BN_CLICKED), (LPARAM)hButton);
}

BOOL CDesignerProcess::IsCentredOn(HWND hWnd, HWND hOver)
{
    RECT rc, rcOver;
    if (!GetWindowRect(hWnd, &rc))
        return FALSE;
    if (hOver != NULL)
        GetWindowRect(hOver, &rcOver);
    else
        SystemParametersInfoA(SPI_GETWORKAREA, 0, &rcOver, 0);
    return abs((rc.left + rc.right) - (rcOver.left + rcOver.right)) <= 2 &&
           abs((rc.top + rc.bottom) - (rcOver.top + rcOver.bottom)) <= 2;
}

HWND CDesignerProcess::WaitForMessageBox(DWORD dwMilliseconds)
{
    DWORD dwStart = GetTickCount();
    do
    {
        for (HWND hWnd : TopLevelWindows())
            if (ClassOf(hWnd) == "#32770" && GetDlgItem(hWnd, 0xFFFF) != NULL)
                return hWnd;
        if (WaitForExit(kPollMs))
            return NULL;
    } while (GetTickCount() - dwStart < dwMilliseconds);
    return NULL;
}

BOOL CDesignerProcess::IsConnectEnabled(HWND hFrame)
{
    PostMessageA(hFrame, WM_COMMAND, MAKEWPARAM(32837, 0), 0);
    HWND hDlg = WaitForDialog("Connect to Database", 3000);
    if (hDlg == NULL)
        return FALSE;
    Press(hDlg, IDCANCEL);
    WaitGone(hDlg, 10000);
    return TRUE;
}

BOOL CDesignerProcess::WaitGone(HWND hWnd, DWORD dwMilliseconds)
{
    DWORD dwStart = GetTickCount();
    while (IsWindow(hWnd) && IsWindowVisible(hWnd))
    {
        if (GetTickCount() - dwStart >= dwMilliseconds)
            return FALSE;
        Sleep(kPollMs);
    }
    return TRUE;
}

HMODULE LoadDesignerResources()
{
    static HMODULE s_hModule =
        LoadLibraryExA(CDesignerProcess::ProgramFolder() + "\\" PROGRAM_UNDER_TEST ".exe.so", NULL,
                       DONT_RESOLVE_DLL_REFERENCES);
    return s_hModule;
}
