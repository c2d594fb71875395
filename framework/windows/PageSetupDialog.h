// CPageSetupDialog: the system page set-up dialog.  Margins and paper size
// are in the unit of m_psd.Flags (PSD_INHUNDREDTHSOFMILLIMETERS or
// PSD_INTHOUSANDTHSOFINCHES); the DEVMODE and DEVNAMES blocks belong to
// the caller.
#pragma once

#include "framework/windows/CommonDialog.h"

class CPageSetupDialog : public CCommonDialog
{
    DECLARE_DYNAMIC(CPageSetupDialog)
public:
    explicit CPageSetupDialog(DWORD dwFlags = PSD_MARGINS | PSD_INWININIINTLMEASURE, CWnd* pParentWnd = NULL);

    PAGESETUPDLGA m_psd;

    INT_PTR DoModal() override;
    // Either pointer may be NULL.
    void GetMargins(LPRECT lpRectMargins, LPRECT lpRectMinMargins) const;
    CSize GetPaperSize() const { return CSize(m_psd.ptPaperSize.x, m_psd.ptPaperSize.y); }
    CString GetDriverName() const;
    CString GetDeviceName() const;
    CString GetPortName() const;
    // A DC of the chosen printer that the caller deletes, or NULL.
    HDC CreatePrinterDC();
};
