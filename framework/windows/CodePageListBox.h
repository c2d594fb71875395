// An owner-drawn list box (LBS_OWNERDRAWFIXED with LBS_HASSTRINGS) whose
// strings are in a code page of their own, not the system's: each is drawn
// as UTF-16 from that code page, so Chinese texts show on any system.
#pragma once

#include "framework/windows/ListBox.h"

class CCodePageListBox : public CListBox
{
public:
    CCodePageListBox() : m_nCodePage(CP_ACP) {}

    void SetCodePage(UINT nCodePage) { m_nCodePage = nCodePage; }
    UINT GetCodePage() const { return m_nCodePage; }

    // Makes the items as high as the list's font needs (an owner-drawn
    // list keeps its item height when its font changes).
    void FitItemHeight();

    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;

private:
    UINT m_nCodePage;
};
