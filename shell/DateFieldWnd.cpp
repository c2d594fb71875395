#include "shell/DateFieldWnd.h"

#include "framework/windows/CodePageFont.h"
#include "framework/windows/ScopedGdi.h"
#include "sheet/PeriodCode.h"
#include "shell/DateDropDownWnd.h"

namespace {

const int MIN_FIELD_HEIGHT = 20;
const int MAX_FIELD_HEIGHT = 25;

// A horizontal or vertical run of lines through the points, in one colour;
// each line leaves out its end point.
void DrawLines(CDC& dc, int nColor, const POINT* points, int nCount)
{
    CPen pen;
    if (!pen.CreatePen(PS_SOLID, 1, ::GetSysColor(nColor)))
        return;
    CScopedSelectObject select(dc, pen);
    dc.Polyline(points, nCount);
}

void DrawLine(CDC& dc, int nColor, int x1, int y1, int x2, int y2)
{
    POINT points[2] = { { x1, y1 }, { x2, y2 } };
    DrawLines(dc, nColor, points, 2);
}

}

BEGIN_MESSAGE_MAP(CDateFieldWnd, CWnd)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_PAINT()
    ON_WM_ENABLE()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_ACTIVATE()
    ON_WM_ACTIVATEAPP()
    ON_MESSAGE(WM_DATEDROP_CLOSED, OnDropDownClosed)
END_MESSAGE_MAP()

CDateFieldWnd::CDateFieldWnd()
    : m_pParent(NULL), m_nControlId(0), m_pDropDown(NULL), m_nPeriodType(PERIOD_DAY),
      m_nNumeralStyle(NUMERAL_WORDS), m_bButtonPressed(FALSE), m_bDisabled(FALSE)
{
    m_font.CreateFont(-12, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                      OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DRAFT_QUALITY,
                      DEFAULT_PITCH | FF_DONTCARE, "MS Sans Serif");
    // The ten-day text asks for a face with the Chinese characters.
    LOGFONTA lf;
    m_font.GetLogFont(&lf);
    AfxFitFontToCodePage(lf, CHINESE_CODE_PAGE);
    m_fontChinese.CreateFontIndirect(&lf);
    m_brush.CreateSolidBrush(::GetSysColor(COLOR_WINDOW));
}

CDateFieldWnd::~CDateFieldWnd()
{
    // A field destroyed without its window (never created) still lets go of
    // an open drop-down.
    CloseDropDown();
    m_font.DeleteObject();
    m_fontChinese.DeleteObject();
    m_brush.DeleteObject();
}

CRect CDateFieldWnd::CorrectHeight(const RECT& rect)
{
    CRect rc(rect);
    int h = rc.Height();
    if (h < MIN_FIELD_HEIGHT || h > MAX_FIELD_HEIGHT)
    {
        int target = h < MIN_FIELD_HEIGHT ? MIN_FIELD_HEIGHT : MAX_FIELD_HEIGHT;
        int d = (target - h) / 2;
        rc.top -= d;
        rc.bottom += d;
    }
    return rc;
}

BOOL CDateFieldWnd::Create(const RECT& rect, CWnd* pParent, UINT nID, LPVOID lpParam)
{
    LPCSTR lpszClass = AfxRegisterWndClass(CS_SAVEBITS | CS_CLASSDC | CS_HREDRAW | CS_VREDRAW,
                                           NULL, m_brush, NULL);
    if (lpszClass == NULL)
        return FALSE;
    m_pParent = pParent;
    m_nControlId = nID;
    return CreateEx(0, lpszClass, "", WS_CHILD | WS_VISIBLE, CorrectHeight(rect), pParent, nID,
                    lpParam);
}

int CDateFieldWnd::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    // Painting once lays out the text and button areas that the mouse
    // handlers test.
    {
        CClientDC dc(this);
        Draw(dc);
    }
    SetPeriodType(PERIOD_DAY, NUMERAL_DECIMAL);
    return 0;
}

void CDateFieldWnd::OnDestroy()
{
    // An open drop-down would otherwise write into this field after it is gone.
    CloseDropDown();
    CWnd::OnDestroy();
}

