#include <map>
#include <string>

#include "shell/FaceNameCombo.h"

#include "FormatBarIds.h"
#include "framework/windows/ScopedGdi.h"

IMPLEMENT_DYNAMIC(CFaceNameCombo, CFormatBarCombo)

BEGIN_MESSAGE_MAP(CFaceNameCombo, CFormatBarCombo)
    ON_WM_DESTROY()
END_MESSAGE_MAP()

namespace
{
const int kImageWidth = 16;
const int kImageHeight = 15;
const int kTextIndent = 22;

int GuiFontHeight()
{
    HDC hDC = ::GetDC(NULL);
    if (hDC == NULL)
        return kImageHeight;
    CScopedSelectObject select(hDC, ::GetStockObject(DEFAULT_GUI_FONT));
    TEXTMETRICA tm = {};
    ::GetTextMetricsA(hDC, &tm);
    ::ReleaseDC(NULL, hDC);
    return tm.tmHeight;
}
}

CFaceNameCombo::CFaceNameCombo()
{
    m_bmFontType.LoadBitmap(IDB_FONT_TYPES);
}

CFaceNameCombo::~CFaceNameCombo()
{
    FreeEntries();
}

CString CFaceNameCombo::ItemText(const CFontFaceEntry& entry, BOOL bNameRepeats)
{
    CString strText = entry.m_strName;
    if (bNameRepeats && !entry.m_strScript.IsEmpty())
        strText += " (" + entry.m_strScript + ")";
    return strText;
}

CFontFaceEntry* CFaceNameCombo::GetEntry(int nIndex) const
{
    if (m_hWnd == NULL || nIndex < 0 || nIndex >= GetCount())
        return NULL;
    DWORD_PTR dwData = GetItemData(nIndex);
    return dwData == (DWORD_PTR)CB_ERR ? NULL : (CFontFaceEntry*)dwData;
}

void CFaceNameCombo::FreeEntries()
{
    for (INT_PTR i = 0; i < m_arrayFontDesc.GetSize(); ++i)
        delete (CFontFaceEntry*)m_arrayFontDesc[i];
    m_arrayFontDesc.RemoveAll();
    if (m_hWnd == NULL)
        return;
    for (int i = 0; i < GetCount(); ++i)
        delete GetEntry(i);
    ResetContent();
}

int CALLBACK CFaceNameCombo::EnumFaceProc(const LOGFONTA* pLogFont, const TEXTMETRICA*,
                                          DWORD dwFontType, LPARAM lParam)
{
    CFaceNameCombo* pThis = (CFaceNameCombo*)lParam;
    // Only outline faces of the TrueType kind print: the printer driver
    // fails on the Type 1 faces the system also lists.
    if ((dwFontType & RASTER_FONTTYPE) || !(dwFontType & TRUETYPE_FONTTYPE))
        return 1;
    if (pLogFont->lfCharSet == MAC_CHARSET)
        return 1;
    if (::GetSystemMetrics(SM_DBCSENABLED) && pLogFont->lfFaceName[0] == '@')
        return 1;
    const ENUMLOGFONTEXA* pEnum = (const ENUMLOGFONTEXA*)pLogFont;
    CFontFaceEntry* pEntry = new CFontFaceEntry;
    pEntry->m_strName = pLogFont->lfFaceName;
    pEntry->m_strScript = (LPCSTR)pEnum->elfScript;
    pEntry->m_nCharSet = pLogFont->lfCharSet;
    pEntry->m_nPitchAndFamily = pLogFont->lfPitchAndFamily;
    pEntry->m_dwFlags = (dwFontType & TRUETYPE_FONTTYPE) ? FONT_ENTRY_TRUETYPE : 0;
    pThis->m_arrayFontDesc.Add(pEntry);
    return 1;
}

void CFaceNameCombo::FillFaces()
{
    CString strCurrent;
    GetComboText(strCurrent);
    FreeEntries();

    LOGFONTA lf = {};
    lf.lfCharSet = DEFAULT_CHARSET;
    HDC hDC = ::GetDC(NULL);
    if (hDC != NULL)
    {
        ::EnumFontFamiliesExA(hDC, &lf, (FONTENUMPROCA)EnumFaceProc, (LPARAM)this, 0);
        ::ReleaseDC(NULL, hDC);
    }

    std::map<std::string, int> counts;
    for (INT_PTR i = 0; i < m_arrayFontDesc.GetSize(); ++i)
        ++counts[(LPCTSTR)((CFontFaceEntry*)m_arrayFontDesc[i])->m_strName];
    for (INT_PTR i = 0; i < m_arrayFontDesc.GetSize(); ++i)
    {
        CFontFaceEntry* pEntry = (CFontFaceEntry*)m_arrayFontDesc[i];
        int nIndex = AddString(ItemText(*pEntry, counts[(LPCTSTR)pEntry->m_strName] > 1));
        if (nIndex >= 0)
            SetItemDataPtr(nIndex, pEntry);
    }
    // The records now belong to the items.
    m_arrayFontDesc.RemoveAll();
    SetComboText(strCurrent, FALSE);
}

