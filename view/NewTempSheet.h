// CNewTempSheet: the "New Template" sheet of File > New.  The first page
// offers an empty document or an analysis report, the second an existing
// template to copy; after OK, m_strResult holds "Empty Document",
// "Analysis Report", the full path of a template, or nothing.
#pragma once

#include "framework/windows/ImageList.h"
#include "framework/windows/ListCtrl.h"
#include "framework/windows/PropertyPage.h"
#include "framework/windows/PropertySheet.h"
#include "view/FolderTreeCtrl.h"

class CNewTempSheet;

// The choices of the first page, as the new-template flow reads them.
extern const char kNewEmptyDocument[];
extern const char kNewAnalysisReport[];

class CNewTempPage1 : public CPropertyPage
{
public:
    CNewTempPage1();
    ~CNewTempPage1() override;

    CListCtrl m_listKinds;
    CImageList* m_pLargeImages;
    CImageList* m_pSmallImages;
    CNewTempSheet* m_pSheet;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnDblclkKinds(NMHDR* pNMHDR, LRESULT* pResult);

    DECLARE_MESSAGE_MAP()
};

class CNewTempPage2 : public CPropertyPage
{
public:
    CNewTempPage2();

    CFolderTreeCtrl m_treeTemplates;
    CNewTempSheet* m_pSheet;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnSelchangedTemplates(NMHDR* pNMHDR, LRESULT* pResult);

    DECLARE_MESSAGE_MAP()
};

class CNewTempSheet : public CPropertySheet
{
public:
    CNewTempSheet(LPCSTR pszCaption, CWnd* pParentWnd = NULL, UINT iSelectPage = 0);

    // A page's OK: only the active page's choice counts.
    void TakeResult(CPropertyPage* pPage, const CString& strChoice);

    CNewTempPage1 m_page1;
    CNewTempPage2 m_page2;
    CString m_strResult;
};
