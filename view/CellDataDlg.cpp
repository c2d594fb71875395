#include "view/CellDataDlg.h"

#include "framework/windows/DataExchange.h"
#include "sheet/Cell.h"
#include "view/AnalysisFormulaField.h"
#include "view/ItemChoice.h"
#include "CellDefineIds.h"

namespace
{
const char* const kValueTypes[] = { "Numeric", "Text", "Picture" };
const char* const kUnits[] = { "One", "Hundred", "Thousand", "Million", "Billion" };
const char* const kCurrencies[] = { "USD", "EUR", "JPY", "CHF", "GBP", "CAD", "AUD", "HKD", "CNY" };
// The per-mille entry carries a character the ANSI code page may lack.
const WCHAR* const kFormats[] = { L"Float(16.4)", L"With separator (,)", L"Science", L"Percent(%)",
                                  L"Thousandth(\x2030)" };

// The controls value types 1 and 2 take out of use.
const UINT kFormatControls[] = { IDC_NUMERIC_FORMAT, IDC_NUMERIC_CURRENCY, IDC_NUMERIC_UNIT };
const UINT kItemControls[] = { IDC_NUMERIC_ROWITEM, IDC_NUMERIC_ROWITEM_EDIT, IDC_NUMERIC_COLITEM,
                               IDC_NUMERIC_COLITEM_EDIT };

template <size_t N>
void FillList(CWnd* pDialog, UINT nID, const char* const (&items)[N])
{
    for (const char* pszItem : items)
        pDialog->SendDlgItemMessage(nID, CB_ADDSTRING, 0, (LPARAM)pszItem);
}
} // namespace

BEGIN_MESSAGE_MAP(CCellDataDlg, CDialog)
    ON_CBN_SELCHANGE(IDC_NUMERIC_TYPE, OnTypeChange)
    ON_BN_CLICKED(IDC_NUMERIC_ROWITEM, OnRowItem)
    ON_BN_CLICKED(IDC_NUMERIC_COLITEM, OnColItem)
    ON_BN_CLICKED(IDC_CELL_ANALYSIS, OnAnalysis)
END_MESSAGE_MAP()

CCellDataDlg::CCellDataDlg()
    : CDialog(IDD_CELL_NUMERIC), m_nValueType(0), m_nNumberFormat(0), m_nCurType(0), m_nUnit(0)
{
}

BOOL CCellDataDlg::OnInitDialog()
{
    FillList(this, IDC_NUMERIC_TYPE, kValueTypes);
    for (const WCHAR* pszFormat : kFormats)
        ::SendDlgItemMessageW(m_hWnd, IDC_NUMERIC_FORMAT, CB_ADDSTRING, 0, (LPARAM)pszFormat);
    FillList(this, IDC_NUMERIC_UNIT, kUnits);
    FillList(this, IDC_NUMERIC_CURRENCY, kCurrencies);
    // A cell holds item codes of at most 8 characters.
    SendDlgItemMessage(IDC_NUMERIC_ROWITEM_EDIT, EM_LIMITTEXT, CELL_CODE_LEN - 1);
    SendDlgItemMessage(IDC_NUMERIC_COLITEM_EDIT, EM_LIMITTEXT, CELL_CODE_LEN - 1);
    CDialog::OnInitDialog();
    EnableForType(m_nValueType);
    ShowAnalysisFormula(this, m_strAnalysis);
    return TRUE;
}

void CCellDataDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_CBIndex(pDX, IDC_NUMERIC_TYPE, m_nValueType);
    DDX_CBIndex(pDX, IDC_NUMERIC_FORMAT, m_nNumberFormat);
    DDX_CBIndex(pDX, IDC_NUMERIC_UNIT, m_nUnit);
    DDX_CBIndex(pDX, IDC_NUMERIC_CURRENCY, m_nCurType);
    DDX_Text(pDX, IDC_NUMERIC_ROWITEM_EDIT, m_strRowItem);
    DDX_Text(pDX, IDC_NUMERIC_COLITEM_EDIT, m_strColItem);
    TakeAnalysisFormula(pDX, m_strAnalysis);
}

void CCellDataDlg::EnableForType(int nType)
{
    for (UINT nID : kFormatControls)
        if (CWnd* pControl = GetDlgItem(nID))
            pControl->EnableWindow(nType == 0);
    for (UINT nID : kItemControls)
        if (CWnd* pControl = GetDlgItem(nID))
            pControl->EnableWindow(nType != 2);
}

void CCellDataDlg::OnTypeChange()
{
    EnableForType((int)SendDlgItemMessage(IDC_NUMERIC_TYPE, CB_GETCURSEL));
}

void CCellDataDlg::TakeItemCode(int nTable, UINT nIDEdit, CString& strCode)
{
    CString strChosen, strName;
    if (!ChooseItem(nTable, strChosen, strName) || !FitsItemField(strChosen))
        return;
    strCode = strChosen;
    SetDlgItemText(nIDEdit, strCode);
}

void CCellDataDlg::OnRowItem()
{
    TakeItemCode(1, IDC_NUMERIC_ROWITEM_EDIT, m_strRowItem);
}

void CCellDataDlg::OnColItem()
{
    TakeItemCode(2, IDC_NUMERIC_COLITEM_EDIT, m_strColItem);
}

void CCellDataDlg::OnAnalysis()
{
    EnableAnalysisEdit(this);
}
