#include "shell/ColourGridPopup.h"

#include "framework/windows/ScopedGdi.h"

void CColourGridPopup::DrawCell(CDC* pDC, int nIndex)
{
    if (nIndex == COLOUR_CELL_CUSTOM || nIndex == COLOUR_CELL_DEFAULT)
        DrawButton(pDC, nIndex);
    else if (nIndex >= 0 && nIndex < m_nNumColours)
        DrawColourCell(pDC, nIndex);
}

void CColourGridPopup::DrawColourCell(CDC* pDC, int nIndex)
{
    CRect rc;
    if (!GetCellRect(nIndex, &rc))
        return;
    CPalette* pOldPalette = NULL;
    if (pDC->GetDeviceCaps(RASTERCAPS) & RC_PALETTE)
    {
        pOldPalette = pDC->SelectPalette(&m_Palette, FALSE);
        pDC->RealizePalette();
    }

    BOOL bChosen = m_nChosenColourSel == nIndex;
    BOOL bCurrent = m_nCurrentSel == nIndex;
    pDC->FillSolidRect(&rc, ::GetSysColor(bChosen && !bCurrent ? COLOR_3DHILIGHT : COLOR_3DFACE));
    if (bCurrent)
        pDC->DrawEdge(&rc, EDGE_RAISED, BF_RECT);
    else if (bChosen)
        pDC->DrawEdge(&rc, EDGE_SUNKEN, BF_RECT);

    COLORREF cr = g_colourTable[nIndex].crColour;
    CBrush brush;
    CPen pen;
    if (brush.CreateSolidBrush(PALETTERGB(GetRValue(cr), GetGValue(cr), GetBValue(cr)))
        && pen.CreatePen(PS_SOLID, 1, ::GetSysColor(COLOR_3DSHADOW)))
    {
        CScopedSelectObject selectBrush(*pDC, brush);
        CScopedSelectObject selectPen(*pDC, pen);
        rc.DeflateRect(m_nMargin + 1, m_nMargin + 1);
        pDC->Rectangle(&rc);
    }
    if (pOldPalette != NULL)
        pDC->SelectPalette(pOldPalette, FALSE);
}

void CColourGridPopup::DrawButton(CDC* pDC, int nIndex)
{
    BOOL bDefault = nIndex == COLOUR_CELL_DEFAULT;
    if (bDefault ? !HasDefault() : !HasCustom())
        return;
    CRect rc = bDefault ? m_DefaultTextRect : m_CustomTextRect;
    COLORREF crFace = ::GetSysColor(COLOR_3DFACE);
    if (bDefault)
        pDC->FillSolidRect(&rc, crFace);
    else
    {
        CRect rcFill(rc.left, rc.top + 2 * m_nMargin, rc.right, rc.bottom);
        pDC->FillSolidRect(&rcFill, crFace);
        // The etched line that parts the button from the grid.
        int cx = rc.Width() - 4 * m_nMargin;
        pDC->FillSolidRect(rc.left + 2 * m_nMargin, rc.top, cx, 1, ::GetSysColor(COLOR_3DSHADOW));
        pDC->FillSolidRect(rc.left + 2 * m_nMargin, rc.top + 1, cx, 1,
                           ::GetSysColor(COLOR_3DHILIGHT));
    }

    rc.DeflateRect(1, 1);
    BOOL bChosen = m_nChosenColourSel == nIndex;
    BOOL bCurrent = m_nCurrentSel == nIndex;
    pDC->FillSolidRect(&rc, bChosen && !bCurrent ? ::GetSysColor(COLOR_3DLIGHT) : crFace);
    if (bDefault)
    {
        CRect rcInner = rc;
        rcInner.DeflateRect(2 * m_nMargin, 2 * m_nMargin);
        CPen pen;
        if (pen.CreatePen(PS_SOLID, 1, ::GetSysColor(COLOR_3DSHADOW)))
        {
            CScopedSelectObject selectPen(*pDC, pen);
            CScopedSelectObject selectBrush(pDC->m_hDC, ::GetStockObject(NULL_BRUSH));
            pDC->Rectangle(&rcInner);
        }
    }
    if (bCurrent)
        pDC->DrawEdge(&rc, EDGE_RAISED, BF_RECT);
    else if (bChosen)
        pDC->DrawEdge(&rc, EDGE_SUNKEN, BF_RECT);

    CScopedSelectObject selectFont(*pDC, m_Font);
    int nOldMode = pDC->SetBkMode(TRANSPARENT);
    pDC->DrawText(bDefault ? m_strDefaultText : m_strCustomText, &rc,
                  DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    pDC->SetBkMode(nOldMode);
}
