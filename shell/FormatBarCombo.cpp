#include "shell/FormatBarCombo.h"

#include "shell/CellFormatBar.h"

IMPLEMENT_DYNAMIC(CFormatBarCombo, CCJFlatComboBox)

BEGIN_MESSAGE_MAP(CFormatBarCombo, CCJFlatComboBox)
    ON_WM_CREATE()
END_MESSAGE_MAP()

CFormatBarCombo::CFormatBarCombo() : m_nLimitText(0) {}

CFormatBarCombo::~CFormatBarCombo() {}

int CFormatBarCombo::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CCJFlatComboBox::OnCreate(lpCreateStruct) == -1)
        return -1;
    SendMessage(WM_SETFONT, (WPARAM)::GetStockObject(DEFAULT_GUI_FONT));
    return 0;
}

void CFormatBarCombo::GetComboText(CString& rText) const
{
    // Typing in an edit field leaves the list's old selection in place, so
    // there the text shown is the edit field's.
    int nSel = GetCurSel();
    if (nSel == CB_ERR || (GetStyle() & 0x3) == CBS_DROPDOWN)
        GetWindowText(rText);
    else
        GetLBText(nSel, rText);
}

void CFormatBarCombo::SetComboText(LPCTSTR lpszText, BOOL bExact)
{
    int nIndex = bExact ? FindStringExact(-1, lpszText) : FindString(-1, lpszText);
    // An empty text matches every item in a prefix search.
    if (nIndex == CB_ERR || lpszText == NULL || lpszText[0] == 0)
    {
        SetCurSel(-1);
        SetWindowText(lpszText != NULL ? lpszText : "");
        return;
    }
    if (GetCurSel() != nIndex)
        SetCurSel(nIndex);
}

BOOL CFormatBarCombo::SetTextLimit(int nLimit)
{
    // Only CB_ERR means failure: with an edit field the message answers
    // what EM_LIMITTEXT does, which is nothing.
    if (SendMessage(CB_LIMITTEXT, (WPARAM)nLimit) == CB_ERR)
        return FALSE;
    m_nLimitText = nLimit;
    return TRUE;
}

BOOL CFormatBarCombo::PreTranslateMessage(MSG* pMsg)
{
    CCellFormatBar* pBar = DYNAMIC_DOWNCAST(CCellFormatBar, GetParent());
    if (pMsg->message != WM_KEYDOWN || pBar == NULL)
        return CCJFlatComboBox::PreTranslateMessage(pMsg);
    switch (pMsg->wParam)
    {
    case VK_TAB:
    {
        CWnd* pNext = pBar->GetNextDlgTabItem(this, FALSE);
        if (pNext != NULL)
            pNext->SetFocus();
        return TRUE;
    }
    case VK_RETURN:
        pBar->NotifyOwner(NM_RETURN);
        return TRUE;
    case VK_ESCAPE:
        pBar->QueryOwnerFormat();
        pBar->NotifyOwner(NM_RETURN);
        return TRUE;
    case VK_UP:
    case VK_DOWN:
        if (::GetKeyState(VK_MENU) >= 0 && ::GetKeyState(VK_CONTROL) >= 0 && !GetDroppedState())
        {
            ShowDropDown(TRUE);
            return TRUE;
        }
        break;
    default:
        break;
    }
    return CCJFlatComboBox::PreTranslateMessage(pMsg);
}
