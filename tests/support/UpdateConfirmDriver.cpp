#include "tests/support/UpdateConfirmDriver.h"

#include "engines/common/EngineResources.h"

namespace
{
CUpdateConfirmDriver* g_pDriver = NULL;
// Marks a confirmation that was given its answer: it may stay on screen a
// moment longer while the answer is on its way.
const char kAnswered[] = "UpdateConfirmAnswered";

struct CSearch
{
    DWORD dwProcessId;
    HWND hFound;
};

BOOL CALLBACK FindConfirmation(HWND hWnd, LPARAM lParam)
{
    CSearch& search = *reinterpret_cast<CSearch*>(lParam);
    char szClass[16] = "", szCaption[16] = "";
    GetClassNameA(hWnd, szClass, sizeof(szClass));
    GetWindowTextA(hWnd, szCaption, sizeof(szCaption));
    DWORD dwProcessId = 0;
    GetWindowThreadProcessId(hWnd, &dwProcessId);
    if (lstrcmpA(szClass, "#32770") != 0 || lstrcmpA(szCaption, "Update") != 0 || !IsWindowVisible(hWnd) ||
        GetPropA(hWnd, kAnswered) != NULL || (search.dwProcessId != 0 && dwProcessId != search.dwProcessId))
        return TRUE;
    search.hFound = hWnd;
    return FALSE;
}

std::string ItemText(HWND hDlg, int nID)
{
    char szText[512] = "";
    SendDlgItemMessageA(hDlg, nID, WM_GETTEXT, sizeof(szText), (LPARAM)szText);
    return szText;
}
} // namespace

CUpdateConfirmDriver::CUpdateConfirmDriver() : m_nTimer(0)
{
    g_pDriver = this;
    m_nTimer = SetTimer(NULL, 0, 100, &CUpdateConfirmDriver::OnTimer);
}

CUpdateConfirmDriver::~CUpdateConfirmDriver()
{
    KillTimer(NULL, m_nTimer);
    g_pDriver = NULL;
}

std::string CUpdateConfirmDriver::Fields(HWND hDlg)
{
    static const struct
    {
        const char* pszLabel;
        int nID;
    } fields[] = {{"Report Date", IDC_CONFIRM_REPORT_DATE}, {"Report Organ", IDC_CONFIRM_ORGAN},
                  {"Column Item", IDC_CONFIRM_COL_ITEM},    {"Row Item", IDC_CONFIRM_ROW_ITEM},
                  {"At Line", IDC_CONFIRM_LINE},            {"Old Data", IDC_CONFIRM_OLD_DATA},
                  {"Current Data", IDC_CONFIRM_CURRENT_DATA}};
    std::string text;
    for (const auto& field : fields)
        text += std::string(field.pszLabel) + ": " + ItemText(hDlg, field.nID) + "\n";
    return text;
}

void CUpdateConfirmDriver::Give(HWND hDlg, Answer answer)
{
    SetPropA(hDlg, kAnswered, (HANDLE)1);
    if (answer == escape)
    {
        PostMessageA(hDlg, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
        return;
    }
    HWND hToAll = GetDlgItem(hDlg, IDC_CONFIRM_TO_ALL);
    BOOL bToAll = answer == updateAll || answer == skipAll;
    // A click on the box ticks it and tells the dialog.
    if (bToAll != (SendMessageA(hToAll, BM_GETCHECK, 0, 0) == BST_CHECKED))
        SendMessageA(hToAll, BM_CLICK, 0, 0);
    int nButton = answer == update || answer == updateAll ? IDC_CONFIRM_UPDATE : IDC_CONFIRM_CANCEL;
    PostMessageA(hDlg, WM_COMMAND, MAKEWPARAM(nButton, BN_CLICKED), (LPARAM)GetDlgItem(hDlg, nButton));
}

HWND CUpdateConfirmDriver::Find(DWORD dwThreadId, DWORD dwProcessId)
{
    CSearch search = {dwProcessId, NULL};
    if (dwThreadId != 0)
        EnumThreadWindows(dwThreadId, &FindConfirmation, (LPARAM)&search);
    else
        EnumWindows(&FindConfirmation, (LPARAM)&search);
    return search.hFound;
}

void CALLBACK CUpdateConfirmDriver::OnTimer(HWND, UINT, UINT_PTR, DWORD)
{
    if (g_pDriver == NULL)
        return;
    HWND hDlg = Find(GetCurrentThreadId());
    if (hDlg == NULL)
        return;
    Answer answer = skip;
    if (!g_pDriver->m_answers.empty())
    {
        answer = g_pDriver->m_answers.front();
        g_pDriver->m_answers.pop_front();
    }
    // Another answer is not looked for while the action runs.
    SetPropA(hDlg, kAnswered, (HANDLE)1);
    if (g_pDriver->m_whileAsking)
        g_pDriver->m_whileAsking(g_pDriver->m_asked.size());
    g_pDriver->m_asked.push_back(Fields(hDlg));
    Give(hDlg, answer);
}
