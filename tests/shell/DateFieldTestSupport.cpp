#include "tests/shell/DateFieldTestSupport.h"

#include <stdio.h>
#include <sys/stat.h>

BEGIN_MESSAGE_MAP(CFieldTestParent, CWnd)
    ON_MESSAGE(WM_DATEDROP_OPENING, OnOpening)
    ON_MESSAGE(WM_DATEDROP_CLOSED, OnClosed)
END_MESSAGE_MAP()

CFieldTestParent& SharedParent()
{
    // Left to the end of the process on purpose (see the header).
    static CFieldTestParent* pParent = nullptr;
    if (pParent == nullptr)
    {
        pParent = new CFieldTestParent;
        pParent->CreateEx(0, NULL, "period field test", WS_POPUP | WS_BORDER | WS_VISIBLE, 100,
                          100, 360, 240, NULL, NULL);
    }
    pParent->MoveWindow(100, 100, 360, 240);
    pParent->m_received.clear();
    return *pParent;
}

void PumpMessages(DWORD nMilliseconds)
{
    DWORD start = GetTickCount();
    do
    {
        MSG msg;
        while (PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE))
        {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        if (nMilliseconds != 0)
            Sleep(5);
    } while (GetTickCount() - start < nMilliseconds);
}

void PressAt(CWnd* pWnd, CPoint point)
{
    pWnd->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(point.x, point.y));
}

void ReleaseAt(CWnd* pWnd, CPoint point)
{
    pWnd->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(point.x, point.y));
}

void ClickAt(CWnd* pWnd, CPoint point)
{
    PressAt(pWnd, point);
    ReleaseAt(pWnd, point);
}

CDateDropDownWnd* OpenDropDown(CDateFieldWnd& field)
{
    ClickAt(&field, CPoint(5, 5));
    return field.GetDropDown();
}

void SaveScreenshot(const char* lpszName)
{
    // ImageMagick is a Unix program: Wine starts it from its Unix path, but
    // gives no handle to wait on, so the finished file is waited for.
    std::string path = std::string(SHELL_TEST_SCREENSHOT_DIR) + "/" + lpszName + ".png";
    remove(path.c_str());
    std::string command = "Z:\\usr\\bin\\import -window root " + path;
    STARTUPINFOA si = {};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi = {};
    if (!CreateProcessA("Z:\\usr\\bin\\import", &command[0], NULL, NULL, FALSE, 0, NULL, NULL,
                        &si, &pi))
        return;
    if (pi.hProcess != NULL)
        CloseHandle(pi.hProcess);
    if (pi.hThread != NULL)
        CloseHandle(pi.hThread);
    long lastSize = -1;
    for (int i = 0; i < 100; ++i)
    {
        PumpMessages(100);
        struct stat st;
        if (stat(path.c_str(), &st) == 0 && st.st_size > 0 && st.st_size == lastSize)
            return;
        lastSize = stat(path.c_str(), &st) == 0 ? (long)st.st_size : -1;
    }
}
