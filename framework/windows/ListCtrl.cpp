#include "framework/windows/ListCtrl.h"

IMPLEMENT_DYNAMIC(CListCtrl, CWnd)

CImageList* CListCtrl::SetImageList(CImageList* pImageList, int nImageList)
{
    HIMAGELIST hOld = (HIMAGELIST)SendMessage(
        LVM_SETIMAGELIST, (WPARAM)nImageList,
        (LPARAM)(pImageList != NULL ? pImageList->GetSafeHandle() : NULL));
    return CImageList::FromHandle(hOld);
}

CImageList* CListCtrl::GetImageList(int nImageList) const
{
    return CImageList::FromHandle((HIMAGELIST)SendMessage(LVM_GETIMAGELIST, (WPARAM)nImageList));
}

int CListCtrl::InsertItem(int nItem, LPCSTR lpszItem, int nImage)
{
    LVITEMA item = {};
    item.mask = LVIF_TEXT | (nImage >= 0 ? LVIF_IMAGE : 0);
    item.iItem = nItem;
    item.pszText = const_cast<LPSTR>(lpszItem);
    item.iImage = nImage;
    return InsertItem(&item);
}

BOOL CListCtrl::SetItemState(int nItem, UINT nState, UINT nMask)
{
    LVITEMA item = {};
    item.state = nState;
    item.stateMask = nMask;
    return (BOOL)SendMessage(LVM_SETITEMSTATE, (WPARAM)nItem, (LPARAM)&item);
}

CString CListCtrl::GetItemText(int nItem, int nSubItem) const
{
    // LVM_GETITEMTEXT reports the length copied; grow until it leaves room.
    CString strText;
    for (int nSize = 256;; nSize *= 2)
    {
        LVITEMA item = {};
        item.iSubItem = nSubItem;
        item.cchTextMax = nSize;
        item.pszText = strText.GetBuffer(nSize);
        int nLen = (int)SendMessage(LVM_GETITEMTEXTA, (WPARAM)nItem, (LPARAM)&item);
        strText.ReleaseBuffer(nLen);
        if (nLen < nSize - 1)
            return strText;
    }
}

BOOL CListCtrl::SetItemText(int nItem, int nSubItem, LPCSTR lpszText)
{
    LVITEMA item = {};
    item.iSubItem = nSubItem;
    item.pszText = const_cast<LPSTR>(lpszText);
    return (BOOL)SendMessage(LVM_SETITEMTEXTA, (WPARAM)nItem, (LPARAM)&item);
}

BOOL CListCtrl::SetItemData(int nItem, DWORD_PTR dwData)
{
    LVITEMA item = {};
    item.mask = LVIF_PARAM;
    item.iItem = nItem;
    item.lParam = (LPARAM)dwData;
    return (BOOL)SendMessage(LVM_SETITEMA, 0, (LPARAM)&item);
}

DWORD_PTR CListCtrl::GetItemData(int nItem) const
{
    LVITEMA item = {};
    item.mask = LVIF_PARAM;
    item.iItem = nItem;
    if (!SendMessage(LVM_GETITEMA, 0, (LPARAM)&item))
        return 0;
    return (DWORD_PTR)item.lParam;
}
