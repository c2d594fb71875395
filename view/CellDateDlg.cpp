#include "view/CellDateDlg.h"

#include "framework/core/MessageSink.h"
#include "CellDefineIds.h"

BEGIN_MESSAGE_MAP(CCellDateDlg, CDialog)
    ON_BN_CLICKED(IDC_DATE_DEFAULT, OnDefault)
    ON_BN_CLICKED(IDC_DATE_CHINESE, OnChinese)
END_MESSAGE_MAP()

CCellDateDlg::CCellDateDlg() : CDialog(IDD_CELL_DATE), m_nDateStyle(1)
{
}

BOOL CCellDateDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_sample.SubclassDlgItem(IDC_DATE_SAMPLE, this);
    ShowStyle(m_nDateStyle);
    return TRUE;
}

void CCellDateDlg::ShowStyle(int nStyle)
{
    m_nDateStyle = nStyle != 0 ? 1 : 0;
    CheckRadioButton(IDC_DATE_CHINESE, IDC_DATE_DEFAULT, m_nDateStyle ? IDC_DATE_DEFAULT : IDC_DATE_CHINESE);
    // The samples hold characters of no particular ANSI code page.
    WCHAR szSample[256] = {};
    const UINT nID = m_nDateStyle ? IDS_DATE_SAMPLE_DEFAULT : IDS_DATE_SAMPLE_CHINESE;
    if (m_sample.m_hWnd != NULL &&
        ::LoadStringW(AfxGetResourceHandle(), nID, szSample, sizeof(szSample) / sizeof(szSample[0])) > 0)
        ::SetWindowTextW(m_sample.m_hWnd, szSample);
}

void CCellDateDlg::OnDefault()
{
    ShowStyle(1);
}

void CCellDateDlg::OnChinese()
{
    ShowStyle(0);
}
