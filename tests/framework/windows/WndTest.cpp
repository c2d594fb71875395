#include <stdexcept>
#include <string>
#include <vector>

#include "tests/support/Gtest.h"
#include "tests/support/MessageBoxRecorder.h"
#include "framework/core/Exception.h"
#include "framework/windows/CmdUI.h"
#include "framework/windows/Wnd.h"

namespace {

const UINT ID_FIRST = 40001;
const UINT ID_SECOND = 40002;
const UINT ID_RANGE_LOW = 40010;
const UINT ID_RANGE_HIGH = 40015;
const UINT ID_UNHANDLED = 40100;
const UINT ID_THROW_FRAMEWORK = 40200;
const UINT ID_THROW_STD = 40201;
const UINT ID_CHILD_BUTTON = 300;
const UINT ID_PLAIN_BUTTON = 301;
const UINT WM_TEST_PRIVATE = WM_APP + 7;

UINT g_nRegisteredMessage = RegisterWindowMessageA("WndTest.Registered");

// A top-level window that records what its handlers see.
class CProbeWnd : public CWnd
{
public:
    BOOL m_bAttachedAtNcCreate = FALSE;
    BOOL m_bAttachedAtCreate = FALSE;
    int m_nCreateResult = 0;
    int m_nFirst = 0;
    int m_nSecond = 0;
    std::vector<UINT> m_rangeIds;
    std::vector<UINT> m_clicked;
    UINT m_nNotifyId = 0;
    LPARAM m_lastPrivate = 0;
    WPARAM m_lastRegistered = 0;
    int m_nTimer = 0;
    CPoint m_lastClick;
    BOOL m_bDisableFirst = FALSE;

