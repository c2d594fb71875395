// CCellEditBox: the one-line in-place editor of Text and numeric cells.
// It lies over the cell as child IDC_CELL_EDITOR of the view, reports to
// the view through CellEditNotify records and deletes itself once its
// window is destroyed.
#pragma once

#include "framework/windows/Edit.h"
#include "framework/windows/GdiObject.h"

// Places caret and selection in an editor's edit by the key that opened it,
// and types that key when it is a character (CellEditRules.h).
void ApplyEditStartKey(CEdit& edit, int nKey, BOOL bChoiceList);

class CCellEditBox : public CEdit
{
public:
    // Creates the window at once (alignment ES_LEFT, ES_CENTER or
    // ES_RIGHT), takes the focus and applies the start key.  The editor owns
    // pFont from here on.  When creation fails the object has no window and
    // the caller deletes it.
    CCellEditBox(CWnd* pParent, const RECT& rect, DWORD dwAlignStyle, UINT nID, int nCell,
                 CString strText, CFont* pFont, COLORREF crText, COLORREF crBack,
                 int nStartKey, BOOL bNumeric);
    ~CCellEditBox() override;

    BOOL PreTranslateMessage(MSG* pMsg) override;

    int GetCellIndex() const { return m_nCell; }
    int GetLastKey() const { return m_nLastKey; }

protected:
    void PostNcDestroy() override;
    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    void OnKillFocus(CWnd* pNewWnd);
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnLButtonDblClk(UINT nFlags, CPoint point);
    HBRUSH CtlColor(CDC* pDC, UINT nCtlColor);
    LRESULT OnPaste(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    void Notify(UINT nCode);
    void Leave(UINT nKey);
    // Whether a press at this screen point completes a double click with
    // the press that opened the editor (which went to the view).
    BOOL IsSecondClickOfOpening(CPoint ptScreen) const;
    void ForwardDoubleClick(UINT nFlags, CPoint point);

    int m_nCell;
    CString m_strStart;
    int m_nLastKey;
    BOOL m_bNumeric;
    CFont* m_pFont;
    COLORREF m_crText;
    COLORREF m_crBack;
    CBrush m_brush;
    // The mouse press that opened the editor, when one did.
    BOOL m_bOpenedByClick;
    DWORD m_dwOpenTime;
    CPoint m_ptOpen;
};
