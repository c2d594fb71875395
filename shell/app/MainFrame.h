// CMainFrame: the designer's MDI main window.  It carries the program's
// menus (the no-document menu on the frame, the document menu given to the
// document template), full-screen sizing and Help > Help Topics.
#pragma once

#include "framework/docview/MDIWnd.h"

class CMainFrame : public CMDIFrameWnd
{
    DECLARE_DYNAMIC(CMainFrame)
public:
    CMainFrame();
    ~CMainFrame() override;

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;

    // Menu 5 (with a document open) and menu 4 (without), each loaded
    // afresh; the caller owns the handle.
    HMENU DetachDocumentMenu();
    HMENU DetachDefaultMenu();

    BOOL m_bFullScreen;
    RECT m_rectFullScreen;
    WINDOWPLACEMENT m_wpPrevious;

protected:
    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    void OnGetMinMaxInfo(MINMAXINFO* lpMMI);
    void OnHelpFinder();

    DECLARE_MESSAGE_MAP()
};
