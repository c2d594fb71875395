// CFrameWnd: a top-level window built from one resource id (menu,
// accelerators, caption string, icon) that holds a view and routes
// commands: active view, its document, the frame, then the application.
#pragma once

#include "framework/core/List.h"
#include "framework/core/String.h"
#include "framework/docview/ControlBar.h"
#include "framework/windows/Wnd.h"

class CDocTemplate;
class CDocument;
class CDockBar;
class CFrameWnd;
class CView;

// Sent to a window and its descendants when the program goes idle.
#define WM_IDLEUPDATECMDUI 0x0363

// Asks a frame to show a prompt in its status bar: wParam a string id
// (its text up to '\n'), or lParam the text itself.
#define WM_SETMESSAGESTRING 0x0362

// The status bar's idle prompt and key-state indicators.
#define AFX_IDS_IDLEMESSAGE 57345
#define ID_SEPARATOR 0
#define ID_INDICATOR_CAPS 59137
#define ID_INDICATOR_NUM 59138
#define ID_INDICATOR_SCRL 59139

// Added to the frame style: the active document's title goes into the caption.
#define FWS_ADDTOTITLE 0x00008000L

// The id of a frame's main pane (its view, or the MDI client).
#define AFX_IDW_PANE_FIRST 0xE900
// The print preview shown over the whole of a frame's client area.
#define AFX_IDW_PREVIEW_PANE 0xE9FF

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
    // Sizes the main pane to the client area, and a print preview to all of it.
    virtual void RecalcLayout();
    // A print preview covers the frame: its menu and keys wait meanwhile.
    BOOL IsInPrintPreview() const;
    // The caption: the program's title and, when bAddToTitle, the active
    // document's title, joined by ComposeFrameTitle.
    virtual void OnUpdateFrameTitle(BOOL bAddToTitle);
    // The program's part of the caption; a frame may add a state to it.
    virtual CString GetProgramTitle() { return m_strTitle; }
    // "<document> - <program>"; a frame may put the program first.
    virtual CString ComposeFrameTitle(const CString& strProgram, LPCSTR lpszDocName)
    {
        return CString(lpszDocName) + " - " + strProgram;
    }
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

    // Control bars and docking.  EnableDocking makes the dock bars of the
    // sides asked for; DockControlBar with id 0 takes the first side the
    // bar allows; lpRect (screen) picks the row and the place in it.
    void EnableDocking(DWORD dwDockStyle);
    void DockControlBar(CControlBar* pBar, UINT nDockBarID = 0, LPCRECT lpRect = NULL);
    void DockControlBar(CControlBar* pBar, CDockBar* pDockBar, LPCRECT lpRect = NULL);
    // Floats the bar in a mini frame whose top-left corner is point (screen).
    void FloatControlBar(CControlBar* pBar, CPoint point, DWORD dwStyle = CBRS_ALIGN_TOP);
    void ShowControlBar(CControlBar* pBar, BOOL bShow, BOOL bDelay);
    CControlBar* GetControlBar(UINT nID) const;
    void AddControlBar(CControlBar* pBar);
    void RemoveControlBar(CControlBar* pBar);
    // Places the frame's own bars and dock bars and shrinks rect (client
    // coordinates) to what is left for the main pane.
    void RepositionBars(CRect& rect);

    // Fly-by prompts and tooltips: the string resource of a command is
    // "prompt\ntip".
    virtual void GetMessageString(UINT nID, CString& rMessage) const;
    void SetMessageText(LPCSTR lpszText);
    void SetMessageText(UINT nID);
    CWnd* GetMessageBar() const;

    CPtrList m_listControlBars;   // CControlBar*, docked, floating or on the frame
    UINT m_nIDTracking = 0;       // the command whose prompt is shown
    UINT m_nIDLastMessage = 0;

    // Menu items whose command no target on the route handles are greyed
    // when their pop-up opens, as the bars' buttons are at idle time; for a
    // handled command a target's update handler decides.
    BOOL m_bAutoMenuEnable;

    HMENU m_hMenuDefault;   // the menu loaded with the frame; destroyed with it
    HACCEL m_hAccelTable;
    UINT m_nIDHelp;         // the resource id the frame was loaded from
    CString m_strTitle;
    // This frame's number among the frames of its document (":1", ":2"
    // after the title), 0 while it is the only one.
    int m_nWindow;

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
    LRESULT OnSetMessageString(WPARAM wParam, LPARAM lParam);
    LRESULT OnMenuSelectMessage(WPARAM wParam, LPARAM lParam);
    void OnToolTipText(UINT nID, NMHDR* pNMHDR, LRESULT* pResult);
    void OnUpdateKeyIndicator(CCmdUI* pCmdUI);
    BOOL IsAutoMenuEnable() const override { return m_bAutoMenuEnable; }
    // View > Toolbar and View > Status Bar: the command id is the bar's
    // id; the bar is shown or hidden and the item carries its check mark.
    // FALSE (the command not taken) when the frame has no such bar.
    BOOL OnBarCheck(UINT nID);
    void OnUpdateControlBarMenu(CCmdUI* pCmdUI);
    // Idle updates for the bars floating in mini frames, which are not
    // children of the frame.
    void UpdateFloatingBars(BOOL bDisableIfNoHndler);
    // Forgets the bars when the frame's window goes.
    void DetachControlBars();

    CView* m_pViewActive;
    BOOL m_bAddToTitle;
    // Sets the caption to the program's title and, when not NULL or empty,
    // " - " and lpszDocName.
    void UpdateFrameTitleForDocument(LPCSTR lpszDocName);

    // What the caption was last made from at an idle update: the active
    // document (only compared, never used), the titles and whether the
    // active frame is maximized.
    const CDocument* m_pTitledDocument;
    CString m_strTitledFrom;
    BOOL m_bInCreate;

    DECLARE_MESSAGE_MAP()
};
