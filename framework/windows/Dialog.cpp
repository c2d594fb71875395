#include "framework/windows/Dialog.h"

#include "framework/core/MessageSink.h"

#include <commctrl.h>

IMPLEMENT_DYNAMIC(CDialog, CWnd)

BEGIN_MESSAGE_MAP(CDialog, CWnd)
    ON_MESSAGE(WM_INITDIALOG, HandleInitDialog)
    ON_COMMAND(IDOK, OnOK)
    ON_COMMAND(IDCANCEL, OnCancel)
END_MESSAGE_MAP()

INT_PTR CALLBACK AfxDlgProc(HWND, UINT, WPARAM, LPARAM)
{
    return FALSE;
}

CDialog::CDialog()
    : m_hResource(NULL), m_lpszTemplateName(NULL), m_nIDHelp(0), m_pParentWnd(NULL),
      m_bModal(FALSE), m_bContinueModal(FALSE), m_nModalResult(-1)
{
}

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd) : CDialog()
{
    m_lpszTemplateName = MAKEINTRESOURCEA(nIDTemplate);
    m_nIDHelp = nIDTemplate;
    m_pParentWnd = pParentWnd;
}

CDialog::CDialog(LPCSTR lpszTemplateName, CWnd* pParentWnd) : CDialog()
{
    m_lpszTemplateName = lpszTemplateName;
    m_pParentWnd = pParentWnd;
}

namespace
{

// Dialog templates may hold common controls: their window classes must be
// registered before the first dialog is made.
void RegisterCommonControlClasses()
{
    static BOOL s_bRegistered = FALSE;
    if (s_bRegistered)
        return;
    INITCOMMONCONTROLSEX icc = { sizeof(icc), ICC_WIN95_CLASSES | ICC_DATE_CLASSES |
                                                  ICC_USEREX_CLASSES | ICC_COOL_CLASSES };
    s_bRegistered = ::InitCommonControlsEx(&icc);
}

} // namespace

HWND CDialog::CreateFromTemplate(HWND hWndParent)
{
    RegisterCommonControlClasses();
    HINSTANCE hInst = m_hResource != NULL ? m_hResource : AfxGetResourceHandle();
    HRSRC hRes = ::FindResourceA(hInst, m_lpszTemplateName, (LPCSTR)RT_DIALOG);
    if (hRes == NULL)
        return NULL;
    HGLOBAL hGlobal = ::LoadResource(hInst, hRes);
    LPCDLGTEMPLATEA pTemplate = hGlobal != NULL ? static_cast<LPCDLGTEMPLATEA>(::LockResource(hGlobal)) : NULL;
    if (pTemplate == NULL)
        return NULL;
    AfxHookWindowCreate(this);
    HWND hWnd = ::CreateDialogIndirectParamA(hInst, pTemplate, hWndParent, &AfxDlgProc, 0);
    AfxUnhookWindowCreate();
    if (hWnd == NULL && m_hWnd != NULL)
        Detach();
    return hWnd;
}

INT_PTR CDialog::DoModal()
{
    // A modal dialog is owned by a top-level window, never by a child.
    HWND hWndParent = CWnd::GetSafeOwner(m_pParentWnd)->GetSafeHwnd();
    BOOL bEnableParent = hWndParent != NULL && ::IsWindowEnabled(hWndParent);
    if (bEnableParent)
        ::EnableWindow(hWndParent, FALSE);

    m_bModal = TRUE;
    m_bContinueModal = TRUE;
    m_nModalResult = -1;
    HWND hWnd = CreateFromTemplate(hWndParent);
    if (hWnd != NULL && m_bContinueModal)
    {
        if (!::IsWindowVisible(hWnd))
            ::ShowWindow(hWnd, SW_SHOWNORMAL);
        MSG msg;
        while (m_bContinueModal)
        {
            BOOL bGot = ::GetMessageA(&msg, NULL, 0, 0);
            if (bGot == 0)
            {
                // Leave the quit for the outer loop.
                ::PostQuitMessage((int)msg.wParam);
                break;
            }
            if (bGot == -1)
                break;
            if (!WalkPreTranslateTree(m_hWnd, &msg))
            {
                ::TranslateMessage(&msg);
                ::DispatchMessageA(&msg);
            }
        }
    }

    // The parent comes back before the dialog goes, so it gets the activation.
    if (bEnableParent)
        ::EnableWindow(hWndParent, TRUE);
    if (hWnd != NULL && m_hWnd != NULL)
    {
        if (hWndParent != NULL && ::GetActiveWindow() == m_hWnd)
            ::SetActiveWindow(hWndParent);
        DestroyWindow();
    }
    m_bModal = FALSE;
    return hWnd != NULL ? m_nModalResult : -1;
}

BOOL CDialog::Create(UINT nIDTemplate, CWnd* pParentWnd)
{
    return Create(MAKEINTRESOURCEA(nIDTemplate), pParentWnd);
}

BOOL CDialog::Create(LPCSTR lpszTemplateName, CWnd* pParentWnd)
{
    m_lpszTemplateName = lpszTemplateName;
    if (pParentWnd != NULL)
        m_pParentWnd = pParentWnd;
    m_bModal = FALSE;
    return CreateFromTemplate(m_pParentWnd->GetSafeHwnd()) != NULL;
}

void CDialog::EndDialog(int nResult)
{
    if (m_bModal)
    {
        m_nModalResult = nResult;
        m_bContinueModal = FALSE;
        // Wakes the modal loop when called from outside a message.
        ::PostMessageA(m_hWnd, WM_NULL, 0, 0);
    }
    else if (m_hWnd != NULL)
    {
        ::EndDialog(m_hWnd, nResult);
    }
}

LRESULT CDialog::HandleInitDialog(WPARAM, LPARAM)
{
    RECT rcBefore;
    GetWindowRect(&rcBefore);
    const BOOL bResult = OnInitDialog();
    AfxCenterUnplacedDialog(this, rcBefore);
    return bResult;
}

void AfxCenterUnplacedDialog(CWnd* pWnd, const RECT& rcBefore)
{
    if ((pWnd->GetStyle() & (WS_CHILD | WS_VISIBLE)) != 0)
        return;
    RECT rc;
    pWnd->GetWindowRect(&rc);
    if (::EqualRect(&rc, &rcBefore))
        pWnd->CenterWindow();
}

BOOL CDialog::OnInitDialog()
{
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    EndDialog(IDOK);
}

void CDialog::OnCancel()
{
    EndDialog(IDCANCEL);
}

BOOL CDialog::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST)
        return IsDialogMessage(pMsg);
    return FALSE;
}

BOOL CDialog::IsDialogMessage(LPMSG lpMsg)
{
    return ::IsDialogMessageA(m_hWnd, lpMsg);
}

void CDialog::NextDlgCtrl() const
{
    ::SendMessageA(m_hWnd, WM_NEXTDLGCTL, 0, FALSE);
}

void CDialog::PrevDlgCtrl() const
{
    ::SendMessageA(m_hWnd, WM_NEXTDLGCTL, 1, FALSE);
}

void CDialog::GotoDlgCtrl(CWnd* pWndCtrl)
{
    ::SendMessageA(m_hWnd, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(pWndCtrl->GetSafeHwnd()), TRUE);
}

void CDialog::SetDefID(UINT nID)
{
    ::SendMessageA(m_hWnd, DM_SETDEFID, nID, 0);
}

DWORD CDialog::GetDefID() const
{
    return (DWORD)::SendMessageA(m_hWnd, DM_GETDEFID, 0, 0);
}
