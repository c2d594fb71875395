#include "framework/docview/PrintingDialog.h"

#include <string.h>

#include <vector>

#include "framework/core/String.h"

namespace {

// The dialog printing now; print jobs run one at a time on the UI thread.
CPrintingDialog* g_pPrinting = NULL;

void AppendWord(std::vector<BYTE>& buf, WORD w)
{
    buf.push_back(LOBYTE(w));
    buf.push_back(HIBYTE(w));
}

void AppendText(std::vector<BYTE>& buf, LPCSTR lpsz)
{
    WCHAR szWide[128];
    int n = ::MultiByteToWideChar(CP_ACP, 0, lpsz, -1, szWide, 128);
    if (n <= 0)
        n = 1, szWide[0] = 0;
    szWide[n - 1] = 0;
    for (int i = 0; i < n; ++i)
        AppendWord(buf, (WORD)szWide[i]);
}

void AlignDword(std::vector<BYTE>& buf)
{
    while (buf.size() % 4 != 0)
        buf.push_back(0);
}

void AppendItem(std::vector<BYTE>& buf, DWORD dwStyle, short x, short y, short cx, short cy,
                WORD wID, WORD wClass, LPCSTR lpszText)
{
    AlignDword(buf);
    DLGITEMTEMPLATE item = { dwStyle | WS_CHILD | WS_VISIBLE, 0, x, y, cx, cy, wID };
    const BYTE* p = reinterpret_cast<const BYTE*>(&item);
    buf.insert(buf.end(), p, p + sizeof(item));
    AppendWord(buf, 0xffff);
    AppendWord(buf, wClass);
    AppendText(buf, lpszText);
    AppendWord(buf, 0);
}

// "Printing" with the document's name, the page line and Cancel.
std::vector<BYTE> BuildTemplate(LPCSTR lpszDocument)
{
    std::vector<BYTE> buf;
    DLGTEMPLATE dlg = { DS_MODALFRAME | DS_CENTER | DS_SETFONT | WS_POPUP | WS_CAPTION |
                            WS_SYSMENU | WS_VISIBLE,
                        0, 3, 0, 0, 180, 70 };
    const BYTE* p = reinterpret_cast<const BYTE*>(&dlg);
    buf.insert(buf.end(), p, p + sizeof(dlg));
    AppendWord(buf, 0);                 // no menu
    AppendWord(buf, 0);                 // the dialog class
    AppendText(buf, "Printing");
    AppendWord(buf, 8);
    AppendText(buf, "MS Shell Dlg");
    AppendItem(buf, SS_CENTER, 10, 8, 160, 10, 0xffff, 0x0082, lpszDocument);
    AppendItem(buf, SS_CENTER, 10, 22, 160, 10, CPrintingDialog::IDC_PRINTING_PAGE, 0x0082, "");
    AppendItem(buf, BS_DEFPUSHBUTTON | WS_TABSTOP, 65, 44, 50, 14, IDCANCEL, 0x0080, "Cancel");
    return buf;
}

} // namespace

CPrintingDialog::CPrintingDialog(HWND hWndOwner, LPCSTR lpszDocument)
    : m_hWnd(NULL), m_hWndOwner(hWndOwner), m_bCancelled(FALSE)
{
    std::vector<BYTE> tmpl = BuildTemplate(lpszDocument);
    m_hWnd = ::CreateDialogIndirectParamA(::GetModuleHandleA(NULL),
                                          reinterpret_cast<LPCDLGTEMPLATEA>(tmpl.data()),
                                          hWndOwner, DialogProc, reinterpret_cast<LPARAM>(this));
    if (m_hWndOwner != NULL)
        ::EnableWindow(m_hWndOwner, FALSE);
    g_pPrinting = this;
}

CPrintingDialog::~CPrintingDialog()
{
    if (g_pPrinting == this)
        g_pPrinting = NULL;
    // The owner comes back before the dialog goes, so it keeps the activation.
    if (m_hWndOwner != NULL)
        ::EnableWindow(m_hWndOwner, TRUE);
    if (m_hWnd != NULL)
        ::DestroyWindow(m_hWnd);
}

void CPrintingDialog::SetPage(UINT nPage)
{
    if (m_hWnd == NULL)
        return;
    CString strPage;
    strPage.Format("Page %u", nPage);
    ::SetDlgItemTextA(m_hWnd, IDC_PRINTING_PAGE, strPage);
    ::UpdateWindow(m_hWnd);
}

BOOL CALLBACK CPrintingDialog::AbortProc(HDC, int)
{
    MSG msg;
    while (g_pPrinting != NULL && !g_pPrinting->m_bCancelled &&
           ::PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE))
    {
        if (g_pPrinting->m_hWnd == NULL || !::IsDialogMessageA(g_pPrinting->m_hWnd, &msg))
        {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
    }
    return g_pPrinting == NULL || !g_pPrinting->m_bCancelled;
}

INT_PTR CALLBACK CPrintingDialog::DialogProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    if (nMsg == WM_INITDIALOG)
    {
        ::SetWindowLongPtrA(hWnd, DWLP_USER, lParam);
        return TRUE;
    }
    if (nMsg == WM_COMMAND && LOWORD(wParam) == IDCANCEL)
    {
        CPrintingDialog* pThis = reinterpret_cast<CPrintingDialog*>(::GetWindowLongPtrA(hWnd, DWLP_USER));
        if (pThis != NULL)
            pThis->m_bCancelled = TRUE;
        ::EnableWindow(::GetDlgItem(hWnd, IDCANCEL), FALSE);
        return TRUE;
    }
    return FALSE;
}
