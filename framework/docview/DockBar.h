// CDockBar: the strip along one side of a frame (or the inside of a mini
// frame) that holds docked bars in rows.  A row runs along the side; each
// bar keeps the place it was docked at unless an earlier bar that is shown
// pushes it on.
#pragma once

#include "framework/core/Array.h"
#include "framework/docview/ControlBar.h"

class CDockBar : public CControlBar
{
    DECLARE_DYNAMIC(CDockBar)
public:
    explicit CDockBar(BOOL bFloating = FALSE);

    // dwStyle is the side, CBRS_ALIGN_xxx; nID one of AFX_IDW_DOCKBAR_xxx.
    BOOL Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID);

    // lpRect (screen) picks the row whose span holds its top (left edge for
    // a side bar) and the place along it; NULL starts a new last row.
    void DockControlBar(CControlBar* pBar, LPCRECT lpRect = NULL);
    // bDestroying: the bar's window is going, leave its parent alone.
    void RemoveControlBar(CControlBar* pBar, BOOL bDestroying = FALSE);
    int GetDockedCount() const;
    int GetDockedVisibleCount() const;
    // The docked bars in order, rows included: index of pBar's row, or -1.
    int GetRowOf(const CControlBar* pBar) const;

    // Positions the bars (bCommit) for a side nLength long; returns the
    // extent used along the side and the thickness.
    CSize LayoutBars(int nLength, BOOL bCommit);

    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;
    void PositionInLayout(CRect& rectLeft) override;

    BOOL m_bFloating;
    // The bars, each row closed by a NULL entry.
    CPtrArray m_arrBars;

protected:
    BOOL IsHorz() const { return (m_dwStyle & CBRS_ORIENT_VERT) == 0; }
    // The bar's rectangle in this bar's client coordinates.
    CRect GetBarRect(CControlBar* pBar) const;
    void OnDestroy();

    DECLARE_MESSAGE_MAP()
};
