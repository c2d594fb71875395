#include "view/TemplateInfoPage.h"

#include "framework/windows/ComboBox.h"
#include "framework/windows/DataExchange.h"
#include "view/TemplateAttrFields.h"
#include "TemplateWizardIds.h"

namespace
{
CString CurrentUserName()
{
    char szName[256];
    DWORD dwSize = sizeof(szName);
    if (!GetUserNameA(szName, &dwSize))
        return "Designer1";
    return szName;
}

// Today in local time: the designer's date, not the one at Greenwich.
CString Today()
{
    SYSTEMTIME now;
    GetLocalTime(&now);
    CString strDate;
    strDate.Format("%d-%d-%d", now.wYear, now.wMonth, now.wDay);
    return strDate;
}
}

BEGIN_MESSAGE_MAP(CTemplateInfoPage, CDialog)
    ON_CONTROL_RANGE(EN_CHANGE, IDC_TEMPLATE_ATTR_NAME, IDC_TEMPLATE_ATTR_DATE, OnFieldChange)
END_MESSAGE_MAP()

CTemplateInfoPage::CTemplateInfoPage(CWnd* pParent)
    : CDialog(IDD_TEMPLATE_INFO, pParent), m_strName("TallyformTemplate1"), m_strCode("00000000"),
      m_strOrgan("Organization1"), m_strOrganCode("00000000"), m_strDesigner(CurrentUserName()),
      m_strVersion("1.0"), m_strDate(Today()), m_nType(0)
{
}

void CTemplateInfoPage::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_TemplateAttrs(pDX, m_strName, m_strCode, m_strVersion, m_strOrgan, m_strOrganCode, m_strDesigner,
                      m_strDate);
    DDX_CBIndex(pDX, IDC_TEMPLATE_ATTR_TYPE, m_nType);
}

BOOL CTemplateInfoPage::OnInitDialog()
{
    CComboBox combo;
    combo.Attach(GetDlgItem(IDC_TEMPLATE_ATTR_TYPE)->GetSafeHwnd());
    FillTemplateTypeCombo(combo);
    combo.Detach();
    LimitTemplateAttrFields(this);
    return CDialog::OnInitDialog();
}

BOOL CTemplateInfoPage::IsComplete()
{
    for (int nID : kTemplateAttrFieldIds)
        if (GetDlgItem(nID) == NULL || GetDlgItem(nID)->GetWindowTextLength() == 0)
            return FALSE;
    return TRUE;
}

int CTemplateInfoPage::ChosenPeriodType()
{
    return (int)SendDlgItemMessage(IDC_TEMPLATE_ATTR_TYPE, CB_GETCURSEL, 0, 0);
}

void CTemplateInfoPage::OnFieldChange(UINT)
{
    CWnd* pParent = GetParent();
    if (pParent != NULL)
        pParent->SendMessage(WM_TEMPLATE_INFO_CHANGED);
}
