#include "reporting/OrganPropDlg.h"

#include <initializer_list>
#include <map>
#include <set>
#include <utility>

#include "engines/common/KemRecordset.h"
#include "framework/core/Exception.h"
#include "framework/core/MessageSink.h"
#include "framework/windows/WaitCursor.h"
#include "reporting/FieldText.h"
#include "reporting/KemTransaction.h"
#include "reporting/ReportConnection.h"
#include "reporting/ScopedRecordset.h"
#include "reporting/StoredText.h"
#include "ReferenceDataIds.h"

namespace
{
// Codes are one byte.
const int kMaxCodes = 256;

typedef std::pair<int, int> CodePair;             // type code, value code
typedef std::pair<CString, CString> NamePair;     // type name, value name

void ReportAndDelete(CException* e)
{
    e->ReportError();
    e->Delete();
}

// The lowest code in 0..255 that none of the used ones holds; -1 when all are.
int FreeCode(const std::set<int>& used, int nFrom)
{
    for (int n = nFrom; n < kMaxCodes; ++n)
        if (used.count(n) == 0)
            return n;
    for (int n = 0; n < nFrom && n < kMaxCodes; ++n)
        if (used.count(n) == 0)
            return n;
    return -1;
}

CString RowCondition(int nType, int nValue = -1)
{
    CString strCondition;
    strCondition.Format("FD_AttrTypeCode=%d", nType);
    if (nValue >= 0)
        strCondition.AppendFormat(" And FD_ValCode=%d", nValue);
    return strCondition;
}

// TRUE unless a value is new to a type read from the table whose name
// this system cannot show: the value's row would hold the name as shown.
BOOL CanAddValuesTo(const CPropertyType& type)
{
    if (type.m_nCode < 0)
        return TRUE;
    for (int nCode : type.m_valueCodes)
        if (nCode < 0)
            return IsShownAsStored("ss_Attribute", RowCondition(type.m_nCode), "FD_AttrTypeName", type.m_strName);
    return TRUE;
}

// Deletes the organizations' links to one value.
void DeleteValueLinks(CKemRecordset& links, const CodePair& key)
{
    links.m_strFilter.Format("FD_AttrTypeCode=%d And FD_ValCode=%d", key.first, key.second);
    if (links.IsOpen())
        links.Requery();
    else
        links.Open("select * from ss_OrgAttr", FALSE);
    while (!links.IsEOF())
    {
        links.Delete();
        links.MoveNext();
    }
}
} // namespace

BEGIN_MESSAGE_MAP(COrganPropDlg, CDialog)
    ON_BN_CLICKED(IDC_PROP_TYPE_ADD, OnAddType)
    ON_BN_CLICKED(IDC_PROP_TYPE_DELETE, OnDeleteType)
    ON_BN_CLICKED(IDC_PROP_TYPE_CLEAR, OnClearTypes)
    ON_CBN_SELCHANGE(IDC_PROP_TYPE, OnSelchangeType)
    ON_BN_CLICKED(IDC_PROP_VALUE_ADD, OnAddValue)
    ON_BN_CLICKED(IDC_PROP_VALUE_DELETE, OnDeleteValues)
    ON_BN_CLICKED(IDC_PROP_VALUE_INSERT, OnInsertValue)
    ON_BN_CLICKED(IDC_PROP_VALUE_CLEAR, OnClearValues)
END_MESSAGE_MAP()

COrganPropDlg::COrganPropDlg(CWnd* pParent)
    : CDialog(IDD_ORGAN_PROPERTIES, pParent), m_nCurType(0), m_nNextTypeCode(0)
{
}

