#include "shell/ColourPicker.h"

#include "framework/windows/ScopedGdi.h"
#include "shell/ColourGridPopup.h"

IMPLEMENT_DYNCREATE(CColourPicker, CButton)

BEGIN_MESSAGE_MAP(CColourPicker, CButton)
    ON_WM_CREATE()
    ON_CONTROL_REFLECT(BN_CLICKED, OnClicked)
    ON_MESSAGE(WM_COLOUR_SELENDOK, OnSelEndOK)
    ON_MESSAGE(WM_COLOUR_SELENDCANCEL, OnSelEndCancel)
    ON_MESSAGE(WM_COLOUR_SELCHANGE, OnSelChange)
END_MESSAGE_MAP()

CColourPicker::CColourPicker()
    : m_bActive(FALSE), m_crColour(::GetSysColor(COLOR_3DFACE)),
      m_crTextColour(::GetSysColor(COLOR_BTNTEXT)), m_crDefaultColour(CLR_DEFAULT),
      m_ArrowRect(0, 0, 0, 0), m_strDefaultText("Default Color"),
      m_strCustomText("Other Colors...")
{
}

CColourPicker::~CColourPicker()
{
}

BOOL CColourPicker::PreCreateWindow(CREATESTRUCT& cs)
{
    cs.style = (cs.style & ~0xFu) | BS_OWNERDRAW;
    return CButton::PreCreateWindow(cs);
}

void CColourPicker::PreSubclassWindow()
{
    ModifyStyle(0, BS_OWNERDRAW);
    CButton::PreSubclassWindow();
    SetWindowSize();
}

int CColourPicker::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    int nResult = CButton::OnCreate(lpCreateStruct);
    if (nResult == -1)
        return -1;
    SetWindowSize();
    return nResult;
}

