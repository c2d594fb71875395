#include "engines/common/UpdateConfirmDlg.h"

#include "engines/common/EngineModule.h"
#include "engines/common/EngineResources.h"
#include "engines/common/ReportDataTransfer.h"
#include "framework/windows/Dc.h"
#include "framework/windows/GdiObject.h"
#include "framework/windows/ScopedGdi.h"
#include "framework/windows/WndMessageMap.h"

BEGIN_MESSAGE_MAP(CUpdateConfirmDlg, CDialog)
    ON_BN_CLICKED(IDC_CONFIRM_TO_ALL, OnToAll)
    ON_BN_CLICKED(IDC_CONFIRM_UPDATE, OnUpdate)
    ON_BN_CLICKED(IDC_CONFIRM_CANCEL, OnCancelButton)
    ON_WM_PAINT()
END_MESSAGE_MAP()

CUpdateConfirmDlg::CUpdateConfirmDlg(UINT nIDWarningBitmap, CWnd* pParent)
    : CDialog(IDD_UPDATE_CONFIRM, pParent), m_nResult(OVERWRITE_SKIP), m_bToAll(FALSE),
      m_nIDWarningBitmap(nIDWarningBitmap)
{
    m_hResource = EngineModuleHandle();
}

BOOL CUpdateConfirmDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_nResult = OVERWRITE_SKIP;
    m_bToAll = FALSE;
    SetDlgItemText(IDC_CONFIRM_REPORT_DATE, m_strReportDate);
    SetDlgItemText(IDC_CONFIRM_ORGAN, m_strOrgan);
    SetDlgItemText(IDC_CONFIRM_COL_ITEM, m_strColItem);
    SetDlgItemText(IDC_CONFIRM_ROW_ITEM, m_strRowItem);
    SetDlgItemText(IDC_CONFIRM_LINE, m_strLine);
    SetDlgItemText(IDC_CONFIRM_OLD_DATA, m_strOldData);
    SetDlgItemText(IDC_CONFIRM_CURRENT_DATA, m_strCurrentData);
    return TRUE;
}

void CUpdateConfirmDlg::OnToAll()
{
    m_bToAll = IsDlgButtonChecked(IDC_CONFIRM_TO_ALL) == BST_CHECKED;
}

void CUpdateConfirmDlg::OnUpdate()
{
    m_nResult = m_bToAll ? OVERWRITE_UPDATE_ALL : OVERWRITE_UPDATE;
    EndDialog(IDOK);
}

void CUpdateConfirmDlg::OnCancelButton()
{
    m_nResult = m_bToAll ? OVERWRITE_SKIP_ALL : OVERWRITE_SKIP;
    EndDialog(IDCANCEL);
}

void CUpdateConfirmDlg::OnPaint()
{
    CPaintDC dc(this);
    CRect rcPicture;
    CRect rcWarning;
    GetDlgItem(IDC_CONFIRM_PICTURE)->GetWindowRect(&rcPicture);
    ScreenToClient(&rcPicture);
    GetDlgItem(IDC_CONFIRM_WARNING)->GetWindowRect(&rcWarning);
    ScreenToClient(&rcWarning);

    CBitmap bitmap;
    if (bitmap.Attach(::LoadBitmapA(m_hResource, MAKEINTRESOURCEA(m_nIDWarningBitmap))))
    {
        BITMAP info;
        bitmap.GetBitmap(&info);
        CScopedMemoryDC memory(dc.m_hDC);
        if (memory.Get() != NULL)
        {
            CScopedSelectObject selected(memory, bitmap.m_hObject);
            ::StretchBlt(dc.m_hDC, rcPicture.left, rcPicture.top, rcPicture.Width(), info.bmHeight,
                         memory, 0, 0, info.bmWidth, info.bmHeight, SRCCOPY);
        }
    }

    CFont font;
    font.CreateFont(-12, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                    CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, "MS Sans Serif");
    CScopedSelectObject selectedFont(dc, font);
    dc.SetTextColor(RGB(255, 0, 0));
    dc.SetBkMode(TRANSPARENT);
    dc.DrawText("Data cannot restore after update.", -1, &rcWarning, DT_SINGLELINE | DT_VCENTER | DT_CENTER);
}
