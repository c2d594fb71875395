// CUpdateConfirmDlg: the modal question a report data save asks before it
// replaces a stored value with a different one.
#pragma once

#include "framework/windows/Dialog.h"

class CUpdateConfirmDlg : public CDialog
{
public:
    // nIDWarningBitmap is the library's own warning picture.
    explicit CUpdateConfirmDlg(UINT nIDWarningBitmap, CWnd* pParent = NULL);

    // One of the OVERWRITE_ answers; 1 (leave the value) unless a button
    // ended the dialog.
    int m_nResult;
    BOOL m_bToAll;
    CString m_strReportDate;
    CString m_strOrgan;
    CString m_strRowItem;
    CString m_strColItem;
    CString m_strLine;
    CString m_strOldData;
    CString m_strCurrentData;

protected:
    BOOL OnInitDialog() override;
    void OnToAll();
    void OnUpdate();
    void OnCancelButton();
    void OnPaint();
    DECLARE_MESSAGE_MAP()

private:
    UINT m_nIDWarningBitmap;
};
