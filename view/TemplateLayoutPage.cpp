#include "view/TemplateLayoutPage.h"

#include <initializer_list>

#include "framework/windows/DlgItem.h"
#include "framework/windows/DataExchange.h"
#include "reporting/ReportConnection.h"
#include "TemplateWizardIds.h"

namespace
{
const int kMaxRowsOrColumns = 500;
const int kMaxSplitNumber = 50;
}

BEGIN_MESSAGE_MAP(CTemplateLayoutPage, CDialog)
    ON_EN_KILLFOCUS(IDC_LAYOUT_ROWS, OnKillFocusSize)
    ON_EN_KILLFOCUS(IDC_LAYOUT_COLUMNS, OnKillFocusSize)
    ON_BN_CLICKED(IDC_LAYOUT_BY_ITEMS, OnByItems)
    ON_BN_CLICKED(IDC_LAYOUT_SPLIT_COLUMNS, OnSplitColumns)
    ON_BN_CLICKED(IDC_LAYOUT_ITEMS_AS_ROWS, OnItemsAsRows)
    ON_BN_CLICKED(IDC_LAYOUT_ITEMS_AS_COLUMNS, OnItemsAsColumns)
END_MESSAGE_MAP()

CTemplateLayoutPage::CTemplateLayoutPage(CWnd* pParent)
    : CDialog(IDD_TEMPLATE_LAYOUT, pParent), m_pFinishButton(NULL), m_pNextButton(NULL),
      m_bColumnsEnabled(1), m_bRowsEnabled(1), m_bItemsAsRowsEnabled(0), m_bItemsAsColumnsEnabled(0),
      m_bItemsAsRows(1), m_nRows(10), m_nColumns(3), m_bByItems(0), m_bSplitColumns(0),
      m_nSplitNumber(1), m_bCheckingSize(FALSE)
{
}

void CTemplateLayoutPage::DoDataExchange(CDataExchange* pDX)
{
    // Whoever checks the sizes (a field left, Finish, Enter), the focus moves
    // its range message causes check nothing again.
    const BOOL bWasChecking = m_bCheckingSize;
    m_bCheckingSize = TRUE;
    try
    {
        ExchangeFields(pDX);
    }
    catch (...)
    {
        m_bCheckingSize = bWasChecking;
        throw;
    }
    m_bCheckingSize = bWasChecking;
}

void CTemplateLayoutPage::ExchangeFields(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_LAYOUT_ROWS, m_nRows);
    DDV_MinMaxInt(pDX, m_nRows, 1, kMaxRowsOrColumns);
    DDX_Text(pDX, IDC_LAYOUT_COLUMNS, m_nColumns);
    DDV_MinMaxInt(pDX, m_nColumns, 1, kMaxRowsOrColumns);
    DDX_Check(pDX, IDC_LAYOUT_BY_ITEMS, m_bByItems);
    DDX_Check(pDX, IDC_LAYOUT_SPLIT_COLUMNS, m_bSplitColumns);
    DDX_Text(pDX, IDC_LAYOUT_SPLIT_NUMBER, m_nSplitNumber);
    DDV_MinMaxInt(pDX, m_nSplitNumber, 1, kMaxSplitNumber);
}

BOOL CTemplateLayoutPage::OnInitDialog()
{
    CDialog::OnInitDialog();
    if (GetReportConnection().AreItemRecordsetsOpen())
    {
        CheckDlgButton(IDC_LAYOUT_ITEMS_AS_ROWS, BST_CHECKED);
        EnableDlgItem(this, IDC_LAYOUT_ITEMS_AS_ROWS, m_bItemsAsRowsEnabled);
        EnableDlgItem(this, IDC_LAYOUT_ITEMS_AS_COLUMNS, m_bItemsAsColumnsEnabled);
        EnableDlgItem(this, IDC_LAYOUT_SPLIT_COLUMNS, FALSE);
        EnableDlgItem(this, IDC_LAYOUT_SPLIT_NUMBER, FALSE);
    }
    else
    {
        // Without the item lists only a grid can be made.
        for (int nID : { IDC_LAYOUT_BY_ITEMS, IDC_LAYOUT_ITEMS_AS_ROWS, IDC_LAYOUT_ITEMS_AS_COLUMNS,
                         IDC_LAYOUT_SPLIT_COLUMNS, IDC_LAYOUT_SPLIT_NUMBER })
            EnableDlgItem(this, nID, FALSE);
    }
    return TRUE;
}

void CTemplateLayoutPage::OnKillFocusSize()
{
    // The range message takes the focus from the next field, and the check
    // gives it back to the field in error: neither checks again.
    if (!m_bCheckingSize)
        UpdateData(TRUE);
}

void CTemplateLayoutPage::OnByItems()
{
    m_bByItems = !m_bByItems;
    m_bColumnsEnabled = !m_bColumnsEnabled;
    m_bRowsEnabled = !m_bRowsEnabled;
    m_bItemsAsRowsEnabled = !m_bItemsAsRowsEnabled;
    m_bItemsAsColumnsEnabled = !m_bItemsAsColumnsEnabled;
    EnableDlgItem(this, IDC_LAYOUT_ROWS, m_bRowsEnabled);
    EnableDlgItem(this, IDC_LAYOUT_COLUMNS, m_bColumnsEnabled);
    EnableDlgItem(this, IDC_LAYOUT_ITEMS_AS_COLUMNS, m_bItemsAsColumnsEnabled);
    EnableDlgItem(this, IDC_LAYOUT_ITEMS_AS_ROWS, m_bItemsAsRowsEnabled);
    EnableDlgItem(this, IDC_LAYOUT_SPLIT_NUMBER, m_bByItems && m_bSplitColumns);
    EnableDlgItem(this, IDC_LAYOUT_SPLIT_COLUMNS, m_bByItems);
    if (m_pFinishButton != NULL)
        m_pFinishButton->EnableWindow(m_bRowsEnabled);
    if (m_pNextButton != NULL)
        m_pNextButton->EnableWindow(m_bItemsAsColumnsEnabled);
}

void CTemplateLayoutPage::OnSplitColumns()
{
    UpdateData(TRUE);
    EnableDlgItem(this, IDC_LAYOUT_SPLIT_NUMBER, m_bSplitColumns);
}