void CDateFieldWnd::CloseDropDown()
{
    CDateDropDownWnd* pDropDown = m_pDropDown;
    m_pDropDown = NULL;
    if (pDropDown != NULL)
    {
        pDropDown->DetachField();
        pDropDown->DestroyWindow();
    }
}

void CDateFieldWnd::ForgetDropDown(CDateDropDownWnd* pDropDown)
{
    if (m_pDropDown == pDropDown)
        m_pDropDown = NULL;
}

void CDateFieldWnd::SetPeriodType(int nType, int nStyle)
{
    m_nPeriodType = nType;
    m_nNumeralStyle = nStyle;
    m_strCode = GetCurrentPeriodCode(nType);
    m_strText.Empty();
    if (m_hWnd != NULL)
        InvalidateRect(&m_rcText);
}

void CDateFieldWnd::SetCode(const char* lpszCode, int* pnType, int* pnStyle)
{
    m_strCode = lpszCode;
    if (pnType != NULL)
        m_nPeriodType = *pnType;
    if (pnStyle != NULL)
        m_nNumeralStyle = *pnStyle;
    if (!m_strCode.IsEmpty())
        m_strText = PeriodCodeToText(m_strCode, m_nPeriodType, m_nNumeralStyle);
    else
        m_strText.Empty();
    if (m_hWnd != NULL)
        InvalidateRect(&m_rcText);
}

void CDateFieldWnd::GetPeriodType(int* pnType, int* pnStyle) const
{
    if (pnType != NULL)
        *pnType = m_nPeriodType;
    if (pnStyle != NULL)
        *pnStyle = m_nNumeralStyle;
}

void CDateFieldWnd::OnPaint()
{
    CPaintDC dc(this);
    Draw(dc);
}

void CDateFieldWnd::Draw(CDC& dc)
{
    CRect rc;
    GetClientRect(&rc);
    int h = rc.Height();
    if (m_bDisabled)
        dc.FillSolidRect(&rc, ::GetSysColor(COLOR_BTNFACE));
    CRect rcEdge(rc);
    dc.DrawEdge(&rcEdge, EDGE_SUNKEN, BF_RECT);

    m_rcButton.SetRect(rc.right - h + 2, rc.top + 2, rc.right - 3, rc.bottom - 3);
    int l = m_rcButton.left, t = m_rcButton.top, r = m_rcButton.right, b = m_rcButton.bottom;
    POINT face[3] = { { r, t }, { l, t }, { l, b } };
    DrawLines(dc, COLOR_BTNFACE, face, 3);
    POINT light[3] = { { r - 1, t + 1 }, { l + 1, t + 1 }, { l + 1, b - 1 } };
    DrawLines(dc, COLOR_BTNHIGHLIGHT, light, 3);
    POINT shadow[3] = { { r - 1, t + 1 }, { r - 1, b - 1 }, { l, b - 1 } };
    DrawLines(dc, COLOR_BTNSHADOW, shadow, 3);
    POINT dark[4] = { { r, t }, { r, b }, { l, b }, { l, b - 1 } };
    DrawLines(dc, COLOR_BTNTEXT, dark, 4);
    dc.FillSolidRect(CRect(l + 2, t + 2, r - 1, b - 1), ::GetSysColor(COLOR_BTNFACE));
    DrawArrow(dc, l + (r - l) / 2, t + (b - t) / 2, m_bDisabled);

    m_rcText.SetRect(rc.left + 2, rc.top + 2, rc.right - (r - l) - 1, rc.bottom - 3);
    BOOL bChinese = PeriodTextCodePage(m_nPeriodType) == CHINESE_CODE_PAGE;
    CScopedSelectObject select(dc, bChinese ? m_fontChinese : m_font);
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(::GetSysColor(m_bDisabled ? COLOR_BTNSHADOW : COLOR_BTNTEXT));
    CRect rcText(m_rcText);
    CWideText text = GetDisplayText();
    dc.DrawText(text.GetString(), text.GetLength(), &rcText, DT_SINGLELINE | DT_VCENTER);
}

CWideText CDateFieldWnd::GetDisplayText() const
{
    return CWideText(m_strText, m_strText.GetLength(), PeriodTextCodePage(m_nPeriodType));
}

