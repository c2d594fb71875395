// CToolBar: a control bar that is a toolbar common control, with its
// buttons from a toolbar resource and the bitmap of the same id, updated
// from the owner's ON_UPDATE_COMMAND_UI handlers at idle time.
#pragma once

#include "framework/docview/ControlBar.h"
#include "framework/windows/ImageList.h"
#include "framework/windows/ToolBarCtrl.h"

// Button styles in the low word, states (TBSTATE_ENABLED inverted) in the
// high word, as GetButtonStyle and SetButtonInfo take them.
#define TBBS_BUTTON MAKELONG(TBSTYLE_BUTTON, 0)
#define TBBS_SEPARATOR MAKELONG(TBSTYLE_SEP, 0)
#define TBBS_CHECKBOX MAKELONG(TBSTYLE_CHECK, 0)
#define TBBS_GROUP MAKELONG(TBSTYLE_GROUP, 0)
#define TBBS_CHECKGROUP MAKELONG(TBSTYLE_CHECKGROUP, 0)
#define TBBS_DROPDOWN MAKELONG(TBSTYLE_DROPDOWN, 0)
#define TBBS_CHECKED MAKELONG(0, TBSTATE_CHECKED)
#define TBBS_INDETERMINATE MAKELONG(0, TBSTATE_INDETERMINATE)
#define TBBS_DISABLED MAKELONG(0, TBSTATE_ENABLED)
#define TBBS_PRESSED MAKELONG(0, TBSTATE_PRESSED)

class CToolBar : public CControlBar
{
    DECLARE_DYNAMIC(CToolBar)
public:
    CToolBar();
    ~CToolBar() override;

    BOOL Create(CWnd* pParentWnd, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_TOP,
                UINT nID = AFX_IDW_TOOLBAR);
    // dwCtrlStyle: TBSTYLE_xxx of the control; dwStyle: window and bar
    // styles; rcBorders is not used (the bar styles give the margins).
    BOOL CreateEx(CWnd* pParentWnd, DWORD dwCtrlStyle = TBSTYLE_FLAT,
                  DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP,
                  CRect rcBorders = CRect(0, 0, 0, 0), UINT nID = AFX_IDW_TOOLBAR);

    // The buttons of the toolbar resource and the images of the bitmap of
    // the same id; FALSE when either is missing.
    BOOL LoadToolBar(UINT nIDResource);
    BOOL LoadToolBar(LPCSTR lpszResourceName);
    BOOL LoadBitmap(UINT nIDResource);
    // Replaces the buttons: one per id, 0 a separator; images in order.
    BOOL SetButtons(const UINT* lpIDArray, int nIDCount);
    void SetSizes(SIZE sizeButton, SIZE sizeImage);

    int GetCount() const;
    int CommandToIndex(UINT nIDFind) const;
    UINT GetItemID(int nIndex) const;
    // In the bar's client coordinates.
    void GetItemRect(int nIndex, LPRECT lpRect) const;
    UINT GetButtonStyle(int nIndex) const;
    void SetButtonStyle(int nIndex, UINT nStyle);
    // For a separator iImage is its width.
    void GetButtonInfo(int nIndex, UINT& nID, UINT& nStyle, int& iImage) const;
    void SetButtonInfo(int nIndex, UINT nID, UINT nStyle, int iImage);

    CToolBarCtrl& GetToolBarCtrl() const;

    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    CSize CalcDynamicLayout(int nLength, DWORD dwMode) override;
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;

protected:
    BOOL GetButton(int nIndex, TBBUTTON& button) const;
    // Puts every button on its own row (vertical) or all on one.
    void WrapButtons(BOOL bHorz);
    // The fly-by prompt of the button under the pointer goes to the status
    // bar; a timer takes it away once the pointer has left the bar, which
    // the control does not report after a disabled button.
    void OnHotItemChange(UINT nID, NMHDR* pNMHDR, LRESULT* pResult);
    void OnTimer(UINT_PTR nIDEvent);
    void OnDestroy();
    void SetFlyByPrompt(UINT nID);
    // The frame whose status bar shows the prompts, or NULL.
    CFrameWnd* GetPromptFrame() const;

    CImageList m_imageList;
    // Grey copies of the images, for disabled buttons.
    CImageList m_disabledImageList;
    CSize m_sizeImage;
    // The control's messages on this bar's window, without a second
    // handle-map entry.
    mutable CToolBarCtrl m_toolBarCtrl;
    BOOL m_bHorzLayout;

    DECLARE_MESSAGE_MAP()
};
