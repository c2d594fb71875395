// CEngineProgressDlg: the modeless progress window of a report data load
// or save.  It disables its owner while it is shown and dispatches waiting
// messages at every step it shows (CProgressPace), so the program stays
// painted but takes no second command meanwhile.
#pragma once

#include "framework/windows/Dialog.h"
#include "framework/windows/ProgressCtrl.h"
#include "framework/windows/ProgressPace.h"

enum { ENGINE_PROGRESS_SAVE = 0, ENGINE_PROGRESS_LOAD = 1 };

// The percent text of a position: "45%", "100%".
CString ProgressPercentText(int nPos, int nLower, int nUpper);

class CEngineProgressDlg : public CDialog
{
public:
    // nIDTemplate is the library's own progress dialog.
    CEngineProgressDlg(int nMode, UINT nIDTemplate);
    ~CEngineProgressDlg() override;

    // Shows the dialog over the safe owner of pParent (the active window
    // when NULL); FALSE when it cannot be made.
    BOOL Create(CWnd* pParent);
    // Dispatches waiting messages, then moves the bar, when the step is one
    // to show; the position given before (0 without a window).
    int SetPos(int nPos);
    // Gives the owner back its input and destroys the window.
    void Close();

    int m_nLower;
    int m_nUpper;
    int m_nStep;
    BOOL m_bDisabledOwner;
    int m_nMode;
    HWND m_hWndOwner;
    CProgressCtrl m_progress;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    // Neither Enter nor Escape ends a load or save half-way.
    void OnOK() override {}
    void OnCancel() override {}

private:
    void PumpWaitingMessages();
    void ShowPercent(int nPos);

    UINT m_nIDTemplate;
    int m_nPos;
    CProgressPace m_pace;
};
