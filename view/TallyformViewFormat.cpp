// The sheet view's format commands: font styles, the font and colour
// dialogs, the Format bar's colour buttons and alignment.  Every change
// first records the cells it touches in one Cell Define record.
#include "view/TallyformView.h"

#include "framework/windows/CmdUI.h"
#include "framework/windows/ColorDialog.h"
#include "framework/windows/FontDialog.h"
#include "sheet/UndoAction.h"
#include "sheet/document/TallyformDoc.h"
#include "view/SheetViewFrame.h"
#include "SheetViewIds.h"

namespace {

// Font style codes of ApplyFontStyle and IsFontStyleSet.
enum
{
    STYLE_BOLD = 1,
    STYLE_ITALIC = 2,
    STYLE_UNDERLINE = 4
};

// The attribute of a font that style nCode stands for.
LONG FontStyleValue(const LOGFONTA& lf, int nCode)
{
    switch (nCode)
    {
    case STYLE_BOLD: return lf.lfWeight;
    case STYLE_ITALIC: return lf.lfItalic;
    case STYLE_UNDERLINE: return lf.lfUnderline;
    default: return 0;
    }
}

// The value the selected cells share (horizontal or vertical alignment),
// or -1 when they differ or nothing is selected.
LONG CommonAlignment(CSheet& sheet, BOOL bVertical)
{
    LONG nCommon = -1;
    for (INT_PTR n = 0; n < sheet.m_arrSel.GetSize(); ++n)
    {
        const CCell* pCell = sheet.GetSelectedCell((int)n);
        if (pCell == NULL)
            continue;
        LONG nValue = bVertical ? pCell->m_nVAlign : pCell->m_nHAlign;
        if (nCommon == -1)
            nCommon = nValue;
        else if (nCommon != nValue)
            return -1;
    }
    return nCommon;
}

} // namespace

// ------------------------------------------------------------- recording

void CTallyformView::RecordSelection()
{
    RecordCells(GetSheet()->m_arrSel);
}

void CTallyformView::RecordCells(const CUIntArray& cells)
{
    CSheet* pSheet = GetSheet();
    CCellDefineAction* pAction = new CCellDefineAction;
    pAction->m_arrIndices.Copy(cells);
    pAction->RecordBefore(pSheet);
    pSheet->AddUndoAction(pAction);
}

DWORD CTallyformView::FontDialogFlags()
{
    return CF_SCREENFONTS | CF_EFFECTS | CF_TTONLY;
}

void CTallyformView::FinishFormatChange()
{
    CTallyformDoc* pDoc = GetDocument();
    pDoc->SetModifiedFlag(TRUE);
    pDoc->UpdateAllViews(NULL);
}

// ----------------------------------------------------------- font styles

void CTallyformView::ApplyFontStyle(int nCode, BOOL bOn)
{
    CSheet* pSheet = GetSheet();
    if (pSheet == NULL || pSheet->m_arrSel.GetSize() == 0)
        return;
    RecordSelection();
    for (INT_PTR n = 0; n < pSheet->m_arrSel.GetSize(); ++n)
    {
        CCell* pCell = pSheet->GetSelectedCell((int)n);
        if (pCell == NULL)
            continue;
        if (nCode == STYLE_BOLD)
            pCell->m_logFont.lfWeight = bOn ? FW_BOLD : FW_NORMAL;
        else if (nCode == STYLE_ITALIC)
            pCell->m_logFont.lfItalic = (BYTE)bOn;
        else if (nCode == STYLE_UNDERLINE)
            pCell->m_logFont.lfUnderline = (BYTE)bOn;
    }
    FinishFormatChange();
}

BOOL CTallyformView::IsFontStyleSet(int nCode) const
{
    CSheet* pSheet = GetSheet();
    if (pSheet == NULL || pSheet->m_cells.GetSize() == 0)
        return FALSE;
    const CCell* pFirst = pSheet->GetSelectedCell(0);
    if (pFirst == NULL)
        return FALSE;
    LONG nFirst = FontStyleValue(pFirst->m_logFont, nCode);
    for (INT_PTR n = 1; n < pSheet->m_arrSel.GetSize(); ++n)
    {
        const CCell* pCell = pSheet->GetSelectedCell((int)n);
        if (pCell != NULL && FontStyleValue(pCell->m_logFont, nCode) != nFirst)
            return FALSE;
    }
    return nCode == STYLE_BOLD ? nFirst == FW_BOLD : nFirst != 0;
}

void CTallyformView::OnFormatBold()
{
    m_bBold = !m_bBold;
    ApplyFontStyle(STYLE_BOLD, m_bBold);
}

void CTallyformView::OnFormatItalic()
{
    m_bItalic = !m_bItalic;
    ApplyFontStyle(STYLE_ITALIC, m_bItalic);
}

void CTallyformView::OnFormatUnderline()
{
    m_bUnderline = !m_bUnderline;
    ApplyFontStyle(STYLE_UNDERLINE, m_bUnderline);
}

