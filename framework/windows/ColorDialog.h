// CColorDialog: the system colour chooser.  The sixteen custom colours are
// kept for the life of the process.
#pragma once

#include "framework/windows/CommonDialog.h"

class CColorDialog : public CCommonDialog
{
    DECLARE_DYNAMIC(CColorDialog)
public:
    explicit CColorDialog(COLORREF clrInit = 0, DWORD dwFlags = 0, CWnd* pParentWnd = NULL);

    CHOOSECOLORA m_cc;

    INT_PTR DoModal() override;
    // The chosen colour; the initial one until a colour is chosen.
    COLORREF GetColor() const { return m_cc.rgbResult; }
    static COLORREF* GetSavedCustomColors();
};
