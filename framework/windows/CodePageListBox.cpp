#include "framework/windows/CodePageListBox.h"

#include "framework/core/WideText.h"
#include "framework/windows/ScopedGdi.h"

void CCodePageListBox::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    if ((int)lpDrawItemStruct->itemID < 0)
        return;
    HDC hDC = lpDrawItemStruct->hDC;
    RECT rc = lpDrawItemStruct->rcItem;
    BOOL bSelected = (lpDrawItemStruct->itemState & ODS_SELECTED) != 0;
    ::FillRect(hDC, &rc, ::GetSysColorBrush(bSelected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    CString strText;
    GetText((int)lpDrawItemStruct->itemID, strText);
    CWideText text(strText, strText.GetLength(), m_nCodePage);
    {
        CScopedSaveDC save(hDC);
        ::SetBkMode(hDC, TRANSPARENT);
        ::SetTextColor(hDC, ::GetSysColor(bSelected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
        rc.left += 2;
        ::DrawTextW(hDC, text.GetString(), text.GetLength(), &rc, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    }
    if ((lpDrawItemStruct->itemState & ODS_FOCUS) != 0)
        ::DrawFocusRect(hDC, &lpDrawItemStruct->rcItem);
}

void CCodePageListBox::FitItemHeight()
{
    // The height of the list's font, with a pixel above and below.
    TEXTMETRICA tm;
    if (GetWindowFontMetrics(m_hWnd, tm))
        SendMessage(LB_SETITEMHEIGHT, 0, MAKELPARAM(tm.tmHeight + 2, 0));
}
