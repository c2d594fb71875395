// CColourPicker: an owner-drawn push button showing a colour swatch and a
// drop-down arrow.  A click opens the colour popup under it; the popup's
// messages reach the picker's parent with the picker's control id.
#pragma once

#include "framework/windows/Button.h"
#include "framework/windows/DataExchange.h"
#include "shell/ColourMessages.h"

class CColourPicker : public CButton
{
    DECLARE_DYNCREATE(CColourPicker)
public:
    CColourPicker();
    ~CColourPicker() override;

    COLORREF GetColour() const { return m_crColour; }
    void SetColour(COLORREF crColour) { m_crColour = crColour; }
    // The colour of the popup's default button.
    void SetDefaultColour(COLORREF crColour) { m_crDefaultColour = crColour; }
    BOOL IsDroppedDown() const { return m_bActive; }

    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;

protected:
    void PreSubclassWindow() override;
    // A picker made by Create is owner-drawn from the start.
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    void SetWindowSize();
    // Sends a colour message to the parent, when there is one.
    void NotifyParent(UINT nMessage, COLORREF crColour);

    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    void OnClicked();
    LRESULT OnSelEndOK(WPARAM wParam, LPARAM lParam);
    LRESULT OnSelEndCancel(WPARAM wParam, LPARAM lParam);
    LRESULT OnSelChange(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

    BOOL m_bActive;
    COLORREF m_crColour;
    COLORREF m_crTextColour;
    COLORREF m_crDefaultColour;
    CRect m_ArrowRect;
    CString m_strDefaultText;
    CString m_strCustomText;
};

// Moves the colour of picker nIDC to and from crColour.
void DDX_ColourPicker(CDataExchange* pDX, int nIDC, COLORREF& crColour);
