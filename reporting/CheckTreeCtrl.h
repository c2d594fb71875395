// CCheckTreeCtrl: a tree control with a three-state check box in front of
// each item, kept in the item's state image: 0 no box, 1 unchecked,
// 2 checked, 3 partly checked.  A change is carried down to every
// descendant and up to the ancestors.
#pragma once

#include "framework/windows/ImageList.h"
#include "framework/windows/TreeCtrl.h"

enum CheckTreeState
{
    CHECK_NONE = 0,
    CHECK_CLEAR = 1,
    CHECK_CHECKED = 2,
    CHECK_PARTLY = 3
};

class CCheckTreeCtrl : public CTreeCtrl
{
public:
    CCheckTreeCtrl();

    // nMode 0 checks, 1 clears, 2 toggles, any other keeps the state; the
    // change then goes down and up.  FALSE for a NULL item.
    BOOL SetCheck(HTREEITEM hItem, int nMode);
    BOOL IsChecked(HTREEITEM hItem) const;
    BOOL IsPartlyChecked(HTREEITEM hItem) const;
    int GetCheckState(HTREEITEM hItem) const;
    // The first direct child with exactly this text (case-sensitive), or
    // with this item data; NULL when none.
    HTREEITEM FindChildByText(HTREEITEM hParent, const CString& strText) const;
    HTREEITEM FindChildByData(HTREEITEM hParent, DWORD dwData) const;
    // The first checked item in pre-order, searched through partly checked
    // items only; NULL when none.
    HTREEITEM GetFirstChecked() const;
    // The item after hItem in pre-order; NULL at the end of the tree.
    HTREEITEM GetNextPreorder(HTREEITEM hItem) const;

    // The check boxes' images; the owner fills and installs them.
    CImageList m_stateImages;
    // While nonzero, the mouse and the space bar change no check.
    int m_bLocked;

protected:
    void SetChildrenState(HTREEITEM hItem, int nState);
    void UpdateParentStates(HTREEITEM hItem);
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);

    DECLARE_MESSAGE_MAP()

private:
    void SetState(HTREEITEM hItem, int nState);
    // The toggled state, then carried down and up.
    void Toggle(HTREEITEM hItem);
};
