#include <algorithm>

#include "framework/docview/StatusBar.h"

#include "framework/docview/FrameWnd.h"
#include "framework/windows/CmdUI.h"
#include "framework/windows/ScopedGdi.h"

IMPLEMENT_DYNAMIC(CStatusBar, CControlBar)

BEGIN_MESSAGE_MAP(CStatusBar, CControlBar)
    ON_WM_SIZE()
END_MESSAGE_MAP()

namespace
{
// Room around a pane's text inside its frame.
const int kPanePadding = 6;

// One pane's state as the update handlers set it.
class CStatusCmdUI : public CCmdUI
{
public:
    void Enable(BOOL bOn) override
    {
        m_bEnableChanged = TRUE;
        CStatusBar* pBar = static_cast<CStatusBar*>(m_pOther);
        UINT nStyle = pBar->GetPaneStyle((int)m_nIndex);
        UINT nNew = bOn ? nStyle & ~SBPS_DISABLED : nStyle | SBPS_DISABLED;
        if (nNew != nStyle)
            pBar->SetPaneStyle((int)m_nIndex, nNew);
    }
    void SetCheck(int nCheck) override
    {
        CStatusBar* pBar = static_cast<CStatusBar*>(m_pOther);
        UINT nStyle = pBar->GetPaneStyle((int)m_nIndex);
        UINT nNew = nCheck != 0 ? nStyle | SBPS_POPOUT : nStyle & ~SBPS_POPOUT;
        if (nNew != nStyle)
            pBar->SetPaneStyle((int)m_nIndex, nNew);
    }
    void SetText(LPCSTR lpszText) override
    {
        static_cast<CStatusBar*>(m_pOther)->SetPaneText((int)m_nIndex, lpszText);
    }
};
}

CStatusBar::CStatusBar()
{
}

BOOL CStatusBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID)
{
    // The frame places the bar; the control must not move itself.
    DWORD dwWndStyle = SplitStyle(dwStyle) | CCS_NOPARENTALIGN | CCS_NORESIZE | CCS_NODIVIDER |
                       WS_CLIPSIBLINGS;
    INITCOMMONCONTROLSEX icc = { sizeof(icc), ICC_BAR_CLASSES };
    ::InitCommonControlsEx(&icc);
    if (!CWnd::Create(STATUSCLASSNAMEA, NULL, dwWndStyle, CRect(0, 0, 0, 0), pParentWnd, nID))
        return FALSE;
    SetOwner(pParentWnd);
    return TRUE;
}

int CStatusBar::GetTextWidth(LPCSTR lpszText)
{
    HDC hDC = ::GetDC(m_hWnd);
    if (hDC == NULL)
        return 0;
    HFONT hFont = reinterpret_cast<HFONT>(SendMessage(WM_GETFONT));
    HGDIOBJ hOld = hFont != NULL ? ::SelectObject(hDC, hFont) : NULL;
    SIZE size = { 0, 0 };
    ::GetTextExtentPoint32A(hDC, lpszText, lstrlenA(lpszText), &size);
    if (hOld != NULL)
        ::SelectObject(hDC, hOld);
    ::ReleaseDC(m_hWnd, hDC);
    return size.cx;
}

BOOL CStatusBar::SetIndicators(const UINT* lpIDArray, int nIDCount)
{
    m_arrPanes.RemoveAll();
    BOOL bResult = TRUE;
    for (int i = 0; i < nIDCount; ++i)
    {
        Pane pane;
        pane.nID = lpIDArray != NULL ? lpIDArray[i] : ID_SEPARATOR;
        pane.nStyle = SBPS_NORMAL;
        pane.cxText = 0;
        if (pane.nID == ID_SEPARATOR)
        {
            if (i == 0)
                pane.nStyle |= SBPS_STRETCH | SBPS_NOBORDERS;
        }
        else if (!pane.strText.LoadString(pane.nID))
        {
            bResult = FALSE;
        }
        else
        {
            pane.cxText = GetTextWidth(pane.strText);
        }
        m_arrPanes.Add(pane);
    }
    UpdateParts();
    return bResult;
}

int CStatusBar::CommandToIndex(UINT nIDFind) const
{
    for (int i = 0; i < GetCount(); ++i)
        if (m_arrPanes[i].nID == nIDFind)
            return i;
    return -1;
}

UINT CStatusBar::GetItemID(int nIndex) const
{
    return IsValidIndex(nIndex) ? m_arrPanes[nIndex].nID : 0;
}

void CStatusBar::GetItemRect(int nIndex, LPRECT lpRect) const
{
    if (!IsValidIndex(nIndex) || !SendMessage(SB_GETRECT, (WPARAM)nIndex, (LPARAM)lpRect))
        ::SetRectEmpty(lpRect);
}

CString CStatusBar::GetPaneText(int nIndex) const
{
    return IsValidIndex(nIndex) ? m_arrPanes[nIndex].strText : CString();
}

void CStatusBar::GetPaneText(int nIndex, CString& rString) const
{
    rString = GetPaneText(nIndex);
}