// The downward triangle of the button, 7, 5, 3 and 1 pixels wide; embossed
// when disabled.
void CDateFieldWnd::DrawArrow(CDC& dc, int cx, int cy, BOOL bDisabled)
{
    int color = bDisabled ? COLOR_BTNSHADOW : COLOR_BTNTEXT;
    for (int row = 0; row < 4; ++row)
        DrawLine(dc, color, cx - 3 + row, cy - 1 + row, cx + 4 - row, cy - 1 + row);
    if (bDisabled)
    {
        DrawLine(dc, COLOR_BTNHIGHLIGHT, cx + 1, cy + 2, cx + 4, cy - 1);
        DrawLine(dc, COLOR_BTNHIGHLIGHT, cx + 1, cy + 3, cx + 5, cy - 1);
    }
}

void CDateFieldWnd::DrawPressedButton()
{
    CClientDC dc(this);
    CRect rc(m_rcButton.left, m_rcButton.top, m_rcButton.right + 1, m_rcButton.bottom + 1);
    dc.FillSolidRect(&rc, ::GetSysColor(COLOR_BTNSHADOW));
    rc.DeflateRect(1, 1);
    dc.FillSolidRect(&rc, ::GetSysColor(COLOR_BTNFACE));
    DrawArrow(dc, m_rcButton.left + m_rcButton.Width() / 2 + 1,
              m_rcButton.top + m_rcButton.Height() / 2 + 1, FALSE);
}

void CDateFieldWnd::OnEnable(BOOL bEnable)
{
    CWnd::OnEnable(bEnable);
    m_bDisabled = !bEnable;
    Invalidate();
}

void CDateFieldWnd::OnLButtonDown(UINT nFlags, CPoint point)
{
    SetCapture();
    CWnd::OnLButtonDown(nFlags, point);
    if (m_rcButton.PtInRect(point))
    {
        DrawPressedButton();
        m_bButtonPressed = TRUE;
    }
    InvalidateRect(&m_rcText);
    if (m_pParent != NULL)
        m_pParent->SendMessage(WM_DATEDROP_OPENING, LOWORD(m_nControlId), 0);

    // A drop-down still open (its capture was lost) gives way to the new one.
    CloseDropDown();
    CRect rcWindow;
    GetWindowRect(&rcWindow);
    CDateDropDownWnd* pDropDown = new CDateDropDownWnd;
    m_pDropDown = pDropDown;
    if (!pDropDown->Create(rcWindow.right, rcWindow.bottom, this))
    {
        // A drop-down that never had a window is not deleted by one.
        m_pDropDown = NULL;
        delete pDropDown;
    }
}

void CDateFieldWnd::OnLButtonUp(UINT nFlags, CPoint point)
{
    if (m_bButtonPressed)
    {
        CClientDC dc(this);
        CRect rc(m_rcButton.left, m_rcButton.top, m_rcButton.right + 1, m_rcButton.bottom + 1);
        dc.FillSolidRect(&rc, ::GetSysColor(COLOR_BTNTEXT));
        InvalidateRect(&m_rcButton);
        m_bButtonPressed = FALSE;
    }
    CWnd::OnLButtonUp(nFlags, point);
    ReleaseCapture();
    if (m_pDropDown != NULL)
        m_pDropDown->SendMessage(WM_DATEDROP_CAPTURE, 0, 0);
}

void CDateFieldWnd::OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized)
{
    CWnd::OnActivate(nState, pWndOther, bMinimized);
}

void CDateFieldWnd::OnActivateApp(BOOL bActive, DWORD dwThreadID)
{
    CWnd::OnActivateApp(bActive, dwThreadID);
}

LRESULT CDateFieldWnd::OnDropDownClosed(WPARAM, LPARAM)
{
    SetFocus();
    // The drop-down let go of this field while it was destroyed
    // (ForgetDropDown); a drop-down still held here is a newer one.
    if (m_pParent != NULL)
        ::PostMessage(m_pParent->GetSafeHwnd(), WM_DATEDROP_CLOSED, LOWORD(m_nControlId), 0);
    return 0;
}
