#include "shell/ColourGridPopup.h"

#include <string.h>

#include "framework/windows/ColorDialog.h"

BEGIN_MESSAGE_MAP(CColourGridPopup, CWnd)
    ON_WM_PAINT()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONUP()
    ON_WM_KEYDOWN()
    ON_WM_KILLFOCUS()
    ON_WM_ACTIVATEAPP()
    ON_WM_QUERYNEWPALETTE()
    ON_WM_PALETTECHANGED()
END_MESSAGE_MAP()

namespace {

const int kDefaultBoxSize = 18;

} // namespace

CColourGridPopup::CColourGridPopup(CPoint point, COLORREF crInitial, COLORREF crDefault,
                                   CWnd* pParentWnd, LPCSTR pszDefaultText,
                                   LPCSTR pszCustomText, BOOL bIgnoreFirstButtonUp)
    : m_nNumColours(COLOUR_TABLE_SIZE), m_nNumColumns(0), m_nNumRows(0),
      m_nBoxSize(kDefaultBoxSize), m_nMargin(::GetSystemMetrics(SM_CXEDGE)),
      m_nCurrentSel(COLOUR_CELL_NONE), m_nChosenColourSel(COLOUR_CELL_NONE),
      m_strDefaultText(pszDefaultText), m_strCustomText(pszCustomText),
      m_crInitialColour(crInitial), m_crColour(crInitial), m_crDefaultColour(crDefault),
      m_hWndParent(pParentWnd->GetSafeHwnd()), m_bIgnoreFirstButtonUp(bIgnoreFirstButtonUp),
      m_bEnding(FALSE), m_pbAlive(NULL)
{
    if (m_nBoxSize - 2 * m_nMargin - 2 < 5)
        m_nBoxSize = 2 * m_nMargin + 7;

    NONCLIENTMETRICSA ncm;
    memset(&ncm, 0, sizeof(ncm));
    ncm.cbSize = sizeof(ncm);
    if (::SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof(ncm), &ncm, 0))
        m_Font.CreateFontIndirect(&ncm.lfMessageFont);

    struct
    {
        LOGPALETTE header;
        PALETTEENTRY entries[COLOUR_TABLE_SIZE - 1];
    } palette;
    palette.header.palVersion = 0x300;
    palette.header.palNumEntries = (WORD)m_nNumColours;
    PALETTEENTRY* pEntries = palette.header.palPalEntry;
    for (int i = 0; i < m_nNumColours; ++i)
    {
        pEntries[i].peRed = GetRValue(g_colourTable[i].crColour);
        pEntries[i].peGreen = GetGValue(g_colourTable[i].crColour);
        pEntries[i].peBlue = GetBValue(g_colourTable[i].crColour);
        pEntries[i].peFlags = 0;
    }
    m_Palette.CreatePalette(&palette.header);

    Create(point, crInitial, pParentWnd);
}

CColourGridPopup::~CColourGridPopup()
{
}

BOOL CColourGridPopup::Create(CPoint point, COLORREF crInitial, CWnd* pParentWnd)
{
    LPCSTR pszClass = AfxRegisterWndClass(CS_SAVEBITS | CS_CLASSDC | CS_HREDRAW | CS_VREDRAW, 0,
                                          (HBRUSH)::GetStockObject(LTGRAY_BRUSH), 0);
    if (!CreateEx(0, pszClass, "", WS_VISIBLE | WS_POPUP, point.x, point.y, 100, 100,
                  pParentWnd->GetSafeHwnd(), NULL))
        return FALSE;
    SetWindowSize();
    CreateToolTips();
    FindCellFromColour(crInitial);
    SetCapture();
    return TRUE;
}

int CColourGridPopup::GetIndex(int nRow, int nCol) const
{
    if ((nRow == COLOUR_CELL_CUSTOM || nCol == COLOUR_CELL_CUSTOM) && HasCustom())
        return COLOUR_CELL_CUSTOM;
    if ((nRow == COLOUR_CELL_DEFAULT || nCol == COLOUR_CELL_DEFAULT) && HasDefault())
        return COLOUR_CELL_DEFAULT;
    if (nRow < 0 || nCol < 0 || nRow >= m_nNumRows || nCol >= m_nNumColumns)
        return COLOUR_CELL_NONE;
    int nIndex = nRow * m_nNumColumns + nCol;
    return nIndex < m_nNumColours ? nIndex : COLOUR_CELL_NONE;
}

BOOL CColourGridPopup::IsButtonCode(int nIndex) const
{
    return (nIndex == COLOUR_CELL_CUSTOM && HasCustom())
           || (nIndex == COLOUR_CELL_DEFAULT && HasDefault());
}

