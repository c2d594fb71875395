// CCellPictureDlg: the Cell Format page's child dialog of Picture cells:
// the bitmap file, "Fit on Cell", and "Clear" to take the picture away.
#pragma once

#include "framework/windows/Dialog.h"

class CCellPictureDlg : public CDialog
{
public:
    CCellPictureDlg();

    CString m_strFile;
    int m_bHasPicture;
    int m_bFit;
    int m_bClear;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void OnCancel() override {}
    void OnOK() override {}
    void OnClear();
    void OnBrowse();
    // The file edit and Browse in use, or not.
    void EnableFile(BOOL bEnable);

    DECLARE_MESSAGE_MAP()
};
