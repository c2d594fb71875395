#include "engines/common/ConfirmDialogPrompt.h"

#include "engines/common/OverwritePrompt.h"
#include "engines/common/PeriodLabel.h"
#include "engines/common/UpdateConfirmDlg.h"
#include "framework/core/MessageSink.h"

CConfirmDialogPrompt::CConfirmDialogPrompt(UINT nIDWarningBitmap) : m_nIDWarningBitmap(nIDWarningBitmap)
{
}

int CConfirmDialogPrompt::Ask(const CReportOverwriteQuestion& question)
{
    CReportOverwriteQuestion shown = question;
    shown.m_strPeriodCode = PeriodLabelText(question.m_strPeriodCode);
    if (AfxGetMessageSink() != NULL)
        return CMessageOverwritePrompt().Ask(shown);
    CUpdateConfirmDlg dlg(m_nIDWarningBitmap);
    dlg.m_strReportDate = shown.m_strPeriodCode;
    dlg.m_strOrgan = shown.m_strOrgan;
    dlg.m_strRowItem = shown.m_strRowItem;
    dlg.m_strColItem = shown.m_strColItem;
    dlg.m_strLine = shown.m_strLine;
    dlg.m_strOldData = shown.m_strOldData;
    dlg.m_strCurrentData = shown.m_strCurrentData;
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
