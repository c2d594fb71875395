#include "reporting/AnalysisWzdDlg.h"

#include "framework/windows/DlgItem.h"
#include "framework/core/MessageSink.h"
#include "framework/windows/Dc.h"
#include "sheet/document/TallyformDoc.h"
#include "view/DialogPlacement.h"
#include "AnalysisIds.h"
#include "TemplateWizardIds.h"

namespace
{
const char kStepDimensions[] = "Step 2:Select Analysis Dimensions";
const char kStepOrgansNext[] = "Setp 3:Select Analysis Orgnizations";
const char kStepOrgansBack[] = "Setp 3:Select Analysis Organizations";
const char kStepProperties[] = "Setp 3:Select Analysis Properties";
const char kStepTimes[] = "Setp 4:Select Analysis Times";
const char kStepRowItems[] = "Setp 5:Select Analysis Row Items";
const char kStepColItems[] = "Setp 6:Select Analysis Column Items";
// The steps in the order they are made and their data moved on Finish.
const int kStepOrder[] = { IDD_TEMPLATE_INFO, IDD_AN_SELECT_DIM, IDD_AN_SELECT_ORGAN, IDD_AN_SELECT_PROP,
                           IDD_AN_SELECT_TIME, IDD_SELECT_ROW_ITEMS, IDD_SELECT_COL_ITEMS };
} // namespace

void LoadAnalysisItemCodes(CSheet& sheet)
{
    CopyStringList(sheet.m_lstRowItemCodes, sheet.m_lstAnRowItems);
    CopyStringList(sheet.m_lstColItemCodes, sheet.m_lstAnColItems);
}

void StoreAnalysisItemCodes(CSheet& sheet)
{
    CopyStringList(sheet.m_lstAnRowItems, sheet.m_lstRowItemCodes);
    CopyStringList(sheet.m_lstAnColItems, sheet.m_lstColItemCodes);
}

BEGIN_MESSAGE_MAP(CAnalysisWzdDlg, CDialog)
    ON_WM_PAINT()
    ON_WM_DESTROY()
    ON_BN_CLICKED(IDC_WIZARD_NEXT, OnNext)
    ON_BN_CLICKED(IDC_WIZARD_PREVIOUS, OnPrevious)
    ON_MESSAGE(WM_TEMPLATE_INFO_CHANGED, OnInfoChanged)
END_MESSAGE_MAP()

CAnalysisWzdDlg::CAnalysisWzdDlg(CWnd* pParent)
    : CDialog(IDD_CREATE_TEMPLATE, pParent), m_pageInfo(NULL), m_pageRowItems(NULL), m_pageColItems(NULL),
      m_stepDim(NULL), m_stepOrgans(NULL), m_stepProps(NULL), m_stepTimes(NULL), m_nCurStep(IDD_TEMPLATE_INFO),
      m_nStepBitmap(IDB_WIZARD_STEP1), m_pDoc(NULL)
{
}

CDialog* CAnalysisWzdDlg::StepOf(int nStep)
{
    switch (nStep)
    {
    case IDD_TEMPLATE_INFO: return &m_pageInfo;
    case IDD_AN_SELECT_DIM: return &m_stepDim;
    case IDD_AN_SELECT_ORGAN: return &m_stepOrgans;
    case IDD_AN_SELECT_PROP: return &m_stepProps;
    case IDD_AN_SELECT_TIME: return &m_stepTimes;
    case IDD_SELECT_ROW_ITEMS: return &m_pageRowItems;
    case IDD_SELECT_COL_ITEMS: return &m_pageColItems;
    default: return NULL;
    }
}

BOOL CAnalysisWzdDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_stepDim.m_pDoc = m_stepOrgans.m_pDoc = m_stepProps.m_pDoc = m_stepTimes.m_pDoc = m_pDoc;
    m_pageRowItems.m_pOwner = m_pageColItems.m_pOwner = m_pDoc;
    m_stepDim.m_nKind = m_pDoc->m_sheet.m_bAnalysisFlag != 0 ? 1 : 0;
    LoadAnalysisItemCodes(m_pDoc->m_sheet);
    const CRect rcFrame = ControlRectInClient(*this, IDC_WIZARD_FRAME);
    for (int nStep : kStepOrder)
        CreateStepOver(*this, *StepOf(nStep), nStep, rcFrame, nStep == IDD_TEMPLATE_INFO);
    m_nCurStep = IDD_TEMPLATE_INFO;
    CString strCaption;
    strCaption.LoadString(IDS_WIZARD_STEP1);
    SetWindowText(strCaption);
    EnableDlgItem(this, IDC_WIZARD_PREVIOUS, FALSE);
    EnableDlgItem(this, IDOK, FALSE);
    EnableDlgItem(this, IDC_WIZARD_NEXT, m_pageInfo.m_hWnd != NULL && m_pageInfo.IsComplete());
    return TRUE;
}

LRESULT CAnalysisWzdDlg::OnInfoChanged(WPARAM, LPARAM)
{
    if (m_nCurStep == IDD_TEMPLATE_INFO && m_pageInfo.m_hWnd != NULL)
        EnableDlgItem(this, IDC_WIZARD_NEXT, m_pageInfo.IsComplete());
    return 0;
}

void CAnalysisWzdDlg::ShowStep(int nStep, LPCSTR pszCaption, int nBitmap)
{
    ReleaseStepPicture(*this, IDC_WIZARD_STEP_PICTURE);
    SwapShownStep(StepOf(m_nCurStep), StepOf(nStep));
    m_nCurStep = nStep;
    SetWindowText(pszCaption);
    m_nStepBitmap = nBitmap;
    InvalidateStepPicture(*this, IDC_WIZARD_STEP_PICTURE);
}

