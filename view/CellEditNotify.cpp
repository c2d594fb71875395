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
    if (pMsg->message == WM_KEYDOWN || pMsg->message == WM_KEYUP)
    {
        ::TranslateMessage(pMsg);
        ::DispatchMessage(pMsg);
        return TRUE;
    }
    return pMsg->message == WM_SYSCHAR;
}
