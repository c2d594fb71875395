#include "framework/windows/PageSetupDialog.h"

#include "framework/windows/DevNames.h"

IMPLEMENT_DYNAMIC(CPageSetupDialog, CCommonDialog)

CPageSetupDialog::CPageSetupDialog(DWORD dwFlags, CWnd* pParentWnd) : CCommonDialog(pParentWnd), m_psd()
{
    m_psd.lStructSize = sizeof(m_psd);
    m_psd.Flags = dwFlags;
}

INT_PTR CPageSetupDialog::DoModal()
{
    m_psd.hwndOwner = GetOwnerHwnd();
    return ::PageSetupDlgA(&m_psd) ? IDOK : IDCANCEL;
}

void CPageSetupDialog::GetMargins(LPRECT lpRectMargins, LPRECT lpRectMinMargins) const
{
    if (lpRectMargins != NULL)
        *lpRectMargins = m_psd.rtMargin;
    if (lpRectMinMargins != NULL)
        *lpRectMinMargins = m_psd.rtMinMargin;
}

CString CPageSetupDialog::GetDriverName() const
{
    return AfxGetDevNamesField(m_psd.hDevNames, DEVNAMES_DRIVER);
}

CString CPageSetupDialog::GetDeviceName() const
{
    return AfxGetDevNamesField(m_psd.hDevNames, DEVNAMES_DEVICE);
}

CString CPageSetupDialog::GetPortName() const
{
    return AfxGetDevNamesField(m_psd.hDevNames, DEVNAMES_OUTPUT);
}

HDC CPageSetupDialog::CreatePrinterDC()
{
    return AfxCreateDCFromDevNames(m_psd.hDevNames, m_psd.hDevMode);
}
