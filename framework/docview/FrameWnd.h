// CFrameWnd: a top-level window built from one resource id (menu,
// accelerators, caption string, icon) that holds a view and routes
// commands: active view, its document, the frame, then the application.
#pragma once

#include "framework/core/String.h"
#include "framework/windows/Wnd.h"

class CDocTemplate;
class CDocument;
class CFrameWnd;
class CView;

// Sent to a window and its descendants when the program goes idle.
#define WM_IDLEUPDATECMDUI 0x0363

// Added to the frame style: the active document's title goes into the caption.
#define FWS_ADDTOTITLE 0x00008000L

// The id of a frame's main pane (its view, or the MDI client).
#define AFX_IDW_PANE_FIRST 0xE900

// What a new frame needs to make its view.
struct CCreateContext
{
    CRuntimeClass* m_pNewViewClass = NULL;
    CDocument* m_pCurrentDoc = NULL;
    CDocTemplate* m_pNewDocTemplate = NULL;
    CView* m_pLastView = NULL;
    CFrameWnd* m_pCurrentFrame = NULL;
};

class CFrameWnd : public CWnd
{
    DECLARE_DYNCREATE(CFrameWnd)
public:
    CFrameWnd();
    ~CFrameWnd() override;

    // Creates the frame with the menu, accelerators, icon and caption
    // (the string up to its first '\n') of nIDResource; FALSE when the
    // menu or the window cannot be had, and the object is then still the
    // caller's to delete.  Once created, a frame deletes itself when its
    // window is destroyed.
    virtual BOOL LoadFrame(UINT nIDResource,
                           DWORD dwDefaultStyle = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                           CWnd* pParentWnd = NULL, CCreateContext* pContext = NULL);

    // The frame whose view is active: this one, or the active MDI child.
    virtual CFrameWnd* GetActiveFrame();
    CView* GetActiveView() const { return m_pViewActive; }
    void SetActiveView(CView* pViewNew);
    virtual CDocument* GetActiveDocument();

    // Makes the view of pContext's class over the frame's client area.
    CWnd* CreateView(CCreateContext* pContext, UINT nID = AFX_IDW_PANE_FIRST);
    // Sizes the main pane to the client area.
    virtual void RecalcLayout();
    virtual void OnUpdateFrameTitle(BOOL bAddToTitle);
    // Puts hMenuAlt (or the default menu when NULL) on the frame.
    virtual void OnUpdateFrameMenu(HMENU hMenuAlt);

    // Shows and activates the frame; -1 shows a hidden frame normally and
    // restores a minimized one.
    virtual void ActivateFrame(int nCmdShow = -1);
    // A new frame's first update: its first view of pDoc becomes active,
    // the views get OnInitialUpdate, and the frame is shown when bMakeVisible.
    void InitialUpdateFrame(CDocument* pDoc, BOOL bMakeVisible);

    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

    HMENU m_hMenuDefault;   // the menu loaded with the frame; destroyed with it
    HACCEL m_hAccelTable;
    UINT m_nIDHelp;         // the resource id the frame was loaded from
    CString m_strTitle;

protected:
    // Creates the window itself; the frame classes differ in how.
    virtual BOOL CreateFrame(LPCSTR lpszClassName, DWORD dwStyle, CWnd* pParentWnd,
                             HMENU hMenu, CCreateContext* pContext);
    virtual BOOL OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext);
    // Called from WM_CREATE with the context the frame was created with.
    int OnCreateHelper(LPCREATESTRUCT lpcs, CCreateContext* pContext);
    void PostNcDestroy() override;

    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    // The main frame asks to save every document and closes them all; a
    // frame showing the last view of its document closes the document,
    // after asking to save it.
    void OnClose();
    // Each dropped file opens through the application.
    void OnDropFiles(HDROP hDropInfo);
    void OnSize(UINT nType, int cx, int cy);
    void OnDestroy();
    LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);

    CView* m_pViewActive;
    BOOL m_bAddToTitle;
    BOOL m_bInCreate;

    DECLARE_MESSAGE_MAP()
};