int CColourGridPopup::GetRow(int nIndex) const
{
    if (IsButtonCode(nIndex))
        return nIndex;
    if (nIndex < 0 || nIndex >= m_nNumColours || m_nNumColumns == 0)
        return COLOUR_CELL_NONE;
    return nIndex / m_nNumColumns;
}

int CColourGridPopup::GetColumn(int nIndex) const
{
    return IsButtonCode(nIndex) || GetRow(nIndex) == COLOUR_CELL_NONE ? GetRow(nIndex)
                                                                       : nIndex % m_nNumColumns;
}

void CColourGridPopup::FindCellFromColour(COLORREF crColour)
{
    if (crColour == m_crDefaultColour && HasDefault())
    {
        m_nChosenColourSel = COLOUR_CELL_DEFAULT;
        return;
    }
    for (int i = 0; i < m_nNumColours; ++i)
        if (g_colourTable[i].crColour == crColour)
        {
            m_nChosenColourSel = i;
            return;
        }
    m_nChosenColourSel = HasCustom() ? COLOUR_CELL_CUSTOM : COLOUR_CELL_NONE;
}

BOOL CColourGridPopup::GetCellRect(int nIndex, LPRECT lpRect) const
{
    if (nIndex == COLOUR_CELL_CUSTOM)
    {
        *lpRect = m_CustomTextRect;
        return TRUE;
    }
    if (nIndex == COLOUR_CELL_DEFAULT)
    {
        *lpRect = m_DefaultTextRect;
        return TRUE;
    }
    if (nIndex < 0 || nIndex >= m_nNumColours || m_nNumColumns == 0)
        return FALSE;
    lpRect->left = GetColumn(nIndex) * m_nBoxSize + m_nMargin;
    lpRect->top = GetRow(nIndex) * m_nBoxSize + m_nMargin;
    if (HasDefault())
        lpRect->top += m_DefaultTextRect.Height() + m_nMargin;
    lpRect->right = lpRect->left + m_nBoxSize;
    lpRect->bottom = lpRect->top + m_nBoxSize;
    return TRUE;
}

void CColourGridPopup::SetWindowSize()
{
    CSize sizeText(0, 0);
    if (HasDefault() || HasCustom())
    {
        CClientDC dc(this);
        CFont* pOldFont = dc.SelectObject(&m_Font);
        CSize sizeDefault = HasDefault() ? dc.GetTextExtent(m_strDefaultText) : CSize(0, 0);
        CSize sizeCustom = HasCustom() ? dc.GetTextExtent(m_strCustomText) : CSize(0, 0);
        if (pOldFont != NULL)
            dc.SelectObject(pOldFont);
        sizeText.cx = sizeDefault.cx > sizeCustom.cx ? sizeDefault.cx : sizeCustom.cx;
        sizeText.cy = sizeDefault.cy > sizeCustom.cy ? sizeDefault.cy : sizeCustom.cy;
    }
    int cxButton = sizeText.cx + 2 * m_nMargin;
    int cyButton = sizeText.cy + 4 * m_nMargin + 2;

    m_nNumColumns = 8;
    m_nNumRows = (m_nNumColours + m_nNumColumns - 1) / m_nNumColumns;
    CRect rcWindow;
    GetWindowRect(&rcWindow);
    m_WindowRect.SetRect(rcWindow.left, rcWindow.top,
                         rcWindow.left + m_nNumColumns * m_nBoxSize + 2 * m_nMargin,
                         rcWindow.top + m_nNumRows * m_nBoxSize + 2 * m_nMargin);
    if (HasDefault())
    {
        if (cxButton > m_WindowRect.Width())
            m_WindowRect.right = m_WindowRect.left + cxButton;
        m_DefaultTextRect.SetRect(m_nMargin, m_nMargin, m_WindowRect.Width() - m_nMargin,
                                  2 * m_nMargin + cyButton);
        m_WindowRect.bottom += m_DefaultTextRect.Height() + 2 * m_nMargin;
    }
    if (HasCustom())
    {
        if (cxButton > m_WindowRect.Width())
            m_WindowRect.right = m_WindowRect.left + cxButton;
        int y = m_WindowRect.Height();
        m_CustomTextRect.SetRect(m_nMargin, y, m_WindowRect.Width() - m_nMargin,
                                 y + m_nMargin + cyButton);
        m_WindowRect.bottom += m_CustomTextRect.Height() + 2 * m_nMargin;
    }

    int cxScreen = ::GetSystemMetrics(SM_CXSCREEN);
    int cyScreen = ::GetSystemMetrics(SM_CYSCREEN);
    if (m_WindowRect.right > cxScreen)
        m_WindowRect.OffsetRect(-(m_WindowRect.right - cxScreen), 0);
    if (m_WindowRect.left < 0)
        m_WindowRect.OffsetRect(-m_WindowRect.left, 0);
    if (m_WindowRect.bottom > cyScreen)
    {
        // Open above the opener instead of off the bottom of the screen.
        CRect rcParent(0, 0, 0, 0);
        if (::IsWindow(m_hWndParent))
            ::GetWindowRect(m_hWndParent, &rcParent);
        m_WindowRect.OffsetRect(0, -(m_WindowRect.Height() + rcParent.Height()));
    }
    MoveWindow(&m_WindowRect, TRUE);
}

