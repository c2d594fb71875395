// CControlBar: the base of the bars a frame lays out around its main pane
// (toolbars, the status bar, dialog bars, the dock bars that hold docked
// bars).  The bar styles (CBRS_xxx) are kept in m_dwStyle, apart from the
// window style.
#pragma once

#include "framework/windows/Wnd.h"

class CDockBar;
class CFrameWnd;

// Alignment: the side of the frame a bar sits on, or may dock on.
#define CBRS_ALIGN_LEFT 0x1000L
#define CBRS_ALIGN_TOP 0x2000L
#define CBRS_ALIGN_RIGHT 0x4000L
#define CBRS_ALIGN_BOTTOM 0x8000L
#define CBRS_ALIGN_ANY 0xF000L
#define CBRS_ORIENT_HORZ (CBRS_ALIGN_TOP | CBRS_ALIGN_BOTTOM)
#define CBRS_ORIENT_VERT (CBRS_ALIGN_LEFT | CBRS_ALIGN_RIGHT)

#define CBRS_BORDER_LEFT 0x0100L
#define CBRS_BORDER_TOP 0x0200L
#define CBRS_BORDER_RIGHT 0x0400L
#define CBRS_BORDER_BOTTOM 0x0800L
#define CBRS_BORDER_ANY 0x0F00L

#define CBRS_FLOATING 0x0001L
#define CBRS_SIZE_FIXED 0x0004L
#define CBRS_TOOLTIPS 0x0010L
#define CBRS_FLYBY 0x0020L
#define CBRS_FLOAT_MULTI 0x0040L
#define CBRS_SIZE_DYNAMIC 0x0080L
#define CBRS_GRIPPER 0x00400000L
#define CBRS_BORDER_3D 0x00800000L
// The bits of a Create style that are bar styles, not window styles.
#define CBRS_ALL 0x00C0FFFFL

#define CBRS_NOALIGN 0L
#define CBRS_TOP (CBRS_ALIGN_TOP | CBRS_BORDER_BOTTOM)
#define CBRS_BOTTOM (CBRS_ALIGN_BOTTOM | CBRS_BORDER_TOP)
#define CBRS_LEFT (CBRS_ALIGN_LEFT | CBRS_BORDER_RIGHT)
#define CBRS_RIGHT (CBRS_ALIGN_RIGHT | CBRS_BORDER_LEFT)

// The framework's bar window ids.
#define AFX_IDW_CONTROLBAR_FIRST 59392
#define AFX_IDW_CONTROLBAR_LAST 59647
#define AFX_IDW_TOOLBAR 59392
#define AFX_IDW_STATUS_BAR 59393
#define AFX_IDW_DOCKBAR_TOP 59419
#define AFX_IDW_DOCKBAR_LEFT 59420
#define AFX_IDW_DOCKBAR_RIGHT 59421
#define AFX_IDW_DOCKBAR_BOTTOM 59422
#define AFX_IDW_DOCKBAR_FLOAT 59423

// CalcDynamicLayout's modes.
#define LM_STRETCH 0x01
#define LM_HORZ 0x02
#define LM_MRUWIDTH 0x04
#define LM_HORZDOCK 0x08
#define LM_VERTDOCK 0x10
#define LM_LENGTHY 0x20
#define LM_COMMIT 0x40

class CControlBar : public CWnd
{
    DECLARE_DYNAMIC(CControlBar)
public:
    CControlBar();
    ~CControlBar() override;

    DWORD GetBarStyle() const { return m_dwStyle; }
    virtual void SetBarStyle(DWORD dwStyle);
    // The sides this bar may dock on (CBRS_ALIGN_xxx); 0 keeps it where it is.
    void EnableDocking(DWORD dwDockStyle);
    BOOL IsFloating() const;
    // Visible by its own style, whether or not the frame is shown yet.
    BOOL IsVisible() const;
    // The frame the bar is docked in or floats for.
    CFrameWnd* GetDockingFrame() const;
    // The nearest frame among the bar's parents (a mini frame when floating).
    CFrameWnd* GetParentFrame() const;

    // The size the bar wants: bStretch fills the frame's width (bHorz) or
    // height; otherwise the size of its contents.
    virtual CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz);
    // The size for a layout mode (LM_xxx) and a length the frame offers.
    virtual CSize CalcDynamicLayout(int nLength, DWORD dwMode);
    // Sets the buttons' or panes' state from the target's update handlers.
    virtual void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) = 0;
    // Takes the bar's share of rectLeft (frame client coordinates) on its
    // side and moves the bar there; invisible and floating bars take none.
    virtual void PositionInLayout(CRect& rectLeft);

    BOOL DestroyWindow() override;

    // Dragging with the mouse (ControlBarDrag.cpp): from the gripper of a
    // docked bar or the caption of its mini frame.  The button's release
    // docks the bar on the side under the cursor, or floats it there.
    void StartDrag(CPoint ptScreen);
    void EndDrag(CPoint ptScreen);
    BOOL IsDragging() const { return m_bDragging; }

    DWORD m_dwStyle;            // CBRS_xxx
    DWORD m_dwDockStyle;        // the sides the bar may dock on
    CFrameWnd* m_pDockSite;     // the frame whose layout the bar is in
    CDockBar* m_pDockBar;       // the dock bar holding it, or NULL
    CRect m_rectBorder;         // non-client margins: borders and gripper
    // Where along its dock row the bar was docked (dock bar client
    // coordinates); a bar pushed on by an earlier one goes back there.
    int m_nDockPlace;

protected:
    // Splits a Create style: the window part is returned, the bar part kept.
    DWORD SplitStyle(DWORD dwStyle);
    // Moves the bar to the strip nThickness deep along its aligned side of
    // rectLeft, and takes the strip off rectLeft.
    void PlaceOnSide(CRect& rectLeft, int nThickness);
    // The margins the bar style asks for, for a bar laid out bHorz.
    CRect CalcBorders(BOOL bHorz) const;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void PostNcDestroy() override;

    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    void OnDestroy();
    LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);
    LRESULT OnNcCalcSize(WPARAM wParam, LPARAM lParam);
    LRESULT OnNcPaint(WPARAM wParam, LPARAM lParam);
    LRESULT OnNcLButtonDown(WPARAM wParam, LPARAM lParam);
    void OnMouseMove(UINT nFlags, CPoint point);
    void OnLButtonUp(UINT nFlags, CPoint point);
    LRESULT OnCaptureChanged(WPARAM wParam, LPARAM lParam);
    // The outline that shows where a dragged bar would go.
    void DrawDragRect();

    BOOL m_bAutoDelete;         // the framework made the object and deletes it
    BOOL m_bDragging;
    CPoint m_ptDragStart;       // screen point where the drag began
    CRect m_rectDragStart;      // the bar (or its mini frame) then, screen
    CRect m_rectDragShown;      // the outline drawn now, or empty

    DECLARE_MESSAGE_MAP()

private:
    // Leaves the dock bar and the frame's list; bDestroying skips the
    // re-parenting a bar that lives on would need.
    void Unregister(BOOL bDestroying);
    friend class CFrameWnd;
    friend class CDockBar;
};