    BOOL CreateTopLevel()
    {
        return CreateEx(0, NULL, "probe", WS_OVERLAPPEDWINDOW, 0, 0, 200, 150, NULL, NULL);
    }

protected:
    LRESULT OnNcCreateMessage(WPARAM, LPARAM)
    {
        m_bAttachedAtNcCreate = FromHandlePermanent(m_hWnd) == this;
        return Default();
    }
    int OnCreate(LPCREATESTRUCT lpcs)
    {
        m_bAttachedAtCreate = FromHandlePermanent(m_hWnd) == this;
        if (CWnd::OnCreate(lpcs) == -1)
            return -1;
        return m_nCreateResult;
    }
    void OnFirst() { ++m_nFirst; }
    void OnSecond() { ++m_nSecond; }
    void OnRange(UINT nID) { m_rangeIds.push_back(nID); }
    void OnChildClicked() { m_clicked.push_back(ID_CHILD_BUTTON); }
    void OnPlainClicked() { m_clicked.push_back(ID_PLAIN_BUTTON); }
    void OnChildNotifyCode(NMHDR* pNMHDR, LRESULT* pResult)
    {
        m_nNotifyId = (UINT)pNMHDR->idFrom;
        *pResult = 42;
    }
    void OnUpdateFirst(CCmdUI* pCmdUI)
    {
        pCmdUI->Enable(!m_bDisableFirst);
        pCmdUI->SetCheck(1);
    }
    void OnThrowFramework() { AfxThrowNotSupportedException(); }
    void OnThrowStd() { throw std::runtime_error("disk on fire"); }
    LRESULT OnPrivate(WPARAM, LPARAM lParam)
    {
        m_lastPrivate = lParam;
        return lParam + 1;
    }
    LRESULT OnRegistered(WPARAM wParam, LPARAM)
    {
        m_lastRegistered = wParam;
        return 7;
    }
    void OnTimer(UINT_PTR nIDEvent)
    {
        if (nIDEvent == 5)
        {
            ++m_nTimer;
            KillTimer(5);
        }
    }
    void OnLButtonDown(UINT, CPoint point) { m_lastClick = point; }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CProbeWnd, CWnd)
    ON_MESSAGE(WM_NCCREATE, OnNcCreateMessage)
    ON_WM_CREATE()
    ON_COMMAND(ID_FIRST, OnFirst)
    ON_COMMAND(ID_SECOND, OnSecond)
    ON_COMMAND_RANGE(ID_RANGE_LOW, ID_RANGE_HIGH, OnRange)
    ON_UPDATE_COMMAND_UI(ID_FIRST, OnUpdateFirst)
    ON_BN_CLICKED(ID_CHILD_BUTTON, OnChildClicked)
    ON_BN_CLICKED(ID_PLAIN_BUTTON, OnPlainClicked)
    ON_NOTIFY(NM_CLICK, ID_PLAIN_BUTTON, OnChildNotifyCode)
    ON_COMMAND(ID_THROW_FRAMEWORK, OnThrowFramework)
    ON_COMMAND(ID_THROW_STD, OnThrowStd)
    ON_MESSAGE(WM_TEST_PRIVATE, OnPrivate)
    ON_REGISTERED_MESSAGE(g_nRegisteredMessage, OnRegistered)
    ON_WM_TIMER()
    ON_WM_LBUTTONDOWN()
END_MESSAGE_MAP()

// Overrides one of its base's commands and adds one.
class CDerivedProbeWnd : public CProbeWnd
{
public:
    int m_nDerivedFirst = 0;

protected:
    void OnDerivedFirst() { ++m_nDerivedFirst; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CDerivedProbeWnd, CProbeWnd)
    ON_COMMAND(ID_FIRST, OnDerivedFirst)
END_MESSAGE_MAP()

// A button that handles its own clicks and notifications.
class CReflectButton : public CWnd
{
public:
    int m_nReflectedClicks = 0;
    UINT m_nReflectedNotify = 0;

protected:
    void OnClickedReflect() { ++m_nReflectedClicks; }
    void OnNotifyReflect(NMHDR* pNMHDR, LRESULT* pResult)
    {
        m_nReflectedNotify = pNMHDR->code;
        *pResult = 9;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CReflectButton, CWnd)
    ON_CONTROL_REFLECT(BN_CLICKED, OnClickedReflect)
    ON_NOTIFY_REFLECT(NM_CLICK, OnNotifyReflect)
END_MESSAGE_MAP()

LRESULT SendNotify(HWND hWndParent, HWND hWndFrom, UINT nID, UINT nCode)
{
    NMHDR hdr = {};
    hdr.hwndFrom = hWndFrom;
    hdr.idFrom = nID;
    hdr.code = nCode;
    return SendMessageA(hWndParent, WM_NOTIFY, nID, reinterpret_cast<LPARAM>(&hdr));
}

void PumpMessages()
{
    MSG msg;
    while (PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE))
    {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

}

TEST(WndCreation, ObjectIsAttachedBeforeTheFirstMessages)
{
    CProbeWnd wnd;
    ASSERT_TRUE(wnd.CreateTopLevel());
    EXPECT_TRUE(wnd.m_bAttachedAtNcCreate);
    EXPECT_TRUE(wnd.m_bAttachedAtCreate);
    EXPECT_EQ(&wnd, CWnd::FromHandlePermanent(wnd.m_hWnd));
    EXPECT_EQ(wnd.m_hWnd, wnd.GetSafeHwnd());
    HWND hWnd = wnd.m_hWnd;
    EXPECT_TRUE(wnd.DestroyWindow());
    EXPECT_EQ(NULL, wnd.m_hWnd);
    EXPECT_EQ(NULL, CWnd::FromHandlePermanent(hWnd));
    EXPECT_FALSE(IsWindow(hWnd));
}

TEST(WndCreation, FailedCreateLeavesTheObjectDetached)
{
    CProbeWnd wnd;
    wnd.m_nCreateResult = -1;
    EXPECT_FALSE(wnd.CreateTopLevel());
    EXPECT_TRUE(wnd.m_bAttachedAtCreate);
    EXPECT_EQ(NULL, wnd.m_hWnd);
    CWnd* pNull = NULL;
    EXPECT_EQ(NULL, pNull->GetSafeHwnd());
}

TEST(WndCreation, RegisteredClassesAreSharedByAttributes)
{
    LPCSTR a = AfxRegisterWndClass(CS_DBLCLKS);
    LPCSTR b = AfxRegisterWndClass(CS_DBLCLKS);
    LPCSTR c = AfxRegisterWndClass(CS_HREDRAW | CS_VREDRAW);
    ASSERT_NE(nullptr, a);
    ASSERT_NE(nullptr, c);
    EXPECT_EQ(a, b);
    EXPECT_STRNE(a, c);
    WNDCLASSA wc = {};
    ASSERT_TRUE(GetClassInfoA(AfxGetInstanceHandle(), c, &wc));
    EXPECT_EQ((UINT)(CS_HREDRAW | CS_VREDRAW), wc.style);
}

TEST(WndMessageMap, CommandsReachTheirHandlers)
{
    CProbeWnd wnd;
    ASSERT_TRUE(wnd.CreateTopLevel());
    wnd.SendMessage(WM_COMMAND, MAKEWPARAM(ID_FIRST, 0), 0);
    wnd.SendMessage(WM_COMMAND, MAKEWPARAM(ID_SECOND, 1), 0);   // accelerator
    wnd.SendMessage(WM_COMMAND, MAKEWPARAM(ID_SECOND, 0), 0);
    EXPECT_EQ(1, wnd.m_nFirst);
    EXPECT_EQ(2, wnd.m_nSecond);
    EXPECT_FALSE(wnd.OnCmdMsg(ID_UNHANDLED, CN_COMMAND, NULL, NULL));
    AFX_CMDHANDLERINFO info = { NULL };
    EXPECT_TRUE(wnd.OnCmdMsg(ID_FIRST, CN_COMMAND, NULL, &info));
    EXPECT_EQ(&wnd, info.pTarget);
    EXPECT_EQ(1, wnd.m_nFirst) << "a handler query must not call the handler";
    wnd.DestroyWindow();
}

TEST(WndMessageMap, DisabledCommandsDoNotRun)
{
    CProbeWnd wnd;
    ASSERT_TRUE(wnd.CreateTopLevel());
    wnd.m_bDisableFirst = TRUE;
    wnd.SendMessage(WM_COMMAND, MAKEWPARAM(ID_FIRST, 0), 0);
    wnd.SendMessage(WM_COMMAND, MAKEWPARAM(ID_FIRST, 1), 0);
    EXPECT_EQ(0, wnd.m_nFirst) << "neither the menu nor the accelerator may run it";
    wnd.m_bDisableFirst = FALSE;
    wnd.SendMessage(WM_COMMAND, MAKEWPARAM(ID_FIRST, 1), 0);
    EXPECT_EQ(1, wnd.m_nFirst);
    wnd.DestroyWindow();
}

TEST(WndMessageMap, RangesPassTheIdAndStopAtTheirEnds)
{
    CProbeWnd wnd;
    ASSERT_TRUE(wnd.CreateTopLevel());
    for (UINT nID = ID_RANGE_LOW - 1; nID <= ID_RANGE_HIGH + 1; ++nID)
        wnd.SendMessage(WM_COMMAND, MAKEWPARAM(nID, 0), 0);
    std::vector<UINT> expected;
    for (UINT nID = ID_RANGE_LOW; nID <= ID_RANGE_HIGH; ++nID)
        expected.push_back(nID);
    EXPECT_EQ(expected, wnd.m_rangeIds);
    wnd.DestroyWindow();
}

TEST(WndMessageMap, DerivedEntriesComeBeforeTheBaseMap)
{
    CDerivedProbeWnd wnd;
    ASSERT_TRUE(wnd.CreateTopLevel());
    wnd.SendMessage(WM_COMMAND, MAKEWPARAM(ID_FIRST, 0), 0);
    wnd.SendMessage(WM_COMMAND, MAKEWPARAM(ID_SECOND, 0), 0);
    EXPECT_EQ(1, wnd.m_nDerivedFirst);
    EXPECT_EQ(0, wnd.m_nFirst);
    EXPECT_EQ(1, wnd.m_nSecond);
    EXPECT_TRUE(wnd.m_bAttachedAtCreate) << "the base map's ON_WM_CREATE still applies";
    wnd.DestroyWindow();
}

TEST(WndMessageMap, MessagesRegisteredMessagesTimersAndMouse)
{
    CProbeWnd wnd;
    ASSERT_TRUE(wnd.CreateTopLevel());
    EXPECT_EQ(101, wnd.SendMessage(WM_TEST_PRIVATE, 0, 100));
    EXPECT_EQ(100, wnd.m_lastPrivate);
    EXPECT_EQ(7, wnd.SendMessage(g_nRegisteredMessage, 55, 0));
    EXPECT_EQ(55u, wnd.m_lastRegistered);
    wnd.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(-3, 17));
    EXPECT_EQ(-3, wnd.m_lastClick.x);
    EXPECT_EQ(17, wnd.m_lastClick.y);

