// Drives a system dialog that a test opens modally: once a visible dialog
// window of this thread appears, the action is run on it (typically posting
// a button command), so the modal call returns without a user.
#pragma once

#include <functional>

#include <windows.h>

class CDialogDriver
{
public:
    typedef std::function<void(HWND hDlg)> Action;

    // The action runs on the first visible dialog (class "#32770") of this
    // thread that was not already shown when the driver was made.
    explicit CDialogDriver(Action action);
    ~CDialogDriver();
    CDialogDriver(const CDialogDriver&) = delete;
    CDialogDriver& operator=(const CDialogDriver&) = delete;

    // The dialog the action ran on, NULL while none was found.
    HWND Driven() const { return m_hDriven; }

    // Presses a dialog button the way a click does.
    static void Press(HWND hDlg, int nID);

private:
    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD);
    static BOOL CALLBACK FindDialog(HWND hWnd, LPARAM lParam);

    Action m_action;
    HWND m_hBefore;
    HWND m_hDriven;
    UINT_PTR m_nTimer;
};
