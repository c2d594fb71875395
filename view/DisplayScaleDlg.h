// CDisplayScaleDlg: the Set Display Scale dialog.  The zoom of a sheet view
// as a percentage, with an up-down control; a number typed into the edit
// goes to the view's zoom as soon as the edit loses the focus.
#pragma once

#include "framework/windows/Dialog.h"
#include "framework/windows/SpinButtonCtrl.h"

class CTallyformView;

class CDisplayScaleDlg : public CDialog
{
public:
    explicit CDisplayScaleDlg(CTallyformView* pView);

    CTallyformView* m_pView;

protected:
    BOOL OnInitDialog() override;
    void OnKillfocusScale();
    void OnDeltaposScale(NMHDR* pNMHDR, LRESULT* pResult);
    void ShowPercent(int nPercent);

    CSpinButtonCtrl m_spin;

    DECLARE_MESSAGE_MAP()
};
