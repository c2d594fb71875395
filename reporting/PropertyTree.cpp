#include "reporting/PropertyTree.h"

#include "engines/common/KemRecordset.h"
#include "framework/core/Exception.h"
#include "reporting/CheckTreeCtrl.h"
#include "reporting/FieldText.h"
#include "reporting/ReportConnection.h"
#include "reporting/ScopedRecordset.h"
#include "ReferenceDataIds.h"

namespace
{
const int kStateImageWidth = 11;

// A child of hParent with the text, appended unchecked when there is none.
HTREEITEM ChildFor(CCheckTreeCtrl& tree, HTREEITEM hParent, const CString& strText, int nCode)
{
    HTREEITEM hItem = tree.FindChildByText(hParent, strText);
    if (hItem != NULL)
        return hItem;
    hItem = tree.InsertItem(strText, hParent, TVI_LAST);
    tree.SetItemData(hItem, (DWORD_PTR)nCode);
    tree.SetItemState(hItem, INDEXTOSTATEIMAGEMASK(CHECK_CLEAR), TVIS_STATEIMAGEMASK);
    return hItem;
}
} // namespace

PropertyTreeResult FillPropertyTree(CCheckTreeCtrl& tree, LPCSTR pszRoot, CReportConnection& connection,
                                    HTREEITEM* phRoot)
{
    if (tree.m_stateImages.m_hImageList == NULL)
        tree.m_stateImages.Create(IDB_CHECK_STATES, kStateImageWidth, 1, RGB(255, 255, 255));
    tree.SetImageList(&tree.m_stateImages, TVSIL_STATE);
    HTREEITEM hRoot = tree.InsertItem(pszRoot, TVI_ROOT, TVI_LAST);
    tree.SetItemState(hRoot, INDEXTOSTATEIMAGEMASK(CHECK_NONE), TVIS_STATEIMAGEMASK);
    *phRoot = hRoot;

    CScopedRecordset rs(connection);
    if (rs.Get() == NULL)
        return PROPERTY_TREE_FAILED;
    try
    {
        rs->m_strSort = "FD_AttrTypeCode,FD_ValCode";
        rs->Open("Select * From ss_Attribute", FALSE);
        if (rs->IsBOF())
            return PROPERTY_TREE_EMPTY;
        tree.SetRedraw(FALSE);
        for (; !rs->IsEOF(); rs->MoveNext())
        {
            HTREEITEM hType = ChildFor(tree, hRoot, RecordsetFieldText(rs.Get(), "FD_AttrTypeName"),
                                       RecordsetFieldByte(rs.Get(), "FD_AttrTypeCode"));
            ChildFor(tree, hType, RecordsetFieldText(rs.Get(), "FD_ValName"), RecordsetFieldByte(rs.Get(), "FD_ValCode"));
        }
        tree.SetRedraw(TRUE);
        return PROPERTY_TREE_FILLED;
    }
    catch (CException* e)
    {
        tree.SetRedraw(TRUE);
        e->ReportError();
        e->Delete();
        return PROPERTY_TREE_FAILED;
    }
}
