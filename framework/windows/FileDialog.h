// CFileDialog: the system's open and save dialogs (explorer style).
// Filters are written "Text (*.txt)|*.txt|All (*.*)|*.*||".
#pragma once

#include <vector>

#include "framework/windows/CommonDialog.h"

class CFileDialog : public CCommonDialog
{
    DECLARE_DYNAMIC(CFileDialog)
public:
    CFileDialog(BOOL bOpenFileDialog, LPCSTR lpszDefExt = NULL, LPCSTR lpszFileName = NULL,
                DWORD dwFlags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, LPCSTR lpszFilter = NULL,
                CWnd* pParentWnd = NULL);

    // lpstrFile and nMaxFile may be pointed at a caller's buffer.
    OPENFILENAMEA m_ofn;

    INT_PTR DoModal() override;

    // The first (or only) file chosen, with its folder.
    CString GetPathName() const;
    CString GetFileName() const;
    // The extension without its dot; empty when there is none.
    CString GetFileExt() const;
    CString GetFileTitle() const;
    BOOL GetReadOnlyPref() const { return (m_ofn.Flags & OFN_READONLY) != 0; }

    // Walks the files chosen, one full path each; NULL when there are none.
    POSITION GetStartPosition() const;
    CString GetNextPathName(POSITION& pos) const;

private:
    BOOL m_bOpenFileDialog;
    std::vector<char> m_filter;
    CString m_strDefExt;
    std::vector<char> m_fileBuffer;
};
