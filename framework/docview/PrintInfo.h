// CPrintInfo: the state of one print job or print preview that the
// framework's print loop hands to the view's printing hooks.
#pragma once

#include "framework/core/String.h"
#include "framework/windows/Geometry.h"

class CPrintDialog;

struct CPrintInfo
{
    CPrintInfo();
    ~CPrintInfo();
    CPrintInfo(const CPrintInfo&) = delete;
    CPrintInfo& operator=(const CPrintInfo&) = delete;

    // The print dialog object: the printer's DEVMODE, DEVNAMES and DC, and
    // the page range (owned here).
    CPrintDialog* m_pPD;
    BOOL m_bDirect;             // printing without the print dialog
    BOOL m_bPreview;            // drawing into print preview
    BOOL m_bContinuePrinting;   // cleared by a view to stop the loop
    UINT m_nCurPage;            // the page being prepared or printed, from 1
    UINT m_nNumPreviewPages;    // 1 or 2 pages side by side in preview
    CRect m_rectDraw;           // the printable area of the page, logical units

    void SetMinPage(UINT nMinPage);
    void SetMaxPage(UINT nMaxPage);
    UINT GetMinPage() const;
    UINT GetMaxPage() const;
    // The pages the user asked for (all pages unless a range was chosen),
    // within the first and last page.
    UINT GetFromPage() const;
    UINT GetToPage() const;
};
