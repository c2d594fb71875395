#include "shell/PercentProgressDlg.h"

#include "framework/windows/DataExchange.h"
#include "ProgressResource.h"

BEGIN_MESSAGE_MAP(CPercentProgressDlg, CDialog)
END_MESSAGE_MAP()

CPercentProgressDlg::CPercentProgressDlg(UINT nCaptionID)
    : CDialog(IDD_PERCENT_PROGRESS), m_nCaptionID(nCaptionID != 0 ? nCaptionID : IDS_PROGRESS_CAPTION),
      m_nLower(0), m_nUpper(100), m_nStep(1), m_bParentDisabled(FALSE), m_nPos(0),
      m_hWndDisabled(NULL)
{
}

CPercentProgressDlg::~CPercentProgressDlg()
{
    if (m_hWnd != NULL)
    {
        ReenableOwner();
        DestroyWindow();
    }
}

BOOL CPercentProgressDlg::Create(CWnd* pParentWnd)
{
    HWND hWndOwner = CWnd::GetSafeOwner(pParentWnd)->GetSafeHwnd();
    if (hWndOwner != NULL && ::IsWindowEnabled(hWndOwner))
    {
        ::EnableWindow(hWndOwner, FALSE);
        m_bParentDisabled = TRUE;
        m_hWndDisabled = hWndOwner;
    }
    // The owner may be a temporary wrapper; only a permanent one is kept.
    if (!CDialog::Create(IDD_PERCENT_PROGRESS, CWnd::FromHandle(hWndOwner)))
    {
        m_pParentWnd = NULL;
        ReenableOwner();
        return FALSE;
    }
    m_pParentWnd = CWnd::FromHandlePermanent(hWndOwner);
    return TRUE;
}

void CPercentProgressDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_PROGRESS_BAR, m_progress);
}

BOOL CPercentProgressDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_progress.SetRange((short)m_nLower, (short)m_nUpper);
    m_progress.SetStep(m_nStep);
    m_progress.SetPos(m_nLower);
    m_nPos = m_nLower;
    CString strCaption;
    strCaption.LoadString(m_nCaptionID);
    SetWindowText(strCaption);
    return TRUE;
}

CString CPercentProgressDlg::PercentText(int nPos, int nLower, int nUpper)
{
    int nPercent = nUpper != nLower ? (nPos - nLower) * 100 / (nUpper - nLower) : 100;
    if (nPercent != 100)
        nPercent %= 100;
    CString strText;
    strText.Format("%d%c", nPercent, '%');
    return strText;
}

void CPercentProgressDlg::PumpWaitingMessages()
{
    MSG msg;
    while (::PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE))
    {
        if (msg.message == WM_QUIT)
        {
            // Put the quit back for the program's own loop.
            ::PostQuitMessage((int)msg.wParam);
            return;
        }
        if (m_hWnd == NULL || !IsDialogMessage(&msg))
        {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
    }
}

int CPercentProgressDlg::SetPos(int nPos)
{
    int nOld = m_nPos;
    m_nPos = nPos;
    if (!m_pace.IsDue(nPos, m_nUpper))
        return nOld;
    PumpWaitingMessages();
    // A message handled above may have closed the dialog.
    if (m_hWnd == NULL || m_progress.m_hWnd == NULL)
        return nOld;
    m_progress.SetPos(nPos);
    CString strText = PercentText(nPos, m_nLower, m_nUpper);
    CString strShown;
    GetDlgItemText(IDC_PROGRESS_TEXT, strShown);
    if (strShown != strText)
        SetDlgItemText(IDC_PROGRESS_TEXT, strText);
    return nOld;
}

void CPercentProgressDlg::ReenableOwner()
{
    if (m_bParentDisabled)
    {
        m_bParentDisabled = FALSE;
        if (::IsWindow(m_hWndDisabled))
            ::EnableWindow(m_hWndDisabled, TRUE);
        m_hWndDisabled = NULL;
    }
}

BOOL CPercentProgressDlg::DestroyWindow()
{
    ReenableOwner();
    return CDialog::DestroyWindow();
}
