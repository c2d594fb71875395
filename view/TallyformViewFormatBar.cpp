// The sheet view's side of the Format bar: applying a font size, a face or
// a cell type the bar reports to the selected cells, and answering the
// bar's question about the selection's format.
#include <string.h>

#include "view/TallyformView.h"

#include "framework/windows/FontDialog.h"
#include "sheet/FormulaRecalc.h"
#include "sheet/document/TallyformDoc.h"
#include "shell/CellFormatBar.h"
#include "FormatBarIds.h"

namespace {

const LONG kTwipsPerInch = 1440;

// Vertical pixels per inch of the display.
int DisplayPixelsPerInchY()
{
    HDC hDC = ::GetDC(NULL);
    int nPixels = hDC != NULL ? ::GetDeviceCaps(hDC, LOGPIXELSY) : 0;
    if (hDC != NULL)
        ::ReleaseDC(NULL, hDC);
    return nPixels > 0 ? nPixels : 96;
}

} // namespace

BOOL CTallyformView::ChangeSelectedCellType(UINT nType)
{
    CSheet* pSheet = GetSheet();
    // Both refusals come before anything is recorded, so a refused change
    // leaves the undo list and its redo tail as they were.
    if (nType > CELL_PICTURE)
    {
        MessageBox("Cell type error", NULL, MB_OK);
        return FALSE;
    }
    for (INT_PTR n = 0; n < pSheet->m_arrSel.GetSize(); ++n)
    {
        const CCell* pCell = pSheet->GetSelectedCell((int)n);
        if (pCell != NULL && (pCell->m_nFormulaRefs > 0 || pCell->m_nBalanceRefs > 0))
        {
            MessageBox("This cell is used by other Formula Cells,cannot change type!", NULL, MB_OK);
            return FALSE;
        }
    }

    // A formula given up takes its references off the cells it names: those
    // cells go into the record too, so Undo gives their counters back.
    CUIntArray arrCells;
    arrCells.Copy(pSheet->m_arrSel);
    CollectOperandsOfFormulasGivenUp(*pSheet, pSheet->m_arrSel, (int)nType, arrCells);
    RecordCells(arrCells);
    for (INT_PTR n = 0; n < pSheet->m_arrSel.GetSize(); ++n)
        ChangeCellType(*pSheet, (int)pSheet->m_arrSel[n], (int)nType);
    return TRUE;
}

void CTallyformView::OnFormatBarSetFormat(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    CSheet* pSheet = GetSheet();
    if (pSheet == NULL || pSheet->m_arrSel.GetSize() == 0)
        return;
    const NMFORMATBAR* pRecord = reinterpret_cast<const NMFORMATBAR*>(pNMHDR);
    switch (pRecord->nChangedID)
    {
    case IDC_FORMATBAR_SIZE:
    {
        RecordSelection();
        LONG nHeight = -(pRecord->cf.yHeight * DisplayPixelsPerInchY()) / kTwipsPerInch;
        for (INT_PTR n = 0; n < pSheet->m_arrSel.GetSize(); ++n)
            if (CCell* pCell = pSheet->GetSelectedCell((int)n))
                pCell->m_logFont.lfHeight = nHeight;
        break;
    }
    case IDC_FORMATBAR_FACE:
    {
        RecordSelection();
        for (INT_PTR n = 0; n < pSheet->m_arrSel.GetSize(); ++n)
        {
            if (CCell* pCell = pSheet->GetSelectedCell((int)n))
            {
                lstrcpynA(pCell->m_logFont.lfFaceName, pRecord->cf.szFaceName, LF_FACESIZE);
                pCell->m_logFont.lfCharSet = pRecord->cf.bCharSet;
            }
        }
        break;
    }
    case IDC_FORMATBAR_CELLTYPE:
        if (!ChangeSelectedCellType((UINT)pRecord->nCellType))
            return;
        break;
    default:
        return;
    }
    FinishFormatChange();
    *pResult = 1;
}

void CTallyformView::OnFormatBarGetFormat(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    CSheet* pSheet = GetSheet();
    if (pSheet == NULL || pSheet->m_cells.GetSize() == 0)
        return;
    NMFORMATBAR* pRecord = reinterpret_cast<NMFORMATBAR*>(pNMHDR);
    pRecord->cf.dwMask = 0;
    const CCell* pFirst = pSheet->GetSelectedCell(0);
    if (pFirst == NULL)
    {
        pRecord->nCellType = -1;
        *pResult = 1;
        return;
    }

    CFontDialog dlg(&pFirst->m_logFont, FontDialogFlags());
    dlg.GetCharFormat(pRecord->cf);
    LONG nType = pFirst->m_nType;
    for (INT_PTR n = 1; n < pSheet->m_arrSel.GetSize(); ++n)
    {
        const CCell* pCell = pSheet->GetSelectedCell((int)n);
        if (pCell == NULL)
            continue;
        if (strncmp(pCell->m_logFont.lfFaceName, pFirst->m_logFont.lfFaceName, LF_FACESIZE) != 0)
            pRecord->cf.dwMask &= ~(CFM_FACE | CFM_CHARSET);
        if (pCell->m_logFont.lfHeight != pFirst->m_logFont.lfHeight)
            pRecord->cf.dwMask &= ~CFM_SIZE;
        if (pCell->m_nType != pFirst->m_nType)
            nType = -1;
    }
    pRecord->nCellType = (int)nType;
    if (pRecord->cf.dwMask & CFM_SIZE)
        pRecord->cf.yHeight = pFirst->m_logFont.lfHeight * -kTwipsPerInch / DisplayPixelsPerInchY();
    *pResult = 1;
}
