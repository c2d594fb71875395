// CWinApp: the program's one application object.  It runs the message
// loop (with idle-time clean-up and command-UI updates), keeps the user's
// settings in the registry under the company key, and owns the document
// manager with the program's document templates.
#pragma once

#include "framework/core/List.h"
#include "framework/core/String.h"
#include "framework/windows/CmdTarget.h"

#include <windows.h>

class CCmdUI;
class CDC;
class CPrintDialog;
class CCommandLineInfo;
class CDocManager;
class CDocTemplate;
class CDocument;
class CRecentFileList;
class CWnd;

class CWinApp : public CCmdTarget
{
    DECLARE_DYNAMIC(CWinApp)
public:
    // The program's name; NULL takes the module's file name without its
    // extension.  There is one application object per program.
    explicit CWinApp(LPCSTR lpszAppName = NULL);
    ~CWinApp() override;
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    HINSTANCE m_hInstance;
    LPSTR m_lpCmdLine;
    int m_nCmdShow;
    CWnd* m_pMainWnd;
    CString m_strAppName;
    CString m_strRegistryKey;   // the company key; empty keeps settings in <app>.INI
    MSG m_msgCur;               // the message being dispatched

    virtual BOOL InitInstance();
    // Writes the recent-file list back and deletes the document manager;
    // the result is the program's exit code (the WM_QUIT code once the
    // loop has ended).
    virtual int ExitInstance();
    // The message loop: OnIdle while the queue is empty, until WM_QUIT;
    // returns ExitInstance's result.
    virtual int Run();
    // lCount 0 updates the main window's command UI, lCount 1 deletes the
    // temporary handle wrappers.  TRUE asks for another call.
    virtual BOOL OnIdle(LONG lCount);
    // Windows outside the main window whose command UI the idle time
    // updates too (bars a program shows on another program's window).
    void AddIdleUpdateWindow(HWND hWnd);
    void RemoveIdleUpdateWindow(HWND hWnd);
    // Offers the message to the windows from its own up to the main window.
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    // One message from the queue; FALSE on WM_QUIT.
    BOOL PumpMessage();

    // Settings go to HKEY_CURRENT_USER\Software\<key>\<app name>\<section>.
    void SetRegistryKey(LPCSTR lpszRegistryKey);
    UINT GetProfileInt(LPCSTR lpszSection, LPCSTR lpszEntry, int nDefault);
    CString GetProfileString(LPCSTR lpszSection, LPCSTR lpszEntry, LPCSTR lpszDefault = NULL);
    // A NULL entry removes the section, a NULL value (string) the entry.
    BOOL WriteProfileInt(LPCSTR lpszSection, LPCSTR lpszEntry, int nValue);
    BOOL WriteProfileString(LPCSTR lpszSection, LPCSTR lpszEntry, LPCSTR lpszValue);

    // The application owns the template from here on.
    void AddDocTemplate(CDocTemplate* pTemplate);
    CDocManager* GetDocManager() const { return m_pDocManager; }
    virtual CDocument* OpenDocumentFile(LPCSTR lpszFileName);
    // SaveModified of every document; FALSE as soon as one answers FALSE.
    virtual BOOL SaveAllModified();
    void CloseAllDocuments(BOOL bEndSession);

    // Reads the recent-file list of nMaxMRU entries (at most 16; 0 keeps
    // none) from the profile section "Recent File List"; ExitInstance
    // writes it back through SaveStdProfileSettings.
    void LoadStdProfileSettings(UINT nMaxMRU = 4);
    void SaveStdProfileSettings();
    virtual void AddToRecentFileList(LPCSTR lpszPathName);
    CRecentFileList* m_pRecentFileList;

    // Splits m_lpCmdLine (the process's command line when NULL) into
    // arguments and gives each to rCmdInfo.ParseParam.
    void ParseCommandLine(CCommandLineInfo& rCmdInfo);
    // Carries out the shell command: a new document, the file opened, or
    // the file printed with the main window hidden (after which the
    // program has nothing more to do: FALSE).  FALSE when it failed.
    BOOL ProcessShellCommand(CCommandLineInfo& rCmdInfo);
    // The command being processed while a print command runs, so the
    // print handler can find the /pt printer; NULL otherwise.
    CCommandLineInfo* m_pCmdInfo;
    // Registers each template's file type with the shell: its extension,
    // icon and open command (with bCompat also print and print-to), all
    // naming this program.  Nothing is written when the program's file
    // cannot be named.
    void RegisterShellFileTypes(BOOL bCompat = FALSE);

    // The program's printer (WinAppPrinter.cpp): its DEVMODE and DEVNAMES
    // blocks, owned here; NULL until a printer is chosen or asked for.
    HGLOBAL m_hDevMode;
    HGLOBAL m_hDevNames;
    // Puts the printer's blocks into pPrintDlg (still owned here: the
    // caller neither frees them nor hands them to a dialog), taking the
    // system's default printer the first time.  FALSE when there is none.
    BOOL GetPrinterDeviceDefaults(PRINTDLGA* pPrintDlg);
    // A DC of the program's printer in dc; FALSE when there is no printer.
    BOOL CreatePrinterDC(CDC& dc);
    // Keeps the chosen printer while it is still there, else (and always
    // with bForceDefaults) takes the system's default printer, or none.
    void UpdatePrinterSelection(BOOL bForceDefaults);
    // The blocks become the program's printer; the old blocks are freed.
    void SelectPrinter(HGLOBAL hDevNames, HGLOBAL hDevMode);
    // Runs the print dialog on copies of the printer's blocks; on OK the
    // printer chosen becomes the program's.  IDOK or IDCANCEL.
    INT_PTR DoPrintDialog(CPrintDialog* pPD);

protected:
    // File > Print Setup: the print set-up dialog on the program's printer;
    // a machine without a printer is told so.
    void OnFilePrintSetup();
    // The File > New and File > Open handlers the programs' maps wire up.
    void OnFileNew();
    void OnFileOpen();
    // File > Exit: closes the main window, as its close box does.
    void OnAppExit();
    // The recent files of the File menu (in the application's own map).
    void OnUpdateRecentFileMenu(CCmdUI* pCmdUI);
    // Opens the entry; one that does not open leaves the list.
    void OnOpenRecentFile(UINT nID);

    CDocManager* m_pDocManager;
    CPtrList m_listIdleUpdateWindows;   // HWND

    DECLARE_MESSAGE_MAP()

private:
    // The open key of a section (created when bCreate); NULL on failure.
    HKEY GetSectionKey(LPCSTR lpszSection, BOOL bCreate);
    CString GetIniPath() const;
};

CWinApp* AfxGetApp();
// Tells the user that there is no printer to print, preview or lay out with.
void AfxMessageNoPrinter();
CWnd* AfxGetMainWnd();
// The program's start: InitInstance, then the message loop.
int AfxWinMain(HINSTANCE hInstance, LPSTR lpCmdLine, int nCmdShow);
