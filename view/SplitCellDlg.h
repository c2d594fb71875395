// CSplitCellDlg: the Split Cell dialog.  How many rows and columns the
// selected cells are cut into (1 to 10 each), and whether they are merged
// into one cell first.
#pragma once

#include "framework/windows/Dialog.h"

class CSplitCellDlg : public CDialog
{
public:
    explicit CSplitCellDlg(CWnd* pParent = NULL);

    int m_nColumns;
    int m_nRows;
    BOOL m_bMergeFirst;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
};
