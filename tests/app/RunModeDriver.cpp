#include "tests/app/RunModeDriver.h"

#include <dlgs.h>
#include <string.h>

#include "shell/CalendarLayout.h"
#include "tests/app/ScreenCapture.h"

namespace
{
const DWORD kPollMs = 50;
const UINT kCellEditorId = 1164;
const UINT kSaveToPdf = 33082;
const int kConnectUser = 1143;
const int kConnectPassword = 1019;
const char kRunCaption[] = "Tallyform [Run Mode] - ";
const int kOrganCodeEdit = 1232;
const int kOrganNameEdit = 1234;
const char kReportInfoCaption[] = "Set Report Information";

CString TextOf(HWND hWnd)
{
    return CDesignerProcess::TextOf(hWnd);
}

CString ClassOf(HWND hWnd)
{
    return CDesignerProcess::ClassOf(hWnd);
}

BOOL CALLBACK CollectEditor(HWND hWnd, LPARAM lParam)
{
    if (GetDlgCtrlID(hWnd) == (int)kCellEditorId && IsWindowVisible(hWnd))
        reinterpret_cast<std::vector<HWND>*>(lParam)->push_back(hWnd);
    return TRUE;
}

// The view's direct children that are in-place editors.
std::vector<HWND> EditorsOf(HWND hView)
{
    std::vector<HWND> editors;
    for (HWND hChild = GetWindow(hView, GW_CHILD); hChild != NULL;
         hChild = GetWindow(hChild, GW_HWNDNEXT))
        CollectEditor(hChild, reinterpret_cast<LPARAM>(&editors));
    return editors;
}

BOOL IsFileDialog(HWND hDlg)
{
    return GetDlgItem(hDlg, edt1) != NULL || GetDlgItem(hDlg, cmb13) != NULL;
}

// Stops at the zoom combo of the Standard bar, noting it in *lParam.
BOOL CALLBACK FindZoomCombo(HWND hWnd, LPARAM lParam)
{
    const int kZoomComboId = 33013;
    if (GetDlgCtrlID(hWnd) != kZoomComboId || ClassOf(hWnd).Find("ComboBox") < 0)
        return TRUE;
    *(HWND*)lParam = hWnd;
    return FALSE;
}

BOOL HasButton(HWND hDlg, int nID)
{
    HWND hButton = GetDlgItem(hDlg, nID);
    return hButton != NULL && IsWindowVisible(hButton);
}
} // namespace

BOOL CRunModeDriver::FindView(DWORD dwMilliseconds)
{
    DWORD dwStart = GetTickCount();
    m_hMain = m_designer.WaitForMainWindow(dwMilliseconds);
    while (m_hMain != NULL)
    {
        HWND hClient = FindWindowExA(m_hMain, NULL, "MDIClient", NULL);
        HWND hChild = hClient != NULL ? GetWindow(hClient, GW_CHILD) : NULL;
        m_hView = hChild != NULL ? GetDlgItem(hChild, 0xE900) : NULL;
        if (m_hView != NULL)
            return TRUE;
        if (GetTickCount() - dwStart >= dwMilliseconds)
            break;
        Sleep(kPollMs);
    }
    return FALSE;
}

BOOL CRunModeDriver::Connect(LPCSTR lpszUser, LPCSTR lpszPassword, DWORD dwMilliseconds)
{
    HWND hDlg = m_designer.WaitForDialog("Connect to Database", dwMilliseconds);
    if (hDlg == NULL)
        return FALSE;
    SetDlgItemTextA(hDlg, kConnectUser, lpszUser);
    SetDlgItemTextA(hDlg, kConnectPassword, lpszPassword);
    CDesignerProcess::Press(hDlg, IDOK);
    return CDesignerProcess::WaitGone(hDlg, dwMilliseconds) && FindView(dwMilliseconds) &&
           WaitForSplashGone(dwMilliseconds);
}

BOOL CRunModeDriver::FindMainWindow(DWORD dwMilliseconds)
{
    m_hMain = m_designer.WaitForMainWindow(dwMilliseconds);
    return m_hMain != NULL;
}

