#include "framework/windows/CommonDialog.h"

IMPLEMENT_DYNAMIC(CCommonDialog, CDialog)

CCommonDialog::CCommonDialog(CWnd* pParentWnd) : CDialog()
{
    m_pParentWnd = pParentWnd;
}

HWND CCommonDialog::GetOwnerHwnd() const
{
    return CWnd::GetSafeOwner(m_pParentWnd)->GetSafeHwnd();
}

void CCommonDialog::OnOK()
{
    Default();
}

void CCommonDialog::OnCancel()
{
    Default();
}
