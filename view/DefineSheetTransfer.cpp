// The cell definition sheet's transfer between the selected cells and its
// two pages: loading before the sheet shows, applying after OK.
#include "view/DefineSheet.h"

#include <string.h>

#include "framework/core/MessageSink.h"
#include "sheet/CellDraw.h"
#include "sheet/FormulaNames.h"
#include "sheet/FormulaRecalc.h"
#include "view/TallyformView.h"

namespace
{
// A stored alignment or line style inside its range, else mixed (-1).
int InRange(LONG nValue, int nFirst, int nLast)
{
    return nValue >= nFirst && nValue <= nLast ? (int)nValue : -1;
}

// The member as it is, or mixed when the cell disagrees.
void MarkMixed(int& nMember, LONG nCellValue)
{
    if (nMember != nCellValue)
        nMember = -1;
}

// A page's alignment or line style, unless mixed.
template <class T>
void ApplyUnlessMixed(T& field, int nValue)
{
    if (nValue != -1)
        field = (T)nValue;
}

void ApplyIfChanged(COLORREF& field, BYTE bChanged, COLORREF cr)
{
    if (bChanged)
        field = cr;
}

// A fixed code field up to its terminator, never past the field.
CString CodeOf(const char* pszField)
{
    return CString(pszField, (int)strnlen(pszField, CELL_CODE_LEN - 1));
}

BOOL IsReferenced(const CCell& cell)
{
    return cell.m_nFormulaRefs != 0 || cell.m_nBalanceRefs != 0;
}
} // namespace

void CDefineSheet::LoadFromCells(const CUIntArray& selection)
{
    ValidCells(selection, m_arrLoaded);
    if (m_pSheet == NULL || m_pSheet->m_cells.GetSize() == 0 || m_arrLoaded.GetSize() == 0)
        return;
    CDefVisualPage& page = m_visualPage;
    page.m_pSheet = m_pSheet;
    const CCell& first = m_pSheet->m_cells[m_arrLoaded[0]];
    page.m_strName = first.m_strName;
    page.m_nTabIndex = first.m_nTabIndex;
    page.m_nHAlign = InRange(first.m_nHAlign, CELL_ALIGN_LEFT, CELL_ALIGN_MIDDLE);
    page.m_nVAlign = InRange(first.m_nVAlign, CELL_ALIGN_TOP, CELL_ALIGN_CENTER);
    page.m_nLeftStyle = InRange(first.m_nLeftEdge, CELL_LINE_NONE, CELL_LINE_DASHDOT);
    page.m_nRightStyle = InRange(first.m_nRightEdge, CELL_LINE_NONE, CELL_LINE_DASHDOT);
    page.m_nTopStyle = InRange(first.m_nTopEdge, CELL_LINE_NONE, CELL_LINE_DASHDOT);
    page.m_nBottomStyle = InRange(first.m_nBottomEdge, CELL_LINE_NONE, CELL_LINE_DASHDOT);
    page.m_nDownDiagStyle = InRange(first.m_nDiagDown, CELL_LINE_NONE, CELL_LINE_DASHDOT);
    page.m_nUpDiagStyle = InRange(first.m_nDiagUp, CELL_LINE_NONE, CELL_LINE_DASHDOT);
    page.m_crBack = first.m_crBack;
    page.m_crLeft = first.m_crLeftEdge;
    page.m_crRight = first.m_crRightEdge;
    page.m_crTop = first.m_crTopEdge;
    page.m_crBottom = first.m_crBottomEdge;
    page.m_crDownDiag = first.m_crDiagDown;
    page.m_crUpDiag = first.m_crDiagUp;
    page.m_crText = first.m_crText;
    page.m_logFont = first.m_logFont;
    page.m_bNameLocked = m_arrLoaded.GetSize() == 1 && IsReferenced(first);
    for (INT_PTR n = 1; n < m_arrLoaded.GetSize(); ++n)
    {
        const CCell& cell = m_pSheet->m_cells[m_arrLoaded[n]];
        MarkMixed(page.m_nHAlign, cell.m_nHAlign);
        MarkMixed(page.m_nVAlign, cell.m_nVAlign);
        MarkMixed(page.m_nLeftStyle, cell.m_nLeftEdge);
        MarkMixed(page.m_nRightStyle, cell.m_nRightEdge);
        MarkMixed(page.m_nTopStyle, cell.m_nTopEdge);
        MarkMixed(page.m_nBottomStyle, cell.m_nBottomEdge);
        MarkMixed(page.m_nDownDiagStyle, cell.m_nDiagDown);
        MarkMixed(page.m_nUpDiagStyle, cell.m_nDiagUp);
    }
    // Several cells never share one name or tab index: neither is applied.
    if (m_arrLoaded.GetSize() > 1)
    {
        page.m_bNameApplies = 0;
        page.m_strName.Empty();
        page.m_bTabIndexApplies = 0;
    }
}

