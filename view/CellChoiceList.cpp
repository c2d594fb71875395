#include "view/CellChoiceList.h"

#include "framework/windows/Dc.h"
#include "view/CellEditBox.h"
#include "view/CellEditNotify.h"

namespace
{

// The control id of a combo box's own edit.
const UINT kComboEditId = 1001;

BOOL IsCtrlDown()
{
    return (::GetKeyState(VK_CONTROL) & 0x8000) != 0;
}

} // namespace

BEGIN_MESSAGE_MAP(CCellChoiceEdit, CEdit)
    ON_WM_KEYDOWN()
    ON_WM_KEYUP()
    ON_WM_KILLFOCUS()
END_MESSAGE_MAP()

BOOL CCellChoiceEdit::PreTranslateMessage(MSG* pMsg)
{
    return PreTranslateEditorKeys(pMsg) || CEdit::PreTranslateMessage(pMsg);
}

void CCellChoiceEdit::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    const BOOL bListKey = nChar == VK_PRIOR || nChar == VK_NEXT ||
                          ((nChar >= VK_LEFT && nChar <= VK_DOWN) && IsCtrlDown());
    if (bListKey && (UINT)::GetDlgCtrlID(m_hWnd) == kComboEditId)
    {
        m_pList->SendMessage(WM_KEYDOWN, nChar, MAKELPARAM(nRepCnt, nFlags));
        return;
    }
    CEdit::OnKeyDown(nChar, nRepCnt, nFlags);
}

void CCellChoiceEdit::OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    // The list leaves or cancels on these; the edit itself ignores them.
    if ((nChar == VK_ESCAPE || nChar == VK_TAB || nChar == VK_RETURN) && m_pList->HandleKey(nChar))
        return;
    CEdit::OnKeyUp(nChar, nRepCnt, nFlags);
}

void CCellChoiceEdit::OnKillFocus(CWnd* pNewWnd)
{
    CEdit::OnKillFocus(pNewWnd);
    m_pList->EndEdit();
}

BEGIN_MESSAGE_MAP(CCellChoiceList, CComboBox)
    ON_WM_KEYDOWN()
    ON_WM_KILLFOCUS()
    ON_WM_CTLCOLOR_REFLECT()
END_MESSAGE_MAP()

CCellChoiceList::CCellChoiceList(CWnd* pParent, const RECT& rect, DWORD nComboStyle, UINT nID,
                                 int nCell, const CStringArray& items, CString strStart,
                                 CFont* pFont, COLORREF crText, COLORREF crBack, int nStartKey)
    : m_edit(this), m_nVisibleRows(4), m_strStart(strStart), m_nLastKey(0), m_nCell(nCell),
      m_pFont(pFont), m_crText(crText), m_crBack(crBack), m_bEnded(FALSE)
{
    m_brush.CreateSolidBrush(crBack);
    // The dropped list shows about four rows of the cell's height.
    CRect rc(rect);
    rc.bottom += m_nVisibleRows * (rect.bottom - rect.top) + ::GetSystemMetrics(SM_CYHSCROLL);
    if (!Create(nComboStyle | WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL | CBS_AUTOHSCROLL,
                rc, pParent, nID))
        return;
    for (INT_PTR i = 0; i < items.GetSize(); ++i)
        AddString(items[i]);
    SendMessage(WM_SETFONT, (WPARAM)(m_pFont != NULL ? (HFONT)*m_pFont : NULL), TRUE);
    SetDroppedWidthFromItems(pParent, items);
    MoveWindow(&rc, TRUE);
    SetHorizontalExtent(0);
    if (SelectString(-1, strStart) == CB_ERR)
        SetWindowText(strStart);
    if (IsDropDownList())
    {
        SetFocus();
        return;
    }
    CWnd* pEdit = GetDlgItem(kComboEditId);
    if (pEdit != NULL)
        m_edit.SubclassWindow(pEdit->m_hWnd);
    SetFocus();
    if (m_edit.m_hWnd != NULL)
        ApplyEditStartKey(m_edit, nStartKey, TRUE);
}

CCellChoiceList::~CCellChoiceList()
{
    delete m_pFont;
}

void CCellChoiceList::PostNcDestroy()
{
    delete this;
}

BOOL CCellChoiceList::IsDropDownList() const
{
    return (GetStyle() & 3) == CBS_DROPDOWNLIST;
}

void CCellChoiceList::SetDroppedWidthFromItems(CWnd* pParent, const CStringArray& items)
{
    CClientDC dc(pParent);
    CFont* pOldFont = m_pFont != NULL ? dc.SelectObject(m_pFont) : NULL;
    int nWidest = 0;
    for (INT_PTR i = 0; i < items.GetSize(); ++i)
    {
        const CSize size = dc.GetTextExtent(items[i]);
        if (size.cx > nWidest)
            nWidest = size.cx;
    }
    const int nSpace = dc.GetTextExtent(CString(" ")).cx;
    if (pOldFont != NULL)
        dc.SelectObject(pOldFont);
    SetDroppedWidth((UINT)(nWidest + ::GetSystemMetrics(SM_CXVSCROLL) + 2 * nSpace));
}

CString CCellChoiceList::GetValueText() const
{
    if (IsDropDownList() && GetCurSel() == CB_ERR)
        return m_strStart;
    CString strText;
    GetWindowText(strText);
    return strText;
}

BOOL CCellChoiceList::HandleKey(UINT nChar)
{
    switch (nChar)
    {
    case VK_DOWN:
    case VK_UP:
    case VK_RIGHT:
    case VK_LEFT:
    case VK_TAB:
    case VK_RETURN:
        m_nLastKey = (int)nChar;
        SendCellEditNotify(this, CELLN_LEAVE, m_nCell, GetValueText(), m_nLastKey);
        return TRUE;
    case VK_ESCAPE:
    {
        if (SelectString(-1, m_strStart) == CB_ERR)
        {
            SetCurSel(-1);
            SetWindowText(m_strStart);
        }
        m_nLastKey = VK_ESCAPE;
        CWnd* pParent = GetParent();
        if (pParent != NULL)
            pParent->SetFocus();
        return TRUE;
    }
    default:
        return FALSE;
    }
}

void CCellChoiceList::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (!HandleKey(nChar))
        CComboBox::OnKeyDown(nChar, nRepCnt, nFlags);
}

void CCellChoiceList::OnKillFocus(CWnd* pNewWnd)
{
    CComboBox::OnKillFocus(pNewWnd);
    if ((pNewWnd == NULL || pNewWnd->m_hWnd != m_hWnd) && IsDropDownList())
        EndEdit();
}

void CCellChoiceList::EndEdit()
{
    if (m_bEnded || m_hWnd == NULL)
        return;
    m_bEnded = TRUE;
    CWnd* pTarget = GetOwner();
    if (pTarget != NULL && pTarget->IsWindow())
        SendCellEditNotify(this, CELLN_END, m_nCell, GetValueText(), m_nLastKey);
    PostMessage(WM_CLOSE);
}

HBRUSH CCellChoiceList::CtlColor(CDC* pDC, UINT)
{
    pDC->SetTextColor(m_crText);
    pDC->SetBkColor(m_crBack);
    return (HBRUSH)m_brush;
}
