// CToolTipCtrl: a tooltip window.  Tools are either whole windows
// (no rectangle given) or rectangles of a window with an id.
#pragma once

#include "framework/windows/Wnd.h"

class CToolTipCtrl : public CWnd
{
    DECLARE_DYNAMIC(CToolTipCtrl)
public:
    // A popup owned by pParentWnd; dwStyle adds TTS_xxx styles.
    BOOL Create(CWnd* pParentWnd, DWORD dwStyle = 0);

    // lpszText may be LPSTR_TEXTCALLBACK.  Without lpRectTool the tool is
    // the whole of pWnd and nIDTool is not used.
    BOOL AddTool(CWnd* pWnd, LPCSTR lpszText, LPCRECT lpRectTool = NULL, UINT_PTR nIDTool = 0);
    void DelTool(CWnd* pWnd, UINT_PTR nIDTool = 0);
    void UpdateTipText(LPCSTR lpszText, CWnd* pWnd, UINT_PTR nIDTool = 0);
    void SetToolRect(CWnd* pWnd, UINT_PTR nIDTool, LPCRECT lpRect);
    int GetToolCount() const { return (int)SendMessage(TTM_GETTOOLCOUNT); }
    // The text of a tool, empty when the tool does not exist.
    CString GetToolText(CWnd* pWnd, UINT_PTR nIDTool = 0) const;
    void RelayEvent(LPMSG lpMsg) { SendMessage(TTM_RELAYEVENT, 0, (LPARAM)lpMsg); }
    void Activate(BOOL bActivate) { SendMessage(TTM_ACTIVATE, (WPARAM)bActivate); }
    void SetDelayTime(UINT nDelay) { SendMessage(TTM_SETDELAYTIME, TTDT_AUTOMATIC, (LPARAM)nDelay); }
    void SetMaxTipWidth(int nWidth) { SendMessage(TTM_SETMAXTIPWIDTH, 0, (LPARAM)nWidth); }

private:
    static void FillToolInfo(TTTOOLINFOA& ti, CWnd* pWnd, UINT_PTR nIDTool);
};
