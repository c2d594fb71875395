// CDialog: a window made from a dialog template, run modal (DoModal) or
// modeless (Create).
#pragma once

#include "framework/windows/Wnd.h"

class CDialog : public CWnd
{
    DECLARE_DYNAMIC(CDialog)
public:
    CDialog();
    explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = NULL);
    explicit CDialog(LPCSTR lpszTemplateName, CWnd* pParentWnd = NULL);

    // Templates are loaded from m_hResource, or AfxGetResourceHandle() when NULL.
    HINSTANCE m_hResource;
    LPCSTR m_lpszTemplateName;
    UINT m_nIDHelp;
    CWnd* m_pParentWnd;

    // Shows the dialog and runs its message loop until EndDialog; returns
    // the value given to EndDialog, or -1 when the dialog could not be made.
    virtual INT_PTR DoModal();
    virtual BOOL Create(UINT nIDTemplate, CWnd* pParentWnd = NULL);
    BOOL Create(LPCSTR lpszTemplateName, CWnd* pParentWnd = NULL);
    void EndDialog(int nResult);
    BOOL IsModal() const { return m_bModal; }

    virtual BOOL OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();
    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL IsDialogMessage(LPMSG lpMsg);

    void NextDlgCtrl() const;
    void PrevDlgCtrl() const;
    void GotoDlgCtrl(CWnd* pWndCtrl);
    void SetDefID(UINT nID);
    DWORD GetDefID() const;

protected:
    LRESULT HandleInitDialog(WPARAM wParam, LPARAM lParam);

    DECLARE_MESSAGE_MAP()

private:
    HWND CreateFromTemplate(HWND hWndParent);

    BOOL m_bModal;
    BOOL m_bContinueModal;
    int m_nModalResult;
};

// Called after a dialog's or property sheet's initialisation: a pop-up
// window that is not shown yet and that the initialisation left where it
// was made (rcBefore) goes to the middle of its owner (of the screen when
// it has none).
void AfxCenterUnplacedDialog(CWnd* pWnd, const RECT& rcBefore);

// The dialog procedure of framework dialogs: everything reaches the
// message map through the window procedure first.
INT_PTR CALLBACK AfxDlgProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam);