void CColourPicker::SetWindowSize()
{
    int cx = ::GetSystemMetrics(SM_CXEDGE);
    int cy = ::GetSystemMetrics(SM_CYEDGE);
    int a = ::GetSystemMetrics(SM_CXHTHUMB);
    int candidates[3] = { 5 * cx, ::GetSystemMetrics(SM_CYVTHUMB), 5 * cy };
    for (int c : candidates)
        a = c > a ? c : a;

    CRect rc;
    GetWindowRect(&rc);
    int nWidth = 2 * (a + cx) > rc.Width() ? 2 * (a + cx) : rc.Width();
    int nHeight = a + 2 * cy;
    SetWindowPos(NULL, 0, 0, nWidth, nHeight, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    m_ArrowRect.SetRect(nWidth - a - cx, cy, nWidth - cx, nHeight - cy);
}

void CColourPicker::NotifyParent(UINT nMessage, COLORREF crColour)
{
    CWnd* pParent = GetParent();
    if (pParent != NULL)
        pParent->SendMessage(nMessage, (WPARAM)crColour, (LPARAM)GetDlgCtrlID());
}

void CColourPicker::OnClicked()
{
    m_bActive = TRUE;
    CRect rc;
    GetWindowRect(&rc);
    // The popup deletes itself when it closes.
    new CColourGridPopup(CPoint(rc.left, rc.bottom), m_crColour, m_crDefaultColour, this,
                         m_strDefaultText, m_strCustomText, FALSE);
    NotifyParent(WM_COLOUR_DROPDOWN, m_crColour);
}

LRESULT CColourPicker::OnSelEndOK(WPARAM wParam, LPARAM)
{
    COLORREF crNew = (COLORREF)wParam;
    m_bActive = FALSE;
    COLORREF crOld = m_crColour;
    m_crColour = crNew;
    Invalidate();
    NotifyParent(WM_COLOUR_CLOSEUP, crNew);
    NotifyParent(WM_COLOUR_SELENDOK, crNew);
    if (crNew != crOld)
        NotifyParent(WM_COLOUR_SELCHANGE, crNew);
    return TRUE;
}

LRESULT CColourPicker::OnSelEndCancel(WPARAM wParam, LPARAM)
{
    m_bActive = FALSE;
    m_crColour = (COLORREF)wParam;
    Invalidate();
    NotifyParent(WM_COLOUR_CLOSEUP, m_crColour);
    NotifyParent(WM_COLOUR_SELENDCANCEL, m_crColour);
    return TRUE;
}

LRESULT CColourPicker::OnSelChange(WPARAM wParam, LPARAM)
{
    NotifyParent(WM_COLOUR_SELCHANGE, (COLORREF)wParam);
    return TRUE;
}

void CColourPicker::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    CDC* pDC = CDC::FromHandle(lpDrawItemStruct->hDC);
    UINT nState = lpDrawItemStruct->itemState;
    CRect rcDraw = lpDrawItemStruct->rcItem;
    CRect rcArrow = m_ArrowRect;
    COLORREF crFace = ::GetSysColor(COLOR_3DFACE);
    BOOL bPressed = (nState & ODS_SELECTED) != 0 || m_bActive;
    BOOL bDisabled = (nState & ODS_DISABLED) != 0;

    pDC->FillSolidRect(&rcDraw, crFace);

    // The drop-down arrow, flattened, and the separator left of it.
    CRect rcThumb(rcDraw.right - ::GetSystemMetrics(SM_CXHTHUMB), rcDraw.top, rcDraw.right,
                  rcDraw.bottom);
    pDC->DrawFrameControl(&rcThumb, DFC_SCROLL,
                          DFCS_SCROLLDOWN | (bPressed ? DFCS_PUSHED : 0)
                              | (bDisabled ? DFCS_INACTIVE : 0));
    CBrush brFace;
    if (brFace.CreateSolidBrush(crFace))
    {
        pDC->FrameRect(&rcThumb, &brFace);
        CRect rcInset = rcThumb;
        rcInset.DeflateRect(1, 1);
        pDC->FrameRect(&rcInset, &brFace);
    }
    if (bPressed)
        rcArrow.OffsetRect(1, 1);
    int yTop = rcArrow.top + 2, cySeparator = rcArrow.Height() - 4;
    pDC->FillSolidRect(rcArrow.left - 1, yTop, 1, cySeparator, ::GetSysColor(COLOR_3DSHADOW));
    pDC->FillSolidRect(rcArrow.left, yTop, 1, cySeparator, ::GetSysColor(COLOR_3DHILIGHT));

    pDC->DrawEdge(&rcDraw, bPressed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
    rcDraw.DeflateRect(2, 2);
    if (brFace.GetSafeHandle() != NULL)
        pDC->FrameRect(&rcDraw, &brFace);
    if (nState & ODS_FOCUS)
        pDC->DrawFocusRect(&rcDraw);
    if (bPressed)
        rcDraw.OffsetRect(1, 1);

    // The swatch.
    rcDraw.DeflateRect(2, 2);
    rcDraw.right = rcArrow.left - 4;
    COLORREF crSwatch = bDisabled || m_crColour == CLR_DEFAULT ? crFace : m_crColour;
    CBrush brSwatch;
    if (brSwatch.CreateSolidBrush(crSwatch))
    {
        CScopedSelectObject selectBrush(*pDC, brSwatch);
        CScopedSelectObject selectPen(pDC->m_hDC, ::GetStockObject(bDisabled ? WHITE_PEN : BLACK_PEN));
        pDC->Rectangle(&rcDraw);
    }

    CString strText;
    GetWindowText(strText);
    if (strText.IsEmpty())
        return;
    int nOldMode = pDC->SetBkMode(TRANSPARENT);
    const UINT nFormat = DT_CENTER | DT_VCENTER | DT_SINGLELINE;
    if (bDisabled)
    {
        CRect rcShifted = rcDraw;
        rcShifted.OffsetRect(1, 1);
        pDC->SetTextColor(::GetSysColor(COLOR_3DHILIGHT));
        pDC->DrawText(strText, &rcShifted, nFormat);
        pDC->SetTextColor(::GetSysColor(COLOR_3DSHADOW));
        pDC->DrawText(strText, &rcDraw, nFormat);
    }
    else
    {
        pDC->SetTextColor(m_crTextColour == CLR_DEFAULT ? RGB(0, 0, 0) : m_crTextColour);
        pDC->DrawText(strText, &rcDraw, nFormat);
    }
    pDC->SetBkMode(nOldMode);
}

void DDX_ColourPicker(CDataExchange* pDX, int nIDC, COLORREF& crColour)
{
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    CColourPicker* pPicker = DYNAMIC_DOWNCAST(CColourPicker, CWnd::FromHandlePermanent(hWndCtrl));
    if (pPicker == NULL)
        return;
    if (pDX->m_bSaveAndValidate)
        crColour = pPicker->GetColour();
    else
    {
        pPicker->SetColour(crColour);
        pPicker->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    }
}
