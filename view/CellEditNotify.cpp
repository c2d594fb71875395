#include "view/CellEditNotify.h"

#include "framework/windows/Wnd.h"

LRESULT SendCellEditNotify(CWnd* pEditor, UINT nCode, int nCell, const CString& strText,
                           int nKey)
{
    if (pEditor == NULL || pEditor->m_hWnd == NULL)
        return 0;
    CWnd* pTarget = pEditor->GetOwner();
    const HWND hTarget = pTarget != NULL ? pTarget->m_hWnd : NULL;
    if (hTarget == NULL || !::IsWindow(hTarget))
        return 0;
    CellEditNotify record;
    record.hdr.hwndFrom = pEditor->m_hWnd;
    record.hdr.idFrom = (UINT_PTR)::GetDlgCtrlID(pEditor->m_hWnd);
    record.hdr.code = nCode;
    record.cell = nCell;
    record.text = strText;
    record.key = nKey;
    return ::SendMessage(hTarget, WM_NOTIFY, (WPARAM)record.hdr.idFrom, (LPARAM)&record);
}

BOOL PreTranslateEditorKeys(MSG* pMsg)
{
    // The mode keys, F2 design mode and F5 run mode, are the frame's.
    const BOOL bKey = pMsg->message == WM_KEYDOWN || pMsg->message == WM_KEYUP;
    if (bKey && (pMsg->wParam == VK_F2 || pMsg->wParam == VK_F5))
        return FALSE;
    if (bKey)
    {
        ::TranslateMessage(pMsg);
        ::DispatchMessage(pMsg);
        return TRUE;
    }
    return pMsg->message == WM_SYSCHAR;
}
