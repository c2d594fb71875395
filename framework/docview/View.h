// CView: a window that shows a document.  This is the part of the view
// the documents rely on: attachment to a document and the update call.
#pragma once

#include "framework/windows/Wnd.h"

class CFrameWnd;
class CDocument;

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
    virtual void OnDraw(CDC* pDC) = 0;

protected:
    CView();
    // A view's window owns it: the object is deleted with the window.
    void PostNcDestroy() override;

    CDocument* m_pDocument;

    friend class CDocument;
};
