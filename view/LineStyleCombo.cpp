#include "view/LineStyleCombo.h"

#include "framework/windows/ScopedGdi.h"
#include "sheet/Cell.h"

void CLineStyleCombo::FillStyles(int nStyle)
{
    ResetContent();
    for (int n = CELL_LINE_NONE; n <= CELL_LINE_DASHDOT; ++n)
    {
        // Owner-drawn without strings: the item's text is its data.
        const int nItem = (int)SendMessage(CB_ADDSTRING, 0, (LPARAM)n);
        if (nItem >= 0)
            SetItemData(nItem, (DWORD_PTR)n);
    }
    SetDroppedWidth(120);
    SetItemHeight(-1, ITEM_HEIGHT);
    SetItemHeight(0, ITEM_HEIGHT);
    SetCurSel(nStyle >= CELL_LINE_NONE && nStyle <= CELL_LINE_DASHDOT ? nStyle : -1);
}

void CLineStyleCombo::MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct)
{
    lpMeasureItemStruct->itemHeight = ITEM_HEIGHT;
}

void CLineStyleCombo::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    HDC hDC = lpDrawItemStruct->hDC;
    const RECT& rc = lpDrawItemStruct->rcItem;
    CScopedSaveDC saved(hDC);
    if ((int)lpDrawItemStruct->itemID < 0)
    {
        ::FillRect(hDC, &rc, ::GetSysColorBrush(COLOR_BTNFACE));
        return;
    }
    ::FillRect(hDC, &rc, (HBRUSH)::GetStockObject(WHITE_BRUSH));
    const int nStyle = (int)lpDrawItemStruct->itemData;
    const int yMiddle = (rc.top + rc.bottom) / 2;
    if (nStyle == CELL_LINE_NONE)
    {
        RECT rcText = rc;
        rcText.left += 4;
        ::SetBkMode(hDC, TRANSPARENT);
        ::SetTextColor(hDC, RGB(0, 0, 0));
        ::DrawTextA(hDC, "(None)", -1, &rcText, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
    }
    else
    {
        const int nPenStyle = nStyle == CELL_LINE_DOT ? PS_DOT : nStyle == CELL_LINE_DASHDOT ? PS_DASHDOT : PS_SOLID;
        CScopedGdiObject pen(::CreatePen(nPenStyle, nStyle == CELL_LINE_THICK ? 3 : 1, RGB(0, 0, 0)));
        CScopedSelectObject select(hDC, pen.Get());
        ::SetBkMode(hDC, OPAQUE);
        ::SetBkColor(hDC, RGB(255, 255, 255));
        ::MoveToEx(hDC, rc.left, yMiddle, NULL);
        ::LineTo(hDC, rc.right, yMiddle);
    }
    if (lpDrawItemStruct->itemState & ODS_SELECTED)
    {
        CScopedGdiObject blue(::CreateSolidBrush(RGB(0, 0, 255)));
        ::FrameRect(hDC, &rc, (HBRUSH)blue.Get());
    }
}
