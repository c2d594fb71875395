// CAlignButton: an owner-drawn alignment button of the General page.  It
// draws the bitmap last set on it (released or pressed) at its top-left
// corner, unscaled.  A left button-down is the whole click: the parent is
// told with BN_CLICKED and the press goes no further.
#pragma once

#include "framework/windows/Button.h"
#include "framework/windows/GdiObject.h"

class CAlignButton : public CButton
{
public:
    CAlignButton();

    // Loads the released and pressed bitmaps (mapped to the 3D colours).
    BOOL LoadBitmaps(UINT nIDReleased, UINT nIDPressed);
    // Shows the pressed bitmap, or the released one.
    void SetPressed(BOOL bPressed);
    BOOL IsPressed() const { return m_bPressed; }

    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;

protected:
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnLButtonDblClk(UINT nFlags, CPoint point);
    void OnSysColorChange();

    CBitmap m_bmReleased;
    CBitmap m_bmPressed;
    UINT m_nIDReleased;
    UINT m_nIDPressed;
    BOOL m_bPressed;

    DECLARE_MESSAGE_MAP()
};
