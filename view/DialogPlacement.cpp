#include "view/DialogPlacement.h"

#include "framework/core/MessageSink.h"
#include "framework/windows/ScopedGdi.h"
#include "shell/DateFieldWnd.h"

CRect ControlRectInClient(CWnd& parent, int nID)
{
    CRect rc;
    CWnd* pControl = parent.GetDlgItem(nID);
    if (pControl == NULL)
        return rc;
    pControl->GetWindowRect(&rc);
    parent.ScreenToClient(&rc);
    return rc;
}

BOOL CreateStepOver(CDialog& parent, CDialog& step, UINT nTemplate, const CRect& rc, BOOL bShow)
{
    if (!step.Create(nTemplate, &parent))
        return FALSE;
    step.SetWindowPos(NULL, rc.left, rc.top, rc.Width(), rc.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
    step.ShowWindow(bShow ? SW_SHOW : SW_HIDE);
    return TRUE;
}

void CreatePeriodFieldOver(CWnd& parent, int nFrame, CDateFieldWnd& field, UINT nID, int nType, int nStyle)
{
    if (parent.GetDlgItem(nFrame) == NULL)
        return;
    field.Create(ControlRectInClient(parent, nFrame), &parent, nID);
    field.SetPeriodType(nType, nStyle);
}

void SwapShownStep(CDialog* pShown, CDialog* pNext)
{
    if (pShown != NULL && pShown->m_hWnd != NULL)
        pShown->ShowWindow(SW_HIDE);
    if (pNext != NULL && pNext->m_hWnd != NULL)
        pNext->ShowWindow(SW_SHOW);
}

void PaintStepPicture(CDialog& dlg, HDC hDC, int nPictureID, int nBitmapID)
{
    CScopedGdiObject bitmap(::LoadImageA(AfxGetResourceHandle(), MAKEINTRESOURCEA(nBitmapID), IMAGE_BITMAP, 0, 0,
                                         LR_DEFAULTCOLOR));
    CRect rc = ControlRectInClient(dlg, nPictureID);
    if (bitmap.Get() == NULL || rc.IsRectEmpty())
        return;
    BITMAP bm;
    if (!::GetObjectA(bitmap.Get(), sizeof(bm), &bm))
        return;
    CScopedMemoryDC dcMem(hDC);
    CScopedSelectObject select(dcMem, bitmap.Get());
    ::SetStretchBltMode(hDC, HALFTONE);
    ::StretchBlt(hDC, rc.left, rc.top, rc.Width(), rc.Height(), dcMem, 0, 0, bm.bmWidth, bm.bmHeight, SRCCOPY);
}

void InvalidateStepPicture(CDialog& dlg, int nPictureID)
{
    CRect rc = ControlRectInClient(dlg, nPictureID);
    if (!rc.IsRectEmpty())
        dlg.InvalidateRect(&rc, FALSE);
}

void ReleaseStepPicture(CDialog& dlg, int nPictureID)
{
    HWND hPicture = ::GetDlgItem(dlg.m_hWnd, nPictureID);
    if (hPicture == NULL)
        return;
    HBITMAP hOld = (HBITMAP)::SendMessageA(hPicture, STM_SETIMAGE, IMAGE_BITMAP, 0);
    if (hOld != NULL)
        ::DeleteObject(hOld);
}
