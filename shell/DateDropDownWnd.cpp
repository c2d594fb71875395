#include "shell/DateDropDownWnd.h"

#include "shell/DateFieldWnd.h"

namespace {

const UINT ARROW_REPEAT_MS = 300;
const UINT_PTR TIMER_DAY_MONTH = 0;
const UINT_PTR TIMER_YEAR = 1;
const UINT_PTR TIMER_MONTH = 2;

}

IMPLEMENT_DYNCREATE(CDateDropDownWnd, CWnd)

BEGIN_MESSAGE_MAP(CDateDropDownWnd, CWnd)
    ON_WM_CREATE()
    ON_MESSAGE(WM_DATEDROP_CAPTURE, OnTakeCapture)
    ON_WM_PAINT()
    ON_WM_LBUTTONDOWN()
    ON_WM_MOUSEMOVE()
    ON_WM_TIMER()
    ON_WM_LBUTTONUP()
END_MESSAGE_MAP()

CDateDropDownWnd::CDateDropDownWnd()
    : m_pField(NULL), m_hWndField(NULL), m_nHeight(0), m_nWidth(0), m_nPeriodType(PERIOD_DAY),
      m_nNumeralStyle(NUMERAL_DECIMAL), m_bCaptured(FALSE), m_bButtonDown(FALSE),
      m_pressedArrow(CALENDAR_HIT_NONE), m_nPressedKey(-1), m_bCreated(FALSE)
{
    m_windowBrush.CreateSolidBrush(::GetSysColor(COLOR_WINDOW));
    m_highlightBrush.CreateSolidBrush(::GetSysColor(COLOR_HIGHLIGHT));
    m_font.CreateFont(-12, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                      OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                      DEFAULT_PITCH | FF_DONTCARE, "MS Sans Serif");
}

CDateDropDownWnd::~CDateDropDownWnd()
{
    m_windowBrush.DeleteObject();
    m_highlightBrush.DeleteObject();
    m_font.DeleteObject();
}

BOOL CDateDropDownWnd::Create(int right, int bottom, CDateFieldWnd* pField)
{
    if (pField == NULL || pField->GetSafeHwnd() == NULL)
        return FALSE;
    m_pField = pField;
    m_hWndField = pField->GetSafeHwnd();
    pField->GetPeriodType(&m_nPeriodType, &m_nNumeralStyle);

    CString code = pField->GetCode();
    if (code.IsEmpty())
        code = GetCurrentPeriodCode(m_nPeriodType);
    m_calendar.Load(code, m_nPeriodType);

    LPCSTR lpszClass = AfxRegisterWndClass(CS_SAVEBITS | CS_CLASSDC | CS_HREDRAW | CS_VREDRAW,
                                           NULL, m_windowBrush, NULL);
    if (lpszClass == NULL)
        return FALSE;
    CSize size = CCalendarLayout::GetWindowSize(m_nPeriodType, MeasureTexts());
    m_nWidth = size.cx;
    m_nHeight = size.cy;

    CRect rcField;
    pField->GetWindowRect(&rcField);
    rcField.right = right;
    rcField.bottom = bottom;
    CRect rcDesktop;
    ::GetWindowRect(::GetDesktopWindow(), &rcDesktop);
    CPoint pt = CCalendarLayout::PlaceWindow(rcField, rcDesktop, size);

    if (!CreateEx(0, lpszClass, "", WS_POPUP | WS_VISIBLE | WS_BORDER, pt.x, pt.y, m_nWidth,
                  m_nHeight, m_hWndField, NULL))
        return FALSE;
    m_bCreated = TRUE;
    UpdateWindow();
    return TRUE;
}

int CDateDropDownWnd::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    m_layout.Compute(m_nPeriodType, m_nWidth, m_nHeight);
    return 0;
}

CString CDateDropDownWnd::GetSelectedCode() const
{
    return m_calendar.GetSelectedCode();
}

LRESULT CDateDropDownWnd::OnTakeCapture(WPARAM, LPARAM)
{
    if (!m_bCaptured)
    {
        SetCapture();
        m_bCaptured = TRUE;
    }
    return 0;
}

UINT_PTR CDateDropDownWnd::GetArrowTimer() const
{
    if (m_nPeriodType == PERIOD_DAY)
        return TIMER_DAY_MONTH;
    return m_nPeriodType == PERIOD_TENDAY ? TIMER_MONTH : TIMER_YEAR;
}

BOOL CDateDropDownWnd::StepArrowUnderMouse()
{
    CalendarHit hit = m_layout.HitTest(m_ptMouse, NULL);
    if (hit != CALENDAR_HIT_LEFT_ARROW && hit != CALENDAR_HIT_RIGHT_ARROW)
        return FALSE;
    if (!m_calendar.StepArrow(hit == CALENDAR_HIT_RIGHT_ARROW))
        return FALSE;
    InvalidateAfterStep();
    return TRUE;
}

void CDateDropDownWnd::InvalidateAfterStep()
{
    InvalidateRect(&m_layout.m_rcHead);
    // The day grid and the offered weeks follow the month and the year.
    if (m_nPeriodType == PERIOD_DAY || m_nPeriodType == PERIOD_WEEK
        || m_nPeriodType == PERIOD_TENDAY)
        InvalidateRect(&m_layout.m_rcGrid);
}

