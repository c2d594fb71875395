#include "framework/windows/ToolBarCtrl.h"

#include "framework/core/MessageSink.h"

IMPLEMENT_DYNAMIC(CToolBarCtrl, CWnd)

BOOL CToolBarCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    if (!CWnd::Create(TOOLBARCLASSNAMEA, NULL, dwStyle, rect, pParentWnd, nID))
        return FALSE;
    SendMessage(TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON));
    return TRUE;
}

CImageList* CToolBarCtrl::SetImageList(CImageList* pImageList)
{
    HIMAGELIST hOld = (HIMAGELIST)SendMessage(
        TB_SETIMAGELIST, 0, (LPARAM)(pImageList != NULL ? pImageList->GetSafeHandle() : NULL));
    return CImageList::FromHandle(hOld);
}

int CToolBarCtrl::AddBitmap(int nNumButtons, UINT nBitmapID)
{
    TBADDBITMAP tbab = { AfxGetResourceHandle(), nBitmapID };
    return (int)SendMessage(TB_ADDBITMAP, (WPARAM)nNumButtons, (LPARAM)&tbab);
}
