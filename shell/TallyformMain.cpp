// Start-up of the designer program: a main window with the program's menu.
#include "framework/core/MessageSink.h"
#include "resource.h"

namespace {

const char kFrameClass[] = "TallyformFrame";

LRESULT CALLBACK FrameProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    switch (uMsg)
    {
    case WM_COMMAND:
        if (LOWORD(wParam) == 57665)
            DestroyWindow(hWnd);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(hWnd, uMsg, wParam, lParam);
}

}

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE, LPSTR, int nCmdShow)
{
    char title[64];
    if (LoadStringA(hInstance, IDR_MAINFRAME, title, sizeof(title)) <= 0)
        lstrcpyA(title, "Tallyform");
    AfxSetMessageCaption(title);

    WNDCLASSA wc = {};
    wc.lpfnWndProc = FrameProc;
    wc.hInstance = hInstance;
    wc.hCursor = LoadCursorA(NULL, (LPCSTR)IDC_ARROW);
    wc.hbrBackground = (HBRUSH)(COLOR_APPWORKSPACE + 1);
    wc.lpszClassName = kFrameClass;
    wc.lpszMenuName = MAKEINTRESOURCEA(IDR_MAINFRAME);
    if (!RegisterClassA(&wc))
        return 1;
    HWND hWnd = CreateWindowA(kFrameClass, title, WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, 0,
                              CW_USEDEFAULT, 0, NULL, NULL, hInstance, NULL);
    if (hWnd == NULL)
        return 1;
    ShowWindow(hWnd, nCmdShow == SW_SHOWNORMAL ? SW_SHOWMAXIMIZED : nCmdShow);
    UpdateWindow(hWnd);

    MSG msg;
    while (GetMessageA(&msg, NULL, 0, 0) > 0)
    {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return (int)msg.wParam;
}
