// CAboutDlg: the About box.  A click on the program icon opens the maker's
// web page in the browser.
#pragma once

#include "framework/windows/Dialog.h"
#include "framework/windows/ToolTipCtrl.h"

class CAboutDlg : public CDialog
{
public:
    CAboutDlg();

    BOOL PreTranslateMessage(MSG* pMsg) override;

    // Opens the address with the shell; when that fails, starts the command
    // of the .htm file class with the address.  FALSE when neither worked.
    static BOOL OpenWebPage(LPCSTR lpszAddress);

protected:
    BOOL OnInitDialog() override;
    void OnClickedIcon();

    CToolTipCtrl m_tooltip;

    DECLARE_MESSAGE_MAP()
};
