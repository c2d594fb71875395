#include <string>
#include <vector>

#include "tests/support/Gtest.h"
#include "tests/support/MessageBoxRecorder.h"
#include "tests/framework/docview/TestDocuments.h"

#include "framework/docview/CommandLineInfo.h"
#include "framework/docview/DocTemplate.h"
#include "framework/docview/FrameWnd.h"
#include "framework/docview/StandardCommands.h"
#include "framework/docview/WinApp.h"
#include "tests/framework/docview/FrameTestResource.h"

namespace
{
std::vector<std::string> Split(LPCSTR lpszCmdLine)
{
    std::vector<std::string> args;
    for (const CString& s : AfxSplitCommandLine(lpszCmdLine))
        args.push_back((LPCSTR)s);
    return args;
}

typedef std::vector<std::string> Args;

// Prints by recording what it was asked to print.
class CShellApp : public CWinApp
{
public:
    CShellApp() : CWinApp("CommandLineTest") {}
    std::vector<std::string> m_printed;

protected:
    // What is open when printing starts, and the printer asked for.
    void OnFilePrintDirect()
    {
        m_printed.push_back(std::to_string(GetDocManager()->GetOpenDocumentCount()));
        m_printed.push_back(m_pCmdInfo != NULL ? (LPCSTR)m_pCmdInfo->m_strPrinterName : "?");
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CShellApp, CWinApp)
    ON_COMMAND(ID_FILE_PRINT_DIRECT, OnFilePrintDirect)
END_MESSAGE_MAP()
} // namespace

TEST(CommandLine, SplitsLikeTheRuntime)
{
    EXPECT_EQ(Args(), Split(""));
    EXPECT_EQ(Args(), Split("   \t "));
    EXPECT_EQ(Args({ "a.kvm", "/p" }), Split("  a.kvm\t/p  "));
    EXPECT_EQ(Args({ "C:\\My Reports\\q1.kvm" }), Split("\"C:\\My Reports\\q1.kvm\""));
    EXPECT_EQ(Args({ "C:\\My Reports\\q1.kvm" }), Split("C:\\My\" \"Reports\\q1.kvm"));
    EXPECT_EQ(Args({ "", "x" }), Split("\"\" x"));
    // Backslashes count only before a quote.
    EXPECT_EQ(Args({ "a\\\\b" }), Split("a\\\\b"));
    EXPECT_EQ(Args({ "a\"b" }), Split("a\\\"b"));
    EXPECT_EQ(Args({ "a\\\\b c" }), Split("\"a\\\\b c\""));
    EXPECT_EQ(Args({ "C:\\dir\\", "x" }), Split("\"C:\\dir\\\\\" x"));
    EXPECT_EQ(Args({ "say \"hi\"" }), Split("\"say \"\"hi\"\"\""));
}

TEST(CommandLine, ParseCommandLineFillsTheInfo)
{
    struct Case
    {
        LPCSTR lpszLine;
        CCommandLineInfo::ShellCommand nCommand;
        LPCSTR lpszFile;
        BOOL bEmbedded;
        BOOL bAutomated;
        BOOL bSplash;
    };
    const Case cases[] = {
        { "", CCommandLineInfo::FileNew, "", FALSE, FALSE, TRUE },
        { "report.kvm", CCommandLineInfo::FileOpen, "report.kvm", FALSE, FALSE, TRUE },
        { "\"C:\\My Reports\\q1.kvm\"", CCommandLineInfo::FileOpen, "C:\\My Reports\\q1.kvm",
          FALSE, FALSE, TRUE },
        { "first.kvm second.kvm", CCommandLineInfo::FileOpen, "first.kvm", FALSE, FALSE, TRUE },
        { "/p q1.kvm", CCommandLineInfo::FilePrint, "q1.kvm", FALSE, FALSE, TRUE },
        { "-P q1.kvm", CCommandLineInfo::FilePrint, "q1.kvm", FALSE, FALSE, TRUE },
        { "q1.kvm /p", CCommandLineInfo::FilePrint, "q1.kvm", FALSE, FALSE, TRUE },
        { "/p", CCommandLineInfo::FileNew, "", FALSE, FALSE, TRUE },
        { "/Embedding", CCommandLineInfo::FileNew, "", TRUE, FALSE, FALSE },
        { "-embedding", CCommandLineInfo::FileNew, "", TRUE, FALSE, FALSE },
        { "/Automation", CCommandLineInfo::FileNew, "", FALSE, TRUE, FALSE },
        { "/dde", CCommandLineInfo::FileDDE, "", FALSE, FALSE, TRUE },
        { "/unknown q1.kvm", CCommandLineInfo::FileOpen, "q1.kvm", FALSE, FALSE, TRUE },
        { "/Embedding /nonsense", CCommandLineInfo::FileNew, "", TRUE, FALSE, FALSE },
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.lpszLine);
        CWinApp app("CommandLineTest");
        app.m_lpCmdLine = const_cast<LPSTR>(c.lpszLine);
        CCommandLineInfo info;
        app.ParseCommandLine(info);
        EXPECT_EQ(c.nCommand, info.m_nShellCommand);
        EXPECT_STREQ(c.lpszFile, (LPCSTR)info.m_strFileName);
        EXPECT_EQ(c.bEmbedded, info.m_bRunEmbedded);
        EXPECT_EQ(c.bAutomated, info.m_bRunAutomated);
        EXPECT_EQ(c.bSplash, info.m_bShowSplash);
    }

