// Cell picking: while a formula dialog runs modally, a thread mouse hook
// lets the active sheet view take plain mouse input (a click on a cell
// hands its name to the dialog through WM_PICKCELL) and turns away clicks
// on every other window.  One picking dialog at a time.
#pragma once

#include <windows.h>

// Makes hDialog the picking dialog and installs the hook; on success the
// main window is enabled so that the view under the modal dialog gets its
// clicks.  FALSE when the hook cannot be had: the dialog stays an ordinary
// modal one.
BOOL BeginCellPick(HWND hDialog);
// Removes the hook and returns to the ordinary modal state: the main
// window disabled, the dialog enabled.  Clears the picking state.
void EndCellPick(HWND hDialog);
// TRUE while the hook is in place.
BOOL IsCellPicking();
// The dialog that takes picked cells, or NULL.
HWND GetCellPickDialogWindow();
// The sheet view's window that picking serves: the active view of the
// main frame's active child, or NULL.
HWND GetCellPickViewWindow();
