#include "framework/windows/CodePageFont.h"

#include <string.h>

#include <vector>

#include "framework/core/WideText.h"

namespace {

struct FaceSearch
{
    HDC hDC;
    BYTE nCharSet;
    char szFace[LF_FACESIZE];
};

// Whether a font of the face and set has a glyph for every character of
// the text.
BOOL HasGlyphs(HDC hDC, LPCSTR lpszFace, BYTE nCharSet, LPCWSTR lpszText, int nLength)
{
    LOGFONTA lf = {};
    lf.lfHeight = -12;
    lf.lfCharSet = nCharSet;
    lstrcpynA(lf.lfFaceName, lpszFace, LF_FACESIZE);
    HFONT hFont = ::CreateFontIndirectA(&lf);
    if (hFont == NULL)
        return FALSE;
    HGDIOBJ hOld = ::SelectObject(hDC, hFont);
    BOOL bAll = AfxSelectedFontHasGlyphs(hDC, lpszText, nLength);
    ::SelectObject(hDC, hOld);
    ::DeleteObject(hFont);
    return bAll;
}

const WCHAR kLatin[] = L"0123456789AZaz";

int CALLBACK TakeFaceWithLatin(const LOGFONTA* pLogFont, const TEXTMETRICA*, DWORD, LPARAM lParam)
{
    FaceSearch* pSearch = (FaceSearch*)lParam;
    // Vertical faces ("@name") are no use for lines of text.
    if (pLogFont->lfFaceName[0] == '@'
        || !HasGlyphs(pSearch->hDC, pLogFont->lfFaceName, pSearch->nCharSet, kLatin,
                      lstrlenW(kLatin)))
        return 1;
    lstrcpynA(pSearch->szFace, pLogFont->lfFaceName, LF_FACESIZE);
    return 0;
}

// Whether the face itself has the character set: a font asked for with a
// face that lacks it comes from another face.
BOOL FaceHasCharSet(HDC hDC, const LOGFONTA& lf)
{
    HFONT hFont = ::CreateFontIndirectA(&lf);
    if (hFont == NULL)
        return FALSE;
    HGDIOBJ hOld = ::SelectObject(hDC, hFont);
    char szFace[LF_FACESIZE] = "";
    ::GetTextFaceA(hDC, LF_FACESIZE, szFace);
    BOOL bSame = lstrcmpiA(szFace, lf.lfFaceName) == 0
                 && ::GetTextCharset(hDC) == lf.lfCharSet;
    ::SelectObject(hDC, hOld);
    ::DeleteObject(hFont);
    return bSame;
}

} // namespace

BOOL AfxSelectedFontHasGlyphs(HDC hDC, LPCWSTR lpszText, int nLength)
{
    if (nLength <= 0)
        return TRUE;
    std::vector<WORD> indices((size_t)nLength);
    if (::GetGlyphIndicesW(hDC, lpszText, nLength, &indices[0], GGI_MARK_NONEXISTING_GLYPHS) !=
        (DWORD)nLength)
        return FALSE;
    for (WORD nIndex : indices)
        if (nIndex == 0xFFFF)
            return FALSE;
    return TRUE;
}

void AfxFitFontToCodePage(LOGFONTA& lf, UINT nCodePage)
{
    if (nCodePage == CP_ACP)
        return;
    lf.lfCharSet = AfxCodePageCharSet(nCodePage);
    // The last answer is kept: a sheet asks again at every paint.
    static char s_szAsked[LF_FACESIZE] = "";
    static BYTE s_nCharSet = DEFAULT_CHARSET;
    static char s_szFace[LF_FACESIZE] = "";
    if (s_nCharSet != lf.lfCharSet || lstrcmpA(s_szAsked, lf.lfFaceName) != 0)
    {
        HDC hDC = ::CreateCompatibleDC(NULL);
        if (hDC == NULL)
            return;
        lstrcpynA(s_szAsked, lf.lfFaceName, LF_FACESIZE);
        s_nCharSet = lf.lfCharSet;
        s_szFace[0] = '\0';
        if (!FaceHasCharSet(hDC, lf))
        {
            FaceSearch search = { hDC, lf.lfCharSet, "" };
            LOGFONTA lfEnum = {};
            lfEnum.lfCharSet = lf.lfCharSet;
            ::EnumFontFamiliesExA(hDC, &lfEnum, TakeFaceWithLatin, (LPARAM)&search, 0);
            lstrcpynA(s_szFace, search.szFace, LF_FACESIZE);
        }
        ::DeleteDC(hDC);
    }
    if (s_szFace[0] != '\0')
        lstrcpynA(lf.lfFaceName, s_szFace, LF_FACESIZE);
}
