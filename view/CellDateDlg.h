// CCellDateDlg: the Cell Format page's child dialog of Report Date cells:
// the numeral style of the period, with a sample of it.
#pragma once

#include "framework/windows/Dialog.h"
#include "framework/windows/Static.h"

class CCellDateDlg : public CDialog
{
public:
    CCellDateDlg();

    CStatic m_sample;
    int m_nDateStyle;       // non-zero Default, 0 Chinese numerals

protected:
    BOOL OnInitDialog() override;
    void OnCancel() override {}
    void OnOK() override {}
    void OnDefault();
    void OnChinese();
    // Selects the radio button of the style and shows its sample.
    void ShowStyle(int nStyle);

    DECLARE_MESSAGE_MAP()
};
