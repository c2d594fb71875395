// CSumFilesDlg: collects the shared data files whose figures are summed
// into the open template (or imported, with another caption).  Each file is
// checked when it is added; the list keeps the accepted paths in order.
#pragma once

#include "framework/core/List.h"
#include "framework/windows/Dialog.h"
#include "framework/windows/CodePageListBox.h"

class CTallyformDoc;
class CDataFile;

class CSumFilesDlg : public CDialog
{
public:
    CSumFilesDlg(CTallyformDoc* pDoc, LPCSTR pszCaption, CWnd* pParent = NULL);

    // 1 when the file is a shared data file of the document's template
    // (a different template name is accepted when the user says so);
    // else shows why and returns 0.  On acceptance strLine is its list line.
    int CheckDataFile(LPCSTR pszPath, CString& strLine);
    // Checks and appends one path; a path already listed (compared as full
    // paths, without regard to case) is refused with a message.
    BOOL AddFile(LPCSTR pszPath);

    CTallyformDoc* m_pDoc;
    CString m_strCaption;
    CStringList m_lstFiles;
    CCodePageListBox m_listFiles;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnAddFiles();
    void OnDelete();
    void OnClear();

    DECLARE_MESSAGE_MAP()

private:
    // The code page of the list lines: the period text's.
    UINT LineCodePage() const;

    // The list lines of the accepted files, parallel to m_lstFiles, kept
    // also while no window exists; in LineCodePage().
    CStringList m_lstLines;
    CFont m_fontList;
};
