#include "view/ClipboardText.h"

#include <string.h>

BOOL ReadClipboardText(HWND hOwner, CString& strText)
{
    strText.Empty();
    if (!::IsClipboardFormatAvailable(CF_TEXT))
        return FALSE;
    CClipboardScope clipboard(hOwner);
    if (!clipboard.IsOpen())
        return FALSE;
    HANDLE hData = ::GetClipboardData(CF_TEXT);
    if (hData == NULL)
        return FALSE;
    LPCSTR psz = static_cast<LPCSTR>(::GlobalLock(hData));
    if (psz == NULL)
        return FALSE;
    // The block need not end in a terminator: read no further than its size.
    const SIZE_T nSize = ::GlobalSize(hData);
    strText = CString(psz, (int)strnlen(psz, nSize));
    ::GlobalUnlock(hData);
    return TRUE;
}

BOOL WriteClipboardText(HWND hOwner, const CString& strText)
{
    CClipboardScope clipboard(hOwner);
    if (!clipboard.IsOpen() || !::EmptyClipboard())
        return FALSE;
    const SIZE_T nSize = (SIZE_T)strText.GetLength() + 1;
    HGLOBAL hData = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, nSize);
    if (hData == NULL)
        return FALSE;
    LPSTR psz = static_cast<LPSTR>(::GlobalLock(hData));
    if (psz == NULL)
    {
        ::GlobalFree(hData);
        return FALSE;
    }
    memcpy(psz, (LPCSTR)strText, nSize);
    ::GlobalUnlock(hData);
    if (::SetClipboardData(CF_TEXT, hData) == NULL)
    {
        ::GlobalFree(hData);
        return FALSE;
    }
    return TRUE;
}
