#include "shell/PointSizeCombo.h"

IMPLEMENT_DYNAMIC(CPointSizeCombo, CFormatBarCombo)

namespace
{
const int kTrueTypeSizes[] = {8, 9, 10, 11, 12, 14, 16, 18, 20, 22, 24, 26, 28, 36, 48, 72};

struct SizeEnumContext
{
    CPointSizeCombo* pCombo;
    int nLogPixelsY;
};
}

CPointSizeCombo::CPointSizeCombo() : m_nTwipsLast(0) {}

int CPointSizeCombo::GetSizeTwips() const
{
    CString strText;
    GetComboText(strText);
    return ParseSizeTwips(strText);
}

void CPointSizeCombo::SetSizeTwips(int nTwips)
{
    if (nTwips != GetSizeTwips())
        SetComboText(TwipsToPointText(nTwips), TRUE);
    m_nTwipsLast = nTwips;
}

void CPointSizeCombo::InsertRasterSize(int nTwips)
{
    CString strText = TwipsToPointText(nTwips);
    if (FindStringExact(-1, strText) != CB_ERR)
        return;
    int nIndex = 0;
    while (nIndex < GetCount() && (int)GetItemData(nIndex) <= nTwips)
        ++nIndex;
    nIndex = InsertString(nIndex, strText);
    if (nIndex >= 0)
        SetItemData(nIndex, (DWORD_PTR)nTwips);
}

int CALLBACK CPointSizeCombo::EnumSizeProc(const LOGFONTA*, const TEXTMETRICA* pMetric,
                                           DWORD dwFontType, LPARAM lParam)
{
    const SizeEnumContext* pContext = (const SizeEnumContext*)lParam;
    CPointSizeCombo* pThis = pContext->pCombo;
    if (dwFontType & RASTER_FONTTYPE)
    {
        pThis->InsertRasterSize(::MulDiv(pMetric->tmHeight - pMetric->tmInternalLeading, 1440,
                                         pContext->nLogPixelsY));
        return 1;
    }
    pThis->ResetContent();
    CString strText;
    for (int nPoints : kTrueTypeSizes)
    {
        strText.Format("%d", nPoints);
        int nIndex = pThis->AddString(strText);
        if (nIndex >= 0)
            pThis->SetItemData(nIndex, (DWORD_PTR)(nPoints * 20));
    }
    return 0;
}

void CPointSizeCombo::FillSizes(LPCTSTR lpszFaceName)
{
    ResetContent();
    if (lpszFaceName == NULL || lpszFaceName[0] == 0)
        return;
    HDC hDC = ::GetDC(NULL);
    if (hDC == NULL)
        return;
    SizeEnumContext context = {this, ::GetDeviceCaps(hDC, LOGPIXELSY)};
    if (context.nLogPixelsY <= 0)
        context.nLogPixelsY = 96;
    ::EnumFontFamiliesA(hDC, lpszFaceName, (FONTENUMPROCA)EnumSizeProc, (LPARAM)&context);
    ::ReleaseDC(NULL, hDC);
}

void CPointSizeCombo::PrepareDropDown(const CFaceNameCombo& faces)
{
    CString strFace;
    faces.GetComboText(strFace);
    int nTwips = GetSizeTwips();
    if (nTwips == SIZE_TEXT_INVALID || (nTwips >= 0 && nTwips < FORMATBAR_MIN_TWIPS)
        || nTwips > FORMATBAR_MAX_TWIPS)
        nTwips = m_nTwipsLast;
    // Only a listed face: a half-typed name would list another face's sizes.
    int nFace = faces.FindStringExact(-1, strFace);
    const CFontFaceEntry* pEntry = faces.GetEntry(nFace);
    if (nFace != CB_ERR && pEntry != NULL)
        FillSizes(pEntry->m_strName);
    else
        ResetContent();
    SetSizeTwips(nTwips);
}
