// Only X11 and POSIX headers here: the Windows headers clash with Xlib's names.
#include <X11/Xlib.h>

#include <signal.h>
#include <spawn.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include "tests/app/WindowManager.h"

extern char** environ;

namespace
{
// Debian's evilwm: small, and it maximizes a window on request.
const char kProgram[] = "evilwm";

bool g_bAccessDenied;

int RecordAccessError(Display*, XErrorEvent* pEvent)
{
    if (pEvent->error_code == BadAccess)
        g_bAccessDenied = true;
    return 0;
}

// A window manager holds the root window's substructure redirection, which
// only one client may select: a refused selection means one is running.
// A granted one is given up at once.
bool IsManaged(Display* pDisplay)
{
    Window root = DefaultRootWindow(pDisplay);
    g_bAccessDenied = false;
    XErrorHandler pOld = XSetErrorHandler(RecordAccessError);
    XSelectInput(pDisplay, root, SubstructureRedirectMask);
    XSync(pDisplay, False);
    if (!g_bAccessDenied)
    {
        XSelectInput(pDisplay, root, NoEventMask);
        XSync(pDisplay, False);
    }
    XSetErrorHandler(pOld);
    return g_bAccessDenied;
}
} // namespace

CWindowManager::CWindowManager() : m_pid(0), m_bRunning(false)
{
    Display* pDisplay = XOpenDisplay(getenv("DISPLAY"));
    if (pDisplay == NULL)
        return;
    char* argv[] = { const_cast<char*>(kProgram), NULL };
    pid_t pid = 0;
    if (posix_spawnp(&pid, kProgram, NULL, NULL, argv, environ) == 0)
    {
        m_pid = pid;
        for (int i = 0; i < 100 && !m_bRunning; ++i)
        {
            m_bRunning = IsManaged(pDisplay);
            if (!m_bRunning)
                usleep(50000);
        }
    }
    XCloseDisplay(pDisplay);
}

CWindowManager::~CWindowManager()
{
    if (m_pid <= 0)
        return;
    kill(m_pid, SIGTERM);
    waitpid(m_pid, NULL, 0);
}
