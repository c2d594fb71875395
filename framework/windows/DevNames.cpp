#include "framework/windows/DevNames.h"

#include <string.h>

CString AfxGetDevNamesField(HGLOBAL hDevNames, DevNamesField nField)
{
    if (hDevNames == NULL)
        return CString();
    const DEVNAMES* pNames = static_cast<const DEVNAMES*>(::GlobalLock(hDevNames));
    if (pNames == NULL)
        return CString();
    WORD wOffset = nField == DEVNAMES_DRIVER   ? pNames->wDriverOffset
                   : nField == DEVNAMES_DEVICE ? pNames->wDeviceOffset
                                               : pNames->wOutputOffset;
    CString strField(reinterpret_cast<LPCSTR>(pNames) + wOffset);
    ::GlobalUnlock(hDevNames);
    return strField;
}

HDC AfxCreateDCFromDevNames(HGLOBAL hDevNames, HGLOBAL hDevMode)
{
    CString strDriver = AfxGetDevNamesField(hDevNames, DEVNAMES_DRIVER);
    CString strDevice = AfxGetDevNamesField(hDevNames, DEVNAMES_DEVICE);
    if (strDevice.IsEmpty())
        return NULL;
    const DEVMODEA* pDevMode = hDevMode != NULL ? static_cast<const DEVMODEA*>(::GlobalLock(hDevMode)) : NULL;
    HDC hDC = ::CreateDCA(strDriver.IsEmpty() ? NULL : (LPCSTR)strDriver, strDevice, NULL, pDevMode);
    if (pDevMode != NULL)
        ::GlobalUnlock(hDevMode);
    return hDC;
}

HGLOBAL AfxCopyGlobalBlock(HGLOBAL hBlock)
{
    if (hBlock == NULL)
        return NULL;
    SIZE_T cb = ::GlobalSize(hBlock);
    HGLOBAL hCopy = ::GlobalAlloc(GMEM_MOVEABLE, cb);
    if (hCopy == NULL)
        return NULL;
    void* pFrom = ::GlobalLock(hBlock);
    void* pTo = ::GlobalLock(hCopy);
    if (pFrom != NULL && pTo != NULL)
        memcpy(pTo, pFrom, cb);
    if (pFrom != NULL)
        ::GlobalUnlock(hBlock);
    if (pTo != NULL)
        ::GlobalUnlock(hCopy);
    if (pFrom == NULL || pTo == NULL)
    {
        ::GlobalFree(hCopy);
        return NULL;
    }
    return hCopy;
}
