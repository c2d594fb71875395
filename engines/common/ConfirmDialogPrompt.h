// The report data save's progress display and overwrite question as the
// engine libraries' own dialogs.
#pragma once

#include "engines/common/EngineProgressDlg.h"
#include "engines/common/ReportDataTransfer.h"

// Asks with CUpdateConfirmDlg.
class CConfirmDialogPrompt : public CReportOverwritePrompt
{
public:
    explicit CConfirmDialogPrompt(UINT nIDWarningBitmap);
    int Ask(const CReportOverwriteQuestion& question) override;

private:
    UINT m_nIDWarningBitmap;
};

// A progress dialog shown for the lifetime of the object.
class CDialogReportProgress : public CReportProgress
{
public:
    CDialogReportProgress(int nMode, UINT nIDTemplate);
    void SetPos(int nPercent) override;

    CEngineProgressDlg m_dialog;
};
