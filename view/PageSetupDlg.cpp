#include "view/PageSetupDlg.h"

#include "framework/windows/DataExchange.h"
#include "SheetViewIds.h"

CPageSetupDlg::CPageSetupDlg(CWnd* pParent) : CDialog(IDD_PAGE_SETUP, pParent), m_nMode(0)
{
}

void CPageSetupDlg::DoDataExchange(CDataExchange* pDX)
{
    DDX_Radio(pDX, IDC_LAYOUT_GENERAL, m_nMode);
}
