// CVertRuler: the ruler bar left of the sheet view.  A centimetre scale
// that follows the view's zoom and vertical scroll, the sheet's header and
// tail bands shaded, a mark that follows the pointer, and a tooltip naming
// the part under it.  Dragging a band's edge sets the band's height (in
// the designer; the editor's ruler only names the band).
#pragma once

#include "framework/docview/DialogBar.h"
#include "framework/windows/ToolTipCtrl.h"

class CTallyformView;

class CVertRuler : public CDialogBar
{
    DECLARE_DYNAMIC(CVertRuler)
public:
    CVertRuler();
    ~CVertRuler() override;

    // The bar, then its tooltip with one tool over the whole bar.
    BOOL Create(CWnd* pParentWnd, UINT nIDTemplate, UINT nStyle, UINT nID);
    // Moves the mark to view y.
    void ShowCursorLine(int y);
    BOOL PreTranslateMessage(MSG* pMsg) override;
    // The tooltip's text now.
    CString GetTipText() const;

    BYTE m_bDragging;       // a band edge is being dragged
    BYTE m_bOnHeaderEdge;   // the pointer is on (or drags) the header edge
    BYTE m_bOnTailEdge;     // the pointer is on (or drags) the tail edge
    int m_nHeaderPos;       // header band height, view pixels at the zoom
    int m_nTailPos;         // tail band height, view pixels at the zoom
    CToolTipCtrl m_wndToolTip;
    int m_nCursorY;         // client y of the mark drawn now, -1 for none

protected:
    // The view's vertical scroll, the sheet's height at the zoom, the zoom.
    struct CBandFrame
    {
        CTallyformView* pView;
        int nScroll;
        int nSheetHeight;
        int nZoom;
    };
    CBandFrame GetBandFrame() const;
    // The band heights from the document at the view's zoom (0 without one).
    void UpdateBandPositions(const CBandFrame& frame);
    void DrawBands(CDC* pDC, CSize sizeClient, const CBandFrame& frame);
    // Moves the dragged edge to client y, kept inside the sheet.
    void DragEdge(int y, const CBandFrame& frame);
    // The pointer's edge and the tooltip for client y when not dragging.
    void HitTestEdges(int y, const CBandFrame& frame);
    // The editor's tip: the band under the pointer, kept near an edge.
    void ShowBandTip(int y, const CBandFrame& frame);
    // The dragged band's height into the document, when it changed.
    void WriteBandPositions();
    void SetTipText(LPCSTR lpszText);

    void OnPaint();
    void OnMouseMove(UINT nFlags, CPoint point);
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnLButtonUp(UINT nFlags, CPoint point);
    LRESULT OnCaptureChanged(WPARAM wParam, LPARAM lParam);
    HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);

    DECLARE_MESSAGE_MAP()
};
