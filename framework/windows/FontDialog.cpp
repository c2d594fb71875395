#include "framework/windows/FontDialog.h"

#include "framework/windows/Dc.h"

IMPLEMENT_DYNAMIC(CFontDialog, CCommonDialog)

CFontDialog::CFontDialog(const LOGFONTA* lplfInitial, DWORD dwFlags, CDC* pdcPrinter, CWnd* pParentWnd)
    : CCommonDialog(pParentWnd), m_cf(), m_lf()
{
    m_cf.lStructSize = sizeof(m_cf);
    m_cf.lpLogFont = &m_lf;
    m_cf.Flags = dwFlags;
    if (lplfInitial != NULL)
    {
        m_lf = *lplfInitial;
        m_cf.Flags |= CF_INITTOLOGFONTSTRUCT;
    }
    if (pdcPrinter != NULL)
    {
        m_cf.hDC = pdcPrinter->GetSafeHdc();
        m_cf.Flags |= CF_PRINTERFONTS;
    }
}

INT_PTR CFontDialog::DoModal()
{
    m_cf.hwndOwner = GetOwnerHwnd();
    m_cf.lpLogFont = &m_lf;
    return ::ChooseFontA(&m_cf) ? IDOK : IDCANCEL;
}

void CFontDialog::GetCharFormat(CHARFORMATA& cf) const
{
    cf = CHARFORMATA();
    cf.cbSize = sizeof(cf);
    cf.dwMask = CFM_SIZE | CFM_FACE | CFM_CHARSET | CFM_BOLD | CFM_ITALIC | CFM_UNDERLINE | CFM_STRIKEOUT;
    if (IsBold())
        cf.dwEffects |= CFE_BOLD;
    if (IsItalic())
        cf.dwEffects |= CFE_ITALIC;
    if (IsUnderline())
        cf.dwEffects |= CFE_UNDERLINE;
    if (IsStrikeOut())
        cf.dwEffects |= CFE_STRIKEOUT;
    if (m_cf.Flags & CF_EFFECTS)
    {
        cf.dwMask |= CFM_COLOR;
        cf.crTextColor = m_cf.rgbColors;
    }
    // Tenths of a point to twips.
    cf.yHeight = m_cf.iPointSize * 2;
    cf.bCharSet = m_lf.lfCharSet;
    cf.bPitchAndFamily = m_lf.lfPitchAndFamily;
    lstrcpynA(cf.szFaceName, m_lf.lfFaceName, LF_FACESIZE);
}
