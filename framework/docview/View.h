// CView: a window that shows a document.  This is the part of the view
// the documents and frames rely on: attachment to a document, the update
// call, painting through OnPrepareDC and OnDraw, and activation.
#pragma once

#include "framework/windows/Wnd.h"

class CFrameWnd;
class CDocument;
struct CPrintInfo;

class CView : public CWnd
{
    DECLARE_DYNAMIC(CView)
public:
    // Detaches from the document.
    ~CView() override;
    // The frame the view's window sits in, or NULL.
    CFrameWnd* GetParentFrame() const;

    CDocument* GetDocument() const { return m_pDocument; }

    // Called once the view is in its frame with its document; the default
    // is a full update.
    virtual void OnInitialUpdate();
    // Called by CDocument::UpdateAllViews; the default redraws the window.
    virtual void OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint);
    // Sets up pDC before OnDraw (mapping mode, origins); pInfo is NULL on
    // the screen.  The default does nothing.
    virtual void OnPrepareDC(CDC* pDC, CPrintInfo* pInfo = NULL);
    virtual void OnDraw(CDC* pDC) = 0;
    // The frame's active view changes: bActivate tells which side this
    // view is on.
    virtual void OnActivateView(BOOL bActivate, CView* pActivateView, CView* pDeactiveView);

    // Printing (ViewPrint.cpp).  The print loop and print preview call, in
    // order: OnPreparePrinting (FALSE stops before anything is printed),
    // OnBeginPrinting, then for each page OnPrepareDC and OnPrint, and
    // OnEndPrinting.
    // Sets the page range and gets the printer DC, usually through
    // DoPreparePrinting; the default prints nothing (FALSE).
    virtual BOOL OnPreparePrinting(CPrintInfo* pInfo);
    // The print dialog, or for direct printing and preview the program's
    // printer, gives pInfo its printer DC.  FALSE when the user cancelled or
    // there is no printer (the user is told).
    BOOL DoPreparePrinting(CPrintInfo* pInfo);
    // Called once the DC is there, before the first page; the default does nothing.
    virtual void OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo);
    // Prints page pInfo->m_nCurPage into the prepared DC; the default draws
    // the view with OnDraw.
    virtual void OnPrint(CDC* pDC, CPrintInfo* pInfo);
    // Called after the last page, also when the job failed or was cancelled.
    virtual void OnEndPrinting(CDC* pDC, CPrintInfo* pInfo);

protected:
    // File > Print (the print dialog first) and direct printing (the
    // program's printer, or the printer of a /pt command line).
    void OnFilePrint();
    void OnFilePrintDirect();
    // File > Print Preview: the pages in a preview window over the main
    // window (ViewPrint.cpp).
    void OnFilePrintPreview();
    // Prints every page of the range on the DC that OnPreparePrinting got,
    // with the printing dialog up; the user is told when the job fails.
    void PrintDocument(CPrintInfo& info);

    CView();
    // A view's window owns it: the object is deleted with the window.
    void PostNcDestroy() override;

    void OnPaint();

    CDocument* m_pDocument;

    friend class CDocument;

    DECLARE_MESSAGE_MAP()
};
