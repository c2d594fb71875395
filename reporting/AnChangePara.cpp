#include "reporting/AnChangePara.h"

#include "framework/core/MessageSink.h"
#include "reporting/AnalysisCalc.h"
#include "reporting/AnalysisWzdDlg.h"
#include "sheet/document/TallyformDoc.h"
#include "view/DialogPlacement.h"
#include "AnalysisIds.h"
#include "TemplateWizardIds.h"

CAnChangePara::CAnChangePara(CWnd* pParent)
    : CDialog(IDD_AN_CHANGE_PARA, pParent), m_pDoc(NULL), m_nPage(IDD_AN_SELECT_ORGAN), m_pageRowItems(NULL),
      m_pageColItems(NULL), m_stepOrgans(NULL), m_stepProps(NULL), m_stepTimes(NULL)
{
}

CDialog* CAnChangePara::StepOf(int nPage)
{
    switch (nPage)
    {
    case IDD_AN_SELECT_ORGAN: return &m_stepOrgans;
    case IDD_AN_SELECT_PROP: return &m_stepProps;
    case IDD_AN_SELECT_TIME: return &m_stepTimes;
    case IDD_SELECT_ROW_ITEMS: return &m_pageRowItems;
    case IDD_SELECT_COL_ITEMS: return &m_pageColItems;
    default: return NULL;
    }
}

BOOL CAnChangePara::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_stepOrgans.m_pDoc = m_stepProps.m_pDoc = m_stepTimes.m_pDoc = m_pDoc;
    m_pageRowItems.m_pOwner = m_pageColItems.m_pOwner = m_pDoc;
    LoadAnalysisItemCodes(m_pDoc->m_sheet);
    CDialog* pStep = StepOf(m_nPage);
    if (pStep != NULL)
        CreateStepOver(*this, *pStep, m_nPage, ControlRectInClient(*this, IDC_WIZARD_FRAME), TRUE);
    switch (m_nPage)
    {
    case IDD_AN_SELECT_ORGAN: SetWindowText("Change Analysis Orgnizations"); break;
    case IDD_AN_SELECT_PROP: SetWindowText("Change Analysis Properties"); break;
    case IDD_AN_SELECT_TIME: SetWindowText("Change Analysis Times"); break;
    case IDD_SELECT_ROW_ITEMS: SetWindowText("Change Analysis Row Items"); break;
    case IDD_SELECT_COL_ITEMS: SetWindowText("Change Analysis Column Items"); break;
    default: break;
    }
    return TRUE;
}

BOOL CAnChangePara::SaveStep()
{
    switch (m_nPage)
    {
    case IDD_SELECT_ROW_ITEMS:
        if (!m_pageRowItems.HasSelection())
            return FALSE;
        m_pageRowItems.SaveSelection();
        break;
    case IDD_SELECT_COL_ITEMS:
        // An empty list would leave headers naming nothing.
        if (m_pageColItems.m_listSelected.GetCount() == 0)
        {
            AfxMessageBox(kEmptyItemChoice, MB_OK);
            return FALSE;
        }
        m_pageColItems.SaveSelection();
        break;
    case IDD_AN_SELECT_PROP:
        if (!m_stepProps.HasSelection())
            return FALSE;
        m_stepProps.SaveSelection();
        return TRUE;
    case IDD_AN_SELECT_ORGAN:
        if (!m_stepOrgans.HasSelection())
            return FALSE;
        m_stepOrgans.SaveSelection();
        return TRUE;
    case IDD_AN_SELECT_TIME:
        if (!m_stepTimes.HasSelection())
            return FALSE;
        m_stepTimes.SaveSelection();
        return TRUE;
    default:
        return FALSE;
    }
    StoreAnalysisItemCodes(m_pDoc->m_sheet);
    return TRUE;
}

void CAnChangePara::OnOK()
{
    CDialog* pStep = StepOf(m_nPage);
    if (pStep == NULL || pStep->m_hWnd == NULL || !pStep->UpdateData(TRUE) || !SaveStep())
        return;
    CAnalysisCalc calc;
    calc.m_pDoc = m_pDoc;
    calc.RecomputeAfterChange();
    EndDialog(IDOK);
}
