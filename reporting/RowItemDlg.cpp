#include "reporting/RowItemDlg.h"

#include "engines/common/KemRecordset.h"
#include "framework/core/Exception.h"
#include "framework/core/MessageSink.h"
#include "framework/windows/DataExchange.h"
#include "reporting/FieldText.h"
#include "reporting/ReportConnection.h"
#include "ReferenceDataIds.h"

namespace
{
const CItemSetupTraits kRowItemTraits = {
    IDD_ROW_ITEM, IDC_ROW_ITEM_CODE, IDC_ROW_ITEM_NAME, IDC_ROW_ITEM_SEARCH_CODE, IDC_ROW_ITEM_ADD,
    IDC_ROW_ITEM_DELETE, IDC_ROW_ITEM_MODIFY, IDC_ROW_ITEM_FIND, IDC_ROW_ITEM_PREVIOUS, IDC_ROW_ITEM_NEXT,
    "ss_item", 1, "Item libary is closed.", "Item code cannot be empty.", "Item name cannot be empty.",
    "Item search code cannot be empty.", "Find duplicate item code or name.",
    "Are you sure you want tot delete this item?", "Errors occured at delete item.",
};

const LPCSTR kTypeNames[] = { "Numeric", "Text", "Document", "Picture" };
} // namespace

BEGIN_MESSAGE_MAP(CRowItemDlg, CItemSetupDlg)
    ON_BN_CLICKED(IDC_ROW_ITEM_ADD, OnAdd)
    ON_BN_CLICKED(IDC_ROW_ITEM_DELETE, OnDelete)
    ON_BN_CLICKED(IDC_ROW_ITEM_MODIFY, OnModify)
    ON_BN_CLICKED(IDC_ROW_ITEM_FIND, OnFind)
    ON_BN_CLICKED(IDC_ROW_ITEM_PREVIOUS, OnPrevious)
    ON_BN_CLICKED(IDC_ROW_ITEM_NEXT, OnNext)
END_MESSAGE_MAP()

CRowItemDlg::CRowItemDlg(CWnd* pParent) : CItemSetupDlg(kRowItemTraits, pParent), m_nType(0), m_nSavedType(0)
{
}

void CRowItemDlg::DoDataExchange(CDataExchange* pDX)
{
    CItemSetupDlg::DoDataExchange(pDX);
    DDX_CBIndex(pDX, IDC_ROW_ITEM_TYPE, m_nType);
}

BOOL CRowItemDlg::OnInitDialog()
{
    // The type list is filled before the first row selects its entry.
    for (LPCSTR pszName : kTypeNames)
        SendDlgItemMessage(IDC_ROW_ITEM_TYPE, CB_ADDSTRING, 0, (LPARAM)pszName);
    return CItemSetupDlg::OnInitDialog();
}

CKemRecordset* CRowItemDlg::Recordset() const
{
    return GetReportConnection().m_pItemRecordset;
}

void CRowItemDlg::OnOpenFailed()
{
    AfxMessageBox("Cannot open item libary.");
}

void CRowItemDlg::ReportInitError(CException* e)
{
    e->Delete();
    AfxMessageBox("Modify item libary error.");
}

void CRowItemDlg::ShowExtraFields(CKemRecordset* pRecordset)
{
    int nIndex = pRecordset != NULL ? RecordsetFieldByte(pRecordset, "FD_Type") : -1;
    SendDlgItemMessage(IDC_ROW_ITEM_TYPE, CB_SETCURSEL, nIndex);
}

void CRowItemDlg::WriteExtraFields(CKemRecordset& rs)
{
    rs.SetFieldValue("FD_Type", COleVariant((BYTE)(m_nType < 0 ? 0 : m_nType)));
}

void CRowItemDlg::EnableExtraFields(BOOL bEnable)
{
    EnableDlgControl(*this, IDC_ROW_ITEM_TYPE, bEnable);
}

void CRowItemDlg::RememberShown()
{
    GetDlgItemText(IDC_ROW_ITEM_NAME, m_strSavedName);
    GetDlgItemText(IDC_ROW_ITEM_SEARCH_CODE, m_strSavedSearchCode);
    m_nSavedType = (int)SendDlgItemMessage(IDC_ROW_ITEM_TYPE, CB_GETCURSEL);
}

BOOL CRowItemDlg::IsUnchanged() const
{
    return m_strName == m_strSavedName && m_strSearchCode == m_strSavedSearchCode && m_nType == m_nSavedType;
}
