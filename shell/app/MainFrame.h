// CMainFrame: the program's MDI main window.  It carries the Standard,
// Table and Data toolbars and the Format bar (the editor: Standard and Data
// only), the status bar, the program's menus (the
// no-document menu on the frame, the document menu given to the document
// template), full-screen sizing and Help > Help Topics.
#pragma once

#include "framework/docview/MDIWnd.h"
#include "framework/docview/StatusBar.h"
#include "framework/docview/ToolBar.h"
#ifndef EDITOR_BUILD
#include "shell/CellFormatBar.h"
#endif
#include "shell/OwnerDrawMenu.h"
#include "shell/app/ZoomComboBox.h"
#include "view/SheetViewFrame.h"

class CMainFrame : public CMDIFrameWnd, public CSheetViewFrame
{
    DECLARE_DYNAMIC(CMainFrame)
public:
    CMainFrame();
    ~CMainFrame() override;

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;

    // Menu 5 (with a document open, images of toolbars 4, 6, 8 and 11; the
    // editor's of 4 and 11) and menu 4 (without, images of toolbar 4), loaded as owner-drawn menus;
    // the caller owns the handle.
    HMENU DetachDocumentMenu();
    HMENU DetachDefaultMenu();
    // The toolbar of toolbar resource 4, 6, 8 (Format) or 11 (the editor:
    // 4 or 11); NULL for any other id.
    CToolBar* GetToolBar(UINT nID);
    // Docks pBar on the side of pLeftBar, just right of it.
    void DockToolBarBeside(CControlBar* pBar, CControlBar* pLeftBar);

    // The program comes first in both programs' captions.
    CString ComposeFrameTitle(const CString& strProgram, LPCSTR lpszDocName) override;
#ifndef EDITOR_BUILD
    // "Tallyform[Design Mode]" or "Tallyform [Run Mode]" by the mode of the
    // active template, as the mode switches write the caption.  (The
    // editor's title names its one mode already.)
    CString GetProgramTitle() override;
#endif

    // What the sheet view asks of the main frame.
    void SetZoomText(LPCSTR lpszText) override;
#ifndef EDITOR_BUILD
    // Repaints the lower rows of the Format bar's image nImage with the
    // colour, as the colour buttons show the colour they apply.
    void SetColorButtonImage(int nImage, COLORREF crColour);

    void ShowDesignToolBars(BOOL bShow) override;
    void SetModeButton(UINT nID, int nImage) override;
    COLORREF GetFontColor() override { return m_crFont; }
    COLORREF GetFillColor() override { return m_crFill; }
#endif

    CToolBar m_wndToolBar;
#ifndef EDITOR_BUILD
    CToolBar m_wndTableBar;
#endif
    CToolBar m_wndDataBar;
#ifndef EDITOR_BUILD
    CCellFormatBar m_wndFormatBar;
#endif
    CZoomComboBox m_wndZoom;
    COwnerDrawMenu m_menuDocument;
    COwnerDrawMenu m_menuDefault;
    COwnerDrawMenu m_menuMode;
#ifndef EDITOR_BUILD
    // The colours last chosen in the Format bar's colour drop-downs, and
    // which of the two popups is open.
    COLORREF m_crFill;
    COLORREF m_crFont;
    BOOL m_bFontPopup;
#endif
    CStatusBar m_wndStatusBar;

    BOOL m_bFullScreen;
    RECT m_rectFullScreen;
    WINDOWPLACEMENT m_wpPrevious;
    CToolBar* m_pwndFullScreenBar;

protected:
    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    void OnGetMinMaxInfo(MINMAXINFO* lpMMI);
    void OnHelpFinder();
    // View > Toolbars: shows the bar when its item has no check mark and
    // hides it when it has one; the check mark follows.
    void OnViewToolbar(UINT nID);
    void OnZoomSelEndOk();
    // View > Full Screen: the frame covers the screen with only a floating
    // bar of this command, and the same command brings it back.
    void OnViewFullScreen();
    void OnUpdateViewFullScreen(CCmdUI* pCmdUI);
    void OnMeasureItem(int nIDCtl, LPMEASUREITEMSTRUCT lpMeasureItemStruct);
    LRESULT OnMenuChar(UINT nChar, UINT nFlags, CMenu* pMenu);
    void OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu);
#ifndef EDITOR_BUILD
    // The Standard bar's Design/Run arrow and the Format bar's colour arrows.
    void OnStandardBarDropDown(NMHDR* pNMHDR, LRESULT* pResult);
    void OnFormatBarDropDown(NMHDR* pNMHDR, LRESULT* pResult);
    LRESULT OnColourSelEndOk(WPARAM wParam, LPARAM lParam);
#endif

private:
    // The pop-up last opened, whose items WM_MEASUREITEM asks about.
    HMENU m_hMenuPopup;

    BOOL CreateToolBar(CToolBar& bar, UINT nIDResource, LPCSTR lpszTitle,
                       UINT nID = AFX_IDW_TOOLBAR);
    // The toolbars, the status bar and the zoom combo, docked; FALSE when
    // one cannot be made.
    BOOL CreateBars();
    BOOL CreateStatusBar();
    // Shows or hides the bars that full-screen mode takes away.
    void ShowFrameBars(BOOL bShow);
    // The zoom combo over the Standard bar's button 25 (the editor's 16).
    BOOL CreateZoomCombo();
#ifndef EDITOR_BUILD
    // The Format bar with its cell type, face and size combos.
    BOOL CreateFormatBar();
    // Gives the Standard bar and the Format bar their drop-down arrows.
    void AddDropDownArrows();
#endif
    void EnterFullScreen();
    void LeaveFullScreen();

    DECLARE_MESSAGE_MAP()
};
