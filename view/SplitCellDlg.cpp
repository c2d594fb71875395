#include "view/SplitCellDlg.h"

#include "framework/windows/DataExchange.h"
#include "SheetDialogIds.h"

namespace
{
const int kMaxParts = 10;
}

CSplitCellDlg::CSplitCellDlg(CWnd* pParent)
    : CDialog(IDD_SPLIT_CELL, pParent), m_nColumns(1), m_nRows(1), m_bMergeFirst(TRUE)
{
}

void CSplitCellDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_SPLIT_COLUMNS, m_nColumns);
    DDV_MinMaxInt(pDX, m_nColumns, 1, kMaxParts);
    DDX_Text(pDX, IDC_SPLIT_ROWS, m_nRows);
    DDV_MinMaxInt(pDX, m_nRows, 1, kMaxParts);
    DDX_Check(pDX, IDC_SPLIT_MERGE_FIRST, m_bMergeFirst);
}