    ASSERT_NE(0u, wnd.SetTimer(5, 10));
    DWORD dwStart = GetTickCount();
    while (wnd.m_nTimer == 0 && GetTickCount() - dwStart < 3000)
    {
        PumpMessages();
        Sleep(5);
    }
    EXPECT_EQ(1, wnd.m_nTimer);
    wnd.DestroyWindow();
}

TEST(WndCmdUI, UpdateHandlersSetThePopupMenuItems)
{
    CProbeWnd wnd;
    ASSERT_TRUE(wnd.CreateTopLevel());
    wnd.m_bDisableFirst = TRUE;
    HMENU hMenu = CreatePopupMenu();
    AppendMenuA(hMenu, MF_STRING, ID_FIRST, "First");
    AppendMenuA(hMenu, MF_SEPARATOR, 0, NULL);
    AppendMenuA(hMenu, MF_STRING, ID_SECOND, "Second");
    AppendMenuA(hMenu, MF_STRING, ID_UNHANDLED, "Unhandled");

    wnd.SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(hMenu), MAKELPARAM(0, FALSE));
    UINT stFirst = GetMenuState(hMenu, ID_FIRST, MF_BYCOMMAND);
    EXPECT_TRUE(stFirst & MF_GRAYED);
    EXPECT_TRUE(stFirst & MF_CHECKED);
    EXPECT_FALSE(GetMenuState(hMenu, ID_SECOND, MF_BYCOMMAND) & MF_GRAYED);
    EXPECT_FALSE(GetMenuState(hMenu, ID_UNHANDLED, MF_BYCOMMAND) & MF_GRAYED);

