#include "shell/app/ZoomComboBox.h"

#include <cstdlib>

#include "framework/docview/MDIWnd.h"
#include "shell/app/ActiveSheetView.h"
#include "view/TallyformView.h"

BEGIN_MESSAGE_MAP(CZoomComboBox, CCJFlatComboBox)
    ON_MESSAGE(WM_ZOOM_APPLYTEXT, OnApplyText)
END_MESSAGE_MAP()

CZoomComboBox::CZoomComboBox() {}

CZoomComboBox::~CZoomComboBox() {}

BOOL CZoomComboBox::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    if (!CCJFlatComboBox::Create(dwStyle, rect, pParentWnd, nID))
        return FALSE;
    if (m_font.m_hObject == NULL)
        m_font.CreatePointFont(80, "Arial");
    SetFont(&m_font);
    return TRUE;
}

BOOL CZoomComboBox::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message == WM_KEYDOWN || pMsg->message == WM_KEYUP)
    {
        if (pMsg->wParam == VK_RETURN)
        {
            if (pMsg->message == WM_KEYDOWN)
                ApplyText();
            return TRUE;
        }
        if (pMsg->wParam == VK_UP || pMsg->wParam == VK_DOWN)
            return TRUE;
    }
    return CCJFlatComboBox::PreTranslateMessage(pMsg);
}

void CZoomComboBox::ApplyText()
{
    // The combo sits on a bar that may float in a mini frame: the MDI frame
    // is the top-level owner.
    HWND hTop = ::GetAncestor(m_hWnd, GA_ROOTOWNER);
    CMDIFrameWnd* pFrame = dynamic_cast<CMDIFrameWnd*>(CWnd::FromHandlePermanent(hTop));
    CTallyformView* pView = GetActiveSheetView(pFrame);
    if (pView == NULL)
        return;
    char szText[32] = "";
    ::GetWindowTextA(m_hWnd, szText, sizeof(szText));
    int nZoom = atoi(szText);
    if (nZoom != 0)
    {
        pView->SetZoom(nZoom);
        pView->OnViewScale((UINT)-1);
        return;
    }
    CString strZoom;
    strZoom.Format("%d%%", pView->GetZoom());
    SetWindowText(strZoom);
}

LRESULT CZoomComboBox::OnApplyText(WPARAM, LPARAM)
{
    ApplyText();
    return 0;
}
