// Only X11 and C headers here: the Windows headers clash with Xlib's names.
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include <stdlib.h>
#include <unistd.h>

#include "tests/app/XServerInput.h"

namespace
{
// Time for the program to take each event before the next: Wine reads the
// key state it keeps from the events in the order they came.
const useconds_t kStepMicroseconds = 100000;

Display* OpenWithTestExtension()
{
    Display* pDisplay = XOpenDisplay(getenv("DISPLAY"));
    if (pDisplay == NULL)
        return NULL;
    int nEvent = 0, nError = 0, nMajor = 0, nMinor = 0;
    if (!XTestQueryExtension(pDisplay, &nEvent, &nError, &nMajor, &nMinor))
    {
        XCloseDisplay(pDisplay);
        return NULL;
    }
    return pDisplay;
}

void Step(Display* pDisplay)
{
    XSync(pDisplay, False);
    usleep(kStepMicroseconds);
}

void FakeModifier(Display* pDisplay, int nModifier, Bool bPress)
{
    if (nModifier != XINPUT_SHIFT)
        return;
    XTestFakeKeyEvent(pDisplay, XKeysymToKeycode(pDisplay, XK_Shift_L), bPress, CurrentTime);
    Step(pDisplay);
}
} // namespace

int XServerClick(int x, int y, int nModifier)
{
    Display* pDisplay = OpenWithTestExtension();
    if (pDisplay == NULL)
        return 0;
    XTestFakeMotionEvent(pDisplay, DefaultScreen(pDisplay), x, y, CurrentTime);
    Step(pDisplay);
    FakeModifier(pDisplay, nModifier, True);
    XTestFakeButtonEvent(pDisplay, 1, True, CurrentTime);
    Step(pDisplay);
    XTestFakeButtonEvent(pDisplay, 1, False, CurrentTime);
    Step(pDisplay);
    FakeModifier(pDisplay, nModifier, False);
    XCloseDisplay(pDisplay);
    return 1;
}
