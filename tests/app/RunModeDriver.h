// Fills a report in the running designer from outside: the sheet view of
// its document window, the in-place editors the view opens along the tab
// order, the period calendar, and the dialogs and messages on the way.
#pragma once

#include <string>
#include <vector>

#include "tests/app/DesignerProcess.h"

class CRunModeDriver
{
public:
    explicit CRunModeDriver(CDesignerProcess& designer) : m_designer(designer) {}

    // The main window and the view of its document window; FALSE when they
    // did not come within the time.
    BOOL FindView(DWORD dwMilliseconds);
    // Answers the starting program's connect dialog with the user and the
    // password, then finds the view and waits for the splash to go.
    BOOL Connect(LPCSTR lpszUser, LPCSTR lpszPassword, DWORD dwMilliseconds);
    // The main window alone, for a program started without a template.
    BOOL FindMainWindow(DWORD dwMilliseconds);
    HWND MainWindow() const { return m_hMain; }
    HWND View() const { return m_hView; }
    CString MainCaption() const;
    // Waits until the main window's caption starts with the text.
    BOOL WaitForCaption(LPCSTR lpszPrefix, DWORD dwMilliseconds);

    // Saves the main window as the screen shows it, redrawn, to a bitmap at
    // the Unix path; FALSE when it could not be saved.
    BOOL SaveScreenshot(const std::string& unixPath) const;
    // The text of the main window's status bar once it starts with the
    // prefix, or whatever it shows when the time is up.
    std::string WaitForStatus(LPCSTR lpszPrefix, DWORD dwMilliseconds) const;

    // Waits for the start-up splash to come and go: the first key press
    // while it shows only takes it away.
    BOOL WaitForSplashGone(DWORD dwMilliseconds);
    // Lets the program finish what it was asked: a command that shows a
    // progress window pumps the messages still waiting.
    void Settle();

    // Posts a key press (WM_KEYDOWN) to the window.
    static void PressKey(HWND hWnd, UINT nKey);
    // Posts the characters of the text to the window one by one.
    static void TypeChars(HWND hWnd, LPCSTR lpszText);
    // Waits until the window's text is the text; the text last read.
    static BOOL WaitForText(HWND hWnd, LPCSTR lpszText, DWORD dwMilliseconds, CString* pLast = NULL);

    // Waits for the view's one in-place editor to be another window than
    // hOld, answering dialogs meanwhile (see AnswerDialogs).
    HWND WaitForEditor(HWND hOld, DWORD dwMilliseconds);
    // Opens the period field's calendar with a click and clicks the cell of
    // the page (a month of the shown year on a monthly report).
    BOOL PickPeriodCell(HWND hField, int nPeriodType, int nCell, DWORD dwMilliseconds);
    // Walks the key cells of a report in run mode, from the view: F5 (the
    // editor is in run mode from the start), then the period (the calendar's cell nPeriodCell on its page of nPeriodType),
    // the organization code typed as lpszCodeStart until it reads
    // lpszCode, and the name the code found, lpszName.  Returns the editor
    // open after the name (the first figure's); NULL when a step did not
    // come within the time, the step then in Failure().
    HWND EnterKeys(int nPeriodType, int nPeriodCell, LPCSTR lpszCodeStart, LPCSTR lpszCode, LPCSTR lpszName,
                   DWORD dwMilliseconds);
    // Types a figure over the open editor's text and tabs on; the next
    // editor, NULL (with the failure noted) when the figure did not show
    // or no editor came.
    HWND EnterFigure(HWND hEditor, LPCSTR lpszFigure, DWORD dwMilliseconds);
    // The figure typed into the editor as it opened, nothing selected
    // first, then Tab; the next editor or NULL.
    HWND TypeFigure(HWND hEditor, LPCSTR lpszFigure, DWORD dwMilliseconds);
    const std::string& Failure() const { return m_strFailure; }

    // Answers every dialog of the program now shown with OK, noting the
    // report information dialog as "[report] <code>|<name>" and a message
    // box by its text in Answered().
    void AnswerDialogs();
    const std::vector<std::string>& Answered() const { return m_answered; }
    // Answers dialogs (see AnswerDialogs) until a report information
    // dialog was among them; its note, "" when none came.
    std::string ConfirmReportInformation(DWORD dwMilliseconds);
    // Answers dialogs until a message box was among them; its text, ""
    // when none came.
    std::string WaitForMessage(DWORD dwMilliseconds);

    // Names the path in the file dialog the program shows (now or within
    // the time), under the filter of the 1-based index (0 keeps the
    // dialog's own), answering Yes should it ask to replace a file; TRUE
    // once the dialog has gone.  The name the dialog proposed goes to
    // pstrProposed when given.
    BOOL AnswerFileDialog(LPCSTR lpszPath, int nFilter, DWORD dwMilliseconds, CString* pstrProposed = NULL);
    // Runs a command that asks for a file (posted as a menu sends it) and
    // answers its file dialog.
    BOOL ChooseFile(UINT nCommand, LPCSTR lpszPath, int nFilter, DWORD dwMilliseconds,
                    CString* pstrProposed = NULL);
    // File > Save to PDF into the path, through the file dialog; TRUE once
    // the file is there.  The name the dialog proposed goes to
    // pstrProposed when given.
    BOOL SaveToPdf(LPCSTR lpszPath, DWORD dwMilliseconds, CString* pstrProposed = NULL);
    // Closes the program, answering a question to save with No.
    BOOL CloseDiscarding(DWORD dwMilliseconds);
    // The main window's zoom combo on the Standard bar, or NULL.
    HWND ZoomCombo() const;

private:
    HWND PopupOtherThan(HWND hMain) const;
    // Answers dialogs until a report information dialog (bReportDialog) or
    // a message box was among them; its note, "" when none came.
    std::string WaitForAnswer(BOOL bReportDialog, DWORD dwMilliseconds);
    void NoteReportDialog(HWND hDlg);

    CDesignerProcess& m_designer;
    HWND m_hMain = NULL;
    HWND m_hView = NULL;
    std::vector<std::string> m_answered;
    std::string m_strFailure;
};

// The texts as "[first] [second] ", for failure messages.
std::string JoinedTexts(const std::vector<std::string>& texts);
