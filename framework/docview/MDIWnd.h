// The multiple-document frames: CMDIFrameWnd holds the MDI client in which
// the CMDIChildWnd frames of the documents live, and lends its menu bar to
// the active child's document menu (with its Window menu).
#pragma once

#include "framework/docview/FrameWnd.h"

class CMDIChildWnd;

// The first id the MDI client gives the children in the Window menu.
#define AFX_IDM_FIRST_MDICHILD 0xFF00

// The Window menu's commands.
#define ID_WINDOW_NEW 57648
#define ID_WINDOW_ARRANGE 57649
#define ID_WINDOW_CASCADE 57650
#define ID_WINDOW_TILE_HORZ 57651
#define ID_WINDOW_TILE_VERT 57652

class CMDIFrameWnd : public CFrameWnd
{
    DECLARE_DYNAMIC(CMDIFrameWnd)
public:
    CMDIFrameWnd();

    HWND m_hWndMDIClient;

    CFrameWnd* GetActiveFrame() override;
    CMDIChildWnd* MDIGetActive(BOOL* pbMaximized = NULL) const;
    void MDIActivate(CWnd* pWndActivate);
    // Puts hMenu on the frame through the MDI client, with the children
    // listed in hWindowMenu; returns the menu that was there.
    HMENU MDISetMenu(HMENU hMenu, HMENU hWindowMenu);
    // The pop-up of hMenu holding the Window commands, or NULL.
    static HMENU FindWindowMenuPopup(HMENU hMenu);

    void OnUpdateFrameMenu(HMENU hMenuAlt) override;
    // A maximized child's title follows the program's in brackets by
    // itself (the MDI client adds it), so the caption leaves it out then.
    void OnUpdateFrameTitle(BOOL bAddToTitle) override;
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

protected:
    BOOL OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext) override;
    // Window > New Window: another child frame on the active document.
    void OnWindowNew();
    // Cascade, Tile and Arrange Icons, through the MDI client.
    void OnWindowCommand(UINT nID);
    // The Window commands need an active child frame.
    void OnUpdateMDIWindowCmd(CCmdUI* pCmdUI);
    void OnDestroy();

    DECLARE_MESSAGE_MAP()
};

class CMDIChildWnd : public CFrameWnd
{
    DECLARE_DYNCREATE(CMDIChildWnd)
public:
    CMDIChildWnd();
    ~CMDIChildWnd() override;

    using CWnd::Create;
    // Creates the child in pParentWnd's MDI client; a NULL parent means
    // the main window.
    virtual BOOL Create(LPCSTR lpszClassName, LPCSTR lpszWindowName,
                        DWORD dwStyle = WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW,
                        const RECT& rect = CRect(CW_USEDEFAULT, CW_USEDEFAULT, 0, 0),
                        CMDIFrameWnd* pParentWnd = NULL, CCreateContext* pContext = NULL);
    BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle = WS_CHILD | WS_OVERLAPPEDWINDOW |
                                                            FWS_ADDTOTITLE,
                   CWnd* pParentWnd = NULL, CCreateContext* pContext = NULL) override;
    BOOL DestroyWindow() override;
    // Shows the child (maximized when the active one is) and activates it.
    void ActivateFrame(int nCmdShow = -1) override;
    // The caption is the document's title, with the frame's number when
    // the document has several windows; the Window menu lists it so.
    void OnUpdateFrameTitle(BOOL bAddToTitle) override;
    // The child's accelerators give their commands to the MDI frame, so
    // they reach the application as well.
    BOOL PreTranslateMessage(MSG* pMsg) override;

    CMDIFrameWnd* GetMDIFrame() const;
    void MDIActivate();
    // The embedding menu and keys of pTemplate, when it has them, instead
    // of its document ones: the frame shows a container's object.
    void UseEmbeddingResources(CDocTemplate* pTemplate);
    // The frame shows this menu while the child is active (NULL: the
    // frame's default menu); it belongs to the document template.  A child
    // loaded for a template takes the template's menu and accelerators.
    HMENU m_hMenuShared;

    // Gives the frame this child's menu (bActivate) or its default menu.
    void ShowMenuOnFrame(BOOL bActivate);
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

protected:
    BOOL CreateFrame(LPCSTR lpszClassName, DWORD dwStyle, CWnd* pParentWnd, HMENU hMenu,
                     CCreateContext* pContext) override;
    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    LRESULT OnMDIActivate(WPARAM wParam, LPARAM lParam);
    LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);

    // The accelerators are the template's (not destroyed with the child).
    BOOL m_bSharedAccelerators;

    DECLARE_MESSAGE_MAP()
};
