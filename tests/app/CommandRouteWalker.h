// Checks a running main frame's user interface against its command route:
// every menu item, accelerator and toolbar button that would run a command
// has a handler for it.  Failures name the item.
#pragma once

#include <set>
#include <string>

#include <windows.h>

class CFrameWnd;
class CToolBar;

class CCommandRouteWalker
{
public:
    explicit CCommandRouteWalker(CFrameWnd* pFrame) : m_pFrame(pFrame) {}

    // Whether a command reaches a handler on the frame's route.
    BOOL IsHandled(UINT nID) const;
    // Opens each pop-up of the menu bar the way the bar does and checks
    // every item shown enabled; the enabled commands are collected.
    void WalkMenuBar(const std::string& context);
    // Every accelerator of the table whose command would run has a handler.
    void CheckAccelerators(HACCEL hAccel, const std::string& context);
    // Every button of the bar that the idle update left enabled has one.
    void CheckToolBar(CToolBar* pBar, const std::string& context);

    BOOL Enabled(UINT nID) const { return m_enabled.count(nID) != 0; }
    const std::set<UINT>& EnabledCommands() const { return m_enabled; }

private:
    void WalkPopup(HMENU hPopup, int nIndex, const std::string& path);
    CFrameWnd* m_pFrame;
    std::set<UINT> m_enabled;
};
