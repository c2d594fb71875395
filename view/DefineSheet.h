// CDefineSheet: the cell definition sheet ("Cell Properties"): the General
// page and the Cell Format page over the selected cells.  The caller loads
// the pages from its copy of the selection, runs the sheet, and after OK
// applies both pages to the same cells under one undo record.
#pragma once

#include "framework/core/Array.h"
#include "framework/windows/PropertySheet.h"
#include "view/DefCellDataPage.h"
#include "view/DefVisualPage.h"

class CCell;
class CSheet;
class CTallyformView;

class CDefineSheet : public CPropertySheet
{
public:
    CDefineSheet(LPCSTR pszCaption, CTallyformView* pView, UINT iSelectPage = 0);

    CSheet* m_pSheet;
    CDefVisualPage m_visualPage;
    CDefCellDataPage m_cellDataPage;

    // The General page from the first selected cell, with the members in
    // which the cells differ marked mixed.  Nothing without cells.
    void LoadFromCells(const CUIntArray& selection);
    // The Cell Format page from the current cell when it is selected, else
    // from the first selected cell.
    void LoadCellFormat(const CUIntArray& selection);
    // Runs the sheet; afterwards no cell picking is left running.
    INT_PTR DoModal() override;
    // The pages into the cells.  ApplyCellFormat returns FALSE when a
    // picture file could not be loaded (told): the cells after it keep
    // their properties.
    void ApplyToCells(const CUIntArray& selection);
    BOOL ApplyCellFormat(const CUIntArray& selection);
    // The cells an apply may change: the selected ones and those whose
    // formula-reference counters change with their formulas.
    void CollectChangedCells(const CUIntArray& selection, CUIntArray& cells) const;

protected:
    BOOL OnInitDialog() override;
    LRESULT OnPickCell(WPARAM wParam, LPARAM lParam);
    void OnDestroy();
    // A frame moving between the first selected cell and the sheet.
    void AnimateFrame(BOOL bOpening);
    // The selection's valid entries, in order.
    void ValidCells(const CUIntArray& selection, CUIntArray& cells) const;
    // The per-type settings of the page into one cell.
    BOOL ApplyTypeSettings(CCell& cell, int nCell, int nOldType, int nSelected);
    BOOL ApplyPicture(CCell& cell);
    // The page's formula without blanks, in upper case.
    CString PageFormula() const;

    CTallyformView* m_pView;
    CUIntArray m_arrLoaded;     // the selection the pages were loaded from
    CString m_strLoadedFormula;

    DECLARE_MESSAGE_MAP()
};
