#include "view/AlignButton.h"

#include "framework/windows/ScopedGdi.h"

BEGIN_MESSAGE_MAP(CAlignButton, CButton)
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_SYSCOLORCHANGE()
END_MESSAGE_MAP()

CAlignButton::CAlignButton() : m_nIDReleased(0), m_nIDPressed(0), m_bPressed(FALSE)
{
}

BOOL CAlignButton::LoadBitmaps(UINT nIDReleased, UINT nIDPressed)
{
    m_nIDReleased = nIDReleased;
    m_nIDPressed = nIDPressed;
    m_bmReleased.DeleteObject();
    m_bmPressed.DeleteObject();
    return m_bmReleased.LoadMappedBitmap(nIDReleased) && m_bmPressed.LoadMappedBitmap(nIDPressed);
}

void CAlignButton::SetPressed(BOOL bPressed)
{
    m_bPressed = bPressed;
    if (m_hWnd != NULL)
        Invalidate(FALSE);
}

void CAlignButton::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    CBitmap& bitmap = m_bPressed ? m_bmPressed : m_bmReleased;
    if (bitmap.GetSafeHandle() == NULL)
        return;
    CScopedMemoryDC dcMem(lpDrawItemStruct->hDC);
    BITMAP bm;
    if (dcMem.Get() == NULL || ::GetObjectA(bitmap.GetSafeHandle(), sizeof(bm), &bm) == 0)
        return;
    CScopedSelectObject select(dcMem.Get(), bitmap.GetSafeHandle());
    ::BitBlt(lpDrawItemStruct->hDC, lpDrawItemStruct->rcItem.left, lpDrawItemStruct->rcItem.top,
             bm.bmWidth, bm.bmHeight, dcMem, 0, 0, SRCCOPY);
}

void CAlignButton::OnLButtonDown(UINT, CPoint)
{
    CWnd* pParent = GetParent();
    if (pParent != NULL)
        pParent->SendMessage(WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(), BN_CLICKED), (LPARAM)m_hWnd);
}

void CAlignButton::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    OnLButtonDown(nFlags, point);
}

void CAlignButton::OnSysColorChange()
{
    if (m_nIDReleased != 0)
        LoadBitmaps(m_nIDReleased, m_nIDPressed);
    Default();
}
