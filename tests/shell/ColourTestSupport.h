// What the colour popup and picker tests share: a child window of the
// shared test parent that records the colour messages it receives.
#pragma once

#include <vector>

#include "tests/shell/DateFieldTestSupport.h"
#include "shell/ColourGridPopup.h"
#include "shell/ColourPicker.h"

struct ColourMessage
{
    UINT nMessage;
    COLORREF crColour;
    LPARAM lParam;
};

class CColourRecorder : public CWnd
{
public:
    std::vector<ColourMessage> m_received;

    // A fresh recorder inside the shared parent.
    BOOL CreateIn(CWnd& parent);
    // The messages received, without their colours.
    std::vector<UINT> Messages() const;
    const ColourMessage& Last() const { return m_received.back(); }

protected:
    LRESULT Record(UINT nMessage, WPARAM wParam, LPARAM lParam)
    {
        m_received.push_back({ nMessage, (COLORREF)wParam, lParam });
        return 0;
    }
    LRESULT OnSelChange(WPARAM w, LPARAM l) { return Record(WM_COLOUR_SELCHANGE, w, l); }
    LRESULT OnDropDown(WPARAM w, LPARAM l) { return Record(WM_COLOUR_DROPDOWN, w, l); }
    LRESULT OnCloseUp(WPARAM w, LPARAM l) { return Record(WM_COLOUR_CLOSEUP, w, l); }
    LRESULT OnSelEndOK(WPARAM w, LPARAM l) { return Record(WM_COLOUR_SELENDOK, w, l); }
    LRESULT OnSelEndCancel(WPARAM w, LPARAM l) { return Record(WM_COLOUR_SELENDCANCEL, w, l); }
    DECLARE_MESSAGE_MAP()
};

// The popup that holds the mouse capture now, or NULL.
CColourGridPopup* CapturingPopup();

// Sends a key press to a window.
void PressKey(CWnd* pWnd, UINT nKey);

// The centre of a popup cell in client coordinates.
CPoint CellCentre(const CColourGridPopup& popup, int nIndex);
