#include "view/DefCellDataPage.h"

#include "sheet/Sheet.h"
#include "view/CellPick.h"
#include "view/TallyformView.h"
#include "CellDefineIds.h"

namespace
{
struct TypeEntry
{
    LPCSTR pszName;
    int nType;
};

const TypeEntry kTypes[] = {
    { "Normal", CELL_NORMAL }, { "Text", CELL_TEXT }, { "Data", CELL_NUMERIC },
    { "Organ Code", CELL_ORGANCODE }, { "Organ Name", CELL_ORGAN },
    { "Report Date", CELL_REPORTDATE }, { "Formula", CELL_FORMULA }, { "Picture", CELL_PICTURE },
};
} // namespace

BEGIN_MESSAGE_MAP(CDefCellDataPage, CPropertyPage)
    ON_LBN_SELCHANGE(IDC_CELLDATA_TYPES, OnTypeChange)
END_MESSAGE_MAP()

CDefCellDataPage::CDefCellDataPage(CTallyformView* pView)
    : CPropertyPage(IDD_DEF_CELLDATA), m_pSheet(NULL), m_nCurCell(-1), m_nType(-1),
      m_nPrevType(-1), m_bTypeLocked(0), m_bMixedTypes(0), m_bTextChanged(0),
      m_bDynamicChosen(0), m_formulaDlg(pView), m_pView(pView)
{
}

CDialog* CDefCellDataPage::ChildOf(int nType)
{
    switch (nType)
    {
    case CELL_TEXT: return &m_textDlg;
    case CELL_NUMERIC: return &m_numericDlg;
    case CELL_REPORTDATE: return &m_dateDlg;
    case CELL_FORMULA: return &m_formulaDlg;
    case CELL_PICTURE: return &m_pictureDlg;
    default: return NULL;
    }
}

BOOL CDefCellDataPage::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    m_typeList.SubclassDlgItem(IDC_CELLDATA_TYPES, this);
    m_typeList.m_bLocked = m_pSheet != NULL && m_bTypeLocked;

    CRect rcDetail(0, 0, 0, 0);
    if (CWnd* pDetail = GetDlgItem(IDC_CELLDATA_DETAIL))
    {
        pDetail->GetWindowRect(&rcDetail);
        ScreenToClient(&rcDetail);
    }
    rcDetail.left += 5;
    rcDetail.top += 15;
    rcDetail.right -= 7;
    rcDetail.bottom -= 10;
    const int types[] = { CELL_NUMERIC, CELL_REPORTDATE, CELL_FORMULA, CELL_TEXT, CELL_PICTURE };
    for (int nType : types)
    {
        CDialog* pChild = ChildOf(nType);
        if (pChild->Create(pChild->m_lpszTemplateName, this))
            pChild->SetWindowPos(NULL, rcDetail.left, rcDetail.top, rcDetail.Width(), rcDetail.Height(),
                                 SWP_NOZORDER | SWP_NOACTIVATE | SWP_HIDEWINDOW);
    }
    if (m_bMixedTypes)
        return TRUE;
    for (const TypeEntry& entry : kTypes)
    {
        const int nItem = m_typeList.AddString(entry.pszName);
        m_typeList.SetItemData(nItem, (DWORD_PTR)entry.nType);
        if (entry.nType == m_nType)
            m_typeList.SetCurSel(nItem);
    }
    ShowChild(m_nType, TRUE);
    return TRUE;
}

void CDefCellDataPage::StartPicking()
{
    CWnd* pSheet = GetParent();
    if (!IsCellPicking() && pSheet != NULL && BeginCellPick(pSheet->m_hWnd) && m_pView != NULL)
        m_pView->m_bCellPickMode = TRUE;
}

void CDefCellDataPage::StopPicking()
{
    if (!IsCellPicking())
        return;
    CWnd* pSheet = GetParent();
    EndCellPick(pSheet != NULL ? pSheet->m_hWnd : NULL);
    if (m_pView != NULL)
        m_pView->m_bCellPickMode = FALSE;
}

void CDefCellDataPage::ShowChild(int nType, BOOL bShow)
{
    CDialog* pChild = ChildOf(nType);
    if (pChild == NULL || pChild->m_hWnd == NULL)
        return;
    if (bShow && nType == CELL_TEXT)
    {
        const BOOL bMixed = m_textDlg.m_nMixed == -1;
        m_textDlg.CheckDlgButton(IDC_TEXT_STATIC, !bMixed && !m_textDlg.m_nDynamic ? BST_CHECKED : BST_UNCHECKED);
        m_textDlg.CheckDlgButton(IDC_TEXT_DYNAMIC, !bMixed && m_textDlg.m_nDynamic ? BST_CHECKED : BST_UNCHECKED);
    }
    pChild->ShowWindow(bShow ? SW_SHOW : SW_HIDE);
    if (nType == CELL_FORMULA)
    {
        if (bShow)
            StartPicking();
        else
            StopPicking();
    }
}

void CDefCellDataPage::OnTypeChange()
{
    const int nItem = m_typeList.GetCurSel();
    if (nItem < 0)
        return;
    m_nPrevType = m_nType;
    m_nType = (int)m_typeList.GetItemData(nItem);
    ShowChild(m_nPrevType, FALSE);
    ShowChild(m_nType, TRUE);
}

BOOL CDefCellDataPage::OnSetActive()
{
    if (m_nType == CELL_FORMULA)
        StartPicking();
    return CPropertyPage::OnSetActive();
}

BOOL CDefCellDataPage::OnKillActive()
{
    CDialog* pChild = ChildOf(m_nType);
    if (pChild != NULL && pChild->m_hWnd != NULL)
    {
        if (m_nType == CELL_FORMULA && !m_formulaDlg.CheckFormula())
            return FALSE;
        if (!pChild->UpdateData(TRUE))
            return FALSE;
        if (m_nType == CELL_TEXT)
        {
            if (m_textDlg.m_strText != m_textDlg.m_strStartText)
                m_bTextChanged = 1;
            if (m_textDlg.m_nMixed == -1 && m_textDlg.GetChosenType() >= 0)
                m_bDynamicChosen = 1;
        }
    }
    StopPicking();
    return CPropertyPage::OnKillActive();
}

void CDefCellDataPage::TakePickedCell(LPARAM lParam)
{
    if (m_nType == CELL_FORMULA && m_formulaDlg.m_hWnd != NULL)
        m_formulaDlg.TakePickedCell(lParam);
}
