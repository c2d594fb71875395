// COleResizeBar: the hatched border round an object active in place, with
// eight handles.  It covers its parent's client area (the object's view
// lies over its middle); dragging a handle or an edge asks the parent
// (an in-place frame) for the new size of the object.
#pragma once

#include "framework/windows/Wnd.h"

// The control id of an in-place frame's resize bar.
#define AFX_IDW_RESIZE_BAR 0xE803

class COleResizeBar : public CWnd
{
    DECLARE_DYNAMIC(COleResizeBar)
public:
    // The width of the hatched border, in pixels.
    enum { kBorderWidth = 4 };

    COleResizeBar();

    BOOL Create(CWnd* pParentWnd, DWORD dwStyle = WS_CHILD | WS_VISIBLE,
                UINT nID = AFX_IDW_RESIZE_BAR);

    // Which edges a point of the bar (client coordinates) moves: a mask of
    // the kLeft.. bits, 0 inside the border.
    enum { kLeft = 1, kTop = 2, kRight = 4, kBottom = 8 };
    UINT HitTestEdges(CPoint point) const;

protected:
    void OnPaint();
    BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnLButtonUp(UINT nFlags, CPoint point);

    UINT m_nTracking;       // the edges being dragged, 0 when not dragging
    CPoint m_ptStart;       // where the drag began (screen)

    DECLARE_MESSAGE_MAP()
};
