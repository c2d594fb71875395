// CCellPeriodField: the in-place editor of a report-date cell, the
// report-period field laid over the cell.  Every key is reported to the
// view, which decides what it means.
#pragma once

#include "shell/DateFieldWnd.h"

class CCellPeriodField : public CDateFieldWnd
{
public:
    // Creates the field at once with the period type and numeral style,
    // shows the code and takes the focus.  When creation fails the object
    // has no window and the caller deletes it.
    CCellPeriodField(CWnd* pParent, const RECT& rect, int nCell, CString strCode,
                     int nPeriodType, int nNumeralStyle, UINT nID);

    BOOL PreTranslateMessage(MSG* pMsg) override;

    int GetCellIndex() const { return m_nCell; }

protected:
    void PostNcDestroy() override;
    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    void OnKillFocus(CWnd* pNewWnd);
    DECLARE_MESSAGE_MAP()

private:
    CString m_strStartCode;
    int m_nCell;
    int m_nLastKey;
};
