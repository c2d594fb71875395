#include "framework/windows/DevNames.h"

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
