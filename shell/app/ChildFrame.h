// CChildFrame: the MDI child frame of each open template.  It carries the
// two rulers round the sheet view, shows or hides them (View > Show
// Rulers) and redraws them and their cursor marks for the view.
#pragma once

#include "framework/docview/MDIWnd.h"
#include "view/HorzRuler.h"
#include "view/SheetViewFrame.h"
#include "view/VertRuler.h"

class CChildFrame : public CMDIChildWnd, public CSheetViewFrame
{
    DECLARE_DYNCREATE(CChildFrame)
public:
    CChildFrame();
    ~CChildFrame() override;

    // Moves the horizontal ruler's mark to view x and the vertical one's to y.
    void TrackRulerCursor(int x, int y);
    // Invalidates and repaints the ruler at once.
    void RedrawHorzRuler();
    void RedrawVertRuler();

    // What the sheet view asks of its frame.
    void RedrawRulers(BOOL bHorz, BOOL bVert) override;
    void TrackRulerCursor(POINT pt) override;

    CHorzRuler m_wndHorzRuler;
    CVertRuler m_wndVertRuler;
    BOOL m_bShowRulers;

protected:
    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    void OnViewShowRulers();
    void OnUpdateViewShowRulers(CCmdUI* pCmdUI);

    DECLARE_MESSAGE_MAP()
};