void CDefineSheet::LoadCellFormat(const CUIntArray& selection)
{
    CUIntArray cells;
    ValidCells(selection, cells);
    CDefCellDataPage& page = m_cellDataPage;
    page.m_pSheet = m_pSheet;
    page.m_formulaDlg.m_arrTargets.Copy(cells);
    if (cells.GetSize() == 0)
    {
        page.m_nType = -1;
        page.m_bMixedTypes = 1;
        return;
    }
    // The current cell speaks for the selection only when it is in it.
    int nSource = (int)cells[0];
    for (INT_PTR n = 0; n < cells.GetSize(); ++n)
        if ((LONG)cells[n] == m_pSheet->m_nCurCell)
            nSource = (int)cells[n];
    const CCell& source = m_pSheet->m_cells[nSource];
    page.m_nCurCell = nSource;
    page.m_nType = (int)source.m_nType;
    BOOL bSameDynamic = TRUE, bSameText = TRUE;
    for (INT_PTR n = 0; n < cells.GetSize(); ++n)
    {
        const CCell& cell = m_pSheet->m_cells[cells[n]];
        if (IsReferenced(cell))
            page.m_bTypeLocked = 1;
        if (cell.m_nType != source.m_nType)
            page.m_bMixedTypes = 1;
        bSameDynamic = bSameDynamic && (cell.m_bDynamic != 0) == (source.m_bDynamic != 0);
        bSameText = bSameText && cell.m_strValue == source.m_strValue;
    }
    if (page.m_bMixedTypes)
    {
        page.m_nType = -1;
        return;
    }
    switch (source.m_nType)
    {
    case CELL_TEXT:
        page.m_textDlg.m_nDynamic = source.m_bDynamic != 0;
        if (!bSameDynamic)
            page.m_textDlg.m_nMixed = -1;
        else if (!source.m_bDynamic && bSameText)
            page.m_textDlg.m_strText = source.m_strValue;
        page.m_textDlg.m_strAnalysis = source.m_strAnalysis;
        break;
    case CELL_NUMERIC:
        page.m_numericDlg.m_strRowItem = CodeOf(source.m_szRowItemCode);
        page.m_numericDlg.m_strColItem = CodeOf(source.m_szColItemCode);
        page.m_numericDlg.m_nValueType = (int)source.m_nValueType;
        page.m_numericDlg.m_nNumberFormat = (int)source.m_nNumberFormat;
        page.m_numericDlg.m_nCurType = (int)source.m_nCurType;
        page.m_numericDlg.m_nUnit = (int)source.m_nUnit;
        page.m_numericDlg.m_strAnalysis = source.m_strAnalysis;
        break;
    case CELL_REPORTDATE:
        page.m_dateDlg.m_nDateStyle = (int)source.m_nDateStyle;
        break;
    case CELL_FORMULA:
        page.m_formulaDlg.m_strFormula = source.m_strFormula;
        m_strLoadedFormula = PageFormula();
        break;
    case CELL_PICTURE:
        page.m_pictureDlg.m_strFile = source.m_strValue;
        page.m_pictureDlg.m_bFit = source.m_bStretch != 0;
        page.m_pictureDlg.m_bHasPicture = source.m_hDibBits != NULL;
        break;
    default:
        break;
    }
}

