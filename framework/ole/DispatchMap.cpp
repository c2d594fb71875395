#include "framework/ole/DispatchMap.h"

DISPID AfxFindDispatchId(const AFX_DISPMAP* pMap, LPCSTR lpszName)
{
    for (DISPID nDepth = 0; pMap != NULL; pMap = pMap->pfnGetBaseMap(), ++nDepth)
        for (DISPID i = 0; pMap->lpEntries[i].lpszName != NULL; ++i)
            if (lstrcmpiA(pMap->lpEntries[i].lpszName, lpszName) == 0)
                return (nDepth << 16) | (i + 1);
    return DISPID_UNKNOWN;
}

const AFX_DISPMAP_ENTRY* AfxFindDispatchEntry(const AFX_DISPMAP* pMap, DISPID dispid)
{
    if (dispid <= 0)
        return NULL;
    DISPID nDepth = dispid >> 16, nIndex = (dispid & 0xFFFF) - 1;
    for (; pMap != NULL && nDepth > 0; --nDepth)
        pMap = pMap->pfnGetBaseMap();
    if (pMap == NULL || nIndex < 0)
        return NULL;
    for (DISPID i = 0; pMap->lpEntries[i].lpszName != NULL; ++i)
        if (i == nIndex)
            return &pMap->lpEntries[i];
    return NULL;
}

BOOL AfxIsMappedInterface(const AFX_INTERFACEMAP* pMap, REFIID iid)
{
    for (; pMap != NULL; pMap = pMap->pfnGetBaseMap())
        for (const AFX_INTERFACEMAP_ENTRY* p = pMap->lpEntries; p->piid != NULL; ++p)
            if (IsEqualIID(*p->piid, iid))
                return TRUE;
    return FALSE;
}

void AfxSetDispatchResult(VARIANT* pvarResult, VARTYPE vt, LONG lValue)
{
    if (pvarResult == NULL)
        return;
    VariantInit(pvarResult);
    V_VT(pvarResult) = vt;
    if (vt == VT_BOOL)
        V_BOOL(pvarResult) = lValue ? VARIANT_TRUE : VARIANT_FALSE;
    else
        V_I4(pvarResult) = lValue;
}
