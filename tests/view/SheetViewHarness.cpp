#include "tests/view/SheetViewHarness.h"

#include "framework/windows/Menu.h"
#include "tests/sheet/SheetGrid.h"
#include "tests/view/SheetViewTestFrame.h"

namespace viewtest
{

IMPLEMENT_DYNCREATE(CRecordingView, CTallyformView)

namespace {

void CollectItems(HMENU hMenu, std::vector<MenuItem>& items)
{
    int nCount = ::GetMenuItemCount(hMenu);
    for (int i = 0; i < nCount; ++i)
    {
        char szText[128] = "";
        ::GetMenuStringA(hMenu, (UINT)i, szText, sizeof(szText), MF_BYPOSITION);
        HMENU hSub = ::GetSubMenu(hMenu, i);
        UINT nID = hSub != NULL ? 0 : ::GetMenuItemID(hMenu, i);
        items.push_back(MenuItem{ nID, szText });
        if (hSub != NULL)
            CollectItems(hSub, items);
    }
}

} // namespace

void CRecordingView::TrackContextMenu(CMenu* pPopup, CPoint ptScreen)
{
    ++m_nMenus;
    m_ptMenu = ptScreen;
    m_menuItems.clear();
    CollectItems(pPopup->m_hMenu, m_menuItems);
}

void SheetViewTest::Open(int rows, int cols, int cxClient, int cyClient)
{
    sheettest::MakeGrid(m_doc.m_sheet, rows, cols);
    m_doc.m_sheet.m_nCurCell = -1;
    m_doc.SetModifiedFlag(FALSE);
    CCreateContext context;
    context.m_pNewViewClass = RUNTIME_CLASS(CRecordingView);
    context.m_pCurrentDoc = &m_doc;
    m_pFrame = new CRecordingFrame;
    ASSERT_TRUE(m_pFrame->LoadFrame(IDR_SHEETVIEW_TEST_FRAME, WS_OVERLAPPEDWINDOW, NULL, &context));
    m_pView = static_cast<CRecordingView*>(m_pFrame->GetActiveView());
    ASSERT_NE(nullptr, m_pView);
    // The client area of the frame is the view's; size it exactly.
    RECT rc = { 0, 0, cxClient, cyClient };
    ::AdjustWindowRectEx(&rc, m_pFrame->GetStyle(), ::GetMenu(m_pFrame->m_hWnd) != NULL,
                         m_pFrame->GetExStyle());
    m_pFrame->SetWindowPos(NULL, 0, 0, rc.right - rc.left, rc.bottom - rc.top,
                           SWP_NOZORDER | SWP_NOACTIVATE);
    m_pFrame->ShowWindow(SW_SHOW);
    m_pView->OnInitialUpdate();
    m_pFrame->UpdateWindow();
}

void SheetViewTest::TearDown()
{
    if (m_pFrame != NULL && ::IsWindow(m_pFrame->m_hWnd))
        m_pFrame->DestroyWindow();
    m_pFrame = NULL;
    m_pView = NULL;
}

CPoint SheetViewTest::ToClient(int x, int y)
{
    return m_pView->SheetToClient(CPoint(x, y));
}

void SheetViewTest::Move(CPoint pt, UINT nFlags)
{
    m_pView->SendMessage(WM_MOUSEMOVE, nFlags, MAKELPARAM(pt.x, pt.y));
}

void SheetViewTest::Press(CPoint pt, UINT nFlags)
{
    m_pView->SendMessage(WM_LBUTTONDOWN, nFlags | MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
}

void SheetViewTest::Release(CPoint pt, UINT nFlags)
{
    m_pView->SendMessage(WM_LBUTTONUP, nFlags, MAKELPARAM(pt.x, pt.y));
}

void SheetViewTest::Click(CPoint pt, UINT nFlags)
{
    Move(pt, nFlags);
    Press(pt, nFlags);
    Release(pt, nFlags);
}

void SheetViewTest::Drag(CPoint ptFrom, CPoint ptTo)
{
    Move(ptFrom);
    Press(ptFrom);
    Move(ptTo, MK_LBUTTON);
    Release(ptTo);
}

void SheetViewTest::Render(sheettest::RenderCanvas& canvas)
{
    ASSERT_TRUE(canvas.IsReady());
    m_pView->PaintInto(canvas.DC());
}

std::vector<int> SheetViewTest::Selection()
{
    std::vector<int> sel;
    for (INT_PTR i = 0; i < Sheet().m_arrSel.GetSize(); ++i)
        sel.push_back((int)Sheet().m_arrSel[i]);
    return sel;
}

} // namespace viewtest