void CAnalysisWzdDlg::OnNext()
{
    switch (m_nCurStep)
    {
    case IDD_TEMPLATE_INFO:
        // The times are offered in the period type the template is given.
        m_stepTimes.ChoosePeriodType(m_pageInfo.ChosenPeriodType());
        ShowStep(IDD_AN_SELECT_DIM, kStepDimensions, IDB_WIZARD_STEP2);
        EnableDlgItem(this, IDC_WIZARD_PREVIOUS, TRUE);
        return;
    case IDD_AN_SELECT_DIM:
        // A side without a dimension gives no layout.
        if (!m_stepDim.HasSelection())
            return;
        if (m_stepDim.m_nKind == 0)
            ShowStep(IDD_AN_SELECT_ORGAN, kStepOrgansNext, IDB_WIZARD_STEP3);
        else
            ShowStep(IDD_AN_SELECT_PROP, kStepProperties, IDB_WIZARD_STEP3);
        break;
    case IDD_AN_SELECT_ORGAN:
        if (!m_stepOrgans.HasSelection())
            return;
        ShowStep(IDD_AN_SELECT_TIME, kStepTimes, IDB_WIZARD_STEP4);
        break;
    case IDD_AN_SELECT_PROP:
        if (!m_stepProps.HasSelection())
            return;
        ShowStep(IDD_AN_SELECT_TIME, kStepTimes, IDB_WIZARD_STEP4);
        break;
    case IDD_AN_SELECT_TIME:
        if (!m_stepTimes.HasSelection())
            return;
        ShowStep(IDD_SELECT_ROW_ITEMS, kStepRowItems, IDB_WIZARD_STEP3);
        break;
    case IDD_SELECT_ROW_ITEMS:
        if (!m_pageRowItems.HasSelection())
            return;
        ShowStep(IDD_SELECT_COL_ITEMS, kStepColItems, IDB_WIZARD_STEP3);
        EnableDlgItem(this, IDOK, TRUE);
        EnableDlgItem(this, IDC_WIZARD_NEXT, FALSE);
        return;
    default:
        return;
    }
    EnableDlgItem(this, IDOK, FALSE);
    EnableDlgItem(this, IDC_WIZARD_NEXT, TRUE);
}

void CAnalysisWzdDlg::OnPrevious()
{
    switch (m_nCurStep)
    {
    case IDD_SELECT_COL_ITEMS:
        ShowStep(IDD_SELECT_ROW_ITEMS, kStepRowItems, IDB_WIZARD_STEP3);
        break;
    case IDD_SELECT_ROW_ITEMS:
        ShowStep(IDD_AN_SELECT_TIME, kStepTimes, IDB_WIZARD_STEP2);
        break;
    case IDD_AN_SELECT_TIME:
        if (m_stepDim.m_nKind == 0)
            ShowStep(IDD_AN_SELECT_ORGAN, kStepOrgansBack, IDB_WIZARD_STEP2);
        else
            ShowStep(IDD_AN_SELECT_PROP, kStepProperties, IDB_WIZARD_STEP2);
        break;
    case IDD_AN_SELECT_ORGAN:
    case IDD_AN_SELECT_PROP:
        ShowStep(IDD_AN_SELECT_DIM, kStepDimensions, IDB_WIZARD_STEP2);
        break;
    case IDD_AN_SELECT_DIM:
    {
        CString strCaption;
        strCaption.LoadString(IDS_WIZARD_STEP1);
        ShowStep(IDD_TEMPLATE_INFO, strCaption, IDB_WIZARD_STEP1);
        EnableDlgItem(this, IDC_WIZARD_PREVIOUS, FALSE);
        break;
    }
    default:
        return;
    }
    EnableDlgItem(this, IDOK, FALSE);
    EnableDlgItem(this, IDC_WIZARD_NEXT, TRUE);
}

void CAnalysisWzdDlg::OnOK()
{
    for (int nStep : kStepOrder)
    {
        CDialog* pStep = StepOf(nStep);
        if (pStep->m_hWnd != NULL && !pStep->UpdateData(TRUE))
            return;
    }
    // An empty column-item list would give a report without data cells.
    if (m_pageColItems.m_listSelected.m_hWnd == NULL || m_pageColItems.m_listSelected.GetCount() == 0)
    {
        AfxMessageBox(kEmptyItemChoice, MB_OK);
        return;
    }
    m_stepDim.SaveSelection();
    m_stepOrgans.SaveSelection();
    m_stepProps.SaveSelection();
    m_pageRowItems.SaveSelection();
    m_pageColItems.SaveSelection();
    StoreAnalysisItemCodes(m_pDoc->m_sheet);
    m_stepTimes.SaveSelection();
    EndDialog(IDOK);
}

void CAnalysisWzdDlg::OnPaint()
{
    CPaintDC dc(this);
    PaintStepPicture(*this, dc.m_hDC, IDC_WIZARD_STEP_PICTURE, m_nStepBitmap);
}

void CAnalysisWzdDlg::OnDestroy()
{
    ReleaseStepPicture(*this, IDC_WIZARD_STEP_PICTURE);
    for (int nStep : kStepOrder)
    {
        CDialog* pStep = StepOf(nStep);
        if (pStep->m_hWnd != NULL)
            pStep->DestroyWindow();
    }
    CDialog::OnDestroy();
}
