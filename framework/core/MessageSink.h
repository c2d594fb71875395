// Message boxes and modal prompts of the framework and the programs.  They
// all pass through one replaceable sink, so tests record the texts and pick
// the answers instead of blocking on a window.
#pragma once

#include "framework/core/Base.h"

// Shows (or answers) one message box; returns the button id chosen.
typedef int (*AFX_MESSAGE_SINK)(HWND hWndOwner, LPCSTR lpszText, LPCSTR lpszCaption, UINT nType);

// Installs a sink for the whole process (every module sees it) and returns
// the previous one; NULL restores the real message box.
AFX_MESSAGE_SINK AfxSetMessageSink(AFX_MESSAGE_SINK pfnSink);
AFX_MESSAGE_SINK AfxGetMessageSink();

// The caption of the program's message boxes (the application title).
void AfxSetMessageCaption(LPCSTR lpszCaption);
LPCSTR AfxGetMessageCaption();

int AfxMessageBox(LPCSTR lpszText, UINT nType = MB_OK, UINT nIDHelp = 0);
// A message whose bytes are in the given code page rather than the
// system's: the real box shows it in UTF-16 converted from that code page,
// so its characters come out right on any system.  A sink gets the bytes as
// they are.
int AfxMessageBoxCP(LPCSTR lpszText, UINT nCodePage, UINT nType = MB_OK);

int AfxMessageBox(UINT nIDPrompt, UINT nType = MB_OK, UINT nIDHelp = (UINT)-1);

// The module whose resources (strings, dialogs) the framework loads.
HINSTANCE AfxGetResourceHandle();
void AfxSetResourceHandle(HINSTANCE hInstResource);
HINSTANCE AfxGetInstanceHandle();
