#include "reporting/chart/ChartWnd.h"

#include "framework/windows/ScopedGdi.h"
#include "reporting/chart/ChartNode.h"
#include "reporting/chart/ChartRender.h"

#include <cairo.h>

namespace
{
struct ChartWindowData
{
    CChartModelPtr model;
};

ChartWindowData* DataOf(HWND hWnd)
{
    return reinterpret_cast<ChartWindowData*>(GetWindowLongPtrA(hWnd, GWLP_USERDATA));
}

// The screen's pixels per inch, across and down.
void ScreenDpi(int& nDpiX, int& nDpiY)
{
    HDC hdcScreen = GetDC(NULL);
    nDpiX = hdcScreen != NULL ? GetDeviceCaps(hdcScreen, LOGPIXELSX) : 96;
    nDpiY = hdcScreen != NULL ? GetDeviceCaps(hdcScreen, LOGPIXELSY) : 96;
    if (hdcScreen != NULL)
        ReleaseDC(NULL, hdcScreen);
}

// Draws the chart into a 32-bit image of the client size and copies it
// to hdc.
void PaintChart(HWND hWnd, HDC hdc)
{
    ChartWindowData* pData = DataOf(hWnd);
    RECT rc;
    GetClientRect(hWnd, &rc);
    int cx = rc.right, cy = rc.bottom;
    if (pData == NULL || cx <= 0 || cy <= 0)
        return;
    void* pBits = NULL;
    CScopedGdiObject bitmap(CreateTopDownDib(hdc, cx, cy, &pBits));
    CScopedMemoryDC dcMem(hdc);
    if (bitmap.Get() == NULL || dcMem.Get() == NULL)
        return;
    // An opaque ARGB32 surface has the byte order of a 32-bit DIB.
    cairo_surface_t* pSurface = cairo_image_surface_create_for_data(
        (unsigned char*)pBits, CAIRO_FORMAT_ARGB32, cx, cy, cx * 4);
    cairo_t* cr = cairo_create(pSurface);
    int nDpiX = 96, nDpiY = 96;
    ScreenDpi(nDpiX, nDpiY);
    RenderChart(cr, *pData->model, cx, cy, nDpiX, nDpiY);
    cairo_destroy(cr);
    cairo_surface_flush(pSurface);
    cairo_surface_destroy(pSurface);
    CScopedSelectObject select(dcMem.Get(), bitmap.Get());
    BitBlt(hdc, 0, 0, cx, cy, dcMem.Get(), 0, 0, SRCCOPY);
}

LRESULT CALLBACK ChartWndProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    switch (nMsg)
    {
    case WM_NCCREATE:
    {
        ChartWindowData* pData = new ChartWindowData{ std::make_shared<CChartModel>() };
        pData->model->m_hWnd = hWnd;
        SetWindowLongPtrA(hWnd, GWLP_USERDATA, (LONG_PTR)pData);
        break;
    }
    case WM_NCDESTROY:
    {
        ChartWindowData* pData = DataOf(hWnd);
        SetWindowLongPtrA(hWnd, GWLP_USERDATA, 0);
        if (pData != NULL)
        {
            // Automation objects still held elsewhere keep the model, not the window.
            pData->model->m_hWnd = NULL;
            delete pData;
        }
        break;
    }
    case CHM_GETDISPATCH:
    {
        ChartWindowData* pData = DataOf(hWnd);
        return pData != NULL ? (LRESULT)NewChartControlNode(pData->model) : 0;
    }
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT:
    {
        PAINTSTRUCT ps;
        HDC hdc = BeginPaint(hWnd, &ps);
        if (hdc != NULL)
            PaintChart(hWnd, hdc);
        EndPaint(hWnd, &ps);
        return 0;
    }
    case WM_PRINTCLIENT:
        PaintChart(hWnd, (HDC)wParam);
        return 0;
    case WM_SIZE:
        InvalidateRect(hWnd, NULL, FALSE);
        return 0;
    // Parts of the chart are not picked or edited with the mouse.
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDBLCLK:
        return 0;
    case WM_MOUSEACTIVATE:
        return MA_NOACTIVATE;
    }
    return DefWindowProcA(hWnd, nMsg, wParam, lParam);
}
} // namespace

BOOL RegisterChartWindowClass()
{
    WNDCLASSA wc = {};
    HINSTANCE hInstance = GetModuleHandleA(NULL);
    if (GetClassInfoA(hInstance, CHART_WINDOW_CLASS, &wc))
        return TRUE;
    wc.style = CS_HREDRAW | CS_VREDRAW | CS_GLOBALCLASS;
    wc.lpfnWndProc = ChartWndProc;
    wc.hInstance = hInstance;
    wc.hCursor = LoadCursorA(NULL, (LPCSTR)IDC_ARROW);
    wc.lpszClassName = CHART_WINDOW_CLASS;
    return RegisterClassA(&wc) != 0;
}

const CChartModel* ChartModelOf(HWND hWnd)
{
    char szClass[64];
    if (hWnd == NULL || GetClassNameA(hWnd, szClass, sizeof(szClass)) == 0 ||
        lstrcmpA(szClass, CHART_WINDOW_CLASS) != 0)
        return NULL;
    DWORD dwProcess = 0;
    GetWindowThreadProcessId(hWnd, &dwProcess);
    if (dwProcess != GetCurrentProcessId())
        return NULL;
    ChartWindowData* pData = DataOf(hWnd);
    return pData != NULL ? pData->model.get() : NULL;
}
