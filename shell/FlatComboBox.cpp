#include "shell/FlatComboBox.h"

#include "framework/windows/Dc.h"

namespace {
const UINT_PTR HOVER_TIMER = 1;
const UINT HOVER_MILLISECONDS = 10;

// Key messages are dispatched at once only on the first Windows 95.
BOOL IsWindows95()
{
    OSVERSIONINFOA vi = {};
    vi.dwOSVersionInfoSize = sizeof(vi);
    return ::GetVersionExA(&vi) && vi.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS && vi.dwMinorVersion == 0;
}
}

FlatComboStep FlatComboTimerStep(BOOL bButtonDown, BOOL bCursorInside, BOOL bHasFocus, BOOL bDrawnRaised)
{
    FlatComboStep step = { FALSE, FLAT_BORDER_NONE, bDrawnRaised, FALSE };
    if (bButtonDown)
    {
        step.bStopTimer = TRUE;
        if (bDrawnRaised)
        {
            step.nDraw = FLAT_BORDER_PRESSED;
            step.bDrawnRaised = FALSE;
        }
    }
    else if (!bCursorInside && !bHasFocus)
    {
        step.bStopTimer = TRUE;
        if (bDrawnRaised)
        {
            step.nDraw = FLAT_BORDER_NORMAL;
            step.bDrawnRaised = FALSE;
        }
    }
    else if (!bDrawnRaised)
    {
        step.nDraw = FLAT_BORDER_RAISED;
        step.bDrawnRaised = TRUE;
        step.bDefault = TRUE;
    }
    return step;
}

IMPLEMENT_DYNAMIC(CCJFlatComboBox, CComboBox)

BEGIN_MESSAGE_MAP(CCJFlatComboBox, CComboBox)
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_TIMER()
    ON_WM_PAINT()
    ON_CONTROL_REFLECT(CBN_SETFOCUS, OnSetFocusReflect)
    ON_CONTROL_REFLECT(CBN_KILLFOCUS, OnKillFocusReflect)
    ON_CONTROL_REFLECT(CBN_EDITUPDATE, OnEditUpdateReflect)
END_MESSAGE_MAP()

CCJFlatComboBox::CCJFlatComboBox() : m_bLBtnDown(FALSE), m_bPainted(FALSE), m_bHasFocus(FALSE), m_bAutoComp(FALSE)
{
}

BOOL CCJFlatComboBox::PreTranslateMessage(MSG* pMsg)
{
    if (IsWindows95())
    {
        if (pMsg->message == WM_KEYDOWN || pMsg->message == WM_KEYUP)
        {
            ::TranslateMessage(pMsg);
            ::DispatchMessageA(pMsg);
            return TRUE;
        }
        if (pMsg->message == WM_CHAR)
            return TRUE;
    }
    return CComboBox::PreTranslateMessage(pMsg);
}

void CCJFlatComboBox::TrackHover(BOOL bFromTimer)
{
    CPoint ptCursor;
    ::GetCursorPos(&ptCursor);
    CRect rcWindow;
    GetWindowRect(&rcWindow);
    FlatComboStep step = FlatComboTimerStep(m_bLBtnDown, rcWindow.PtInRect(ptCursor), m_bHasFocus, m_bPainted);
    if (step.bStopTimer)
        KillTimer(HOVER_TIMER);
    m_bPainted = step.bDrawnRaised;
    COLORREF clrFace = ::GetSysColor(COLOR_BTNFACE);
    COLORREF clrShadow = ::GetSysColor(COLOR_BTNSHADOW);
    COLORREF clrHighlight = ::GetSysColor(COLOR_BTNHIGHLIGHT);
    if (step.nDraw == FLAT_BORDER_NORMAL)
        DrawCombo(FLAT_BORDER_NORMAL, clrFace, clrFace);
    else if (step.nDraw != FLAT_BORDER_NONE)
        DrawCombo(step.nDraw, clrShadow, clrHighlight);
    if (step.bDefault && bFromTimer)
        Default();
}

void CCJFlatComboBox::OnMouseMove(UINT, CPoint)
{
    SetTimer(HOVER_TIMER, HOVER_MILLISECONDS);
    TrackHover(FALSE);
    Default();
}

void CCJFlatComboBox::OnLButtonDown(UINT, CPoint)
{
    m_bLBtnDown = TRUE;
    Default();
}

