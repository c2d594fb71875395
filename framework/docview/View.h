// CView: a window that shows a document.  This is the part of the view
// the documents rely on: attachment to a document and the update call.
#pragma once

#include "framework/windows/Wnd.h"

class CDocument;
class CFrameWnd;

class CView : public CWnd
{
    DECLARE_DYNAMIC(CView)
public:
    // Detaches from the document.
    ~CView() override;

    CDocument* GetDocument() const { return m_pDocument; }

    // Called by CDocument::UpdateAllViews; the default redraws the window.
    virtual void OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint);
    // Called once the new frame holding the view is set up, before it is
    // shown; the default is a full OnUpdate.
    virtual void OnInitialUpdate();
    // The frame the view's window sits in, or NULL.
    CFrameWnd* GetParentFrame() const;
    virtual void OnDraw(CDC* pDC) = 0;

protected:
    CView();
    // A view's window owns it: the object is deleted with the window.
    void PostNcDestroy() override;

    CDocument* m_pDocument;

    friend class CDocument;
};
