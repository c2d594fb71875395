// The Analysis menu: recomputing an analysis report and editing its lists
// again; and the new analysis report of the new-template flow.
#include "sheet/document/TallyformDoc.h"

#include "framework/windows/CmdUI.h"
#include "reporting/AnalysisCalc.h"
#include "reporting/AnChangePara.h"
#include "reporting/ReportConnection.h"

BOOL CTallyformDoc::CreateAnalysisReport(const CNewTemplateFields& fields)
{
    SetNewTemplateHeader(m_sheet, fields, SHEET_KIND_ANALYSIS);
    CAnalysisCalc calc;
    calc.m_pDoc = this;
    return calc.GenerateAnalysisLayout();
}

BOOL CTallyformDoc::IsAnalysisReport() const
{
    return m_sheet.m_nKind == SHEET_KIND_ANALYSIS;
}

void CTallyformDoc::OnUpdateAnalysis(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(GetConnection().IsDatabaseOpen() && !m_sheet.m_bDesignMode && IsAnalysisReport());
}

void CTallyformDoc::OnAnalysis()
{
    CAnalysisCalc calc;
    calc.m_pDoc = this;
    if (calc.RefreshAnalysisCells())
        UpdateAllViews(NULL);
}

void CTallyformDoc::OnUpdateAnalysisChange(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(GetConnection().IsDatabaseOpen() && IsAnalysisReport());
}

void CTallyformDoc::RunChangeAnalysis(int nPage)
{
    CAnChangePara dlg(NULL);
    dlg.m_pDoc = this;
    dlg.m_nPage = nPage;
    dlg.DoModal();
}
