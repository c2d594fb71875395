#include "framework/windows/MessageBoxFont.h"

#include <string>

#include "framework/windows/CodePageFont.h"
#include "framework/windows/ScopedGdi.h"

namespace
{
// The box's static text control.
const int kMessageTextID = 0xFFFF;

// The one box fitter of this thread while its box is up.
thread_local CScopedMessageBoxFont* t_pFitter = NULL;

// The printable characters of the text: line breaks and tabs have no glyph.
std::wstring PrintableCharacters(LPCWSTR lpszText)
{
    std::wstring str;
    for (LPCWSTR p = lpszText; *p != 0; ++p)
        if (*p >= 0x20)
            str += *p;
    return str;
}

BOOL FontHasGlyphs(HDC hDC, HFONT hFont, const std::wstring& strText)
{
    CScopedSelectObject select(hDC, hFont);
    return AfxSelectedFontHasGlyphs(hDC, strText.c_str(), (int)strText.size());
}

// Moves a child of the box by (dx, dy).
void MoveChild(HWND hBox, HWND hChild, int dx, int dy)
{
    RECT rc;
    ::GetWindowRect(hChild, &rc);
    ::MapWindowPoints(NULL, hBox, (POINT*)&rc, 2);
    ::SetWindowPos(hChild, NULL, rc.left + dx, rc.top + dy, 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}
} // namespace

CScopedMessageBoxFont::CScopedMessageBoxFont(LPCWSTR lpszText, UINT nCodePage)
    : m_hHook(NULL), m_lpszText(lpszText), m_nCodePage(nCodePage), m_hFont(NULL), m_bDone(FALSE)
{
    if (t_pFitter != NULL || nCodePage == CP_ACP)
        return;
    m_hHook = ::SetWindowsHookExA(WH_CBT, OnCbtEvent, NULL, ::GetCurrentThreadId());
    if (m_hHook != NULL)
        t_pFitter = this;
}

CScopedMessageBoxFont::~CScopedMessageBoxFont()
{
    if (m_hHook != NULL)
    {
        ::UnhookWindowsHookEx(m_hHook);
        t_pFitter = NULL;
    }
    // The box is gone by now: nothing draws with the font any more.
    if (m_hFont != NULL)
        ::DeleteObject(m_hFont);
}

LRESULT CALLBACK CScopedMessageBoxFont::OnCbtEvent(int nCode, WPARAM wParam, LPARAM lParam)
{
    CScopedMessageBoxFont* pThis = t_pFitter;
    if (pThis != NULL && nCode == HCBT_ACTIVATE && !pThis->m_bDone)
    {
        pThis->m_bDone = TRUE;
        pThis->FitBox((HWND)wParam);
    }
    return ::CallNextHookEx(pThis != NULL ? pThis->m_hHook : NULL, nCode, wParam, lParam);
}

void CScopedMessageBoxFont::FitBox(HWND hBox)
{
    HWND hText = ::GetDlgItem(hBox, kMessageTextID);
    HFONT hBoxFont = hText != NULL ? (HFONT)::SendMessageW(hText, WM_GETFONT, 0, 0) : NULL;
    LOGFONTA lf = {};
    CScopedMemoryDC dc(NULL);
    std::wstring strShown = PrintableCharacters(m_lpszText);
    if (hBoxFont == NULL || dc.Get() == NULL || ::GetObjectA(hBoxFont, sizeof(lf), &lf) == 0 ||
        FontHasGlyphs(dc, hBoxFont, strShown))
        return;
    AfxFitFontToCodePage(lf, m_nCodePage);
    HFONT hFont = ::CreateFontIndirectA(&lf);
    if (hFont == NULL)
        return;
    if (!FontHasGlyphs(dc, hFont, strShown))
    {
        ::DeleteObject(hFont);
        return;
    }
    m_hFont = hFont;

    // The text's size in the new face: its lines as they are when they fit
    // in three quarters of the screen, else broken at that width.
    RECT rcText;
    ::GetWindowRect(hText, &rcText);
    ::MapWindowPoints(NULL, hBox, (POINT*)&rcText, 2);
    RECT rcNeeded = { 0, 0, 0, 0 };
    {
        CScopedSelectObject select(dc.Get(), hFont);
        ::DrawTextW(dc, m_lpszText, -1, &rcNeeded, DT_CALCRECT | DT_EXPANDTABS | DT_NOPREFIX);
        LONG cxLimit = ::GetSystemMetrics(SM_CXSCREEN) * 3 / 4;
        LONG cxText = rcText.right - rcText.left;
        if (rcNeeded.right > cxLimit)
            rcNeeded.right = cxLimit;
        if (rcNeeded.right < cxText)
            rcNeeded.right = cxText;
        rcNeeded.bottom = 0;
        ::DrawTextW(dc, m_lpszText, -1, &rcNeeded,
                    DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX);
    }
    int dx = rcNeeded.right - (rcText.right - rcText.left);
    int dy = rcNeeded.bottom - (rcText.bottom - rcText.top);
    dx = dx > 0 ? dx : 0;
    dy = dy > 0 ? dy : 0;
    ::SendMessageW(hText, WM_SETFONT, (WPARAM)hFont, FALSE);
    if (dx > 0 || dy > 0)
    {
        ::SetWindowPos(hText, NULL, 0, 0, rcText.right - rcText.left + dx,
                       rcText.bottom - rcText.top + dy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        // The buttons stay centred below the text.
        for (HWND hChild = ::GetWindow(hBox, GW_CHILD); hChild != NULL;
             hChild = ::GetWindow(hChild, GW_HWNDNEXT))
        {
            RECT rc;
            ::GetWindowRect(hChild, &rc);
            ::MapWindowPoints(NULL, hBox, (POINT*)&rc, 2);
            if (rc.top >= rcText.bottom)
                MoveChild(hBox, hChild, dx / 2, dy);
        }
        RECT rcBox;
        ::GetWindowRect(hBox, &rcBox);
        ::SetWindowPos(hBox, NULL, rcBox.left - dx / 2, rcBox.top - dy / 2,
                       rcBox.right - rcBox.left + dx, rcBox.bottom - rcBox.top + dy,
                       SWP_NOZORDER | SWP_NOACTIVATE);
    }
    ::InvalidateRect(hBox, NULL, TRUE);
}
