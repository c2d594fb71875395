// Helpers for the controls of a dialog or form, found by their ids.
#pragma once

#include "framework/windows/Wnd.h"

// Enables or disables the control nID of pParent; a missing control is
// left alone, as dialog templates of different steps hold different ones.
inline void EnableDlgItem(CWnd* pParent, int nID, BOOL bEnable)
{
    CWnd* pControl = pParent->GetDlgItem(nID);
    if (pControl != NULL)
        pControl->EnableWindow(bEnable);
}
