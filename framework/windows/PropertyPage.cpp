#include "framework/windows/PropertyPage.h"

#include "framework/core/MessageSink.h"

IMPLEMENT_DYNAMIC(CPropertyPage, CDialog)

CPropertyPage::CPropertyPage(UINT nIDTemplate, UINT nIDCaption)
    : CDialog(nIDTemplate), m_psp(), m_nIDCaption(nIDCaption)
{
}

void CPropertyPage::PrepareSheetPage()
{
    m_psp = PROPSHEETPAGEA();
    m_psp.dwSize = sizeof(m_psp);
    m_psp.hInstance = m_hResource != NULL ? m_hResource : AfxGetResourceHandle();
    m_psp.pszTemplate = m_lpszTemplateName;
    m_psp.pfnDlgProc = &CPropertyPage::PageDlgProc;
    m_psp.lParam = reinterpret_cast<LPARAM>(this);
    if (m_nIDCaption != 0 && m_strCaption.LoadString(m_nIDCaption))
    {
        m_psp.dwFlags |= PSP_USETITLE;
        m_psp.pszTitle = m_strCaption;
    }
}

INT_PTR CALLBACK CPropertyPage::PageDlgProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    // The page takes its window when it is initialised; from then on every
    // message reaches the page's map before the dialog manager.
    if (message != WM_INITDIALOG)
        return FALSE;
    CPropertyPage* pPage = reinterpret_cast<CPropertyPage*>(reinterpret_cast<LPPROPSHEETPAGEA>(lParam)->lParam);
    if (CWnd::FromHandlePermanent(hWnd) == NULL && !pPage->SubclassWindow(hWnd))
        return FALSE;
    return AfxCallWndProc(pPage, hWnd, message, wParam, lParam);
}

BOOL CPropertyPage::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    const NMHDR* pNMHDR = reinterpret_cast<const NMHDR*>(lParam);
    LRESULT lResult;
    switch (pNMHDR->code)
    {
    case PSN_SETACTIVE:
        lResult = OnSetActive() ? 0 : -1;
        break;
    case PSN_KILLACTIVE:
        lResult = OnKillActive() ? FALSE : TRUE;
        break;
    case PSN_APPLY:
        lResult = OnApply() ? PSNRET_NOERROR : PSNRET_INVALID_NOCHANGEPAGE;
        break;
    case PSN_RESET:
        OnReset();
        lResult = 0;
        break;
    case PSN_QUERYCANCEL:
        lResult = OnQueryCancel() ? FALSE : TRUE;
        break;
    default:
        return CDialog::OnNotify(wParam, lParam, pResult);
    }
    // The sheet reads the answer from the dialog's result slot.
    ::SetWindowLongPtrA(m_hWnd, DWLP_MSGRESULT, lResult);
    *pResult = lResult;
    return TRUE;
}

BOOL CPropertyPage::OnSetActive()
{
    return TRUE;
}

BOOL CPropertyPage::OnKillActive()
{
    return UpdateData(TRUE);
}

BOOL CPropertyPage::OnApply()
{
    OnOK();
    return TRUE;
}

void CPropertyPage::OnReset()
{
    OnCancel();
}

BOOL CPropertyPage::OnQueryCancel()
{
    return TRUE;
}

void CPropertyPage::OnOK()
{
}

void CPropertyPage::OnCancel()
{
}

void CPropertyPage::SetModified(BOOL bChanged)
{
    HWND hSheet = ::GetParent(m_hWnd);
    if (hSheet == NULL)
        return;
    ::SendMessageA(hSheet, bChanged ? PSM_CHANGED : PSM_UNCHANGED, (WPARAM)m_hWnd, 0);
}
