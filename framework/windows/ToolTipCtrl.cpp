#include "framework/windows/ToolTipCtrl.h"

IMPLEMENT_DYNAMIC(CToolTipCtrl, CWnd)

BOOL CToolTipCtrl::Create(CWnd* pParentWnd, DWORD dwStyle)
{
    if (!CreateEx(WS_EX_TOPMOST, TOOLTIPS_CLASSA, NULL, WS_POPUP | dwStyle, CW_USEDEFAULT,
                  CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, pParentWnd->GetSafeHwnd(), NULL))
        return FALSE;
    SetOwner(pParentWnd);
    return TRUE;
}

void CToolTipCtrl::FillToolInfo(TTTOOLINFOA& ti, CWnd* pWnd, UINT_PTR nIDTool)
{
    ti = TTTOOLINFOA();
    ti.cbSize = sizeof(ti);
    ti.hwnd = pWnd->GetSafeHwnd();
    if (nIDTool == 0)
    {
        ti.uFlags = TTF_IDISHWND;
        ti.uId = reinterpret_cast<UINT_PTR>(ti.hwnd);
    }
    else
        ti.uId = nIDTool;
}

BOOL CToolTipCtrl::AddTool(CWnd* pWnd, LPCSTR lpszText, LPCRECT lpRectTool, UINT_PTR nIDTool)
{
    TTTOOLINFOA ti;
    FillToolInfo(ti, pWnd, lpRectTool != NULL ? nIDTool : 0);
    if (lpRectTool != NULL)
        ti.rect = *lpRectTool;
    ti.lpszText = const_cast<LPSTR>(lpszText);
    return (BOOL)SendMessage(TTM_ADDTOOLA, 0, (LPARAM)&ti);
}

void CToolTipCtrl::DelTool(CWnd* pWnd, UINT_PTR nIDTool)
{
    TTTOOLINFOA ti;
    FillToolInfo(ti, pWnd, nIDTool);
    SendMessage(TTM_DELTOOLA, 0, (LPARAM)&ti);
}

void CToolTipCtrl::UpdateTipText(LPCSTR lpszText, CWnd* pWnd, UINT_PTR nIDTool)
{
    TTTOOLINFOA ti;
    FillToolInfo(ti, pWnd, nIDTool);
    ti.lpszText = const_cast<LPSTR>(lpszText);
    SendMessage(TTM_UPDATETIPTEXTA, 0, (LPARAM)&ti);
}

void CToolTipCtrl::SetToolRect(CWnd* pWnd, UINT_PTR nIDTool, LPCRECT lpRect)
{
    TTTOOLINFOA ti;
    FillToolInfo(ti, pWnd, nIDTool);
    ti.rect = *lpRect;
    SendMessage(TTM_NEWTOOLRECTA, 0, (LPARAM)&ti);
}

CString CToolTipCtrl::GetToolText(CWnd* pWnd, UINT_PTR nIDTool) const
{
    TTTOOLINFOA ti;
    FillToolInfo(ti, pWnd, nIDTool);
    // TTM_GETTEXT has no size argument; 80 characters is its documented limit.
    char szText[256] = "";
    ti.lpszText = szText;
    if (!SendMessage(TTM_GETTOOLINFOA, 0, (LPARAM)&ti))
        return CString();
    ti.lpszText = szText;
    SendMessage(TTM_GETTEXTA, 0, (LPARAM)&ti);
    return CString(szText);
}
