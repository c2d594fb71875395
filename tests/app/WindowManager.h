// A small window manager run on the test display for the length of a test,
// so that the designer's managed windows meet one as on a desktop.
#pragma once

class CWindowManager
{
public:
    // Starts the window manager on $DISPLAY and waits until it manages the
    // screen; IsRunning() tells whether it does.
    CWindowManager();
    // Ends it: later windows are unmanaged again.
    ~CWindowManager();
    CWindowManager(const CWindowManager&) = delete;
    CWindowManager& operator=(const CWindowManager&) = delete;

    bool IsRunning() const { return m_bRunning; }

private:
    int m_pid;
    bool m_bRunning;
};
