// CCellChoiceList: the in-place editor of organization name and code
// cells, a drop-down list of the organizations' names or codes over the
// cell.  CCellChoiceEdit is the edit inside the editable style.
#pragma once

#include "framework/core/Array.h"
#include "framework/windows/ComboBox.h"
#include "framework/windows/Edit.h"
#include "framework/windows/GdiObject.h"

class CCellChoiceList;

class CCellChoiceEdit : public CEdit
{
public:
    explicit CCellChoiceEdit(CCellChoiceList* pList) : m_pList(pList) {}
    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    void OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags);
    void OnKillFocus(CWnd* pNewWnd);
    DECLARE_MESSAGE_MAP()

private:
    CCellChoiceList* m_pList;
};

class CCellChoiceList : public CComboBox
{
public:
    // Creates the window at once with nComboStyle (CBS_DROPDOWN or
    // CBS_DROPDOWNLIST), fills it with items in order, preselects the first
    // item that begins with strStart (any case), takes the focus and, in
    // the editable style, applies the start key to its edit.  The list owns
    // pFont from here on.  When creation fails the object has no window and
    // the caller deletes it.
    CCellChoiceList(CWnd* pParent, const RECT& rect, DWORD nComboStyle, UINT nID, int nCell,
                    const CStringArray& items, CString strStart, CFont* pFont,
                    COLORREF crText, COLORREF crBack, int nStartKey);
    ~CCellChoiceList() override;

    int GetCellIndex() const { return m_nCell; }
    // The value the list stands for: the chosen item, or the starting text
    // while a drop-down list has no item chosen (so that passing through a
    // cell whose value is not listed keeps that value).
    CString GetValueText() const;

    // The keys the list acts on; FALSE for the others.
    BOOL HandleKey(UINT nChar);
    // Sends the end notice (while the view exists) and closes.
    void EndEdit();

protected:
    void PostNcDestroy() override;
    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    void OnKillFocus(CWnd* pNewWnd);
    HBRUSH CtlColor(CDC* pDC, UINT nCtlColor);
    DECLARE_MESSAGE_MAP()

private:
    BOOL IsDropDownList() const;
    void SetDroppedWidthFromItems(CWnd* pParent, const CStringArray& items);

    CCellChoiceEdit m_edit;
    int m_nVisibleRows;
    CString m_strStart;
    int m_nLastKey;
    int m_nCell;
    CFont* m_pFont;
    COLORREF m_crText;
    COLORREF m_crBack;
    CBrush m_brush;
    BOOL m_bEnded;
};
