#include "framework/docview/WinApp.h"

#include "framework/docview/DocManager.h"
#include "framework/docview/FrameWnd.h"
#include "framework/docview/RecentFileList.h"
#include "framework/docview/StandardCommands.h"
#include "framework/windows/GdiObject.h"
#include "framework/windows/ImageList.h"
#include "framework/windows/Menu.h"
#include "framework/windows/Wnd.h"

namespace
{
CWinApp* g_pApp = NULL;

// Mouse moves that did not move and the caret's timer do not count as
// activity that warrants another idle pass.
BOOL IsIdleMessage(const MSG& msg, POINT& ptLast)
{
    if (msg.message == WM_MOUSEMOVE || msg.message == WM_NCMOUSEMOVE)
    {
        if (msg.pt.x == ptLast.x && msg.pt.y == ptLast.y)
            return FALSE;
        ptLast = msg.pt;
        return TRUE;
    }
    return msg.message != WM_PAINT && msg.message != 0x0118;
}
} // namespace

IMPLEMENT_DYNAMIC(CWinApp, CCmdTarget)

BEGIN_MESSAGE_MAP(CWinApp, CCmdTarget)
    ON_UPDATE_COMMAND_UI(ID_FILE_MRU_FILE1, OnUpdateRecentFileMenu)
    ON_COMMAND_RANGE(ID_FILE_MRU_FILE1, ID_FILE_MRU_FILE16, OnOpenRecentFile)
    ON_COMMAND(ID_APP_EXIT, OnAppExit)
END_MESSAGE_MAP()

CWinApp::CWinApp(LPCSTR lpszAppName)
    : m_hInstance(NULL), m_lpCmdLine(NULL), m_nCmdShow(SW_SHOWNORMAL), m_pMainWnd(NULL),
      m_msgCur(), m_pRecentFileList(NULL), m_pCmdInfo(NULL), m_hDevMode(NULL), m_hDevNames(NULL),
      m_pDocManager(NULL)
{
    if (lpszAppName != NULL)
        m_strAppName = lpszAppName;
    else
    {
        char szPath[MAX_PATH] = "";
        ::GetModuleFileNameA(NULL, szPath, MAX_PATH);
        CString strPath(szPath);
        int nSlash = strPath.ReverseFind('\\');
        CString strName = strPath.Mid(nSlash + 1);
        int nDot = strName.Find('.');
        m_strAppName = nDot > 0 ? strName.Left(nDot) : strName;
    }
    g_pApp = this;
}

CWinApp::~CWinApp()
{
    delete m_pDocManager;
    delete m_pRecentFileList;
    SelectPrinter(NULL, NULL);
    if (g_pApp == this)
        g_pApp = NULL;
}

CWinApp* AfxGetApp() { return g_pApp; }

CWnd* AfxGetMainWnd() { return g_pApp != NULL ? g_pApp->m_pMainWnd : NULL; }

BOOL CWinApp::InitInstance() { return TRUE; }

int CWinApp::ExitInstance()
{
    SaveStdProfileSettings();
    delete m_pDocManager;
    m_pDocManager = NULL;
    return m_msgCur.message == WM_QUIT ? (int)m_msgCur.wParam : 0;
}

BOOL CWinApp::PumpMessage()
{
    if (::GetMessageA(&m_msgCur, NULL, 0, 0) <= 0)
    {
        m_msgCur.message = WM_QUIT;
        return FALSE;
    }
    if (!PreTranslateMessage(&m_msgCur))
    {
        ::TranslateMessage(&m_msgCur);
        ::DispatchMessageA(&m_msgCur);
    }
    return TRUE;
}

int CWinApp::Run()
{
    LONG lIdleCount = 0;
    BOOL bIdle = TRUE;
    POINT ptLast = { -1, -1 };
    MSG msg;
    for (;;)
    {
        while (bIdle && !::PeekMessageA(&msg, NULL, 0, 0, PM_NOREMOVE))
        {
            if (!OnIdle(lIdleCount++))
                bIdle = FALSE;
        }
        do
        {
            if (!PumpMessage())
                return ExitInstance();
            if (IsIdleMessage(m_msgCur, ptLast))
            {
                bIdle = TRUE;
                lIdleCount = 0;
            }
        } while (::PeekMessageA(&msg, NULL, 0, 0, PM_NOREMOVE));
    }
}

