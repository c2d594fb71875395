#include "shell/app/TallyformApp.h"

#include <ole2.h>
#include <shellapi.h>

#include "framework/core/MessageSink.h"
#include "framework/docview/CommandLineInfo.h"
#include "framework/docview/DocTemplate.h"
#include "framework/docview/StandardCommands.h"
#include "framework/ole/OleLock.h"
#include "framework/windows/ShowMaximized.h"
#include "sheet/document/TallyformDoc.h"
#include "shell/StartupSplash.h"
#include "shell/app/AboutDlg.h"
#include "shell/app/ChildFrame.h"
#include "shell/app/InPlaceFrame.h"
#include "shell/app/MainFrame.h"
#include "view/SelectTemplateDlg.h"
#include "view/TallyformView.h"
#include "ShellIds.h"

BEGIN_MESSAGE_MAP(CTallyformApp, CWinApp)
    ON_COMMAND(ID_APP_ABOUT, OnAppAbout)
    ON_COMMAND(ID_FILE_NEW, OnFileNew)
    ON_COMMAND(ID_FILE_OPEN, OnTallyformFileOpen)
    ON_COMMAND(ID_FILE_PRINT_SETUP, OnFilePrintSetup)
    ON_COMMAND(ID_DATABASE_CONNECT, OnDatabaseConnect)
    ON_UPDATE_COMMAND_UI(ID_DATABASE_CONNECT, OnUpdateDatabaseConnect)
    ON_COMMAND(ID_DATABASE_DISCONNECT, OnDatabaseDisconnect)
    ON_UPDATE_COMMAND_UI(ID_DATABASE_DISCONNECT, OnUpdateDatabaseCommands)
    ON_COMMAND(ID_SETUP_ORGANIZATIONS, OnSetupOrganizations)
    ON_UPDATE_COMMAND_UI(ID_SETUP_ORGANIZATIONS, OnUpdateDatabaseCommands)
    ON_COMMAND(ID_SETUP_ORGAN_PROPERTIES, OnSetupOrganProperties)
    ON_UPDATE_COMMAND_UI(ID_SETUP_ORGAN_PROPERTIES, OnUpdateDatabaseCommands)
    ON_COMMAND(ID_SETUP_ROW_ITEMS, OnSetupRowItems)
    ON_UPDATE_COMMAND_UI(ID_SETUP_ROW_ITEMS, OnUpdateDatabaseCommands)
    ON_COMMAND(ID_SETUP_COLUMN_ITEMS, OnSetupColumnItems)
    ON_UPDATE_COMMAND_UI(ID_SETUP_COLUMN_ITEMS, OnUpdateDatabaseCommands)
END_MESSAGE_MAP()

// {051CC73D-5297-46D1-9DA2-6B5804BA1F49}
const CLSID CLSID_TallyformSheet = { 0x051cc73d, 0x5297, 0x46d1,
                                     { 0x9d, 0xa2, 0x6b, 0x58, 0x04, 0xba, 0x1f, 0x49 } };

CTallyformApp::CTallyformApp()
    : CWinApp(NULL), m_bConnectOnStartup(1), m_nDataSourceType(0), m_pDatabase(NULL),
      m_pItemRecordset(NULL), m_pColItemRecordset(NULL), m_pOrganRecordset(NULL),
      m_nGuiFontIndex(DEFAULT_GUI_FONT), m_pDocTemplate(NULL), m_bOleInitialized(FALSE)
{
    m_dcScreen.Attach(::GetDC(NULL));
}

CTallyformApp::~CTallyformApp()
{
    HDC hDC = m_dcScreen.Detach();
    if (hDC != NULL)
        ::ReleaseDC(NULL, hDC);
    // The engine loader goes with this object: nothing may still reach it.
    WithdrawConnection();
}

void CTallyformApp::AddTallyformTemplate()
{
    m_pDocTemplate = new CMultiDocTemplate(IDR_TALLYFORM_TEMPLATE, RUNTIME_CLASS(CTallyformDoc),
                                           RUNTIME_CLASS(CChildFrame),
                                           RUNTIME_CLASS(CTallyformView));
    AddDocTemplate(m_pDocTemplate);
}

