#include "reporting/ColItemDlg.h"

#include "reporting/ReportConnection.h"
#include "ReferenceDataIds.h"

namespace
{
const CItemSetupTraits kColItemTraits = {
    IDD_COLUMN_ITEM, IDC_COL_ITEM_CODE, IDC_COL_ITEM_NAME, IDC_COL_ITEM_SEARCH_CODE, IDC_COL_ITEM_ADD,
    IDC_COL_ITEM_DELETE, IDC_COL_ITEM_MODIFY, IDC_COL_ITEM_FIND, IDC_COL_ITEM_PREVIOUS, IDC_COL_ITEM_NEXT,
    "ss_colitem", 2, "Column item libary is closed.", "Column item code cannot be empty.",
    "Column item name cannot be empty.", NULL, "Column Item code or name already exsist.",
    "Are you sure you want to delete this column item?", "Delete column item error.",
};
} // namespace

BEGIN_MESSAGE_MAP(CColItemDlg, CItemSetupDlg)
    ON_BN_CLICKED(IDC_COL_ITEM_ADD, OnAdd)
    ON_BN_CLICKED(IDC_COL_ITEM_DELETE, OnDelete)
    ON_BN_CLICKED(IDC_COL_ITEM_MODIFY, OnModify)
    ON_BN_CLICKED(IDC_COL_ITEM_FIND, OnFind)
    ON_BN_CLICKED(IDC_COL_ITEM_PREVIOUS, OnPrevious)
    ON_BN_CLICKED(IDC_COL_ITEM_NEXT, OnNext)
END_MESSAGE_MAP()

CColItemDlg::CColItemDlg(CWnd* pParent) : CItemSetupDlg(kColItemTraits, pParent)
{
}

CKemRecordset* CColItemDlg::Recordset() const
{
    return GetReportConnection().m_pColItemRecordset;
}
