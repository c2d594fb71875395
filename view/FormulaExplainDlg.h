// CFormulaExplainDlg: a formula edited with operator buttons and cell
// picking, checked as a balance formula (check mode 0) or as the formula
// of the first selected cell, and explained in row and column item names.
// After OK the caller reads m_strFormula.  Needs a selected cell.
#pragma once

#include "framework/windows/GdiObject.h"
#include "framework/windows/ToolTipCtrl.h"
#include "view/CellPickDialog.h"

class CFormulaExplainDlg : public CCellPickDialog
{
public:
    CFormulaExplainDlg(CTallyformView* pView, LPCSTR pszFormula, int nCheckMode);

    int m_nCheckMode;
    CString m_strFormula;
    CToolTipCtrl m_toolTips;
    int m_nFirstSelected;

    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    LRESULT OnNcHitTest(CPoint point);
    void OnBracket(UINT nID);
    void OnOperator(UINT nID);
    void OnExplain();
    BOOL CheckFormula();
    void LoadButtonImages();
    void AddToolTips();
    // Centred on the main window, level with its top.
    void PlaceOverMainWindow();

    CBitmap m_bitmaps[8];

    DECLARE_MESSAGE_MAP()
};
