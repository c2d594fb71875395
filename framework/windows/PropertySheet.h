// CPropertySheet: a tabbed sheet of CPropertyPage objects, run modal
// (DoModal) or modeless (Create).  The pages belong to the caller and
// must outlive the sheet's window.
#pragma once

#include <vector>

#include "framework/windows/PropertyPage.h"

class CPropertySheet : public CWnd
{
    DECLARE_DYNAMIC(CPropertySheet)
public:
    explicit CPropertySheet(UINT nIDCaption, CWnd* pParentWnd = NULL, UINT iSelectPage = 0);
    explicit CPropertySheet(LPCSTR pszCaption, CWnd* pParentWnd = NULL, UINT iSelectPage = 0);

    PROPSHEETHEADERA m_psh;

    void AddPage(CPropertyPage* pPage);
    int GetPageCount() const { return (int)m_pages.size(); }
    CPropertyPage* GetPage(int nPage) const;
    // The page shown (the start page before the sheet exists); -1 or NULL
    // once the sheet has closed.
    int GetActiveIndex() const;
    CPropertyPage* GetActivePage() const;
    BOOL SetActivePage(int nPage);
    // FALSE puts the tabs in one scrolling row.
    void EnableStackedTabs(BOOL bStacked) { m_bStacked = bStacked; }
    // nButton is PSBTN_OK, PSBTN_CANCEL, PSBTN_APPLYNOW...
    void PressButton(int nButton);

    // IDOK, IDCANCEL, or -1 when the sheet could not be made.
    virtual INT_PTR DoModal();
    // A modeless sheet, destroyed when it is closed by OK or Cancel.
    virtual BOOL Create(CWnd* pParentWnd = NULL);
    // Called once the sheet and its first page exist.
    virtual BOOL OnInitDialog();
    BOOL PreTranslateMessage(MSG* pMsg) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void PrepareHeader(HWND hWndOwner, BOOL bModeless);
    void InitSheetWindow(HWND hWnd);
    static int CALLBACK SheetCallback(HWND hWnd, UINT message, LPARAM lParam);

    std::vector<CPropertyPage*> m_pages;
    std::vector<PROPSHEETPAGEA> m_pageHeaders;
    CString m_strCaption;
    CWnd* m_pParentWnd;
    BOOL m_bStacked;
    BOOL m_bModeless;
};
