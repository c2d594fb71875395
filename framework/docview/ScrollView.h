// CScrollView: a view over a logical area larger than its window.  The
// total size, page and line steps are kept in device units; the scroll bars
// give the device position of the window's top-left corner inside that
// area, and OnPrepareDC moves the viewport origin by it.
#pragma once

#include "framework/docview/View.h"

class CScrollView : public CView
{
    DECLARE_DYNAMIC(CScrollView)
public:
    // Page and line sizes of SetScrollSizes: a tenth of the total for a
    // page and a tenth of a page for a line.
    static const SIZE sizeDefault;

    // Mapping mode and total size in its logical units (MM_TEXT,
    // MM_LOENGLISH and the other fixed modes; MM_ISOTROPIC and
    // MM_ANISOTROPIC count as MM_TEXT for the sizes).  Negative sizes count
    // as zero.  The scroll bars are updated at once.
    void SetScrollSizes(int nMapMode, SIZE sizeTotal, const SIZE& sizePage = sizeDefault,
                        const SIZE& sizeLine = sizeDefault);

    int GetMapMode() const { return m_nMapMode; }
    CSize GetTotalSize() const { return m_totalLog; }
    CSize GetDeviceTotalSize() const { return m_totalDev; }
    CSize GetDevicePageSize() const { return m_pageDev; }
    CSize GetDeviceLineSize() const { return m_lineDev; }

    // The scroll position: in device pixels, and in the logical units of
    // the scroll mapping mode.
    CPoint GetDeviceScrollPosition() const;
    CPoint GetScrollPosition() const;
    // Scrolls so that the logical point pt (scroll mapping mode) is at the
    // window's top-left corner, held within the scroll range.
    void ScrollToPosition(POINT pt);

    // Screen: the scroll mapping mode with the viewport origin at minus the
    // device scroll position.  Printing: the mapping mode only.
    void OnPrepareDC(CDC* pDC, CPrintInfo* pInfo = NULL) override;

    // Handles one scroll-bar action: nBar SB_HORZ or SB_VERT, nSBCode an
    // SB_xxx code, nPos the thumb position of SB_THUMBTRACK and
    // SB_THUMBPOSITION.  TRUE when the position changed.
    virtual BOOL OnScroll(int nBar, UINT nSBCode, UINT nPos, BOOL bDoScroll = TRUE);
    // Moves the positions by sizeScroll (device units) within their
    // ranges, scrolling the window when bDoScroll; TRUE when one changed.
    virtual BOOL OnScrollBy(CSize sizeScroll, BOOL bDoScroll = TRUE);

protected:
    CScrollView();

    // Sets the bars' ranges and pages from the total size and the client
    // area; a bar whose direction fits in the window is hidden and its
    // position goes back to 0.
    void UpdateBars();
    // The largest position of each bar (0 when the direction fits).
    CSize GetScrollLimit() const;

    void OnSize(UINT nType, int cx, int cy);
    void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    LRESULT OnMouseWheel(WPARAM wParam, LPARAM lParam);

    int m_nMapMode;
    CSize m_totalLog;
    CSize m_totalDev;
    CSize m_pageDev;
    CSize m_lineDev;

    DECLARE_MESSAGE_MAP()

private:
    BOOL m_bInUpdateBars;
    int m_nWheelRemainder;
};
