// The application's command line: parsing it into a CCommandLineInfo and
// carrying out the shell command it names.
#include "framework/docview/WinApp.h"

#include "framework/docview/CommandLineInfo.h"
#include "framework/docview/StandardCommands.h"
#include "framework/windows/Wnd.h"

void CWinApp::ParseCommandLine(CCommandLineInfo& rCmdInfo)
{
    std::vector<CString> args;
    if (m_lpCmdLine != NULL)
        args = AfxSplitCommandLine(m_lpCmdLine);
    else
    {
        // The process's own line starts with the program.
        args = AfxSplitCommandLine(::GetCommandLineA());
        if (!args.empty())
            args.erase(args.begin());
    }
    for (size_t i = 0; i < args.size(); ++i)
    {
        LPCSTR lpszParam = args[i];
        BOOL bFlag = lpszParam[0] == '/' || lpszParam[0] == '-';
        if (bFlag)
            ++lpszParam;
        rCmdInfo.ParseParam(lpszParam, bFlag, i + 1 == args.size());
    }
}

BOOL CWinApp::ProcessShellCommand(CCommandLineInfo& rCmdInfo)
{
    switch (rCmdInfo.m_nShellCommand)
    {
    case CCommandLineInfo::FileNew:
        // A program's own File > New handler comes first.
        if (!OnCmdMsg(ID_FILE_NEW, CN_COMMAND, NULL, NULL))
            OnFileNew();
        return m_pMainWnd != NULL;

    case CCommandLineInfo::FileOpen:
        return OpenDocumentFile(rCmdInfo.m_strFileName) != NULL;

    case CCommandLineInfo::FilePrint:
    case CCommandLineInfo::FilePrintTo:
    {
        m_nCmdShow = SW_HIDE;
        if (OpenDocumentFile(rCmdInfo.m_strFileName) == NULL || m_pMainWnd == NULL)
            return FALSE;
        m_pCmdInfo = &rCmdInfo;
        m_pMainWnd->SendMessage(WM_COMMAND, ID_FILE_PRINT_DIRECT);
        m_pCmdInfo = NULL;
        return FALSE;
    }

    case CCommandLineInfo::FileDDE:
    case CCommandLineInfo::FileNothing:
    default:
        return TRUE;
    }
}
