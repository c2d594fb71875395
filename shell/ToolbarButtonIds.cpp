#include "shell/ToolbarButtonIds.h"

namespace
{
const LPCSTR kToolbarResourceType = MAKEINTRESOURCEA(241);

// The resource starts with version 1, image width, image height and the
// button count, each a 16-bit word; the buttons' command ids follow.
const UINT kHeaderWords = 4;
}

BOOL ReadToolbarButtonIds(HINSTANCE hInstance, UINT nToolbarID, CUIntArray& rIds)
{
    rIds.RemoveAll();
    HRSRC hRes = ::FindResourceA(hInstance, MAKEINTRESOURCEA(nToolbarID), kToolbarResourceType);
    if (hRes == NULL)
        return FALSE;
    HGLOBAL hData = ::LoadResource(hInstance, hRes);
    const WORD* p = hData != NULL ? (const WORD*)::LockResource(hData) : NULL;
    DWORD cb = ::SizeofResource(hInstance, hRes);
    if (p == NULL || cb < kHeaderWords * sizeof(WORD) || p[0] != 1)
        return FALSE;
    UINT nCount = p[3];
    if ((nCount + kHeaderWords) * sizeof(WORD) > cb)
        return FALSE;
    for (UINT i = 0; i < nCount; ++i)
        rIds.Add(p[kHeaderWords + i]);
    return TRUE;
}

int ToolbarButtonImageIndex(const CUIntArray& ids, UINT nID)
{
    int nImage = 0;
    for (INT_PTR i = 0; i < ids.GetSize(); ++i)
    {
        if (ids[i] == 0)
            continue;
        if (ids[i] == nID)
            return nImage;
        ++nImage;
    }
    return -1;
}
