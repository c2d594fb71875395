#include "view/CreateTemplateDlg.h"

#include "framework/windows/DlgItem.h"
#include "framework/core/MessageSink.h"
#include "framework/windows/Dc.h"
#include "view/DialogPlacement.h"
#include "TemplateWizardIds.h"

namespace
{
struct CStep
{
    int nPage;
    UINT nCaption;
    int nBitmap;
};
const CStep kSteps[] = {
    { IDD_TEMPLATE_INFO, IDS_WIZARD_STEP1, IDB_WIZARD_STEP1 },
    { IDD_TEMPLATE_LAYOUT, IDS_WIZARD_STEP2, IDB_WIZARD_STEP2 },
    { IDD_SELECT_ROW_ITEMS, IDS_WIZARD_STEP3, IDB_WIZARD_STEP3 },
    { IDD_SELECT_COL_ITEMS, IDS_WIZARD_STEP4, IDB_WIZARD_STEP4 },
};

const CStep* StepOf(int nPage)
{
    for (const CStep& step : kSteps)
        if (step.nPage == nPage)
            return &step;
    return NULL;
}
}

BEGIN_MESSAGE_MAP(CCreateTemplateDlg, CDialog)
    ON_WM_PAINT()
    ON_WM_DESTROY()
    ON_BN_CLICKED(IDC_WIZARD_NEXT, OnNext)
    ON_BN_CLICKED(IDC_WIZARD_PREVIOUS, OnPrevious)
    ON_MESSAGE(WM_TEMPLATE_INFO_CHANGED, OnInfoChanged)
END_MESSAGE_MAP()

CCreateTemplateDlg::CCreateTemplateDlg(CWnd* pParent)
    : CDialog(IDD_CREATE_TEMPLATE, pParent), m_nCurPage(IDD_TEMPLATE_INFO),
      m_nStepBitmap(IDB_WIZARD_STEP1), m_pageInfo(NULL), m_pageLayout(NULL), m_pageRowItems(NULL),
      m_pageColItems(NULL)
{
}

CDialog* CCreateTemplateDlg::PageOf(int nPage)
{
    switch (nPage)
    {
    case IDD_TEMPLATE_INFO: return &m_pageInfo;
    case IDD_TEMPLATE_LAYOUT: return &m_pageLayout;
    case IDD_SELECT_ROW_ITEMS: return &m_pageRowItems;
    case IDD_SELECT_COL_ITEMS: return &m_pageColItems;
    default: return NULL;
    }
}

BOOL CCreateTemplateDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    const CRect rcFrame = ControlRectInClient(*this, IDC_WIZARD_FRAME);
    for (const CStep& step : kSteps)
        CreateStepOver(*this, *PageOf(step.nPage), step.nPage, rcFrame, step.nPage == IDD_TEMPLATE_INFO);
    m_nCurPage = IDD_TEMPLATE_INFO;
    CString strCaption;
    strCaption.LoadString(IDS_WIZARD_STEP1);
    SetWindowText(strCaption);
    EnableDlgItem(this, IDC_WIZARD_PREVIOUS, FALSE);
    m_pageLayout.m_pNextButton = GetDlgItem(IDC_WIZARD_NEXT);
    m_pageLayout.m_pFinishButton = GetDlgItem(IDOK);
    EnableDlgItem(this, IDOK, FALSE);
    EnableDlgItem(this, IDC_WIZARD_NEXT, m_pageInfo.m_hWnd != NULL && m_pageInfo.IsComplete());
    return TRUE;
}

LRESULT CCreateTemplateDlg::OnInfoChanged(WPARAM, LPARAM)
{
    if (m_nCurPage == IDD_TEMPLATE_INFO && m_pageInfo.m_hWnd != NULL &&
        (m_pageInfo.GetStyle() & WS_VISIBLE) != 0)
        EnableDlgItem(this, IDC_WIZARD_NEXT, m_pageInfo.IsComplete());
    return 0;
}

