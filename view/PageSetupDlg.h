// CPageSetupDlg: the Page Setup dialog of View > Set Page Break, which
// picks how the printed pages are broken: 0 General, 1 Optimize, 2 Manual
// (the sheet's page layout mode).
#pragma once

#include "framework/windows/Dialog.h"

class CPageSetupDlg : public CDialog
{
public:
    explicit CPageSetupDlg(CWnd* pParent = NULL);

    int m_nMode;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
};
