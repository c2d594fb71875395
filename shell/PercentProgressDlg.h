// CPercentProgressDlg: the modeless progress dialog of long operations.
// It disables its owner while it exists and lets waiting messages through
// at every step it shows, so the program keeps painting; steps that follow
// the last shown one within STEP_INTERVAL_MS are only recorded.
#pragma once

#include "framework/windows/Dialog.h"
#include "framework/windows/ProgressPace.h"
#include "framework/windows/ProgressCtrl.h"

class CPercentProgressDlg : public CDialog
{
public:
    // nCaptionID is the string of the window caption; 0 gives the default.
    explicit CPercentProgressDlg(UINT nCaptionID = 0);
    ~CPercentProgressDlg() override;

    // Shows the dialog owned by pParentWnd's top-level window (the active
    // window when NULL); FALSE, with the owner as it was, when it fails.
    BOOL Create(CWnd* pParentWnd = NULL);
    // Returns the position before.
    int SetPos(int nPos);

    enum { STEP_INTERVAL_MS = CProgressPace::INTERVAL_MS };
    BOOL DestroyWindow() override;

    // The text shown for nPos in the range nLower..nUpper: "37%", "100%".
    static CString PercentText(int nPos, int nLower, int nUpper);

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;

    CProgressCtrl m_progress;
    UINT m_nCaptionID;
    int m_nLower;
    int m_nUpper;
    int m_nStep;
    BOOL m_bParentDisabled;
    int m_nPos;
    CProgressPace m_pace;

    DECLARE_MESSAGE_MAP()

private:
    void PumpWaitingMessages();
    void ReenableOwner();

    HWND m_hWndDisabled;
};
