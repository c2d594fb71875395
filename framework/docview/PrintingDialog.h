// The dialog shown while a job prints: the document, the page being
// printed and Cancel, which stops the job.  Its abort procedure keeps the
// program's messages flowing between the spooler's calls.
#pragma once

#include <windows.h>

class CPrintingDialog
{
public:
    // Shows the dialog over hWndOwner, which is disabled until the object
    // goes; lpszDocument names the job.
    CPrintingDialog(HWND hWndOwner, LPCSTR lpszDocument);
    ~CPrintingDialog();
    CPrintingDialog(const CPrintingDialog&) = delete;
    CPrintingDialog& operator=(const CPrintingDialog&) = delete;

    HWND GetSafeHwnd() const { return m_hWnd; }
    void SetPage(UINT nPage);
    // TRUE once Cancel was pressed.
    BOOL IsCancelled() const { return m_bCancelled; }
    // The abort procedure of the job of the dialog shown now.
    static BOOL CALLBACK AbortProc(HDC hDC, int nCode);

    enum { IDC_PRINTING_PAGE = 1001 };

private:
    static INT_PTR CALLBACK DialogProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam);

    HWND m_hWnd;
    HWND m_hWndOwner;
    BOOL m_bCancelled;
};