BOOL COrganPropDlg::LoadFromDatabase()
{
    CReportConnection& connection = GetReportConnection();
    if (!connection.IsDatabaseOpen())
        return FALSE;
    CScopedRecordset rs(connection);
    if (rs.Get() == NULL)
        return FALSE;
    try
    {
        rs->m_strSort = "FD_AttrTypeCode,FD_ValCode";
        rs->Open("SELECT * FROM ss_Attribute", FALSE);
        for (; !rs->IsEOF(); rs->MoveNext())
        {
            int nType = RecordsetFieldByte(rs.Get(), "FD_AttrTypeCode");
            int nValue = RecordsetFieldByte(rs.Get(), "FD_ValCode");
            if (m_types.empty() || m_types.back().m_nCode != nType)
            {
                m_types.push_back(CPropertyType());
                m_types.back().m_nCode = nType;
                m_types.back().m_strName = RecordsetFieldText(rs.Get(), "FD_AttrTypeName");
                if (nType >= m_nNextTypeCode)
                    m_nNextTypeCode = nType + 1;
            }
            CPropertyType& type = m_types.back();
            if (nValue >= type.m_nNextValueCode)
                type.m_nNextValueCode = nValue + 1;
            CString strValue = RecordsetFieldText(rs.Get(), "FD_ValName");
            // Names this system cannot show may read alike and yet differ.
            BOOL bKnown = FALSE;
            for (const CString& strHeld : type.m_values)
                bKnown = bKnown || (strHeld.Compare(strValue) == 0 && strValue.Find('?') < 0);
            if (!bKnown)
            {
                type.m_values.push_back(strValue);
                type.m_valueCodes.push_back(nValue);
            }
        }
        return TRUE;
    }
    catch (CException* e)
    {
        ReportAndDelete(e);
        return FALSE;
    }
}

BOOL COrganPropDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_comboTypes.SubclassDlgItem(IDC_PROP_TYPE, this);
    m_listValues.SubclassDlgItem(IDC_PROP_VALUE_LIST, this);
    {
        CWaitCursor wait;
        LoadFromDatabase();
    }
    if (m_types.empty())
    {
        m_nCurType = -1;
        EnableValueEditing();
        return TRUE;
    }
    m_comboTypes.SetWindowText(m_types[0].m_strName);
    for (const CPropertyType& type : m_types)
        m_comboTypes.AddString(type.m_strName);
    m_nCurType = 0;
    ShowTypeValues(m_listValues);
    EnableValueEditing();
    return TRUE;
}

void COrganPropDlg::EnableValueEditing()
{
    BOOL bEnable = m_nCurType >= 0 && m_nCurType < (int)m_types.size();
    for (UINT nID : { IDC_PROP_VALUE, IDC_PROP_VALUE_LIST, IDC_PROP_VALUE_ADD, IDC_PROP_VALUE_DELETE,
                      IDC_PROP_VALUE_INSERT, IDC_PROP_VALUE_CLEAR })
    {
        CWnd* pControl = GetDlgItem(nID);
        if (pControl != NULL)
            pControl->EnableWindow(bEnable);
    }
}

void COrganPropDlg::ShowTypeValues(CListBox& list)
{
    list.ResetContent();
    if (m_nCurType < 0 || m_nCurType >= (int)m_types.size())
        return;
    const CPropertyType& type = m_types[m_nCurType];
    for (size_t i = 0; i < type.m_values.size(); ++i)
        list.SetItemData(list.AddString(type.m_values[i]), (DWORD_PTR)(INT_PTR)type.m_valueCodes[i]);
}

void COrganPropDlg::StoreTypeValues(CListBox& list)
{
    if (m_nCurType < 0 || m_nCurType >= (int)m_types.size())
        return;
    CPropertyType& type = m_types[m_nCurType];
    type.m_values.clear();
    type.m_valueCodes.clear();
    int nCount = list.GetCount();
    for (int i = 0; i < nCount; ++i)
    {
        CString strValue;
        list.GetText(i, strValue);
        type.m_values.push_back(strValue);
        type.m_valueCodes.push_back((int)(INT_PTR)list.GetItemData(i));
    }
}

void COrganPropDlg::OnSelchangeType()
{
    int nSel = m_comboTypes.GetCurSel();
    if (nSel == m_nCurType)
        return;
    SetDlgItemText(IDC_PROP_VALUE, "");
    if (m_nCurType != -1)
    {
        StoreTypeValues(m_listValues);
        m_listValues.ResetContent();
    }
    m_nCurType = nSel;
    ShowTypeValues(m_listValues);
    EnableValueEditing();
}

