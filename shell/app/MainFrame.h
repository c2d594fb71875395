// CMainFrame: the designer's MDI main window.  It carries the Standard,
// Table and Data toolbars, the status bar, the program's menus (the
// no-document menu on the frame, the document menu given to the document
// template), full-screen sizing and Help > Help Topics.
#pragma once

#include "framework/docview/MDIWnd.h"
#include "framework/docview/StatusBar.h"
#include "framework/docview/ToolBar.h"
#include "shell/CellFormatBar.h"
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

    // Menu 5 (with a document open, images of toolbars 4, 6, 8 and 11) and
    // menu 4 (without, images of toolbar 4), loaded as owner-drawn menus;
    // the caller owns the handle.
    HMENU DetachDocumentMenu();
    HMENU DetachDefaultMenu();
    // The toolbar of toolbar resource 4, 6, 8 (Format) or 11; NULL for any
    // other id.
    CToolBar* GetToolBar(UINT nID);
    // Docks pBar on the side of pLeftBar, just right of it.
    void DockToolBarBeside(CControlBar* pBar, CControlBar* pLeftBar);

    // Repaints the lower rows of the Format bar's image nImage with the
    // colour, as the colour buttons show the colour they apply.
    void SetColorButtonImage(int nImage, COLORREF crColour);

    // What the sheet view asks of the main frame.
    void SetZoomText(LPCSTR lpszText) override;
    void ShowDesignToolBars(BOOL bShow) override;
    void SetModeButton(UINT nID, int nImage) override;
    COLORREF GetFontColor() override { return m_crFont; }
    COLORREF GetFillColor() override { return m_crFill; }

    CToolBar m_wndToolBar;
    CToolBar m_wndTableBar;
    CToolBar m_wndDataBar;
    CCellFormatBar m_wndFormatBar;
    CZoomComboBox m_wndZoom;
    COwnerDrawMenu m_menuDocument;
    COwnerDrawMenu m_menuDefault;
    COwnerDrawMenu m_menuMode;
    // The colours last chosen in the Format bar's colour drop-downs, and
    // which of the two popups is open.
    COLORREF m_crFill;
    COLORREF m_crFont;
    BOOL m_bFontPopup;
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
    // The Standard bar's Design/Run arrow and the Format bar's colour arrows.
    void OnStandardBarDropDown(NMHDR* pNMHDR, LRESULT* pResult);
    void OnFormatBarDropDown(NMHDR* pNMHDR, LRESULT* pResult);
    LRESULT OnColourSelEndOk(WPARAM wParam, LPARAM lParam);

private:
    // The pop-up last opened, whose items WM_MEASUREITEM asks about.
    HMENU m_hMenuPopup;

    BOOL CreateToolBar(CToolBar& bar, UINT nIDResource, LPCSTR lpszTitle,
                       UINT nID = AFX_IDW_TOOLBAR);
    // The Format bar with its cell type, face and size combos.
    BOOL CreateFormatBar();
    // The zoom combo over the Standard bar's button 25.
    BOOL CreateZoomCombo();
    // Gives the Standard bar and the Format bar their drop-down arrows.
    void AddDropDownArrows();
    void EnterFullScreen();
    void LeaveFullScreen();

    DECLARE_MESSAGE_MAP()
};
