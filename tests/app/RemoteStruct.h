// Messages whose answer another process's control writes through a
// pointer (TB_GETITEMRECT, TVM_GETITEMRECT): the struct lives in that
// process's memory for the call and is read back from there.
#pragma once

#include <windows.h>

// Sends the message with lParam pointing at a copy of value in the window's
// process, then reads the copy back into value.  FALSE when the memory could
// not be had or the message answered 0.
BOOL SendForRemoteStruct(HWND hWnd, UINT nMsg, WPARAM wParam, void* pValue, SIZE_T cb);

template <class T>
BOOL SendForRemoteStruct(HWND hWnd, UINT nMsg, WPARAM wParam, T& value)
{
    return SendForRemoteStruct(hWnd, nMsg, wParam, &value, sizeof(T));
}
