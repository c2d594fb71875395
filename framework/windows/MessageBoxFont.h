// A message box text in a face that has its characters.
#pragma once

#include <windows.h>

// While it lives, the message box that this thread shows next draws its
// text in a face that has every character of it, when the box's own face
// lacks some (a full-width comma in the dialog face, say): the face is
// fitted to the text's code page and the box grows to the text's new size.
class CScopedMessageBoxFont
{
public:
    CScopedMessageBoxFont(LPCWSTR lpszText, UINT nCodePage);
    ~CScopedMessageBoxFont();
    CScopedMessageBoxFont(const CScopedMessageBoxFont&) = delete;
    CScopedMessageBoxFont& operator=(const CScopedMessageBoxFont&) = delete;

private:
    static LRESULT CALLBACK OnCbtEvent(int nCode, WPARAM wParam, LPARAM lParam);
    void FitBox(HWND hBox);

    HHOOK m_hHook;
    LPCWSTR m_lpszText;
    UINT m_nCodePage;
    HFONT m_hFont;
    BOOL m_bDone;
};
