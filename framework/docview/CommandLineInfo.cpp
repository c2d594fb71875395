#include "framework/docview/CommandLineInfo.h"

CCommandLineInfo::CCommandLineInfo()
    : m_bShowSplash(TRUE), m_bRunEmbedded(FALSE), m_bRunAutomated(FALSE),
      m_nShellCommand(FileNew), m_nPrintToArgs(0)
{
}

void CCommandLineInfo::ParseParam(LPCSTR lpszParam, BOOL bFlag, BOOL bLast)
{
    if (bFlag)
        ParseParamFlag(lpszParam);
    else
        ParseParamNotFlag(lpszParam);
    ParseLast(bLast);
}

void CCommandLineInfo::ParseParamFlag(LPCSTR lpszParam)
{
    if (lstrcmpiA(lpszParam, "pt") == 0)
    {
        m_nShellCommand = FilePrintTo;
        m_nPrintToArgs = 3;
    }
    else if (lstrcmpiA(lpszParam, "p") == 0)
        m_nShellCommand = FilePrint;
    else if (lstrcmpiA(lpszParam, "dde") == 0)
        m_nShellCommand = FileDDE;
    else if (lstrcmpiA(lpszParam, "Embedding") == 0)
    {
        m_bRunEmbedded = TRUE;
        m_bShowSplash = FALSE;
    }
    else if (lstrcmpiA(lpszParam, "Automation") == 0)
    {
        m_bRunAutomated = TRUE;
        m_bShowSplash = FALSE;
    }
}

void CCommandLineInfo::ParseParamNotFlag(LPCSTR lpszParam)
{
    if (m_strFileName.IsEmpty())
    {
        m_strFileName = lpszParam;
        return;
    }
    if (m_nShellCommand != FilePrintTo || m_nPrintToArgs == 0)
        return;
    // The printer, its driver and its port follow the file, in that order.
    CString* targets[] = { &m_strPrinterName, &m_strDriverName, &m_strPortName };
    *targets[3 - m_nPrintToArgs] = lpszParam;
    --m_nPrintToArgs;
}

void CCommandLineInfo::ParseLast(BOOL bLast)
{
    if (!bLast)
        return;
    if (m_nShellCommand == FileNew && !m_strFileName.IsEmpty())
        m_nShellCommand = FileOpen;
    // A print request without a file has nothing to print: the program
    // starts as it would without it rather than ending unseen.
    if ((m_nShellCommand == FilePrint || m_nShellCommand == FilePrintTo) &&
        m_strFileName.IsEmpty())
        m_nShellCommand = FileNew;
    m_bShowSplash = !m_bRunEmbedded && !m_bRunAutomated;
}

std::vector<CString> AfxSplitCommandLine(LPCSTR lpszCmdLine)
{
    std::vector<CString> args;
    if (lpszCmdLine == NULL)
        return args;
    const char* p = lpszCmdLine;
    for (;;)
    {
        while (*p == ' ' || *p == '\t')
            ++p;
        if (*p == '\0')
            break;
        CString strArg;
        BOOL bInQuotes = FALSE;
        while (*p != '\0' && (bInQuotes || (*p != ' ' && *p != '\t')))
        {
            if (*p == '\\')
            {
                int nSlashes = 0;
                while (*p == '\\')
                {
                    ++nSlashes;
                    ++p;
                }
                // Backslashes are themselves except before a quote, where
                // each pair is one backslash and an odd one makes the quote
                // a plain character.
                if (*p != '"')
                {
                    for (int i = 0; i < nSlashes; ++i)
                        strArg += '\\';
                    continue;
                }
                for (int i = 0; i < nSlashes / 2; ++i)
                    strArg += '\\';
                if (nSlashes % 2 != 0)
                {
                    strArg += '"';
                    ++p;
                }
                continue;
            }
            if (*p == '"')
            {
                if (bInQuotes && p[1] == '"')
                {
                    strArg += '"';
                    p += 2;
                    continue;
                }
                bInQuotes = !bInQuotes;
                ++p;
                continue;
            }
            strArg += *p++;
        }
        args.push_back(strArg);
    }
    return args;
}
