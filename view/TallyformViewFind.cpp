// The sheet view's Find, Replace and Find Next over the cells' value texts,
// and its answers to the find and replace dialog's notifications.
#include "view/TallyformView.h"

#include "framework/windows/CmdUI.h"
#include "framework/windows/FindReplaceDialog.h"
#include "sheet/CellTextSearch.h"
#include "sheet/document/TallyformDoc.h"

namespace
{
// One search for the whole program, kept across views and documents.
CString g_strFind;
CString g_strReplace;
BOOL g_bMatchCase = FALSE;
} // namespace

UINT CTallyformView::s_nFindReplaceMessage = ::RegisterWindowMessageA(FINDMSGSTRINGA);

void CTallyformView::SetSearch(LPCSTR pszFind, LPCSTR pszReplace, BOOL bMatchCase)
{
    g_strFind = pszFind;
    if (pszReplace != NULL)
        g_strReplace = pszReplace;
    g_bMatchCase = bMatchCase;
}

CString CTallyformView::GetSearchText()
{
    return g_strFind;
}

void CTallyformView::OpenFindDialog(BOOL bReplace)
{
    CSheet* pSheet = GetSheet();
    CString strInitial;
    if (pSheet != NULL && pSheet->GetSelectedCell(0) != NULL)
        strInitial = pSheet->GetSelectedCell(0)->m_strValue;
    CFindReplaceDialog* pDialog = new CFindReplaceDialog;
#ifdef EDITOR_BUILD
    const DWORD dwFlags = FR_HIDEUPDOWN | FR_HIDEWHOLEWORD;
#else
    const DWORD dwFlags = bReplace ? FR_HIDEUPDOWN | FR_HIDEWHOLEWORD : FR_HIDEUPDOWN;
#endif
    if (!pDialog->Create(!bReplace, strInitial, g_strReplace, dwFlags, this))
    {
        delete pDialog;
        return;
    }
    m_pFindDialog = pDialog;
}

void CTallyformView::OnEditFind()
{
    if (m_pFindDialog == NULL)
        OpenFindDialog(FALSE);
    if (m_pFindDialog != NULL)
    {
        m_pFindDialog->SetActiveWindow();
        m_pFindDialog->ShowWindow(SW_SHOW);
    }
}

void CTallyformView::OnEditReplace()
{
    if (m_pFindDialog != NULL)
    {
        // The dialog's closing notice clears the member.
        CWnd* pOld = m_pFindDialog;
        m_pFindDialog = NULL;
        pOld->SendMessage(WM_CLOSE);
    }
    OpenFindDialog(TRUE);
    if (m_pFindDialog != NULL)
    {
        m_pFindDialog->SetActiveWindow();
        m_pFindDialog->ShowWindow(SW_SHOW);
    }
}

void CTallyformView::OnEditFindNext()
{
    if (!FindInCells(g_bMatchCase, FALSE))
        ShowNotFound();
}

void CTallyformView::OnUpdateEditFindNext(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(!g_strFind.IsEmpty());
}

void CTallyformView::ShowNotFound()
{
    MessageBox("Cannot find string\" " + g_strFind + " \"", NULL, MB_OK);
}

BOOL CTallyformView::FindInCells(BOOL bMatchCase, BOOL bReplaceAll)
{
    CSheet* pSheet = GetSheet();
    if (pSheet == NULL)
        return FALSE;
    const CCellTextSearch search(g_strFind, bMatchCase);
    const int nStart = pSheet->m_arrSel.GetSize() > 0 ? (int)pSheet->m_arrSel[0] + 1 : 0;
    const int nFound = search.FindCell(*pSheet, nStart);
    if (nFound < 0)
        return FALSE;
    if (!bReplaceAll)
    {
        ClearSelection();
        pSheet->m_arrSel.Add((UINT)nFound);
        pSheet->m_nCurCell = nFound;
        EnsureCellVisible(nFound);
        GetDocument()->UpdateAllViews(NULL);
        return TRUE;
    }
    const INT_PTR nCount = pSheet->m_cells.GetSize();
#ifndef EDITOR_BUILD
    // The editor's undo list stays empty: nothing it does can be undone.
    CUIntArray all;
    all.SetSize(nCount);
    for (INT_PTR i = 0; i < nCount; ++i)
        all[i] = (UINT)i;
    RecordCells(all);
#endif
    for (INT_PTR i = nFound; i < nCount; ++i)
        ReplaceInCell(search, (int)i);
    for (INT_PTR i = 0; i < nFound; ++i)
        ReplaceInCell(search, (int)i);
    // A replaced figure changes the totals that use it as much as typing one.
    if (!pSheet->m_bDesignMode)
        GetDocument()->RecalculateAll();
    GetDocument()->UpdateAllViews(NULL);
    return TRUE;
}

BOOL CTallyformView::ReplaceNext(BOOL bMatchCase)
{
    CSheet* pSheet = GetSheet();
    if (!FindInCells(bMatchCase, FALSE))
        return FALSE;
#ifndef EDITOR_BUILD
    RecordSelection();
#endif
    const int nCell = (int)pSheet->m_arrSel[0];
    ReplaceInCell(CCellTextSearch(g_strFind, bMatchCase), nCell);
    if (!pSheet->m_bDesignMode && pSheet->m_cells[nCell].m_nFormulaRefs > 0)
        GetDocument()->RecalculateDependents(nCell);
    GetDocument()->UpdateAllViews(NULL);
    return TRUE;
}

void CTallyformView::ReplaceInCell(const CCellTextSearch& search, int nCell)
{
    CString& strValue = GetSheet()->m_cells[nCell].m_strValue;
    const CString strBefore = strValue;
    search.Replace(strValue, g_strReplace);
    if (strValue != strBefore)
        GetDocument()->NoteValueChanged(nCell);
}

LRESULT CTallyformView::OnFindReplace(WPARAM, LPARAM lParam)
{
    CFindReplaceDialog* pDialog = CFindReplaceDialog::GetNotifier(lParam);
    if (pDialog == NULL)
        return 0;
    if (pDialog->IsTerminating())
    {
        if (m_pFindDialog == pDialog)
            m_pFindDialog = NULL;
        return 0;
    }
    // The dialog's buttons are no commands: the open editor hands its text
    // to its cell here, before the search reads and rewrites the cells.
    CloseCellEditor();
    const BOOL bMatchCase = pDialog->MatchCase();
    if (pDialog->FindNext())
    {
        SetSearch(pDialog->GetFindString(), NULL, bMatchCase);
        if (!FindInCells(bMatchCase, FALSE))
            ShowNotFound();
    }
    else if (pDialog->ReplaceCurrent())
    {
        SetSearch(pDialog->GetFindString(), pDialog->GetReplaceString(), bMatchCase);
        if (!ReplaceNext(bMatchCase))
            ShowNotFound();
    }
    else if (pDialog->ReplaceAll())
    {
        SetSearch(pDialog->GetFindString(), pDialog->GetReplaceString(), bMatchCase);
        if (!FindInCells(bMatchCase, TRUE))
            ShowNotFound();
    }
    return 0;
}