BOOL CWinApp::OnIdle(LONG lCount)
{
    if (lCount <= 0)
    {
        CWnd* pMainWnd = m_pMainWnd;
        if (pMainWnd != NULL && pMainWnd->GetSafeHwnd() != NULL && pMainWnd->IsWindowVisible())
        {
            pMainWnd->SendMessage(WM_IDLEUPDATECMDUI, TRUE);
            pMainWnd->SendMessageToDescendants(WM_IDLEUPDATECMDUI, TRUE, 0, TRUE, TRUE);
        }
        POSITION pos = m_listIdleUpdateWindows.GetHeadPosition();
        while (pos != NULL)
        {
            HWND hWnd = static_cast<HWND>(m_listIdleUpdateWindows.GetNext(pos));
            if (::IsWindowVisible(hWnd))
                ::SendMessageA(hWnd, WM_IDLEUPDATECMDUI, TRUE, 0);
        }
        return TRUE;
    }
    if (lCount == 1)
    {
        CWnd::DeleteTempMap();
        CMenu::DeleteTempMap();
        CImageList::DeleteTempMap();
        AfxDeleteTempGdiObjects();
    }
    return FALSE;
}

void CWinApp::AddIdleUpdateWindow(HWND hWnd)
{
    if (hWnd != NULL && m_listIdleUpdateWindows.Find(hWnd) == NULL)
        m_listIdleUpdateWindows.AddTail(hWnd);
}

void CWinApp::RemoveIdleUpdateWindow(HWND hWnd)
{
    POSITION pos = m_listIdleUpdateWindows.Find(hWnd);
    if (pos != NULL)
        m_listIdleUpdateWindows.RemoveAt(pos);
}

BOOL CWinApp::PreTranslateMessage(MSG* pMsg)
{
    CWnd* pMainWnd = m_pMainWnd;
    return CWnd::WalkPreTranslateTree(pMainWnd != NULL ? pMainWnd->GetSafeHwnd() : NULL, pMsg);
}

void CWinApp::SetRegistryKey(LPCSTR lpszRegistryKey)
{
    m_strRegistryKey = lpszRegistryKey;
}

CString CWinApp::GetIniPath() const
{
    return m_strAppName + ".INI";
}

HKEY CWinApp::GetSectionKey(LPCSTR lpszSection, BOOL bCreate)
{
    CString strPath = "Software\\" + m_strRegistryKey + "\\" + m_strAppName + "\\" + lpszSection;
    HKEY hKey = NULL;
    LONG lResult = bCreate
        ? ::RegCreateKeyExA(HKEY_CURRENT_USER, strPath, 0, NULL, REG_OPTION_NON_VOLATILE,
                            KEY_READ | KEY_WRITE, NULL, &hKey, NULL)
        : ::RegOpenKeyExA(HKEY_CURRENT_USER, strPath, 0, KEY_READ, &hKey);
    return lResult == ERROR_SUCCESS ? hKey : NULL;
}

UINT CWinApp::GetProfileInt(LPCSTR lpszSection, LPCSTR lpszEntry, int nDefault)
{
    if (m_strRegistryKey.IsEmpty())
        return ::GetPrivateProfileIntA(lpszSection, lpszEntry, nDefault, GetIniPath());
    HKEY hKey = GetSectionKey(lpszSection, FALSE);
    if (hKey == NULL)
        return (UINT)nDefault;
    DWORD dwValue = 0, dwType = 0, cbData = sizeof(dwValue);
    LONG lResult = ::RegQueryValueExA(hKey, lpszEntry, NULL, &dwType,
                                      reinterpret_cast<LPBYTE>(&dwValue), &cbData);
    ::RegCloseKey(hKey);
    if (lResult != ERROR_SUCCESS || dwType != REG_DWORD)
        return (UINT)nDefault;
    return (UINT)dwValue;
}

CString CWinApp::GetProfileString(LPCSTR lpszSection, LPCSTR lpszEntry, LPCSTR lpszDefault)
{
    CString strDefault(lpszDefault != NULL ? lpszDefault : "");
    if (m_strRegistryKey.IsEmpty())
    {
        char szValue[4096] = "";
        ::GetPrivateProfileStringA(lpszSection, lpszEntry, strDefault, szValue, sizeof(szValue),
                                   GetIniPath());
        return CString(szValue);
    }
    HKEY hKey = GetSectionKey(lpszSection, FALSE);
    if (hKey == NULL)
        return strDefault;
    DWORD dwType = 0, cbData = 0;
    CString strValue = strDefault;
    if (::RegQueryValueExA(hKey, lpszEntry, NULL, &dwType, NULL, &cbData) == ERROR_SUCCESS &&
        dwType == REG_SZ)
    {
        // One byte more than asked for keeps a value stored without its
        // terminator terminated.
        LPSTR pBuf = strValue.GetBuffer((int)cbData + 1);
        DWORD cbRead = cbData;
        if (::RegQueryValueExA(hKey, lpszEntry, NULL, &dwType, reinterpret_cast<LPBYTE>(pBuf),
                               &cbRead) == ERROR_SUCCESS)
        {
            pBuf[cbRead] = '\0';
            strValue.ReleaseBuffer();
        }
        else
        {
            strValue.ReleaseBuffer(0);
            strValue = strDefault;
        }
    }
    ::RegCloseKey(hKey);
    return strValue;
}

