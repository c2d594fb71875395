#include "framework/docview/DialogBar.h"

#include "framework/core/MessageSink.h"
#include "framework/docview/FrameWnd.h"
#include "framework/windows/CmdUI.h"
#include "framework/windows/Dialog.h"

IMPLEMENT_DYNAMIC(CDialogBar, CControlBar)

CDialogBar::CDialogBar() : m_sizeDefault(0, 0)
{
}

BOOL CDialogBar::Create(CWnd* pParentWnd, UINT nIDTemplate, UINT nStyle, UINT nID)
{
    return Create(pParentWnd, MAKEINTRESOURCEA(nIDTemplate), nStyle, nID);
}

BOOL CDialogBar::Create(CWnd* pParentWnd, LPCSTR lpszTemplateName, UINT nStyle, UINT nID)
{
    // The window style is the template's.
    SplitStyle(nStyle);
    AfxHookWindowCreate(this);
    HWND hWnd = ::CreateDialogParamA(AfxGetResourceHandle(), lpszTemplateName,
                                     pParentWnd->GetSafeHwnd(), &AfxDlgProc, 0);
    AfxUnhookWindowCreate();
    if (hWnd == NULL)
    {
        if (m_hWnd != NULL)
            Detach();
        return FALSE;
    }
    ::SetWindowLongPtrA(m_hWnd, GWLP_ID, (LONG_PTR)nID);
    ::SetWindowLongA(m_hWnd, GWL_STYLE, ::GetWindowLongA(m_hWnd, GWL_STYLE) | WS_CHILD);
    CRect rect;
    GetWindowRect(&rect);
    m_sizeDefault = CSize(rect.Width() + m_rectBorder.left + m_rectBorder.right,
                          rect.Height() + m_rectBorder.top + m_rectBorder.bottom);
    ::SetWindowPos(m_hWnd, NULL, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER |
                                             SWP_NOACTIVATE | SWP_FRAMECHANGED);
    SetOwner(pParentWnd);
    // The dialog was made before the hook could register the bar.
    CFrameWnd* pFrame = GetParentFrame();
    if (pFrame != NULL && m_pDockSite == NULL)
    {
        m_pDockSite = pFrame;
        pFrame->AddControlBar(this);
    }
    // A bar shows whether or not its template says so.
    ShowWindow(SW_SHOWNOACTIVATE);
    return TRUE;
}

CSize CDialogBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    if (!bStretch)
        return m_sizeDefault;
    return bHorz ? CSize(32767, m_sizeDefault.cy) : CSize(m_sizeDefault.cx, 32767);
}

void CDialogBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL)
{
    // Controls without a handler keep their state: a bar's own controls
    // (rulers, fields) need no command to stay usable.
    CCmdUI state;
    for (HWND hChild = ::GetWindow(m_hWnd, GW_CHILD); hChild != NULL;
         hChild = ::GetWindow(hChild, GW_HWNDNEXT))
    {
        UINT nID = (UINT)::GetDlgCtrlID(hChild);
        // Statics carry -1 (or 0xFFFF from a 16-bit template field).
        if (nID == 0 || nID == (UINT)-1 || nID == 0xFFFF)
            continue;
        state.m_nID = nID;
        state.m_pOther = CWnd::FromHandle(hChild);
        state.DoUpdate(pTarget, FALSE);
    }
}
