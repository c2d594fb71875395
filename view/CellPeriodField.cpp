#include "view/CellPeriodField.h"

#include "shell/DateDropDownWnd.h"
#include "view/CellEditNotify.h"

BEGIN_MESSAGE_MAP(CCellPeriodField, CDateFieldWnd)
    ON_WM_KEYDOWN()
    ON_WM_KILLFOCUS()
END_MESSAGE_MAP()

CCellPeriodField::CCellPeriodField(CWnd* pParent, const RECT& rect, int nCell, CString strCode,
                                   int nPeriodType, int nNumeralStyle, UINT nID)
    : m_strStartCode(strCode), m_nCell(nCell), m_nLastKey(0)
{
    if (!Create(rect, pParent, nID))
        return;
    SetPeriodType(nPeriodType, nNumeralStyle);
    SetCode(strCode);
    SetFocus();
}

void CCellPeriodField::PostNcDestroy()
{
    delete this;
}

BOOL CCellPeriodField::PreTranslateMessage(MSG* pMsg)
{
    return PreTranslateEditorKeys(pMsg) || CDateFieldWnd::PreTranslateMessage(pMsg);
}

void CCellPeriodField::OnKeyDown(UINT nChar, UINT, UINT)
{
    m_nLastKey = (int)nChar;
    SendCellEditNotify(this, CELLN_LEAVE, m_nCell, GetCode(), m_nLastKey);
}

void CCellPeriodField::OnKillFocus(CWnd* pNewWnd)
{
    CDateFieldWnd::OnKillFocus(pNewWnd);
    // Focus that moved into this field's own calendar stays in the edit.
    CWnd* pTaker = pNewWnd != NULL ? CWnd::FromHandlePermanent(pNewWnd->m_hWnd) : NULL;
    if (pTaker != NULL && pTaker->IsKindOf(RUNTIME_CLASS(CDateDropDownWnd)))
        return;
    SendCellEditNotify(this, CELLN_END, m_nCell, GetCode(), m_nLastKey);
    PostMessage(WM_CLOSE);
}
