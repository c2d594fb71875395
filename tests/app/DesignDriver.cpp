#include "tests/app/DesignDriver.h"

#include "tests/app/PdfTexts.h"
#include "tests/support/ScratchFolder.h"

namespace
{
const DWORD kCommandMs = 20000;
const UINT kFileSave = 57603;

LRESULT SendAndWait(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    DWORD_PTR nResult = 0;
    SendMessageTimeoutA(hWnd, message, wParam, lParam, SMTO_NORMAL, kCommandMs, &nResult);
    return (LRESULT)nResult;
}

void SendMouse(DWORD dwFlags, LONG x, LONG y)
{
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dx = x;
    input.mi.dy = y;
    input.mi.dwFlags = dwFlags;
    SendInput(1, &input, sizeof(input));
}

// nClicks real left clicks at a screen point, after a move there.
void ClickAtScreen(POINT pt, int nClicks)
{
    SetCursorPos(pt.x, pt.y);
    // A move first, so that the view knows a cell can be picked there.
    SendMouse(MOUSEEVENTF_MOVE, 0, 0);
    Sleep(200);
    for (int i = 0; i < nClicks; ++i)
    {
        // Within the double-click time when there are two.
        SendMouse(MOUSEEVENTF_LEFTDOWN, 0, 0);
        Sleep(nClicks == 1 ? 100 : 50);
        SendMouse(MOUSEEVENTF_LEFTUP, 0, 0);
        Sleep(50);
    }
    Sleep(300);
}
} // namespace

BOOL CDesignDriver::Command(UINT nID)
{
    DWORD_PTR nResult = 0;
    return SendMessageTimeoutA(m_driver.MainWindow(), WM_COMMAND, MAKEWPARAM(nID, 0), 0,
                               SMTO_NORMAL, kCommandMs, &nResult) != 0;
}

HWND CDesignDriver::CommandDialog(UINT nID, LPCSTR lpszCaption)
{
    PostMessageA(m_driver.MainWindow(), WM_COMMAND, MAKEWPARAM(nID, 0), 0);
    return m_designer.WaitForDialog(lpszCaption, kCommandMs);
}

POINT CDesignDriver::CellCentre(int row, int col, int w, int h)
{
    POINT pt = { col * w + w / 2, row * h + h / 2 };
    return pt;
}

void CDesignDriver::Click(POINT pt, UINT nFlags)
{
    const HWND hView = m_driver.View();
    const LPARAM lPoint = MAKELPARAM(pt.x, pt.y);
    // The move tells the view what lies under the pointer.
    SendAndWait(hView, WM_MOUSEMOVE, nFlags, lPoint);
    SendAndWait(hView, WM_LBUTTONDOWN, nFlags | MK_LBUTTON, lPoint);
    SendAndWait(hView, WM_LBUTTONUP, nFlags, lPoint);
}

void CDesignDriver::Drag(POINT ptFrom, POINT ptTo)
{
    const HWND hView = m_driver.View();
    SendAndWait(hView, WM_MOUSEMOVE, 0, MAKELPARAM(ptFrom.x, ptFrom.y));
    SendAndWait(hView, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(ptFrom.x, ptFrom.y));
    SendAndWait(hView, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(ptTo.x, ptTo.y));
    SendAndWait(hView, WM_LBUTTONUP, 0, MAKELPARAM(ptTo.x, ptTo.y));
}

void CDesignDriver::HardwareClick(POINT ptClient)
{
    POINT pt = ptClient;
    ClientToScreen(m_driver.View(), &pt);
    ClickAtScreen(pt, 1);
}

void CDesignDriver::HardwareDoubleClick(POINT ptClient)
{
    POINT pt = ptClient;
    ClientToScreen(m_driver.View(), &pt);
    ClickAtScreen(pt, 2);
}

void CDesignDriver::HardwareClickOn(HWND hWnd)
{
    RECT rc;
    GetWindowRect(hWnd, &rc);
    POINT pt = { (rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2 };
    ClickAtScreen(pt, 1);
}

void CDesignDriver::HardwareKey(UINT nKey, UINT nModifier)
{
    std::vector<INPUT> keys;
    auto add = [&keys](UINT nVirtKey, DWORD dwFlags) {
        INPUT key = {};
        key.type = INPUT_KEYBOARD;
        key.ki.wVk = (WORD)nVirtKey;
        key.ki.dwFlags = dwFlags;
        keys.push_back(key);
    };
    if (nModifier != 0)
        add(nModifier, 0);
    add(nKey, 0);
    add(nKey, KEYEVENTF_KEYUP);
    if (nModifier != 0)
        add(nModifier, KEYEVENTF_KEYUP);
    SendInput((UINT)keys.size(), keys.data(), sizeof(INPUT));
    Sleep(300);
}

std::string CDesignDriver::SaveTemplate(LPCSTR lpszPath)
{
    Command(kFileSave);
    return ReadWholeFile(lpszPath);
}

std::vector<std::string> CDesignDriver::ShownTexts(LPCSTR lpszPdfPath)
{
    if (!m_driver.SaveToPdf(lpszPdfPath, kCommandMs))
        return std::vector<std::string>();
    return PdfShownTexts(ReadWholeFile(lpszPdfPath));
}