    // Without any handler an item is disabled only when asked to.
    AfxUpdateMenuPopup(&wnd, hMenu, TRUE);
    EXPECT_TRUE(GetMenuState(hMenu, ID_UNHANDLED, MF_BYCOMMAND) & MF_GRAYED);
    EXPECT_FALSE(GetMenuState(hMenu, ID_SECOND, MF_BYCOMMAND) & MF_GRAYED);
    DestroyMenu(hMenu);
    wnd.DestroyWindow();
}

TEST(WndCmdUI, ControlsTakeStateAndText)
{
    CProbeWnd parent;
    ASSERT_TRUE(parent.CreateTopLevel());
    parent.m_bDisableFirst = TRUE;
    HWND hCheck = CreateWindowA("BUTTON", "old", WS_CHILD | BS_AUTOCHECKBOX, 0, 0, 50, 20,
                                parent.m_hWnd, (HMENU)77, NULL, NULL);
    ASSERT_NE(nullptr, hCheck);
    CCmdUI state;
    state.m_nID = ID_FIRST;
    state.m_pOther = CWnd::FromHandle(hCheck);
    EXPECT_TRUE(state.DoUpdate(&parent, TRUE));
    EXPECT_FALSE(IsWindowEnabled(hCheck));
    EXPECT_EQ(BST_CHECKED, SendMessageA(hCheck, BM_GETCHECK, 0, 0));
    state.Enable(TRUE);
    state.SetText("new");
    state.SetRadio(FALSE);
    char text[16] = "";
    GetWindowTextA(hCheck, text, sizeof(text));
    EXPECT_STREQ("new", text);
    EXPECT_TRUE(IsWindowEnabled(hCheck));
    EXPECT_EQ(BST_UNCHECKED, SendMessageA(hCheck, BM_GETCHECK, 0, 0));

    state.m_nID = ID_UNHANDLED;
    EXPECT_FALSE(state.DoUpdate(&parent, TRUE));
    EXPECT_FALSE(IsWindowEnabled(hCheck));
    CWnd::DeleteTempMap();
    parent.DestroyWindow();
}

TEST(WndReflection, ControlNotificationsGoToTheControlFirst)
{
    CProbeWnd parent;
    ASSERT_TRUE(parent.CreateTopLevel());
    CReflectButton button;
    ASSERT_TRUE(button.Create("BUTTON", "reflect", WS_VISIBLE | BS_PUSHBUTTON, CRect(0, 0, 60, 20),
                              &parent, ID_CHILD_BUTTON));
    HWND hPlain = CreateWindowA("BUTTON", "plain", WS_CHILD | WS_VISIBLE, 0, 30, 60, 20,
                                parent.m_hWnd, (HMENU)(UINT_PTR)ID_PLAIN_BUTTON, NULL, NULL);
    ASSERT_NE(nullptr, hPlain);

    button.SendMessage(BM_CLICK);
    SendMessageA(hPlain, BM_CLICK, 0, 0);
    EXPECT_EQ(1, button.m_nReflectedClicks);
    EXPECT_EQ(std::vector<UINT>{ ID_PLAIN_BUTTON }, parent.m_clicked);

    EXPECT_EQ(9, SendNotify(parent.m_hWnd, button.m_hWnd, ID_CHILD_BUTTON, NM_CLICK));
    EXPECT_EQ((UINT)NM_CLICK, button.m_nReflectedNotify);
    EXPECT_EQ(42, SendNotify(parent.m_hWnd, hPlain, ID_PLAIN_BUTTON, NM_CLICK));
    EXPECT_EQ(ID_PLAIN_BUTTON, parent.m_nNotifyId);
    parent.DestroyWindow();
    EXPECT_EQ(NULL, button.m_hWnd) << "children are detached when the parent goes";
}

TEST(WndExceptions, AnEscapingExceptionIsReportedNotPropagated)
{
    MessageBoxRecorder recorder;
    CProbeWnd wnd;
    ASSERT_TRUE(wnd.CreateTopLevel());
    wnd.SendMessage(WM_COMMAND, MAKEWPARAM(ID_THROW_FRAMEWORK, 0), 0);
    ASSERT_EQ(1u, recorder.Messages().size());
    wnd.SendMessage(WM_COMMAND, MAKEWPARAM(ID_THROW_STD, 0), 0);
    ASSERT_EQ(2u, recorder.Messages().size());
    EXPECT_NE(std::string::npos, recorder.LastText().find("disk on fire"));
    EXPECT_TRUE(IsWindow(wnd.m_hWnd));
    wnd.SendMessage(WM_COMMAND, MAKEWPARAM(ID_FIRST, 0), 0);
    EXPECT_EQ(1, wnd.m_nFirst) << "the window keeps working after a failure";
    wnd.DestroyWindow();
}

namespace {

class CSelfDeletingWnd : public CWnd
{
public:
    static int s_nDestroyed;
    ~CSelfDeletingWnd() override { ++s_nDestroyed; }

protected:
    void PostNcDestroy() override { delete this; }
};
int CSelfDeletingWnd::s_nDestroyed = 0;

// Forgets the base call of its WM_NCDESTROY handler.
class CForgetfulWnd : public CSelfDeletingWnd
{
protected:
    void OnNcDestroy() {}
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CForgetfulWnd, CSelfDeletingWnd)
    ON_WM_NCDESTROY()
END_MESSAGE_MAP()

}

TEST(WndLifetime, SelfDeletingWindowsDeleteThemselvesOnce)
{
    CSelfDeletingWnd::s_nDestroyed = 0;
    CWnd* pWnd = new CSelfDeletingWnd;
    ASSERT_TRUE(pWnd->CreateEx(0, NULL, "self", WS_OVERLAPPED, 0, 0, 50, 50, NULL, NULL));
    HWND hWnd = pWnd->m_hWnd;
    ::DestroyWindow(hWnd);
    EXPECT_EQ(1, CSelfDeletingWnd::s_nDestroyed);
    EXPECT_EQ(NULL, CWnd::FromHandlePermanent(hWnd));

    pWnd = new CForgetfulWnd;
    ASSERT_TRUE(pWnd->CreateEx(0, NULL, "forgetful", WS_OVERLAPPED, 0, 0, 50, 50, NULL, NULL));
    hWnd = pWnd->m_hWnd;
    ::DestroyWindow(hWnd);
    EXPECT_EQ(2, CSelfDeletingWnd::s_nDestroyed);
    EXPECT_EQ(NULL, CWnd::FromHandlePermanent(hWnd));
}

TEST(WndHandleMap, ForeignWindowsGetTemporaryWrappers)
{
    HWND hForeign = CreateWindowA("STATIC", "foreign", WS_POPUP, 0, 0, 10, 10, NULL, NULL, NULL, NULL);
    ASSERT_NE(nullptr, hForeign);
    EXPECT_EQ(NULL, CWnd::FromHandlePermanent(hForeign));
    CWnd* pTemp = CWnd::FromHandle(hForeign);
    ASSERT_NE(nullptr, pTemp);
    EXPECT_EQ(hForeign, pTemp->m_hWnd);
    EXPECT_EQ(pTemp, CWnd::FromHandle(hForeign));
    EXPECT_EQ(NULL, CWnd::FromHandle(NULL));
    CString text;
    pTemp->GetWindowText(text);
    EXPECT_STREQ("foreign", text);

    CWnd::DeleteTempMap();
    EXPECT_TRUE(IsWindow(hForeign)) << "freeing a wrapper must not destroy its window";

    CWnd attached;
    ASSERT_TRUE(attached.Attach(hForeign));
    EXPECT_EQ(&attached, CWnd::FromHandle(hForeign));
    CWnd other;
    EXPECT_FALSE(other.Attach(hForeign));
    EXPECT_EQ(hForeign, attached.Detach());
    EXPECT_EQ(NULL, CWnd::FromHandlePermanent(hForeign));
    DestroyWindow(hForeign);
}

namespace {

// Reports its pre-translation turn and takes the message when told to.
class CWalkWnd : public CWnd
{
public:
    CWalkWnd(std::vector<std::string>& log, const char* name) : m_log(log), m_name(name) {}
    BOOL m_bTake = FALSE;

