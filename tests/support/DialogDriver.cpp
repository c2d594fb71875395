#include "tests/support/DialogDriver.h"

namespace {
CDialogDriver* g_pDriver = NULL;
}

CDialogDriver::CDialogDriver(Action action)
    : m_action(std::move(action)), m_hBefore(::GetActiveWindow()), m_hDriven(NULL), m_nTimer(0)
{
    g_pDriver = this;
    m_nTimer = ::SetTimer(NULL, 0, 100, &CDialogDriver::OnTimer);
}

CDialogDriver::~CDialogDriver()
{
    ::KillTimer(NULL, m_nTimer);
    g_pDriver = NULL;
}

void CDialogDriver::Press(HWND hDlg, int nID)
{
    ::PostMessageA(hDlg, WM_COMMAND, MAKEWPARAM(nID, BN_CLICKED), (LPARAM)::GetDlgItem(hDlg, nID));
}

BOOL CALLBACK CDialogDriver::FindDialog(HWND hWnd, LPARAM lParam)
{
    char szClass[16] = "";
    ::GetClassNameA(hWnd, szClass, sizeof(szClass));
    if (lstrcmpA(szClass, "#32770") != 0 || !::IsWindowVisible(hWnd) || hWnd == g_pDriver->m_hBefore)
        return TRUE;
    *reinterpret_cast<HWND*>(lParam) = hWnd;
    return FALSE;
}

void CALLBACK CDialogDriver::OnTimer(HWND, UINT, UINT_PTR, DWORD)
{
    if (g_pDriver == NULL || g_pDriver->m_hDriven != NULL)
        return;
    HWND hDlg = NULL;
    ::EnumThreadWindows(::GetCurrentThreadId(), &CDialogDriver::FindDialog, (LPARAM)&hDlg);
    if (hDlg == NULL)
        return;
    g_pDriver->m_hDriven = hDlg;
    g_pDriver->m_action(hDlg);
}
