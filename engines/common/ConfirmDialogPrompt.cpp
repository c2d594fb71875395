#include "engines/common/ConfirmDialogPrompt.h"

#include "engines/common/PeriodLabel.h"
#include "engines/common/UpdateConfirmDlg.h"

CConfirmDialogPrompt::CConfirmDialogPrompt(UINT nIDWarningBitmap) : m_nIDWarningBitmap(nIDWarningBitmap)
{
}

int CConfirmDialogPrompt::Ask(const CReportOverwriteQuestion& question)
{
    CUpdateConfirmDlg dlg(m_nIDWarningBitmap);
    dlg.m_strReportDate = PeriodLabelText(question.m_strPeriodCode);
    dlg.m_strOrgan = question.m_strOrgan;
    dlg.m_strRowItem = question.m_strRowItem;
    dlg.m_strColItem = question.m_strColItem;
    dlg.m_strLine = question.m_strLine;
    dlg.m_strOldData = question.m_strOldData;
    dlg.m_strCurrentData = question.m_strCurrentData;
    dlg.DoModal();
    return dlg.m_nResult;
}

CDialogReportProgress::CDialogReportProgress(int nMode, UINT nIDTemplate) : m_dialog(nMode, nIDTemplate)
{
    // Without its window the load or save still runs, just unseen.
    m_dialog.Create(NULL);
}

void CDialogReportProgress::SetPos(int nPercent)
{
    m_dialog.SetPos(nPercent);
}
