// The count of reasons the program must stay loaded for OLE clients
// (objects it serves, documents of automation clients, locked factories).
#pragma once

#include <windows.h>

void AfxOleLockApp();
// When the last lock goes and no user controls the program (it was started
// by OLE), the hidden main window is closed and the program ends.
void AfxOleUnlockApp();
// TRUE when no lock is held.
BOOL AfxOleCanExitApp();
// FALSE for a program started by OLE (/Embedding, /Automation) until the
// user takes it over; TRUE otherwise.
void AfxOleSetUserCtrl(BOOL bUserCtrl);
BOOL AfxOleGetUserCtrl();