CString CRunModeDriver::MainCaption() const
{
    return TextOf(m_hMain);
}

BOOL CRunModeDriver::WaitForCaption(LPCSTR lpszPrefix, DWORD dwMilliseconds)
{
    DWORD dwStart = GetTickCount();
    while (MainCaption().Find(lpszPrefix) != 0)
    {
        AnswerDialogs();
        if (GetTickCount() - dwStart >= dwMilliseconds)
            return FALSE;
        Sleep(kPollMs);
    }
    return TRUE;
}

BOOL CRunModeDriver::WaitForSplashGone(DWORD dwMilliseconds)
{
    // The splash comes once the database is connected, which may take a
    // while after the main window showed; it goes by itself.
    auto splash = [this]() {
        for (HWND hWnd : m_designer.TopLevelWindows())
            if (hWnd != m_hMain && ClassOf(hWnd) != "#32770")
                return hWnd;
        return (HWND)NULL;
    };
    DWORD dwStart = GetTickCount();
    HWND hSplash = NULL;
    while ((hSplash = splash()) == NULL)
    {
        if (GetTickCount() - dwStart >= dwMilliseconds)
            return FALSE;
        Sleep(kPollMs);
    }
    return CDesignerProcess::WaitGone(hSplash, dwMilliseconds);
}

void CRunModeDriver::Settle()
{
    Sleep(1000);
    // A progress window pumps messages, so the main window answers while the
    // work still runs: wait for it to go first.
    for (DWORD dwStart = GetTickCount(); GetTickCount() - dwStart < 60000;)
    {
        BOOL bProgress = FALSE;
        for (HWND hWnd : m_designer.TopLevelWindows())
            bProgress = bProgress || (IsWindowVisible(hWnd) &&
                                      FindWindowExA(hWnd, NULL, "msctls_progress32", NULL) != NULL);
        if (!bProgress)
            break;
        Sleep(kPollMs);
    }
    DWORD_PTR nResult = 0;
    SendMessageTimeoutA(m_hMain, WM_NULL, 0, 0, SMTO_NORMAL, 10000, &nResult);
}

void CRunModeDriver::PressKey(HWND hWnd, UINT nKey)
{
    PostMessageA(hWnd, WM_KEYDOWN, nKey, 1);
}

void CRunModeDriver::TypeChars(HWND hWnd, LPCSTR lpszText)
{
    for (LPCSTR p = lpszText; *p != '\0'; ++p)
        PostMessageA(hWnd, WM_CHAR, (WPARAM)(BYTE)*p, 1);
}

BOOL CRunModeDriver::WaitForText(HWND hWnd, LPCSTR lpszText, DWORD dwMilliseconds, CString* pLast)
{
    DWORD dwStart = GetTickCount();
    for (;;)
    {
        // Asked of the control itself: the text of another process's
        // control is not in its window caption.
        char szText[512] = "";
        DWORD_PTR nResult = 0;
        SendMessageTimeoutA(hWnd, WM_GETTEXT, sizeof(szText), (LPARAM)szText, SMTO_NORMAL, 5000,
                            &nResult);
        if (pLast != NULL)
            *pLast = szText;
        if (lstrcmpA(szText, lpszText) == 0)
            return TRUE;
        if (GetTickCount() - dwStart >= dwMilliseconds)
            return FALSE;
        Sleep(kPollMs);
    }
}

