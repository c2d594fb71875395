// Moving and copying folders by dragging them onto another folder.
#include "view/FolderTreeCtrl.h"

namespace
{
const UINT_PTR kDragTimer = 1;
const UINT kDragTimerMs = 300;
// Timer periods over a collapsed folder before it opens.
const int kHoverTicksToExpand = 3;

BOOL IsKeyDown(int nVirtKey)
{
    return (GetKeyState(nVirtKey) & 0x8000) != 0;
}
}

CPoint CFolderTreeCtrl::DragHotSpot(CPoint ptDrag) const
{
    HTREEITEM hItem = HitTest(ptDrag);
    CRect rc;
    if (hItem == NULL || !GetItemRect(hItem, &rc, TRUE))
        return CPoint(8, 8);
    int nLevel = 0;
    for (HTREEITEM h = hItem; h != NULL; h = GetParentItem(h))
        ++nLevel;
    if ((GetStyle() & TVS_LINESATROOT) == 0)
        --nLevel;
    int nScroll = GetScrollPos(SB_HORZ);
    return CPoint(ptDrag.x - (int)GetIndent() * nLevel + nScroll, ptDrag.y - rc.top);
}

void CFolderTreeCtrl::OnBeginDrag(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    NMTREEVIEWA* pTree = reinterpret_cast<NMTREEVIEWA*>(pNMHDR);
    HTREEITEM hItem = pTree->itemNew.hItem;
    if (!m_bAllowDrag || hItem == NULL || IsFixedItem(hItem) || IsDragging())
        return;
    SelectItem(hItem);
    HIMAGELIST hDragList = (HIMAGELIST)SendMessage(TVM_CREATEDRAGIMAGE, 0, (LPARAM)hItem);
    if (hDragList == NULL)
        return;
    m_pDragImage = new CImageList;
    m_pDragImage->Attach(hDragList);
    m_hDragItem = hItem;
    m_hDropTarget = NULL;
    CPoint ptDrag(pTree->ptDrag);
    m_pDragImage->BeginDrag(0, DragHotSpot(ptDrag));
    CPoint ptScreen = ptDrag;
    ClientToScreen(&ptScreen);
    CImageList::DragEnter(NULL, ptScreen);
    SetCapture();
    m_nDragTimer = SetTimer(kDragTimer, kDragTimerMs, NULL);
}

BOOL CFolderTreeCtrl::IsValidDropTarget(HTREEITEM hTarget) const
{
    if (hTarget == NULL || m_hDragItem == NULL || hTarget == m_hDragItem)
        return FALSE;
    if (hTarget == GetParentItem(m_hDragItem) || !IsFolderItem(hTarget))
        return FALSE;
    for (HTREEITEM h = GetParentItem(hTarget); h != NULL; h = GetParentItem(h))
        if (h == m_hDragItem)
            return FALSE;
    return TRUE;
}

void CFolderTreeCtrl::UpdateDragCursor(BOOL bValid)
{
    BOOL bCopy = IsKeyDown(VK_CONTROL);
    if (bValid)
        SetCursor(bCopy ? m_hCursorCopy : m_hCursorMove);
    else
        SetCursor(bCopy ? m_hCursorNoCopy : m_hCursorNoDrop);
}

void CFolderTreeCtrl::OnMouseMove(UINT nFlags, CPoint point)
{
    if (!IsDragging())
    {
        CTreeCtrl::OnMouseMove(nFlags, point);
        return;
    }
    CPoint ptScreen = point;
    ClientToScreen(&ptScreen);
    CImageList::DragMove(ptScreen);
    CRect rcClient;
    GetClientRect(&rcClient);
    HTREEITEM hTarget = rcClient.PtInRect(point) ? HitTest(point) : NULL;
    if (hTarget != NULL && hTarget != m_hDropTarget)
    {
        CImageList::DragShowNolock(FALSE);
        SelectDropTarget(hTarget);
        CImageList::DragShowNolock(TRUE);
    }
    if (hTarget != NULL)
        m_hDropTarget = hTarget;
    UpdateDragCursor(hTarget != NULL && IsValidDropTarget(hTarget));
}

void CFolderTreeCtrl::OnLButtonUp(UINT nFlags, CPoint point)
{
    if (!IsDragging())
    {
        CTreeCtrl::OnLButtonUp(nFlags, point);
        return;
    }
    CRect rcClient;
    GetClientRect(&rcClient);
    EndDragging(!rcClient.PtInRect(point));
}

