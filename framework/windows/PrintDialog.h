// CPrintDialog: the system print dialog, or its print set-up form.  The
// DEVMODE and DEVNAMES blocks it returns belong to the caller; a DC it
// made (PD_RETURNDC or CreatePrinterDC) is deleted with the object.
#pragma once

#include "framework/windows/CommonDialog.h"

class CPrintDialog : public CCommonDialog
{
    DECLARE_DYNAMIC(CPrintDialog)
public:
    explicit CPrintDialog(BOOL bPrintSetupOnly,
                          DWORD dwFlags = PD_ALLPAGES | PD_USEDEVMODECOPIES | PD_NOPAGENUMS |
                                          PD_HIDEPRINTTOFILE | PD_NOSELECTION,
                          CWnd* pParentWnd = NULL);
    ~CPrintDialog() override;

    PRINTDLGA m_pd;

    INT_PTR DoModal() override;
    // Fills hDevMode and hDevNames with the default printer, no dialog;
    // FALSE when there is none.
    BOOL GetDefaults();
    CString GetDriverName() const;
    CString GetDeviceName() const;
    CString GetPortName() const;
    // A DC of the chosen printer (replacing one made before), or NULL.
    HDC CreatePrinterDC();
    HDC GetPrinterDC() const { return m_pd.hDC; }
    int GetCopies() const { return m_pd.nCopies; }
    BOOL PrintAll() const { return !PrintRange() && !PrintSelection(); }
    BOOL PrintRange() const { return (m_pd.Flags & PD_PAGENUMS) != 0; }
    BOOL PrintSelection() const { return (m_pd.Flags & PD_SELECTION) != 0; }
    int GetFromPage() const { return m_pd.nFromPage; }
    int GetToPage() const { return m_pd.nToPage; }
};