BOOL CWinApp::WriteProfileInt(LPCSTR lpszSection, LPCSTR lpszEntry, int nValue)
{
    if (m_strRegistryKey.IsEmpty())
    {
        CString strValue;
        strValue.Format("%d", nValue);
        return ::WritePrivateProfileStringA(lpszSection, lpszEntry, strValue, GetIniPath());
    }
    HKEY hKey = GetSectionKey(lpszSection, TRUE);
    if (hKey == NULL)
        return FALSE;
    DWORD dwValue = (DWORD)nValue;
    LONG lResult = ::RegSetValueExA(hKey, lpszEntry, 0, REG_DWORD,
                                    reinterpret_cast<const BYTE*>(&dwValue), sizeof(dwValue));
    ::RegCloseKey(hKey);
    return lResult == ERROR_SUCCESS;
}

BOOL CWinApp::WriteProfileString(LPCSTR lpszSection, LPCSTR lpszEntry, LPCSTR lpszValue)
{
    if (m_strRegistryKey.IsEmpty())
        return ::WritePrivateProfileStringA(lpszSection, lpszEntry, lpszValue, GetIniPath());
    if (lpszEntry == NULL)
    {
        HKEY hAppKey = GetSectionKey("", FALSE);
        if (hAppKey == NULL)
            return FALSE;
        LONG lResult = ::RegDeleteKeyA(hAppKey, lpszSection);
        ::RegCloseKey(hAppKey);
        return lResult == ERROR_SUCCESS;
    }
    HKEY hKey = GetSectionKey(lpszSection, TRUE);
    if (hKey == NULL)
        return FALSE;
    LONG lResult = lpszValue == NULL
        ? ::RegDeleteValueA(hKey, lpszEntry)
        : ::RegSetValueExA(hKey, lpszEntry, 0, REG_SZ, reinterpret_cast<const BYTE*>(lpszValue),
                           (DWORD)lstrlenA(lpszValue) + 1);
    ::RegCloseKey(hKey);
    return lResult == ERROR_SUCCESS;
}

void CWinApp::AddDocTemplate(CDocTemplate* pTemplate)
{
    if (m_pDocManager == NULL)
        m_pDocManager = new CDocManager;
    m_pDocManager->AddDocTemplate(pTemplate);
}

CDocument* CWinApp::OpenDocumentFile(LPCSTR lpszFileName)
{
    return m_pDocManager != NULL ? m_pDocManager->OpenDocumentFile(lpszFileName) : NULL;
}

BOOL CWinApp::SaveAllModified()
{
    return m_pDocManager == NULL || m_pDocManager->SaveAllModified();
}

void CWinApp::CloseAllDocuments(BOOL bEndSession)
{
    if (m_pDocManager != NULL)
        m_pDocManager->CloseAllDocuments(bEndSession);
}

void CWinApp::OnFileNew()
{
    if (m_pDocManager != NULL)
        m_pDocManager->OnFileNew();
}

void CWinApp::OnAppExit()
{
    // The main frame's close asks about every modified document first.
    if (m_pMainWnd != NULL && m_pMainWnd->GetSafeHwnd() != NULL)
        m_pMainWnd->SendMessage(WM_CLOSE);
}

void CWinApp::OnFileOpen()
{
    if (m_pDocManager != NULL)
        m_pDocManager->OnFileOpen();
}

int AfxWinMain(HINSTANCE hInstance, LPSTR lpCmdLine, int nCmdShow)
{
    CWinApp* pApp = AfxGetApp();
    if (pApp == NULL)
        return -1;
    pApp->m_hInstance = hInstance;
    pApp->m_lpCmdLine = lpCmdLine;
    pApp->m_nCmdShow = nCmdShow;
    if (!pApp->InitInstance())
    {
        if (pApp->m_pMainWnd != NULL && pApp->m_pMainWnd->GetSafeHwnd() != NULL)
            pApp->m_pMainWnd->DestroyWindow();
        return pApp->ExitInstance();
    }
    return pApp->Run();
}
