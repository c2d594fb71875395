// CCommandLineInfo: what the program was asked to do on its command line.
// ParseParam takes the arguments one at a time; CWinApp::ParseCommandLine
// feeds it and ProcessShellCommand carries the result out.
#pragma once

#include <vector>

#include "framework/core/String.h"

class CCommandLineInfo
{
public:
    enum ShellCommand
    {
        FileNew,
        FileOpen,
        FilePrint,
        FilePrintTo,
        FileDDE,
        FileNothing = -1
    };

    CCommandLineInfo();
    virtual ~CCommandLineInfo() = default;

    // One argument: lpszParam without its leading '/' or '-' when bFlag;
    // bLast for the final one.  Flags are read without regard to case and
    // unknown flags are passed over.
    virtual void ParseParam(LPCSTR lpszParam, BOOL bFlag, BOOL bLast);

    BOOL m_bShowSplash;
    BOOL m_bRunEmbedded;      // /Embedding: started by OLE for an embedded object
    BOOL m_bRunAutomated;     // /Automation
    ShellCommand m_nShellCommand;
    CString m_strFileName;
    // /pt file printer driver port
    CString m_strPrinterName;
    CString m_strDriverName;
    CString m_strPortName;

protected:
    void ParseParamFlag(LPCSTR lpszParam);
    void ParseParamNotFlag(LPCSTR lpszParam);
    void ParseLast(BOOL bLast);

private:
    int m_nPrintToArgs;   // the /pt arguments still to come after the file
};

// The arguments of a command line as the C run-time splits them: blanks
// separate, double quotes group, a backslash escapes a quote, "" inside
// quotes is one quote.
std::vector<CString> AfxSplitCommandLine(LPCSTR lpszCmdLine);
