#include "framework/windows/PropertySheet.h"

#include "framework/core/MessageSink.h"
#include "framework/windows/Dialog.h"

IMPLEMENT_DYNAMIC(CPropertySheet, CWnd)

namespace {
// The sheet whose window is being made; the callback attaches it.
CPropertySheet* g_pSheetInit = NULL;
}

CPropertySheet::CPropertySheet(UINT nIDCaption, CWnd* pParentWnd, UINT iSelectPage)
    : CPropertySheet((LPCSTR)NULL, pParentWnd, iSelectPage)
{
    m_strCaption.LoadString(nIDCaption);
}

CPropertySheet::CPropertySheet(LPCSTR pszCaption, CWnd* pParentWnd, UINT iSelectPage)
    : m_psh(), m_strCaption(pszCaption != NULL ? pszCaption : ""), m_pParentWnd(pParentWnd),
      m_bStacked(TRUE), m_bModeless(FALSE)
{
    m_psh.dwSize = sizeof(m_psh);
    m_psh.nStartPage = iSelectPage;
}

void CPropertySheet::AddPage(CPropertyPage* pPage)
{
    m_pages.push_back(pPage);
}

CPropertyPage* CPropertySheet::GetPage(int nPage) const
{
    return nPage >= 0 && nPage < GetPageCount() ? m_pages[(size_t)nPage] : NULL;
}

int CPropertySheet::GetActiveIndex() const
{
    if (m_hWnd == NULL)
        return (int)m_psh.nStartPage;
    HWND hPage = (HWND)::SendMessageA(m_hWnd, PSM_GETCURRENTPAGEHWND, 0, 0);
    if (hPage == NULL)
        return -1;
    return (int)::SendMessageA(m_hWnd, PSM_HWNDTOINDEX, (WPARAM)hPage, 0);
}

CPropertyPage* CPropertySheet::GetActivePage() const
{
    return GetPage(GetActiveIndex());
}

BOOL CPropertySheet::SetActivePage(int nPage)
{
    if (nPage < 0 || nPage >= GetPageCount())
        return FALSE;
    if (m_hWnd == NULL)
    {
        m_psh.nStartPage = (UINT)nPage;
        return TRUE;
    }
    return (BOOL)::SendMessageA(m_hWnd, PSM_SETCURSEL, (WPARAM)nPage, 0);
}

void CPropertySheet::PressButton(int nButton)
{
    ::SendMessageA(m_hWnd, PSM_PRESSBUTTON, (WPARAM)nButton, 0);
}

void CPropertySheet::PrepareHeader(HWND hWndOwner, BOOL bModeless)
{
    m_pageHeaders.clear();
    for (CPropertyPage* pPage : m_pages)
    {
        pPage->PrepareSheetPage();
        m_pageHeaders.push_back(pPage->m_psp);
    }
    m_bModeless = bModeless;
    m_psh.dwFlags = (m_psh.dwFlags & ~PSH_MODELESS) | PSH_PROPSHEETPAGE | PSH_USECALLBACK |
                    (bModeless ? PSH_MODELESS : 0);
    m_psh.hwndParent = hWndOwner;
    m_psh.hInstance = AfxGetResourceHandle();
    m_psh.pszCaption = m_strCaption;
    m_psh.nPages = (UINT)m_pageHeaders.size();
    m_psh.ppsp = m_pageHeaders.data();
    m_psh.pfnCallback = &CPropertySheet::SheetCallback;
    if (m_psh.nStartPage >= m_psh.nPages)
        m_psh.nStartPage = 0;
}

int CALLBACK CPropertySheet::SheetCallback(HWND hWnd, UINT message, LPARAM)
{
    if (message == PSCB_INITIALIZED && g_pSheetInit != NULL)
    {
        CPropertySheet* pSheet = g_pSheetInit;
        g_pSheetInit = NULL;
        pSheet->InitSheetWindow(hWnd);
    }
    return 0;
}

void CPropertySheet::InitSheetWindow(HWND hWnd)
{
    if (!SubclassWindow(hWnd))
        return;
    RECT rcBefore;
    GetWindowRect(&rcBefore);
    if (!m_bStacked)
    {
        HWND hTab = (HWND)::SendMessageA(hWnd, PSM_GETTABCONTROL, 0, 0);
        if (hTab != NULL)
            ::SetWindowLongA(hTab, GWL_STYLE, ::GetWindowLongA(hTab, GWL_STYLE) & ~TCS_MULTILINE);
    }
    OnInitDialog();
    AfxCenterUnplacedDialog(this, rcBefore);
}

BOOL CPropertySheet::OnInitDialog()
{
    return TRUE;
}

INT_PTR CPropertySheet::DoModal()
{
    if (m_pages.empty())
        return -1;
    PrepareHeader(CWnd::GetSafeOwner(m_pParentWnd)->GetSafeHwnd(), FALSE);
    g_pSheetInit = this;
    INT_PTR nResult = ::PropertySheetA(&m_psh);
    g_pSheetInit = NULL;
    if (m_hWnd != NULL)
        DestroyWindow();
    if (nResult < 0)
        return -1;
    return nResult > 0 ? IDOK : IDCANCEL;
}

BOOL CPropertySheet::Create(CWnd* pParentWnd)
{
    if (m_pages.empty())
        return FALSE;
    if (pParentWnd != NULL)
        m_pParentWnd = pParentWnd;
    PrepareHeader(m_pParentWnd->GetSafeHwnd(), TRUE);
    g_pSheetInit = this;
    HWND hWnd = (HWND)::PropertySheetA(&m_psh);
    g_pSheetInit = NULL;
    if (hWnd == NULL || hWnd == (HWND)-1)
    {
        if (m_hWnd != NULL)
            Detach();
        return FALSE;
    }
    return m_hWnd == hWnd;
}

BOOL CPropertySheet::PreTranslateMessage(MSG* pMsg)
{
    return m_bModeless && m_hWnd != NULL && ::SendMessageA(m_hWnd, PSM_ISDIALOGMESSAGE, 0, (LPARAM)pMsg);
}

LRESULT CPropertySheet::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT lResult = CWnd::WindowProc(message, wParam, lParam);
    // A modeless sheet that OK or Cancel closed has no current page left.
    if (m_bModeless && m_hWnd != NULL && (message == WM_COMMAND || message == PSM_PRESSBUTTON) &&
        ::SendMessageA(m_hWnd, PSM_GETCURRENTPAGEHWND, 0, 0) == 0)
        DestroyWindow();
    return lResult;
}
