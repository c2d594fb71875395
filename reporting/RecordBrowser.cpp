#include "reporting/RecordBrowser.h"

#include "engines/common/KemRecordset.h"
#include "framework/core/MessageSink.h"
#include "framework/db/SqlQuote.h"
#include "framework/windows/Dialog.h"
#include "reporting/FieldText.h"
#include "reporting/ReportConnection.h"

CRecordPlace ProbeRecordPlace(CKemRecordset& rs)
{
    CRecordPlace place;
    place.m_bEmpty = rs.GetRecordCount() <= 0;
    if (place.m_bEmpty)
    {
        place.m_bAtFirst = place.m_bAtLast = TRUE;
        return place;
    }
    if (!rs.IsBOF())
    {
        rs.MovePrev();
        place.m_bAtFirst = rs.IsBOF();
        rs.MoveNext();
    }
    else
    {
        place.m_bAtFirst = TRUE;
    }
    if (!rs.IsEOF())
    {
        rs.MoveNext();
        place.m_bAtLast = rs.IsEOF();
        rs.MovePrev();
    }
    else
    {
        place.m_bAtLast = TRUE;
    }
    return place;
}

CString CodeCondition(LPCSTR pszCode)
{
    return "FD_Code=" + SqlQuote(pszCode);
}

void RequeryAndFind(CKemRecordset& rs, const CString& strCode)
{
    rs.Requery();
    if (rs.IsBOF() && rs.IsEOF())
        return;
    if (!strCode.IsEmpty() && rs.FindFirst(CodeCondition(strCode)))
        return;
    rs.MoveFirst();
}

CString CurrentCode(CKemRecordset& rs)
{
    if (rs.IsBOF() || rs.IsEOF())
        return CString();
    return RecordsetFieldText(&rs, "FD_Code");
}

void MoveOffDeletedRow(CKemRecordset& rs, const CRecordPlace& placeBefore)
{
    CString strNext;
    if (!placeBefore.m_bAtLast)
    {
        rs.MoveNext();
        strNext = CurrentCode(rs);
    }
    else if (!placeBefore.m_bAtFirst)
    {
        rs.MovePrev();
        strNext = CurrentCode(rs);
    }
    RequeryAndFind(rs, strNext);
}

void EnableDlgControl(CWnd& dlg, UINT nID, BOOL bEnable)
{
    CWnd* pControl = dlg.GetDlgItem(nID);
    if (pControl != NULL)
        pControl->EnableWindow(bEnable);
}

void SetDlgEditReadOnly(CWnd& dlg, UINT nID, BOOL bReadOnly)
{
    dlg.SendDlgItemMessage(nID, EM_SETREADONLY, bReadOnly);
}

BOOL IsCodeAndNameFree(CDialog& dlg, LPCSTR pszTable, BOOL bModify, const CString& strCode, const CString& strName,
                       CKemRecordset& rs, LPCSTR pszDuplicate, UINT nFocusID)
{
    CString strCondition;
    if (bModify)
        strCondition = "FD_Name=" + SqlQuote(strName) + " And FD_Code<>" + SqlQuote(CurrentCode(rs));
    else
        strCondition = "FD_Code=" + SqlQuote(strCode) + " Or FD_Name=" + SqlQuote(strName);
    int nExists = GetReportConnection().RecordExists(pszTable, strCondition);
    if (nExists == 0)
        return TRUE;
    if (nExists == 1)
        AfxMessageBox(pszDuplicate);
    dlg.GotoDlgCtrl(dlg.GetDlgItem(nFocusID));
    return FALSE;
}