void CDateDropDownWnd::MoveHotRect(CPoint point)
{
    int index = -1;
    CalendarHit hit = m_layout.HitTest(point, &index);
    CRect rcNew;
    if (hit == CALENDAR_HIT_CELL && m_calendar.IsCellOffered(index))
        rcNew = m_layout.GetCellRect(index);
    else if (hit == CALENDAR_HIT_KEY)
    {
        CRect rcLower;
        rcNew = m_layout.GetKeyRect(index, &rcLower);
        rcNew.UnionRect(&rcNew, &rcLower);
    }
    if (rcNew == m_rcHot)
        return;
    CRect rcOld = m_rcHot;
    m_rcHot = rcNew;
    // The focus rectangle is part of the painting; both places repaint.
    rcOld.InflateRect(1, 1);
    rcNew.InflateRect(1, 1);
    InvalidateRect(&rcOld);
    InvalidateRect(&rcNew);
}

void CDateDropDownWnd::StopArrowTimers()
{
    KillTimer(TIMER_DAY_MONTH);
    KillTimer(TIMER_YEAR);
    KillTimer(TIMER_MONTH);
}

void CDateDropDownWnd::OnLButtonDown(UINT nFlags, CPoint point)
{
    m_ptMouse = point;
    CRect rcClient;
    GetClientRect(&rcClient);
    if (!rcClient.PtInRect(point))
        return;
    m_bButtonDown = TRUE;
    m_rcHot.SetRectEmpty();

    int index = -1;
    CalendarHit hit = m_layout.HitTest(point, &index);
    if (hit == CALENDAR_HIT_LEFT_ARROW || hit == CALENDAR_HIT_RIGHT_ARROW)
    {
        m_pressedArrow = hit;
        StepArrowUnderMouse();
        InvalidateRect(hit == CALENDAR_HIT_LEFT_ARROW ? &m_layout.m_rcLeftArrow
                                                      : &m_layout.m_rcRightArrow);
        SetTimer(GetArrowTimer(), ARROW_REPEAT_MS);
    }
    else if (hit == CALENDAR_HIT_KEY)
    {
        m_nPressedKey = index;
        InvalidateRect(&m_layout.m_rcGrid);
    }
    MoveHotRect(point);
    UpdateWindow();
    CWnd::OnLButtonDown(nFlags, point);
}

void CDateDropDownWnd::OnMouseMove(UINT nFlags, CPoint point)
{
    m_ptMouse = point;
    if (m_bButtonDown && !m_rcHot.PtInRect(point))
        MoveHotRect(point);
    CWnd::OnMouseMove(nFlags, point);
}

void CDateDropDownWnd::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == TIMER_DAY_MONTH || nIDEvent == TIMER_YEAR || nIDEvent == TIMER_MONTH)
        StepArrowUnderMouse();
    CWnd::OnTimer(nIDEvent);
}

void CDateDropDownWnd::OnLButtonUp(UINT nFlags, CPoint point)
{
    m_ptMouse = point;
    // The arrow timers live only while the button is held.
    StopArrowTimers();
    if (m_pressedArrow != CALENDAR_HIT_NONE)
    {
        InvalidateRect(m_pressedArrow == CALENDAR_HIT_LEFT_ARROW ? &m_layout.m_rcLeftArrow
                                                                 : &m_layout.m_rcRightArrow);
        m_pressedArrow = CALENDAR_HIT_NONE;
    }
    CRect rcClient;
    GetClientRect(&rcClient);
    if (!rcClient.PtInRect(point))
    {
        // Released outside: the period shown is taken.
        Commit();
        return;
    }

    int index = -1;
    CalendarHit hit = m_layout.HitTest(point, &index);
    m_bButtonDown = FALSE;
    if (hit == CALENDAR_HIT_CELL)
    {
        if (m_calendar.PickCell(index))
        {
            Commit();
            return;
        }
    }
    else if (hit == CALENDAR_HIT_KEY)
    {
        if (index == CALENDAR_KEY_OK)
        {
            Commit();
            return;
        }
        ReleaseKey(index);
    }
    m_nPressedKey = -1;
    MoveHotRect(CPoint(-1, -1));
    InvalidateRect(&m_layout.m_rcGrid);
    CWnd::OnLButtonUp(nFlags, point);
}

void CDateDropDownWnd::ReleaseKey(int nKey)
{
    if (nKey >= 0 && nKey <= 9)
        m_calendar.TypeDigit(nKey);
    else if (nKey == CALENDAR_KEY_CLEAR)
        m_calendar.ClearYear();
    else if (nKey == CALENDAR_KEY_BACK)
        m_calendar.DeleteYearDigit();
    InvalidateRect(&m_layout.m_rcHead);
}

void CDateDropDownWnd::Commit()
{
    if (m_bCaptured)
    {
        m_bCaptured = FALSE;
        ReleaseCapture();
    }
    CString code = GetSelectedCode();
    if (m_pField != NULL && code.GetLength() == PERIOD_CODE_LENGTH)
        m_pField->SetCode(code);
    DestroyWindow();
}

void CDateDropDownWnd::PostNcDestroy()
{
    // A window that failed while being created leaves the object to Create's
    // caller.
    if (!m_bCreated)
        return;
    if (m_pField != NULL)
    {
        m_pField->ForgetDropDown(this);
        ::PostMessage(m_hWndField, WM_DATEDROP_CLOSED, 0, 0);
    }
    delete this;
}
