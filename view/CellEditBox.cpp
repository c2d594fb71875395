#include "view/CellEditBox.h"

#include <stdlib.h>

#include "framework/windows/Dc.h"
#include "sheet/CellDataCheck.h"
#include "view/CellEditNotify.h"
#include "view/CellEditRules.h"
#include "view/ClipboardText.h"

BEGIN_MESSAGE_MAP(CCellEditBox, CEdit)
    ON_WM_KEYDOWN()
    ON_WM_CHAR()
    ON_WM_KILLFOCUS()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_CTLCOLOR_REFLECT()
    ON_MESSAGE(WM_PASTE, OnPaste)
END_MESSAGE_MAP()

CCellEditBox::CCellEditBox(CWnd* pParent, const RECT& rect, DWORD dwAlignStyle, UINT nID,
                           int nCell, CString strText, CFont* pFont, COLORREF crText,
                           COLORREF crBack, int nStartKey, BOOL bNumeric)
    : m_nCell(nCell), m_strStart(strText), m_nLastKey(0), m_bNumeric(bNumeric),
      m_pFont(pFont), m_crText(crText), m_crBack(crBack),
      m_bOpenedByClick(GetKeyState(VK_LBUTTON) < 0), m_dwOpenTime(GetMessageTime()),
      m_ptOpen((short)LOWORD(GetMessagePos()), (short)HIWORD(GetMessagePos()))
{
    m_brush.CreateSolidBrush(crBack);
    if (!Create(dwAlignStyle | WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, rect, pParent, nID))
        return;
    SendMessage(WM_SETFONT, (WPARAM)(m_pFont != NULL ? (HFONT)*m_pFont : NULL), TRUE);
    SetWindowText(strText);
    SetFocus();
    ApplyEditStartKey(*this, nStartKey, FALSE);
}

CCellEditBox::~CCellEditBox()
{
    delete m_pFont;
}

void CCellEditBox::PostNcDestroy()
{
    delete this;
}

BOOL CCellEditBox::PreTranslateMessage(MSG* pMsg)
{
    return PreTranslateEditorKeys(pMsg) || CEdit::PreTranslateMessage(pMsg);
}

void ApplyEditStartKey(CEdit& edit, int nKey, BOOL bChoiceList)
{
    const int nLength = edit.GetWindowTextLength();
    switch (PlanStartKey(nKey, bChoiceList))
    {
    case START_CARET_AT_END:
        edit.SetSel(nLength, nLength);
        break;
    case START_BACKSPACE:
        edit.SetSel(nLength, nLength);
        edit.SendMessage(WM_CHAR, VK_BACK);
        break;
    case START_SELECT_ALL:
        edit.SetSel(0, -1);
        break;
    case START_SELECT_AND_TYPE:
        edit.SetSel(0, -1);
        edit.SendMessage(WM_CHAR, (WPARAM)nKey);
        break;
    }
}

void CCellEditBox::Notify(UINT nCode)
{
    CString strText;
    GetWindowText(strText);
    SendCellEditNotify(this, nCode, m_nCell, strText, m_nLastKey);
}

void CCellEditBox::Leave(UINT nKey)
{
    m_nLastKey = (int)nKey;
    Notify(CELLN_LEAVE);
}

void CCellEditBox::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    switch (nChar)
    {
    case VK_UP:
    case VK_DOWN:
    case VK_TAB:
    case VK_RETURN:
        Leave(nChar);
        return;
    case VK_LEFT:
    case VK_RIGHT:
    {
        int nStart = 0, nEnd = 0;
        GetSel(nStart, nEnd);
        const BOOL bAtEnd = nStart == nEnd && nEnd >= GetWindowTextLength();
        if ((nChar == VK_RIGHT && bAtEnd) || (nChar == VK_LEFT && nStart == 0 && nEnd == 0))
        {
            Leave(nChar);
            return;
        }
        break;
    }
    case VK_ESCAPE:
    {
        SetWindowText(m_strStart);
        m_nLastKey = VK_ESCAPE;
        CWnd* pParent = GetParent();
        if (pParent != NULL)
            pParent->SetFocus();
        return;
    }
    default:
        break;
    }
    CEdit::OnKeyDown(nChar, nRepCnt, nFlags);
}

void CCellEditBox::OnChar(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    // Tab, Enter and Esc were handled as keys; their characters type nothing.
    if (nChar == VK_TAB || nChar == VK_RETURN || nChar == VK_ESCAPE)
        return;
    if (m_bNumeric)
    {
        CString strText;
        GetWindowText(strText);
        int nStart = 0, nEnd = 0;
        GetSel(nStart, nEnd);
        const NumericCharAction action = ClassifyNumericChar(strText, nStart, nEnd, nChar);
        if (action == NUMCHAR_DROP)
            return;
        if (action == NUMCHAR_ACCEPT)
            CEdit::OnChar(nChar, nRepCnt, nFlags);
    }
    else
        CEdit::OnChar(nChar, nRepCnt, nFlags);
    Notify(CELLN_CHANGE);
}

LRESULT CCellEditBox::OnPaste(WPARAM, LPARAM)
{
    if (m_bNumeric)
    {
        // Pasted text must leave a number behind, as typing would.
        CString strText;
        GetWindowText(strText);
        int nStart = 0, nEnd = 0;
        GetSel(nStart, nEnd);
        CString strPasted;
        ReadClipboardText(m_hWnd, strPasted);
        if (!ValidateNumberText(ReplaceSelection(strText, nStart, nEnd, strPasted)))
            return 0;
    }
    const LRESULT lResult = Default();
    Notify(CELLN_CHANGE);
    return lResult;
}

void CCellEditBox::OnKillFocus(CWnd* pNewWnd)
{
    CEdit::OnKillFocus(pNewWnd);
    Notify(CELLN_END);
    PostMessage(WM_CLOSE);
}

BOOL CCellEditBox::IsSecondClickOfOpening(CPoint ptScreen) const
{
    return m_bOpenedByClick && GetMessageTime() - m_dwOpenTime <= GetDoubleClickTime() &&
           abs(ptScreen.x - m_ptOpen.x) <= GetSystemMetrics(SM_CXDOUBLECLK) / 2 &&
           abs(ptScreen.y - m_ptOpen.y) <= GetSystemMetrics(SM_CYDOUBLECLK) / 2;
}

void CCellEditBox::OnLButtonDown(UINT nFlags, CPoint point)
{
    // The first press opened the editor over its cell, so the system sees
    // two single presses in two windows: the second is the double click.
    CPoint ptScreen = point;
    ClientToScreen(&ptScreen);
    if (IsSecondClickOfOpening(ptScreen))
    {
        m_bOpenedByClick = FALSE;
        ForwardDoubleClick(nFlags, point);
        return;
    }
    Default();
}

void CCellEditBox::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    Default();
    ForwardDoubleClick(nFlags, point);
}

void CCellEditBox::ForwardDoubleClick(UINT nFlags, CPoint point)
{
    // The view sees the double click on the cell as well (in design mode it
    // opens the cell's properties, closing this editor): posted, so that it
    // comes after this handler.
    CWnd* pParent = GetParent();
    if (pParent == NULL)
        return;
    ::MapWindowPoints(m_hWnd, pParent->m_hWnd, &point, 1);
    pParent->PostMessage(WM_LBUTTONDBLCLK, nFlags, MAKELPARAM(point.x, point.y));
}

HBRUSH CCellEditBox::CtlColor(CDC* pDC, UINT)
{
    pDC->SetTextColor(m_crText);
    pDC->SetBkColor(m_crBack);
    return (HBRUSH)m_brush;
}
