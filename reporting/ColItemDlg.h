// CColItemDlg: the Column Item Setup dialog over the application's open
// column item list (ss_colitem).
#pragma once

#include "reporting/ItemSetupDlg.h"

class CColItemDlg : public CItemSetupDlg
{
public:
    explicit CColItemDlg(CWnd* pParent = NULL);

protected:
    CKemRecordset* Recordset() const override;

    DECLARE_MESSAGE_MAP()
};
