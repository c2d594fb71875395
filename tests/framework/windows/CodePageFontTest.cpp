#include "tests/support/Gtest.h"
#include "framework/windows/CodePageFont.h"

namespace {

// How many characters of the text the font described has no glyph for.
int MissingGlyphs(const LOGFONTA& lf, LPCWSTR lpszText)
{
    HDC hDC = CreateCompatibleDC(NULL);
    HFONT hFont = CreateFontIndirectA(&lf);
    HGDIOBJ hOld = SelectObject(hDC, hFont);
    WORD indices[64] = {};
    int nLength = lstrlenW(lpszText);
    GetGlyphIndicesW(hDC, lpszText, nLength, indices, GGI_MARK_NONEXISTING_GLYPHS);
    int nMissing = 0;
    for (int i = 0; i < nLength; ++i)
        nMissing += indices[i] == 0xFFFF;
    SelectObject(hDC, hOld);
    DeleteObject(hFont);
    DeleteDC(hDC);
    return nMissing;
}

} // namespace

TEST(CodePageFont, ChineseTextGetsAFaceWithItsCharactersAndTheDigits)
{
    // The ten-day text: digits among Chinese characters.
    const WCHAR text[] = { '2', '0', '2', '4', 0x5E74, '3', 0x6708, 0x4E2D, 0x65EC, 0 };
    for (LPCSTR lpszFace : { "MS Sans Serif", "Arial", "" })
    {
        LOGFONTA lf = {};
        lf.lfHeight = -12;
        lf.lfWeight = FW_BOLD;
        lstrcpynA(lf.lfFaceName, lpszFace, LF_FACESIZE);
        AfxFitFontToCodePage(lf, 936);
        EXPECT_EQ(GB2312_CHARSET, lf.lfCharSet) << lpszFace;
        EXPECT_EQ(FW_BOLD, lf.lfWeight) << lpszFace;
        EXPECT_EQ(0, MissingGlyphs(lf, text)) << lpszFace << " became " << lf.lfFaceName;
    }

    // The system's own code page leaves the description alone.
    LOGFONTA lf = {};
    lf.lfCharSet = SYMBOL_CHARSET;
    lstrcpynA(lf.lfFaceName, "Arial", LF_FACESIZE);
    AfxFitFontToCodePage(lf, CP_ACP);
    EXPECT_EQ(SYMBOL_CHARSET, lf.lfCharSet);
    EXPECT_STREQ("Arial", lf.lfFaceName);
}
