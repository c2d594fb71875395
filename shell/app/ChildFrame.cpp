#include "shell/app/ChildFrame.h"

#include "framework/windows/CmdUI.h"
#include "ShellIds.h"

IMPLEMENT_DYNCREATE(CChildFrame, CMDIChildWnd)

BEGIN_MESSAGE_MAP(CChildFrame, CMDIChildWnd)
    ON_COMMAND(ID_VIEW_SHOW_RULERS, OnViewShowRulers)
    ON_UPDATE_COMMAND_UI(ID_VIEW_SHOW_RULERS, OnUpdateViewShowRulers)
END_MESSAGE_MAP()

CChildFrame::CChildFrame() : m_bShowRulers(TRUE) {}

CChildFrame::~CChildFrame() {}

void CChildFrame::OnViewShowRulers()
{
    m_bShowRulers = !m_bShowRulers;
    RecalcLayout();
}

void CChildFrame::OnUpdateViewShowRulers(CCmdUI* pCmdUI)
{
    pCmdUI->SetCheck(m_bShowRulers ? 1 : 0);
}
