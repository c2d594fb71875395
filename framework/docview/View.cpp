#include "framework/docview/View.h"

#include "framework/docview/Document.h"

IMPLEMENT_DYNAMIC(CView, CWnd)

CView::CView() : m_pDocument(NULL)
{
}

CView::~CView()
{
    if (m_pDocument != NULL)
        m_pDocument->RemoveView(this);
}

void CView::PostNcDestroy()
{
    delete this;
}

void CView::OnUpdate(CView*, LPARAM, CObject*)
{
    if (m_hWnd != NULL)
        Invalidate(TRUE);
}