CString CDefineSheet::PageFormula() const
{
    CString strFormula = m_cellDataPage.m_formulaDlg.m_strFormula;
    strFormula.Remove(' ');
    strFormula.MakeUpper();
    return strFormula;
}

void CDefineSheet::ApplyToCells(const CUIntArray& selection)
{
    CUIntArray cells;
    ValidCells(selection, cells);
    const CDefVisualPage& page = m_visualPage;
    for (INT_PTR n = 0; n < cells.GetSize(); ++n)
    {
        CCell& cell = m_pSheet->m_cells[cells[n]];
        if (page.m_bNameApplies)
            cell.m_strName = page.m_strName;
        if (page.m_bTabIndexApplies)
            cell.m_nTabIndex = page.m_nTabIndex;
        ApplyUnlessMixed(cell.m_nHAlign, page.m_nHAlign);
        ApplyUnlessMixed(cell.m_nVAlign, page.m_nVAlign);
        ApplyUnlessMixed(cell.m_nLeftEdge, page.m_nLeftStyle);
        ApplyUnlessMixed(cell.m_nRightEdge, page.m_nRightStyle);
        ApplyUnlessMixed(cell.m_nTopEdge, page.m_nTopStyle);
        ApplyUnlessMixed(cell.m_nBottomEdge, page.m_nBottomStyle);
        ApplyUnlessMixed(cell.m_nDiagDown, page.m_nDownDiagStyle);
        ApplyUnlessMixed(cell.m_nDiagUp, page.m_nUpDiagStyle);
        ApplyIfChanged(cell.m_crBack, page.m_bBackChanged, page.m_crBack);
        if (page.m_bFontChanged)
        {
            cell.m_logFont = page.m_logFont;
            cell.m_crText = page.m_crText;
        }
        ApplyIfChanged(cell.m_crLeftEdge, page.m_bLeftChanged, page.m_crLeft);
        ApplyIfChanged(cell.m_crRightEdge, page.m_bRightChanged, page.m_crRight);
        ApplyIfChanged(cell.m_crTopEdge, page.m_bTopChanged, page.m_crTop);
        ApplyIfChanged(cell.m_crBottomEdge, page.m_bBottomChanged, page.m_crBottom);
        ApplyIfChanged(cell.m_crDiagDown, page.m_bDownDiagChanged, page.m_crDownDiag);
        ApplyIfChanged(cell.m_crDiagUp, page.m_bUpDiagChanged, page.m_crUpDiag);
    }
}

BOOL CDefineSheet::ApplyCellFormat(const CUIntArray& selection)
{
    const int nType = m_cellDataPage.m_nType;
    if (nType < CELL_NORMAL || nType > CELL_PICTURE)
        return TRUE;
    CUIntArray cells;
    ValidCells(selection, cells);
    for (INT_PTR n = 0; n < cells.GetSize(); ++n)
    {
        const int nCell = (int)cells[n];
        const int nOldType = (int)m_pSheet->m_cells[nCell].m_nType;
        // A new type starts from nothing: the formula's references and the
        // picture's blocks given up, the old type's payload cleared.
        ChangeCellType(*m_pSheet, nCell, nType);
        if (!ApplyTypeSettings(m_pSheet->m_cells[nCell], nCell, nOldType, (int)cells.GetSize()))
            return FALSE;
    }
    return TRUE;
}

