#include <cstddef>
#include <cstring>
#include <vector>

#include "tests/support/Gtest.h"
#include "tests/shell/ShellTestWindow.h"
#include "FormatBarIds.h"
#include "framework/docview/FrameWnd.h"
#include "shell/CellFormatBar.h"

namespace {

// The bar's owner: records every notification (with the bytes of the
// format records) and answers queries from m_answer.
class CFormatBarOwner : public CWnd
{
public:
    struct Received
    {
        UINT nCode;
        UINT_PTR idFrom;
        HWND hwndFrom;
        std::vector<BYTE> bytes;   // the whole record for the FBN_ codes
    };
    std::vector<Received> m_received;
    NMFORMATBAR m_answer = {};
    BOOL m_bAnswer = TRUE;

    CFormatBarOwner()
    {
        CreateEx(0, AfxRegisterWndClass(0, NULL, (HBRUSH)(COLOR_BTNFACE + 1)), "format bar owner",
                 WS_OVERLAPPEDWINDOW | WS_VISIBLE, 60, 60, 700, 200, NULL, NULL);
        m_answer.cf.dwMask = 0;
        m_answer.nCellType = -1;
    }
    ~CFormatBarOwner() override { DestroyWindow(); }

    std::vector<UINT> Codes() const
    {
        std::vector<UINT> codes;
        for (const Received& r : m_received)
            codes.push_back(r.nCode);
        return codes;
    }
    const Received* Last(UINT nCode) const
    {
        for (size_t i = m_received.size(); i-- > 0;)
            if (m_received[i].nCode == nCode)
                return &m_received[i];
        return NULL;
    }

protected:
    BOOL OnNotify(WPARAM, LPARAM lParam, LRESULT* pResult) override
    {
        NMHDR* pHdr = reinterpret_cast<NMHDR*>(lParam);
        Received r = {pHdr->code, pHdr->idFrom, pHdr->hwndFrom, {}};
        if (pHdr->code == FBN_APPLYFORMAT || pHdr->code == FBN_QUERYFORMAT)
        {
            const BYTE* p = reinterpret_cast<const BYTE*>(lParam);
            r.bytes.assign(p, p + sizeof(NMFORMATBAR));
        }
        m_received.push_back(r);
        if (pHdr->code == FBN_QUERYFORMAT && m_bAnswer)
        {
            NMFORMATBAR* pRecord = reinterpret_cast<NMFORMATBAR*>(lParam);
            pRecord->cf.dwMask = m_answer.cf.dwMask;
            pRecord->cf.yHeight = m_answer.cf.yHeight;
            pRecord->cf.bCharSet = m_answer.cf.bCharSet;
            memcpy(pRecord->cf.szFaceName, m_answer.cf.szFaceName, LF_FACESIZE);
            pRecord->nCellType = m_answer.nCellType;
        }
        if (pHdr->code == NM_RETURN)
            SetFocus();
        *pResult = 0;
        return TRUE;
    }
};

template <class T>
T At(const std::vector<BYTE>& bytes, size_t nOffset)
{
    T value;
    memcpy(&value, bytes.data() + nOffset, sizeof(T));
    return value;
}

class CellFormatBarTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(bar.Create(&owner, WS_CHILD | WS_VISIBLE | CBRS_TOP, ID_FORMATBAR));
        ASSERT_TRUE(bar.LoadToolBar(IDR_FORMATBAR));
        bar.PlaceCombos();
        owner.SetForegroundWindow();
        owner.SetFocus();
        PumpMessages();
        owner.m_received.clear();
    }

    // Focus into the combo and out again to the owner.
    void Visit(CWnd& combo)
    {
        combo.SetFocus();
        PumpMessages();
        owner.SetFocus();
        PumpMessages();
    }
    // As the user picks a type from the list and leaves the combo.
    void ChooseCellType(int nType)
    {
        bar.m_comboCellType.SetFocus();
        bar.m_comboCellType.SetCurSel(nType);
        bar.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_FORMATBAR_CELLTYPE, CBN_SELENDOK),
                        (LPARAM)bar.m_comboCellType.m_hWnd);
        owner.SetFocus();
        PumpMessages();
    }
    int CountOf(UINT nCode) const
    {
        int n = 0;
        for (const auto& r : owner.m_received)
            n += r.nCode == nCode;
        return n;
    }
    CString SizeText() const
    {
        CString str;
        bar.m_comboFontSize.GetWindowText(str);
        return str;
    }

    CFormatBarOwner owner;
    CCellFormatBar bar;
};