void CTallyformView::OnUpdateFormatBold(CCmdUI* pCmdUI)
{
    m_bBold = IsFontStyleSet(STYLE_BOLD);
    pCmdUI->SetCheck(m_bBold ? 1 : 0);
}

void CTallyformView::OnUpdateFormatItalic(CCmdUI* pCmdUI)
{
    m_bItalic = IsFontStyleSet(STYLE_ITALIC);
    pCmdUI->SetCheck(m_bItalic ? 1 : 0);
}

void CTallyformView::OnUpdateFormatUnderline(CCmdUI* pCmdUI)
{
    m_bUnderline = IsFontStyleSet(STYLE_UNDERLINE);
    pCmdUI->SetCheck(m_bUnderline ? 1 : 0);
}

// ------------------------------------------------------------- alignment

void CTallyformView::OnAlign(UINT nID)
{
    CSheet* pSheet = GetSheet();
    if (pSheet == NULL || pSheet->m_arrSel.GetSize() == 0 || nID < ID_ALIGN_LEFT ||
        nID > ID_ALIGN_CENTER)
        return;
    BOOL bVertical = nID >= ID_ALIGN_TOP;
    LONG nValue = (LONG)(nID - ID_ALIGN_LEFT);
    RecordSelection();
    for (INT_PTR n = 0; n < pSheet->m_arrSel.GetSize(); ++n)
    {
        CCell* pCell = pSheet->GetSelectedCell((int)n);
        if (pCell == NULL)
            continue;
        if (bVertical)
            pCell->m_nVAlign = nValue;
        else
            pCell->m_nHAlign = nValue;
    }
    FinishFormatChange();
}

void CTallyformView::OnUpdateAlign(CCmdUI* pCmdUI)
{
    CSheet* pSheet = GetSheet();
    LONG nCommon = -1;
    if (pSheet != NULL)
        nCommon = CommonAlignment(*pSheet, pCmdUI->m_nID >= ID_ALIGN_TOP);
    pCmdUI->SetCheck(nCommon >= 0 && (UINT)nCommon + ID_ALIGN_LEFT == pCmdUI->m_nID ? 1 : 0);
}

// --------------------------------------------------------------- colours

void CTallyformView::SetSelectedColour(COLORREF CCell::*pField, COLORREF cr)
{
    CSheet* pSheet = GetSheet();
    RecordSelection();
    for (INT_PTR n = 0; n < pSheet->m_arrSel.GetSize(); ++n)
        if (CCell* pCell = pSheet->GetSelectedCell((int)n))
            pCell->*pField = cr;
    FinishFormatChange();
}

void CTallyformView::OnTextColor()
{
    CSheetViewFrame* pMain = GetMainFrameServices();
    if (pMain != NULL && GetSelectedCount() > 0)
        SetSelectedColour(&CCell::m_crText, pMain->GetFontColor());
}

void CTallyformView::OnBackgroundColor()
{
    CSheetViewFrame* pMain = GetMainFrameServices();
    if (pMain != NULL && GetSelectedCount() > 0)
        SetSelectedColour(&CCell::m_crBack, pMain->GetFillColor());
}

void CTallyformView::OnCellBackgroundColor()
{
    CSheet* pSheet = GetSheet();
    const CCell* pFirst = pSheet != NULL ? pSheet->GetSelectedCell(0) : NULL;
    if (pFirst == NULL)
        return;
    COLORREF cr = pFirst->m_crBack;
    if (RunColorDialog(cr))
        SetSelectedColour(&CCell::m_crBack, cr);
}

BOOL CTallyformView::RunColorDialog(COLORREF& cr)
{
    CColorDialog dlg(cr, 0, this);
    if (dlg.DoModal() != IDOK)
        return FALSE;
    cr = dlg.GetColor();
    return TRUE;
}

// ------------------------------------------------------------------ font

void CTallyformView::OnCellFont()
{
    CSheet* pSheet = GetSheet();
    if (pSheet == NULL)
        return;
    const CCell* pFirst = pSheet->GetSelectedCell(0);
    LOGFONTA lf = pFirst != NULL ? pFirst->m_logFont : CCell::DefaultFont();
    COLORREF crText = pFirst != NULL ? pFirst->m_crText : RGB(0, 0, 0);
    if (!RunFontDialog(lf, crText))
        return;
    // Without a selection the choice has nowhere to go.
    if (pSheet->m_arrSel.GetSize() == 0)
        return;
    RecordSelection();
    for (INT_PTR n = 0; n < pSheet->m_arrSel.GetSize(); ++n)
    {
        if (CCell* pCell = pSheet->GetSelectedCell((int)n))
        {
            pCell->m_crText = crText;
            pCell->m_logFont = lf;
        }
    }
    FinishFormatChange();
}

BOOL CTallyformView::RunFontDialog(LOGFONTA& lf, COLORREF& crText)
{
    CFontDialog dlg(&lf, FontDialogFlags(), NULL, this);
    dlg.m_cf.rgbColors = crText;
    if (dlg.DoModal() != IDOK)
        return FALSE;
    dlg.GetCurrentFont(&lf);
    crText = dlg.GetColor();
    return TRUE;
}
