// Builds a template in the running designer from outside: commands sent to
// its main window, mouse presses on its sheet view (as messages, or as real
// input that goes through the system), the saved template's bytes, and the
// texts its sheet shows, read back from a PDF export.
#pragma once

#include <string>
#include <vector>

#include "tests/app/RunModeDriver.h"

class CDesignDriver
{
public:
    CDesignDriver(CDesignerProcess& designer, CRunModeDriver& driver)
        : m_designer(designer), m_driver(driver) {}

    // Runs a command that shows no dialog and waits until it is done.
    BOOL Command(UINT nID);
    // Posts a command that opens a dialog with this caption; the dialog.
    HWND CommandDialog(UINT nID, LPCSTR lpszCaption);

    // Client point of a sheet point (the view at 100 % and not scrolled).
    static POINT CellCentre(int row, int col, int w, int h);
    // A click (press and release) on the view, with key flags (MK_CONTROL).
    void Click(POINT pt, UINT nFlags = 0);
    // A press at one point, a move with the button down and the release.
    void Drag(POINT ptFrom, POINT ptTo);
    // A real left click at a client point of the view, through the input
    // queue as the mouse makes it.
    void HardwareClick(POINT ptClient);
    // Two real left clicks there within the double-click time.
    void HardwareDoubleClick(POINT ptClient);
    // A real left click at the middle of any window (a dialog's control).
    static void HardwareClickOn(HWND hWnd);
    // A real key press and release, to the window that has the focus, with
    // a modifier key (VK_CONTROL) held when one is given.
    static void HardwareKey(UINT nKey, UINT nModifier = 0);

    // File > Save; the bytes of the file once written.
    std::string SaveTemplate(LPCSTR lpszPath);
    // The texts the sheet shows, from File > Save to PDF.
    std::vector<std::string> ShownTexts(LPCSTR lpszPdfPath);

private:
    CDesignerProcess& m_designer;
    CRunModeDriver& m_driver;
};
