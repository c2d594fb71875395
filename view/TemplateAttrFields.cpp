#include "view/TemplateAttrFields.h"

#include "framework/windows/ComboBox.h"
#include "framework/windows/DataExchange.h"
#include "sheet/Sheet.h"
#include "TemplateWizardIds.h"

const int kTemplateAttrFieldIds[7] = {
    IDC_TEMPLATE_ATTR_NAME, IDC_TEMPLATE_ATTR_CODE, IDC_TEMPLATE_ATTR_VERSION, IDC_TEMPLATE_ATTR_ORGAN,
    IDC_TEMPLATE_ATTR_ORGAN_CODE, IDC_TEMPLATE_ATTR_DESIGNER, IDC_TEMPLATE_ATTR_DATE,
};

void LimitTemplateAttrFields(CWnd* pDlg)
{
    // Room for the text without the terminator of each header field.
    const int kLimits[7] = {
        SHEET_TITLE_LEN - 1, SHEET_CODE_LEN - 1, SHEET_VERSIONTEXT_LEN - 1, SHEET_COMPANY_LEN - 1,
        SHEET_CODE_LEN - 1, SHEET_DESIGNER_LEN - 1, SHEET_DATE_LEN - 1,
    };
    for (int i = 0; i < 7; ++i)
        pDlg->SendDlgItemMessage(kTemplateAttrFieldIds[i], EM_LIMITTEXT, (WPARAM)kLimits[i]);
}

void FillTemplateTypeCombo(CComboBox& combo)
{
    static const char* const kTypes[] = { "Annal", "Quarter", "Month", "Week", "Day" };
    combo.ResetContent();
    for (const char* pszType : kTypes)
        combo.AddString(pszType);
}

void DDX_TemplateAttrs(CDataExchange* pDX, CString& strName, CString& strCode, CString& strVersion,
                       CString& strOrgan, CString& strOrganCode, CString& strDesigner, CString& strDate)
{
    CString* const texts[7] = { &strName, &strCode, &strVersion, &strOrgan, &strOrganCode, &strDesigner, &strDate };
    for (int i = 0; i < 7; ++i)
        DDX_Text(pDX, kTemplateAttrFieldIds[i], *texts[i]);
}
