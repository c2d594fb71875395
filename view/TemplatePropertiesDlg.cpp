#include "view/TemplatePropertiesDlg.h"

#include "framework/windows/ComboBox.h"
#include "framework/windows/DataExchange.h"
#include "sheet/TemplateBuilder.h"
#include "view/TemplateAttrFields.h"
#include "TemplateWizardIds.h"

namespace
{
const int kListedTypes = 5;

CString Decimal(INT_PTR nCount)
{
    CString strCount;
    strCount.Format("%d", (int)nCount);
    return strCount;
}

CString KindText(LONG nKind)
{
    CString strKind;
    if (nKind == 0)
        strKind.LoadString(IDS_TEMPLATE_KIND_FORM);
    else if (nKind == 1)
        strKind.LoadString(IDS_TEMPLATE_KIND_COUNT);
    return strKind;
}

BOOL IsListedType(int nType)
{
    return nType >= 0 && nType < kListedTypes;
}
}

CTemplatePropertiesDlg::CTemplatePropertiesDlg(BOOL bEditable, CWnd* pParent)
    : CDialog(IDD_TEMPLATE_PROPERTIES, pParent), m_bEditable(bEditable), m_pHeader(NULL), m_bChanged(0),
      m_nType(-1)
{
}

void CTemplatePropertiesDlg::LoadFrom(const CSheet& sheet)
{
    m_strName = sheet.m_szTitle;
    m_strCode = sheet.m_szCode;
    m_strVersion = sheet.m_szVersion;
    m_strOrgan = sheet.m_szDesignCompany;
    m_strOrganCode = sheet.m_szCompanyCode;
    m_strDesigner = sheet.m_szDesigner;
    m_strDate = sheet.m_szDesignDate;
    m_nType = (int)sheet.m_nReportType;
    m_strKind = KindText(sheet.m_nKind);
    INT_PTR counts[CELL_FORMULA + 1] = {};
    for (INT_PTR i = 0; i < sheet.m_cells.GetSize(); ++i)
    {
        LONG nType = sheet.m_cells[i].m_nType;
        if (nType >= CELL_NORMAL && nType <= CELL_FORMULA)
            ++counts[nType];
    }
    m_strNormalCount = Decimal(counts[CELL_NORMAL]);
    m_strTextCount = Decimal(counts[CELL_TEXT]);
    m_strDataCount = Decimal(counts[CELL_NUMERIC]);
    m_strOrganNameCount = Decimal(counts[CELL_ORGAN]);
    m_strOrganCodeCount = Decimal(counts[CELL_ORGANCODE]);
    m_strDateCount = Decimal(counts[CELL_REPORTDATE]);
    m_strFormulaCount = Decimal(counts[CELL_FORMULA]);
    m_strTotalCount = Decimal(sheet.m_cells.GetSize());
    m_pHeader = &sheet;
}

void CTemplatePropertiesDlg::SaveTo(CSheet& sheet) const
{
    CNewTemplateFields fields;
    fields.strName = m_strName;
    fields.strCode = m_strCode;
    fields.strVersion = m_strVersion;
    fields.strCompany = m_strOrgan;
    fields.strCompanyCode = m_strOrganCode;
    fields.strDesigner = m_strDesigner;
    fields.strDesignDate = m_strDate;
    SetHeaderTexts(sheet, fields);
    sheet.m_nReportType = m_nType;
}

void CTemplatePropertiesDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_TemplateAttrs(pDX, m_strName, m_strCode, m_strVersion, m_strOrgan, m_strOrganCode, m_strDesigner,
                      m_strDate);
    DDX_Text(pDX, IDC_PROPS_KIND, m_strKind);
    DDX_Text(pDX, IDC_PROPS_DATA_COUNT, m_strDataCount);
    DDX_Text(pDX, IDC_PROPS_DATE_COUNT, m_strDateCount);
    DDX_Text(pDX, IDC_PROPS_NORMAL_COUNT, m_strNormalCount);
    DDX_Text(pDX, IDC_PROPS_ORGAN_NAME_COUNT, m_strOrganNameCount);
    DDX_Text(pDX, IDC_PROPS_ORGAN_CODE_COUNT, m_strOrganCodeCount);
    DDX_Text(pDX, IDC_PROPS_FORMULA_COUNT, m_strFormulaCount);
    DDX_Text(pDX, IDC_PROPS_TOTAL_COUNT, m_strTotalCount);
    DDX_Text(pDX, IDC_PROPS_TEXT_COUNT, m_strTextCount);
    // Exchanged by index only for the types the list shows: a ten-day or
    // half-year template has no item, and reading "none" back would turn
    // its type into another.
    if (!pDX->m_bSaveAndValidate)
    {
        int nIndex = IsListedType(m_nType) ? m_nType : -1;
        DDX_CBIndex(pDX, IDC_TEMPLATE_ATTR_TYPE, nIndex);
    }
    else
    {
        int nIndex = -1;
        DDX_CBIndex(pDX, IDC_TEMPLATE_ATTR_TYPE, nIndex);
        if (IsListedType(nIndex))
            m_nType = nIndex;
    }
}

BOOL CTemplatePropertiesDlg::OnInitDialog()
{
    CComboBox combo;
    combo.Attach(GetDlgItem(IDC_TEMPLATE_ATTR_TYPE)->GetSafeHwnd());
    FillTemplateTypeCombo(combo);
    combo.Detach();
    CDialog::OnInitDialog();
    LimitTemplateAttrFields(this);
    for (int nID : kTemplateAttrFieldIds)
        SendDlgItemMessage(nID, EM_SETREADONLY, (WPARAM)!m_bEditable);
    CWnd* pType = GetDlgItem(IDC_TEMPLATE_ATTR_TYPE);
    if (pType != NULL)
        pType->EnableWindow(m_bEditable);
    return TRUE;
}

BOOL CTemplatePropertiesDlg::DiffersFromHeader() const
{
    if (m_pHeader == NULL)
        return FALSE;
    return m_strName != m_pHeader->m_szTitle || m_strCode != m_pHeader->m_szCode ||
           m_strVersion != m_pHeader->m_szVersion || m_strOrgan != m_pHeader->m_szDesignCompany ||
           m_strOrganCode != m_pHeader->m_szCompanyCode || m_strDesigner != m_pHeader->m_szDesigner ||
           m_strDate != m_pHeader->m_szDesignDate || m_nType != (int)m_pHeader->m_nReportType;
}

void CTemplatePropertiesDlg::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    // What cannot be edited cannot have changed.
    m_bChanged = m_bEditable && DiffersFromHeader() ? 1 : 0;
    EndDialog(IDOK);
}
