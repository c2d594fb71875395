#include "reporting/CheckTreeCtrl.h"

namespace
{
const UINT kStateMask = TVIS_STATEIMAGEMASK;

int Toggled(int nState)
{
    if (nState == CHECK_CLEAR)
        return CHECK_CHECKED;
    if (nState == CHECK_CHECKED || nState == CHECK_PARTLY)
        return CHECK_CLEAR;
    return nState;
}
} // namespace

BEGIN_MESSAGE_MAP(CCheckTreeCtrl, CTreeCtrl)
    ON_WM_LBUTTONDOWN()
    ON_WM_KEYDOWN()
END_MESSAGE_MAP()

CCheckTreeCtrl::CCheckTreeCtrl() : m_bLocked(0)
{
}

int CCheckTreeCtrl::GetCheckState(HTREEITEM hItem) const
{
    return (int)((GetItemState(hItem, kStateMask) & kStateMask) >> 12);
}

void CCheckTreeCtrl::SetState(HTREEITEM hItem, int nState)
{
    SetItemState(hItem, INDEXTOSTATEIMAGEMASK(nState), kStateMask);
}

BOOL CCheckTreeCtrl::SetCheck(HTREEITEM hItem, int nMode)
{
    if (hItem == NULL)
        return FALSE;
    int nState = GetCheckState(hItem);
    if (nMode == 0)
        nState = CHECK_CHECKED;
    else if (nMode == 1)
        nState = CHECK_CLEAR;
    else if (nMode == 2)
        nState = Toggled(nState);
    // An item without a box passes nothing on.
    if (nState == CHECK_NONE)
        return TRUE;
    SetState(hItem, nState);
    SetChildrenState(hItem, nState);
    UpdateParentStates(hItem);
    return TRUE;
}

BOOL CCheckTreeCtrl::IsChecked(HTREEITEM hItem) const
{
    return GetCheckState(hItem) == CHECK_CHECKED;
}

BOOL CCheckTreeCtrl::IsPartlyChecked(HTREEITEM hItem) const
{
    return GetCheckState(hItem) == CHECK_PARTLY;
}

HTREEITEM CCheckTreeCtrl::FindChildByText(HTREEITEM hParent, const CString& strText) const
{
    for (HTREEITEM hChild = GetChildItem(hParent); hChild != NULL; hChild = GetNextSiblingItem(hChild))
    {
        if (GetItemText(hChild).Compare(strText) == 0)
            return hChild;
    }
    return NULL;
}

HTREEITEM CCheckTreeCtrl::FindChildByData(HTREEITEM hParent, DWORD dwData) const
{
    for (HTREEITEM hChild = GetChildItem(hParent); hChild != NULL; hChild = GetNextSiblingItem(hChild))
    {
        if ((DWORD)GetItemData(hChild) == dwData)
            return hChild;
    }
    return NULL;
}

HTREEITEM CCheckTreeCtrl::GetNextPreorder(HTREEITEM hItem) const
{
    HTREEITEM hChild = GetChildItem(hItem);
    if (hChild != NULL)
        return hChild;
    for (HTREEITEM hUp = hItem; hUp != NULL; hUp = GetParentItem(hUp))
    {
        HTREEITEM hNext = GetNextSiblingItem(hUp);
        if (hNext != NULL)
            return hNext;
    }
    return NULL;
}

HTREEITEM CCheckTreeCtrl::GetFirstChecked() const
{
    HTREEITEM hItem = GetRootItem();
    while (hItem != NULL)
    {
        int nState = GetCheckState(hItem);
        if (nState == CHECK_CHECKED)
            return hItem;
        if (nState == CHECK_PARTLY)
        {
            hItem = GetNextPreorder(hItem);
            continue;
        }
        HTREEITEM hNext = GetNextSiblingItem(hItem);
        hItem = hNext != NULL ? hNext : GetNextPreorder(hItem);
    }
    return NULL;
}

void CCheckTreeCtrl::SetChildrenState(HTREEITEM hItem, int nState)
{
    for (HTREEITEM hChild = GetChildItem(hItem); hChild != NULL; hChild = GetNextSiblingItem(hChild))
    {
        SetState(hChild, nState);
        SetChildrenState(hChild, nState);
    }
}

void CCheckTreeCtrl::UpdateParentStates(HTREEITEM hItem)
{
    for (HTREEITEM hParent = GetParentItem(hItem); hParent != NULL; hParent = GetParentItem(hParent))
    {
        HTREEITEM hChild = GetChildItem(hParent);
        int nCombined = GetCheckState(hChild);
        for (; hChild != NULL && nCombined != CHECK_PARTLY; hChild = GetNextSiblingItem(hChild))
        {
            int nState = GetCheckState(hChild);
            if ((nState == CHECK_CLEAR && nCombined == CHECK_CHECKED) ||
                (nState == CHECK_CHECKED && nCombined == CHECK_CLEAR) || nState == CHECK_PARTLY)
                nCombined = CHECK_PARTLY;
        }
        if (GetCheckState(hParent) == nCombined)
            return;
        SetState(hParent, nCombined);
    }
}

void CCheckTreeCtrl::Toggle(HTREEITEM hItem)
{
    int nState = Toggled(GetCheckState(hItem));
    if (nState == CHECK_NONE)
        return;
    SetState(hItem, nState);
    SetChildrenState(hItem, nState);
    UpdateParentStates(hItem);
}

void CCheckTreeCtrl::OnLButtonDown(UINT nFlags, CPoint point)
{
    UINT uFlags = 0;
    HTREEITEM hItem = HitTest(point, &uFlags);
    if (uFlags & (TVHT_ONITEMSTATEICON | TVHT_ONITEMLABEL))
    {
        if (m_bLocked)
            return;
        if (hItem != NULL)
            Toggle(hItem);
    }
    Default();
}

void CCheckTreeCtrl::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (nChar == VK_SPACE && !m_bLocked)
    {
        HTREEITEM hItem = GetSelectedItem();
        if (hItem != NULL)
            Toggle(hItem);
    }
    Default();
}
