// Placing things over the hidden marker controls of a dialog: the step
// dialogs of the wizards over their frame, the step picture over its
// control, and report-period fields over their frames.
#pragma once

#include "framework/windows/Dialog.h"

class CDateFieldWnd;

// The rectangle of control nID in the parent's client coordinates; empty
// when there is no such control.
CRect ControlRectInClient(CWnd& parent, int nID);
// Creates step (dialog resource nTemplate) as a child of parent over rc,
// shown or hidden, without changing the z-order; FALSE when it failed.
BOOL CreateStepOver(CDialog& parent, CDialog& step, UINT nTemplate, const CRect& rc, BOOL bShow);
// Creates field as control nID over the parent's frame control nFrame and
// gives it a period type and numeral style.
void CreatePeriodFieldOver(CWnd& parent, int nFrame, CDateFieldWnd& field, UINT nID, int nType, int nStyle);

// Hides the step shown and shows the next one; a step that is missing or
// not made yet is passed over.
void SwapShownStep(CDialog* pShown, CDialog* pNext);

// Paints bitmap nBitmapID over control nPictureID of the dialog.
void PaintStepPicture(CDialog& dlg, HDC hDC, int nPictureID, int nBitmapID);
// Invalidates the picture's rectangle so that the next paint shows it.
void InvalidateStepPicture(CDialog& dlg, int nPictureID);
// Frees an image the picture control may hold.
void ReleaseStepPicture(CDialog& dlg, int nPictureID);
