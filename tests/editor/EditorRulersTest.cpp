// The editor's rulers in its running frame: the vertical ruler names the
// band under the pointer and drags no band edge.
#include "tests/support/Gtest.h"
#include "tests/support/ScratchFolder.h"
#include "tests/app/DesignerProcess.h"
#include "tests/app/InProcessAppTest.h"

#include "framework/docview/MDIWnd.h"
#include "sheet/document/TallyformDoc.h"
#include "shell/app/ChildFrame.h"
#include "shell/app/MainFrame.h"
#include "view/TallyformView.h"

namespace
{
class EditorRulersTest : public InProcessAppTest
{
protected:
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(InProcessAppTest::SetUp());
        WriteWholeFile(m_folder.PathOf("Tallyform.INI"),
                       "[DataSource]\r\nStart=0\r\nType=0\r\nName=Reporting.mdb\r\n");
        CString strTemplate = m_folder.PathOf("Monthly.kvm");
        ASSERT_TRUE(CopyFileA(CDesignerProcess::ProgramFolder() + "\\Template\\Monthly Report.kvm",
                              strTemplate, FALSE));
        ASSERT_NO_FATAL_FAILURE(Start(CString("\"") + strTemplate + "\""));
        m_pView = ActiveView();
        ASSERT_TRUE(m_pView != NULL);
        m_pChild = dynamic_cast<CChildFrame*>(m_pView->GetParentFrame());
        ASSERT_TRUE(m_pChild != NULL);
        // A sheet 600 units high with a 40-unit header and a 50-unit tail.
        CSheet& sheet = m_pView->GetDocument()->m_sheet;
        ::SetRect(&sheet.m_rcBounds, 0, 0, 500, 600);
        sheet.m_nHeaderBand = 40;
        sheet.m_nTailBand = 50;
        m_pView->UpdateScrollSizes();
        m_pView->GetDocument()->SetModifiedFlag(FALSE);
        m_pChild->RedrawVertRuler();
    }

    void VertMouse(UINT message, int y)
    {
        m_pChild->m_wndVertRuler.SendMessage(message, message == WM_MOUSEMOVE ? 0 : MK_LBUTTON,
                                             MAKELPARAM(2, y));
    }

    CTallyformView* m_pView = NULL;
    CChildFrame* m_pChild = NULL;
};

TEST_F(EditorRulersTest, TheTipNamesTheBandAndKeepsItsTextNearAnEdge)
{
    CVertRuler& vert = m_pChild->m_wndVertRuler;
    VertMouse(WM_MOUSEMOVE, 20);
    EXPECT_STREQ("Header", vert.GetTipText());
    VertMouse(WM_MOUSEMOVE, 200);
    EXPECT_STREQ("Body", vert.GetTipText());
    // Within 3 units of the header's edge the tip says what it said.
    VertMouse(WM_MOUSEMOVE, 42);
    EXPECT_STREQ("Body", vert.GetTipText());
    EXPECT_FALSE(vert.m_bOnHeaderEdge);
    VertMouse(WM_MOUSEMOVE, 560);
    EXPECT_STREQ("Tail", vert.GetTipText());
    VertMouse(WM_MOUSEMOVE, 548);
    EXPECT_STREQ("Tail", vert.GetTipText());
    EXPECT_FALSE(vert.m_bOnTailEdge);
    VertMouse(WM_MOUSEMOVE, 640);
    EXPECT_STREQ("", vert.GetTipText());
}

TEST_F(EditorRulersTest, PressingAndDraggingOnABandEdgeChangesNothing)
{
    CVertRuler& vert = m_pChild->m_wndVertRuler;
    CSheet& sheet = m_pView->GetDocument()->m_sheet;
    for (int y : { 40, 550 })
    {
        VertMouse(WM_MOUSEMOVE, y);
        VertMouse(WM_LBUTTONDOWN, y);
        VertMouse(WM_MOUSEMOVE, y + 30);
        VertMouse(WM_LBUTTONUP, y + 30);
        EXPECT_FALSE(vert.m_bDragging);
        EXPECT_EQ(40, sheet.m_nHeaderBand);
        EXPECT_EQ(50, sheet.m_nTailBand);
        EXPECT_FALSE(m_pView->GetDocument()->IsModified());
    }
}
} // namespace
