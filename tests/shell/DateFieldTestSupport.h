// What the period field tests share: a parent window that records the
// field's messages, message pumping, and the screenshot taken as evidence.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "framework/windows/Wnd.h"
#include "shell/DateDropDownWnd.h"
#include "shell/DateFieldWnd.h"

// A visible top-level window that records WM_DATEDROP_OPENING and
// WM_DATEDROP_CLOSED with their wParam.
class CFieldTestParent : public CWnd
{
public:
    std::vector<std::pair<UINT, WPARAM>> m_received;

    int Count(UINT nMessage) const
    {
        int n = 0;
        for (const auto& entry : m_received)
            n += entry.first == nMessage;
        return n;
    }

protected:
    LRESULT OnOpening(WPARAM wParam, LPARAM)
    {
        m_received.push_back({ WM_DATEDROP_OPENING, wParam });
        return 0;
    }
    LRESULT OnClosed(WPARAM wParam, LPARAM)
    {
        m_received.push_back({ WM_DATEDROP_CLOSED, wParam });
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};

// The one parent window of the tests, at its usual place and with nothing
// recorded.  It is never destroyed: Wine waits two seconds for every active
// top-level window that goes away when there is no window manager.
CFieldTestParent& SharedParent();

// Dispatches what is waiting; with nMilliseconds, keeps at it that long.
void PumpMessages(DWORD nMilliseconds = 0);

// Sends a button press and release to a window at a client point.
void ClickAt(CWnd* pWnd, CPoint point);
void PressAt(CWnd* pWnd, CPoint point);
void ReleaseAt(CWnd* pWnd, CPoint point);

// Opens the drop-down of a field by a press and release on it, as the
// mouse does; NULL when none opened.
CDateDropDownWnd* OpenDropDown(CDateFieldWnd& field);

// Saves the whole display as build/<name>.png; evidence, not an assertion.
void SaveScreenshot(const char* lpszName);
