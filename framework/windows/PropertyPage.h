// CPropertyPage: one page of a property sheet, made from a dialog
// template.  The sheet's notifications come to the virtual handlers below.
#pragma once

#include "framework/windows/Dialog.h"

class CPropertyPage : public CDialog
{
    DECLARE_DYNAMIC(CPropertyPage)
public:
    // nIDCaption, when not 0, is the string of the page's tab.
    explicit CPropertyPage(UINT nIDTemplate, UINT nIDCaption = 0);

    PROPSHEETPAGEA m_psp;

    // The page is about to show; FALSE refuses it.
    virtual BOOL OnSetActive();
    // The page is about to be left; FALSE keeps it.  By default it takes
    // the controls' values through UpdateData.
    virtual BOOL OnKillActive();
    // OK or Apply; by default it calls OnOK.  FALSE keeps the sheet open
    // on this page.
    virtual BOOL OnApply();
    // Cancel; by default it calls OnCancel.
    virtual void OnReset();
    virtual BOOL OnQueryCancel();
    // The page's part of OK and Cancel; they do nothing here.
    void OnOK() override;
    void OnCancel() override;

    // Enables the sheet's Apply button (or not).
    void SetModified(BOOL bChanged = TRUE);

protected:
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

private:
    static INT_PTR CALLBACK PageDlgProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
    // Fills m_psp for the sheet that shows the page.
    void PrepareSheetPage();

    CString m_strCaption;
    UINT m_nIDCaption;

    friend class CPropertySheet;
};
