// CInPlaceFrame: the designer's frame while a container has a template
// active in place.  Round the view it has the resize bar and it is a drop
// target; its toolbar (Cut, Copy, Paste, About) sits on the container's
// frame and sends its commands to this frame.
#pragma once

#ifndef EDITOR_BUILD

#include "framework/docview/ToolBar.h"
#include "framework/ole/OleDropTarget.h"
#include "framework/ole/OleIPFrameWnd.h"
#include "framework/ole/OleResizeBar.h"

class CInPlaceFrame : public COleIPFrameWnd
{
    DECLARE_DYNCREATE(CInPlaceFrame)
public:
    CInPlaceFrame();
    ~CInPlaceFrame() override;

    BOOL OnCreateControlBars(CWnd* pWndFrame, CWnd* pWndDoc) override;

    CToolBar m_wndToolBar;
    COleDropTarget m_dropTarget;
    COleResizeBar m_wndResizeBar;

protected:
    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    void OnDestroy();

    DECLARE_MESSAGE_MAP()
};

#endif
