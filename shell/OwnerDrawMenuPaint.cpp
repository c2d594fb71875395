// Measuring and drawing the owner-drawn items of a COwnerDrawMenu.
#include <algorithm>
#include <vector>

#include "shell/OwnerDrawMenu.h"

#include "framework/windows/ScopedGdi.h"
#include "shell/MenuText.h"

namespace
{
void FillColour(HDC hDC, const RECT& rc, COLORREF cr)
{
    CScopedGdiObject brush(::CreateSolidBrush(cr));
    ::FillRect(hDC, &rc, (HBRUSH)brush.Get());
}

void FrameColour(HDC hDC, const RECT& rc, COLORREF cr)
{
    CScopedGdiObject brush(::CreateSolidBrush(cr));
    ::FrameRect(hDC, &rc, (HBRUSH)brush.Get());
}

// Top and left lines in crTopLeft, right and bottom in crBottomRight.
void Frame3D(HDC hDC, const RECT& rc, COLORREF crTopLeft, COLORREF crBottomRight)
{
    FillColour(hDC, {rc.left, rc.top, rc.right - 1, rc.top + 1}, crTopLeft);
    FillColour(hDC, {rc.left, rc.top, rc.left + 1, rc.bottom - 1}, crTopLeft);
    FillColour(hDC, {rc.right - 1, rc.top, rc.right, rc.bottom}, crBottomRight);
    FillColour(hDC, {rc.left, rc.bottom - 1, rc.right, rc.bottom}, crBottomRight);
}

BOOL IsSeparator(const OwnerDrawItem* pItem)
{
    return pItem != NULL && (pItem->nFlags & MF_SEPARATOR) != 0;
}

BOOL HasImage(const OwnerDrawItem* pItem)
{
    return pItem != NULL && pItem->nToolbarID != -1 && pItem->pImageList != NULL;
}

// Radio-style items carry the radio check type, or their own checked bitmap.
BOOL IsRadioItem(HMENU hMenu, UINT nID)
{
    MENUITEMINFOA mii = {};
    mii.cbSize = sizeof(mii);
    mii.fMask = MIIM_FTYPE | MIIM_CHECKMARKS;
    if (hMenu == NULL || !::GetMenuItemInfoA(hMenu, nID, FALSE, &mii))
        return FALSE;
    return (mii.fType & MFT_RADIOCHECK) != 0 || mii.hbmpChecked != NULL;
}

COLORREF PixelColour(DWORD dwPixel)
{
    return RGB((dwPixel >> 16) & 0xFF, (dwPixel >> 8) & 0xFF, dwPixel & 0xFF);
}
}

void COwnerDrawMenu::MeasureItem(LPMEASUREITEMSTRUCT lpMIS)
{
    const OwnerDrawItem* pItem = (const OwnerDrawItem*)lpMIS->itemData;
    if (IsSeparator(pItem))
    {
        lpMIS->itemWidth = 0;
        lpMIS->itemHeight = ::GetSystemMetrics(SM_CYMENU) / 2;
        return;
    }
    LPCWSTR pszText = pItem != NULL ? pItem->pszText : L"";
    int nKind = AfxGetOsKind();
    int cxText = 0;
    CScopedGdiObject font(CreateMenuFont());
    HDC hDC = ::GetDC(NULL);
    if (hDC != NULL)
    {
        HGDIOBJ hOld = AfxIsNewShellKind(nKind) ? ::SelectObject(hDC, font.Get()) : NULL;
        if (nKind == OS_KIND_WIN32S)
        {
            CString strText = WideToAnsiString(pszText);
            RECT rc = {0, 0, 0, 0};
            ::DrawTextA(hDC, strText, strText.GetLength(), &rc, DT_SINGLELINE | DT_CALCRECT);
            int nChars = (std::max)(1, strText.GetLength());
            cxText = (rc.right - rc.left) + 3 * (rc.right - rc.left) / nChars;
        }
        else
        {
            SIZE size = {0, 0};
            ::GetTextExtentPoint32W(hDC, pszText, ::lstrlenW(pszText), &size);
            cxText = size.cx;
        }
        if (hOld != NULL)
            ::SelectObject(hDC, hOld);
        ::ReleaseDC(NULL, hDC);
    }
    lpMIS->itemWidth = cxText + 2 * m_nImageWidth + 1;
    lpMIS->itemHeight = (std::max)(::GetSystemMetrics(SM_CYMENU), m_nImageHeight + 4);
}

