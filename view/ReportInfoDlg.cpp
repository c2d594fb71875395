#include "view/ReportInfoDlg.h"

#include "framework/core/MessageSink.h"
#include "framework/windows/DataExchange.h"
#include "reporting/FindItemDlg.h"
#include "reporting/OrganLookup.h"
#include "reporting/ReportConnection.h"
#include "reporting/ShownCode.h"
#include "TemplateDialogIds.h"

namespace
{
// The organization code field of the cells and data files holds 8 characters.
const int ORGAN_CODE_MAX = 8;
}

BEGIN_MESSAGE_MAP(CReportInfoDlg, CDialog)
    ON_BN_CLICKED(IDC_ORGAN_BROWSE, OnBrowse)
END_MESSAGE_MAP()

CReportInfoDlg::CReportInfoDlg(CWnd* pParent)
    : CDialog(IDD_REPORT_INFO, pParent), m_nPeriodType(4), m_nPeriodStyle(1), m_bChanged(FALSE)
{
}

void CReportInfoDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_ORGAN_BROWSE, m_btnBrowse);
    DDX_Text(pDX, IDC_ORGAN_CODE, m_strOrganCode);
    DDX_Text(pDX, IDC_ORGAN_NAME, m_strOrganName);
}

BOOL CReportInfoDlg::OnInitDialog()
{
    SendDlgItemMessage(IDC_ORGAN_CODE, EM_LIMITTEXT, ORGAN_CODE_MAX);
    CDialog::OnInitDialog();

    CWnd* pPlace = GetDlgItem(IDC_PERIOD_PLACE);
    CRect rect;
    pPlace->GetWindowRect(&rect);
    ScreenToClient(&rect);
    if (m_wndPeriod.Create(rect, this, IDC_PERIOD_FIELD))
    {
        // Into the tab order where the placeholder stands.
        ::SetWindowPos(m_wndPeriod.m_hWnd, pPlace->m_hWnd, 0, 0, 0, 0,
                       SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        m_wndPeriod.SetPeriodType(m_nPeriodType, m_nPeriodStyle);
        m_wndPeriod.SetCode(m_strPeriod);
    }

    m_bChanged = FALSE;
    m_strOldOrganCode = m_strOrganCode;
    m_strOldOrganName = m_strOrganName;
    m_strOldPeriod = m_strPeriod;
    m_btnBrowse.EnableWindow(CanBrowseOrganizations());
    return TRUE;
}

void CReportInfoDlg::OnBrowse()
{
    CString strCode, strName;
    if (!BrowseOrganization(strCode, strName))
        return;
    m_strOrganCode = strCode;
    m_strOrganName = strName;
    UpdateData(FALSE);
}

void CReportInfoDlg::OnOK()
{
    if (!UpdateData(TRUE) || !MatchOrganization())
        return;
    if (m_wndPeriod.m_hWnd != NULL)
        m_strPeriod = m_wndPeriod.GetCode();
    m_bChanged = m_strOrganCode.Compare(m_strOldOrganCode) != 0 ||
                 m_strOrganName.Compare(m_strOldOrganName) != 0 ||
                 m_strPeriod.Compare(m_strOldPeriod) != 0;
    EndDialog(IDOK);
}

// A known code brings its organization's name: the name shown since the
// opening (or none) gives way to it, so a code typed over another one never
// goes out under the other organization's name.  A name typed beside a
// known code must be its name; beside an unknown code, a name of another
// organization is refused, and so is an unknown code shown with '?'.
// Without the organizations, or without a code, the pair is taken as typed
// (the document checks it where it must).
BOOL CReportInfoDlg::MatchOrganization()
{
    CReportConnection& connection = GetReportConnection();
    if (!connection.IsOrganRecordsetOpen() || m_strOrganCode.IsEmpty())
        return TRUE;
    CKemRecordset& rs = *connection.m_pOrganRecordset;
    CString strCode = m_strOrganCode, strName;
    CString strMessage;
    const int nByCode = LookUpOrganization(rs, TRUE, strCode, strName);
    if (nByCode < 0)
        return FALSE;
    if (nByCode == 1)
    {
        if (strName == m_strOrganName)
            return TRUE;
        if (m_strOrganName == m_strOldOrganName || m_strOrganName.IsEmpty())
        {
            m_strOrganName = strName;
            SetDlgItemText(IDC_ORGAN_NAME, strName);
            return TRUE;
        }
        strMessage.Format("The organization code \"%s\" belongs to \"%s\", not to \"%s\".",
                          (LPCSTR)m_strOrganCode, (LPCSTR)strName, (LPCSTR)m_strOrganName);
        return RefusePair(IDC_ORGAN_NAME, strMessage);
    }
    // A code read with '?' for characters this system lacks names no row.
    if (m_strOrganCode.Find('?') >= 0)
        return RefusePair(IDC_ORGAN_CODE, UnshownCodeMessage("ss_Organ", m_strOrganCode));
    if (m_strOrganName.IsEmpty())
        return TRUE;
    CString strOtherCode, strOtherName = m_strOrganName;
    const int nByName = LookUpOrganization(rs, FALSE, strOtherCode, strOtherName);
    if (nByName <= 0)
        return nByName == 0;
    strMessage.Format("No organization has the code \"%s\"; \"%s\" is the organization \"%s\".",
                      (LPCSTR)m_strOrganCode, (LPCSTR)strOtherName, (LPCSTR)strOtherCode);
    return RefusePair(IDC_ORGAN_CODE, strMessage);
}

BOOL CReportInfoDlg::RefusePair(int nFocusID, const CString& strMessage)
{
    AfxMessageBox(strMessage, MB_OK | MB_ICONEXCLAMATION);
    GotoDlgCtrl(GetDlgItem(nFocusID));
    return FALSE;
}

BOOL CReportInfoDlg::CanBrowseOrganizations() const
{
    return GetReportConnection().IsDatabaseOpen();
}

BOOL CReportInfoDlg::BrowseOrganization(CString& rCode, CString& rName)
{
    CFindItemDlg dlg(3, 1, "%", this);
    if (dlg.DoModal() != IDOK)
        return FALSE;
    // A stored code longer than the field would be cut to another code.
    if (dlg.m_strCode.GetLength() > ORGAN_CODE_MAX)
    {
        CString strMessage;
        strMessage.Format("Organization code length must less than %d!", ORGAN_CODE_MAX);
        AfxMessageBox(strMessage);
        return FALSE;
    }
    rCode = dlg.m_strCode;
    rName = dlg.m_strName;
    return TRUE;
}
