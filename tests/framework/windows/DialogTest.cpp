#include <functional>
#include <string>
#include <vector>

#include "tests/support/Gtest.h"
#include "tests/support/MessageBoxRecorder.h"
#include "framework/windows/DataExchange.h"
#include "framework/windows/Dialog.h"
#include "tests/framework/windows/WindowTestResource.h"

namespace {

const UINT_PTR WATCHDOG_TIMER = 99;
const UINT WM_TEST_STEP = WM_APP + 20;

CString ItemText(CWnd* pDlg, int nID)
{
    CString text;
    pDlg->GetDlgItemText(nID, text);
    return text;
}

// An edit bound through DDX_Control that counts what is typed into it.
class CBoundEdit : public CWnd
{
public:
    int m_nChars = 0;

protected:
    void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags)
    {
        ++m_nChars;
        CWnd::OnChar(nChar, nRepCnt, nFlags);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CBoundEdit, CWnd)
    ON_WM_CHAR()
END_MESSAGE_MAP()

// The data-exchange dialog; the test drives it from OnInitDialog and from
// posted steps, and a watchdog ends it with IDABORT if the test stalls.
class CExchangeDialog : public CDialog
{
public:
    CExchangeDialog() : CDialog(IDD_DATA_EXCHANGE) {}

    CString m_strName;
    int m_nCount = 0;
    double m_dValue = 0.0;
    int m_nEnabled = 0;
    int m_nRadio = -1;
    int m_nKind = -1;
    CString m_strItem;
    CBoundEdit m_nameEdit;

    std::function<void(CExchangeDialog*)> m_onInit;
    std::function<void(CExchangeDialog*)> m_onStep;
    BOOL m_bInitCalled = FALSE;
    BOOL m_bWatchdogFired = FALSE;
    int m_nDestroyed = 0;

protected:
    void DoDataExchange(CDataExchange* pDX) override
    {
        DDX_Control(pDX, IDC_NAME, m_nameEdit);
        DDX_Text(pDX, IDC_NAME, m_strName);
        DDV_MaxChars(pDX, m_strName, 10);
        DDX_Text(pDX, IDC_COUNT, m_nCount);
        DDV_MinMaxInt(pDX, m_nCount, 1, 100);
        DDX_Text(pDX, IDC_VALUE, m_dValue);
        DDX_Check(pDX, IDC_ENABLED, m_nEnabled);
        DDX_Radio(pDX, IDC_RADIO_FIRST, m_nRadio);
        DDX_CBIndex(pDX, IDC_KIND, m_nKind);
        DDX_LBString(pDX, IDC_ITEMS, m_strItem);
    }

