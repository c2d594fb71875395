// CCJFlatComboBox: a combo box drawn flat, with a raised border while the
// mouse is over it or it has the focus and a pressed button while the left
// button is held.  It tells its owner of focus changes with WM_NOTIFY
// NM_SETFOCUS and NM_KILLFOCUS.
#pragma once

#include "framework/windows/ComboBox.h"

// The border styles of the flat combo.
enum FlatComboBorder
{
    FLAT_BORDER_NONE = 0,
    FLAT_BORDER_NORMAL = 1,
    FLAT_BORDER_RAISED = 2,
    FLAT_BORDER_PRESSED = 3
};

// What one step of the hover tracking does.
struct FlatComboStep
{
    BOOL bStopTimer;
    FlatComboBorder nDraw;   // FLAT_BORDER_NONE: nothing to draw
    BOOL bDrawnRaised;       // the raised state afterwards
    BOOL bDefault;           // pass the message on
};

// The hover step from the button, cursor, focus and raised states.
FlatComboStep FlatComboTimerStep(BOOL bButtonDown, BOOL bCursorInside, BOOL bHasFocus, BOOL bDrawnRaised);

class CCJFlatComboBox : public CComboBox
{
    DECLARE_DYNAMIC(CCJFlatComboBox)
public:
    CCJFlatComboBox();

    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    void OnMouseMove(UINT nFlags, CPoint point);
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnLButtonUp(UINT nFlags, CPoint point);
    void OnTimer(UINT_PTR nIDEvent);
    void OnPaint();
    void OnSetFocusReflect();
    void OnKillFocusReflect();
    void OnEditUpdateReflect();

    // Draws the border in one of the FlatComboBorder styles.
    void DrawCombo(FlatComboBorder nStyle, COLORREF clrTopLeft, COLORREF clrBottomRight);
    void TrackHover(BOOL bFromTimer);
    void NotifyOwner(UINT nCode);

    BOOL m_bLBtnDown;
    BOOL m_bPainted;
    BOOL m_bHasFocus;
    BOOL m_bAutoComp;

    DECLARE_MESSAGE_MAP()
};
