// CPreviewView: print preview of a view.  A pane over the whole of the main
// window (whose menu waits meanwhile), or a window of its own where there
// is no main window, with its tool bar: Print, Next
// Page, Prev Page, One/Two Page, Zoom In, Zoom Out, Close and the page
// number; below it the pages as the printer would print them, recorded as
// metafiles through the view's own printing hooks on the printer's DC.
#pragma once

#include <vector>

#include "framework/docview/PrintInfo.h"
#include "framework/windows/Dc.h"
#include "framework/windows/Wnd.h"

class CView;

class CPreviewView : public CWnd
{
public:
    // Child ids of the tool bar.
    enum
    {
        IDC_PREVIEW_PRINT = 101,
        IDC_PREVIEW_NEXT,
        IDC_PREVIEW_PREV,
        IDC_PREVIEW_NUMPAGE,
        IDC_PREVIEW_ZOOMIN,
        IDC_PREVIEW_ZOOMOUT,
        IDC_PREVIEW_CLOSE,
        IDC_PREVIEW_PAGE
    };

    CPreviewView();
    ~CPreviewView() override;

    // Opens the preview of pView over the main window.  FALSE, with nothing
    // shown, when the view gives no printer DC or no pages (it has told the
    // user); the object is then the caller's to delete, else the window's.
    BOOL Open(CView* pView);

    UINT GetPageCount() const { return m_nPages; }
    UINT GetCurrentPage() const { return m_nCurPage; }
    UINT GetPagesShown() const { return m_nPagesShown; }
    int GetZoomState() const { return m_nZoom; }
    // Page nPage (from 1) as the printer gets it, recorded once; NULL out of range.
    HENHMETAFILE GetPageMetafile(UINT nPage);
    // Draws one page into rcPaper of pDC: the paper and the printed area.
    void DrawPage(CDC* pDC, UINT nPage, const CRect& rcPaper);

    // Esc closes the preview; Page Up and Page Down turn the pages.
    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    void PostNcDestroy() override;
    void OnPaint();
    BOOL OnEraseBkgnd(CDC* pDC);
    void OnSize(UINT nType, int cx, int cy);
    void OnClose();
    void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    void OnPreviewPrint();
    void OnNextPage();
    void OnPrevPage();
    void OnNumPageChange();
    void OnZoomIn();
    void OnZoomOut();
    void OnPreviewClose();

    DECLARE_MESSAGE_MAP()

private:
    void CreateToolBar();
    // Button states, the page text, the scroll ranges; then a repaint.
    void UpdateState();
    // The paper of page i (0 or 1) of those shown, client pixels.
    CRect PaperRect(int i) const;
    // Scale of printer pixels to screen pixels at the current zoom.
    double Scale() const;
    void Scroll(int nBar, UINT nSBCode);
    void Close();
    // Greys the main window's menu bar (FALSE) or gives its items back the
    // states they had (TRUE).
    void EnableOwnerMenu(BOOL bEnable);

    CView* m_pView;
    CPrintInfo m_info;
    CDC m_dcPrinter;
    HWND m_hWndOwner;
    UINT m_nPages;
    UINT m_nCurPage;
    UINT m_nPagesShown;
    int m_nZoom;                    // 0 whole page, 1 twice, 2 three times
    CPoint m_ptScroll;
    std::vector<HENHMETAFILE> m_pages;
    std::vector<UINT> m_menuStates;
};