void CCreateTemplateDlg::ShowPage(int nPage)
{
    ReleaseStaticBitmap();
    SwapShownStep(PageOf(m_nCurPage), PageOf(nPage));
    m_nCurPage = nPage;
    const CStep* pStep = StepOf(nPage);
    CString strCaption;
    strCaption.LoadString(pStep->nCaption);
    SetWindowText(strCaption);
    SetStep(pStep->nBitmap);
}

void CCreateTemplateDlg::OnNext()
{
    switch (m_nCurPage)
    {
    case IDD_TEMPLATE_INFO:
        ShowPage(IDD_TEMPLATE_LAYOUT);
        EnableDlgItem(this, IDOK, m_pageLayout.m_bRowsEnabled);
        EnableDlgItem(this, IDC_WIZARD_NEXT, m_pageLayout.m_bItemsAsColumnsEnabled);
        EnableDlgItem(this, IDC_WIZARD_PREVIOUS, TRUE);
        break;
    case IDD_TEMPLATE_LAYOUT:
        ShowPage(IDD_SELECT_ROW_ITEMS);
        break;
    case IDD_SELECT_ROW_ITEMS:
        if (m_pageRowItems.m_listSelected.m_hWnd == NULL || m_pageRowItems.m_listSelected.GetCount() == 0)
        {
            AfxMessageBox(kEmptyItemChoice, MB_OK);
            return;
        }
        ShowPage(IDD_SELECT_COL_ITEMS);
        EnableDlgItem(this, IDOK, TRUE);
        EnableDlgItem(this, IDC_WIZARD_NEXT, FALSE);
        break;
    default:
        break;
    }
}

void CCreateTemplateDlg::OnPrevious()
{
    switch (m_nCurPage)
    {
    case IDD_TEMPLATE_LAYOUT:
        ShowPage(IDD_TEMPLATE_INFO);
        EnableDlgItem(this, IDOK, FALSE);
        EnableDlgItem(this, IDC_WIZARD_NEXT, TRUE);
        break;
    case IDD_SELECT_ROW_ITEMS:
        ShowPage(IDD_TEMPLATE_LAYOUT);
        break;
    case IDD_SELECT_COL_ITEMS:
        ShowPage(IDD_SELECT_ROW_ITEMS);
        EnableDlgItem(this, IDOK, FALSE);
        EnableDlgItem(this, IDC_WIZARD_NEXT, TRUE);
        break;
    default:
        break;
    }
}

void CCreateTemplateDlg::OnOK()
{
    // A page whose values do not pass its checks keeps the wizard open
    // there: an out-of-range size must not reach the template builders.
    for (const CStep& step : kSteps)
    {
        CDialog* pPage = PageOf(step.nPage);
        if (pPage->m_hWnd == NULL || pPage->UpdateData(TRUE))
            continue;
        if (step.nPage != m_nCurPage)
        {
            ShowPage(step.nPage);
            EnableDlgItem(this, IDOK, m_pageLayout.m_bRowsEnabled);
            EnableDlgItem(this, IDC_WIZARD_NEXT, m_pageLayout.m_bItemsAsColumnsEnabled);
        }
        return;
    }
    EndDialog(IDOK);
}

void CCreateTemplateDlg::SetStep(int nBitmapID)
{
    m_nStepBitmap = nBitmapID;
    InvalidateStepPicture(*this, IDC_WIZARD_STEP_PICTURE);
}

void CCreateTemplateDlg::ReleaseStaticBitmap()
{
    ReleaseStepPicture(*this, IDC_WIZARD_STEP_PICTURE);
}

void CCreateTemplateDlg::OnPaint()
{
    CPaintDC dc(this);
    PaintStepPicture(*this, dc.m_hDC, IDC_WIZARD_STEP_PICTURE, m_nStepBitmap);
}

void CCreateTemplateDlg::OnDestroy()
{
    ReleaseStaticBitmap();
    for (const CStep& step : kSteps)
    {
        CDialog* pPage = PageOf(step.nPage);
        if (pPage->m_hWnd != NULL)
            pPage->DestroyWindow();
    }
    CDialog::OnDestroy();
}
