// CDateDropDownWnd: the drop-down calendar a report-period field opens
// under itself.  It shows one page of the field's period type, writes the
// picked period into the field and destroys itself, which deletes it.
#pragma once

#include "framework/windows/Wnd.h"
#include "shell/CalendarLayout.h"
#include "shell/PeriodCalendar.h"

class CDateFieldWnd;

class CDateDropDownWnd : public CWnd
{
    DECLARE_DYNCREATE(CDateDropDownWnd)
public:
    CDateDropDownWnd();
    ~CDateDropDownWnd() override;

    // Opens the popup for pField, whose window rectangle on the screen ends
    // at right and bottom.  On FALSE no window exists and the caller still
    // owns the object.
    BOOL Create(int right, int bottom, CDateFieldWnd* pField);
    // The 13-digit code of the period shown and selected.
    CString GetSelectedCode() const;
    // The field is going away: the popup no longer writes into it.
    void DetachField() { m_pField = NULL; }

    const CPeriodCalendar& GetCalendar() const { return m_calendar; }
    const CCalendarLayout& GetLayout() const { return m_layout; }
    // The text of a cell of the page, and the font the page draws with.
    CString GetCellLabel(int nIndex) const;
    HFONT GetPageFont() const { return (HFONT)(HGDIOBJ)m_font; }

protected:
    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    LRESULT OnTakeCapture(WPARAM wParam, LPARAM lParam);
    void OnPaint();
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnMouseMove(UINT nFlags, CPoint point);
    void OnTimer(UINT_PTR nIDEvent);
    void OnLButtonUp(UINT nFlags, CPoint point);
    void PostNcDestroy() override;

    DECLARE_MESSAGE_MAP()

private:
    // Painting (DateDropDownPaint.cpp).
    // Width of the widest and height of the tallest cell text or weekday
    // head of the page in its font.
    CSize MeasureTexts() const;
    void DrawHead(CDC& dc);
    void DrawArrowButton(CDC& dc, const CRect& rc, BOOL bLeft, BOOL bPressed);
    void DrawCells(CDC& dc);
    void DrawDayPage(CDC& dc);
    void DrawKeypad(CDC& dc);
    void DrawCellLabel(CDC& dc, const CRect& rc, LPCTSTR lpszLabel, BOOL bSelected,
                       BOOL bDayPage, int nTextColor);

    // The timer of the page's arrows: 0 day page, 2 ten-day page, 1 the others.
    UINT_PTR GetArrowTimer() const;
    // One arrow step for the arrow under the last mouse position.
    BOOL StepArrowUnderMouse();
    void InvalidateAfterStep();
    void MoveHotRect(CPoint point);
    void StopArrowTimers();
    void ReleaseKey(int nKey);
    // Writes the selected period into the field and closes the popup; the
    // object is deleted on return.
    void Commit();

    CDateFieldWnd* m_pField;
    HWND m_hWndField;
    int m_nHeight;
    int m_nWidth;
    int m_nPeriodType;
    int m_nNumeralStyle;
    CPeriodCalendar m_calendar;
    CCalendarLayout m_layout;
    CBrush m_windowBrush;
    CBrush m_highlightBrush;
    CFont m_font;
    BOOL m_bCaptured;
    BOOL m_bButtonDown;
    CPoint m_ptMouse;
    CRect m_rcHot;
    CalendarHit m_pressedArrow;
    int m_nPressedKey;
    // Set once the window exists: only then does its destruction delete
    // the object.
    BOOL m_bCreated;
};
