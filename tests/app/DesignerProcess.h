// Runs the real designer program (or the editor, in a test program built
// with PROGRAM_UNDER_TEST "Quirepad") as a child process in a working folder and
// finds and drives its windows from outside with messages.
#pragma once

#include <string>
#include <vector>

#include <windows.h>

#include "framework/core/String.h"

class CDesignerProcess
{
public:
    // Starts <program folder>\Tallyform.exe.so (or the editor's) with lpszFolder as its
    // current directory and lpszArguments (when not NULL) on its command line;
    // given lpszLocale ("zh_CN.UTF-8", found in the folder that LOCPATH names),
    // in that locale, whose code page Wine makes the program's.
    explicit CDesignerProcess(LPCSTR lpszFolder, LPCSTR lpszArguments = NULL, LPCSTR lpszLocale = NULL);
    // Ends the program when a test left it running.
    ~CDesignerProcess();
    CDesignerProcess(const CDesignerProcess&) = delete;
    CDesignerProcess& operator=(const CDesignerProcess&) = delete;

    BOOL IsStarted() const { return m_process.hProcess != NULL; }
    // The error of the last start that failed, 0 when none did.
    DWORD StartError() const { return m_dwStartError; }
    // TRUE once the process has ended within the time; its exit code then.
    BOOL WaitForExit(DWORD dwMilliseconds, DWORD* pdwExitCode = NULL);

    // The first visible dialog window (class #32770) of the program whose
    // caption is lpszCaption (any caption when NULL), waiting up to the time.
    HWND WaitForDialog(LPCSTR lpszCaption, DWORD dwMilliseconds);
    // The visible top-level window of the program with a menu bar.
    HWND WaitForMainWindow(DWORD dwMilliseconds);
    // Waits for a message box with this text, pressing OK on any other box
    // on the way (the texts are collected in Seen()).  NULL when none came.
    HWND WaitForMessage(LPCSTR lpszText, DWORD dwMilliseconds);
    const std::vector<std::string>& Seen() const { return m_seen; }

    // TRUE once the window has gone (or is hidden) within the time.
    static BOOL WaitGone(HWND hWnd, DWORD dwMilliseconds);

    // Closes the main window and waits for the program to end.
    BOOL Close(DWORD dwMilliseconds = 30000);
    // Ends the program the way kill -9 does: its Unix process gets SIGKILL,
    // so nothing of the program runs after.  TRUE once it has ended.
    BOOL KillAtOnce(DWORD dwMilliseconds = 10000);

    DWORD ProcessId() const { return m_process.dwProcessId; }
    // The program's visible top-level windows.
    std::vector<HWND> TopLevelWindows() const;

    // The folder of the programs (the folder of this test program).
    static CString ProgramFolder();
    // A window's class name, and its caption (for another process's
    // control not its content: ask the control with WM_GETTEXT for that).
    static CString ClassOf(HWND hWnd);
    static CString TextOf(HWND hWnd);
    // The text of another process's control, carried across in wide
    // characters (an edit's or a combo box's content, say).
    static std::string ControlText(HWND hWnd);
    // The text of a message box: its static text control.
    static CString MessageText(HWND hBox);
    // Presses a button of a dialog or message box the way a click does.
    static void Press(HWND hDlg, int nID);
    // Whether a window's middle lies on the middle of another window (on
    // the screen's work area for NULL), to a pixel of rounding.
    static BOOL IsCentredOn(HWND hWnd, HWND hOver);
    // A message box of the program (a dialog with the box's text control),
    // waiting up to the time; NULL when none came.
    HWND WaitForMessageBox(DWORD dwMilliseconds);
    // Whether Database > Connect is enabled: the command is posted as a menu
    // sends it, and the framework runs it (showing the connect dialog, which
    // is then cancelled) only when its update handler enables it.
    BOOL IsConnectEnabled(HWND hFrame);

private:
    PROCESS_INFORMATION m_process;
    DWORD m_dwStartError;
    // The command line as Wine shows it for the Unix process: without quotes.
    std::string m_strUnquotedCommand;
    std::vector<std::string> m_seen;
};

// The designer program's module loaded without running it, for its
// resources (menus are private to the process that loaded them, so the
// running program's menu bar cannot be read from here).
HMODULE LoadDesignerResources();
