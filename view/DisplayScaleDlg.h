// CDisplayScaleDlg: the Set Display Scale dialog.  The zoom of a sheet view
// as a percentage, with an up-down control; a number typed into the edit
// goes to the view's zoom as soon as the edit loses the focus, or at OK.
// A number the view refuses keeps the dialog open on the edit.
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
    void OnOK() override;
    void OnCancel() override;
    void OnKillfocusScale();
    void OnDeltaposScale(NMHDR* pNMHDR, LRESULT* pResult);
    void ShowPercent(int nPercent);
    // Hands the edit's number to the view; FALSE when the view refuses it:
    // newly refused, the view says why and the edit takes the focus.
    BOOL ApplyScaleText();

    CSpinButtonCtrl m_spin;
    // The view's message about a refused number holds the focus.
    BOOL m_bApplying;
    BOOL m_bClosing;
    // The text last refused: pressing OK on it again says nothing more.
    CString m_strRefused;

    DECLARE_MESSAGE_MAP()
};
