#include "view/DisplayScaleDlg.h"

#include <stdlib.h>

#include <commctrl.h>

#include "framework/windows/DataExchange.h"
#include "view/TallyformView.h"
#include "SheetDialogIds.h"

namespace
{
const int kMinPercent = 10;
const int kMaxPercent = 400;
} // namespace

BEGIN_MESSAGE_MAP(CDisplayScaleDlg, CDialog)
    ON_EN_KILLFOCUS(IDC_SCALE_EDIT, OnKillfocusScale)
    ON_NOTIFY(UDN_DELTAPOS, IDC_SCALE_SPIN, OnDeltaposScale)
END_MESSAGE_MAP()

CDisplayScaleDlg::CDisplayScaleDlg(CTallyformView* pView)
    : CDialog(IDD_DISPLAY_SCALE, pView), m_pView(pView), m_bApplying(FALSE), m_bClosing(FALSE)
{
}

void CDisplayScaleDlg::ShowPercent(int nPercent)
{
    CString str;
    str.Format("%d%%", nPercent);
    SetDlgItemText(IDC_SCALE_EDIT, str);
}

BOOL CDisplayScaleDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_spin.SubclassDlgItem(IDC_SCALE_SPIN, this);
    m_spin.SetRange(kMinPercent, kMaxPercent);
    m_spin.SetPos(m_pView->GetZoom());
    ShowPercent(m_pView->GetZoom());
    return TRUE;
}

void CDisplayScaleDlg::OnDeltaposScale(NMHDR* pNMHDR, LRESULT* pResult)
{
    const NMUPDOWN* pUpDown = reinterpret_cast<const NMUPDOWN*>(pNMHDR);
    int nPercent = pUpDown->iPos + pUpDown->iDelta;
    if (nPercent < kMinPercent)
        nPercent = kMinPercent;
    if (nPercent > kMaxPercent)
        nPercent = kMaxPercent;
    ShowPercent(nPercent);
    *pResult = 0;
}

void CDisplayScaleDlg::OnKillfocusScale()
{
    // The edit also loses the focus when the dialog goes, and to the view's
    // message box while a number is applied.
    if (!m_bClosing && !m_bApplying)
        ApplyScaleText();
}

BOOL CDisplayScaleDlg::ApplyScaleText()
{
    CString strText;
    GetDlgItemText(IDC_SCALE_EDIT, strText);
    // A leading decimal number; a "%" after it does not count.
    const int nPercent = atoi(strText);
    if (nPercent == 0)
    {
        ShowPercent(m_pView->GetZoom());
        return TRUE;
    }
    if (strText == m_strRefused)
        return FALSE;
    m_bApplying = TRUE;
    const BOOL bApplied = m_pView->SetZoom(nPercent);
    m_bApplying = FALSE;
    if (bApplied)
    {
        m_strRefused.Empty();
        return TRUE;
    }
    m_strRefused = strText;
    GotoDlgCtrl(GetDlgItem(IDC_SCALE_EDIT));
    return FALSE;
}

void CDisplayScaleDlg::OnOK()
{
    if (!ApplyScaleText())
    {
        GotoDlgCtrl(GetDlgItem(IDC_SCALE_EDIT));
        return;
    }
    m_bClosing = TRUE;
    CDialog::OnOK();
}

void CDisplayScaleDlg::OnCancel()
{
    m_bClosing = TRUE;
    CDialog::OnCancel();
}
