#include "view/FormulaExplainDlg.h"

#include "framework/docview/WinApp.h"
#include "sheet/document/TallyformDoc.h"
#include "view/TallyformView.h"
#include "SheetDialogIds.h"

namespace
{
struct ButtonPicture
{
    UINT nButton;
    UINT nBitmap;
    LPCSTR pszTip;
};

const ButtonPicture kButtons[] = {
    { IDC_EXPLAIN_PLUS, IDB_EXPLAIN_PLUS, "+" },
    { IDC_EXPLAIN_MINUS, IDB_EXPLAIN_MINUS, "-" },
    { IDC_EXPLAIN_TIMES, IDB_EXPLAIN_TIMES, "*" },
    { IDC_EXPLAIN_DIVIDE, IDB_EXPLAIN_DIVIDE, "/" },
    { IDC_EXPLAIN_OPEN, IDB_EXPLAIN_OPEN, "(" },
    { IDC_EXPLAIN_CLOSE, IDB_EXPLAIN_CLOSE, ")" },
    { IDOK, IDB_EXPLAIN_OK, "OK" },
    { IDCANCEL, IDB_EXPLAIN_CANCEL, "Cancel" },
};

const ButtonPicture kOtherTips[] = {
    { IDC_EXPLAIN_EXPLAIN, 0, "Formula Explain" },
    { IDC_EXPLAIN_FORMULA, 0, "Formula" },
    { IDC_EXPLAIN_NOTE, 0, "Note" },
};

char OperatorOf(UINT nID)
{
    switch (nID)
    {
    case IDC_EXPLAIN_PLUS: return '+';
    case IDC_EXPLAIN_MINUS: return '-';
    case IDC_EXPLAIN_TIMES: return '*';
    case IDC_EXPLAIN_DIVIDE: return '/';
    case IDC_EXPLAIN_OPEN: return '(';
    default: return ')';
    }
}
} // namespace

BEGIN_MESSAGE_MAP(CFormulaExplainDlg, CCellPickDialog)
    ON_WM_NCHITTEST()
    ON_COMMAND_RANGE(IDC_EXPLAIN_PLUS, IDC_EXPLAIN_DIVIDE, OnOperator)
    ON_COMMAND_RANGE(IDC_EXPLAIN_OPEN, IDC_EXPLAIN_CLOSE, OnBracket)
    ON_BN_CLICKED(IDC_EXPLAIN_EXPLAIN, OnExplain)
END_MESSAGE_MAP()

CFormulaExplainDlg::CFormulaExplainDlg(CTallyformView* pView, LPCSTR pszFormula, int nCheckMode)
    : CCellPickDialog(IDD_FORMULA_EXPLAIN, pView, IDC_EXPLAIN_FORMULA), m_nCheckMode(nCheckMode),
      m_strFormula(pszFormula), m_nFirstSelected(-1)
{
    CSheet* pSheet = pView != NULL ? pView->GetSheet() : NULL;
    if (pSheet != NULL && pSheet->m_arrSel.GetSize() > 0)
        m_nFirstSelected = (int)pSheet->m_arrSel[0];
}

void CFormulaExplainDlg::LoadButtonImages()
{
    for (size_t i = 0; i < sizeof(kButtons) / sizeof(kButtons[0]); ++i)
    {
        CWnd* pButton = GetDlgItem(kButtons[i].nButton);
        if (pButton != NULL && m_bitmaps[i].LoadMappedBitmap(kButtons[i].nBitmap))
            pButton->SendMessage(BM_SETIMAGE, IMAGE_BITMAP, (LPARAM)(HBITMAP)m_bitmaps[i]);
    }
}

void CFormulaExplainDlg::AddToolTips()
{
    if (!m_toolTips.Create(this, TTS_ALWAYSTIP))
        return;
    for (const ButtonPicture& button : kButtons)
        if (CWnd* pWnd = GetDlgItem(button.nButton))
            m_toolTips.AddTool(pWnd, button.pszTip);
    for (const ButtonPicture& other : kOtherTips)
        if (CWnd* pWnd = GetDlgItem(other.nButton))
            m_toolTips.AddTool(pWnd, other.pszTip);
    m_toolTips.Activate(TRUE);
}

void CFormulaExplainDlg::PlaceOverMainWindow()
{
    CWnd* pMain = AfxGetMainWnd();
    if (pMain == NULL || pMain->m_hWnd == NULL)
        return;
    CRect rcMain, rcDialog;
    pMain->GetWindowRect(&rcMain);
    GetWindowRect(&rcDialog);
    const int x = rcMain.left + (rcMain.Width() - rcDialog.Width()) / 2;
    SetWindowPos(NULL, x, rcMain.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

BOOL CFormulaExplainDlg::OnInitDialog()
{
    CCellPickDialog::OnInitDialog();
    LoadButtonImages();
    SetDlgItemText(IDC_EXPLAIN_FORMULA, m_strFormula);
    PlaceOverMainWindow();
    AddToolTips();
    StartPicking();
    return TRUE;
}

BOOL CFormulaExplainDlg::PreTranslateMessage(MSG* pMsg)
{
    if (m_toolTips.m_hWnd != NULL)
        m_toolTips.RelayEvent(pMsg);
    return CCellPickDialog::PreTranslateMessage(pMsg);
}

LRESULT CFormulaExplainDlg::OnNcHitTest(CPoint point)
{
    // Any free spot of the client area drags the dialog.
    const LRESULT nHit = CCellPickDialog::OnNcHitTest(point);
    return nHit == HTCLIENT ? HTCAPTION : nHit;
}

void CFormulaExplainDlg::OnBracket(UINT nID)
{
    const char sz[2] = { OperatorOf(nID), '\0' };
    InsertIntoFormula(sz);
}

void CFormulaExplainDlg::OnOperator(UINT nID)
{
    const char sz[2] = { OperatorOf(nID), '\0' };
    CSheet* pSheet = m_pView->GetSheet();
    if (pSheet == NULL || pSheet->m_arrSel.GetSize() < 2)
    {
        InsertIntoFormula(sz);
        return;
    }
    // The selected cells' names joined by the operator.
    CString strJoined;
    for (INT_PTR n = 0; n < pSheet->m_arrSel.GetSize(); ++n)
    {
        const CCell* pCell = pSheet->GetSelectedCell((int)n);
        if (pCell == NULL)
            continue;
        if (!strJoined.IsEmpty())
            strJoined += sz;
        strJoined += pCell->m_strName;
    }
    InsertIntoFormula(strJoined);
}

BOOL CFormulaExplainDlg::CheckFormula()
{
    return CheckFormulaEdit(m_nCheckMode == 0, m_nFirstSelected);
}

void CFormulaExplainDlg::OnExplain()
{
    if (!CheckFormula())
        return;
    ShowExplanation(IDC_EXPLAIN_NOTE);
}

void CFormulaExplainDlg::OnOK()
{
    if (!CheckFormula())
        return;
    m_strFormula = GetFormulaText();
    EndDialog(IDOK);
}
