// CDefVisualPage: the General page of the cell definition sheet: name, tab
// index, alignment, font, background colour and the six edge lines of the
// selected cells.  The sheet fills the members before the page shows and
// reads them after OK; -1 in an alignment or line style means the cells
// disagree and each keeps its own.
#pragma once

#include "framework/windows/PropertyPage.h"
#include "framework/windows/Static.h"
#include "framework/windows/ToolTipCtrl.h"
#include "shell/ColourPicker.h"
#include "view/AlignButton.h"
#include "view/LineStyleCombo.h"

class CSheet;

class CDefVisualPage : public CPropertyPage
{
public:
    CDefVisualPage();

    // Members in the order of the page's data.
    CSheet* m_pSheet;
    COLORREF m_crBack;
    COLORREF m_crLeft;
    COLORREF m_crTop;
    COLORREF m_crRight;
    COLORREF m_crBottom;
    COLORREF m_crDownDiag;          // top-left to bottom-right
    COLORREF m_crUpDiag;            // bottom-left to top-right
    LOGFONTA m_logFont;
    COLORREF m_crText;
    BYTE m_bNameApplies;
    BYTE m_bTabIndexApplies;
    BYTE m_bFontChanged;
    BYTE m_bBackChanged;
    BYTE m_bBottomChanged;
    BYTE m_bUpDiagChanged;
    BYTE m_bLeftChanged;
    BYTE m_bDownDiagChanged;
    BYTE m_bRightChanged;
    BYTE m_bTopChanged;
    int m_nHAlign;                  // 0 left, 1 right, 2 middle, -1 mixed
    int m_nVAlign;                  // 3 top, 4 bottom, 5 centre, -1 mixed
    CAlignButton m_alignButtons[6];
    CStatic m_edgeIcons[6];
    CToolTipCtrl m_toolTips;
    CColourPicker m_colourPickers[7];
    CLineStyleCombo m_styleLists[6];
    CString m_strName;
    int m_nTabIndex;
    int m_nTopStyle;
    int m_nRightStyle;
    int m_nDownDiagStyle;
    int m_nLeftStyle;
    int m_nUpDiagStyle;
    int m_nBottomStyle;

    // Set by the sheet when the one selected cell is named by formulas or
    // balance formulas: its name may then not change.
    BOOL m_bNameLocked;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnKillActive() override;

    void OnFont();
    void OnAlignButton(UINT nID);
    LRESULT OnColourSelEndOK(WPARAM wParam, LPARAM lParam);
    void OnSysColorChange();

    // The edge icons' bitmaps, loaded with the 3D colours mapped.
    void LoadEdgeIcons();
    void AddToolTips();
    // FALSE (told) when the name in the edit may not be taken.
    BOOL CheckName();
    // FALSE (told) when the tab index in the edit is another cell's.
    BOOL CheckTabIndex();

    CBitmap m_edgeBitmaps[6];

    DECLARE_MESSAGE_MAP()
};