void COrganPropDlg::OnAddType()
{
    CString strName;
    m_comboTypes.GetWindowText(strName);
    if (m_comboTypes.FindStringExact(-1, strName) >= 0)
        return;
    if ((int)m_types.size() >= kMaxCodes)
    {
        AfxMessageBox("No more than 256 property types can be held.");
        return;
    }
    m_comboTypes.AddString(strName);
    StoreTypeValues(m_listValues);
    m_listValues.ResetContent();
    CPropertyType type;
    type.m_strName = strName;
    m_types.push_back(type);
    m_nCurType = m_comboTypes.GetCount() - 1;
    EnableValueEditing();
}

void COrganPropDlg::OnDeleteType()
{
    CString strName;
    m_comboTypes.GetWindowText(strName);
    int nIndex = m_comboTypes.FindStringExact(-1, strName);
    if (nIndex < 0)
    {
        AfxMessageBox("Property is not existed.");
        return;
    }
    if (AfxMessageBox("Are you sure you want to delete this property?", MB_YESNO) != IDYES)
        return;
    m_comboTypes.DeleteString(nIndex);
    m_comboTypes.SetWindowText("");
    m_types.erase(m_types.begin() + nIndex);
    if (nIndex == m_nCurType)
    {
        SetDlgItemText(IDC_PROP_VALUE, "");
        m_listValues.ResetContent();
        m_nCurType = -1;
    }
    else if (nIndex < m_nCurType)
    {
        --m_nCurType;
    }
    EnableValueEditing();
}

void COrganPropDlg::OnClearTypes()
{
    if (AfxMessageBox("Are you sure you want to clear all properties?", MB_YESNO) != IDYES)
        return;
    m_comboTypes.ResetContent();
    m_listValues.ResetContent();
    m_types.clear();
    m_nCurType = -1;
    EnableValueEditing();
}

CString COrganPropDlg::ValueToAdd()
{
    CString strValue;
    GetDlgItemText(IDC_PROP_VALUE, strValue);
    if (m_nCurType < 0 || strValue.IsEmpty() || m_listValues.FindStringExact(-1, strValue) >= 0)
        return CString();
    if (m_listValues.GetCount() >= kMaxCodes)
    {
        AfxMessageBox("No more than 256 property details can be held in one property.");
        return CString();
    }
    return strValue;
}

void COrganPropDlg::OnAddValue()
{
    CString strValue = ValueToAdd();
    if (!strValue.IsEmpty())
        m_listValues.SetItemData(m_listValues.AddString(strValue), (DWORD_PTR)(INT_PTR)-1);
}

void COrganPropDlg::OnInsertValue()
{
    CString strValue = ValueToAdd();
    if (strValue.IsEmpty())
        return;
    int nFirst = -1;
    int nCount = m_listValues.GetCount();
    for (int i = 0; i < nCount && nFirst < 0; ++i)
        if (m_listValues.GetSel(i) > 0)
            nFirst = i;
    if (nFirst >= 0 &&
        AfxMessageBox("Are you sure you want to insert new property detail?", MB_YESNO) != IDYES)
        return;
    int nAt = m_listValues.InsertString(nFirst >= 0 ? nFirst : 0, strValue);
    m_listValues.SetItemData(nAt, (DWORD_PTR)(INT_PTR)-1);
}

void COrganPropDlg::OnDeleteValues()
{
    // The count is read again after every deletion.
    for (int i = 0; i < m_listValues.GetCount();)
    {
        if (m_listValues.GetSel(i) <= 0)
        {
            ++i;
            continue;
        }
        if (AfxMessageBox("Are you sure you want to delete property details?", MB_YESNO) != IDYES)
            return;
        m_listValues.DeleteString(i);
    }
}

void COrganPropDlg::OnClearValues()
{
    if (AfxMessageBox("Are you sure you want to clear property details?", MB_YESNO) != IDYES)
        return;
    m_listValues.ResetContent();
}

