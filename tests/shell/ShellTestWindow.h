// A visible top-level window for the shell tests that records the
// notifications and clicks it receives.
#pragma once

#include <vector>

#include "framework/windows/Wnd.h"

class CShellTestWindow : public CWnd
{
public:
    struct Notification
    {
        UINT nCode;
        UINT_PTR idFrom;
        HWND hwndFrom;
    };
    std::vector<Notification> m_notifications;
    std::vector<UINT> m_commandCodes;  // control notifications left to the parent
    int m_nClicks = 0;

    CShellTestWindow();
    ~CShellTestWindow() override;

protected:
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void OnLButtonDown(UINT nFlags, CPoint point);
    DECLARE_MESSAGE_MAP()
};

// Dispatches what is waiting in this thread's queue.
void PumpMessages();
// Dispatches messages for about nMilliseconds.
void PumpFor(DWORD nMilliseconds);
