#include "framework/windows/PrintDialog.h"

#include "framework/windows/DevNames.h"

IMPLEMENT_DYNAMIC(CPrintDialog, CCommonDialog)

CPrintDialog::CPrintDialog(BOOL bPrintSetupOnly, DWORD dwFlags, CWnd* pParentWnd)
    : CCommonDialog(pParentWnd), m_pd()
{
    m_pd.lStructSize = sizeof(m_pd);
    m_pd.Flags = dwFlags | (bPrintSetupOnly ? PD_PRINTSETUP : PD_RETURNDC);
    m_pd.nCopies = 1;
    m_pd.nFromPage = 1;
    m_pd.nToPage = 1;
    m_pd.nMinPage = 1;
    m_pd.nMaxPage = 0xffff;
}

CPrintDialog::~CPrintDialog()
{
    if (m_pd.hDC != NULL)
        ::DeleteDC(m_pd.hDC);
}

INT_PTR CPrintDialog::DoModal()
{
    m_pd.hwndOwner = GetOwnerHwnd();
    if (m_pd.hDC != NULL)
    {
        ::DeleteDC(m_pd.hDC);
        m_pd.hDC = NULL;
    }
    return ::PrintDlgA(&m_pd) ? IDOK : IDCANCEL;
}

BOOL CPrintDialog::GetDefaults()
{
    DWORD dwFlags = m_pd.Flags;
    m_pd.Flags = (dwFlags & ~PD_RETURNDC) | PD_RETURNDEFAULT;
    m_pd.hwndOwner = NULL;
    BOOL bOk = ::PrintDlgA(&m_pd);
    m_pd.Flags = dwFlags;
    return bOk;
}

CString CPrintDialog::GetDriverName() const
{
    return AfxGetDevNamesField(m_pd.hDevNames, DEVNAMES_DRIVER);
}

CString CPrintDialog::GetDeviceName() const
{
    return AfxGetDevNamesField(m_pd.hDevNames, DEVNAMES_DEVICE);
}

CString CPrintDialog::GetPortName() const
{
    return AfxGetDevNamesField(m_pd.hDevNames, DEVNAMES_OUTPUT);
}

HDC CPrintDialog::CreatePrinterDC()
{
    if (m_pd.hDC != NULL)
        ::DeleteDC(m_pd.hDC);
    m_pd.hDC = AfxCreateDCFromDevNames(m_pd.hDevNames, m_pd.hDevMode);
    return m_pd.hDC;
}