    BOOL PreTranslateMessage(MSG*) override
    {
        m_log.push_back(m_name);
        return m_bTake;
    }

private:
    std::vector<std::string>& m_log;
    std::string m_name;
};

}

TEST(WndPreTranslate, WalkGoesFromTheTargetUpThroughItsParents)
{
    std::vector<std::string> log;
    CWalkWnd top(log, "top"), middle(log, "middle"), leaf(log, "leaf");
    ASSERT_TRUE(top.CreateEx(0, NULL, "top", WS_OVERLAPPEDWINDOW, 0, 0, 200, 200, NULL, NULL));
    ASSERT_TRUE(middle.Create(NULL, "middle", WS_VISIBLE, CRect(0, 0, 100, 100), &top, 1));
    HWND hUnmapped = CreateWindowA("STATIC", "", WS_CHILD, 0, 0, 80, 80, middle.m_hWnd, (HMENU)2, NULL, NULL);
    ASSERT_TRUE(leaf.Create(NULL, "leaf", WS_VISIBLE, CRect(0, 0, 50, 50), CWnd::FromHandle(hUnmapped), 3));

    MSG msg = {};
    msg.hwnd = leaf.m_hWnd;
    msg.message = WM_KEYDOWN;
    EXPECT_FALSE(CWnd::WalkPreTranslateTree(top.m_hWnd, &msg));
    EXPECT_EQ((std::vector<std::string>{ "leaf", "middle", "top" }), log);

    log.clear();
    EXPECT_FALSE(CWnd::WalkPreTranslateTree(middle.m_hWnd, &msg));
    EXPECT_EQ((std::vector<std::string>{ "leaf", "middle" }), log);

    log.clear();
    middle.m_bTake = TRUE;
    EXPECT_TRUE(CWnd::WalkPreTranslateTree(top.m_hWnd, &msg));
    EXPECT_EQ((std::vector<std::string>{ "leaf", "middle" }), log);
    CWnd::DeleteTempMap();
    top.DestroyWindow();
    EXPECT_EQ(NULL, leaf.m_hWnd);
}

namespace {

// An edit control subclassed to count the characters typed into it.
class CCountingEdit : public CWnd
{
public:
    int m_nChars = 0;
    BOOL m_bPreSubclassed = FALSE;

protected:
    void PreSubclassWindow() override { m_bPreSubclassed = TRUE; }
    void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags)
    {
        ++m_nChars;
        CWnd::OnChar(nChar, nRepCnt, nFlags);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CCountingEdit, CWnd)
    ON_WM_CHAR()
END_MESSAGE_MAP()

}

TEST(WndSubclass, SubclassedControlsKeepTheirBehaviour)
{
    CProbeWnd parent;
    ASSERT_TRUE(parent.CreateTopLevel());
    HWND hEdit = CreateWindowA("EDIT", "", WS_CHILD | WS_VISIBLE, 0, 0, 100, 20, parent.m_hWnd,
                               (HMENU)88, NULL, NULL);
    ASSERT_NE(nullptr, hEdit);
    WNDPROC pfnOriginal = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(hEdit, GWLP_WNDPROC));
    CCountingEdit edit;
    ASSERT_TRUE(edit.SubclassDlgItem(88, &parent));
    EXPECT_TRUE(edit.m_bPreSubclassed);
    EXPECT_EQ(88, edit.GetDlgCtrlID());
    SendMessageA(hEdit, WM_CHAR, 'a', 1);
    SendMessageA(hEdit, WM_CHAR, 'b', 1);
    CString text;
    edit.GetWindowText(text);
    EXPECT_STREQ("ab", text) << "the edit's own procedure must still get the characters";
    EXPECT_EQ(2, edit.m_nChars);

