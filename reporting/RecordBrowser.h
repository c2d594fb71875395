// Stepping helpers of the reference-data dialogs, which show one row of a
// list recordset at a time.
#pragma once

#include "framework/core/String.h"

class CKemRecordset;
class CDialog;
class CWnd;

// Where the current row stands among its neighbours.
struct CRecordPlace
{
    CRecordPlace() : m_bAtFirst(FALSE), m_bAtLast(FALSE), m_bEmpty(FALSE) {}

    BOOL m_bAtFirst;
    BOOL m_bAtLast;
    BOOL m_bEmpty;
};

// Steps back and forward (and forward and back) around the current row to
// tell whether it is the first or the last one; the current row is the
// same afterwards.  Database errors reach the caller.
CRecordPlace ProbeRecordPlace(CKemRecordset& rs);

// "FD_Code='code'" with the code quoted.
CString CodeCondition(LPCSTR pszCode);

// Runs the query again (so rows added through the recordset are among its
// rows on every engine) and stands on the row of the code; on the first
// row when the code is empty or no longer there.  Database errors reach
// the caller.
void RequeryAndFind(CKemRecordset& rs, const CString& strCode);

// The text of the current row's FD_Code; "" at either end.
CString CurrentCode(CKemRecordset& rs);

// After the current row was deleted: steps to the row after it (before it
// when it was the last one), runs the query again and stands on that row,
// so the deleted row is gone on every engine.  Database errors reach the
// caller.
void MoveOffDeletedRow(CKemRecordset& rs, const CRecordPlace& placeBefore);

// A control of the dialog enabled or disabled; an edit made read-only or
// writable.  Missing controls are passed over.
void EnableDlgControl(CWnd& dlg, UINT nID, BOOL bEnable);
void SetDlgEditReadOnly(CWnd& dlg, UINT nID, BOOL bReadOnly);

// The uniqueness test of a code and name typed for a new row, or of a
// name typed for the current row of rs (tested against the code that row
// holds): TRUE only when the table surely has no such other row.  A row
// found is told with pszDuplicate (a failed test was told already), the
// focus goes to nFocusID and the result is FALSE.
BOOL IsCodeAndNameFree(CDialog& dlg, LPCSTR pszTable, BOOL bModify, const CString& strCode, const CString& strName,
                       CKemRecordset& rs, LPCSTR pszDuplicate, UINT nFocusID);
