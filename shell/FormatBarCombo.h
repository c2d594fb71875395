// CFormatBarCombo: the flat combo box of the Format bar, with the bar's
// keys (Tab to the next item, Enter and Esc to leave the bar, Up and Down
// to open the list) and the default GUI font.
#pragma once

#include "framework/core/Array.h"
#include "shell/FlatComboBox.h"

class CFormatBarCombo : public CCJFlatComboBox
{
    DECLARE_DYNAMIC(CFormatBarCombo)
public:
    CFormatBarCombo();
    ~CFormatBarCombo() override;

    BOOL PreTranslateMessage(MSG* pMsg) override;

    // The selected item's text, else (and always with an edit field) the
    // window text.
    void GetComboText(CString& rText) const;
    // Selects the first item that begins with (or, bExact, equals) lpszText;
    // when none does, clears the selection and sets the window text.
    void SetComboText(LPCTSTR lpszText, BOOL bExact);
    // Limits the edit text to nLimit characters; FALSE when that failed.
    BOOL SetTextLimit(int nLimit);
    int GetTextLimit() const { return m_nLimitText; }

protected:
    int OnCreate(LPCREATESTRUCT lpCreateStruct);

    CPtrArray m_arrayFontDesc;   // the face combo's records while filling
    int m_nLimitText;

    DECLARE_MESSAGE_MAP()
};
