#include "framework/docview/View.h"

#include "framework/docview/Document.h"
#include "framework/docview/FrameWnd.h"

IMPLEMENT_DYNAMIC(CView, CWnd)

BEGIN_MESSAGE_MAP(CView, CWnd)
    ON_WM_PAINT()
END_MESSAGE_MAP()

CView::CView() : m_pDocument(NULL)
{
}

CFrameWnd* CView::GetParentFrame() const
{
    if (m_hWnd == NULL)
        return NULL;
    for (HWND hWnd = ::GetParent(m_hWnd); hWnd != NULL; hWnd = ::GetParent(hWnd))
    {
        CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
        if (pWnd != NULL && pWnd->IsKindOf(RUNTIME_CLASS(CFrameWnd)))
            return static_cast<CFrameWnd*>(pWnd);
    }
    return NULL;
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

void CView::OnInitialUpdate()
{
    OnUpdate(NULL, 0, NULL);
}

void CView::OnUpdate(CView*, LPARAM, CObject*)
{
    if (m_hWnd != NULL)
        Invalidate(TRUE);
}

void CView::OnPrepareDC(CDC*, CPrintInfo*)
{
}

void CView::OnActivateView(BOOL, CView*, CView*)
{
}

void CView::OnPaint()
{
    CPaintDC dc(this);
    OnPrepareDC(&dc);
    OnDraw(&dc);
}