TEST_F(CellFormatBarTest, CombosTakeThePlacesOfTheirButtons)
{
    const CFormatBarCombo* combos[] = {&bar.m_comboCellType, &bar.m_comboFontName,
                                       &bar.m_comboFontSize};
    const UINT ids[] = {IDC_FORMATBAR_CELLTYPE, IDC_FORMATBAR_FACE, IDC_FORMATBAR_SIZE};
    for (int i = 0; i < 3; ++i)
    {
        SCOPED_TRACE(i);
        UINT nID = 0, nStyle = 0;
        int iImage = 0;
        bar.GetButtonInfo(2 + i, nID, nStyle, iImage);
        EXPECT_EQ(ids[i], nID);
        EXPECT_NE(0u, nStyle & TBSTYLE_SEP);
        CRect rcButton, rcCombo;
        bar.GetItemRect(2 + i, &rcButton);
        combos[i]->GetWindowRect(&rcCombo);
        bar.ScreenToClient(&rcCombo);
        EXPECT_EQ(rcButton.left, rcCombo.left);
        EXPECT_EQ(rcCombo.Width(), iImage);
        EXPECT_EQ((UINT)ids[i], (UINT)combos[i]->GetDlgCtrlID());
    }
    EXPECT_EQ(6, bar.m_comboCellType.GetTextLimit());
    EXPECT_EQ(32, bar.m_comboFontName.GetTextLimit());
    EXPECT_EQ(4, bar.m_comboFontSize.GetTextLimit());
    const char* types[] = {"Normal", "Text", "Data", "Report Organ", "Organ Code", "Report Date",
                           "Formula", "Picture"};
    ASSERT_EQ(8, bar.m_comboCellType.GetCount());
    for (int i = 0; i < 8; ++i)
    {
        CString str;
        bar.m_comboCellType.GetLBText(i, str);
        EXPECT_STREQ(types[i], (LPCTSTR)str);
    }
    EXPECT_LT(0, bar.m_comboFontName.GetCount());
}

TEST_F(CellFormatBarTest, QueriesGoOutClearedAndTheAnswerFillsTheCombos)
{
    owner.m_answer.cf.dwMask = CFM_FACE | CFM_CHARSET | CFM_SIZE;
    owner.m_answer.cf.yHeight = 205;
    CFontFaceEntry* pEntry = bar.m_comboFontName.GetEntry(0);
    ASSERT_TRUE(pEntry != NULL);
    lstrcpynA(owner.m_answer.cf.szFaceName, pEntry->m_strName, LF_FACESIZE);
    owner.m_answer.cf.bCharSet = pEntry->m_nCharSet;
    owner.m_answer.nCellType = 3;
    bar.QueryOwnerFormat();

    const CFormatBarOwner::Received* pQuery = owner.Last(FBN_QUERYFORMAT);
    ASSERT_TRUE(pQuery != NULL);
    EXPECT_EQ((UINT_PTR)ID_FORMATBAR, pQuery->idFrom);
    EXPECT_EQ(bar.m_hWnd, pQuery->hwndFrom);
    const size_t cf = sizeof(NMHDR);
    EXPECT_EQ(60u, At<UINT>(pQuery->bytes, cf));
    EXPECT_EQ(0u, At<DWORD>(pQuery->bytes, cf + 4));
    EXPECT_EQ(-1, At<int>(pQuery->bytes, cf + 60));

    EXPECT_STREQ("10.5", (LPCTSTR)SizeText());
    EXPECT_EQ(3, bar.m_comboCellType.GetCurSel());
    EXPECT_EQ(0, bar.m_comboFontName.GetCurSel());

    // Nobody answers: nothing is shown.
    owner.m_bAnswer = FALSE;
    bar.QueryOwnerFormat();
    EXPECT_STREQ("", (LPCTSTR)SizeText());
    EXPECT_EQ(CB_ERR, bar.m_comboCellType.GetCurSel());
    EXPECT_EQ(CB_ERR, bar.m_comboFontName.GetCurSel());
}

