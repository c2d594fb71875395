// The keyboard rules of the in-place cell editors that need no window:
// what a start key does to the opening text and which characters a
// numeric cell takes.
#pragma once

#include "framework/core/String.h"

// The virtual key the view passes when it opens an editor by a click or a
// move.
const int CELL_START_KEY_CLICK = 1;

enum StartKeyPlan
{
    START_CARET_AT_END,         // caret after the last character, nothing selected
    START_BACKSPACE,            // caret at the end, then a Backspace
    START_SELECT_ALL,           // whole text selected, no character
    START_SELECT_AND_TYPE       // whole text selected, the key typed over it
};

// What the start key does; bChoiceList for the editable choice list, where
// Space is typed like any other character.
StartKeyPlan PlanStartKey(int nKey, BOOL bChoiceList);

enum NumericCharAction
{
    NUMCHAR_ACCEPT,     // the edit takes the character, then a change notice
    NUMCHAR_REFUSE,     // the character is not taken, a change notice all the same
    NUMCHAR_DROP        // nothing at all
};

// Whether a numeric cell's editor takes character ch typed over the
// selection nSelStart..nSelEnd of strText (the caret at nSelStart when the
// selection is empty).  The selection is judged as already replaced, so
// overtyping a selected "1.5" with '.' starts a new number.
NumericCharAction ClassifyNumericChar(const CString& strText, int nSelStart, int nSelEnd,
                                      UINT ch);
// strText with the selection nSelStart..nSelEnd replaced by strInsert (the
// bounds are clamped to the text).
CString ReplaceSelection(const CString& strText, int nSelStart, int nSelEnd,
                         const CString& strInsert);