void CFaceNameCombo::FitWidthToItems()
{
    if (m_hWnd == NULL)
        return;
    int cxWidest = 0;
    {
        CClientDC dc(this);
        CScopedSelectObject font(dc.m_hDC, (HGDIOBJ)SendMessage(WM_GETFONT));
        CString strText;
        for (int i = 0; i < GetCount(); ++i)
        {
            GetLBText(i, strText);
            const int cx = dc.GetTextExtent(strText).cx;
            cxWidest = cx > cxWidest ? cx : cxWidest;
        }
    }
    // The text starts after the mark; the button and the frame take the rest.
    const int cxNeeded = kTextIndent + cxWidest + kTextIndent / 2 +
                         ::GetSystemMetrics(SM_CXVSCROLL) + 2 * ::GetSystemMetrics(SM_CXEDGE);
    CRect rc;
    GetWindowRect(&rc);
    if (cxNeeded > rc.Width())
        SetWindowPos(NULL, 0, 0, cxNeeded, rc.Height(), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    if (cxNeeded > GetDroppedWidth())
        SetDroppedWidth((UINT)cxNeeded);
}

void CFaceNameCombo::SelectFace(LPCTSTR lpszName, BYTE nCharSet)
{
    CString strName = lpszName != NULL ? lpszName : "";
    for (int nIndex = FindString(-1, strName); nIndex != CB_ERR && !strName.IsEmpty();)
    {
        const CFontFaceEntry* pEntry = GetEntry(nIndex);
        if (pEntry != NULL && pEntry->m_strName == strName
            && (nCharSet == DEFAULT_CHARSET || pEntry->m_nCharSet == nCharSet))
        {
            if (GetCurSel() != nIndex)
                SetCurSel(nIndex);
            return;
        }
        int nNext = FindString(nIndex, strName);
        if (nNext <= nIndex)
            break;   // the search wrapped round
        nIndex = nNext;
    }
    SetComboText(strName, TRUE);
}

void CFaceNameCombo::OnDestroy()
{
    FreeEntries();
    CFormatBarCombo::OnDestroy();
}

void CFaceNameCombo::DrawItem(LPDRAWITEMSTRUCT lpDIS)
{
    if ((int)lpDIS->itemID < 0)
        return;
    HDC hDC = lpDIS->hDC;
    RECT rc = lpDIS->rcItem;
    if (lpDIS->itemState & ODS_FOCUS)
        ::DrawFocusRect(hDC, &rc);
    CScopedSaveDC saved(hDC);
    if (lpDIS->itemState & ODS_SELECTED)
    {
        ::FillRect(hDC, &rc, ::GetSysColorBrush(COLOR_HIGHLIGHT));
        ::SetTextColor(hDC, ::GetSysColor(COLOR_HIGHLIGHTTEXT));
    }
    else
    {
        CScopedGdiObject brush(::CreateSolidBrush(::GetBkColor(hDC)));
        ::FillRect(hDC, &rc, (HBRUSH)brush.Get());
    }
    ::SetBkMode(hDC, TRANSPARENT);
    const CFontFaceEntry* pEntry = (const CFontFaceEntry*)lpDIS->itemData;
    if (pEntry != NULL && (pEntry->m_dwFlags & FONT_ENTRY_TRUETYPE) && m_bmFontType.m_hObject)
    {
        CScopedMemoryDC memDC(hDC);
        CScopedSelectObject select(memDC.Get(), m_bmFontType.m_hObject);
        ::BitBlt(hDC, rc.left, rc.top, kImageWidth, kImageHeight, memDC, kImageWidth, 0, SRCAND);
    }
    CString strText;
    GetLBText((int)lpDIS->itemID, strText);
    ::TextOutA(hDC, rc.left + kTextIndent, rc.top, strText, strText.GetLength());
}

void CFaceNameCombo::MeasureItem(LPMEASUREITEMSTRUCT lpMIS)
{
    RECT rc = {0, 0, 0, 0};
    if (m_hWnd != NULL)
        GetClientRect(&rc);
    lpMIS->itemWidth = (UINT)(rc.right - rc.left);
    lpMIS->itemHeight = (UINT)(GuiFontHeight() > kImageHeight ? GuiFontHeight() : kImageHeight);
}
