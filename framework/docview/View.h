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

protected:
    CView();
    // A view's window owns it: the object is deleted with the window.
    void PostNcDestroy() override;

    void OnPaint();

    CDocument* m_pDocument;

    friend class CDocument;

    DECLARE_MESSAGE_MAP()
};
