#include "framework/windows/FindReplaceDialog.h"

IMPLEMENT_DYNAMIC(CFindReplaceDialog, CCommonDialog)

CFindReplaceDialog::CFindReplaceDialog() : CCommonDialog(NULL), m_fr()
{
    m_szFindWhat[0] = '\0';
    m_szReplaceWith[0] = '\0';
}

UINT_PTR CALLBACK CFindReplaceDialog::HookProc(HWND hDlg, UINT message, WPARAM, LPARAM lParam)
{
    // The object takes the dialog's window as soon as it exists, so that it
    // sees the window's end and can delete itself.
    if (message == WM_INITDIALOG)
    {
        CFindReplaceDialog* pDlg =
            reinterpret_cast<CFindReplaceDialog*>(reinterpret_cast<FINDREPLACEA*>(lParam)->lCustData);
        pDlg->SubclassWindow(hDlg);
        return TRUE;
    }
    return FALSE;
}

BOOL CFindReplaceDialog::Create(BOOL bFindDialogOnly, LPCSTR lpszFindWhat, LPCSTR lpszReplaceWith,
                                DWORD dwFlags, CWnd* pParentWnd)
{
    m_pParentWnd = pParentWnd;
    // The notices go to the window given, also a child window such as a
    // view; the system makes its top-level window the dialog's owner.
    HWND hWndOwner = pParentWnd != NULL ? pParentWnd->GetSafeHwnd() : GetOwnerHwnd();
    if (hWndOwner == NULL)
        return FALSE;
    lstrcpynA(m_szFindWhat, lpszFindWhat != NULL ? lpszFindWhat : "", sizeof(m_szFindWhat));
    lstrcpynA(m_szReplaceWith, lpszReplaceWith != NULL ? lpszReplaceWith : "", sizeof(m_szReplaceWith));
    m_fr.lStructSize = sizeof(m_fr);
    m_fr.hwndOwner = hWndOwner;
    m_fr.Flags = dwFlags | FR_ENABLEHOOK;
    m_fr.lpstrFindWhat = m_szFindWhat;
    m_fr.wFindWhatLen = sizeof(m_szFindWhat);
    m_fr.lpstrReplaceWith = m_szReplaceWith;
    m_fr.wReplaceWithLen = sizeof(m_szReplaceWith);
    m_fr.lCustData = reinterpret_cast<LPARAM>(this);
    m_fr.lpfnHook = &CFindReplaceDialog::HookProc;
    HWND hWnd = bFindDialogOnly ? ::FindTextA(&m_fr) : ::ReplaceTextA(&m_fr);
    if (hWnd == NULL)
    {
        if (m_hWnd != NULL)
            Detach();
        return FALSE;
    }
    return TRUE;
}

CFindReplaceDialog* CFindReplaceDialog::GetNotifier(LPARAM lParam)
{
    return reinterpret_cast<CFindReplaceDialog*>(reinterpret_cast<FINDREPLACEA*>(lParam)->lCustData);
}

void CFindReplaceDialog::PostNcDestroy()
{
    delete this;
}
