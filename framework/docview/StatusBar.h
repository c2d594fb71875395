// CStatusBar: the bar along a frame's bottom edge with a stretching
// message pane and indicator panes whose texts are string resources of
// their ids, shown while their update handler enables them.
#pragma once

#include "framework/core/Array.h"
#include "framework/core/String.h"
#include "framework/docview/ControlBar.h"

#define SBPS_NORMAL 0x0000
#define SBPS_NOBORDERS SBT_NOBORDERS
#define SBPS_POPOUT SBT_POPOUT
#define SBPS_DISABLED 0x04000000
#define SBPS_STRETCH 0x08000000

class CStatusBar : public CControlBar
{
    DECLARE_DYNAMIC(CStatusBar)
public:
    CStatusBar();

    BOOL Create(CWnd* pParentWnd, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_BOTTOM,
                UINT nID = AFX_IDW_STATUS_BAR);
    // One pane per id: ID_SEPARATOR (0) the stretching message pane, any
    // other id an indicator as wide as its string.  FALSE when an
    // indicator's string is missing.
    BOOL SetIndicators(const UINT* lpIDArray, int nIDCount);

    int GetCount() const { return (int)m_arrPanes.GetSize(); }
    int CommandToIndex(UINT nIDFind) const;
    UINT GetItemID(int nIndex) const;
    void GetItemRect(int nIndex, LPRECT lpRect) const;
    CString GetPaneText(int nIndex) const;
    void GetPaneText(int nIndex, CString& rString) const;
    BOOL SetPaneText(int nIndex, LPCSTR lpszNewText, BOOL bUpdate = TRUE);
    void GetPaneInfo(int nIndex, UINT& nID, UINT& nStyle, int& cxWidth) const;
    void SetPaneInfo(int nIndex, UINT nID, UINT nStyle, int cxWidth);
    UINT GetPaneStyle(int nIndex) const;
    void SetPaneStyle(int nIndex, UINT nStyle);

    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;

protected:
    struct Pane
    {
        UINT nID;
        UINT nStyle;
        int cxText;
        CString strText;
    };

    BOOL IsValidIndex(int nIndex) const { return nIndex >= 0 && nIndex < GetCount(); }
    // Gives the control the panes' right edges and texts.
    void UpdateParts();
    void ShowPaneText(int nIndex);
    int GetTextWidth(LPCSTR lpszText);
    void OnSize(UINT nType, int cx, int cy);

    CArray<Pane, const Pane&> m_arrPanes;

    DECLARE_MESSAGE_MAP()
};
