#include "reporting/AnSelectPropDlg.h"

#include <map>

#include "engines/common/KemRecordset.h"
#include "framework/core/Exception.h"
#include "framework/core/MessageSink.h"
#include "framework/windows/DataExchange.h"
#include "framework/windows/WaitCursor.h"
#include "reporting/FieldText.h"
#include "reporting/ListEntries.h"
#include "reporting/ReportConnection.h"
#include "reporting/ScopedRecordset.h"
#include "sheet/document/TallyformDoc.h"
#include "AnalysisIds.h"

BEGIN_MESSAGE_MAP(CAnSelectPropDlg, CDialog)
    ON_CBN_SELCHANGE(IDC_AN_PROP_TYPE, OnTypeChange)
    ON_BN_CLICKED(IDC_AN_PROP_ADD, OnAdd)
    ON_BN_CLICKED(IDC_AN_PROP_REMOVE, OnRemove)
    ON_LBN_DBLCLK(IDC_AN_PROP_LIST, OnAdd)
    ON_LBN_DBLCLK(IDC_AN_PROP_SELECTED, OnRemove)
END_MESSAGE_MAP()

CAnSelectPropDlg::CAnSelectPropDlg(CWnd* pParent)
    : CDialog(IDD_AN_SELECT_PROP, pParent), m_pDoc(NULL), m_nCurType(0)
{
}

void CAnSelectPropDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_AN_PROP_TYPE, m_comboType);
    DDX_Control(pDX, IDC_AN_PROP_LIST, m_listValues);
    DDX_Control(pDX, IDC_AN_PROP_SELECTED, m_listSelected);
}

void CAnSelectPropDlg::LoadTypes()
{
    m_types.clear();
    CScopedRecordset rs(m_pDoc->ReportConnection());
    if (rs.Get() == NULL)
        return;
    std::map<int, CString> typeNames;
    std::map<int, std::map<int, CString>> values;
    try
    {
        rs->Open("SELECT * FROM ss_Attribute", FALSE);
        for (; !rs->IsEOF(); rs->MoveNext())
        {
            int nType = RecordsetFieldByte(rs.Get(), "FD_AttrTypeCode");
            int nValue = RecordsetFieldByte(rs.Get(), "FD_ValCode");
            if (typeNames.find(nType) == typeNames.end())
                typeNames[nType] = RecordsetFieldText(rs.Get(), "FD_AttrTypeName");
            values[nType][nValue] = RecordsetFieldText(rs.Get(), "FD_ValName");
        }
    }
    catch (CException* e)
    {
        e->ReportError();
        e->Delete();
        return;
    }
    // The properties dialog keeps the codes of what stays when a type or a
    // value is deleted: every code that exists is read, in code order.
    for (const auto& typeName : typeNames)
    {
        CPropertyType type;
        type.m_nCode = typeName.first;
        type.m_strName = typeName.second;
        for (const auto& value : values[typeName.first])
        {
            type.m_values.push_back(value.second);
            type.m_valueCodes.push_back(value.first);
        }
        m_types.push_back(type);
    }
}

int CAnSelectPropDlg::TypeIndexOfCode(int nCode) const
{
    for (size_t i = 0; i < m_types.size(); ++i)
        if (m_types[i].m_nCode == nCode)
            return (int)i;
    return 0;
}

BOOL CAnSelectPropDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    {
        CWaitCursor wait;
        LoadTypes();
    }
    if (m_types.empty())
        return TRUE;
    for (const CPropertyType& type : m_types)
        m_comboType.AddString(type.m_strName);
    m_nCurType = TypeIndexOfCode((int)m_pDoc->m_sheet.m_nAnAttrType);
    m_comboType.SetCurSel(m_nCurType);
    StringsToListEntries(m_pDoc->m_sheet.m_lstAnProperties, m_listSelected);
    FillValues();
    return TRUE;
}

void CAnSelectPropDlg::FillValues()
{
    m_listValues.ResetContent();
    if (m_nCurType < 0 || m_nCurType >= (int)m_types.size())
        return;
    const CPropertyType& type = m_types[m_nCurType];
    for (size_t k = 0; k < type.m_values.size(); ++k)
    {
        CString strEntry;
        strEntry.Format("%d-%s", type.m_valueCodes[k], (LPCSTR)type.m_values[k]);
        m_listValues.AddString(strEntry);
    }
}

void CAnSelectPropDlg::OnTypeChange()
{
    int nNew = m_comboType.GetCurSel();
    if (nNew < 0 || nNew == m_nCurType)
        return;
    if (m_listSelected.GetCount() > 0)
    {
        if (AfxMessageBox("Clear selected analysis properties?", MB_YESNO) == IDNO)
        {
            // The drop-down goes on naming the type whose values are listed.
            m_comboType.SetCurSel(m_nCurType);
            return;
        }
        m_listSelected.ResetContent();
    }
    m_nCurType = nNew;
    FillValues();
}

void CAnSelectPropDlg::OnAdd()
{
    AppendSelectedEntries(m_listValues, m_listSelected);
}

void CAnSelectPropDlg::OnRemove()
{
    RemoveSelectedEntries(m_listSelected);
}

BOOL CAnSelectPropDlg::HasSelection()
{
    if (m_listSelected.GetCount() > 0)
        return TRUE;
    AfxMessageBox("Please select analysis properties.", MB_OK);
    return FALSE;
}

int CAnSelectPropDlg::SaveSelection()
{
    if (m_nCurType >= 0 && m_nCurType < (int)m_types.size())
        m_pDoc->m_sheet.m_nAnAttrType = m_types[m_nCurType].m_nCode;
    ListEntriesToStrings(m_listSelected, m_pDoc->m_sheet.m_lstAnProperties);
    return (int)m_pDoc->m_sheet.m_lstAnProperties.GetCount();
}