    EXPECT_EQ(hEdit, edit.UnsubclassWindow());
    EXPECT_EQ(pfnOriginal, reinterpret_cast<WNDPROC>(GetWindowLongPtrA(hEdit, GWLP_WNDPROC)));
    SendMessageA(hEdit, WM_CHAR, 'c', 1);
    EXPECT_EQ(2, edit.m_nChars);
    parent.DestroyWindow();
}

TEST(WndWrappers, StylesTextAndGeometry)
{
    CProbeWnd wnd;
    ASSERT_TRUE(wnd.CreateTopLevel());
    EXPECT_TRUE(wnd.ModifyStyle(WS_MAXIMIZEBOX, 0, SWP_FRAMECHANGED));
    EXPECT_FALSE(wnd.GetStyle() & WS_MAXIMIZEBOX);
    EXPECT_FALSE(wnd.ModifyStyle(WS_MAXIMIZEBOX, 0)) << "no change reports FALSE";
    EXPECT_TRUE(wnd.ModifyStyleEx(0, WS_EX_TOOLWINDOW));
    EXPECT_TRUE(wnd.GetExStyle() & WS_EX_TOOLWINDOW);

    wnd.SetWindowText("caption text");
    CString text;
    wnd.GetWindowText(text);
    EXPECT_STREQ("caption text", text);
    EXPECT_EQ(12, wnd.GetWindowTextLength());

    wnd.MoveWindow(10, 20, 300, 200);
    CRect rcWindow;
    wnd.GetWindowRect(&rcWindow);
    EXPECT_EQ(300, rcWindow.Width());
    CRect rcClient;
    wnd.GetClientRect(&rcClient);
    wnd.ClientToScreen(&rcClient);
    EXPECT_TRUE(rcWindow.PtInRect(rcClient.TopLeft()));
    CPoint pt = rcClient.TopLeft();
    wnd.ScreenToClient(&pt);
    EXPECT_EQ(0, pt.x);
    EXPECT_EQ(0, pt.y);

    CWnd child;
    ASSERT_TRUE(child.Create(NULL, "c", WS_VISIBLE, CRect(0, 0, 40, 30), &wnd, 5));
    child.CenterWindow();
    CRect rcChild;
    child.GetWindowRect(&rcChild);
    wnd.ScreenToClient(&rcChild);
    wnd.GetClientRect(&rcClient);
    EXPECT_NEAR(rcClient.Width() / 2, rcChild.CenterPoint().x, 1);
    EXPECT_NEAR(rcClient.Height() / 2, rcChild.CenterPoint().y, 1);
    EXPECT_EQ(&child, wnd.GetDlgItem(5));
    EXPECT_EQ(&wnd, child.GetParent());
    EXPECT_TRUE(wnd.IsChild(&child));
    wnd.DestroyWindow();
}

namespace {

// Declines ID_SECOND unless told to take it.
class CDecliningWnd : public CProbeWnd
{
public:
    BOOL m_bTake = FALSE;
    int m_nTaken = 0;

protected:
    BOOL OnSecondEx(UINT nID)
    {
        if (!m_bTake || nID != ID_SECOND)
            return FALSE;
        ++m_nTaken;
        return TRUE;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CDecliningWnd, CProbeWnd)
    ON_COMMAND_EX(ID_SECOND, OnSecondEx)
END_MESSAGE_MAP()

// Colours and draws children; records what it was asked.
class CPainterWnd : public CProbeWnd
{
public:
    UINT m_nCtlColor = 0;
    int m_nDrawn = 0;

protected:
    HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor)
    {
        m_nCtlColor = nCtlColor;
        return static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH));
    }
    void OnDrawItem(int nIDCtl, LPDRAWITEMSTRUCT lpDIS) { ++m_nDrawn; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CPainterWnd, CProbeWnd)
    ON_WM_CTLCOLOR()
    ON_WM_DRAWITEM()
END_MESSAGE_MAP()

// A control that picks its own colour (when it has one) and draws itself.
class CSelfColouredWnd : public CWnd
{
public:
    HBRUSH m_hBrush = NULL;
    int m_nDrawn = 0;
    UINT m_nMeasuredId = 0;

protected:
    HBRUSH CtlColor(CDC* pDC, UINT nCtlColor) { return m_hBrush; }
    void DrawItem(LPDRAWITEMSTRUCT) { ++m_nDrawn; }
    void MeasureItem(LPMEASUREITEMSTRUCT lpMIS)
    {
        m_nMeasuredId = lpMIS->CtlID;
        lpMIS->itemHeight = 33;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CSelfColouredWnd, CWnd)
    ON_WM_CTLCOLOR_REFLECT()
    ON_WM_DRAWITEM_REFLECT()
    ON_WM_MEASUREITEM_REFLECT()
END_MESSAGE_MAP()

}

TEST(WndMessageMap, DecliningHandlersPassTheCommandOn)
{
    CDecliningWnd wnd;
    ASSERT_TRUE(wnd.CreateTopLevel());
    wnd.SendMessage(WM_COMMAND, MAKEWPARAM(ID_SECOND, 0), 0);
    EXPECT_EQ(1, wnd.m_nSecond) << "the base map's handler runs after a decline";
    wnd.m_bTake = TRUE;
    wnd.SendMessage(WM_COMMAND, MAKEWPARAM(ID_SECOND, 0), 0);
    EXPECT_EQ(1, wnd.m_nTaken);
    EXPECT_EQ(1, wnd.m_nSecond);
    wnd.DestroyWindow();
}

