#include "framework/windows/FontFace.h"

#include <vector>

#include "framework/windows/ScopedGdi.h"

namespace
{
struct FaceSearch
{
    LPCSTR lpszFace;
    BOOL bFound;
};

int CALLBACK NoteFaceFound(const LOGFONTA* pLogFont, const TEXTMETRICA*, DWORD, LPARAM lParam)
{
    FaceSearch* pSearch = (FaceSearch*)lParam;
    pSearch->bFound = lstrcmpiA(pLogFont->lfFaceName, pSearch->lpszFace) == 0;
    return !pSearch->bFound;
}

// Whether font lists (the font dialog, the face combo) show the face.  The
// whole list is read: asked by name, the system also answers for a
// substitute name that it never lists.
BOOL IsListedFace(HDC hDC, LPCSTR lpszFace)
{
    LOGFONTA lf = {};
    lf.lfCharSet = DEFAULT_CHARSET;
    FaceSearch search = { lpszFace, FALSE };
    ::EnumFontFamiliesExA(hDC, &lf, NoteFaceFound, (LPARAM)&search, 0);
    return search.bFound;
}
} // namespace

BOOL AfxResolveFontFace(LOGFONTA& lf)
{
    CScopedMemoryDC dc(NULL);
    if (dc.Get() == NULL)
        return FALSE;
    if (IsListedFace(dc, lf.lfFaceName))
        return TRUE;
    CScopedGdiObject font(::CreateFontIndirectA(&lf));
    if (font.Get() == NULL)
        return FALSE;
    CScopedSelectObject select(dc.Get(), font.Get());
    UINT cb = ::GetOutlineTextMetricsA(dc, 0, NULL);
    if (cb < sizeof(OUTLINETEXTMETRICA))
        return FALSE;
    std::vector<BYTE> buffer(cb);
    OUTLINETEXTMETRICA* pMetrics = (OUTLINETEXTMETRICA*)&buffer[0];
    if (::GetOutlineTextMetricsA(dc, cb, pMetrics) == 0)
        return FALSE;
    // The name's offset from the start of the block, not a pointer.
    size_t nOffset = (size_t)pMetrics->otmpFamilyName;
    if (nOffset == 0 || nOffset >= cb)
        return FALSE;
    char szFamily[LF_FACESIZE];
    lstrcpynA(szFamily, (LPCSTR)&buffer[nOffset], LF_FACESIZE);
    if (szFamily[0] == '\0' || !IsListedFace(dc, szFamily))
        return FALSE;
    lstrcpynA(lf.lfFaceName, szFamily, LF_FACESIZE);
    return TRUE;
}
