// CZoomComboBox: the zoom combo on the Standard bar, in 8-point Arial.  Its
// text goes to the active sheet view when a list item is chosen or Enter is
// typed; text that is no number puts back the view's zoom.
#pragma once

#include "framework/windows/GdiObject.h"
#include "shell/FlatComboBox.h"

// Posted to the combo after a list selection: apply the text now shown.
#define WM_ZOOM_APPLYTEXT 0x3EA

class CZoomComboBox : public CCJFlatComboBox
{
public:
    CZoomComboBox();
    ~CZoomComboBox() override;

    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
    BOOL PreTranslateMessage(MSG* pMsg) override;

    // Gives the text to the active view of the main frame's active child.
    void ApplyText();

protected:
    LRESULT OnApplyText(WPARAM, LPARAM);

    CFont m_font;

    DECLARE_MESSAGE_MAP()
};