BOOL CDefineSheet::ApplyTypeSettings(CCell& cell, int nCell, int nOldType, int nSelected)
{
    const CDefCellDataPage& page = m_cellDataPage;
    switch (cell.m_nType)
    {
    case CELL_TEXT:
        if (page.m_bTextChanged)
            cell.m_strValue = page.m_textDlg.m_strText;
        if (page.m_textDlg.m_nMixed != -1 || page.m_bDynamicChosen)
        {
            cell.m_bDynamic = (BYTE)(page.m_textDlg.m_nDynamic != 0);
            cell.m_strAnalysis = page.m_textDlg.m_strAnalysis;
        }
        break;
    case CELL_NUMERIC:
        cell.m_nValueType = page.m_numericDlg.m_nValueType;
        cell.m_nNumberFormat = page.m_numericDlg.m_nNumberFormat;
        cell.m_nCurType = page.m_numericDlg.m_nCurType;
        cell.m_nUnit = page.m_numericDlg.m_nUnit;
        // Item codes name one figure each: only a single cell takes them.
        if (nSelected == 1)
        {
            CopyCode(cell.m_szRowItemCode, CELL_CODE_LEN, page.m_numericDlg.m_strRowItem);
            CopyCode(cell.m_szColItemCode, CELL_CODE_LEN, page.m_numericDlg.m_strColItem);
        }
        cell.m_strAnalysis = page.m_numericDlg.m_strAnalysis;
        break;
    case CELL_REPORTDATE:
        cell.m_nDateStyle = page.m_dateDlg.m_nDateStyle;
        break;
    case CELL_FORMULA:
    {
        // A formula cell keeps its own formula unless the page's was
        // edited: several formula cells share the page.
        const CString strFormula = PageFormula();
        if (nOldType == CELL_FORMULA && strFormula == m_strLoadedFormula)
            break;
        cell.m_nValueType = 0;
        if (!cell.m_strFormula.IsEmpty())
            AdjustFormulaRefCounts(*m_pSheet, nCell, FALSE);
        cell.m_strFormula = strFormula;
        AdjustFormulaRefCounts(*m_pSheet, nCell, TRUE);
        break;
    }
    case CELL_PICTURE:
        return ApplyPicture(cell);
    default:
        break;
    }
    return TRUE;
}

BOOL CDefineSheet::ApplyPicture(CCell& cell)
{
    const CCellPictureDlg& dlg = m_cellDataPage.m_pictureDlg;
    if (dlg.m_bClear)
        cell.ResetContent();
    if (!dlg.m_strFile.IsEmpty() && dlg.m_strFile.CompareNoCase(cell.m_strValue) != 0)
    {
        HBITMAP hBitmap = (HBITMAP)::LoadImageA(NULL, dlg.m_strFile, IMAGE_BITMAP, 0, 0,
                                                LR_LOADFROMFILE | LR_CREATEDIBSECTION);
        if (hBitmap == NULL)
        {
            AfxMessageBox("Cannot open picture file.", MB_OK);
            return FALSE;
        }
        HGLOBAL hDibInfo = NULL, hDibBits = NULL;
        CClientDC dc(m_pView);
        const BOOL bConverted = BitmapToDib(&dc, hBitmap, hDibInfo, hDibBits);
        ::DeleteObject(hBitmap);
        if (!bConverted)
            return FALSE;
        cell.ResetContent();
        cell.m_hDibInfo = hDibInfo;
        cell.m_hDibBits = hDibBits;
    }
    cell.m_strValue = dlg.m_strFile;
    cell.m_bStretch = dlg.m_bFit;
    return TRUE;
}

void CDefineSheet::CollectChangedCells(const CUIntArray& selection, CUIntArray& cells) const
{
    ValidCells(selection, cells);
    if (m_cellDataPage.m_nType < CELL_NORMAL)
        return;
    CUIntArray operands;
    CollectOperandsOfFormulasGivenUp(*m_pSheet, cells, -1, operands);
    if (m_cellDataPage.m_nType == CELL_FORMULA)
    {
        const CFormulaOperandSet named(PageFormula());
        for (INT_PTR i = 0; i < m_pSheet->m_cells.GetSize(); ++i)
            if (IsNameableCell(m_pSheet->m_cells[i]) && named.Contains(m_pSheet->m_cells[i].m_strName))
                operands.Add((UINT)i);
    }
    for (INT_PTR k = 0; k < operands.GetSize(); ++k)
    {
        BOOL bKnown = FALSE;
        for (INT_PTR n = 0; n < cells.GetSize() && !bKnown; ++n)
            bKnown = cells[n] == operands[k];
        if (!bKnown)
            cells.Add(operands[k]);
    }
}
