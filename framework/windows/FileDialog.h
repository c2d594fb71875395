// CFileDialog: the common Open and Save As dialogs.  The filter is given in
// the "Name|*.ext|Name|*.ext||" form; several files can be chosen with
// OFN_ALLOWMULTISELECT.
#pragma once

#include <vector>

#include "framework/core/String.h"

#include <commdlg.h>

class CWnd;

class CFileDialog
{
public:
    CFileDialog(BOOL bOpenFileDialog, LPCSTR lpszDefExt = NULL, LPCSTR lpszFileName = NULL,
                DWORD dwFlags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, LPCSTR lpszFilter = NULL,
                CWnd* pParentWnd = NULL);
    virtual ~CFileDialog() = default;

    CFileDialog(const CFileDialog&) = delete;
    CFileDialog& operator=(const CFileDialog&) = delete;

    // IDOK or IDCANCEL.  A failure of the dialog itself (such as too many
    // files for the name buffer) is shown and counts as IDCANCEL.
    virtual INT_PTR DoModal();

    // The chosen file (the first one of a multiple choice).
    CString GetPathName() const;
    CString GetFileName() const;
    // The extension without its dot, or empty.
    CString GetFileExt() const;

    // The chosen files one by one, in the dialog's order.
    POSITION GetStartPosition() const;
    CString GetNextPathName(POSITION& pos) const;

    OPENFILENAMEA m_ofn;

private:
    BOOL m_bOpenFileDialog;
    std::vector<char> m_filter;
    CString m_strDefExt;
    std::vector<char> m_fileBuffer;
};
