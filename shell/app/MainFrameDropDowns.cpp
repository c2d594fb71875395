// The main frame's drop-down buttons: Design/Run on the Standard bar and
// the text and fill colours on the Format bar, with the colour bar their
// images carry.
#include "shell/app/MainFrame.h"

// The editor has neither drop-down.
#ifndef EDITOR_BUILD

#include <vector>

#include "framework/windows/Menu.h"
#include "framework/windows/ScopedGdi.h"
#include "shell/ColourGridPopup.h"
#include "shell/app/ActiveSheetView.h"
#include "sheet/Sheet.h"
#include "view/TallyformView.h"
#include "FormatBarIds.h"
#include "ShellIds.h"

namespace
{
const int kStandardModeButton = 22;
// The colour bar fills the image's lowest rows from this one down.
const int kColourBarTop = 12;

// The button's bottom-left corner in screen coordinates.
CPoint ButtonCorner(CToolBar& bar, UINT nID)
{
    CRect rect;
    bar.GetItemRect(bar.CommandToIndex(nID), &rect);
    bar.ClientToScreen(&rect);
    return CPoint(rect.left, rect.bottom);
}

void MakeDropDown(CToolBar& bar, UINT nID)
{
    int nIndex = bar.CommandToIndex(nID);
    if (nIndex >= 0)
        bar.SetButtonStyle(nIndex, bar.GetButtonStyle(nIndex) | TBBS_DROPDOWN);
}

// A palette of the system palette's first 255 entries, for a palette display.
HPALETTE SystemPalette(HDC hDC)
{
    const int nEntries = 255;
    std::vector<BYTE> buffer(sizeof(LOGPALETTE) + nEntries * sizeof(PALETTEENTRY));
    LOGPALETTE* pPalette = reinterpret_cast<LOGPALETTE*>(buffer.data());
    pPalette->palVersion = 0x300;
    pPalette->palNumEntries =
        (WORD)::GetSystemPaletteEntries(hDC, 0, nEntries, pPalette->palPalEntry);
    return pPalette->palNumEntries != 0 ? ::CreatePalette(pPalette) : NULL;
}
} // namespace

void CMainFrame::AddDropDownArrows()
{
    m_wndToolBar.GetToolBarCtrl().SetExtendedStyle(TBSTYLE_EX_DRAWDDARROWS);
    MakeDropDown(m_wndToolBar, ID_VIEW_RUN_MODE);
    m_wndFormatBar.GetToolBarCtrl().SetExtendedStyle(TBSTYLE_EX_DRAWDDARROWS);
    MakeDropDown(m_wndFormatBar, ID_FORMAT_BACK_COLOR);
    MakeDropDown(m_wndFormatBar, ID_FORMAT_TEXT_COLOR);
}

void CMainFrame::SetModeButton(UINT nID, int nImage)
{
    if (m_wndToolBar.m_hWnd == NULL || m_wndToolBar.GetCount() <= kStandardModeButton)
        return;
    UINT nStyle = m_wndToolBar.GetButtonStyle(kStandardModeButton) | TBBS_DROPDOWN;
    m_wndToolBar.SetButtonInfo(kStandardModeButton, nID, nStyle, nImage);
}

void CMainFrame::OnStandardBarDropDown(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = TBDDRET_DEFAULT;
    const NMTOOLBARA* pInfo = reinterpret_cast<const NMTOOLBARA*>(pNMHDR);
    if (pInfo->hdr.hwndFrom != m_wndToolBar.m_hWnd)
        return;
    CTallyformView* pView = GetActiveSheetView(this);
    CSheet* pSheet = pView != NULL ? pView->GetSheet() : NULL;
    if (pSheet == NULL || !m_menuMode.LoadMenu(IDR_MODE_MENU))
        return;
    m_menuMode.ModifyODMenu((LPCSTR)NULL, ID_VIEW_DESIGN_MODE, IDR_MAINFRAME);
    m_menuMode.ModifyODMenu((LPCSTR)NULL, ID_VIEW_RUN_MODE, IDR_MAINFRAME);
    m_menuMode.LoadToolbar(IDR_MAINFRAME);
    BOOL bDesign = pSheet->m_bDesignMode;
    m_menuMode.CheckMenuItem(ID_VIEW_DESIGN_MODE,
                             MF_BYCOMMAND | (bDesign ? MF_CHECKED : MF_UNCHECKED));
    m_menuMode.CheckMenuItem(ID_VIEW_RUN_MODE,
                             MF_BYCOMMAND | (bDesign ? MF_UNCHECKED : MF_CHECKED));
    CPoint point = ButtonCorner(m_wndToolBar, bDesign ? ID_VIEW_RUN_MODE : ID_VIEW_DESIGN_MODE);
    if (CMenu* pPopup = m_menuMode.GetSubMenu(0))
        pPopup->TrackPopupMenu(TPM_RIGHTBUTTON, point.x, point.y, this);
    m_menuMode.DestroyMenu();
}