void CColourGridPopup::CreateToolTips()
{
    if (!m_ToolTip.Create(this))
        return;
    for (int i = 0; i < m_nNumColours; ++i)
    {
        CRect rc;
        if (GetCellRect(i, &rc))
            m_ToolTip.AddTool(this, g_colourTable[i].pszName, &rc, (UINT_PTR)(i + 1));
    }
}

BOOL CColourGridPopup::PreTranslateMessage(MSG* pMsg)
{
    if (m_ToolTip.GetSafeHwnd() != NULL)
        m_ToolTip.RelayEvent(pMsg);
    return CWnd::PreTranslateMessage(pMsg);
}

void CColourGridPopup::OnMouseMove(UINT nFlags, CPoint point)
{
    point.x -= m_nMargin;
    point.y -= m_nMargin;
    int nNewSel = COLOUR_CELL_NONE;
    if (HasCustom() && m_CustomTextRect.PtInRect(point))
        nNewSel = COLOUR_CELL_CUSTOM;
    else if (HasDefault() && m_DefaultTextRect.PtInRect(point))
        nNewSel = COLOUR_CELL_DEFAULT;
    else
    {
        if (HasDefault())
            point.y -= m_DefaultTextRect.Height();
        if (point.x >= 0 && point.y >= 0)
            nNewSel = GetIndex(point.y / m_nBoxSize, point.x / m_nBoxSize);
        if (nNewSel == COLOUR_CELL_NONE)
        {
            CWnd::OnMouseMove(nFlags, point);
            return;
        }
    }
    if (nNewSel != m_nCurrentSel)
        ChangeSelection(nNewSel);
    CWnd::OnMouseMove(nFlags, point);
}

void CColourGridPopup::OnLButtonUp(UINT nFlags, CPoint point)
{
    if (m_bIgnoreFirstButtonUp)
    {
        m_bIgnoreFirstButtonUp = FALSE;
        CWnd::OnLButtonUp(nFlags, point);
        return;
    }
    CPoint ptScreen = point;
    ClientToScreen(&ptScreen);
    EndSelection(m_WindowRect.PtInRect(ptScreen) ? WM_COLOUR_SELENDOK : WM_COLOUR_SELENDCANCEL);
}

int CColourGridPopup::NextCell(UINT nChar) const
{
    int nRow = GetRow(m_nCurrentSel);
    int nCol = GetColumn(m_nCurrentSel);
    // With no current cell an arrow starts at the first colour.
    if (nRow == COLOUR_CELL_NONE)
        return 0;
    // Where a move leaves the grid or starts from its first cell.
    int nOutside = HasCustom() ? COLOUR_CELL_CUSTOM : HasDefault() ? COLOUR_CELL_DEFAULT : 0;
    int nBefore = HasDefault() ? COLOUR_CELL_DEFAULT : HasCustom() ? COLOUR_CELL_CUSTOM : LastCell();
    switch (nChar)
    {
    case VK_DOWN:
        if (nRow == COLOUR_CELL_DEFAULT)
            return 0;
        if (nRow == COLOUR_CELL_CUSTOM)
            return HasDefault() ? COLOUR_CELL_DEFAULT : 0;
        return GetIndex(nRow + 1, nCol) == COLOUR_CELL_NONE ? nOutside : GetIndex(nRow + 1, nCol);
    case VK_UP:
        if (nRow == COLOUR_CELL_DEFAULT)
            return HasCustom() ? COLOUR_CELL_CUSTOM : LastCell();
        if (nRow == COLOUR_CELL_CUSTOM)
            return LastCell();
        return nRow > 0 ? GetIndex(nRow - 1, nCol) : nBefore;
    case VK_RIGHT:
        if (nRow == COLOUR_CELL_DEFAULT)
            return 0;
        if (nRow == COLOUR_CELL_CUSTOM)
            return HasDefault() ? COLOUR_CELL_DEFAULT : 0;
        if (++nCol == m_nNumColumns)
        {
            nCol = 0;
            ++nRow;
        }
        return GetIndex(nRow, nCol) == COLOUR_CELL_NONE ? nOutside : GetIndex(nRow, nCol);
    case VK_LEFT:
        if (nRow == COLOUR_CELL_DEFAULT)
            return HasCustom() ? COLOUR_CELL_CUSTOM : LastCell();
        if (nRow == COLOUR_CELL_CUSTOM)
            return LastCell();
        if (nRow == 0 && nCol == 0)
            return nBefore;
        if (--nCol < 0)
        {
            nCol = m_nNumColumns - 1;
            --nRow;
        }
        return GetIndex(nRow, nCol);
    default:
        return m_nCurrentSel;
    }
}

