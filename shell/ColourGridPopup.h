// CColourGridPopup: a borderless pop-up with the grid of 40 named colours,
// an optional default-colour button above it and an optional custom-colour
// button below it.  It holds the mouse capture, reports to its parent with
// the WM_COLOUR_ messages and deletes itself when its window goes.
#pragma once

#include "framework/windows/Wnd.h"
#include "framework/windows/GdiObject.h"
#include "framework/windows/ToolTipCtrl.h"
#include "shell/ColourMessages.h"
#include "shell/ColourTable.h"

// Cell indexes besides the colour cells 0..39.
enum
{
    COLOUR_CELL_NONE = -1,
    COLOUR_CELL_CUSTOM = -2,
    COLOUR_CELL_DEFAULT = -3
};

class CColourGridPopup : public CWnd
{
public:
    // Creates the window at (point) in screen coordinates and takes the
    // capture.  A NULL text hides that button.  With bIgnoreFirstButtonUp
    // the button-up that follows the opening button-down is ignored.
    CColourGridPopup(CPoint point, COLORREF crInitial, COLORREF crDefault, CWnd* pParentWnd,
                     LPCSTR pszDefaultText, LPCSTR pszCustomText, BOOL bIgnoreFirstButtonUp);

    BOOL Create(CPoint point, COLORREF crInitial, CWnd* pParentWnd);

    // Cell of a grid row and column (or of a button's code); COLOUR_CELL_NONE
    // outside the grid.
    int GetIndex(int nRow, int nCol) const;
    int GetRow(int nIndex) const;
    int GetColumn(int nIndex) const;
    // Marks the cell of a colour as the chosen one.
    void FindCellFromColour(COLORREF crColour);
    // The rectangle of a cell or button in client coordinates.
    BOOL GetCellRect(int nIndex, LPRECT lpRect) const;

    void ChangeSelection(int nIndex);
    void EndSelection(int nMessage);

    int GetCurrentCell() const { return m_nCurrentSel; }
    int GetChosenCell() const { return m_nChosenColourSel; }

    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    ~CColourGridPopup() override;
    void PostNcDestroy() override;

    void SetWindowSize();
    void CreateToolTips();
    void DrawCell(CDC* pDC, int nIndex);
    void DrawColourCell(CDC* pDC, int nIndex);
    void DrawButton(CDC* pDC, int nIndex);
    // Key navigation: the cell the arrow key leads to from the current one.
    int NextCell(UINT nChar) const;
    int LastCell() const { return COLOUR_TABLE_SIZE - 1; }
    BOOL HasDefault() const { return !m_strDefaultText.IsEmpty(); }
    BOOL HasCustom() const { return !m_strCustomText.IsEmpty(); }
    // TRUE for the code of a button the popup has.
    BOOL IsButtonCode(int nIndex) const;

    void OnPaint();
    void OnMouseMove(UINT nFlags, CPoint point);
    void OnLButtonUp(UINT nFlags, CPoint point);
    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    void OnKillFocus(CWnd* pNewWnd);
    void OnActivateApp(BOOL bActive, DWORD dwThreadID);
    BOOL OnQueryNewPalette();
    void OnPaletteChanged(CWnd* pFocusWnd);
    DECLARE_MESSAGE_MAP()

    int m_nNumColours;
    int m_nNumColumns;
    int m_nNumRows;
    int m_nBoxSize;
    int m_nMargin;
    int m_nCurrentSel;
    int m_nChosenColourSel;
    CString m_strDefaultText;
    CString m_strCustomText;
    CRect m_CustomTextRect;
    CRect m_DefaultTextRect;
    CRect m_WindowRect;
    CFont m_Font;
    CPalette m_Palette;
    COLORREF m_crInitialColour;
    COLORREF m_crColour;
    COLORREF m_crDefaultColour;
    CToolTipCtrl m_ToolTip;
    // The parent by handle: it may go while the colour dialog is open.
    HWND m_hWndParent;
    BOOL m_bIgnoreFirstButtonUp;
    // Set once the selection ends, so that an end arriving while the
    // colour dialog runs (deactivation) is not a second one.
    BOOL m_bEnding;
    // Points at a flag of the running EndSelection while the colour dialog
    // is open; cleared when the window is destroyed under it.
    BOOL* m_pbAlive;
};
