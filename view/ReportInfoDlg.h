// CReportInfoDlg: the Set Report Information dialog.  It shows the
// organization (code and name) and the period a report is saved under,
// and tells the caller whether the user changed any of them.  While the
// organizations can be read, the name shown goes with the code.
#pragma once

#include "framework/windows/Button.h"
#include "framework/windows/Dialog.h"
#include "shell/DateFieldWnd.h"

class CReportInfoDlg : public CDialog
{
public:
    explicit CReportInfoDlg(CWnd* pParent = NULL);

    CButton m_btnBrowse;
    CString m_strOrganCode;
    CString m_strOrganName;
    // Set by the caller before DoModal.
    int m_nPeriodType;
    int m_nPeriodStyle;
    // The 13-character period code: in from the caller, out at OK.
    CString m_strPeriod;
    CString m_strOldPeriod;
    CString m_strOldOrganCode;
    CString m_strOldOrganName;
    // After OK: the code, the name or the period differs from the opening.
    BOOL m_bChanged;
    CDateFieldWnd m_wndPeriod;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnBrowse();
    // The code names the organization (see the .cpp); FALSE keeps the
    // dialog open.
    BOOL MatchOrganization();
    BOOL RefusePair(int nFocusID, const CString& strMessage);

    // The organizations of the reporting database: whether they can be
    // looked up (an open reporting database), and the lookup through Find
    // Item (TRUE when the user chose one).
    virtual BOOL CanBrowseOrganizations() const;
    virtual BOOL BrowseOrganization(CString& rCode, CString& rName);

    DECLARE_MESSAGE_MAP()
};