void CColourGridPopup::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    switch (nChar)
    {
    case VK_DOWN:
    case VK_UP:
    case VK_RIGHT:
    case VK_LEFT:
        ChangeSelection(NextCell(nChar));
        return;
    case VK_ESCAPE:
        m_crColour = m_crInitialColour;
        EndSelection(WM_COLOUR_SELENDCANCEL);
        return;
    case VK_RETURN:
    case VK_SPACE:
        EndSelection(WM_COLOUR_SELENDOK);
        return;
    default:
        CWnd::OnKeyDown(nChar, nRepCnt, nFlags);
    }
}

void CColourGridPopup::OnKillFocus(CWnd* pNewWnd)
{
    CWnd::OnKillFocus(pNewWnd);
    ReleaseCapture();
}

void CColourGridPopup::OnActivateApp(BOOL bActive, DWORD dwThreadID)
{
    CWnd::OnActivateApp(bActive, dwThreadID);
    if (!bActive)
        EndSelection(WM_COLOUR_SELENDCANCEL);
}

void CColourGridPopup::ChangeSelection(int nIndex)
{
    // Anything past the colour cells is the custom button.
    if (nIndex >= m_nNumColours)
        nIndex = COLOUR_CELL_CUSTOM;

    CClientDC dc(this);
    int nOld = m_nCurrentSel;
    if ((nOld >= 0 && nOld < m_nNumColours) || IsButtonCode(nOld))
    {
        m_nCurrentSel = COLOUR_CELL_NONE;
        DrawCell(&dc, nOld);
    }
    m_nCurrentSel = nIndex;
    DrawCell(&dc, m_nCurrentSel);

    COLORREF crReport;
    if (m_nCurrentSel == COLOUR_CELL_CUSTOM)
        crReport = m_crInitialColour;
    else if (m_nCurrentSel == COLOUR_CELL_DEFAULT)
        crReport = m_crColour = m_crDefaultColour;
    else if (m_nCurrentSel >= 0)
        crReport = m_crColour = g_colourTable[m_nCurrentSel].crColour;
    else
        return;
    ::SendMessageA(m_hWndParent, WM_COLOUR_SELCHANGE, (WPARAM)crReport, 0);
}

void CColourGridPopup::EndSelection(int nMessage)
{
    if (m_bEnding)
        return;
    m_bEnding = TRUE;
    ReleaseCapture();

    if (nMessage == WM_COLOUR_SELENDCANCEL)
        m_crColour = m_crInitialColour;
    else if (m_nCurrentSel == COLOUR_CELL_CUSTOM)
    {
        BOOL bAlive = TRUE;
        m_pbAlive = &bAlive;
        CColorDialog dlg(m_crInitialColour, CC_FULLOPEN | CC_ANYCOLOR, this);
        INT_PTR nResult = dlg.DoModal();
        // The window, and with it this object, went while the dialog ran.
        if (!bAlive)
            return;
        m_pbAlive = NULL;
        if (nResult == IDOK)
            m_crColour = dlg.GetColor();
        else
        {
            // Cancelling the dialog cancels the choice.
            m_crColour = m_crInitialColour;
            nMessage = WM_COLOUR_SELENDCANCEL;
        }
    }

    ::SendMessageA(m_hWndParent, (UINT)nMessage, (WPARAM)m_crColour, 0);
    DestroyWindow();
}

void CColourGridPopup::OnPaint()
{
    CPaintDC dc(this);
    if (HasDefault())
        DrawCell(&dc, COLOUR_CELL_DEFAULT);
    for (int i = 0; i < m_nNumColours; ++i)
        DrawCell(&dc, i);
    if (HasCustom())
        DrawCell(&dc, COLOUR_CELL_CUSTOM);
    CRect rc;
    GetClientRect(&rc);
    dc.DrawEdge(&rc, EDGE_RAISED, BF_RECT);
}

BOOL CColourGridPopup::OnQueryNewPalette()
{
    Invalidate();
    return (BOOL)Default();
}

void CColourGridPopup::OnPaletteChanged(CWnd* pFocusWnd)
{
    CWnd::OnPaletteChanged(pFocusWnd);
    if (pFocusWnd == NULL || pFocusWnd->GetSafeHwnd() != m_hWnd)
        Invalidate();
}

void CColourGridPopup::PostNcDestroy()
{
    if (m_pbAlive != NULL)
        *m_pbAlive = FALSE;
    delete this;
}
