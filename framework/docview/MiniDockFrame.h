// CMiniDockFrameWnd: the small tool window a floating bar lives in.  It
// holds one floating dock bar, sizes itself to the bars, and belongs to
// the frame the bars float for (its dock site).
#pragma once

#include "framework/docview/DockBar.h"
#include "framework/docview/FrameWnd.h"

class CMiniDockFrameWnd : public CFrameWnd
{
    DECLARE_DYNAMIC(CMiniDockFrameWnd)
public:
    CMiniDockFrameWnd();

    // A hidden popup owned by pDockSite; dwBarStyle gives the dock bar's
    // alignment and sizing styles.
    BOOL Create(CFrameWnd* pDockSite, DWORD dwBarStyle);
    void RecalcLayout() override;

    CDockBar m_wndDockBar;

protected:
    void OnClose();
    // A press on the caption drags the bar, so that it can dock again.
    LRESULT OnNcLButtonDown(WPARAM wParam, LPARAM lParam);

    BOOL m_bInRecalc;

private:
    // The client width the caption's title needs, in the small caption font.
    int CaptionWidth();

    DECLARE_MESSAGE_MAP()
};
