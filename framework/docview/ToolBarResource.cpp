#include "framework/docview/ToolBarResource.h"

BOOL CToolBarResource::Parse(const void* pData, DWORD cbData)
{
    const WORD* pWords = static_cast<const WORD*>(pData);
    if (pWords == NULL || cbData < 4 * sizeof(WORD) || pWords[0] != 1)
        return FALSE;
    DWORD nCount = pWords[3];
    if (cbData < (4 + nCount) * sizeof(WORD))
        return FALSE;
    m_nVersion = pWords[0];
    m_cxImage = pWords[1];
    m_cyImage = pWords[2];
    m_arrIDs.RemoveAll();
    for (DWORD i = 0; i < nCount; ++i)
        m_arrIDs.Add(pWords[4 + i]);
    return TRUE;
}

BOOL CToolBarResource::Load(HINSTANCE hInst, LPCSTR lpszResourceName)
{
    HRSRC hRes = ::FindResourceA(hInst, lpszResourceName, RT_TOOLBAR);
    if (hRes == NULL)
        return FALSE;
    HGLOBAL hGlobal = ::LoadResource(hInst, hRes);
    const void* pData = hGlobal != NULL ? ::LockResource(hGlobal) : NULL;
    return pData != NULL && Parse(pData, ::SizeofResource(hInst, hRes));
}
