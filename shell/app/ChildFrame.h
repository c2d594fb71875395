// CChildFrame: the MDI child frame of each open template, with the rulers'
// shown state and View > Show Rulers.
#pragma once

#include "framework/docview/MDIWnd.h"

class CChildFrame : public CMDIChildWnd
{
    DECLARE_DYNCREATE(CChildFrame)
public:
    CChildFrame();
    ~CChildFrame() override;

    BOOL m_bShowRulers;

protected:
    void OnViewShowRulers();
    void OnUpdateViewShowRulers(CCmdUI* pCmdUI);

    DECLARE_MESSAGE_MAP()
};