BOOL CRunModeDriver::SaveScreenshot(const std::string& unixPath) const
{
    RedrawWindow(m_hMain, NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    // The X server shows the redrawn window a moment later.
    Sleep(1000);
    RECT rc;
    GetWindowRect(m_hMain, &rc);
    return SaveRootAreaBitmap(rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top, unixPath.c_str()) != 0;
}

std::string CRunModeDriver::WaitForStatus(LPCSTR lpszPrefix, DWORD dwMilliseconds) const
{
    HWND hBar = FindWindowExA(m_hMain, NULL, "msctls_statusbar32", NULL);
    DWORD dwStart = GetTickCount();
    for (;;)
    {
        char szText[1024] = "";
        DWORD_PTR nResult = 0;
        SendMessageTimeoutA(hBar, WM_GETTEXT, sizeof(szText), (LPARAM)szText, SMTO_NORMAL, 5000, &nResult);
        if (strncmp(szText, lpszPrefix, strlen(lpszPrefix)) == 0 || GetTickCount() - dwStart >= dwMilliseconds)
            return szText;
        Sleep(kPollMs);
    }
}

HWND CRunModeDriver::WaitForEditor(HWND hOld, DWORD dwMilliseconds)
{
    DWORD dwStart = GetTickCount();
    for (;;)
    {
        AnswerDialogs();
        std::vector<HWND> editors = EditorsOf(m_hView);
        if (editors.size() == 1 && editors[0] != hOld)
            return editors[0];
        if (GetTickCount() - dwStart >= dwMilliseconds || m_designer.WaitForExit(0))
            return NULL;
        Sleep(kPollMs);
    }
}

HWND CRunModeDriver::PopupOtherThan(HWND hMain) const
{
    for (HWND hWnd : m_designer.TopLevelWindows())
    {
        if (hWnd != hMain && ClassOf(hWnd) != "#32770" &&
            (GetWindowLongA(hWnd, GWL_STYLE) & WS_POPUP) != 0 &&
            (GetWindowLongA(hWnd, GWL_STYLE) & WS_BORDER) != 0)
            return hWnd;
    }
    return NULL;
}

BOOL CRunModeDriver::PickPeriodCell(HWND hField, int nPeriodType, int nCell, DWORD dwMilliseconds)
{
    RECT rcField;
    GetClientRect(hField, &rcField);
    LPARAM lClick = MAKELPARAM(rcField.right / 2, rcField.bottom / 2);
    PostMessageA(hField, WM_LBUTTONDOWN, MK_LBUTTON, lClick);
    PostMessageA(hField, WM_LBUTTONUP, 0, lClick);
    DWORD dwStart = GetTickCount();
    HWND hCalendar = NULL;
    while ((hCalendar = PopupOtherThan(m_hMain)) == NULL)
    {
        if (GetTickCount() - dwStart >= dwMilliseconds)
            return FALSE;
        Sleep(kPollMs);
    }
    // The calendar lays its page out over its whole window size.
    CSize size = CCalendarLayout::GetWindowSize(nPeriodType);
    RECT rcWindow;
    GetWindowRect(hCalendar, &rcWindow);
    if (rcWindow.right - rcWindow.left != size.cx || rcWindow.bottom - rcWindow.top != size.cy)
        return FALSE;
    CCalendarLayout layout;
    layout.Compute(nPeriodType, size.cx, size.cy);
    CPoint pt = layout.GetCellRect(nCell).CenterPoint();
    PostMessageA(hCalendar, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
    PostMessageA(hCalendar, WM_LBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));
    return CDesignerProcess::WaitGone(hCalendar, dwMilliseconds);
}

HWND CRunModeDriver::EnterKeys(int nPeriodType, int nPeriodCell, LPCSTR lpszCodeStart, LPCSTR lpszCode,
                               LPCSTR lpszName, DWORD dwMilliseconds)
{
    m_strFailure.clear();
    PressKey(m_hView, VK_F5);
    if (!WaitForCaption(kRunCaption, dwMilliseconds))
    {
        m_strFailure = "F5 did not bring run mode";
        return NULL;
    }
    PressKey(m_hView, VK_TAB);
    HWND hPeriod = WaitForEditor(NULL, dwMilliseconds);
    if (hPeriod == NULL || !PickPeriodCell(hPeriod, nPeriodType, nPeriodCell, dwMilliseconds))
    {
        m_strFailure = "no period was picked";
        return NULL;
    }
    PressKey(hPeriod, VK_TAB);
    HWND hCode = WaitForEditor(hPeriod, dwMilliseconds);
    CString strShown;
    if (hCode != NULL)
    {
        TypeChars(hCode, lpszCodeStart);
        if (!WaitForText(hCode, lpszCode, dwMilliseconds, &strShown))
            hCode = NULL;
    }
    if (hCode == NULL)
    {
        m_strFailure = std::string("the code editor did not read ") + lpszCode + " but " + (LPCSTR)strShown;
        return NULL;
    }
    PressKey(hCode, VK_TAB);
    HWND hName = WaitForEditor(hCode, dwMilliseconds);
    if (hName == NULL || !WaitForText(hName, lpszName, dwMilliseconds, &strShown))
    {
        m_strFailure = std::string("the name editor did not read ") + lpszName + " but " + (LPCSTR)strShown;
        return NULL;
    }
    PressKey(hName, VK_TAB);
    HWND hNext = WaitForEditor(hName, dwMilliseconds);
    if (hNext == NULL)
        m_strFailure = "no editor came after the name";
    return hNext;
}

HWND CRunModeDriver::EnterFigure(HWND hEditor, LPCSTR lpszFigure, DWORD dwMilliseconds)
{
    // A figure loaded before may stand in the editor with the caret after it.
    SendMessageA(hEditor, EM_SETSEL, 0, -1);
    return TypeFigure(hEditor, lpszFigure, dwMilliseconds);
}

HWND CRunModeDriver::TypeFigure(HWND hEditor, LPCSTR lpszFigure, DWORD dwMilliseconds)
{
    TypeChars(hEditor, lpszFigure);
    CString strShown;
    if (!WaitForText(hEditor, lpszFigure, dwMilliseconds, &strShown))
    {
        m_strFailure = std::string(lpszFigure) + " was shown as " + (LPCSTR)strShown;
        return NULL;
    }
    PressKey(hEditor, VK_TAB);
    HWND hNext = WaitForEditor(hEditor, dwMilliseconds);
    if (hNext == NULL)
        m_strFailure = std::string("no editor came after ") + lpszFigure;
    return hNext;
}

void CRunModeDriver::NoteReportDialog(HWND hDlg)
{
    char szCode[64] = "", szName[128] = "";
    GetDlgItemTextA(hDlg, kOrganCodeEdit, szCode, sizeof(szCode));
    GetDlgItemTextA(hDlg, kOrganNameEdit, szName, sizeof(szName));
    m_answered.push_back(std::string("[report] ") + szCode + "|" + szName);
}

void CRunModeDriver::AnswerDialogs()
{
    for (HWND hWnd : m_designer.TopLevelWindows())
    {
        // A progress window asks nothing: it goes by itself.
        if (ClassOf(hWnd) != "#32770" || IsFileDialog(hWnd) ||
            FindWindowExA(hWnd, NULL, "msctls_progress32", NULL) != NULL)
            continue;
        if (TextOf(hWnd) == kReportInfoCaption)
            NoteReportDialog(hWnd);
        else
            m_answered.push_back((LPCSTR)CDesignerProcess::MessageText(hWnd));
        CDesignerProcess::Press(hWnd, IDOK);
        CDesignerProcess::WaitGone(hWnd, 10000);
    }
}

std::string CRunModeDriver::WaitForAnswer(BOOL bReportDialog, DWORD dwMilliseconds)
{
    DWORD dwStart = GetTickCount();
    const size_t nBefore = m_answered.size();
    for (;;)
    {
        AnswerDialogs();
        for (size_t i = nBefore; i < m_answered.size(); ++i)
            if ((m_answered[i].compare(0, 9, "[report] ") == 0) == (bReportDialog != FALSE))
                return m_answered[i];
        if (GetTickCount() - dwStart >= dwMilliseconds || m_designer.WaitForExit(kPollMs))
            return std::string();
    }
}

std::string CRunModeDriver::ConfirmReportInformation(DWORD dwMilliseconds)
{
    return WaitForAnswer(TRUE, dwMilliseconds);
}

std::string CRunModeDriver::WaitForMessage(DWORD dwMilliseconds)
{
    return WaitForAnswer(FALSE, dwMilliseconds);
}

BOOL CRunModeDriver::ChooseFile(UINT nCommand, LPCSTR lpszPath, int nFilter, DWORD dwMilliseconds,
                                CString* pstrProposed)
{
    PostMessageA(m_hMain, WM_COMMAND, MAKEWPARAM(nCommand, 0), 0);
    return AnswerFileDialog(lpszPath, nFilter, dwMilliseconds, pstrProposed);
}

BOOL CRunModeDriver::AnswerFileDialog(LPCSTR lpszPath, int nFilter, DWORD dwMilliseconds, CString* pstrProposed)
{
    DWORD dwStart = GetTickCount();
    HWND hDlg = NULL;
    while (hDlg == NULL)
    {
        for (HWND hWnd : m_designer.TopLevelWindows())
            if (ClassOf(hWnd) == "#32770" && IsFileDialog(hWnd))
                hDlg = hWnd;
        if (hDlg == NULL && GetTickCount() - dwStart >= dwMilliseconds)
            return FALSE;
        Sleep(kPollMs);
    }
    if (nFilter > 0)
    {
        // As a choice in the list: the dialog takes the index from the
        // notice that ends the choice.
        HWND hFilter = GetDlgItem(hDlg, cmb1);
        SendMessageA(hFilter, CB_SETCURSEL, nFilter - 1, 0);
        SendMessageA(hDlg, WM_COMMAND, MAKEWPARAM(cmb1, CBN_SELENDOK), (LPARAM)hFilter);
    }
    // The name box is an edit in one dialog layout and a combo in the other.
    if (pstrProposed != NULL)
    {
        char szName[MAX_PATH] = "";
        if (GetDlgItemTextA(hDlg, edt1, szName, sizeof(szName)) == 0)
            GetDlgItemTextA(hDlg, cmb13, szName, sizeof(szName));
        *pstrProposed = szName;
    }
    SetDlgItemTextA(hDlg, edt1, lpszPath);
    SetDlgItemTextA(hDlg, cmb13, lpszPath);
    CDesignerProcess::Press(hDlg, IDOK);
    while (IsWindow(hDlg) && IsWindowVisible(hDlg))
    {
        for (HWND hWnd : m_designer.TopLevelWindows())
            if (hWnd != hDlg && ClassOf(hWnd) == "#32770" && HasButton(hWnd, IDYES))
                CDesignerProcess::Press(hWnd, IDYES);
        if (GetTickCount() - dwStart >= dwMilliseconds)
            return FALSE;
        Sleep(kPollMs);
    }
    return TRUE;
}

BOOL CRunModeDriver::SaveToPdf(LPCSTR lpszPath, DWORD dwMilliseconds, CString* pstrProposed)
{
    DeleteFileA(lpszPath);
    DWORD dwStart = GetTickCount();
    if (!ChooseFile(kSaveToPdf, lpszPath, 0, dwMilliseconds, pstrProposed))
        return FALSE;
    // Written in one go once the dialog has closed.
    while (GetFileAttributesA(lpszPath) == INVALID_FILE_ATTRIBUTES)
    {
        AnswerDialogs();
        if (GetTickCount() - dwStart >= dwMilliseconds)
            return FALSE;
        Sleep(kPollMs);
    }
    Sleep(500);
    return TRUE;
}

BOOL CRunModeDriver::CloseDiscarding(DWORD dwMilliseconds)
{
    PostMessageA(m_hMain, WM_CLOSE, 0, 0);
    DWORD dwStart = GetTickCount();
    while (!m_designer.WaitForExit(kPollMs))
    {
        for (HWND hWnd : m_designer.TopLevelWindows())
        {
            if (ClassOf(hWnd) != "#32770")
                continue;
            m_answered.push_back((LPCSTR)CDesignerProcess::MessageText(hWnd));
            CDesignerProcess::Press(hWnd, HasButton(hWnd, IDNO) ? IDNO : IDOK);
            CDesignerProcess::WaitGone(hWnd, 10000);
        }
        if (GetTickCount() - dwStart >= dwMilliseconds)
            return FALSE;
    }
    return TRUE;
}

HWND CRunModeDriver::ZoomCombo() const
{
    HWND hFound = NULL;
    EnumChildWindows(m_hMain, FindZoomCombo, (LPARAM)&hFound);
    return hFound;
}

std::string JoinedTexts(const std::vector<std::string>& texts)
{
    std::string joined;
    for (const std::string& text : texts)
        joined += "[" + text + "] ";
    return joined;
}
