// CFaceNameCombo: the Format bar's owner-drawn list of font faces, one item
// per face and charset, with a mark for TrueType fonts.
#pragma once

#include "framework/windows/GdiObject.h"
#include "shell/FormatBarCombo.h"

// The record of one face-list item.
struct CFontFaceEntry
{
    CString m_strName;
    CString m_strScript;
    BYTE m_nCharSet;
    BYTE m_nPitchAndFamily;
    DWORD m_dwFlags;   // FONT_ENTRY_TRUETYPE or 0
};
const DWORD FONT_ENTRY_TRUETYPE = 0x200;

class CFaceNameCombo : public CFormatBarCombo
{
    DECLARE_DYNAMIC(CFaceNameCombo)
public:
    CFaceNameCombo();
    ~CFaceNameCombo() override;

    // Lists the faces of every charset, keeping the current text.
    void FillFaces();
    // The item of that face and (unless DEFAULT_CHARSET) charset, else the
    // item whose text is the name, else the name as text.
    void SelectFace(LPCTSTR lpszName, BYTE nCharSet);
    CFontFaceEntry* GetEntry(int nIndex) const;
    // The text an item shows: the name, with the script when the name is
    // listed more than once.
    static CString ItemText(const CFontFaceEntry& entry, BOOL bNameRepeats);
    // Widens the box, and its list, to show the widest item whole beside
    // the TrueType mark and the drop-down button; never narrows them.
    void FitWidthToItems();

    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;
    void MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct) override;

protected:
    void OnDestroy();
    void FreeEntries();
    static int CALLBACK EnumFaceProc(const LOGFONTA* pLogFont, const TEXTMETRICA* pMetric,
                                     DWORD dwFontType, LPARAM lParam);

    CBitmap m_bmFontType;

    DECLARE_MESSAGE_MAP()
};