void CFolderTreeCtrl::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent != kDragTimer || !IsDragging())
    {
        CTreeCtrl::OnTimer(nIDEvent);
        return;
    }
    CPoint ptScreen;
    GetCursorPos(&ptScreen);
    CImageList::DragMove(ptScreen);
    CPoint pt = ptScreen;
    ScreenToClient(&pt);
    CRect rcClient;
    GetClientRect(&rcClient);
    HTREEITEM hFirst = GetFirstVisibleItem();
    CRect rcFirst;
    int h = hFirst != NULL && GetItemRect(hFirst, &rcFirst, FALSE) ? rcFirst.Height() : 0;
    HTREEITEM hShow = NULL;
    if (h > 0 && pt.y < rcClient.top + 2 * h)
    {
        hShow = hFirst;
        CImageList::DragShowNolock(FALSE);
        SendMessage(WM_VSCROLL, SB_LINEUP);
    }
    else if (h > 0 && pt.y > rcClient.bottom - 2 * h)
    {
        for (HTREEITEM hNext = hFirst; hNext != NULL; hNext = GetNextVisibleItem(hNext))
        {
            CRect rc;
            if (!GetItemRect(hNext, &rc, FALSE) || rc.top >= rcClient.bottom)
                break;
            hShow = hNext;
        }
        CImageList::DragShowNolock(FALSE);
        SendMessage(WM_VSCROLL, SB_LINEDOWN);
    }
    if (hShow != NULL)
    {
        SelectDropTarget(hShow);
        EnsureVisible(hShow);
        m_hDropTarget = hShow;
        CImageList::DragShowNolock(TRUE);
    }
    if (m_nHoverTicks >= kHoverTicksToExpand)
    {
        m_nHoverTicks = 0;
        if (m_hDropTarget != NULL)
        {
            CImageList::DragShowNolock(FALSE);
            ExpandFilled(m_hDropTarget);
            CImageList::DragShowNolock(TRUE);
        }
    }
    if (m_hDropTarget != NULL && ItemHasChildren(m_hDropTarget) &&
        (GetItemState(m_hDropTarget, TVIS_EXPANDED) & TVIS_EXPANDED) == 0)
        ++m_nHoverTicks;
}

void CFolderTreeCtrl::EndDragging(BOOL bCancel)
{
    if (!IsDragging())
        return;
    KillTimer(kDragTimer);
    m_nDragTimer = 0;
    CImageList::DragLeave(NULL);
    CImageList::EndDrag();
    delete m_pDragImage;
    m_pDragImage = NULL;
    ReleaseCapture();
    SelectDropTarget(NULL);
    HTREEITEM hTarget = m_hDropTarget;
    m_hDropTarget = NULL;
    if (!bCancel && IsValidDropTarget(hTarget))
        DropOn(hTarget, IsKeyDown(VK_CONTROL));
    m_hDragItem = NULL;
    m_nHoverTicks = 0;
}

void CFolderTreeCtrl::DropOn(HTREEITEM hTarget, BOOL bCopy)
{
    FILEOP_FLAGS fFlags = FOF_SILENT | FOF_NOCONFIRMMKDIR | (IsKeyDown(VK_SHIFT) ? 0 : FOF_ALLOWUNDO);
    CString strTarget = GetItemPath(hTarget);
    if (!RunShellFileOperation(m_hWnd, bCopy ? FO_COPY : FO_MOVE, GetItemPath(m_hDragItem), strTarget,
                               fFlags))
        return;
    if (!HasChildNamed(hTarget, GetItemText(m_hDragItem)))
    {
        // A target not filled yet reads its folder when it opens.
        if (GetChildItem(hTarget) != NULL)
            CopyBranch(m_hDragItem, hTarget);
        SetHasChildren(hTarget, TRUE);
    }
    if (!bCopy)
    {
        HTREEITEM hOldParent = GetParentItem(m_hDragItem);
        CTreeCtrl::DeleteItem(m_hDragItem);
        if (hOldParent != NULL && GetChildItem(hOldParent) == NULL)
            SetHasChildren(hOldParent, FALSE);
    }
    SelectPath(strTarget, ItemHasChildren(hTarget));
}

HTREEITEM CFolderTreeCtrl::CopyBranch(HTREEITEM hItem, HTREEITEM hNewParent)
{
    TVITEMA source = {};
    source.mask = TVIF_HANDLE | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_CHILDREN;
    source.hItem = hItem;
    if (!GetItem(&source))
        return NULL;
    CString strText = GetItemText(hItem);
    TVINSERTSTRUCTA insert = {};
    insert.hParent = hNewParent;
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_CHILDREN;
    insert.item.pszText = const_cast<LPSTR>((LPCSTR)strText);
    insert.item.iImage = source.iImage;
    insert.item.iSelectedImage = source.iSelectedImage;
    insert.item.cChildren = source.cChildren;
    HTREEITEM hCopy = InsertItem(&insert);
    if (hCopy == NULL)
        return NULL;
    for (HTREEITEM hChild = GetChildItem(hItem); hChild != NULL; hChild = GetNextSiblingItem(hChild))
        CopyBranch(hChild, hCopy);
    return hCopy;
}
