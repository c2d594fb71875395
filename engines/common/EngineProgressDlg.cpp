#include "engines/common/EngineProgressDlg.h"

#include "engines/common/EngineModule.h"
#include "engines/common/EngineResources.h"
#include "framework/windows/DataExchange.h"

CString ProgressPercentText(int nPos, int nLower, int nUpper)
{
    int nPercent = nUpper != nLower ? (nPos - nLower) * 100 / (nUpper - nLower) : 0;
    CString strText;
    strText.Format("%d%c", nPercent == 100 ? 100 : nPercent % 100, '%');
    return strText;
}

CEngineProgressDlg::CEngineProgressDlg(int nMode, UINT nIDTemplate)
    : m_nLower(0), m_nUpper(100), m_nStep(10), m_bDisabledOwner(FALSE), m_nMode(nMode), m_hWndOwner(NULL),
      m_nIDTemplate(nIDTemplate), m_nPos(0)
{
    m_hResource = EngineModuleHandle();
}

CEngineProgressDlg::~CEngineProgressDlg()
{
    Close();
}

BOOL CEngineProgressDlg::Create(CWnd* pParent)
{
    CWnd* pOwner = CWnd::GetSafeOwner(pParent);
    m_hWndOwner = pOwner != NULL ? pOwner->GetSafeHwnd() : NULL;
    if (m_hWndOwner != NULL && ::IsWindowEnabled(m_hWndOwner))
    {
        ::EnableWindow(m_hWndOwner, FALSE);
        m_bDisabledOwner = TRUE;
    }
    if (!CDialog::Create(m_nIDTemplate, pOwner))
    {
        if (m_bDisabledOwner)
            ::EnableWindow(m_hWndOwner, TRUE);
        m_bDisabledOwner = FALSE;
        return FALSE;
    }
    return TRUE;
}

void CEngineProgressDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_ENGINE_PROGRESS_BAR, m_progress);
}

BOOL CEngineProgressDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_progress.SetRange32(m_nLower, m_nUpper);
    m_progress.SetStep(m_nStep);
    m_progress.SetPos(m_nLower);
    SetWindowText(m_nMode == ENGINE_PROGRESS_LOAD ? "Loading data..." : "Saving data...");
    return TRUE;
}

void CEngineProgressDlg::PumpWaitingMessages()
{
    MSG msg;
    while (::PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE))
    {
        // A quit request belongs to the program's own loop: put it back.
        if (msg.message == WM_QUIT)
        {
            ::PostQuitMessage((int)msg.wParam);
            return;
        }
        if (!PreTranslateMessage(&msg))
        {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
    }
}

int CEngineProgressDlg::SetPos(int nPos)
{
    int nOld = m_hWnd != NULL ? m_nPos : 0;
    m_nPos = nPos;
    if (!m_pace.IsDue(nPos, m_nUpper))
        return nOld;
    PumpWaitingMessages();
    if (m_hWnd == NULL)
        return 0;
    m_progress.SetPos(nPos);
    ShowPercent(nPos);
    return nOld;
}

void CEngineProgressDlg::ShowPercent(int nPos)
{
    CString strText = ProgressPercentText(nPos, m_nLower, m_nUpper);
    CString strShown;
    GetDlgItemText(IDC_ENGINE_PROGRESS_PERCENT, strShown);
    if (strShown != strText)
        SetDlgItemText(IDC_ENGINE_PROGRESS_PERCENT, strText);
}

void CEngineProgressDlg::Close()
{
    // The owner first, so that activation goes back to it.
    if (m_bDisabledOwner && ::IsWindow(m_hWndOwner))
        ::EnableWindow(m_hWndOwner, TRUE);
    m_bDisabledOwner = FALSE;
    if (m_hWnd != NULL)
        DestroyWindow();
}
