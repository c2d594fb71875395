// CHorzRuler: the ruler bar above the sheet view.  A centimetre scale that
// follows the view's zoom and horizontal scroll, a corner square labelled
// "cm" above the vertical ruler, and a mark that follows the pointer.
#pragma once

#include "framework/docview/DialogBar.h"

class CHorzRuler : public CDialogBar
{
    DECLARE_DYNAMIC(CHorzRuler)
public:
    CHorzRuler();
    ~CHorzRuler() override;

    // Moves the mark to view x (client x + the corner's width).
    void ShowCursorLine(int x);

    int m_nCursorX;     // client x of the mark drawn now, -1 for none

protected:
    void OnPaint();
    void OnMouseMove(UINT nFlags, CPoint point);
    HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    // The square at the left end, as wide as the bar is high.
    void DrawCorner(CDC* pDC, int nHeight);

    DECLARE_MESSAGE_MAP()
};
