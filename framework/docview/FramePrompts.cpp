// The frame's prompts: a command's string resource is "prompt\ntip"; the
// prompt goes to the status bar while a menu item or button is pointed at,
// the tip into a tooltip, and the idle message back when nothing is.
#include "framework/docview/FrameWnd.h"
#include "framework/docview/StatusBar.h"
#include "framework/windows/CmdUI.h"

namespace
{
// The part of a command's string before (nPart 0) or after (1) its '\n'.
CString CommandStringPart(UINT nID, int nPart)
{
    CString strFull;
    if (nID == 0 || !strFull.LoadString(nID))
        return CString();
    int nNewLine = strFull.Find('\n');
    if (nPart == 0)
        return nNewLine >= 0 ? strFull.Left(nNewLine) : strFull;
    return nNewLine >= 0 ? strFull.Mid(nNewLine + 1) : CString();
}
}

void CFrameWnd::GetMessageString(UINT nID, CString& rMessage) const
{
    rMessage = CommandStringPart(nID, 0);
}

CWnd* CFrameWnd::GetMessageBar() const
{
    return GetDescendantWindow(AFX_IDW_STATUS_BAR, TRUE);
}

void CFrameWnd::SetMessageText(LPCSTR lpszText)
{
    SendMessage(WM_SETMESSAGESTRING, 0, reinterpret_cast<LPARAM>(lpszText));
}

void CFrameWnd::SetMessageText(UINT nID)
{
    SendMessage(WM_SETMESSAGESTRING, (WPARAM)nID);
}

LRESULT CFrameWnd::OnSetMessageString(WPARAM wParam, LPARAM lParam)
{
    UINT nIDLast = m_nIDLastMessage;
    CString strMessage;
    if (lParam != 0)
    {
        strMessage = reinterpret_cast<LPCSTR>(lParam);
    }
    else if (wParam != 0)
    {
        GetMessageString((UINT)wParam, strMessage);
    }
    m_nIDLastMessage = (UINT)wParam;
    m_nIDTracking = (UINT)wParam;
    CWnd* pBar = GetMessageBar();
    if (pBar != NULL)
    {
        if (pBar->IsKindOf(RUNTIME_CLASS(CStatusBar)))
            static_cast<CStatusBar*>(pBar)->SetPaneText(0, strMessage);
        else
            pBar->SetWindowText(strMessage);
    }
    return nIDLast;
}

LRESULT CFrameWnd::OnMenuSelectMessage(WPARAM wParam, LPARAM lParam)
{
    UINT nItemID = LOWORD(wParam);
    UINT nFlags = HIWORD(wParam);
    if (nFlags == 0xFFFF && lParam == 0)
        SetMessageText((UINT)AFX_IDS_IDLEMESSAGE);                // the menu closed
    else if (nFlags & (MF_POPUP | MF_SEPARATOR))
        SetMessageText("");
    else if (nFlags & MF_SYSMENU)
        SetMessageText("");
    else
        SetMessageText(nItemID);
    return Default();
}

void CFrameWnd::OnToolTipText(UINT, NMHDR* pNMHDR, LRESULT* pResult)
{
    UINT_PTR nID = pNMHDR->idFrom;
    BOOL bIsHwnd = pNMHDR->code == TTN_NEEDTEXTA
        ? (reinterpret_cast<NMTTDISPINFOA*>(pNMHDR)->uFlags & TTF_IDISHWND) != 0
        : (reinterpret_cast<NMTTDISPINFOW*>(pNMHDR)->uFlags & TTF_IDISHWND) != 0;
    if (bIsHwnd)
        nID = (UINT_PTR)::GetDlgCtrlID(reinterpret_cast<HWND>(nID));
    CString strTip = CommandStringPart((UINT)nID, 1);
    if (pNMHDR->code == TTN_NEEDTEXTA)
    {
        NMTTDISPINFOA* pInfo = reinterpret_cast<NMTTDISPINFOA*>(pNMHDR);
        lstrcpynA(pInfo->szText, strTip, (int)(sizeof(pInfo->szText) / sizeof(pInfo->szText[0])));
        pInfo->lpszText = pInfo->szText;
    }
    else
    {
        NMTTDISPINFOW* pInfo = reinterpret_cast<NMTTDISPINFOW*>(pNMHDR);
        int nMax = (int)(sizeof(pInfo->szText) / sizeof(pInfo->szText[0]));
        int nLen = ::MultiByteToWideChar(CP_ACP, 0, strTip, -1, pInfo->szText, nMax);
        if (nLen == 0)
            pInfo->szText[0] = 0;
        pInfo->szText[nMax - 1] = 0;
        pInfo->lpszText = pInfo->szText;
    }
    *pResult = 0;
}

void CFrameWnd::OnUpdateKeyIndicator(CCmdUI* pCmdUI)
{
    int nVirtKey = pCmdUI->m_nID == ID_INDICATOR_CAPS ? VK_CAPITAL
        : pCmdUI->m_nID == ID_INDICATOR_NUM ? VK_NUMLOCK : VK_SCROLL;
    pCmdUI->Enable((::GetKeyState(nVirtKey) & 1) != 0);
}