void CMainFrame::OnFormatBarDropDown(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = TBDDRET_DEFAULT;
    const NMTOOLBARA* pInfo = reinterpret_cast<const NMTOOLBARA*>(pNMHDR);
    if (GetActiveSheetView(this) == NULL)
        return;
    UINT nID = (UINT)pInfo->iItem;
    if (nID != ID_FORMAT_TEXT_COLOR && nID != ID_FORMAT_BACK_COLOR)
        return;
    m_bFontPopup = nID == ID_FORMAT_TEXT_COLOR;
    CPoint point = ButtonCorner(m_wndFormatBar, nID);
    // The popup deletes itself when its window goes.
    if (m_bFontPopup)
        new CColourGridPopup(point, m_crFont, RGB(0, 0, 0), this, "Default Font Color(Black)",
                             "Other Font Colors", TRUE);
    else
        new CColourGridPopup(point, m_crFill, RGB(255, 255, 255), this,
                             "Default Fill Color(White)", "Other Fill Colors", TRUE);
}

LRESULT CMainFrame::OnColourSelEndOk(WPARAM wParam, LPARAM)
{
    CTallyformView* pView = GetActiveSheetView(this);
    if (pView == NULL)
        return 0;
    COLORREF crColour = (COLORREF)wParam;
    UINT nID;
    if (m_bFontPopup)
    {
        m_crFont = crColour;
        SetColorButtonImage(IMAGE_FORMAT_TEXT_COLOR, crColour);
        pView->OnTextColor();
        nID = ID_FORMAT_TEXT_COLOR;
    }
    else
    {
        m_crFill = crColour;
        SetColorButtonImage(IMAGE_FORMAT_BACK_COLOR, crColour);
        pView->OnBackgroundColor();
        nID = ID_FORMAT_BACK_COLOR;
    }
    CRect rect;
    m_wndFormatBar.GetItemRect(m_wndFormatBar.CommandToIndex(nID), &rect);
    m_wndFormatBar.InvalidateRect(&rect, TRUE);
    m_wndFormatBar.UpdateWindow();
    return 0;
}

void CMainFrame::SetColorButtonImage(int nImage, COLORREF crColour)
{
    HIMAGELIST hImages = m_wndFormatBar.GetToolBarCtrl().GetImageList()->GetSafeHandle();
    int cx = 0, cy = 0;
    if (hImages == NULL || nImage < 0 || nImage >= ImageList_GetImageCount(hImages) ||
        !ImageList_GetIconSize(hImages, &cx, &cy))
        return;
    HDC hScreen = ::GetDC(NULL);
    CScopedMemoryDC memDC(hScreen);
    CScopedGdiObject palette((::GetDeviceCaps(hScreen, RASTERCAPS) & RC_PALETTE)
                                 ? SystemPalette(hScreen)
                                 : NULL);
    void* pWhiteBits = NULL;
    void* pImageBits = NULL;
    CScopedGdiObject overWhite(CreateTopDownDib(hScreen, cx, cy, &pWhiteBits));
    CScopedGdiObject image(CreateTopDownDib(hScreen, cx, cy, &pImageBits));
    ::ReleaseDC(NULL, hScreen);
    if (memDC.Get() == NULL || pWhiteBits == NULL || pImageBits == NULL)
        return;
    {
        CScopedSelectPalette selectPalette(memDC, (HPALETTE)palette.Get(), FALSE);
        if (palette.Get() != NULL)
            ::RealizePalette(memDC);
        RECT rcAll = { 0, 0, cx, cy };
        // The image over white and over black: where the two differ it is
        // transparent, and stays so.
        {
            CScopedSelectObject select(memDC, overWhite.Get());
            ::FillRect(memDC, &rcAll, (HBRUSH)::GetStockObject(WHITE_BRUSH));
            ImageList_Draw(hImages, nImage, memDC, 0, 0, ILD_TRANSPARENT);
        }
        CScopedSelectObject select(memDC, image.Get());
        ::FillRect(memDC, &rcAll, (HBRUSH)::GetStockObject(BLACK_BRUSH));
        ImageList_Draw(hImages, nImage, memDC, 0, 0, ILD_TRANSPARENT);

        // The colour bar over the lowest rows, always opaque.
        COLORREF crOutline = crColour == ::GetSysColor(COLOR_3DFACE) ? RGB(0, 0, 0) : crColour;
        CScopedGdiObject pen(::CreatePen(PS_SOLID, 1, crOutline));
        CScopedGdiObject brush(::CreateSolidBrush(crColour));
        CScopedSelectObject selectPen(memDC, pen.Get());
        CScopedSelectObject selectBrush(memDC, brush.Get());
        ::Rectangle(memDC, 0, kColourBarTop, 16, 16);
    }
    ::GdiFlush();

    // Transparent pixels are black with no alpha and set in the mask.
    const DWORD* pOverWhite = static_cast<const DWORD*>(pWhiteBits);
    DWORD* pImage = static_cast<DWORD*>(pImageBits);
    const int nMaskStride = ((cx + 15) / 16) * 2;
    std::vector<BYTE> maskBits((size_t)nMaskStride * cy, 0);
    for (int y = 0; y < cy; ++y)
        for (int x = 0; x < cx; ++x)
        {
            DWORD& dwPixel = pImage[y * cx + x];
            if (y < kColourBarTop && (dwPixel & 0xFFFFFF) != (pOverWhite[y * cx + x] & 0xFFFFFF))
            {
                dwPixel = 0;
                maskBits[(size_t)y * nMaskStride + x / 8] |= (BYTE)(0x80 >> (x % 8));
            }
            else
                dwPixel |= 0xFF000000;
        }
    CScopedGdiObject mask(::CreateBitmap(cx, cy, 1, 1, maskBits.data()));
    ImageList_Replace(hImages, nImage, (HBITMAP)image.Get(), (HBITMAP)mask.Get());
}
#endif
