// Only X11 and C headers here: the Windows headers clash with Xlib's names.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "tests/app/ScreenCapture.h"

namespace
{
void PutLe(FILE* pFile, uint32_t nValue, int nBytes)
{
    for (int i = 0; i < nBytes; ++i)
        fputc((int)((nValue >> (8 * i)) & 0xFF), pFile);
}
} // namespace

int SaveRootAreaBitmap(int x, int y, int cx, int cy, const char* lpszUnixPath)
{
    Display* pDisplay = XOpenDisplay(getenv("DISPLAY"));
    if (pDisplay == NULL)
        return 0;
    // Only the part on the screen can be read.
    int nScreenX = DisplayWidth(pDisplay, DefaultScreen(pDisplay));
    int nScreenY = DisplayHeight(pDisplay, DefaultScreen(pDisplay));
    if (x < 0)
    {
        cx += x;
        x = 0;
    }
    if (y < 0)
    {
        cy += y;
        y = 0;
    }
    if (x + cx > nScreenX)
        cx = nScreenX - x;
    if (y + cy > nScreenY)
        cy = nScreenY - y;
    if (cx <= 0 || cy <= 0)
    {
        XCloseDisplay(pDisplay);
        return 0;
    }
    XImage* pImage = XGetImage(pDisplay, DefaultRootWindow(pDisplay), x, y, (unsigned)cx,
                               (unsigned)cy, AllPlanes, ZPixmap);
    int nResult = 0;
    FILE* pFile = pImage != NULL ? fopen(lpszUnixPath, "wb") : NULL;
    if (pFile != NULL)
    {
        uint32_t nRow = (uint32_t)((cx * 3 + 3) & ~3);
        uint32_t nData = nRow * (uint32_t)cy;
        fputc('B', pFile);
        fputc('M', pFile);
        PutLe(pFile, 54 + nData, 4);
        PutLe(pFile, 0, 4);
        PutLe(pFile, 54, 4);
        PutLe(pFile, 40, 4);
        PutLe(pFile, (uint32_t)cx, 4);
        PutLe(pFile, (uint32_t)cy, 4);
        PutLe(pFile, 1, 2);
        PutLe(pFile, 24, 2);
        for (int i = 0; i < 6; ++i)
            PutLe(pFile, 0, 4);
        for (int row = cy - 1; row >= 0; --row)
        {
            for (int col = 0; col < cx; ++col)
            {
                unsigned long pixel = XGetPixel(pImage, col, row);
                fputc((int)(pixel & 0xFF), pFile);
                fputc((int)((pixel >> 8) & 0xFF), pFile);
                fputc((int)((pixel >> 16) & 0xFF), pFile);
            }
            for (uint32_t pad = (uint32_t)cx * 3; pad < nRow; ++pad)
                fputc(0, pFile);
        }
        nResult = fclose(pFile) == 0;
    }
    if (pImage != NULL)
        XDestroyImage(pImage);
    XCloseDisplay(pDisplay);
    return nResult;
}

int GetXWindowArea(unsigned long xid, int* px, int* py, int* pcx, int* pcy)
{
    Display* pDisplay = XOpenDisplay(getenv("DISPLAY"));
    if (pDisplay == NULL)
        return 0;
    XWindowAttributes attributes;
    Window child;
    int nDone = 0;
    if (XGetWindowAttributes(pDisplay, (Window)xid, &attributes) &&
        XTranslateCoordinates(pDisplay, (Window)xid, DefaultRootWindow(pDisplay), 0, 0, px, py,
                              &child))
    {
        *pcx = attributes.width;
        *pcy = attributes.height;
        nDone = 1;
    }
    XCloseDisplay(pDisplay);
    return nDone;
}