TEST(WndReflection, ColoursAndOwnerDrawReachTheControl)
{
    CPainterWnd parent;
    ASSERT_TRUE(parent.CreateTopLevel());
    CSelfColouredWnd control;
    ASSERT_TRUE(control.Create(NULL, "", WS_VISIBLE, CRect(0, 0, 30, 30), &parent, 12));
    HWND hPlain = CreateWindowA("STATIC", "", WS_CHILD, 0, 40, 30, 30, parent.m_hWnd, (HMENU)13, NULL, NULL);
    HDC hDC = GetDC(parent.m_hWnd);
    HBRUSH hGray = static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH));
    HBRUSH hBlack = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));

    EXPECT_EQ((LRESULT)hGray, parent.SendMessage(WM_CTLCOLORSTATIC, (WPARAM)hDC, (LPARAM)hPlain));
    EXPECT_EQ((UINT)CTLCOLOR_STATIC, parent.m_nCtlColor);
    EXPECT_EQ((LRESULT)hGray, parent.SendMessage(WM_CTLCOLOREDIT, (WPARAM)hDC, (LPARAM)control.m_hWnd))
        << "a control without a brush leaves the colour to its parent";
    EXPECT_EQ((UINT)CTLCOLOR_EDIT, parent.m_nCtlColor);
    control.m_hBrush = hBlack;
    parent.m_nCtlColor = 0;
    EXPECT_EQ((LRESULT)hBlack, parent.SendMessage(WM_CTLCOLORSTATIC, (WPARAM)hDC, (LPARAM)control.m_hWnd));
    EXPECT_EQ(0u, parent.m_nCtlColor);

    DRAWITEMSTRUCT dis = {};
    dis.CtlType = ODT_BUTTON;
    dis.CtlID = 12;
    dis.hwndItem = control.m_hWnd;
    dis.hDC = hDC;
    EXPECT_EQ(TRUE, parent.SendMessage(WM_DRAWITEM, 12, (LPARAM)&dis));
    dis.CtlID = 13;
    dis.hwndItem = hPlain;
    parent.SendMessage(WM_DRAWITEM, 13, (LPARAM)&dis);
    EXPECT_EQ(1, control.m_nDrawn);
    EXPECT_EQ(1, parent.m_nDrawn);

    MEASUREITEMSTRUCT mis = {};
    mis.CtlType = ODT_COMBOBOX;
    mis.CtlID = 12;
    parent.SendMessage(WM_MEASUREITEM, 12, (LPARAM)&mis);
    EXPECT_EQ(12u, control.m_nMeasuredId);
    EXPECT_EQ(33u, mis.itemHeight);
    ReleaseDC(parent.m_hWnd, hDC);
    parent.DestroyWindow();
}

TEST(WndWrappers, OwnersTopLevelParentsAndDescendants)
{
    CProbeWnd top;
    ASSERT_TRUE(top.CreateTopLevel());
    CProbeWnd middle, leaf;
    ASSERT_TRUE(middle.Create(NULL, "m", WS_VISIBLE, CRect(0, 0, 80, 80), &top, 21));
    ASSERT_TRUE(leaf.Create(NULL, "l", WS_VISIBLE, CRect(0, 0, 40, 40), &middle, 22));
    HWND hForeign = CreateWindowA("STATIC", "", WS_CHILD, 0, 0, 5, 5, middle.m_hWnd, (HMENU)23, NULL, NULL);

    EXPECT_EQ(&top, leaf.GetTopLevelParent());
    EXPECT_EQ(&top, CWnd::GetSafeOwner(&leaf));
    EXPECT_EQ(&middle, leaf.GetOwner());
    leaf.SetOwner(&top);
    EXPECT_EQ(&top, leaf.GetOwner());

    EXPECT_EQ(&leaf, top.GetDescendantWindow(22));
    EXPECT_EQ(hForeign, top.GetDescendantWindow(23)->m_hWnd);
    EXPECT_EQ(NULL, top.GetDescendantWindow(23, TRUE));
    EXPECT_EQ(NULL, top.GetDescendantWindow(99));

    top.SendMessageToDescendants(WM_TEST_PRIVATE, 0, 5);
    EXPECT_EQ(5, middle.m_lastPrivate);
    EXPECT_EQ(5, leaf.m_lastPrivate);
    top.SendMessageToDescendants(WM_TEST_PRIVATE, 0, 6, FALSE);
    EXPECT_EQ(6, middle.m_lastPrivate);
    EXPECT_EQ(5, leaf.m_lastPrivate) << "a shallow send stops at the children";
    CWnd::DeleteTempMap();
    top.DestroyWindow();
}

TEST(WndReflection, OwnerDrawComboIsMeasuredDuringItsCreation)
{
    CProbeWnd parent;
    ASSERT_TRUE(parent.CreateTopLevel());
    CSelfColouredWnd combo;
    ASSERT_TRUE(combo.Create("COMBOBOX", "", WS_VISIBLE | CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS,
                             CRect(0, 0, 100, 100), &parent, 31));
    EXPECT_EQ(31u, combo.m_nMeasuredId) << "the combo must be attached before it asks to be measured";
    EXPECT_EQ(33, combo.SendMessage(CB_GETITEMHEIGHT, 0));
    parent.DestroyWindow();
}

