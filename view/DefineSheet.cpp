#include "view/DefineSheet.h"

#include "framework/docview/WinApp.h"
#include "framework/windows/Dc.h"
#include "sheet/document/TallyformDoc.h"
#include "view/CellPick.h"
#include "view/TallyformView.h"
#include "SheetViewIds.h"

namespace
{
const int kAnimationFrames = 7;
const DWORD kFramePauseMs = 30;
} // namespace

BEGIN_MESSAGE_MAP(CDefineSheet, CPropertySheet)
    ON_MESSAGE(WM_PICKCELL, OnPickCell)
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CDefineSheet::CDefineSheet(LPCSTR pszCaption, CTallyformView* pView, UINT iSelectPage)
    : CPropertySheet(pszCaption, pView, iSelectPage), m_pSheet(pView != NULL ? pView->GetSheet() : NULL),
      m_cellDataPage(pView), m_pView(pView)
{
    m_psh.dwFlags |= PSH_NOAPPLYNOW;
    AddPage(&m_visualPage);
    AddPage(&m_cellDataPage);
}

void CDefineSheet::ValidCells(const CUIntArray& selection, CUIntArray& cells) const
{
    cells.RemoveAll();
    const UINT nCount = m_pSheet != NULL ? (UINT)m_pSheet->m_cells.GetSize() : 0;
    for (INT_PTR n = 0; n < selection.GetSize(); ++n)
        if (selection[n] < nCount)
            cells.Add(selection[n]);
}

INT_PTR CDefineSheet::DoModal()
{
    const INT_PTR nResult = CPropertySheet::DoModal();
    EndCellPick(NULL);
    if (m_pView != NULL)
    {
        m_pView->m_bCellPickMode = FALSE;
        m_pView->m_bPickPressed = FALSE;
    }
    CWnd* pMain = AfxGetMainWnd();
    if (pMain != NULL && pMain->m_hWnd != NULL)
        pMain->EnableWindow(TRUE);
    return nResult;
}

BOOL CDefineSheet::OnInitDialog()
{
    CPropertySheet::OnInitDialog();
    AnimateFrame(TRUE);
    return TRUE;
}

void CDefineSheet::OnDestroy()
{
    AnimateFrame(FALSE);
    Default();
}

void CDefineSheet::AnimateFrame(BOOL bOpening)
{
    if (m_pView == NULL || m_pView->m_hWnd == NULL || m_pSheet == NULL || m_arrLoaded.GetSize() == 0 ||
        !::IsWindowVisible(m_pView->m_hWnd))
        return;
    CRect rcCell = m_pView->SheetToClient(m_pSheet->m_cells[m_arrLoaded[0]].m_rect);
    m_pView->ClientToScreen(&rcCell);
    rcCell.NormalizeRect();
    CRect rcSheet;
    GetWindowRect(&rcSheet);
    CClientDC dc((HWND)NULL);
    const CSize size(2, 2);
    CRect rcLast;
    for (int i = 0; i < kAnimationFrames; ++i)
    {
        const int nStep = bOpening ? i : kAnimationFrames - 1 - i;
        const CRect rc(rcCell.left + (rcSheet.left - rcCell.left) * nStep / 6,
                       rcCell.top + (rcSheet.top - rcCell.top) * nStep / 6,
                       rcCell.right + (rcSheet.right - rcCell.right) * nStep / 6,
                       rcCell.bottom + (rcSheet.bottom - rcCell.bottom) * nStep / 6);
        ::Sleep(kFramePauseMs);
        dc.DrawDragRect(&rc, size, i == 0 ? NULL : &rcLast, size);
        rcLast = rc;
    }
    // Drawn once more, the last frame goes.
    dc.DrawDragRect(&rcLast, size, NULL, size);
}

LRESULT CDefineSheet::OnPickCell(WPARAM, LPARAM lParam)
{
    if (GetActivePage() != &m_visualPage)
        m_cellDataPage.TakePickedCell(lParam);
    return 0;
}