TEST_F(CellFormatBarTest, LeavingTheSizeComboAppliesOnlyValidSizes)
{
    bar.m_comboFontSize.SetWindowText("10.5");
    Visit(bar.m_comboFontSize);
    std::vector<UINT> expected = {(UINT)NM_SETFOCUS, (UINT)NM_KILLFOCUS, FBN_APPLYFORMAT};
    EXPECT_EQ(expected, owner.Codes());
    const CFormatBarOwner::Received* pApply = owner.Last(FBN_APPLYFORMAT);
    ASSERT_TRUE(pApply != NULL);
    // NMHDR, then the 60-byte CHARFORMAT, the cell type and the control:
    // 12 + 68 = 80 bytes where handles have 32 bits.
    const size_t cf = sizeof(NMHDR);
    EXPECT_EQ(cf, offsetof(NMFORMATBAR, cf));
    EXPECT_EQ(60u, sizeof(CHARFORMATA));
    EXPECT_EQ((UINT)FBN_APPLYFORMAT, At<UINT>(pApply->bytes, offsetof(NMHDR, code)));
    EXPECT_EQ(60u, At<UINT>(pApply->bytes, cf));
    EXPECT_EQ((DWORD)CFM_SIZE, At<DWORD>(pApply->bytes, cf + 4));
    EXPECT_EQ(210, At<LONG>(pApply->bytes, cf + 12));
    EXPECT_EQ((UINT)IDC_FORMATBAR_SIZE, At<UINT>(pApply->bytes, cf + 64));
    EXPECT_EQ(-1, At<int>(pApply->bytes, cf + 60));

    for (const char* pszText : {"0.5", "2000", "abc", ""})
    {
        SCOPED_TRACE(pszText);
        owner.m_received.clear();
        bar.m_comboFontSize.SetWindowText(pszText);
        Visit(bar.m_comboFontSize);
        EXPECT_EQ(1, CountOf(NM_KILLFOCUS));
        EXPECT_EQ(0, CountOf(FBN_APPLYFORMAT));
    }
}

TEST_F(CellFormatBarTest, LeavingTheFaceComboAppliesTheChosenFaceAndCharset)
{
    int nIndex = bar.m_comboFontName.GetCount() - 1;
    const CFontFaceEntry* pEntry = bar.m_comboFontName.GetEntry(nIndex);
    bar.m_comboFontName.SetCurSel(nIndex);
    Visit(bar.m_comboFontName);
    const CFormatBarOwner::Received* pApply = owner.Last(FBN_APPLYFORMAT);
    ASSERT_TRUE(pApply != NULL);
    const size_t cf = sizeof(NMHDR);
    EXPECT_EQ((DWORD)(CFM_FACE | CFM_CHARSET), At<DWORD>(pApply->bytes, cf + 4));
    EXPECT_EQ(pEntry->m_nCharSet, At<BYTE>(pApply->bytes, cf + 24));
    EXPECT_EQ(pEntry->m_nPitchAndFamily, At<BYTE>(pApply->bytes, cf + 25));
    EXPECT_STREQ((LPCTSTR)pEntry->m_strName, (const char*)pApply->bytes.data() + cf + 26);
    EXPECT_EQ((UINT)IDC_FORMATBAR_FACE, At<UINT>(pApply->bytes, cf + 64));
}

TEST_F(CellFormatBarTest, TheCellTypeIsAppliedOnlyWhenTheUserChoseAnother)
{
    owner.m_answer.nCellType = 2;
    bar.QueryOwnerFormat();
    // Passing through the combo changes nothing.
    Visit(bar.m_comboCellType);
    EXPECT_EQ(1, CountOf(NM_KILLFOCUS));
    EXPECT_EQ(0, CountOf(FBN_APPLYFORMAT));

    // Choosing the type already there changes nothing either.
    ChooseCellType(2);
    EXPECT_EQ(0, CountOf(FBN_APPLYFORMAT));

    ChooseCellType(6);
    const CFormatBarOwner::Received* pApply = owner.Last(FBN_APPLYFORMAT);
    ASSERT_TRUE(pApply != NULL);
    const size_t cf = sizeof(NMHDR);
    EXPECT_EQ(0u, At<DWORD>(pApply->bytes, cf + 4));
    EXPECT_EQ(6, At<int>(pApply->bytes, cf + 60));
    EXPECT_EQ((UINT)IDC_FORMATBAR_CELLTYPE, At<UINT>(pApply->bytes, cf + 64));

    // A mixed selection (255) is never applied back.
    owner.m_received.clear();
    owner.m_answer.nCellType = 255;
    bar.QueryOwnerFormat();
    Visit(bar.m_comboCellType);
    EXPECT_EQ(0, CountOf(FBN_APPLYFORMAT));
}