void CCJFlatComboBox::OnLButtonUp(UINT, CPoint)
{
    m_bLBtnDown = FALSE;
    Invalidate(TRUE);
    Default();
}

void CCJFlatComboBox::OnTimer(UINT_PTR)
{
    TrackHover(TRUE);
}

void CCJFlatComboBox::OnPaint()
{
    ModifyStyleEx(WS_EX_DLGMODALFRAME | WS_EX_CLIENTEDGE | WS_EX_STATICEDGE, 0, SWP_FRAMECHANGED);
    Default();
    CPoint ptCursor;
    ::GetCursorPos(&ptCursor);
    CRect rcWindow;
    GetWindowRect(&rcWindow);
    if (!rcWindow.PtInRect(ptCursor) && !m_bHasFocus)
        DrawCombo(FLAT_BORDER_NORMAL, ::GetSysColor(COLOR_BTNFACE), ::GetSysColor(COLOR_BTNFACE));
    else
        DrawCombo(FLAT_BORDER_RAISED, ::GetSysColor(COLOR_BTNSHADOW), ::GetSysColor(COLOR_BTNHIGHLIGHT));
}

void CCJFlatComboBox::NotifyOwner(UINT nCode)
{
    NMHDR nmh = {};
    nmh.hwndFrom = m_hWnd;
    nmh.idFrom = (UINT_PTR)GetDlgCtrlID();
    nmh.code = nCode;
    CWnd* pOwner = GetOwner();
    if (pOwner != NULL)
        pOwner->SendMessage(WM_NOTIFY, nmh.idFrom, (LPARAM)&nmh);
}

void CCJFlatComboBox::OnSetFocusReflect()
{
    m_bHasFocus = TRUE;
    DrawCombo(FLAT_BORDER_RAISED, ::GetSysColor(COLOR_BTNSHADOW), ::GetSysColor(COLOR_BTNHIGHLIGHT));
    NotifyOwner(NM_SETFOCUS);
}

void CCJFlatComboBox::OnKillFocusReflect()
{
    m_bHasFocus = FALSE;
    DrawCombo(FLAT_BORDER_NORMAL, ::GetSysColor(COLOR_BTNFACE), ::GetSysColor(COLOR_BTNFACE));
    NotifyOwner(NM_KILLFOCUS);
}

void CCJFlatComboBox::OnEditUpdateReflect()
{
    // Auto-completion is never switched on.
}

void CCJFlatComboBox::DrawCombo(FlatComboBorder nStyle, COLORREF clrTopLeft, COLORREF clrBottomRight)
{
    CClientDC dc(this);
    COLORREF clrFace = ::GetSysColor(COLOR_BTNFACE);
    COLORREF clrHighlight = ::GetSysColor(COLOR_BTNHIGHLIGHT);
    COLORREF clrShadow = ::GetSysColor(COLOR_BTNSHADOW);
    BOOL bEnabled = IsWindowEnabled();

    CRect rc;
    GetClientRect(&rc);
    dc.Draw3dRect(&rc, clrTopLeft, clrBottomRight);
    rc.DeflateRect(1, 1);
    COLORREF clrInner = bEnabled ? clrFace : clrHighlight;
    dc.Draw3dRect(&rc, clrInner, clrInner);
    rc.DeflateRect(1, 1);

    // The drop-down button.
    rc.left = rc.right - ::GetSystemMetrics(SM_CXHTHUMB);
    dc.Draw3dRect(&rc, clrFace, clrFace);
    rc.DeflateRect(1, 1);
    dc.Draw3dRect(&rc, clrFace, clrFace);
    if (!bEnabled)
        return;

    rc.top -= 1;
    rc.bottom += 1;
    switch (nStyle)
    {
    case FLAT_BORDER_NORMAL:
        dc.Draw3dRect(&rc, clrHighlight, clrHighlight);
        rc.left -= 1;
        dc.Draw3dRect(&rc, clrHighlight, clrHighlight);
        break;
    case FLAT_BORDER_RAISED:
        dc.Draw3dRect(&rc, clrHighlight, clrShadow);
        break;
    case FLAT_BORDER_PRESSED:
        rc.OffsetRect(1, 1);
        dc.Draw3dRect(&rc, clrShadow, clrHighlight);
        break;
    default:
        break;
    }
}
