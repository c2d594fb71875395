// GoogleTest comes before windows.h, whose min and max macros it cannot take.
#include "tests/support/Gtest.h"
#include "tests/app/CommandRouteWalker.h"

#include "tests/support/RecordingCmdUI.h"

#include "framework/docview/FrameWnd.h"
#include "framework/docview/ToolBar.h"

namespace
{
std::string ItemText(HMENU hMenu, int nIndex)
{
    char szText[128] = "";
    GetMenuStringA(hMenu, (UINT)nIndex, szText, sizeof(szText), MF_BYPOSITION);
    return szText;
}
} // namespace

BOOL CCommandRouteWalker::IsHandled(UINT nID) const
{
    AFX_CMDHANDLERINFO info = { NULL };
    return m_pFrame->OnCmdMsg(nID, CN_COMMAND, NULL, &info);
}

void CCommandRouteWalker::WalkPopup(HMENU hPopup, int nIndex, const std::string& path)
{
    m_pFrame->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(hPopup), MAKELPARAM(nIndex, FALSE));
    int nCount = GetMenuItemCount(hPopup);
    for (int i = 0; i < nCount; ++i)
    {
        std::string itemPath = path + " > " + ItemText(hPopup, i);
        if (HMENU hSub = GetSubMenu(hPopup, i))
        {
            WalkPopup(hSub, i, itemPath);
            continue;
        }
        UINT nID = GetMenuItemID(hPopup, i);
        if (nID == 0 || nID >= 0xF000)
            continue;
        if (GetMenuState(hPopup, (UINT)i, MF_BYPOSITION) & (MF_GRAYED | MF_DISABLED))
            continue;
        m_enabled.insert(nID);
        EXPECT_TRUE(IsHandled(nID)) << itemPath << " (" << nID << ") is enabled with no handler";
    }
}

void CCommandRouteWalker::WalkMenuBar(const std::string& context)
{
    SCOPED_TRACE(context);
    m_enabled.clear();
    HMENU hBar = GetMenu(m_pFrame->m_hWnd);
    ASSERT_TRUE(hBar != NULL);
    for (int i = 0; i < GetMenuItemCount(hBar); ++i)
        if (HMENU hPopup = GetSubMenu(hBar, i))
            WalkPopup(hPopup, i, context + ": " + ItemText(hBar, i));
}

void CCommandRouteWalker::CheckAccelerators(HACCEL hAccel, const std::string& context)
{
    SCOPED_TRACE(context);
    ASSERT_TRUE(hAccel != NULL);
    ACCEL entries[64];
    int nCount = CopyAcceleratorTableA(hAccel, entries, 64);
    ASSERT_GT(nCount, 0);
    for (int i = 0; i < nCount; ++i)
    {
        CRecordingCmdUI ui;
        ui.m_nID = entries[i].cmd;
        ui.DoUpdate(m_pFrame, TRUE);
        if (ui.m_nEnabled != 0)
        {
            EXPECT_TRUE(IsHandled(entries[i].cmd))
                << "accelerator key " << entries[i].key << " (" << entries[i].cmd
                << ") runs with no handler";
        }
    }
}

void CCommandRouteWalker::CheckToolBar(CToolBar* pBar, const std::string& context)
{
    SCOPED_TRACE(context);
    ASSERT_TRUE(pBar != NULL);
    m_pFrame->SendMessageToDescendants(WM_IDLEUPDATECMDUI, TRUE, 0, TRUE, TRUE);
    int nButtons = (int)pBar->SendMessage(TB_BUTTONCOUNT);
    for (int i = 0; i < nButtons; ++i)
    {
        TBBUTTON button = {};
        pBar->SendMessage(TB_GETBUTTON, (WPARAM)i, reinterpret_cast<LPARAM>(&button));
        if ((button.fsStyle & TBSTYLE_SEP) != 0 || button.idCommand == 0)
            continue;
        if (pBar->SendMessage(TB_ISBUTTONENABLED, (WPARAM)button.idCommand))
        {
            EXPECT_TRUE(IsHandled((UINT)button.idCommand))
                << "button " << i << " (" << button.idCommand << ") is enabled with no handler";
        }
    }
}