void COwnerDrawMenu::DrawItem(LPDRAWITEMSTRUCT lpDIS)
{
    HDC hDC = lpDIS->hDC;
    const RECT rc = lpDIS->rcItem;
    const OwnerDrawItem* pItem = (const OwnerDrawItem*)lpDIS->itemData;
    CScopedSaveDC saved(hDC);
    if (IsSeparator(pItem))
    {
        RECT rcEdge = rc;
        rcEdge.top += (rc.bottom - rc.top) / 2;
        ::DrawEdge(hDC, &rcEdge, EDGE_ETCHED, BF_TOP);
        return;
    }

    const UINT nState = lpDIS->itemState;
    const BOOL bSelected = (nState & ODS_SELECTED) != 0;
    const BOOL bChecked = (nState & ODS_CHECKED) != 0;
    const BOOL bImage = HasImage(pItem);
    const int w = m_nImageWidth;
    const int h = m_nImageHeight;
    const COLORREF crMenu = ::GetSysColor(COLOR_MENU);
    COLORREF crText = ::GetSysColor(COLOR_MENUTEXT);

    if (bSelected)
    {
        RECT rcFill = rc;
        if (bImage || bChecked)
            rcFill.left = rc.left + w + 5;
        FillColour(hDC, rcFill, ::GetSysColor(COLOR_HIGHLIGHT));
        crText = ::GetSysColor(COLOR_HIGHLIGHTTEXT);
    }
    else
    {
        FillColour(hDC, rc, crMenu);
        FrameColour(hDC, rc, crMenu);
    }

    const int dy = (std::max)(0, (int)(rc.bottom - rc.top - h - 4) / 2);
    if (bImage)
        DrawItemImage(hDC, pItem, rc, dy, nState);
    else if (bChecked)
        DrawCheckBox(hDC, rc, dy, nState, IsRadioItem((HMENU)lpDIS->hwndItem, lpDIS->itemID));

    CString strText = WideToAnsiString(pItem != NULL ? pItem->pszText : NULL);
    if (!strText.IsEmpty())
        DrawItemText(hDC, strText, rc, nState, crText);
}

void COwnerDrawMenu::DrawItemImage(HDC hDC, const OwnerDrawItem* pItem, const RECT& rc, int dy,
                                   UINT nState)
{
    const int w = m_nImageWidth;
    const int h = m_nImageHeight;
    const BOOL bNewShell = AfxIsNewShellKind(AfxGetOsKind());
    const BOOL bGrayed = (nState & ODS_GRAYED) != 0;
    const BOOL bSelected = (nState & ODS_SELECTED) != 0;
    const BOOL bChecked = (nState & ODS_CHECKED) != 0;
    const COLORREF crMenu = ::GetSysColor(COLOR_MENU);
    const COLORREF crHilight = ::GetSysColor(COLOR_3DHILIGHT);
    const COLORREF crShadow = ::GetSysColor(COLOR_3DSHADOW);
    const RECT rcBox = {rc.left, rc.top + dy, rc.left + w + 4, rc.top + dy + h + 4};
    const RECT rcInner = {rc.left + 1, rc.top + dy + 1, rc.left + w + 3, rc.top + dy + h + 3};
    const int x = rc.left + 2;
    const int y = rc.top + dy + 2;

    FrameColour(hDC, rcInner, crMenu);
    if (bGrayed)
    {
        FrameColour(hDC, rcBox, crMenu);
        DrawEmbossedImage(hDC, pItem, x, y);
        return;
    }
    if (bSelected)
    {
        FillColour(hDC, rcInner, crMenu);
        if (bNewShell)
        {
            if (bChecked)
                Frame3D(hDC, rcBox, crShadow, crHilight);
            else
                Frame3D(hDC, rcBox, crHilight, crShadow);
        }
    }
    else if (bChecked)
    {
        FillColour(hDC, rcInner, ::GetSysColor(COLOR_3DLIGHT));
        if (bNewShell)
            Frame3D(hDC, rcBox, crShadow, crHilight);
    }
    else
    {
        FillColour(hDC, rcInner, crMenu);
        FrameColour(hDC, rcBox, crMenu);
    }
    ImageList_Draw(pItem->pImageList->m_hImageList, pItem->nImageIndex, hDC, x, y,
                   ILD_TRANSPARENT);
}

// The image's shape (its pixels that are neither button face, highlight nor
// the menu colour behind it) in highlight one pixel right and down, and in
// shadow at its place.
void COwnerDrawMenu::DrawEmbossedImage(HDC hDC, const OwnerDrawItem* pItem, int x, int y)
{
    const int w = m_nImageWidth;
    const int h = m_nImageHeight;
    const COLORREF crMenu = ::GetSysColor(COLOR_MENU);
    const COLORREF crFace = ::GetSysColor(COLOR_BTNFACE);
    const COLORREF crHilight = ::GetSysColor(COLOR_3DHILIGHT);

    void* pBits = NULL;
    CScopedGdiObject dib(CreateTopDownDib(hDC, w, h, &pBits));
    CScopedMemoryDC memDC(hDC);
    if (dib.Get() == NULL || pBits == NULL || memDC.Get() == NULL)
        return;
    std::vector<bool> shape((size_t)(w * h), false);
    {
        CScopedSelectObject select(memDC.Get(), dib.Get());
        FillColour(memDC, {0, 0, w, h}, crMenu);
        ImageList_Draw(pItem->pImageList->m_hImageList, pItem->nImageIndex, memDC, 0, 0,
                       ILD_TRANSPARENT);
        ::GdiFlush();
        const DWORD* pPixels = (const DWORD*)pBits;
        for (int i = 0; i < w * h; ++i)
        {
            COLORREF cr = PixelColour(pPixels[i]);
            shape[(size_t)i] = cr != crFace && cr != crHilight && cr != crMenu;
        }
    }

    FillColour(hDC, {x, y, x + w, y + h}, AfxIsNewShellKind(AfxGetOsKind()) ? crFace : crMenu);
    for (int pass = 0; pass < 2; ++pass)
    {
        int nShift = pass == 0 ? 1 : 0;
        COLORREF cr = pass == 0 ? crHilight : ::GetSysColor(COLOR_3DSHADOW);
        for (int row = 0; row < h; ++row)
            for (int col = 0; col < w; ++col)
                if (shape[(size_t)(row * w + col)])
                    ::SetPixelV(hDC, x + col + nShift, y + row + nShift, cr);
    }
}

