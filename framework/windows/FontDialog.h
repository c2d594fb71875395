// CFontDialog: the system font chooser, from and to a LOGFONT, with the
// conversion of the choice into a rich-text character format.
#pragma once

#include "framework/windows/CommonDialog.h"

#include <richedit.h>

class CFontDialog : public CCommonDialog
{
    DECLARE_DYNAMIC(CFontDialog)
public:
    explicit CFontDialog(const LOGFONTA* lplfInitial = NULL, DWORD dwFlags = CF_EFFECTS | CF_SCREENFONTS,
                         CDC* pdcPrinter = NULL, CWnd* pParentWnd = NULL);

    CHOOSEFONTA m_cf;
    LOGFONTA m_lf;

    INT_PTR DoModal() override;

    void GetCurrentFont(LPLOGFONTA lplf) const { *lplf = m_lf; }
    CString GetFaceName() const { return CString(m_lf.lfFaceName); }
    // In tenths of a point.
    int GetSize() const { return m_cf.iPointSize; }
    COLORREF GetColor() const { return m_cf.rgbColors; }
    int GetWeight() const { return (int)m_lf.lfWeight; }
    BOOL IsBold() const { return m_lf.lfWeight >= FW_BOLD; }
    BOOL IsItalic() const { return m_lf.lfItalic != 0; }
    BOOL IsUnderline() const { return m_lf.lfUnderline != 0; }
    BOOL IsStrikeOut() const { return m_lf.lfStrikeOut != 0; }
    // The choice as a character format: height in twips, the effects, the
    // colour (with CF_EFFECTS), charset, pitch and family, and the face.
    void GetCharFormat(CHARFORMATA& cf) const;
};