TEST(WndWrappers, DialogItemsScrollBarsAndPrompts)
{
    CProbeWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, NULL, "w", WS_OVERLAPPEDWINDOW | WS_VSCROLL, 0, 0, 200, 200, NULL, NULL));
    for (int nID = 61; nID <= 63; ++nID)
        CreateWindowA("BUTTON", "", WS_CHILD | BS_AUTORADIOBUTTON, 0, 0, 10, 10, wnd.m_hWnd,
                      (HMENU)(UINT_PTR)nID, NULL, NULL);
    wnd.CheckRadioButton(61, 63, 62);
    EXPECT_EQ((UINT)BST_UNCHECKED, wnd.IsDlgButtonChecked(61));
    EXPECT_EQ((UINT)BST_CHECKED, wnd.IsDlgButtonChecked(62));
    wnd.CheckDlgButton(63, BST_CHECKED);
    EXPECT_EQ((UINT)BST_CHECKED, wnd.IsDlgButtonChecked(63));

    HWND hEdit = CreateWindowA("EDIT", "", WS_CHILD, 0, 0, 50, 20, wnd.m_hWnd, (HMENU)64, NULL, NULL);
    ASSERT_NE(nullptr, hEdit);
    wnd.SetDlgItemInt(64, (UINT)-17);
    BOOL bTrans = FALSE;
    EXPECT_EQ(-17, (int)wnd.GetDlgItemInt(64, &bTrans));
    EXPECT_TRUE(bTrans);

    wnd.SetScrollRange(SB_VERT, 0, 50, FALSE);
    EXPECT_EQ(0, wnd.SetScrollPos(SB_VERT, 20));
    SCROLLINFO si = {};
    ASSERT_TRUE(wnd.GetScrollInfo(SB_VERT, &si));
    EXPECT_EQ(20, si.nPos);
    EXPECT_EQ(50, si.nMax);

    EXPECT_TRUE(wnd.SetWindowPos(&CWnd::wndTopMost, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE));
    EXPECT_TRUE(wnd.GetExStyle() & WS_EX_TOPMOST);
    EXPECT_TRUE(wnd.SetWindowPos(&CWnd::wndNoTopMost, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE));
    EXPECT_FALSE(wnd.GetExStyle() & WS_EX_TOPMOST);

    MessageBoxRecorder recorder;
    recorder.QueueAnswer(IDNO);
    EXPECT_EQ(IDNO, wnd.MessageBox("Save changes?", "Quirk", MB_YESNO));
    ASSERT_EQ(1u, recorder.Messages().size());
    EXPECT_EQ("Save changes?", recorder.Messages()[0].text);
    EXPECT_EQ("Quirk", recorder.Messages()[0].caption);
    EXPECT_EQ((UINT)MB_YESNO, recorder.Messages()[0].type);
    wnd.DestroyWindow();
}

namespace {

struct RoutedMenuItem
{
    HMENU hMenu;
    UINT message;
};
std::vector<RoutedMenuItem> g_routed;

BOOL RecordMenuItem(HMENU hMenu, UINT message, LPARAM lParam)
{
    g_routed.push_back({ hMenu, message });
    if (message == WM_MEASUREITEM)
        reinterpret_cast<LPMEASUREITEMSTRUCT>(lParam)->itemHeight = 21;
    return TRUE;
}

}

TEST(WndReflection, OwnerDrawnMenuItemsGoToTheMenuRouter)
{
    CPainterWnd wnd;
    ASSERT_TRUE(wnd.CreateTopLevel());
    HMENU hPopup = CreatePopupMenu();
    g_routed.clear();
    AFX_MENU_OWNERDRAW_ROUTER pfnOld = AfxSetMenuOwnerDrawRouter(&RecordMenuItem);

    wnd.SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(hPopup), 0);
    MEASUREITEMSTRUCT mis = {};
    mis.CtlType = ODT_MENU;
    mis.itemID = ID_FIRST;
    EXPECT_EQ(TRUE, wnd.SendMessage(WM_MEASUREITEM, 0, (LPARAM)&mis));
    EXPECT_EQ(21u, mis.itemHeight);
    DRAWITEMSTRUCT dis = {};
    dis.CtlType = ODT_MENU;
    dis.hwndItem = reinterpret_cast<HWND>(hPopup);
    wnd.SendMessage(WM_DRAWITEM, 0, (LPARAM)&dis);
    EXPECT_EQ(0, wnd.m_nDrawn) << "the window's own handler is not asked";

    AfxSetMenuOwnerDrawRouter(pfnOld);
    ASSERT_EQ(2u, g_routed.size());
    EXPECT_EQ(hPopup, g_routed[0].hMenu);
    EXPECT_EQ((UINT)WM_MEASUREITEM, g_routed[0].message);
    EXPECT_EQ(hPopup, g_routed[1].hMenu);
    EXPECT_EQ((UINT)WM_DRAWITEM, g_routed[1].message);
    DestroyMenu(hPopup);
    wnd.DestroyWindow();
}