    BOOL OnInitDialog() override
    {
        m_bInitCalled = TRUE;
        for (const char* kind : { "Alpha", "Beta", "Gamma" })
            SendDlgItemMessage(IDC_KIND, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(kind));
        for (const char* item : { "one", "two", "three" })
            SendDlgItemMessage(IDC_ITEMS, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
        CDialog::OnInitDialog();
        SetTimer(WATCHDOG_TIMER, 5000);
        if (m_onInit)
            m_onInit(this);
        return TRUE;
    }

    void OnTimer(UINT_PTR nIDEvent)
    {
        if (nIDEvent == WATCHDOG_TIMER)
        {
            m_bWatchdogFired = TRUE;
            EndDialog(IDABORT);
        }
    }

    LRESULT OnTestStep(WPARAM, LPARAM)
    {
        if (m_onStep)
            m_onStep(this);
        return 0;
    }

    void OnDestroy()
    {
        ++m_nDestroyed;
        CWnd::OnDestroy();
    }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CExchangeDialog, CDialog)
    ON_WM_TIMER()
    ON_WM_DESTROY()
    ON_MESSAGE(WM_TEST_STEP, OnTestStep)
END_MESSAGE_MAP()

void PostOk(CDialog* pDlg)
{
    pDlg->PostMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
}

}

TEST(DialogModal, DataGoesToTheControlsAndBack)
{
    CExchangeDialog dlg;
    dlg.m_strName = "Ledger";
    dlg.m_nCount = 42;
    dlg.m_dValue = 2.5;
    dlg.m_nEnabled = 1;
    dlg.m_nRadio = 1;
    dlg.m_nKind = 2;
    dlg.m_strItem = "two";

    CString shownName, shownCount, shownValue, shownKind;
    LRESULT shownCheck = -1, shownFirstRadio = -1, shownSecondRadio = -1, shownOtherGroup = -1;
    LRESULT shownItem = -1;
    dlg.m_onInit = [&](CExchangeDialog* p) {
        shownName = ItemText(p, IDC_NAME);
        shownCount = ItemText(p, IDC_COUNT);
        shownValue = ItemText(p, IDC_VALUE);
        shownCheck = p->SendDlgItemMessage(IDC_ENABLED, BM_GETCHECK);
        shownFirstRadio = p->SendDlgItemMessage(IDC_RADIO_FIRST, BM_GETCHECK);
        shownSecondRadio = p->SendDlgItemMessage(IDC_RADIO_SECOND, BM_GETCHECK);
        shownOtherGroup = p->SendDlgItemMessage(IDC_AFTER_RADIOS, BM_GETCHECK);
        shownKind = ItemText(p, IDC_KIND);
        shownItem = p->SendDlgItemMessage(IDC_ITEMS, LB_GETCURSEL);

        p->SetDlgItemText(IDC_NAME, "Journal");
        p->SetDlgItemText(IDC_COUNT, " 7 ");
        p->SetDlgItemText(IDC_VALUE, "-0.125");
        p->SendDlgItemMessage(IDC_ENABLED, BM_SETCHECK, BST_UNCHECKED);
        p->SendDlgItemMessage(IDC_RADIO_SECOND, BM_SETCHECK, BST_UNCHECKED);
        p->SendDlgItemMessage(IDC_RADIO_THIRD, BM_SETCHECK, BST_CHECKED);
        p->SendDlgItemMessage(IDC_KIND, CB_SETCURSEL, 0);
        p->SendDlgItemMessage(IDC_ITEMS, LB_SETCURSEL, 2);
        PostOk(p);
    };

    EXPECT_EQ(IDOK, dlg.DoModal());
    EXPECT_FALSE(dlg.m_bWatchdogFired);
    EXPECT_STREQ("Ledger", shownName);
    EXPECT_STREQ("42", shownCount);
    EXPECT_STREQ("2.5", shownValue);
    EXPECT_EQ(BST_CHECKED, shownCheck);
    EXPECT_EQ(BST_UNCHECKED, shownFirstRadio);
    EXPECT_EQ(BST_CHECKED, shownSecondRadio);
    EXPECT_EQ(BST_UNCHECKED, shownOtherGroup) << "the radio group ends at the next WS_GROUP";
    EXPECT_STREQ("Gamma", shownKind);
    EXPECT_EQ(1, shownItem);

    EXPECT_STREQ("Journal", dlg.m_strName);
    EXPECT_EQ(7, dlg.m_nCount);
    EXPECT_DOUBLE_EQ(-0.125, dlg.m_dValue);
    EXPECT_EQ(0, dlg.m_nEnabled);
    EXPECT_EQ(2, dlg.m_nRadio);
    EXPECT_EQ(0, dlg.m_nKind);
    EXPECT_STREQ("three", dlg.m_strItem);
    EXPECT_EQ(1, dlg.m_nDestroyed);
    EXPECT_EQ(NULL, dlg.m_hWnd);
    EXPECT_EQ(NULL, dlg.m_nameEdit.m_hWnd) << "the bound control goes with its dialog";
}

TEST(DialogModal, CancelLeavesTheMembersAlone)
{
    CExchangeDialog dlg;
    dlg.m_strName = "Keep";
    dlg.m_nCount = 3;
    dlg.m_onInit = [](CExchangeDialog* p) {
        p->SetDlgItemText(IDC_NAME, "Changed");
        p->PostMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    };
    EXPECT_EQ(IDCANCEL, dlg.DoModal());
    EXPECT_STREQ("Keep", dlg.m_strName);
    EXPECT_EQ(3, dlg.m_nCount);
}

TEST(DialogModal, FailedValidationKeepsTheDialogOpen)
{
    struct Case
    {
        const char* count;
        const char* name;
        const char* value;
        const char* message;
        int focusId;
    };
    const Case cases[] = {
        { "500", "ok", "1", "Please enter an integer between 1 and 100.", IDC_COUNT },
        { "0", "ok", "1", "Please enter an integer between 1 and 100.", IDC_COUNT },
        { "12abc", "ok", "1", "Please enter an integer.", IDC_COUNT },
        { "", "ok", "1", "Please enter an integer.", IDC_COUNT },
        { "5", "much too long", "1", "Please enter no more than 10 characters.", IDC_NAME },
        { "5", "ok", "1.5.2", "Please enter a number.", IDC_VALUE },
    };
    // One dialog serves every case: showing and destroying a dialog under a
    // display without a window manager costs seconds.
    MessageBoxRecorder recorder;
    CExchangeDialog dlg;
    dlg.m_nCount = 50;
    size_t nCase = 0;
    auto startCase = [&](CExchangeDialog* p) {
        const Case& c = cases[nCase];
        recorder.Clear();
        p->SetDlgItemText(IDC_COUNT, c.count);
        p->SetDlgItemText(IDC_NAME, c.name);
        p->SetDlgItemText(IDC_VALUE, c.value);
        ::SetFocus(::GetDlgItem(p->m_hWnd, IDOK));
        PostOk(p);
        p->PostMessage(WM_TEST_STEP);
    };
    dlg.m_onInit = startCase;
    dlg.m_onStep = [&](CExchangeDialog* p) {
        const Case& c = cases[nCase];
        SCOPED_TRACE(std::string("count '") + c.count + "' name '" + c.name + "' value '" + c.value + "'");
        EXPECT_TRUE(IsWindowVisible(p->m_hWnd));
        EXPECT_EQ(c.focusId, ::GetDlgCtrlID(::GetFocus()));
        EXPECT_EQ(1u, recorder.Messages().size());
        EXPECT_EQ(c.message, recorder.LastText());
        if (++nCase < sizeof(cases) / sizeof(cases[0]))
            startCase(p);
        else
            p->EndDialog(IDCANCEL);
    };
    EXPECT_EQ(IDCANCEL, dlg.DoModal());
    EXPECT_EQ(sizeof(cases) / sizeof(cases[0]), nCase);
}

TEST(DialogModal, BoundControlsSeeTheirMessages)
{
    CExchangeDialog dlg;
    dlg.m_nCount = 1;
    int nCharsAtOk = -1;
    dlg.m_onInit = [&](CExchangeDialog* p) {
        ASSERT_EQ(::GetDlgItem(p->m_hWnd, IDC_NAME), p->m_nameEdit.m_hWnd);
        EXPECT_EQ(&p->m_nameEdit, CWnd::FromHandlePermanent(p->m_nameEdit.m_hWnd));
        p->m_nameEdit.SendMessage(WM_CHAR, 'x', 1);
        p->m_nameEdit.SendMessage(WM_CHAR, 'y', 1);
        nCharsAtOk = p->m_nameEdit.m_nChars;
        PostOk(p);
    };
    EXPECT_EQ(IDOK, dlg.DoModal());
    EXPECT_EQ(2, nCharsAtOk);
    EXPECT_STREQ("xy", dlg.m_strName);
}

TEST(DialogModal, KeyboardGoesThroughTheDialogManager)
{
    CExchangeDialog dlg;
    dlg.m_nCount = 1;
    dlg.m_onInit = [](CExchangeDialog* p) {
        // Escape reaches IDCANCEL only if the modal loop pre-translates keys.
        HWND hName = ::GetDlgItem(p->m_hWnd, IDC_NAME);
        ::SetFocus(hName);
        ::PostMessageA(hName, WM_KEYDOWN, VK_ESCAPE, 0);
    };
    EXPECT_EQ(IDCANCEL, dlg.DoModal());
    EXPECT_FALSE(dlg.m_bWatchdogFired);
}

TEST(DialogModal, MissingTemplateFails)
{
    CDialog dlg(4242);
    EXPECT_EQ(-1, dlg.DoModal());
    EXPECT_EQ(NULL, dlg.m_hWnd);
}

TEST(DialogModeless, CreateShowsTheDialogUntilDestroyed)
{
    CExchangeDialog dlg;
    dlg.m_strName = "Modeless";
    dlg.m_nCount = 9;
    ASSERT_TRUE(dlg.Create(IDD_DATA_EXCHANGE));
    EXPECT_TRUE(dlg.m_bInitCalled);
    EXPECT_FALSE(dlg.IsModal());
    EXPECT_EQ(&dlg, CWnd::FromHandlePermanent(dlg.m_hWnd));
    EXPECT_STREQ("Modeless", ItemText(&dlg, IDC_NAME));
    EXPECT_EQ(10, dlg.SendDlgItemMessage(IDC_NAME, EM_GETLIMITTEXT)) << "DDV_MaxChars limits the edit";

    dlg.SetDlgItemText(IDC_COUNT, "11");
    EXPECT_TRUE(dlg.UpdateData(TRUE));
    EXPECT_EQ(11, dlg.m_nCount);
    {
        MessageBoxRecorder recorder;
        dlg.SetDlgItemText(IDC_COUNT, "x");
        EXPECT_FALSE(dlg.UpdateData(TRUE));
        EXPECT_EQ(1u, recorder.Messages().size());
    }
    EXPECT_TRUE(dlg.DestroyWindow());
    EXPECT_EQ(1, dlg.m_nDestroyed);
    EXPECT_EQ(NULL, dlg.m_hWnd);
}

namespace {

// The pixels of one character drawn black on white in the font, as a
// control draws its text (with the font links the system adds).
std::vector<DWORD> CharacterPixels(HFONT hFont, WCHAR ch)
{
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = 32;
    info.bmiHeader.biHeight = -32;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* pBits = NULL;
    HDC hDC = CreateCompatibleDC(NULL);
    HBITMAP hBitmap = CreateDIBSection(hDC, &info, DIB_RGB_COLORS, &pBits, NULL, 0);
    HGDIOBJ hOldBitmap = SelectObject(hDC, hBitmap);
    HGDIOBJ hOldFont = SelectObject(hDC, hFont);
    RECT rc = { 0, 0, 32, 32 };
    FillRect(hDC, &rc, (HBRUSH)GetStockObject(WHITE_BRUSH));
    SetTextColor(hDC, RGB(0, 0, 0));
    SetBkMode(hDC, TRANSPARENT);
    ExtTextOutW(hDC, 2, 2, 0, NULL, &ch, 1, NULL);
    GdiFlush();
    std::vector<DWORD> pixels((DWORD*)pBits, (DWORD*)pBits + 32 * 32);
    SelectObject(hDC, hOldFont);
    SelectObject(hDC, hOldBitmap);
    DeleteObject(hBitmap);
    DeleteDC(hDC);
    return pixels;
}

} // namespace

// With the Chinese code page as the system's, a dialog's own font, of
// either face the programs' dialogs name, draws a Chinese name with its
// glyphs: each character differs from the next and from the box of a
// character no font has.
TEST(DialogCodePage, ChineseNamesDrawWithTheirGlyphs)
{
    const char* pszAcp = getenv("KEM_TEST_EXPECT_ACP");
    if (pszAcp == NULL)
        GTEST_SKIP() << "runs in the pass with code page 936 as the system's";
    ASSERT_EQ((UINT)atoi(pszAcp), GetACP());
    const WCHAR name[] = { 0x56FD, 0x6709, 0x4F01, 0x4E1A, 0 };
    const struct { UINT nTemplate; int nEdit; } dialogs[] = {
        { IDD_DATA_EXCHANGE, IDC_NAME }, { IDD_TAHOMA_NAME, IDC_PAGE_TEXT } };
    for (const auto& d : dialogs)
    {
        SCOPED_TRACE(d.nTemplate);
        CDialog dlg(d.nTemplate);
        ASSERT_TRUE(dlg.Create(d.nTemplate));
        HWND hEdit = ::GetDlgItem(dlg.m_hWnd, d.nEdit);
        ASSERT_TRUE(::SetWindowTextW(hEdit, name));
        HFONT hFont = (HFONT)::SendMessageW(hEdit, WM_GETFONT, 0, 0);
        ASSERT_TRUE(hFont != NULL);
        const std::vector<DWORD> box = CharacterPixels(hFont, 0xE000);
        for (int i = 0; i < 4; ++i)
        {
            const std::vector<DWORD> glyph = CharacterPixels(hFont, name[i]);
            EXPECT_TRUE(box != glyph) << "character " << i << " is drawn as a box";
            EXPECT_TRUE(CharacterPixels(hFont, name[(i + 1) % 4]) != glyph) << "character " << i;
        }
        EXPECT_TRUE(dlg.DestroyWindow());
    }
}

TEST(DataExchangeParse, IntegersMustBeWholeAndInRange)
{
    long long v = 0;
    EXPECT_TRUE(AfxParseInt64(" 12 ", INT32_MIN, INT32_MAX, v));
    EXPECT_EQ(12, v);
    EXPECT_TRUE(AfxParseInt64("-2147483648", INT32_MIN, INT32_MAX, v));
    EXPECT_EQ(INT32_MIN, v);
    EXPECT_FALSE(AfxParseInt64("2147483648", INT32_MIN, INT32_MAX, v));
    EXPECT_FALSE(AfxParseInt64("-1", 0, UINT32_MAX, v));
    EXPECT_FALSE(AfxParseInt64("12a", INT32_MIN, INT32_MAX, v));
    EXPECT_FALSE(AfxParseInt64("", INT32_MIN, INT32_MAX, v));
    EXPECT_FALSE(AfxParseInt64("  ", INT32_MIN, INT32_MAX, v));
    EXPECT_FALSE(AfxParseInt64("99999999999999999999", INT64_MIN, INT64_MAX, v));
    EXPECT_EQ(INT32_MIN, v) << "a failed parse leaves the value alone";
}

TEST(DataExchangeParse, NumbersMustBeFinite)
{
    double d = 0;
    EXPECT_TRUE(AfxParseDouble("3.5", d));
    EXPECT_DOUBLE_EQ(3.5, d);
    EXPECT_TRUE(AfxParseDouble(" -1e3\t", d));
    EXPECT_DOUBLE_EQ(-1000.0, d);
    EXPECT_FALSE(AfxParseDouble("1e400", d));
    EXPECT_FALSE(AfxParseDouble("nan", d));
    EXPECT_FALSE(AfxParseDouble("1.5x", d));
    EXPECT_FALSE(AfxParseDouble("", d));
    EXPECT_DOUBLE_EQ(-1000.0, d);
}

TEST(DialogModal, ChildParentsGiveWayToTheirTopLevelWindow)
{
    CWnd top;
    ASSERT_TRUE(top.CreateEx(0, NULL, "owner", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200, NULL, NULL));
    CWnd child;
    ASSERT_TRUE(child.Create(NULL, "", WS_VISIBLE, CRect(0, 0, 50, 50), &top, 1));
    CExchangeDialog dlg;
    dlg.m_pParentWnd = &child;
    dlg.m_nCount = 1;
    HWND hOwner = NULL;
    BOOL bOwnerDisabled = FALSE;
    dlg.m_onInit = [&](CExchangeDialog* p) {
        hOwner = ::GetWindow(p->m_hWnd, GW_OWNER);
        bOwnerDisabled = !::IsWindowEnabled(top.m_hWnd);
        PostOk(p);
    };
    EXPECT_EQ(IDOK, dlg.DoModal());
    EXPECT_EQ(top.m_hWnd, hOwner);
    EXPECT_TRUE(bOwnerDisabled) << "the owner is disabled while the dialog runs";
    EXPECT_TRUE(::IsWindowEnabled(top.m_hWnd)) << "and enabled again after";
    CWnd::DeleteTempMap();
    top.DestroyWindow();
}

TEST(DialogModal, EndingDuringInitialisationSkipsTheLoop)
{
    CExchangeDialog dlg;
    dlg.m_nCount = 1;
    dlg.m_onInit = [](CExchangeDialog* p) { p->EndDialog(1234); };
    EXPECT_EQ(1234, dlg.DoModal());
    EXPECT_FALSE(dlg.m_bWatchdogFired);
    EXPECT_EQ(1, dlg.m_nDestroyed);
}
