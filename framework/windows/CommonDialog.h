// CCommonDialog: the base of the wrappers of the system's common dialogs.
// Their DoModal runs the system dialog and gives IDOK or IDCANCEL; the
// dialog's own buttons are left to the system dialog.
#pragma once

#include "framework/windows/Dialog.h"

class CCommonDialog : public CDialog
{
    DECLARE_DYNAMIC(CCommonDialog)
public:
    explicit CCommonDialog(CWnd* pParentWnd);

protected:
    // The window that owns the dialog: the parent's top-level window, or
    // the active window.
    HWND GetOwnerHwnd() const;
    void OnOK() override;
    void OnCancel() override;
};
