#include "shell/app/AboutDlg.h"

#include <shellapi.h>

#include "ShellIds.h"

namespace
{
const char kMakerAddress[] = "http://www.veltrano.example/tallyform/";

// The open command of the .htm class cut before its "%1" (and the quote
// before it), or empty.
CString HtmlOpenCommand()
{
    char szClass[MAX_PATH] = "";
    LONG cb = sizeof(szClass);
    if (RegQueryValueA(HKEY_CLASSES_ROOT, ".htm", szClass, &cb) != ERROR_SUCCESS || !szClass[0])
        return CString();
    char szCommand[1024] = "";
    cb = sizeof(szCommand);
    CString strKey = CString(szClass) + "\\shell\\open\\command";
    if (RegQueryValueA(HKEY_CLASSES_ROOT, strKey, szCommand, &cb) != ERROR_SUCCESS)
        return CString();
    CString strCommand = szCommand;
    int nArg = strCommand.Find("\"%1\"");
    if (nArg < 0)
        nArg = strCommand.Find("%1");
    if (nArg >= 0)
        strCommand = strCommand.Left(nArg);
    strCommand.TrimRight();
    return strCommand;
}
} // namespace

BEGIN_MESSAGE_MAP(CAboutDlg, CDialog)
    ON_BN_CLICKED(IDC_ABOUT_ICON, OnClickedIcon)
END_MESSAGE_MAP()

CAboutDlg::CAboutDlg() : CDialog(IDD_ABOUTBOX) {}

BOOL CAboutDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    if (m_tooltip.Create(this))
    {
        CWnd* pIcon = GetDlgItem(IDC_ABOUT_ICON);
        if (pIcon != NULL)
            m_tooltip.AddTool(pIcon, kMakerAddress);
        m_tooltip.Activate(TRUE);
    }
    return TRUE;
}

BOOL CAboutDlg::PreTranslateMessage(MSG* pMsg)
{
    if (m_tooltip.GetSafeHwnd() != NULL)
        m_tooltip.RelayEvent(pMsg);
    return CDialog::PreTranslateMessage(pMsg);
}

void CAboutDlg::OnClickedIcon() { OpenWebPage(kMakerAddress); }

BOOL CAboutDlg::OpenWebPage(LPCSTR lpszAddress)
{
    HINSTANCE hResult = ShellExecuteA(NULL, "open", lpszAddress, NULL, NULL, SW_SHOWNORMAL);
    if ((INT_PTR)hResult > 32)
        return TRUE;
    CString strCommand = HtmlOpenCommand();
    if (strCommand.IsEmpty())
        return FALSE;
    strCommand += " ";
    strCommand += lpszAddress;
    return WinExec(strCommand, SW_SHOWNORMAL) > 31;
}
