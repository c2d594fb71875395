// The document's standard commands: close, save, save as and send mail.
#include "framework/docview/Document.h"

#include <mapi.h>

#include "framework/core/MessageSink.h"
#include "framework/docview/MailPrograms.h"
#include "framework/docview/StandardCommands.h"
#include "framework/docview/WinApp.h"
#include "framework/windows/Wnd.h"

BEGIN_MESSAGE_MAP(CDocument, CCmdTarget)
    ON_COMMAND(ID_FILE_CLOSE, OnFileClose)
    ON_COMMAND(ID_FILE_SAVE, OnFileSave)
    ON_COMMAND(ID_FILE_SAVE_AS, OnFileSaveAs)
    ON_COMMAND(ID_FILE_SEND_MAIL, OnFileSendMail)
END_MESSAGE_MAP()

namespace
{
// The mail library, loaded for one message and freed with this object.
class CMailLibrary
{
public:
    CMailLibrary() : m_hModule(::LoadLibraryA("MAPI32.DLL")) {}
    ~CMailLibrary()
    {
        if (m_hModule != NULL)
            ::FreeLibrary(m_hModule);
    }
    CMailLibrary(const CMailLibrary&) = delete;
    CMailLibrary& operator=(const CMailLibrary&) = delete;

    LPMAPISENDMAIL SendMail() const
    {
        return m_hModule == NULL ? NULL
            : reinterpret_cast<LPMAPISENDMAIL>(
                  reinterpret_cast<void (*)(void)>(::GetProcAddress(m_hModule, "MAPISendMail")));
    }

private:
    HMODULE m_hModule;
};

// A file name in the temporary folder, deleted with this object.
class CTemporaryMailFile
{
public:
    CTemporaryMailFile()
    {
        char szFolder[MAX_PATH];
        char szName[MAX_PATH];
        DWORD n = ::GetTempPathA(MAX_PATH, szFolder);
        if (n != 0 && n < MAX_PATH && ::GetTempFileNameA(szFolder, "mail", 0, szName) != 0)
            m_strPath = szName;
    }
    ~CTemporaryMailFile()
    {
        if (!m_strPath.IsEmpty())
            ::DeleteFileA(m_strPath);
    }
    CTemporaryMailFile(const CTemporaryMailFile&) = delete;
    CTemporaryMailFile& operator=(const CTemporaryMailFile&) = delete;

    const CString& Path() const { return m_strPath; }

private:
    CString m_strPath;
};

// The name the attachment carries: the document's file name, or its title.
CString AttachmentName(const CString& strPathName, const CString& strTitle)
{
    if (strPathName.IsEmpty())
        return strTitle;
    int nSlash = strPathName.ReverseFind('\\');
    return strPathName.Mid(nSlash + 1);
}
} // namespace

void CDocument::OnFileClose()
{
    if (!SaveModified())
        return;
    OnCloseDocument();
}

void CDocument::OnFileSave()
{
    DoFileSave();
}

void CDocument::OnFileSaveAs()
{
    DoSave(NULL);
}

void CDocument::OnFileSendMail()
{
    CMailLibrary mail;
    LPMAPISENDMAIL pfnSendMail = mail.SendMail();
    if (pfnSendMail == NULL || !AfxIsMailProgramInstalled())
    {
        AfxMessageBox("The mail system is not available.", MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    CTemporaryMailFile file;
    if (file.Path().IsEmpty())
    {
        AfxMessageBox("Cannot create a temporary file for the mail.", MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    // The copy is written like a save, but the document keeps its own
    // state: the user has not saved it.
    BOOL bModified = IsModified();
    BOOL bWritten = FALSE;
    try
    {
        StoreDocumentFile(file.Path());
        bWritten = TRUE;
    }
    catch (CException* e)
    {
        ReportSaveLoadException(file.Path(), e, TRUE);
        e->Delete();
    }
    SetModifiedFlag(bModified);
    if (!bWritten)
        return;

    CString strName = AttachmentName(m_strPathName, m_strTitle);
    MapiFileDesc attachment = {};
    attachment.nPosition = (ULONG)-1;
    attachment.lpszPathName = const_cast<LPSTR>((LPCSTR)file.Path());
    attachment.lpszFileName = const_cast<LPSTR>((LPCSTR)strName);
    MapiMessage message = {};
    message.nFileCount = 1;
    message.lpFiles = &attachment;

    CWnd* pMainWnd = AfxGetMainWnd();
    HWND hOwner = pMainWnd != NULL ? pMainWnd->GetSafeHwnd() : NULL;
    ULONG nResult = pfnSendMail(0, reinterpret_cast<ULONG_PTR>(hOwner), &message,
                                MAPI_LOGON_UI | MAPI_DIALOG, 0);
    if (nResult != SUCCESS_SUCCESS && nResult != MAPI_USER_ABORT && nResult != MAPI_E_LOGIN_FAILURE)
        AfxMessageBox("The mail could not be sent.", MB_OK | MB_ICONEXCLAMATION);
}