    CWinApp app("CommandLineTest");
    app.m_lpCmdLine = const_cast<LPSTR>("/pt q1.kvm \"Office Laser\" winspool LPT1: extra");
    CCommandLineInfo info;
    app.ParseCommandLine(info);
    EXPECT_EQ(CCommandLineInfo::FilePrintTo, info.m_nShellCommand);
    EXPECT_STREQ("q1.kvm", (LPCSTR)info.m_strFileName);
    EXPECT_STREQ("Office Laser", (LPCSTR)info.m_strPrinterName);
    EXPECT_STREQ("winspool", (LPCSTR)info.m_strDriverName);
    EXPECT_STREQ("LPT1:", (LPCSTR)info.m_strPortName);
}

TEST(CommandLine, ProcessShellCommandOpensOrPrintsTheFile)
{
    CScratchFolder folder;
    SaveNoteFile(folder.PathOf("q1.nte"), FALSE, "quarter", 1);
    CShellApp app;
    app.AddDocTemplate(new CMultiDocTemplate(7001, RUNTIME_CLASS(CNoteDoc), NULL, NULL));
    CFrameWnd* pFrame = new CFrameWnd;
    ASSERT_TRUE(pFrame->LoadFrame(IDR_ROUTING_FRAME, WS_OVERLAPPEDWINDOW));
    app.m_pMainWnd = pFrame;
    MessageBoxRecorder recorder;

    CCommandLineInfo nothing;
    nothing.m_nShellCommand = CCommandLineInfo::FileNothing;
    EXPECT_TRUE(app.ProcessShellCommand(nothing));
    EXPECT_EQ(0, app.GetDocManager()->GetOpenDocumentCount());

    CCommandLineInfo fileNew;
    EXPECT_TRUE(app.ProcessShellCommand(fileNew));
    EXPECT_EQ(1, app.GetDocManager()->GetOpenDocumentCount());

    CCommandLineInfo open;
    open.ParseParam(folder.PathOf("q1.nte"), FALSE, TRUE);
    EXPECT_TRUE(app.ProcessShellCommand(open));
    EXPECT_EQ(2, app.GetDocManager()->GetOpenDocumentCount());
    EXPECT_TRUE(recorder.Messages().empty());

    CCommandLineInfo missing;
    missing.ParseParam(folder.PathOf("missing.nte"), FALSE, TRUE);
    EXPECT_FALSE(app.ProcessShellCommand(missing));
    EXPECT_EQ(1u, recorder.Messages().size());

    // Printing runs the print command with the main window hidden; the
    // program then has nothing more to do.
    SaveNoteFile(folder.PathOf("q2.nte"), FALSE, "second quarter", 2);
    CCommandLineInfo print;
    print.ParseParam("pt", TRUE, FALSE);
    print.ParseParam(folder.PathOf("q2.nte"), FALSE, FALSE);
    print.ParseParam("Office Laser", FALSE, TRUE);
    EXPECT_FALSE(app.ProcessShellCommand(print));
    EXPECT_EQ(SW_HIDE, app.m_nCmdShow);
    EXPECT_EQ(Args({ "3", "Office Laser" }), app.m_printed);
    EXPECT_EQ(nullptr, app.m_pCmdInfo);

    app.m_printed.clear();
    CCommandLineInfo printMissing;
    printMissing.ParseParam("p", TRUE, FALSE);
    printMissing.ParseParam(folder.PathOf("missing.nte"), FALSE, TRUE);
    EXPECT_FALSE(app.ProcessShellCommand(printMissing));
    EXPECT_TRUE(app.m_printed.empty());

    pFrame->DestroyWindow();
    MSG quit;
    ::PeekMessageA(&quit, NULL, WM_QUIT, WM_QUIT, PM_REMOVE);
}