namespace
{
// The first window under hParent, depth first, whose name holds the text.
Window FindNamed(Display* pDisplay, Window hParent, const char* lpszPart)
{
    char* pszName = NULL;
    if (XFetchName(pDisplay, hParent, &pszName) && pszName != NULL)
    {
        bool bFound = strstr(pszName, lpszPart) != NULL;
        XFree(pszName);
        if (bFound)
            return hParent;
    }
    Window root, parent, *pChildren = NULL;
    unsigned int nChildren = 0;
    Window found = 0;
    if (XQueryTree(pDisplay, hParent, &root, &parent, &pChildren, &nChildren))
    {
        for (unsigned int i = 0; i < nChildren && found == 0; ++i)
            found = FindNamed(pDisplay, pChildren[i], lpszPart);
        if (pChildren != NULL)
            XFree(pChildren);
    }
    return found;
}
} // namespace

unsigned long FindXWindowNamed(const char* lpszPart)
{
    Display* pDisplay = XOpenDisplay(getenv("DISPLAY"));
    if (pDisplay == NULL)
        return 0;
    Window found = FindNamed(pDisplay, DefaultRootWindow(pDisplay), lpszPart);
    XCloseDisplay(pDisplay);
    return (unsigned long)found;
}

int CloseXClient(unsigned long xid)
{
    Display* pDisplay = XOpenDisplay(getenv("DISPLAY"));
    if (pDisplay == NULL)
        return 0;
    XKillClient(pDisplay, (XID)xid);
    XSync(pDisplay, False);
    XCloseDisplay(pDisplay);
    return 1;
}

int ReadRootPixels(int x, int y, int cx, int cy, unsigned int* pPixels)
{
    Display* pDisplay = XOpenDisplay(getenv("DISPLAY"));
    if (pDisplay == NULL)
        return 0;
    int nDone = 0;
    if (x >= 0 && y >= 0 && cx > 0 && cy > 0 &&
        x + cx <= DisplayWidth(pDisplay, DefaultScreen(pDisplay)) &&
        y + cy <= DisplayHeight(pDisplay, DefaultScreen(pDisplay)))
    {
        XImage* pImage = XGetImage(pDisplay, DefaultRootWindow(pDisplay), x, y, (unsigned)cx,
                                   (unsigned)cy, AllPlanes, ZPixmap);
        if (pImage != NULL)
        {
            for (int row = 0; row < cy; ++row)
                for (int col = 0; col < cx; ++col)
                    pPixels[row * cx + col] = (unsigned int)(XGetPixel(pImage, col, row) & 0xFFFFFF);
            XDestroyImage(pImage);
            nDone = 1;
        }
    }
    XCloseDisplay(pDisplay);
    return nDone;
}

namespace
{
// The child of the root window that holds xid (its window manager frame,
// or itself when unmanaged).
Window TopLevelOf(Display* pDisplay, Window xid)
{
    Window root = DefaultRootWindow(pDisplay);
    for (Window current = xid;;)
    {
        Window rootReturn, parent;
        Window* pChildren = NULL;
        unsigned int nChildren = 0;
        if (!XQueryTree(pDisplay, current, &rootReturn, &parent, &pChildren, &nChildren))
            return 0;
        if (pChildren != NULL)
            XFree(pChildren);
        if (parent == root)
            return current;
        current = parent;
    }
}
} // namespace

int IsXWindowAbove(unsigned long upper, unsigned long lower)
{
    Display* pDisplay = XOpenDisplay(getenv("DISPLAY"));
    if (pDisplay == NULL)
        return -1;
    Window top = TopLevelOf(pDisplay, (Window)upper);
    Window bottom = TopLevelOf(pDisplay, (Window)lower);
    int nResult = -1;
    Window rootReturn, parent;
    Window* pChildren = NULL;
    unsigned int nChildren = 0;
    // The root's children come bottom first.
    if (top != 0 && bottom != 0 &&
        XQueryTree(pDisplay, DefaultRootWindow(pDisplay), &rootReturn, &parent, &pChildren,
                   &nChildren))
    {
        int nTop = -1, nBottom = -1;
        for (unsigned int i = 0; i < nChildren; ++i)
        {
            if (pChildren[i] == top)
                nTop = (int)i;
            if (pChildren[i] == bottom)
                nBottom = (int)i;
        }
        if (nTop >= 0 && nBottom >= 0)
            nResult = nTop > nBottom ? 1 : 0;
        XFree(pChildren);
    }
    XCloseDisplay(pDisplay);
    return nResult;
}