BOOL CTallyformApp::CreateMainFrame()
{
    CMainFrame* pMainFrame = new CMainFrame;
    if (!pMainFrame->LoadFrame(IDR_MAINFRAME, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE))
    {
        delete pMainFrame;
        return FALSE;
    }
    m_pMainWnd = pMainFrame;

    // The document frames share the document menu; the frame shows the
    // no-document menu until a document is open.
    // The template owns its shared menu: the one it loaded itself gives
    // way to the owner-drawn one.
    HMENU hDocument = pMainFrame->DetachDocumentMenu();
    if (hDocument != NULL && m_pDocTemplate != NULL && hDocument != m_pDocTemplate->m_hMenuShared)
    {
        if (m_pDocTemplate->m_hMenuShared != NULL)
            ::DestroyMenu(m_pDocTemplate->m_hMenuShared);
        m_pDocTemplate->m_hMenuShared = hDocument;
    }
    else if (hDocument != NULL && m_pDocTemplate == NULL)
        ::DestroyMenu(hDocument);
    HMENU hDefault = pMainFrame->DetachDefaultMenu();
    if (hDefault != NULL)
    {
        HMENU hLoaded = pMainFrame->m_hMenuDefault;
        pMainFrame->m_hMenuDefault = hDefault;
        pMainFrame->OnUpdateFrameMenu(hDefault);
        if (hLoaded != NULL && hLoaded != hDefault)
            ::DestroyMenu(hLoaded);
    }
    return TRUE;
}

BOOL CTallyformApp::InitInstance()
{
    CStartupSplash::EnableSplash(TRUE);
    AfxSetMessageCaption(m_strAppName);
    if (FAILED(OleInitialize(NULL)))
    {
        AfxMessageBox(IDS_OLE_INIT_FAILED);
        return FALSE;
    }
    m_bOleInitialized = TRUE;
    SetRegistryKey("Veltrano Inc.");
    LoadStdProfileSettings(4);

    AddTallyformTemplate();
#ifndef EDITOR_BUILD
    m_pDocTemplate->SetServerInfo(IDR_SERVER_EMBEDDED, IDR_SERVER_INPLACE,
                                  RUNTIME_CLASS(CInPlaceFrame));
    // One running designer serves every client.
    m_server.ConnectTemplate(CLSID_TallyformSheet, m_pDocTemplate, FALSE);
#endif

    if (!CreateMainFrame())
        return FALSE;
    ::DragAcceptFiles(m_pMainWnd->GetSafeHwnd(), TRUE);
#ifndef EDITOR_BUILD
    // The editor leaves the template file type to the designer.
    RegisterShellFileTypes(TRUE);
#endif

    CCommandLineInfo cmdInfo;
    ParseCommandLine(cmdInfo);
#ifdef EDITOR_BUILD
    // The editor serves no OLE client: started for one it would wait
    // unseen for ever, so it starts as from the shell instead.
    cmdInfo.m_bRunEmbedded = cmdInfo.m_bRunAutomated = FALSE;
#else
    // Started by OLE: no window, no database, no splash; the program ends
    // when its last client lets go.
    // Only a designer started by OLE offers its class to clients: one the
    // user started and that ended without revoking it would leave Wine's
    // class table pointing at a dead process.
    if (cmdInfo.m_bRunEmbedded || cmdInfo.m_bRunAutomated)
    {
        COleTemplateServer::RegisterAll();
        AfxOleSetUserCtrl(FALSE);
        return TRUE;
    }
    m_server.UpdateRegistry(OAT_DOC_OBJECT_SERVER);
    COleObjectFactory::UpdateRegistryAll();
#endif
    // The program starts without an empty document.
    if (cmdInfo.m_nShellCommand == CCommandLineInfo::FileNew)
        cmdInfo.m_nShellCommand = CCommandLineInfo::FileNothing;
    if (!ProcessShellCommand(cmdInfo))
        return FALSE;

    AfxShowMaximized(m_pMainWnd->GetSafeHwnd());
    m_pMainWnd->UpdateWindow();

    while (!InitDatabase())
    {
        int nAnswer = AfxMessageBox("Initialize database failed.", MB_ABORTRETRYIGNORE);
        if (nAnswer == IDABORT)
            return FALSE;
        if (nAnswer == IDIGNORE)
            break;
    }
    CStartupSplash::ShowSplash(NULL);
    return TRUE;
}

int CTallyformApp::ExitInstance()
{
    DisconnectDatabase();
    COleObjectFactory::RevokeAll();
    int nResult = CWinApp::ExitInstance();
    if (m_bOleInitialized)
    {
        OleUninitialize();
        m_bOleInitialized = FALSE;
    }
    return nResult;
}

BOOL CTallyformApp::PreTranslateMessage(MSG* pMsg)
{
#ifndef EDITOR_BUILD
    // The designer's splash goes at the first key or click; the editor's
    // stays for its time.
    if (CStartupSplash::HideOnInput(pMsg))
        return TRUE;
#endif
    return CWinApp::PreTranslateMessage(pMsg);
}

void CTallyformApp::OnAppAbout()
{
    CAboutDlg dlg;
    dlg.DoModal();
}

void CTallyformApp::OnTallyformFileOpen()
{
    CSelectTemplateDlg dlg(NULL);
    if (dlg.DoModal() == IDOK && !dlg.m_strResult.IsEmpty())
        OpenDocumentFile(dlg.m_strResult);
}