TEST_F(CellFormatBarTest, KeysInTheCombosLeaveOrMoveThroughTheBar)
{
    owner.m_answer.cf.dwMask = CFM_SIZE;
    owner.m_answer.cf.yHeight = 240;
    bar.QueryOwnerFormat();
    bar.m_comboFontSize.SetFocus();
    PumpMessages();
    bar.m_comboFontSize.SetWindowText("30");
    owner.m_received.clear();

    // Esc reads the selection's values again and hands the focus back.
    HWND hEdit = ::GetFocus();
    MSG msg = {hEdit, WM_KEYDOWN, VK_ESCAPE, 0, 0, {0, 0}};
    EXPECT_TRUE(bar.m_comboFontSize.PreTranslateMessage(&msg));
    PumpMessages();
    EXPECT_STREQ("12", (LPCTSTR)SizeText());
    std::vector<UINT> codes = owner.Codes();
    ASSERT_LE(2u, codes.size());
    EXPECT_EQ((UINT)FBN_QUERYFORMAT, codes[0]);
    EXPECT_EQ((UINT)NM_RETURN, codes[1]);
    EXPECT_EQ(owner.m_hWnd, ::GetFocus());

    // Enter only leaves.
    bar.m_comboFontSize.SetFocus();
    PumpMessages();
    owner.m_received.clear();
    msg.hwnd = ::GetFocus();
    msg.wParam = VK_RETURN;
    EXPECT_TRUE(bar.m_comboFontSize.PreTranslateMessage(&msg));
    EXPECT_EQ(1, CountOf(NM_RETURN));
    EXPECT_EQ(0, CountOf(FBN_QUERYFORMAT));

    // Tab goes on to the next combo.
    bar.m_comboCellType.SetFocus();
    msg.hwnd = bar.m_comboCellType.m_hWnd;
    msg.wParam = VK_TAB;
    EXPECT_TRUE(bar.m_comboCellType.PreTranslateMessage(&msg));
    EXPECT_EQ(bar.m_comboFontName.m_hWnd, ::GetFocus());

    // Down opens the list.
    msg.hwnd = bar.m_comboFontName.m_hWnd;
    msg.wParam = VK_DOWN;
    EXPECT_TRUE(bar.m_comboFontName.PreTranslateMessage(&msg));
    EXPECT_TRUE(bar.m_comboFontName.GetDroppedState());
    bar.m_comboFontName.ShowDropDown(FALSE);
    PumpMessages();
}

TEST_F(CellFormatBarTest, IdleUpdatesQueryUnlessTheUserIsInACombo)
{
    owner.m_answer.cf.dwMask = CFM_SIZE;
    owner.m_answer.cf.yHeight = 280;
    CFrameWnd target;
    bar.OnUpdateCmdUI(&target, FALSE);
    EXPECT_EQ(1, CountOf(FBN_QUERYFORMAT));
    EXPECT_STREQ("14", (LPCTSTR)SizeText());

    // The size combo's edit field has the focus: the typed text stays.
    bar.m_comboFontSize.SetFocus();
    PumpMessages();
    ASSERT_TRUE(::IsChild(bar.m_comboFontSize.m_hWnd, ::GetFocus()));
    bar.m_comboFontSize.SetWindowText("9");
    bar.OnUpdateCmdUI(&target, FALSE);
    EXPECT_EQ(1, CountOf(FBN_QUERYFORMAT));
    EXPECT_STREQ("9", (LPCTSTR)SizeText());
}

TEST_F(CellFormatBarTest, ListsClosingAndOpeningGoThroughTheBar)
{
    bar.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_FORMATBAR_FACE, CBN_CLOSEUP),
                    (LPARAM)bar.m_comboFontName.m_hWnd);
    EXPECT_EQ(1, CountOf(NM_RETURN));

    // Opening the size list fills it for the face shown.
    int nFace = -1;
    for (int i = 0; i < bar.m_comboFontName.GetCount() && nFace < 0; ++i)
        if (bar.m_comboFontName.GetEntry(i)->m_dwFlags & FONT_ENTRY_TRUETYPE)
            nFace = i;
    ASSERT_GE(nFace, 0);
    bar.m_comboFontName.SetCurSel(nFace);
    EXPECT_EQ(0, bar.m_comboFontSize.GetCount());
    bar.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_FORMATBAR_SIZE, CBN_DROPDOWN),
                    (LPARAM)bar.m_comboFontSize.m_hWnd);
    EXPECT_EQ(16, bar.m_comboFontSize.GetCount());
}

} // namespace
