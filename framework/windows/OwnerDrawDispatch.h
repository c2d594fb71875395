// Hands an owner-draw message reflected to a list or combo control to the
// control's DrawItem or MeasureItem.
#pragma once

#include <windows.h>

template <class TCtrl>
BOOL AfxDispatchOwnerDraw(TCtrl* pCtrl, UINT message, LPARAM lParam, LRESULT* pResult)
{
    if (message == WM_DRAWITEM)
        pCtrl->DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
    else if (message == WM_MEASUREITEM)
        pCtrl->MeasureItem(reinterpret_cast<LPMEASUREITEMSTRUCT>(lParam));
    else
        return FALSE;
    if (pResult != NULL)
        *pResult = TRUE;
    return TRUE;
}
