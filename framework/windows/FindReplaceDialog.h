// CFindReplaceDialog: the system's modeless Find or Replace dialog.  Make
// it with new and Create; it tells its owner through the registered
// message FINDMSGSTRING (use GetNotifier on the message's lParam) and
// deletes itself when its window goes.  When Create fails the object is
// not deleted: the caller still owns it.
#pragma once

#include "framework/windows/CommonDialog.h"

class CFindReplaceDialog : public CCommonDialog
{
    DECLARE_DYNAMIC(CFindReplaceDialog)
public:
    CFindReplaceDialog();

    FINDREPLACEA m_fr;

    // pParentWnd (or the active window) is the owner that gets the messages.
    BOOL Create(BOOL bFindDialogOnly, LPCSTR lpszFindWhat, LPCSTR lpszReplaceWith = NULL,
                DWORD dwFlags = FR_DOWN, CWnd* pParentWnd = NULL);

    // The dialog that sent a FINDMSGSTRING message.
    static CFindReplaceDialog* GetNotifier(LPARAM lParam);

    CString GetFindString() const { return CString(m_szFindWhat); }
    CString GetReplaceString() const { return CString(m_szReplaceWith); }
    BOOL SearchDown() const { return (m_fr.Flags & FR_DOWN) != 0; }
    BOOL FindNext() const { return (m_fr.Flags & FR_FINDNEXT) != 0; }
    BOOL MatchCase() const { return (m_fr.Flags & FR_MATCHCASE) != 0; }
    BOOL MatchWholeWord() const { return (m_fr.Flags & FR_WHOLEWORD) != 0; }
    BOOL ReplaceCurrent() const { return (m_fr.Flags & FR_REPLACE) != 0; }
    BOOL ReplaceAll() const { return (m_fr.Flags & FR_REPLACEALL) != 0; }
    // TRUE in the last message, sent as the dialog closes.
    BOOL IsTerminating() const { return (m_fr.Flags & FR_DIALOGTERM) != 0; }

protected:
    void PostNcDestroy() override;

private:
    static UINT_PTR CALLBACK HookProc(HWND hDlg, UINT message, WPARAM wParam, LPARAM lParam);

    char m_szFindWhat[128];
    char m_szReplaceWith[128];
};
