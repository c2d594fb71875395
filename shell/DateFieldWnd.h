// CDateFieldWnd: the report-period field, a one-line read-only box with a
// drop-down button that shows a period code as text and opens the drop-down
// calendar on a click.
#pragma once

#include "framework/core/WideText.h"
#include "framework/windows/Wnd.h"
#include "sheet/PeriodText.h"

class CDateDropDownWnd;

// Messages between the field, its drop-down and the field's parent; lParam
// is 0 in all three.
// Field to its open drop-down (sent) when the button is released over the
// field: the drop-down takes the mouse capture.
const UINT WM_DATEDROP_CAPTURE = 0x0BCF;
// Drop-down to its field (posted, wParam 0) when the drop-down is
// destroyed; then field to its parent (posted, wParam the control id): the
// parent reads the field again.
const UINT WM_DATEDROP_CLOSED = 0x0BD0;
// Field to its parent (sent, wParam the control id) on every press, before
// the drop-down opens.
const UINT WM_DATEDROP_OPENING = 0x0BD1;

class CDateFieldWnd : public CWnd
{
public:
    CDateFieldWnd();
    ~CDateFieldWnd() override;

    // Creates the field as a visible child; a height outside 20..25 is
    // brought to the nearer limit about the same centre.
    BOOL Create(const RECT& rect, CWnd* pParent, UINT nID, LPVOID lpParam = NULL);
    // The rectangle Create gives a field asked for at rect.
    static CRect CorrectHeight(const RECT& rect);

    // Sets type and numeral style; the code becomes today's of the type and
    // the text is emptied until SetCode.
    void SetPeriodType(int nType, int nStyle);
    void SetCode(const char* lpszCode, int* pnType = NULL, int* pnStyle = NULL);
    CString GetCode() const { return m_strCode; }
    CString GetText() const { return m_strText; }
    // The text as the field draws it, in UTF-16 from the period type's code
    // page: the same characters on any system code page.
    CWideText GetDisplayText() const;
    void GetPeriodType(int* pnType, int* pnStyle) const;

    // The open drop-down, or NULL.
    CDateDropDownWnd* GetDropDown() const { return m_pDropDown; }
    // Called by a drop-down that is being destroyed.
    void ForgetDropDown(CDateDropDownWnd* pDropDown);

protected:
    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    void OnDestroy();
    void OnPaint();
    void OnEnable(BOOL bEnable);
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnLButtonUp(UINT nFlags, CPoint point);
    void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized);
    void OnActivateApp(BOOL bActive, DWORD dwThreadID);
    LRESULT OnDropDownClosed(WPARAM wParam, LPARAM lParam);

    DECLARE_MESSAGE_MAP()

private:
    void Draw(CDC& dc);
    void DrawArrow(CDC& dc, int cx, int cy, BOOL bDisabled);
    void DrawPressedButton();
    void CloseDropDown();

    CWnd* m_pParent;
    UINT m_nControlId;
    CDateDropDownWnd* m_pDropDown;
    int m_nPeriodType;
    int m_nNumeralStyle;
    CString m_strCode;
    CString m_strText;
    CBrush m_brush;
    CRect m_rcText;
    CRect m_rcButton;
    CFont m_font;
    CFont m_fontChinese;
    BOOL m_bButtonPressed;
    BOOL m_bDisabled;
};
