#include "framework/core/MessageSink.h"
#include "framework/core/WideText.h"
#include "framework/windows/MessageBoxFont.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

namespace {

// Every module links its own copy of the framework, so the sink is kept in
// the process environment too: a sink installed by the program also serves
// the message boxes that an engine library shows.
const char kSinkVariable[] = "FRAMEWORK_MESSAGE_SINK";

char g_szCaption[256] = "";
HINSTANCE g_hResource = NULL;

}

// The variable holds "<process id>:<address>".  A child process inherits
// the environment, and an address from another process means nothing in
// it, so only the process that installed the sink uses it.
AFX_MESSAGE_SINK AfxGetMessageSink()
{
    char buf[64];
    DWORD n = GetEnvironmentVariableA(kSinkVariable, buf, sizeof(buf));
    if (n == 0 || n >= sizeof(buf))
        return NULL;
    char* pEnd = NULL;
    unsigned long ulProcess = strtoul(buf, &pEnd, 16);
    if (pEnd == NULL || *pEnd != ':' || ulProcess != GetCurrentProcessId())
        return NULL;
    return reinterpret_cast<AFX_MESSAGE_SINK>(static_cast<uintptr_t>(strtoull(pEnd + 1, NULL, 16)));
}

AFX_MESSAGE_SINK AfxSetMessageSink(AFX_MESSAGE_SINK pfnSink)
{
    AFX_MESSAGE_SINK pfnOld = AfxGetMessageSink();
    if (pfnSink == NULL)
    {
        SetEnvironmentVariableA(kSinkVariable, NULL);
    }
    else
    {
        char buf[64];
        snprintf(buf, sizeof(buf), "%lx:%llx", static_cast<unsigned long>(GetCurrentProcessId()),
                 static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(pfnSink)));
        SetEnvironmentVariableA(kSinkVariable, buf);
    }
    return pfnOld;
}

void AfxSetMessageCaption(LPCSTR lpszCaption)
{
    lstrcpynA(g_szCaption, lpszCaption != NULL ? lpszCaption : "", sizeof(g_szCaption));
}

LPCSTR AfxGetMessageCaption()
{
    if (g_szCaption[0] == '\0')
    {
        char path[MAX_PATH];
        DWORD n = GetModuleFileNameA(NULL, path, MAX_PATH);
        if (n > 0 && n < MAX_PATH)
        {
            char* name = path;
            for (char* p = path; *p; ++p)
                if (*p == '\\' || *p == '/')
                    name = p + 1;
            char* dot = strrchr(name, '.');
            if (dot != NULL)
                *dot = '\0';
            lstrcpynA(g_szCaption, name, sizeof(g_szCaption));
        }
    }
    return g_szCaption;
}

int AfxMessageBox(LPCSTR lpszText, UINT nType, UINT)
{
    HWND hOwner = GetActiveWindow();
    LPCSTR caption = AfxGetMessageCaption();
    if (AFX_MESSAGE_SINK pfnSink = AfxGetMessageSink())
        return pfnSink(hOwner, lpszText != NULL ? lpszText : "", caption, nType);
    return MessageBoxA(hOwner, lpszText != NULL ? lpszText : "", caption, nType);
}

int AfxMessageBoxCP(LPCSTR lpszText, UINT nCodePage, UINT nType)
{
    if (lpszText == NULL)
        lpszText = "";
    HWND hOwner = GetActiveWindow();
    LPCSTR caption = AfxGetMessageCaption();
    if (AFX_MESSAGE_SINK pfnSink = AfxGetMessageSink())
        return pfnSink(hOwner, lpszText, caption, nType);
    CWideText text(lpszText, lstrlenA(lpszText), nCodePage);
    CWideText wideCaption(caption, lstrlenA(caption), CP_ACP);
    CScopedMessageBoxFont fit(text.GetString(), nCodePage);
    return MessageBoxW(hOwner, text.GetString(), wideCaption.GetString(), nType);
}

int AfxMessageBox(UINT nIDPrompt, UINT nType, UINT nIDHelp)
{
    char text[1024];
    if (LoadStringA(AfxGetResourceHandle(), nIDPrompt, text, sizeof(text)) <= 0)
        snprintf(text, sizeof(text), "Message %u", nIDPrompt);
    return AfxMessageBox(text, nType, nIDHelp == (UINT)-1 ? nIDPrompt : nIDHelp);
}

HINSTANCE AfxGetResourceHandle()
{
    return g_hResource != NULL ? g_hResource : GetModuleHandleA(NULL);
}

void AfxSetResourceHandle(HINSTANCE hInstResource)
{
    g_hResource = hInstResource;
}

HINSTANCE AfxGetInstanceHandle()
{
    return GetModuleHandleA(NULL);
}