BOOL CStatusBar::SetPaneText(int nIndex, LPCSTR lpszNewText, BOOL bUpdate)
{
    if (!IsValidIndex(nIndex))
        return FALSE;
    CString strText = lpszNewText != NULL ? lpszNewText : "";
    if (m_arrPanes[nIndex].strText == strText)
        return TRUE;
    m_arrPanes[nIndex].strText = strText;
    ShowPaneText(nIndex);
    if (bUpdate)
        UpdateWindow();
    return TRUE;
}

void CStatusBar::GetPaneInfo(int nIndex, UINT& nID, UINT& nStyle, int& cxWidth) const
{
    if (!IsValidIndex(nIndex))
    {
        nID = 0, nStyle = 0, cxWidth = 0;
        return;
    }
    nID = m_arrPanes[nIndex].nID;
    nStyle = m_arrPanes[nIndex].nStyle;
    cxWidth = m_arrPanes[nIndex].cxText;
}

void CStatusBar::SetPaneInfo(int nIndex, UINT nID, UINT nStyle, int cxWidth)
{
    if (!IsValidIndex(nIndex))
        return;
    m_arrPanes[nIndex].nID = nID;
    m_arrPanes[nIndex].nStyle = nStyle;
    m_arrPanes[nIndex].cxText = cxWidth;
    UpdateParts();
}

UINT CStatusBar::GetPaneStyle(int nIndex) const
{
    return IsValidIndex(nIndex) ? m_arrPanes[nIndex].nStyle : 0;
}

void CStatusBar::SetPaneStyle(int nIndex, UINT nStyle)
{
    if (!IsValidIndex(nIndex) || m_arrPanes[nIndex].nStyle == nStyle)
        return;
    BOOL bWidthChanged = (m_arrPanes[nIndex].nStyle ^ nStyle) & SBPS_STRETCH;
    m_arrPanes[nIndex].nStyle = nStyle;
    if (bWidthChanged)
        UpdateParts();
    else
        ShowPaneText(nIndex);
}

void CStatusBar::ShowPaneText(int nIndex)
{
    const Pane& pane = m_arrPanes[nIndex];
    // A disabled pane shows nothing: CAP is blank while Caps Lock is off.
    LPCSTR lpszShown = (pane.nStyle & SBPS_DISABLED) ? "" : (LPCSTR)pane.strText;
    UINT nType = pane.nStyle & (SBT_NOBORDERS | SBT_POPOUT);
    SendMessage(SB_SETTEXTA, (WPARAM)(nIndex | nType), reinterpret_cast<LPARAM>(lpszShown));
}

void CStatusBar::UpdateParts()
{
    if (m_hWnd == NULL)
        return;
    int nCount = GetCount();
    if (nCount == 0)
    {
        int nRight = -1;
        SendMessage(SB_SETPARTS, 1, reinterpret_cast<LPARAM>(&nRight));
        return;
    }
    CRect rectClient;
    GetClientRect(&rectClient);
    int nFixed = 0;
    int nStretch = 0;
    for (int i = 0; i < nCount; ++i)
    {
        if (m_arrPanes[i].nStyle & SBPS_STRETCH)
            ++nStretch;
        else
            nFixed += m_arrPanes[i].cxText + kPanePadding;
    }
    int cxStretch = nStretch > 0 ? std::max<int>(0, (rectClient.Width() - nFixed) / nStretch) : 0;
    CArray<int, int> arrRights;
    int nRight = 0;
    for (int i = 0; i < nCount; ++i)
    {
        const Pane& pane = m_arrPanes[i];
        nRight += (pane.nStyle & SBPS_STRETCH) ? cxStretch : pane.cxText + kPanePadding;
        arrRights.Add(nRight);
    }
    SendMessage(SB_SETPARTS, (WPARAM)nCount, reinterpret_cast<LPARAM>(arrRights.GetData()));
    for (int i = 0; i < nCount; ++i)
        ShowPaneText(i);
}

void CStatusBar::OnSize(UINT nType, int cx, int cy)
{
    CControlBar::OnSize(nType, cx, cy);
    UpdateParts();
}

CSize CStatusBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    CSize size = CControlBar::CalcFixedLayout(bStretch, bHorz);
    int nHeight = 0;
    TEXTMETRICA tm;
    if (GetWindowFontMetrics(m_hWnd, tm))
        nHeight = tm.tmHeight + tm.tmExternalLeading;
    int anBorders[3] = { 0, 0, 0 };
    SendMessage(SB_GETBORDERS, 0, reinterpret_cast<LPARAM>(anBorders));
    size.cy += nHeight + 2 * anBorders[1] + 4;
    return size;
}

void CStatusBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL)
{
    CStatusCmdUI state;
    state.m_pOther = this;
    state.m_nIndexMax = (UINT)GetCount();
    for (state.m_nIndex = 0; state.m_nIndex < state.m_nIndexMax; ++state.m_nIndex)
    {
        state.m_nID = m_arrPanes[state.m_nIndex].nID;
        // Indicators without a handler keep their state; the message pane
        // has none to ask for.
        if (state.m_nID != ID_SEPARATOR)
            state.DoUpdate(pTarget, FALSE);
    }
}