void COwnerDrawMenu::DrawCheckBox(HDC hDC, const RECT& rc, int dy, UINT nState, BOOL bRadio)
{
    const BOOL bNewShell = AfxIsNewShellKind(AfxGetOsKind());
    const RECT rcBox = {rc.left + 1, rc.top + dy + 2, rc.left + m_nImageWidth + 1,
                        rc.top + dy + m_nImageHeight + 2};
    COLORREF crFill = ::GetSysColor(COLOR_MENU);
    if (!(nState & ODS_SELECTED) && bNewShell)
        crFill = ::GetSysColor(COLOR_3DLIGHT);
    FillColour(hDC, rcBox, crFill);
    if (bNewShell)
    {
        RECT rcEdge = rcBox;
        ::DrawEdge(hDC, &rcEdge, BDR_SUNKENOUTER, BF_RECT);
    }

    const COLORREF crMark = ::GetSysColor(COLOR_MENUTEXT);
    if (bRadio)
    {
        CScopedGdiObject pen(::CreatePen(PS_SOLID, 1, crMark));
        CScopedGdiObject brush(::CreateSolidBrush(crMark));
        CScopedSelectObject selectPen(hDC, pen.Get());
        CScopedSelectObject selectBrush(hDC, brush.Get());
        ::Ellipse(hDC, rcBox.left + 5, rcBox.top + 4, rcBox.left + 11, rcBox.top + 10);
        return;
    }
    // Three pixels a column, down four columns and up three.
    static const int kFirstRow[7] = {2, 3, 4, 3, 2, 1, 0};
    const int x = rcBox.left + 4;
    const int y = rcBox.top + 4;
    for (int col = 0; col < 7; ++col)
        for (int row = kFirstRow[col]; row < kFirstRow[col] + 3; ++row)
            ::SetPixelV(hDC, x + col, y + row, crMark);
}

void COwnerDrawMenu::DrawItemText(HDC hDC, const CString& strText, const RECT& rc, UINT nState,
                                  COLORREF crText)
{
    RECT rcText = {rc.left + m_nImageWidth + 9, rc.top - 1, rc.right, rc.bottom - 1};
    CString strLabel = strText;
    CString strAccel;
    int nFirstTab = strText.Find('\t');
    if (nFirstTab >= 0)
    {
        strLabel = strText.Left(nFirstTab);
        strAccel = strText.Mid(strText.ReverseFind('\t') + 1);
        rcText.right -= m_nImageWidth;
    }

    CScopedGdiObject font(CreateMenuFont());
    CScopedSelectObject selectFont(hDC, font.Get());
    ::SetBkMode(hDC, TRANSPARENT);
    auto drawBoth = [&](const RECT& rcPart, COLORREF cr) {
        RECT r = rcPart;
        ::SetTextColor(hDC, cr);
        ::DrawTextA(hDC, strLabel, strLabel.GetLength(), &r,
                    DT_SINGLELINE | DT_VCENTER | DT_LEFT);
        if (!strAccel.IsEmpty())
            ::DrawTextA(hDC, strAccel, strAccel.GetLength(), &r,
                        DT_SINGLELINE | DT_VCENTER | DT_RIGHT);
    };
    const BOOL bGrayed = (nState & ODS_GRAYED) != 0;
    const BOOL bSelected = (nState & ODS_SELECTED) != 0;
    if (bGrayed && !bSelected)
    {
        RECT rcShifted = rcText;
        ::OffsetRect(&rcShifted, 1, 1);
        drawBoth(rcShifted, ::GetSysColor(COLOR_3DHILIGHT));
        drawBoth(rcText, ::GetSysColor(COLOR_GRAYTEXT));
    }
    else if (bGrayed)
    {
        drawBoth(rcText, ::GetSysColor(COLOR_MENU));
    }
    else
    {
        drawBoth(rcText, crText);
    }
}