BOOL COrganPropDlg::AssignCodes()
{
    std::set<int> typeCodes;
    for (const CPropertyType& type : m_types)
        if (type.m_nCode >= 0)
            typeCodes.insert(type.m_nCode);
    for (CPropertyType& type : m_types)
    {
        if (type.m_nCode < 0)
        {
            type.m_nCode = FreeCode(typeCodes, m_nNextTypeCode);
            if (type.m_nCode < 0)
                return FALSE;
            typeCodes.insert(type.m_nCode);
            m_nNextTypeCode = type.m_nCode + 1;
        }
        std::set<int> valueCodes;
        for (int nCode : type.m_valueCodes)
            if (nCode >= 0)
                valueCodes.insert(nCode);
        for (int& nCode : type.m_valueCodes)
        {
            if (nCode >= 0)
                continue;
            nCode = FreeCode(valueCodes, type.m_nNextValueCode);
            if (nCode < 0)
                return FALSE;
            valueCodes.insert(nCode);
            type.m_nNextValueCode = nCode + 1;
        }
    }
    return TRUE;
}

BOOL COrganPropDlg::SaveToDatabase()
{
    CReportConnection& connection = GetReportConnection();
    if (!connection.IsDatabaseOpen())
    {
        AfxMessageBox("Please connect to database.");
        return FALSE;
    }
    for (const CPropertyType& type : m_types)
        if (!CanAddValuesTo(type))
        {
            AfxMessageBox(kUnshownTextRefused, MB_ICONEXCLAMATION);
            return FALSE;
        }
    CScopedRecordset rs(connection);
    CScopedRecordset links(connection);
    if (rs.Get() == NULL || links.Get() == NULL || !AssignCodes())
    {
        AfxMessageBox("Failed to open Organ Properties libary.");
        return FALSE;
    }
    std::map<CodePair, NamePair> target;
    for (const CPropertyType& type : m_types)
        for (size_t i = 0; i < type.m_values.size(); ++i)
            target[CodePair(type.m_nCode, type.m_valueCodes[i])] = NamePair(type.m_strName, type.m_values[i]);
    try
    {
        CKemTransaction transaction(connection.m_pDatabase);
        if (!transaction.IsActive())
        {
            AfxMessageBox("Failed to open Organ Properties libary.");
            return FALSE;
        }
        rs->Open("SELECT * FROM ss_Attribute", FALSE);
        std::set<CodePair> kept;
        std::vector<CodePair> dropped;
        for (; !rs->IsEOF(); rs->MoveNext())
        {
            CodePair key(RecordsetFieldByte(rs.Get(), "FD_AttrTypeCode"), RecordsetFieldByte(rs.Get(), "FD_ValCode"));
            auto found = target.find(key);
            if (found == target.end() || kept.count(key) != 0)
            {
                rs->Delete();
                if (found == target.end())
                    dropped.push_back(key);
                continue;
            }
            kept.insert(key);
            // Only the names that differ are written, and none in place
            // of a name this system cannot show.
            std::vector<CFieldText> names = {CFieldText("FD_AttrTypeName", found->second.first),
                                             CFieldText("FD_ValName", found->second.second)};
            std::vector<CString> shown = ShownTexts(*rs.Get(), names);
            if (shown[0].Compare(names[0].second) == 0 && shown[1].Compare(names[1].second) == 0)
                continue;
            if (!CanReplaceShownTexts("ss_Attribute", RowCondition(key.first, key.second), names, shown))
                return FALSE;
            rs->Edit();
            SetChangedTexts(*rs.Get(), names, shown);
            rs->Update();
        }
        for (const auto& entry : target)
        {
            if (kept.count(entry.first) != 0)
                continue;
            rs->AddNew();
            rs->SetFieldValue("FD_AttrTypeCode", COleVariant((BYTE)entry.first.first));
            rs->SetFieldValue("FD_AttrTypeName", (LPCSTR)entry.second.first);
            rs->SetFieldValue("FD_ValCode", COleVariant((BYTE)entry.first.second));
            rs->SetFieldValue("FD_ValName", (LPCSTR)entry.second.second);
            rs->Update();
        }
        for (const CodePair& key : dropped)
            DeleteValueLinks(*links.Get(), key);
        transaction.Commit();
        return TRUE;
    }
    catch (CException* e)
    {
        ReportAndDelete(e);
        return FALSE;
    }
}

void COrganPropDlg::OnOK()
{
    StoreTypeValues(m_listValues);
    BOOL bSaved;
    {
        CWaitCursor wait;
        bSaved = SaveToDatabase();
    }
    // A failed save keeps the dialog, and the user's changes, open.
    if (bSaved)
        EndDialog(IDOK);
}
