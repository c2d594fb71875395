// A user-interface item that records what an update handler set.
#pragma once

#include "framework/windows/CmdUI.h"

class CRecordingCmdUI : public CCmdUI
{
public:
    int m_nEnabled = -1;    // -1 while the handler left it alone
    int m_nCheck = -1;
    void Enable(BOOL bOn) override
    {
        m_nEnabled = bOn ? 1 : 0;
        m_bEnableChanged = TRUE;
    }
    void SetCheck(int nCheck) override { m_nCheck = nCheck; }

    // Asks pTarget's update handler of nID.
    static CRecordingCmdUI Update(CCmdTarget* pTarget, UINT nID)
    {
        CRecordingCmdUI ui;
        ui.m_nID = nID;
        ui.DoUpdate(pTarget, FALSE);
        return ui;
    }
};
